// How much a decode costs besides the JNI calls it cannot avoid.
//   vyt_bench --benchmark_filter=...
#include <benchmark/benchmark.h>

#include <jni.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fake_jni.hpp"
#include "recording_sink.hpp"
#include "vyt/bytes.hpp"
#include "vyt/dispatch.hpp"
#include "vyt/format.hpp"
#include "vyt/layout/interval.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/local_time.hpp"
#include "vyt/timetext.hpp"
#include "vyt/trace.hpp"
#include "vyt/utf8.hpp"
#include "../src/reports/alerts/alert_lines.hpp"
#include "../src/reports/alerts/stamps.hpp"

extern "C" jint Java_VYTreport_mapData(JNIEnv*, jobject, jbyteArray, jobject, jint);

namespace {

using vyt::test::ReplyBuilder;

// Accepts every lookup and call and keeps nothing: the decoder's own cost.
class NullSink final : public vyt::Sink {
public:
    bool on = false;
    std::size_t calls = 0, lines = 0;
    bool tracing() const override { return on; }
    void traceLine(const char*) override { ++lines; }
    void errorLine(const char*) override { ++lines; }
    bool lookup(int, const char*, const char*) override { return true; }
    bool share(int, vyt::TextArg) override { return true; }
    bool call(int, const vyt::CallArgs&) override {
        ++calls;
        return true;
    }
};

// A transaction list of n entries whose names are all different, or (`distinct`
// false) 16 names over and over.
std::vector<unsigned char> allTrans(int n, bool distinct) {
    ReplyBuilder r(28 + 68 * static_cast<std::size_t>(n));
    r.i32(8, n);
    for (int k = 0; k < n; ++k)
        r.text(28 + 68 * static_cast<std::size_t>(k), "transaction-" + std::to_string(distinct ? k : k % 16));
    return r.bytes();
}
std::vector<unsigned char> allTrans(int n) { return allTrans(n, true); }

std::vector<unsigned char> rspTimeDetail(int n) {
    ReplyBuilder r(1568 + 72 * static_cast<std::size_t>(n));
    r.i32(8, n).i32(1544, 1600003600).i32(1548, 1600000000).i32(1564, 1);
    r.text(84, "/shop/cart").text(1136, "10.0.0.1").text(1312, "db.example");
    for (int k = 0; k < n; ++k) r.text(1568 + 72 * static_cast<std::size_t>(k) + 44, "192.168.1." + std::to_string(k % 250));
    return r.bytes();
}

void DecodeOnly(benchmark::State& state, std::vector<unsigned char> (*make)(int), int type, bool tracing) {
    const auto reply = make(static_cast<int>(state.range(0)));
    NullSink sink;
    sink.on = tracing;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyt::MapReply(vyt::Bytes(reply.data(), reply.size()), type, sink));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

void BM_AllTransDecode(benchmark::State& s) { DecodeOnly(s, allTrans, 1, false); }
void BM_AllTransDecodeTracing(benchmark::State& s) { DecodeOnly(s, allTrans, 1, true); }
void BM_RspTimeDetailDecode(benchmark::State& s) { DecodeOnly(s, rspTimeDetail, 10, false); }

// Through the exported method and the JNI adapter, against the fake JNIEnv.
void BM_AllTransThroughAdapter(benchmark::State& state) {
    vyt::test::FakeJni f;
    f.keepCalls = false;
    jobject target = f.target({"setData (II)V", "addEntry (Ljava/lang/String;I)V"});
    jbyteArray a = f.array(allTrans(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(Java_VYTreport_mapData(f.env(), nullptr, a, target, 1));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// What copying a text field onto the stack would cost against reading it in
// place as the decoders do (finding its NUL and checking it for ASCII in one
// pass).  Fields hold a text of `len` bytes, as in the JVM benchmark's replies.
template <std::size_t W>
void BM_TextFieldCopy(benchmark::State& state) {
    const std::size_t len = static_cast<std::size_t>(state.range(0));
    std::vector<unsigned char> reply(W * 256, 0);
    for (std::size_t k = 0; k < 256; ++k)
        for (std::size_t i = 0; i < len && i + 1 < W; ++i) reply[k * W + i] = static_cast<unsigned char>('a' + (k + i) % 26);
    std::size_t k = 0;
    for (auto _ : state) {
        const unsigned char* p = reply.data() + (k++ & 255) * W;
        char copy[W + 1];
        const void* nul = std::memchr(p, 0, W);
        const std::size_t n = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - p) : W;
        std::memcpy(copy, p, n);
        copy[n] = '\0';
        benchmark::DoNotOptimize(copy);
        benchmark::DoNotOptimize(vyt::IsAscii(copy, n));
    }
}

template <std::size_t W>
void BM_TextFieldInPlace(benchmark::State& state) {
    const std::size_t len = static_cast<std::size_t>(state.range(0));
    std::vector<unsigned char> reply(W * 256, 0);
    for (std::size_t k = 0; k < 256; ++k)
        for (std::size_t i = 0; i < len && i + 1 < W; ++i) reply[k * W + i] = static_cast<unsigned char>('a' + (k + i) % 26);
    std::size_t k = 0;
    for (auto _ : state) {
        const vyt::TextField<W> t(reply.data() + (k++ & 255) * W, W);
        benchmark::DoNotOptimize(t.data());
        benchmark::DoNotOptimize(t.ascii());
    }
}

// Time texts on a warm thread, for second counts within a few days.
std::int32_t Second(std::size_t k) { return 1796659898 + static_cast<std::int32_t>((k * 7919) % 259200); }

void BM_LocalTimeLibc(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        std::tm tm{};
        const std::time_t t = Second(k++);
        benchmark::DoNotOptimize(localtime_r(&t, &tm));
    }
}

void BM_LocalTimeCached(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        std::tm tm{};
        benchmark::DoNotOptimize(vyt::CachedLocalTime(Second(k++), &tm));
        benchmark::DoNotOptimize(tm);
    }
}

using Stamp = void (*)(std::int32_t, char (&)[vyt::kTimeTextMax]);

// A stamp formatter over the second counts `second` gives, one after the other.
void Stamps(benchmark::State& state, Stamp format, std::int32_t (*second)(std::size_t)) {
    std::size_t k = 0;
    char buf[vyt::kTimeTextMax];
    for (auto _ : state) {
        format(second(k++), buf);
        benchmark::DoNotOptimize(buf);
    }
}

// Seconds within three hours of 2026-03-08 07:00 UTC, when New York changes
// to daylight-saving time: the local day of the change has two parts, one on
// either side.
std::int32_t NearChange(std::size_t k) { return 1772953200 - 10800 + static_cast<std::int32_t>((k * 7919) % 21600); }

// The library's "MM/DD/YY (hh:mm:ss)" stamp: cached local time, digits written directly.
void BM_DateTimeStamp(benchmark::State& s) { Stamps(s, vyt::DateTimeStamp, Second); }
void BM_DateTimeStampAcrossChange(benchmark::State& s) { Stamps(s, vyt::DateTimeStamp, NearChange); }
// The alert reports' "hh:mm:ss<br>MM/DD" and the summary's "MM/DD hh:mm".
void BM_AlertStartTimeText(benchmark::State& s) { Stamps(s, vyt::alerts::AlertStartText, Second); }
void BM_IntervalStamp(benchmark::State& s) { Stamps(s, vyt::alerts::IntervalStamp, Second); }

// The duration and status-time texts with tracing off, as decoders make them per entry.
class QuietTracer final : public vyt::Tracer {
public:
    bool tracing() const override { return false; }
    void traceLine(const char*) override {}
    void errorLine(const char*) override {}
};

void BM_FormatDurationTime(benchmark::State& state) {
    QuietTracer t;
    std::size_t k = 0;
    vyt::TimeText buf;
    for (auto _ : state) {
        const std::int32_t now = Second(k++);
        benchmark::DoNotOptimize(vyt::FormatDurationTime(t, now, now - static_cast<std::int32_t>(k % 7200), 1, buf));
    }
}

void BM_FormatStatusTime(benchmark::State& state) {
    QuietTracer t;
    std::size_t k = 0;
    vyt::TimeText buf;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyt::FormatStatusTime(t, static_cast<std::int32_t>((k++ * 7919) % 259200), 1, buf));
    }
}

