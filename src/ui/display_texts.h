// The main window's texts for a thread report, without a window: the arrangement's captions and
// what the result display writes, as a pure function of (report, unit). The data sheet, the copy
// table and torveld-query take their texts from here; the window shows the same.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "control_texts.h"
#include "number_format.h"
#include "thread_report.h"

namespace torveld {

// Every text of the main window's controls, and the engagement list, for `report` in `mode`.
ControlTexts windowTexts(const ThreadReport& report, const UnitMode& mode);

// The texts of the controls from `first` to `last` that the window shows for `report` (visible,
// with a rectangle that is not empty), in id order.
std::vector<std::pair<int, std::string>> shownTexts(const ThreadReport& report,
                                                    const UnitMode& mode, int first, int last);

}  // namespace torveld
