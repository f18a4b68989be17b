// The reactions of the system on the headless platform, each one whole: the events go through
// the platform's event injection to the main window's handler, which calculates and writes
// every field, list and drill-chart cell as the desktop program would.
//
//   build/bin/headless_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

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

// The same through the sizes of one series, the argument: UNC against G, R (the taper pipe
// arrangement) and Tr, whose sizes must show within 10 % of a UNC size.
void sizeChangeIn(benchmark::State& state) {
    System s;
    const auto series = static_cast<SeriesId>(state.range(0));
    s.ui.click(s.win(), seriesRadioId(series));
    const int sizes = std::min(sizeCount(series), 41);
    int next = 1;
    for (auto _ : state) {
        s.ui.select(s.win(), ids::kSizeList, next);
        next = (next + 1) % sizes;
    }
    if (s.main.selection().series != series) state.SkipWithError("the series did not take");
    state.SetLabel(std::string(seriesById(series).name));
}
BENCHMARK(sizeChangeIn)
    ->Arg(series::UNC)
    ->Arg(series::G)
    ->Arg(series::R)
    ->Arg(series::TR)
    ->Unit(benchmark::kMicrosecond);

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

// A designation found, as Return in the find box finds it: read, resolved and shown as the radio
// and a pick show it; UNC and UNF sizes in turn, so that each find changes the series.
void findTabulated(benchmark::State& state) {
    System s;
    bool unf = false;
    for (auto _ : state) {
        unf = !unf;
        benchmark::DoNotOptimize(s.main.find(unf ? "1/4-28 UNF-2A" : "1/4-20 UNC-2A"));
    }
    if (!s.main.lastFind() || !s.main.lastFind()->outcome.found) {
        state.SkipWithError("a find did not take");
    }
}
BENCHMARK(findTabulated)->Unit(benchmark::kMicrosecond);

// A new special size each time: the engine's limits of UNS 2A and 2B at a diameter no list holds
// yet, the size list grown by one entry, and the display.
void findNewSpecial(benchmark::State& state) {
    auto s = std::make_unique<System>();
    int thousandths = 0;
    for (auto _ : state) {
        if (++thousandths > 2000) {  // a fresh system now and then keeps the list short
            state.PauseTiming();
            s = std::make_unique<System>();
            thousandths = 1;
            state.ResumeTiming();
        }
        // 3.001-13 UNS, 3.002-13 UNS, ...
        const int value = 3000 + thousandths;
        std::string text(1, static_cast<char>('0' + value / 1000));
        text += '.';
        for (int place : {100, 10, 1}) text += static_cast<char>('0' + value / place % 10);
        text += "-13 UNS";
        benchmark::DoNotOptimize(s->main.find(text));
    }
    if (!s->main.specialSize()) state.SkipWithError("a special size was not shown");
}
BENCHMARK(findNewSpecial)->Unit(benchmark::kMicrosecond);

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

// The MEASURE window open over 1/4-20 UNC: a reading typed and entered, judged against the four
// classes and the window's tables and messages written (goal: under 5 us for the reading to
// its verdict, measure_bench; this is the whole reaction).
void measureReadingToVerdict(benchmark::State& state) {
    System s;
    s.ui.select(s.win(), ids::kSizeList, 9);
    s.ui.click(s.win(), ids::kMeasure);
    const platform::WindowHandle w = s.main.measureWindow().handle();
    s.ui.type(w, MeasureWindow::kWireEntryId, "0.028868");
    const char* const readings[] = {"0.2603", "0.2583"};
    std::size_t i = 0;
    for (auto _ : state) {
        s.ui.type(w, MeasureWindow::kReadingEntryId, readings[i ^= 1]);
        s.ui.key(w, {platform::keys::kReturn, false});
    }
    if (s.main.measureWindow().view().wireRows.empty()) state.SkipWithError("nothing judged");
}
BENCHMARK(measureReadingToVerdict)->Unit(benchmark::kMicrosecond);

// A size change while the MEASURE window is open: the main window's display and the window's
// over-wire limits, verdicts and gauges for the new size.
void sizeChangeWithMeasureWindow(benchmark::State& state) {
    System s;
    s.ui.click(s.win(), ids::kMeasure);
    const platform::WindowHandle w = s.main.measureWindow().handle();
    s.ui.type(w, MeasureWindow::kWireEntryId, "0.0289 in");
    s.ui.key(w, {platform::keys::kReturn, false});
    const int sizes = sizeCount(series::UNC);
    int next = 1;
    for (auto _ : state) {
        s.ui.select(s.win(), ids::kSizeList, next);
        next = (next + 1) % sizes;
    }
}
BENCHMARK(sizeChangeWithMeasureWindow)->Unit(benchmark::kMicrosecond);

// Naming a thread in the MEASURE window: 0.249 in at 20 tpi, every series and the special
// sizes next to it, the candidates listed with their designations (goal: under 1 ms).
void measureIdentify(benchmark::State& state) {
    System s;
    s.ui.click(s.win(), ids::kMeasure);
    const platform::WindowHandle w = s.main.measureWindow().handle();
    s.ui.type(w, MeasureWindow::kPitchEntryId, "20 tpi");
    const char* const diameters[] = {"0.249 in", "0.747 in"};
    std::size_t i = 0;
    for (auto _ : state) {
        s.ui.type(w, MeasureWindow::kDiameterEntryId, diameters[i ^= 1]);
        s.ui.key(w, {platform::keys::kReturn, false});
    }
    if (s.main.measureWindow().identification().designations.empty()) {
        state.SkipWithError("no candidate");
    }
}
BENCHMARK(measureIdentify)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torveld

BENCHMARK_MAIN();
