// Start-up of the desktop program to its first frame: the Qt platform, the main window's
// start-up (every control, the 747 drills, the first calculation and display) and the first
// paint of the window, against an empty Qt window of the same size measured in the same run.
// Without a display it runs on Qt's offscreen platform.
//
// In this process (QApplication already running): startUpToFirstFrame, emptyWindowToFirstFrame.
// As whole processes, from launch to the first painted frame, with peak memory:
// processStartUpToFirstFrame (desktop_startup_probe, the desktop program and an empty window
// launched in turn); queryProcessAgainstDesktop (torveld-query "1/4-20 UNC" from launch to exit,
// beside the desktop program's launch to first frame).
//
//   build/bin/qt_startup_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "control_table.h"
#include "main_window.h"
#include "qt_print_preview.h"
#include "qt_windowing.h"

namespace {

// Notes the first paint of a widget.
class FirstPaint final : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

void startUpToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        torveld::platform::qt::QtWindowing windowing;
        torveld::platform::qt::QtPrintPreview printing;
        torveld::MainWindow window(windowing, printing);
        FirstPaint paint;
        window.startUp();
        QWidget* frame = windowing.windowWidget(window.window());
        frame->installEventFilter(&paint);
        QElapsedTimer limit;
        limit.start();
        while (!paint.painted && limit.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        if (!paint.painted) state.SkipWithError("the main window was never painted");
        frame->removeEventFilter(&paint);
        state.PauseTiming();
        window.shutDown();
        state.ResumeTiming();
    }
}
BENCHMARK(startUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

// The same in this process for an empty frameless window of the main window's size.
void emptyWindowToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        QWidget frame(nullptr, Qt::Window | Qt::FramelessWindowHint);
        frame.resize(torveld::main_window::kWidth, torveld::main_window::kHeight);
        FirstPaint paint;
        frame.installEventFilter(&paint);
        frame.show();
        QElapsedTimer limit;
        limit.start();
        while (!paint.painted && limit.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        if (!paint.painted) state.SkipWithError("the empty window was never painted");
        frame.removeEventFilter(&paint);
        state.PauseTiming();
        frame.close();
        state.ResumeTiming();
    }
}
BENCHMARK(emptyWindowToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

struct ProbeRun {
    double seconds = 0;  // from launch to the first painted frame
    double peakMb = 0;   // the process's peak resident memory
    bool ok = false;
};

// Launches desktop_startup_probe in `mode` and waits for its first frame and its end.
ProbeRun runProbe(const std::string& probe, const char* mode) {
    ProbeRun run;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = dup(fds[1]);  // without close-on-exec, for the probe
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        const std::string fd = std::to_string(out);
        execl(probe.c_str(), probe.c_str(), mode, fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char byte = 0;
    const bool framed = pid > 0 && read(fds[0], &byte, 1) == 1;
    const auto frame = std::chrono::steady_clock::now();
    close(fds[0]);
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
        run.ok = framed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    run.seconds = std::chrono::duration<double>(frame - start).count();
    return run;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) return *middle;
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

// The desktop program and an empty window of the same size, each a process of its own,
// launched one right after the other so that both see the same machine; the time is the
// desktop program's. vs_empty is the median over the launch pairs of the desktop program's time
// over the empty window's, so that a single launch slowed by the shared machine does not tip it.
void processStartUpToFirstFrame(benchmark::State& state) {
    const std::string probe =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "desktop_startup_probe")
            .string();
    std::vector<double> emptyMs, ratios;
    double torveldPeak = 0, emptyPeak = 0;
    for (auto _ : state) {
        const ProbeRun empty = runProbe(probe, "empty");
        const ProbeRun torveld = runProbe(probe, "torveld");
        if (!empty.ok || !torveld.ok || empty.seconds <= 0) {
            state.SkipWithError("a probe did not paint its first frame");
            break;
        }
        state.SetIterationTime(torveld.seconds);
        emptyMs.push_back(1000.0 * empty.seconds);
        ratios.push_back(torveld.seconds / empty.seconds);
        torveldPeak = std::max(torveldPeak, torveld.peakMb);
        emptyPeak = std::max(emptyPeak, empty.peakMb);
    }
    if (!ratios.empty()) {
        state.counters["empty_ms"] = median(emptyMs);
        state.counters["vs_empty"] = median(ratios);
        state.counters["peak_MB"] = torveldPeak;
        state.counters["empty_peak_MB"] = emptyPeak;
    }
}
BENCHMARK(processStartUpToFirstFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

// Launches torveld-query with `argument` (output to /dev/null) and waits for its end: the time
// from launch to exit; ok when it ended with status 0.
ProbeRun runQuery(const std::string& program, const char* argument) {
    ProbeRun run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
        run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

// torveld-query "1/4-20 UNC" as a whole process, from launch to exit (the window's start-up on
// the headless platform, the answer, the text written), against the desktop program from
// launch to its first frame, launched one right after the other. vs_desktop is the median over
// the launch pairs of the query's time over the desktop program's (goal: under a third).
void queryProcessAgainstDesktop(benchmark::State& state) {
    const auto bin = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string probe = (bin / "desktop_startup_probe").string();
    const std::string query = (bin / "torveld-query").string();
    std::vector<double> desktopMs, ratios;
    double queryPeak = 0;
    for (auto _ : state) {
        const ProbeRun desktop = runProbe(probe, "torveld");
        const ProbeRun answer = runQuery(query, "1/4-20 UNC");
        if (!desktop.ok || !answer.ok || desktop.seconds <= 0) {
            state.SkipWithError("the desktop program or torveld-query failed");
            break;
        }
        state.SetIterationTime(answer.seconds);
        desktopMs.push_back(1000.0 * desktop.seconds);
        ratios.push_back(answer.seconds / desktop.seconds);
        queryPeak = std::max(queryPeak, answer.peakMb);
    }
    if (!ratios.empty()) {
        state.counters["desktop_ms"] = median(desktopMs);
        state.counters["vs_desktop"] = median(ratios);
        state.counters["peak_MB"] = queryPeak;
    }
}
BENCHMARK(queryProcessAgainstDesktop)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && (display == nullptr || *display == '\0') &&
        (wayland == nullptr || *wayland == '\0')) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
