// Torveld, the desktop program: the main window on Qt 6 with the print preview.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "main_window.h"
#include "qt_application.h"
#include "qt_print_preview.h"
#include "qt_windowing.h"

namespace {

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char** argv) {
    // Without a display Qt would abort with a long message; one line says what to do instead.
    if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
        std::fprintf(
            stderr,
            "torveld: no display found (DISPLAY and WAYLAND_DISPLAY are not set); start it "
            "on a desktop, or under Xvfb with: xvfb-run -a %s\n",
            argv[0]);
        return 2;
    }
    // A display that cannot be opened ends the program here with one line, as no display does.
    const std::unique_ptr<QApplication> app = torveld::platform::qt::startApplication(argc, argv);
    torveld::platform::qt::setUpApplication(QStringLiteral(TORVELD_VERSION),
                                            QStringLiteral(":/torveld.svg"));

    torveld::platform::qt::QtWindowing windowing;
    torveld::platform::qt::QtPrintPreview printing;
    torveld::MainWindow window(windowing, printing);
    window.startUp();
    windowing.runEventLoop(window);
    window.shutDown();
    return 0;
}
