// Start-up of the desktop program to its first frame: the Qt platform, the main window's
// start-up (every control, the 747 drills, the first calculation and display) and the first
// paint of the window. Without a display it runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <cstdlib>

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
