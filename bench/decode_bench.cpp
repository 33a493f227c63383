// How much a decode costs besides the JNI calls it cannot avoid.
//   vyt_bench --benchmark_filter=...
#include <benchmark/benchmark.h>

#include <jni.h>

#include <string>
#include <vector>

#include "fake_jni.hpp"
#include "recording_sink.hpp"
#include "vyt/dispatch.hpp"

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

BENCHMARK(BM_AllTransDecode)->Arg(1000)->Arg(100000);
BENCHMARK(BM_AllTransDecodeTracing)->Arg(1000);
BENCHMARK(BM_RspTimeDetailDecode)->Arg(1000);
BENCHMARK(BM_AllTransThroughAdapter)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