BENCHMARK(BM_LocalTimeLibc);
BENCHMARK(BM_LocalTimeCached);
BENCHMARK(BM_DateTimeStamp);
BENCHMARK(BM_DateTimeStampAcrossChange);
BENCHMARK(BM_AlertStartTimeText);
BENCHMARK(BM_IntervalStamp);
BENCHMARK(BM_FormatDurationTime);
BENCHMARK(BM_FormatStatusTime);

BENCHMARK(BM_TextFieldCopy<16>)->Arg(9);
BENCHMARK(BM_TextFieldInPlace<16>)->Arg(9);
BENCHMARK(BM_TextFieldCopy<64>)->Arg(12);
BENCHMARK(BM_TextFieldInPlace<64>)->Arg(12);
BENCHMARK(BM_TextFieldCopy<128>)->Arg(20);
BENCHMARK(BM_TextFieldInPlace<128>)->Arg(20);
BENCHMARK(BM_TextFieldCopy<1024>)->Arg(40);
BENCHMARK(BM_TextFieldInPlace<1024>)->Arg(40);

BENCHMARK(BM_AllTransDecode)->Arg(1000)->Arg(100000);
BENCHMARK(BM_AllTransDecodeTracing)->Arg(1000);
BENCHMARK(BM_RspTimeDetailDecode)->Arg(1000);
BENCHMARK(BM_AllTransThroughAdapter)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();

