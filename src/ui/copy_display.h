// Copy: the whole display of the size shown as a table for the clipboard, and the number of one
// value field in the other unit. Both are made on the window side from what the window shows:
// the record of the texts it wrote and the numbers behind its fields; no control is read back.
#pragma once

#include <optional>
#include <string>

#include "control_texts.h"
#include "number_format.h"
#include "result_display.h"
#include "series.h"
#include "thread_report.h"
#include "windowing.h"

namespace torveld {

// What the display table is made from.
struct DisplayTableInput {
    const ControlTexts& texts;  // what the main window shows
    SeriesId series;
    std::string_view designation;  // the size's canonical designation, no class
    const UnitMode& mode;
    int guideRow;  // the drill-chart row of the guide drill
};

// The table: lines of cells separated by tabs, each line ending in "\n", blocks parted by an
// empty line. Cells are the window's texts as shown, blanks around them left out; a field
// showing "--" or "---" gives an empty cell. In order:
//   the canonical designation of the size, then "inches" or "millimetres";
//   screw threads: the external grid (a header line "EXTERNAL" and the column headings, each its
//     caption after the caption over it, "MAJOR DIAMETER MAX"; then one line per class row, the
//     class label first), the middle row (a line per field: heading, value), the internal grid
//     (as the external one, with the internal HEIGHT and FLAT as two more columns of its upper
//     row);
//   taper pipe threads: "EXTERNAL" and a line per field of the external part (heading, value),
//     then "INTERNAL" and the same for the internal part;
//   the heading of the list under the grids ("ENGAGEMENT", "L1 - L4 LENGTHS") and a line per
//     line of the list, split into cells at " - " or " = " and at a bracketed part
//     ("100%", ".1850"; "L1", ".2280", "3.90 THREADS");
//   "TAP DRILL GUIDE", the guide drill's name and its diameter as the drill chart shows it.
std::string displayTable(const DisplayTableInput& input);

// The table of a report in `mode`: the window's texts for it, its size and its guide drill.
std::string displayTable(const ThreadReport& report, const UnitMode& mode);

// The context-menu entry "Copy in millimetres" (inches shown) or "Copy in inches" (millimetres
// shown) of field `id`: its number as the window would show it in that unit. None for a field
// that shows no number.
std::optional<platform::MenuEntry> otherUnitEntry(const FieldValues& values,
                                                  const ControlTexts& texts, int id,
                                                  const UnitMode& mode);

}  // namespace torveld
