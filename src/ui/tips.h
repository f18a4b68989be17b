// The tips of the main window: a plain sentence on what a caption's value is, and for every row
// of the drill chart what that drill gives on the size shown.
#pragma once

#include <string>
#include <string_view>

#include "number_format.h"
#include "thread_report.h"

namespace torveld::tips {

// The tip of a caption, by the text it shows now (blanks around it ignored) and the series
// shown; empty for a caption that has none.
std::string captionTip(std::string_view caption, SeriesId series);

// The tip of a button of the main window, naming its key; empty for other ids.
std::string buttonTip(int controlId);

// What the drill of drill-chart row `row` gives on the size shown: its percentage of thread,
// the engagement list read backwards, rounded to a whole percent; or why there is none (a drill
// above the major diameter, one below the 100 % drill, a series without an engagement list, a
// size without values). The "NO DATA" row says when the guide marks it; rows outside the chart
// have no tip.
std::string drillTip(int row, const ThreadReport& report, const UnitMode& mode);

}  // namespace torveld::tips
