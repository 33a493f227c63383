// How much a decode costs besides the JNI calls it cannot avoid.
//   vyt_bench --benchmark_filter=...
#include <benchmark/benchmark.h>

#include <jni.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "fake_jni.hpp"
#include "recording_sink.hpp"
#include "vyt/bytes.hpp"
#include "vyt/dispatch.hpp"
#include "vyt/local_time.hpp"
#include "vyt/timetext.hpp"
#include "vyt/utf8.hpp"

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
    bool call(int, const vyt::Arg*, std::size_t) override {
        ++calls;
        return true;
    }
};

std::vector<unsigned char> allTrans(int n) {
    ReplyBuilder r(28 + 68 * static_cast<std::size_t>(n));
    r.i32(8, n);
    for (int k = 0; k < n; ++k) r.text(28 + 68 * static_cast<std::size_t>(k), "transaction-" + std::to_string(k));
    return r.bytes();
}

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

// What the decoders' copy of each text field onto the stack (FixedText) costs
// against reading the field in place (finding its NUL and checking it for
// ASCII).  Fields hold a text of `len` bytes, as in the JVM benchmark's replies.
template <std::size_t W>
void BM_TextFieldCopy(benchmark::State& state) {
    const std::size_t len = static_cast<std::size_t>(state.range(0));
    std::vector<unsigned char> reply(W * 256, 0);
    for (std::size_t k = 0; k < 256; ++k)
        for (std::size_t i = 0; i < len && i + 1 < W; ++i) reply[k * W + i] = static_cast<unsigned char>('a' + (k + i) % 26);
    std::size_t k = 0;
    for (auto _ : state) {
        vyt::FixedText<W> t(reply.data() + (k++ & 255) * W, W);
        benchmark::DoNotOptimize(t.c_str());
        benchmark::DoNotOptimize(vyt::IsAscii(t.c_str(), t.size()));
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
        const unsigned char* p = reply.data() + (k++ & 255) * W;
        const void* nul = std::memchr(p, 0, W);
        const std::size_t n = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - p) : W;
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(vyt::IsAscii(reinterpret_cast<const char*>(p), n));
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

// The library's "MM/DD/YY (hh:mm:ss)" stamp: cached local time, digits written directly.
void BM_DateTimeStamp(benchmark::State& state) {
    std::size_t k = 0;
    char buf[vyt::kTimeTextMax];
    for (auto _ : state) {
        vyt::DateTimeStamp(Second(k++), buf);
        benchmark::DoNotOptimize(buf);
    }
}

BENCHMARK(BM_LocalTimeLibc);
BENCHMARK(BM_LocalTimeCached);
BENCHMARK(BM_DateTimeStamp);

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

// ---- trace lines ------------------------------------------------------------------
// Type 11's entry line (25 conversions, some 570 characters) formatted by the
// library's formatter and by the C library's vsnprintf.
#include <cstdarg>
#include <cstdio>

#include "vyt/format.hpp"

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
            own, line, sizeof line,
            "\nIdx[%d/%d] tranName<%s> startTime<%s> pathFirstAlertUTCStart=%d pathId=%d flags=%d "
            "pathIPSrcNetName<%s> pathIPDstNetName<%s> pathIPDstPort=%d pathTotRespTimeDataCt=%d "
            "pathTotRespTimeAlert=%d pathNetRespTimeAlert=%d pathSrvRespTimeAlert=%d "
            "pathAppRespTimeAlert=%d pathWaitRespTimeAlert=%d worstComponentState=%d "
            "pathTotRespTimeAlertState=%d pathNetRespTimeAlertState=%d pathSrvRespTimeAlertState=%d "
            "pathAppRespTimeAlertState=%d pathWaitRespTimeAlertState=%d pathMaxRespTimeAlertState=%d "
            "pathRespTimeAlert=%d pathRespTimeAlertState=%d \n",
            k++, 1000, "checkout/confirm-0042", "12/09 05:20", 1796659898, 12345, 16385, "branch-office-07",
            "data-centre-02", 443, 1234, 5, 6, 7, 8, 9, 2, 1, 1, 1, 1, 1, 1, 3, 2));
    }
}
void BM_EntryLineFormatLine(benchmark::State& s) { EntryLine(s, true); }
void BM_EntryLineVsnprintf(benchmark::State& s) { EntryLine(s, false); }

BENCHMARK(BM_EntryLineFormatLine);
BENCHMARK(BM_EntryLineVsnprintf);

}  // namespace
