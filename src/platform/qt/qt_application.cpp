#include "qt_application.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>

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

}  // namespace

void setUpApplication(const QString& version, const QString& iconPath) {
    QApplication::setApplicationName(QStringLiteral("Torveld"));
    QApplication::setApplicationVersion(version);
    QApplication::setDesktopFileName(QStringLiteral("torveld"));
    qApp->installEventFilter(new IconAfterFirstFrame(iconPath, qApp));
}

}  // namespace torveld::platform::qt
