// The L1 - L4 lengths of the taper pipe threads, written into the list that shows the
// engagement list for screw threads.
#pragma once

#include "number_format.h"
#include "thread_results.h"
#include "windowing.h"

namespace torveld {

// Clears the list and writes the lines of NPT or NPTF: lengths in the current unit mode, thread
// counts as length / pitch whatever the unit mode.
void fillLengthsList(platform::Windowing& windowing, platform::WindowHandle window, SeriesId series,
                     const ThreadResults& results, const UnitMode& mode);

}  // namespace torveld
