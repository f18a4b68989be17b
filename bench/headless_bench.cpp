// The reactions of the system on the headless platform, each one whole: the events go through
// the platform's event injection to the main window's handler, which calculates and writes
// every field, list and drill-chart cell as the desktop program would.
//
//   build/bin/headless_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <memory>

#include "control_ids.h"
#include "control_table.h"
#include "data_sheet.h"
#include "headless_windowing.h"
#include "main_window.h"
#include "recording_print_preview.h"

namespace torveld {
namespace {

struct System {
    platform::HeadlessWindowing ui;
    platform::RecordingPrintPreview printing;
    MainWindow main{ui, printing};
    System() {
        main.startUp();
        ui.attach(&main);
    }
    platform::WindowHandle win() const { return main.window(); }
};

// From nothing to the first display: the window, its 140 controls, the 747 drills, the size
// list, the first calculation and the display of UNC 1-64.
void startUpToFirstDisplay(benchmark::State& state) {
    for (auto _ : state) {
        auto system = std::make_unique<System>();
        benchmark::DoNotOptimize(system.get());
        state.PauseTiming();
        system.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(startUpToFirstDisplay)->Unit(benchmark::kMicrosecond);

// One series radio after the other, all 23 in turn: each click runs the refresh cycle (the
// size list refilled, calculation, the whole display, the arrangement changed on entering and
// leaving NPT and NPTF).
void seriesChange(benchmark::State& state) {
    System s;
    SeriesId next = 1;
    for (auto _ : state) {
        s.ui.click(s.win(), seriesRadioId(next));
        next = (next + 1) % series::kCount;
    }
    if (s.main.selection().series != (next + series::kCount - 1) % series::kCount) {
        state.SkipWithError("a series change did not take");
    }
}
BENCHMARK(seriesChange)->Unit(benchmark::kMicrosecond);

// The slowest series change: into and out of the pipe arrangement (UNC and NPT in turn).
void seriesChangePipe(benchmark::State& state) {
    System s;
    bool pipe = false;
    for (auto _ : state) {
        pipe = !pipe;
        s.ui.click(s.win(), pipe ? ids::kNptRadio : ids::kUncRadio);
    }
}
BENCHMARK(seriesChangePipe)->Unit(benchmark::kMicrosecond);

// One size after the other through the 41 UNC sizes: calculation and display.
void sizeChange(benchmark::State& state) {
    System s;
    const int sizes = sizeCount(series::UNC);
    int next = 1;
    for (auto _ : state) {
        s.ui.select(s.win(), ids::kSizeList, next);
        next = (next + 1) % sizes;
    }
}
BENCHMARK(sizeChange)->Unit(benchmark::kMicrosecond);

// Millimetres and inches in turn: 746 drill-chart cells rewritten and the whole display.
void unitSwitch(benchmark::State& state) {
    System s;
    bool metric = false;
    for (auto _ : state) {
        metric = !metric;
        s.ui.click(s.win(), metric ? ids::kMillimeters : ids::kInches);
    }
}
BENCHMARK(unitSwitch)->Unit(benchmark::kMicrosecond);

// The data sheet of UNC 1/4-20, drawn to the recording print preview (a fresh recorder per
// sheet, so the recorded calls do not pile up).
void printSheet(benchmark::State& state) {
    System s;
    s.ui.select(s.win(), ids::kSizeList, 9);
    for (auto _ : state) {
        platform::RecordingPrintPreview preview;
        benchmark::DoNotOptimize(printDataSheet(preview, s.main.sheetInput()));
    }
}
BENCHMARK(printSheet)->Unit(benchmark::kMicrosecond);

// Every size of every series, in inches and then in millimetres, through the window.
void fullSweep(benchmark::State& state) {
    System s;
    int events = 0;
    for (auto _ : state) {
        events = 0;
        for (const int unit : {ids::kInches, ids::kMillimeters}) {
            s.ui.click(s.win(), unit);
            for (SeriesId id = 0; id < series::kCount; ++id) {
                s.ui.click(s.win(), seriesRadioId(id));
                for (int size = 1; size < sizeCount(id); ++size) {
                    s.ui.select(s.win(), ids::kSizeList, size);
                    ++events;
                }
                events += 1;
            }
        }
        s.ui.click(s.win(), ids::kInches);
    }
    state.counters["sizes shown"] = events;
}
BENCHMARK(fullSweep)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torveld

BENCHMARK_MAIN();
