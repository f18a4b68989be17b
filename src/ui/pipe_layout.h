// The two arrangements of the main window: the screw arrangement of start-up, and the pipe
// arrangement of the taper pipe threads NPT and NPTF, built from the same controls by moving,
// resizing, recaptioning and collapsing them. In the pipe arrangement the series radios are
// hidden and an exit button leads back.
#pragma once

#include <string_view>

#include "windowing.h"

namespace torveld {

// `seriesCode` gives the exit button its caption ("Exit " and the code).
void applyPipeLayout(platform::Windowing& windowing, platform::WindowHandle window,
                     std::string_view seriesCode);

void applyScrewLayout(platform::Windowing& windowing, platform::WindowHandle window);

}  // namespace torveld
