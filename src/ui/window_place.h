// Where the pop-up windows of the main window open: beside it, so that they leave its values to
// be read where the screen has room.
#pragma once

#include "windowing.h"

namespace torveld {

// A pop-up of `width` x `height` beside the main window `mainWindow` on a screen of `screen`:
// outside the main window against its bottom edge, else its top, right or left edge, centred
// along that edge and moved into the screen where it would reach past it; the first of these
// that covers the least of the main window (nothing, where the screen has room).
platform::Rect besideMainWindow(platform::Rect mainWindow, platform::Size screen, int width,
                                int height);

}  // namespace torveld
