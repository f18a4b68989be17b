// The printed data sheet: a one-page snapshot of what the main window shows, drawn through the
// print-preview library.
#pragma once

#include "number_format.h"
#include "print_preview.h"
#include "series.h"
#include "windowing.h"

namespace torveld {

// What the sheet needs besides the main window's fields.
struct DataSheetInput {
    SeriesId series = series::UNC;
    UnitMode unitMode = UnitMode::inch();
    int guideStartIndex = 0;  // drill-chart row at which the tap-drill excerpt begins
};

// Draws the data sheet of the current selection: the pipe-thread sheet for NPT and NPTF, the
// screw-thread sheet for every other series. The values, captions, titles and engagement items
// are read as displayed from the main window's controls. When the library cannot create a
// document, a warning box owned by the main window says so and nothing is drawn. Returns
// whether a document was drawn.
bool printDataSheet(platform::PrintPreview& preview, platform::Windowing& windowing,
                    platform::WindowHandle mainWindow, const DataSheetInput& input);

}  // namespace torveld
