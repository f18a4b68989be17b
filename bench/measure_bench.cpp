// Inspection: a reading over wires to a verdict (goal: under 5 us), and naming a thread from a
// caliper and a pitch gauge over every series of the catalogue and its special sizes (goal:
// under 1 ms).
//
//   build/bin/measure_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "identify.h"
#include "over_wires.h"
#include "thread_measuring.h"

namespace torveld {
namespace {

using measure::Side;
using measure::Unit;

// The first identification of a process, which makes the catalogue's records from every table
// row: run once, before the others.
void identifyFirstCallOfAProcess(benchmark::State& state) {
    for (auto _ : state) {
        measure::Identification id =
            measure::identify({Side::External, 0.249, Unit::Inch, 20, PitchUnit::ThreadsPerInch,
                               std::nullopt, std::nullopt});
        benchmark::DoNotOptimize(id);
    }
}
BENCHMARK(identifyFirstCallOfAProcess)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1)
    ->Repetitions(1);

// 1/4-20 UNC (table row 9): a reading over 0.0289 in wires judged against its four classes.
void readingToVerdict(benchmark::State& state) {
    const measure::WireThreadResult thread = measure::wireThreadOf(series::UNC, 9);
    if (!thread.ok()) {
        state.SkipWithError("no thread");
        return;
    }
    const measure::WireInput input{0.028868, 0.2603, 0.0, measure::LeadAngle::FormDefault};
    for (auto _ : state) {
        measure::WireResult r = measure::measureOverWires(thread.thread, input);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(readingToVerdict)->Unit(benchmark::kMicrosecond);

// The same from the table row: the thread's limits calculated, then the reading judged.
void rowAndReadingToVerdict(benchmark::State& state) {
    const measure::WireInput input{0.028868, 0.2603, 0.0, measure::LeadAngle::FormDefault};
    for (auto _ : state) {
        const measure::WireThreadResult thread = measure::wireThreadOf(series::UNC, 9);
        measure::WireResult r = measure::measureOverWires(thread.thread, input);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(rowAndReadingToVerdict)->Unit(benchmark::kMicrosecond);

// 1 1/4-5 Acme with the lead-angle term (its pitch diameter found by iteration).
void acmeReadingWithLeadAngle(benchmark::State& state) {
    const measure::WireThreadResult thread = measure::wireThreadOf(series::ACME, 10);
    if (!thread.ok()) {
        state.SkipWithError("no thread");
        return;
    }
    const measure::WireInput input{0.10329, 1.2565, 0.0, measure::LeadAngle::Included};
    for (auto _ : state) {
        measure::WireResult r = measure::measureOverWires(thread.thread, input);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(acmeReadingWithLeadAngle)->Unit(benchmark::kMicrosecond);

// The same through the thread report, as the MEASURE window and torveld-query do it: the
// report's classes made into the thread, then the reading judged.
void reportReadingToVerdict(benchmark::State& state) {
    const ThreadReport report = tableReport(series::UNC, 9);
    const measure::WireInput input{0.028868, 0.2603, 0.0, measure::LeadAngle::FormDefault};
    for (auto _ : state) {
        measure::WireResult r = reportOverWires(report, input, Unit::Inch);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(reportReadingToVerdict)->Unit(benchmark::kMicrosecond);

void identify(benchmark::State& state, const measure::IdentifyInput& input) {
    measure::catalogueRecords();  // made once per process, outside the loop
    std::size_t candidates = 0;
    for (auto _ : state) {
        measure::Identification id = measure::identify(input);
        candidates += id.candidates.size();
        benchmark::DoNotOptimize(id);
    }
    if (candidates == 0) state.SkipWithError("no candidate");
}

// 0.249 in at 20 threads per inch, nothing else known: every series, the UNS, UN, UNJ, ISO
// FINE, ACME and STUB ACME special sizes next to it, four tied candidates and their separation.
void identifyQuarterInch(benchmark::State& state) {
    identify(state, {Side::External, 0.249, Unit::Inch, 20, PitchUnit::ThreadsPerInch, std::nullopt,
                     std::nullopt});
}
BENCHMARK(identifyQuarterInch)->Unit(benchmark::kMicrosecond);

// 0.747 in at 10 threads per inch: six tied candidates of four forms.
void identifyThreeQuarterInch(benchmark::State& state) {
    identify(state, {Side::External, 0.747, Unit::Inch, 10, PitchUnit::ThreadsPerInch, std::nullopt,
                     std::nullopt});
}
BENCHMARK(identifyThreeQuarterInch)->Unit(benchmark::kMicrosecond);

// 41.9 mm at 1 mm: a special ISO fine size.
void identifyMetricSpecial(benchmark::State& state) {
    identify(state, {Side::External, 41.9, Unit::Millimetre, 1.0, PitchUnit::Millimetres,
                     std::nullopt, std::nullopt});
}
BENCHMARK(identifyMetricSpecial)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torveld

BENCHMARK_MAIN();
