// Reading and resolving thread designations (goal: under 5 µs each).
//
//   build/bin/designation_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstddef>
#include <iterator>

#include "designation.h"

namespace torveld::designation {
namespace {

// The forms people write, each read and resolved in turn: with and without series, class and
// hand, number sizes, decimals, metric, pipe, special sizes.
const char* const kMix[] = {
    "1/4-20 UNC",
    "1/4-20 UNC-2A",
    "1/4-20UNC2B",
    ".250-20 UNC",
    "#10-32 UNF",
    "No. 10-32",
    "10-32",
    "7/8-9 UNJC-3A",
    "1/2-13 UNC-2A LH",
    "M10",
    "M10x1.5",
    "M10 x 1.25-6g",
    "M10x1-6H/6g",
    "1/2-14 NPT",
    "1/2 NPTF",
    "3/4-10 ACME-2G",
    "1/2-10 STUB ACME",
    "0.30 UNM",
    "1/4 BSW",
    "1/4-26 BSF",
    "2 BA",
    "1/4-20 UNC-STI",
    ".6875-24 UNS-2A",
    "M42x1-6g",
    "1 1/4-7 UNC-2A/2B",
    "5 3/4-16 UN",
    "5.8750-16 UNJ",
    "m10\u00d71.25\u20136g",
};

void readMix(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const Result r = read(kMix[i]);
        benchmark::DoNotOptimize(&r);
        if (++i == std::size(kMix)) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(readMix);

// The longest search: no series named, every inch table searched.
void readWithoutSeries(benchmark::State& state) {
    for (auto _ : state) {
        const Result r = read("1 1/2-12");
        benchmark::DoNotOptimize(&r);
    }
}
BENCHMARK(readWithoutSeries);

// An error with its message and nearest sizes.
void readSizeNotTabulated(benchmark::State& state) {
    for (auto _ : state) {
        const Result r = read("1/4-21 UNC");
        benchmark::DoNotOptimize(&r);
    }
}
BENCHMARK(readSizeNotTabulated);

}  // namespace
}  // namespace torveld::designation

BENCHMARK_MAIN();