// ---- the library's own cost per entry, against JNI functions that do nothing ----

namespace trivial {
// A JNIEnv whose functions do (almost) nothing, so that what is left of a
// mapData call is the library's own work.  The floor loop below makes the same
// JNI calls a minimal decoder must make (one string per text, one upcall).
std::vector<unsigned char> gReply;
int gSink;
jsize JNICALL GetArrayLength(JNIEnv*, jarray) { return static_cast<jsize>(gReply.size()); }
jbyte* JNICALL GetByteArrayElements(JNIEnv*, jbyteArray, jboolean*) { return reinterpret_cast<jbyte*>(gReply.data()); }
void JNICALL ReleaseByteArrayElements(JNIEnv*, jbyteArray, jbyte*, jint) {}
jboolean JNICALL ExceptionCheck(JNIEnv*) { return JNI_FALSE; }
jclass JNICALL GetObjectClass(JNIEnv*, jobject) { return reinterpret_cast<jclass>(&gSink); }
jmethodID JNICALL GetMethodID(JNIEnv*, jclass, const char*, const char*) { return reinterpret_cast<jmethodID>(&gSink); }
jstring JNICALL NewStringUTF(JNIEnv*, const char* s) {
    benchmark::DoNotOptimize(s[0]);
    return reinterpret_cast<jstring>(&gSink);
}
void JNICALL DeleteLocalRef(JNIEnv*, jobject o) { benchmark::DoNotOptimize(o); }
void JNICALL CallVoidMethodA(JNIEnv*, jobject, jmethodID, const jvalue* v) { benchmark::DoNotOptimize(v[0]); }
jint JNICALL EnsureLocalCapacity(JNIEnv*, jint) { return 0; }
jint JNICALL PushLocalFrame(JNIEnv*, jint) { return 0; }
jobject JNICALL PopLocalFrame(JNIEnv*, jobject) { return nullptr; }

JNIEnv* Env() {
    static JNINativeInterface_ table = [] {
        JNINativeInterface_ t{};
        t.GetArrayLength = GetArrayLength;
        t.GetByteArrayElements = GetByteArrayElements;
        t.ReleaseByteArrayElements = ReleaseByteArrayElements;
        t.ExceptionCheck = ExceptionCheck;
        t.GetObjectClass = GetObjectClass;
        t.GetMethodID = GetMethodID;
        t.NewStringUTF = NewStringUTF;
        t.DeleteLocalRef = DeleteLocalRef;
        t.CallVoidMethodA = CallVoidMethodA;
        t.EnsureLocalCapacity = EnsureLocalCapacity;
        t.PushLocalFrame = PushLocalFrame;
        t.PopLocalFrame = PopLocalFrame;
        return t;
    }();
    static JNIEnv env{&table};
    return &env;
}
}  // namespace trivial

