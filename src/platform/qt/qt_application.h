// The desktop program's start on Qt: what is set on the QApplication once it is made, shared by
// the program and its start-up benchmark.
#pragma once

#include <QString>

namespace torveld::platform::qt {

// Call once the QApplication is made: the application's name, version and desktop file, and
// its window icon from `iconPath`. The icon is set a moment after the first frame is painted:
// loading the SVG icon engine is not needed to draw the window.
void setUpApplication(const QString& version, const QString& iconPath);

}  // namespace torveld::platform::qt
