// The desktop program as a user runs it: on an X server (Xvfb) under a window manager (openbox),
// driven by xdotool's mouse and keyboard. A quick click on the background leaves the window and
// its keys as they were, a drag moves it by the pointer's way and ends with the button, and
// Escape in the find box's dropped list closes only the list. Skips, saying so, where Xvfb,
// openbox or xdotool is not installed (`scripts/install-deps.sh test` installs them).
#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QStandardPaths>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "control_table.h"
#include "find_box.h"

// Rectangles in failure messages as x, y, width x height.
static void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height();
}

namespace torveld {
namespace {

using namespace std::chrono_literals;

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
// How long a step may take on a busy machine before the test gives up on it.
constexpr auto kPatience = 60s;  // a loaded machine (the sanitizer run) starts openbox slowly
// How long the program is given to do something it must not do (follow the pointer).
constexpr auto kSettle = 400ms;

// Polls `done` until it holds or the patience runs out.
bool eventually(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// An X server of 1024 x 768 with openbox on it and the desktop program in it.
class Desktop {
  public:
    ~Desktop() {
        for (QProcess* process : {&program_, &manager_, &server_}) {
            if (process->state() == QProcess::NotRunning) continue;
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    // Starts the three; empty on success, else what failed.
    std::string start() {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        const QString openbox = QStandardPaths::findExecutable("openbox");
        xdotool_ = QStandardPaths::findExecutable("xdotool");
        if (xvfb.isEmpty() || openbox.isEmpty() || xdotool_.isEmpty()) {
            return "skip: Xvfb, openbox and xdotool are needed (scripts/install-deps.sh test)";
        }
        // The server picks a free display and writes its number to a pipe once it listens.
        int ready[2];
        if (pipe(ready) != 0) return "no pipe";
        server_.start(
            xvfb, {"-displayfd", QString::number(ready[1]), "-screen", "0",
                   QString("%1x%2x24").arg(kScreenWidth).arg(kScreenHeight), "-nolisten", "tcp"});
        close(ready[1]);
        std::string number;
        pollfd wait{ready[0], POLLIN, 0};
        char c = 0;
        while (poll(&wait, 1, 20000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
        close(ready[0]);
        if (number.empty()) return "Xvfb did not start";
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("DISPLAY", QString(":") + number.c_str());
        environment_.insert("QT_QPA_PLATFORM", "xcb");

        manager_.setProcessEnvironment(environment_);
        manager_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        manager_.start(openbox, {});
        // The manager is there once it says which desktop is the current one.
        if (!eventually([&] { return xdotool({"get_desktop"}).ok; })) {
            return "openbox did not start";
        }
        program_.setProcessEnvironment(environment_);
        program_.start(QStringLiteral(TORVELD_DESKTOP_PROGRAM), {});
        if (!eventually([&] { return !(main_ = window(main_window::kTitle)).isEmpty(); })) {
            return "the main window did not show";
        }
        return xdotool({"windowactivate", "--sync", main_}).ok
                   ? std::string()
                   : "the main window could not be activated";
    }

    struct Step {
        bool ok = false;
        QString output;
    };
    // One xdotool command line on the display.
    Step xdotool(const QStringList& arguments) {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start(xdotool_, arguments);
        Step step;
        step.ok = tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit &&
                  tool.exitCode() == 0;
        step.output = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
        return step;
    }
    void press(const char* keys) { xdotool({"key", keys}); }

    // The shown window of that exact title, or empty.
    QString window(const char* title) {
        const Step found =
            xdotool({"search", "--onlyvisible", "--name", QString("^%1$").arg(title)});
        return found.ok ? found.output.section(u'\n', 0, 0) : QString();
    }
    // The windows of the program that are shown, pop-ups among them.
    int shownWindows() {
        const Step found =
            xdotool({"search", "--onlyvisible", "--pid", QString::number(program_.processId())});
        return found.ok ? static_cast<int>(found.output.split(u'\n').size()) : 0;
    }
    QRect geometry(const QString& window) {
        const Step shown = xdotool({"getwindowgeometry", "--shell", window});
        QRect rect;
        for (const QString& line : shown.output.split(u'\n')) {
            const int value = line.section(u'=', 1).toInt();
            if (line.startsWith("X=")) rect.moveLeft(value);
            if (line.startsWith("Y=")) rect.moveTop(value);
            if (line.startsWith("WIDTH=")) rect.setWidth(value);
            if (line.startsWith("HEIGHT=")) rect.setHeight(value);
        }
        return rect;
    }
    const QString& mainWindow() const { return main_; }

  private:
    QProcess server_, manager_, program_;
    QProcessEnvironment environment_;
    QString xdotool_, main_;
};

class WindowManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string failed = desktop.start();
        if (failed.rfind("skip: ", 0) == 0) GTEST_SKIP() << failed.substr(6);
        ASSERT_EQ(failed, "");
        start = desktop.geometry(desktop.mainWindow());
        ASSERT_EQ(start.size(), QSize(main_window::kWidth, main_window::kHeight));
    }
    // A point of the main window's background, left of the ENGAGEMENT list.
    QStringList toBackground() const {
        return {"mousemove", "--window", desktop.mainWindow(), "5", "540"};
    }
    bool findBoxShown() { return !desktop.window(FindBox::kTitle).isEmpty(); }

    Desktop desktop;
    QRect start;
};

// Press and release with no time between them (xdotool's click): the window stays where it is
// and takes its keys at once. A move handed to the window manager after the release it never
// saw had the window follow the pointer, every key going to the manager.
TEST_F(WindowManagerTest, AQuickClickOnTheBackgroundLeavesTheWindowAndItsKeysAsTheyWere) {
    ASSERT_TRUE(desktop.xdotool(toBackground() + QStringList{"click", "1"}).ok);
    desktop.press("ctrl+f");
    EXPECT_TRUE(eventually([&] { return findBoxShown(); })) << "Ctrl+F after the click";
    desktop.xdotool({"mousemove", "600", "600"});
    std::this_thread::sleep_for(kSettle);
    EXPECT_EQ(desktop.geometry(desktop.mainWindow()), start)
        << "the window does not follow the pointer";
}

// A drag on the background moves the window by the pointer's way, and the move ends with the
// release: the pointer moving on leaves the window where it is.
TEST_F(WindowManagerTest, ADragMovesTheWindowByThePointersWayAndEndsWithTheButton) {
    const QStringList step = {"sleep", "0.1", "mousemove_relative", "20", "10"};
    ASSERT_TRUE(desktop
                    .xdotool(toBackground() + QStringList{"mousedown", "1"} + step + step + step +
                             QStringList{"sleep", "0.1", "mouseup", "1"})
                    .ok);
    const QRect moved = start.translated(60, 30);
    EXPECT_TRUE(eventually([&] { return desktop.geometry(desktop.mainWindow()) == moved; }))
        << ::testing::PrintToString(desktop.geometry(desktop.mainWindow()));
    desktop.xdotool({"mousemove", "300", "300"});
    desktop.press("ctrl+f");
    EXPECT_TRUE(eventually([&] { return findBoxShown(); })) << "Ctrl+F after the drag";
    EXPECT_EQ(desktop.geometry(desktop.mainWindow()), moved);
}

// The find box opens where its place puts it, beside the main window; Escape with its history
// dropped closes the list and leaves the box, and Escape then closes the box.
TEST_F(WindowManagerTest, EscapeInTheFindBoxsDroppedListClosesTheListOnly) {
    desktop.press("ctrl+f");
    ASSERT_TRUE(eventually([&] { return findBoxShown(); }));
    const QString box = desktop.window(FindBox::kTitle);
    const platform::Rect place = FindBox::place(
        {start.x(), start.y(), start.width(), start.height()}, {kScreenWidth, kScreenHeight});
    EXPECT_EQ(desktop.geometry(box), QRect(place.left, place.top, place.width, place.height));
    desktop.xdotool({"type", "1/4-20 UNC"});
    desktop.press("Return");
    const int shown = desktop.shownWindows();
    // The keys come in order: the find has put the designation in the list when it drops.
    desktop.press("alt+Down");
    ASSERT_TRUE(eventually([&] { return desktop.shownWindows() == shown + 1; }))
        << "the history list drops";
    desktop.press("Escape");
    EXPECT_TRUE(eventually([&] { return desktop.shownWindows() == shown; })) << "the list closes";
    std::this_thread::sleep_for(kSettle);
    EXPECT_TRUE(findBoxShown()) << "the box stays";
    desktop.press("Escape");
    EXPECT_TRUE(eventually([&] { return !findBoxShown(); })) << "Escape then closes the box";
}

}  // namespace
}  // namespace torveld
