// libFuzzer target: arbitrary replies for every report type through mapData,
// and arbitrary arguments through buildVYTRequest, all via the fake JNIEnv.
//
// Input, first byte b:
//   b < 0x80: a reply; report type = b & 0x3F (0..63, so invalid types too);
//             with 0x40 set the target throws from its third call.
//             The remaining bytes are the reply.
//   b >= 0x80: a request; the next 25 bytes give type, view, continueIdx,
//             scrollAmount, pathId, IPaddr (4 bytes each after the type byte),
//             the rest is split at the first 0xFF into two names, each byte
//             pair one UTF-16 unit.
#include <jni.h>
#include <sanitizer/allocator_interface.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <string>
#include <vector>

#include "fake_jni.hpp"
#include "jni_sink.hpp"

extern "C" {
jint Java_VYTconnect_getBufLength(JNIEnv*, jobject, jbyteArray);
jint Java_VYTreport_mapData(JNIEnv*, jobject, jbyteArray, jobject, jint);
jbyteArray Java_VYTservlet_buildVYTRequest(JNIEnv*, jobject, jint, jint, jint, jint, jstring, jstring, jint, jint,
                                           jboolean);
}

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

std::int32_t take32(const std::uint8_t*& p, const std::uint8_t* end) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4 && p < end; ++i) v |= static_cast<std::uint32_t>(*p++) << (8 * i);
    return static_cast<std::int32_t>(v);
}

std::u16string units(const std::uint8_t* p, const std::uint8_t* end) {
    std::u16string s;
    for (; p + 1 < end; p += 2) s.push_back(static_cast<char16_t>(p[0] | p[1] << 8));
    return s;
}

// Resident memory in MB (Linux), printed at fixed run counts so that a long
// run shows whether memory stays flat.
long ResidentMB() {
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return -1;
    const int n = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    return n == 2 ? resident * sysconf(_SC_PAGESIZE) / (1024 * 1024) : -1;
}

void NoteRun() {
    static unsigned long long runs = 0;
    ++runs;
    if (runs == 200000 || runs % 1000000 == 0)
    {
        std::fprintf(stderr, "vyt_fuzz: resident memory %ld MB at %llu runs\n", ResidentMB(), runs);
        // What the allocator holds: live blocks (ours and libFuzzer's corpus
        // alike) against the heap it has mapped, freed blocks in quarantine
        // included.  Resident memory that grows while the live bytes stay flat
        // is the allocator's, not state kept between runs.
        std::fprintf(stderr, "vyt_fuzz: heap %zu KB live, %zu KB mapped at %llu runs\n",
                     __sanitizer_get_current_allocated_bytes() / 1024, __sanitizer_get_heap_size() / 1024, runs);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NoteRun();
    if (size == 0) return 0;
    vyt::test::FakeJni f;
    f.keepCalls = false;
    const std::uint8_t b = data[0];
    if (b < 0x80) {
        jobject target = f.target({});
        f.obj(target)->anyMethod = true;
        if (b & 0x40) f.obj(target)->throwOnCall = 2;
        std::vector<unsigned char> reply(data + 1, data + size);
        jbyteArray a = f.array(reply);
        Java_VYTconnect_getBufLength(f.env(), nullptr, a);
        const jint status = Java_VYTreport_mapData(f.env(), nullptr, a, target, b & 0x3F);
        check(status >= 0 && status <= 2);
    } else {
        const std::uint8_t* p = data + 1;
        const std::uint8_t* end = data + size;
        const jint type = p < end ? *p++ : 0;
        const jint view = take32(p, end), cont = take32(p, end), scroll = take32(p, end);
        const jint path = take32(p, end), ip = take32(p, end);
        const std::uint8_t* split = static_cast<const std::uint8_t*>(std::memchr(p, 0xFF, static_cast<std::size_t>(end - p)));
        const std::uint8_t* mid = split ? split : end;
        jstring tran = (b & 0x01) ? nullptr : f.string(units(p, mid));
        jstring sub = (b & 0x02) ? nullptr : f.string(split ? units(split + 1, end) : u"NOTRANSNAME");
        jbyteArray rec =
            Java_VYTservlet_buildVYTRequest(f.env(), nullptr, type, view, cont, scroll, tran, sub, path, ip, (b & 0x04) != 0);
        if (rec != nullptr) check(f.obj(rec)->bytes.size() == 1132);
    }
    // The adapter never breaks the JNI rules.
    check(f.invalidUtf.empty());
    check(f.pins == 0);
    check(f.maxLiveRefs <= vyt::kLocalRefsPerReply + vyt::kFrameCapacity);
    check(f.openFrames == 0);
    return 0;
}
