// The desktop program's start on Qt: what is set on the QApplication once it is made, shared by
// the program and its start-up benchmark.
#pragma once

#include <QString>
#include <memory>
#include <string>

class QApplication;

namespace torveld::platform::qt {

// Makes the desktop program's QApplication. Should Qt fail to start its platform (the display
// cannot be opened), the process writes one line to standard error instead of Qt's messages
// (what cannot be opened, and how to run under Xvfb) and ends with status 2 rather than
// aborting. Messages Qt gives while it starts are written as usual once it has started.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

// The line written when the platform cannot start, from the environment the program was given
// (QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY) and its name.
std::string displayFailureLine(const char* platform, const char* display,
                               const char* waylandDisplay, const char* program);

// Call once the QApplication is made: the application's name, version and desktop file, and
// its window icon from `iconPath`. The icon is set a moment after the first frame is painted:
// loading the SVG icon engine is not needed to draw the window.
void setUpApplication(const QString& version, const QString& iconPath);

}  // namespace torveld::platform::qt
