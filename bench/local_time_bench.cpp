// Local time of random seconds over a span: the library's conversion against
// the C library's localtime_r, in UTC and in a zone with daylight saving.
//   vyt_bench --benchmark_filter=LocalTimeSpan
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <random>
#include <thread>
#include <vector>

#include "vyt/local_time.hpp"

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kEnd = 1988150400;  // 2033-01-01 00:00 UTC; the spans end here
constexpr std::size_t kConversions = 2000000;

const char* const kZones[] = {"UTC", "America/New_York"};

// `kConversions` random seconds of the `days` days before kEnd.
std::vector<std::int32_t> Seconds(std::int64_t days) {
    std::mt19937_64 rng(20261209);
    std::uniform_int_distribution<std::int64_t> pick(kEnd - days * kDay, kEnd - 1);
    std::vector<std::int32_t> out(kConversions);
    for (std::int32_t& s : out) s = static_cast<std::int32_t>(pick(rng));
    return out;
}

// Runs the timed loop on a thread of its own, so that every case starts with
// a thread that has converted nothing yet in its zone.  Arguments: the zone's
// index in kZones, the span in days.  The CPU time is that thread's.
template <bool kLibc>
void BM_LocalTimeSpan(benchmark::State& state) {
    const char* zone = kZones[state.range(0)];
    setenv("TZ", zone, 1);
    tzset();
    const std::vector<std::int32_t> seconds = Seconds(state.range(1));
    std::thread([&] {
        std::tm tm{};
        vyt::CachedLocalTime(seconds[0], &tm);  // the thread's first conversion reads the zone
        std::size_t k = 0;
        for (auto _ : state) {
            const std::int32_t s = seconds[k];
            k = k + 1 == seconds.size() ? 0 : k + 1;
            if constexpr (kLibc) {
                const std::time_t t = s;
                benchmark::DoNotOptimize(localtime_r(&t, &tm));
            } else {
                benchmark::DoNotOptimize(vyt::CachedLocalTime(s, &tm));
            }
            benchmark::DoNotOptimize(tm);
        }
    }).join();
    state.SetLabel(zone);
    unsetenv("TZ");
    tzset();
}

void Spans(benchmark::internal::Benchmark* b) {
    for (int zone : {0, 1})
        for (int days : {3, 30, 365, 63 * 365 + 15}) b->Args({zone, days});
    b->Iterations(kConversions)->Unit(benchmark::kNanosecond);
}

BENCHMARK(BM_LocalTimeSpan<false>)->Name("BM_LocalTimeSpanCached")->Apply(Spans);
BENCHMARK(BM_LocalTimeSpan<true>)->Name("BM_LocalTimeSpanLibc")->Apply(Spans);

}  // namespace
