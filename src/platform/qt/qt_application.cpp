#include "qt_application.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace torveld::platform::qt {
namespace {

constexpr int kIconDelayMs = 100;

// Watches the application's events until the first paint of a widget, then sets the window icon
// a moment later and removes itself: the first frame is painted and shown without waiting for
// the SVG icon engine, whose loading is some tenths of a millisecond. A zero timeout would still
// run in the same pass of the event loop as the paint.
class IconAfterFirstFrame final : public QObject {
  public:
    IconAfterFirstFrame(QString iconPath, QObject* parent)
        : QObject(parent), iconPath_(std::move(iconPath)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(kIconDelayMs, qApp,
                               [path = iconPath_] { QApplication::setWindowIcon(QIcon(path)); });
            deleteLater();
        }
        return false;
    }

  private:
    QString iconPath_;
};

// The messages Qt gives while the application starts, held back until it has started: should
// it fail, they would only bury the one line that says why.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};
std::vector<HeldMessage>* heldMessages = nullptr;
std::string* failureLine = nullptr;

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && failureLine != nullptr) {
        std::fputs(failureLine->c_str(), stderr);
        std::fflush(stderr);
        // Qt is half started: end without running its destructors.
        std::_Exit(2);
    }
    if (heldMessages != nullptr) {
        heldMessages->push_back(
            {type, context.file, context.line, context.function, context.category, text});
    }
}

const char* environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::string displayFailureLine(const char* platform, const char* display,
                               const char* waylandDisplay, const char* program) {
    const std::string_view name = platform != nullptr ? platform : "";
    std::string line = "torveld: ";
    if (name.starts_with("wayland") || (name.empty() && display == nullptr && waylandDisplay)) {
        line += "cannot open the Wayland display ";
        line += waylandDisplay != nullptr ? waylandDisplay : "(WAYLAND_DISPLAY is not set)";
    } else if (name.empty() || name.starts_with("xcb")) {
        line += "cannot open the display ";
        line += display != nullptr ? display : "(DISPLAY is not set)";
    } else {
        line += "cannot start the Qt platform ";
        line += name;
    }
    line += "; to run without a display: xvfb-run -a ";
    line += program != nullptr && *program != '\0' ? program : "torveld";
    line += "\n";
    return line;
}

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
    std::string line =
        displayFailureLine(environment("QT_QPA_PLATFORM"), environment("DISPLAY"),
                           environment("WAYLAND_DISPLAY"), argc > 0 ? argv[0] : nullptr);
    std::vector<HeldMessage> held;
    failureLine = &line;
    heldMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(holdOrFail);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    failureLine = nullptr;
    heldMessages = nullptr;
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        if (previous != nullptr) {
            previous(message.type, context, message.text);
        } else {
            const QByteArray text =
                qFormatLogMessage(message.type, context, message.text).toLocal8Bit();
            std::fputs(text.constData(), stderr);
            std::fputc('\n', stderr);
        }
    }
    return app;
}

void setUpApplication(const QString& version, const QString& iconPath) {
    QApplication::setApplicationName(QStringLiteral("Torveld"));
    QApplication::setApplicationVersion(version);
    QApplication::setDesktopFileName(QStringLiteral("torveld"));
    qApp->installEventFilter(new IconAfterFirstFrame(iconPath, qApp));
}

}  // namespace torveld::platform::qt
