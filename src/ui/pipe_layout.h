// The two arrangements of the main window: the screw arrangement of start-up, and the pipe
// arrangement of the taper pipe threads NPT and NPTF, built from the same controls by moving,
// resizing, recaptioning and collapsing them. In the pipe arrangement the series radios are
// hidden and an exit button leads back.
#pragma once

#include "control_texts.h"

namespace torveld {

// Both taper pipe series, NPT and NPTF, caption the exit button "Exit NPT".
void applyPipeLayout(const WindowWriter& out);

void applyScrewLayout(const WindowWriter& out);

}  // namespace torveld
