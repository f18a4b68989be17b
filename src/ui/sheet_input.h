// The data sheet's input, made on the window side from what the main window shows.
#pragma once

#include "control_texts.h"
#include "data_sheet.h"

namespace torveld {

// The sheet of what `texts` records the main window to show, for `series` in `mode`, with the
// drill excerpt from `guideStartIndex`.
DataSheetInput sheetInput(const ControlTexts& texts, SeriesId series, const UnitMode& mode,
                          int guideStartIndex);

}  // namespace torveld
