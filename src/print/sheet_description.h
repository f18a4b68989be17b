// The short series description printed in the "THREAD INFO" box of the data sheet (the
// information window has longer texts).
#pragma once

#include <string>
#include <vector>

#include "number_format.h"
#include "series.h"

namespace torveld {

// How far the cursor moves down after a line: a line step s, a blank step b, or not at all
// (the last line).
enum class Advance { Line, Blank, None };

struct SheetLine {
    std::string text;  // UTF-8; empty lines are drawn as empty texts and still advance
    Advance advance;
};

struct SheetDescription {
    std::vector<SheetLine> lines;
    // NPSL has the longest text and packs it with s = 1/7 in and b = 1/9.5 in instead of the
    // sheet's 1/6 in and 1/8.5 in.
    bool narrowSteps = false;
};

// The sheet text of series `id`; the plating figures follow the unit mode. An id that names no
// series gives no lines.
SheetDescription sheetDescription(SeriesId id, const UnitMode& mode);

}  // namespace torveld
