// The L1 - L4 lengths of the taper pipe threads, shown in the list that holds the engagement
// list for screw threads.
#pragma once

#include <string>
#include <vector>

#include "number_format.h"
#include "thread_results.h"

namespace torveld {

// The lines of NPT or NPTF (none for other series): lengths in the current unit mode, thread
// counts as length / pitch whatever the unit mode.
std::vector<std::string> lengthsItems(SeriesId series, const ThreadResults& results,
                                      const UnitMode& mode);

}  // namespace torveld
