// The line the desktop program writes when Qt cannot start its platform.
#include <gtest/gtest.h>

#include "qt_application.h"

namespace torveld::platform::qt {
namespace {

TEST(DisplayFailureLine, NamesWhatCannotBeOpenedAndHowToRunUnderXvfb) {
    const std::string xvfb = "; to run without a display: xvfb-run -a build/bin/torveld\n";
    EXPECT_EQ(displayFailureLine(nullptr, ":99", nullptr, "build/bin/torveld"),
              "torveld: cannot open the display :99" + xvfb);
    EXPECT_EQ(displayFailureLine("xcb", "host:1.0", "wayland-0", "build/bin/torveld"),
              "torveld: cannot open the display host:1.0" + xvfb);
    EXPECT_EQ(displayFailureLine("wayland", ":0", "wayland-1", "build/bin/torveld"),
              "torveld: cannot open the Wayland display wayland-1" + xvfb);
    EXPECT_EQ(displayFailureLine(nullptr, nullptr, "wayland-1", "build/bin/torveld"),
              "torveld: cannot open the Wayland display wayland-1" + xvfb);
    EXPECT_EQ(displayFailureLine("xcb", nullptr, nullptr, "build/bin/torveld"),
              "torveld: cannot open the display (DISPLAY is not set)" + xvfb);
    EXPECT_EQ(displayFailureLine("vnc", ":0", nullptr, "build/bin/torveld"),
              "torveld: cannot start the Qt platform vnc" + xvfb);
    EXPECT_EQ(displayFailureLine(nullptr, ":1", nullptr, nullptr),
              "torveld: cannot open the display :1; to run without a display: xvfb-run -a "
              "torveld\n");
}

}  // namespace
}  // namespace torveld::platform::qt
