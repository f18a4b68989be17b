// The special-thread engine: one calculation of one class, and all classes of one size, for each
// standard (goal: all classes of one size under 10 us).
//
//   build/bin/special_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <string_view>

#include "special_thread.h"

namespace torveld {
namespace {

using special::Series;

void run(benchmark::State& state, const special::SpecialThread& thread,
         std::span<const std::string_view> classes) {
    std::size_t values = 0;
    for (auto _ : state) {
        special::Result r = special::calculate(thread, classes);
        benchmark::DoNotOptimize(r);
        values += r.classes.size();
    }
    if (values == 0) state.SkipWithError("nothing computed");
}

// One class: 5 3/4-14 UNS 2A (a tolerance group over 4 in).
void unifiedOneClass(benchmark::State& state) {
    const std::string_view classes[] = {"2A"};
    run(state, {Series::UNS, 5.75, 14}, classes);
}
BENCHMARK(unifiedOneClass)->Unit(benchmark::kMicrosecond);

// All six classes (1A 2A 3A 1B 2B 3B) of 5 3/4-14 UNS.
void unifiedAllClasses(benchmark::State& state) {
    run(state, {Series::UNS, 5.75, 14}, {});
}
BENCHMARK(unifiedAllClasses)->Unit(benchmark::kMicrosecond);

// All six classes of 1/4-20 UNC: the size is looked up in the UNC size list.
void unifiedStandardSizeAllClasses(benchmark::State& state) {
    run(state, {Series::UNC, 0.25, 20}, {});
}
BENCHMARK(unifiedStandardSizeAllClasses)->Unit(benchmark::kMicrosecond);

// M42x1 in the eight ISO classes a special metric thread is usually asked for.
void metricEightClasses(benchmark::State& state) {
    const std::string_view classes[] = {"4h", "6g", "6e", "4g6g", "4H", "5H", "6H", "7H"};
    run(state, {Series::Metric, 42.0, 1.0}, classes);
}
BENCHMARK(metricEightClasses)->Unit(benchmark::kMicrosecond);

// M28.5x0.6 in the same eight classes: a pitch the tables do not list for the diameter range,
// its pitch-diameter tolerances by ISO 965-1's formula.
void metricFormulaEightClasses(benchmark::State& state) {
    const std::string_view classes[] = {"4h", "6g", "6e", "4g6g", "4H", "5H", "6H", "7H"};
    run(state, {Series::Metric, 28.5, 0.6}, classes);
}
BENCHMARK(metricFormulaEightClasses)->Unit(benchmark::kMicrosecond);

// All six classes of 1.1-8 UN: a special diameter of the 8-UN series (the size lists of UNC,
// UNF, UNEF and UN are searched).
void unifiedConstantPitchAllClasses(benchmark::State& state) {
    run(state, {Series::UN, 1.1, 8}, {});
}
BENCHMARK(unifiedConstantPitchAllClasses)->Unit(benchmark::kMicrosecond);

// 1.1-5 Acme, 2G to 5G external and internal: a diameter between the standard sizes.
void acmeSpecialAllClasses(benchmark::State& state) {
    run(state, {Series::Acme, 1.1, 5}, {});
}
BENCHMARK(acmeSpecialAllClasses)->Unit(benchmark::kMicrosecond);

// 1-5 Acme, 2G to 5G external and internal.
void acmeAllClasses(benchmark::State& state) {
    run(state, {Series::Acme, 1.0, 5}, {});
}
BENCHMARK(acmeAllClasses)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torveld

BENCHMARK_MAIN();
