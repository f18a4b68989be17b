// The command-line query in-process: every UN size (237) exported as CSV (goal: under 1.5 ms),
// and one designation answered as a JSON line (goal: under 15 us). No window is started.
//
//   build/bin/query_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <sstream>
#include <vector>

#include "query_output.h"
#include "query_session.h"

namespace torveld::query {
namespace {

std::vector<Answer> answersOf(std::vector<Outcome> outcomes) {
    std::vector<Answer> answers;
    answers.reserve(outcomes.size());
    for (Outcome& o : outcomes) answers.push_back(std::get<Answer>(std::move(o)));
    return answers;
}

// Every UN size answered and written as CSV, as `torveld-query --series UN` does it.
void csvAllUnSizes(benchmark::State& state) {
    const Session session;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        writeCsv(out, answersOf(session.seriesAnswers(series::UN, std::nullopt, Texts::Omitted)));
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["csv_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * sizeCount(series::UN));
}
BENCHMARK(csvAllUnSizes)->Unit(benchmark::kMillisecond);

// One designation read, reported and written as a JSON line; two sizes of different series in
// turn.
void jsonOneDesignation(benchmark::State& state) {
    const Session session;
    const char* const texts[] = {"1/4-20 UNC-2A", "M10x1.25-6H/6g"};
    std::size_t i = 0;
    for (auto _ : state) {
        std::ostringstream out;
        writeJson(out, std::get<Answer>(session.answer(texts[i])));
        benchmark::DoNotOptimize(out.str().size());
        i ^= 1;
    }
}
BENCHMARK(jsonOneDesignation)->Unit(benchmark::kMicrosecond);

// The same with a reading over wires: the measurement and each class's verdict in the line.
void jsonWithAReading(benchmark::State& state) {
    const Session session;
    const WireRequest request{"0.028868", std::string("0.2603"), std::nullopt, {}};
    for (auto _ : state) {
        std::ostringstream out;
        writeJson(out, std::get<Answer>(session.answer("1/4-20 UNC-2A", std::nullopt, request)));
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(jsonWithAReading)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torveld::query

BENCHMARK_MAIN();
