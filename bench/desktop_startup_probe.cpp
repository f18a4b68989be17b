// A process that starts as the desktop program does and says when its first frame is painted,
// for the start-up benchmark (qt_startup_bench), which times it from its launch and reads its
// peak memory when it has ended.
//
//   desktop_startup_probe torveld FD   the desktop program's start-up: the Qt platform, the
//                                      main window's start-up and its first paint
//   desktop_startup_probe empty FD     an empty frameless Qt window of the same size
//
// After the first paint of the window one byte is written to file descriptor FD and the
// process ends. Without a display it runs on Qt's offscreen platform. With TORVELD_PROBE_PHASES
// set it also prints when each phase of the start-up ended.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "control_table.h"
#include "main_window.h"
#include "qt_application.h"
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

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// With TORVELD_PROBE_PHASES set, the milliseconds since main began at the end of each phase go
// to standard error, to see where the start-up goes.
class Phases {
  public:
    Phases() : enabled_(set("TORVELD_PROBE_PHASES")) { clock_.start(); }
    void mark(const char* phase) const {
        if (enabled_) std::fprintf(stderr, "%-10s %.2f\n", phase, clock_.nsecsElapsed() / 1e6);
    }

  private:
    bool enabled_;
    QElapsedTimer clock_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "torveld") != 0 && std::strcmp(argv[1], "empty") != 0)) {
        return 2;
    }
    const bool torveld = std::strcmp(argv[1], "torveld") == 0;
    const int fd = std::atoi(argv[2]);
    if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    const Phases phases;
    QApplication app(argc, argv);
    phases.mark("app");
    std::unique_ptr<torveld::platform::qt::QtWindowing> windowing;
    std::unique_ptr<torveld::platform::qt::QtPrintPreview> printing;
    std::unique_ptr<torveld::MainWindow> window;
    std::unique_ptr<QWidget> empty;
    QWidget* frame = nullptr;
    if (torveld) {
        // As the desktop program's main does.
        torveld::platform::qt::setUpApplication(QStringLiteral("probe"),
                                                QStringLiteral(":/torveld.svg"));
        windowing = std::make_unique<torveld::platform::qt::QtWindowing>();
        phases.mark("platform");
        printing = std::make_unique<torveld::platform::qt::QtPrintPreview>();
        window = std::make_unique<torveld::MainWindow>(*windowing, *printing);
        window->startUp();
        phases.mark("startup");
        frame = windowing->windowWidget(window->window());
    } else {
        empty = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
        empty->resize(torveld::main_window::kWidth, torveld::main_window::kHeight);
        empty->show();
        frame = empty.get();
    }
    if (frame == nullptr) return 1;

    FirstPaint paint;
    frame->installEventFilter(&paint);
    QElapsedTimer limit;
    limit.start();
    while (!paint.painted && limit.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    if (!paint.painted) return 1;
    phases.mark("painted");
    const char done = 1;
    if (write(fd, &done, 1) != 1) return 1;
    frame->removeEventFilter(&paint);
    if (window) window->shutDown();
    return 0;
}