// mapData of `reply` (report type `type`, state.range(0) entries) against the do-nothing JNIEnv.
void OwnCost(benchmark::State& state, std::vector<unsigned char> reply, int type) {
    trivial::gReply = std::move(reply);
    JNIEnv* env = trivial::Env();
    auto array = reinterpret_cast<jbyteArray>(&trivial::gSink);
    auto target = reinterpret_cast<jobject>(&trivial::gSink);
    if (Java_VYTreport_mapData(env, nullptr, array, target, type) != 0) state.SkipWithError("mapData failed");
    for (auto _ : state) benchmark::DoNotOptimize(Java_VYTreport_mapData(env, nullptr, array, target, type));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_AllTransOwnCost(benchmark::State& state) { OwnCost(state, allTrans(static_cast<int>(state.range(0))), 1); }
// A reply of the seed corpus (report type state.range(0)), the file's first byte being its type.
void BM_SeedOwnCost(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "reply-%02d-", type);
    for (const auto& e : std::filesystem::directory_iterator(VYT_CORPUS_DIR)) {
        if (e.path().filename().string().rfind(prefix, 0) != 0) continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::vector<unsigned char> all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        OwnCost(state, std::vector<unsigned char>(all.begin() + 1, all.end()), type);
        state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));  // replies, not entries
        return;
    }
    state.SkipWithError("no seed reply");
}

void BM_AllTransRepeatedOwnCost(benchmark::State& state) {
    OwnCost(state, allTrans(static_cast<int>(state.range(0)), false), 1);
}

// The same calls as a decoder that does nothing but what the callback contract forces.
void BM_AllTransFloorCost(benchmark::State& state) {
    trivial::gReply = allTrans(static_cast<int>(state.range(0)));
    JNIEnv* env = trivial::Env();
    for (auto _ : state) {
        const auto& r = trivial::gReply;
        jvalue v[2];
        for (int k = 0; k < state.range(0); ++k) {
            const char* name = reinterpret_cast<const char*>(r.data() + 28 + 68 * static_cast<std::size_t>(k));
            jstring s = env->NewStringUTF(name);
            v[0].l = s;
            std::int32_t flags;
            std::memcpy(&flags, name + 64, 4);
            v[1].i = flags;
            env->CallVoidMethodA(nullptr, nullptr, v);
            env->DeleteLocalRef(s);
            benchmark::DoNotOptimize(env->ExceptionCheck());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// Entries without texts: two ints per upcall.
void BM_PathPortOwnCost(benchmark::State& state) {
    const std::size_t header = sizeof(vyt::layout::TransPathPortHeader), entry = sizeof(vyt::layout::TransPathPortEntry);
    const int n = static_cast<int>(state.range(0));
    ReplyBuilder r(header + entry * static_cast<std::size_t>(n));
    r.i32(8, n);
    for (int k = 0; k < n; ++k) r.i32(header + entry * static_cast<std::size_t>(k), 8000 + k);
    OwnCost(state, r.bytes(), 16);
}

BENCHMARK(BM_AllTransOwnCost)->Arg(0)->Arg(1000);
BENCHMARK(BM_SeedOwnCost)->Arg(3)->Arg(17)->Arg(25)->Arg(28);
BENCHMARK(BM_AllTransRepeatedOwnCost)->Arg(1000);
BENCHMARK(BM_PathPortOwnCost)->Arg(1000);
BENCHMARK(BM_AllTransFloorCost)->Arg(1000);

// ---- trace lines ------------------------------------------------------------------
// Type 11's entry line (25 conversions, some 570 characters, the decoder's own
// format) formatted by the library's formatter and by the C library's vsnprintf.
namespace {

std::size_t FormatEntryLine(bool own, char* buf, std::size_t size, const char* fmt, ...) VYT_PRINTF(4, 5);
std::size_t FormatEntryLine(bool own, char* buf, std::size_t size, const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    const std::size_t n = own ? vyt::FormatLine(buf, size, fmt, ap) : static_cast<std::size_t>(std::vsnprintf(buf, size, fmt, ap));
    va_end(ap);
    return n;
}

void EntryLine(benchmark::State& state, bool own) {
    char line[vyt::kLineMax];
    int k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatEntryLine(
            own, line, sizeof line, vyt::alerts::kCurrentAlertEntryLine,
            k++, 1000, "checkout/confirm-0042", "12/09 05:20", 1796659898, 12345, 16385, "branch-office-07",
            "data-centre-02", 443, 1234, 5, 6, 7, 8, 9, 2, 1, 1, 1, 1, 1, 1, 3, 2));
    }
}
void BM_EntryLineFormatLine(benchmark::State& s) { EntryLine(s, true); }
void BM_EntryLineVsnprintf(benchmark::State& s) { EntryLine(s, false); }

BENCHMARK(BM_EntryLineFormatLine);
BENCHMARK(BM_EntryLineVsnprintf);

}  // namespace

// ---- hex dump rows --------------------------------------------------------------
// PrintDump of 64 KB (4,096 full rows) through a tracer that writes to the
// trace file, which is /dev/null here: the rows' formatting and the copies
// into the line buffer, with the writes as cheap as they get.
namespace {

class DumpFileTracer final : public vyt::Tracer {
public:
    bool tracing() const override { return true; }
    void traceLine(const char*) override {}
    void errorLine(const char*) override {}
    bool writesTraceFile() const override { return true; }
};

void BM_TraceDumpRows(benchmark::State& state) {
    std::vector<unsigned char> bytes(64 * 1024);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 131 + i / 7);
    vyt::trace::close();
    vyt::trace::open("/dev/null");
    DumpFileTracer t;
    for (auto _ : state) vyt::PrintDump(t, bytes.data(), 0, static_cast<int>(bytes.size()));
    vyt::trace::close();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size() / 16));
}

