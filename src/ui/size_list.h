// The size list: the drop-down from which the user picks a size of the selected series. Entry k
// shows row k of the series' size table, so the selected position is the size index; the
// special sizes found in the series follow the table's rows.
#pragma once

#include <string>
#include <vector>

#include "series.h"
#include "windowing.h"

namespace torveld {

// Empties the list (last entry first), appends one entry per size row of the series, then the
// `extra` entries (the special sizes found in the series), and selects position 0. Selecting
// from the system side starts no calculation.
void fillSizeList(platform::Windowing& windowing, platform::WindowHandle window, SeriesId series,
                  const std::vector<std::string>& extra = {});

}  // namespace torveld
