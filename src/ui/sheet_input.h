// The data sheet's input, made on the window side from the report of what the main window shows.
#pragma once

#include "control_texts.h"
#include "data_sheet.h"
#include "thread_report.h"

namespace torveld {

// The sheet of a report in `mode`: the window's texts for it, its drill excerpt and its note.
DataSheetInput sheetInput(const ThreadReport& report, const UnitMode& mode);

// The sheet of what `texts` records the main window to show, for `series` in `mode`, with the
// drill excerpt from `guideStartIndex`.
DataSheetInput sheetInput(const ControlTexts& texts, SeriesId series, const UnitMode& mode,
                          int guideStartIndex);

}  // namespace torveld