BENCHMARK(BM_TraceDumpRows);

}  // namespace

// ---- tracing on, the library's own part ------------------------------------------
// mapData of a 1,000-entry response-time reply (type 4) against the do-nothing
// JNIEnv with tracing on into /dev/null: the entry lines, the dump of the
// reply and the line buffer's copies, the kernel's writes as cheap as they get.
namespace {

void BM_RspTimeTracedOwnCost(benchmark::State& state) {
    namespace L = vyt::layout;
    const std::size_t header = sizeof(L::IntervalHeader), entry = sizeof(L::TransRspTimeEntry);
    const int n = static_cast<int>(state.range(0));
    ReplyBuilder r(header + entry * static_cast<std::size_t>(n));
    r.i32(8, n);
    const std::size_t ends = offsetof(L::TransRspTimeEntry, path) + offsetof(L::PathEndpoints, ends);
    for (int k = 0; k < n; ++k) {
        const std::size_t at = header + entry * static_cast<std::size_t>(k);
        const std::string suffix = std::to_string(k % 16);
        r.i32(at + offsetof(L::PathEndpoints, pathId), k);
        r.text(at + ends + offsetof(L::PathPortsAndEndpoints, pathIPSrcNetName), "branch-office-" + suffix);
        r.text(at + ends + offsetof(L::PathPortsAndEndpoints, pathIPDstNetName), "data-centre-" + suffix);
        r.text(at + ends + offsetof(L::PathPortsAndEndpoints, pathIPSrcAlias), "branch" + suffix);
        r.text(at + ends + offsetof(L::PathPortsAndEndpoints, pathIPDstAlias), "dc" + suffix);
        r.i32(at + offsetof(L::TransRspTimeEntry, pathTotRespTimeAvg), 1234 + k);
    }
    vyt::trace::close();
    vyt::trace::open("/dev/null");
    vyt::trace::enable();  // for good: run it alone or last
    OwnCost(state, r.bytes(), 4);
    vyt::trace::close();
}

BENCHMARK(BM_RspTimeTracedOwnCost)->Arg(1000);

}  // namespace
