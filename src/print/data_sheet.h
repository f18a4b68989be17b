// The printed data sheet: a one-page snapshot of what the main window shows, drawn through the
// print-preview library from a value the window side builds. The sheet knows no window.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "number_format.h"
#include "print_preview.h"
#include "series.h"

namespace torveld {

// The texts of one side (external or internal) of the sheet, as the window shows them.
template <std::size_t Groups, std::size_t Cells>
struct SheetSide {
    std::string title;                       // "EXTERNAL DATA ..." / "INTERNAL DATA ..."
    std::array<std::string, Groups> groups;  // the diameter captions over the columns
    std::array<std::string, 9> columns;      // the column captions ("MAX", "MIN", "MEAN", ...)
    std::array<std::string, 2> classes;      // the class labels of the two rows
    std::array<std::array<std::string, Cells>, 2> rows;  // the cells of the two class rows
};

// Everything the sheet prints: the texts and numbers the window side hands over.
struct SheetTexts {
    SheetSide<4, 9> external;  // major, pitch, minor diameter, over wires
    SheetSide<3, 7> internal;  // minor, pitch, major diameter; height and flat are columns 8, 9
    // The middle row: height, flat, pitch, best wire, constant; the radii.
    std::array<std::string, 5> geometryCaptions, geometryValues;
    std::string radiiCaption, crestCaption, rootCaption, crestValue, rootValue;
    // The two fields beside the internal grid (height and flat, or the countersink); their
    // captions are the last two internal column captions.
    std::string internalHeight, internalFlat;
    // The pipe arrangement only: crest-flat captions, the minimum flats and the tap depth.
    std::string externalCrestFlatCaption, internalCrestFlatCaption;
    std::string externalFlatMinCaption, externalFlatMin;
    std::string internalFlatMinCaption, internalFlatMin;
    std::string tapDepthCaption, tapDepth;
    // The engagement list (or the L1 - L4 lengths), from its first item, an empty line, on.
    std::vector<std::string> engagement;
    // The pipe sheet's heading of the lengths ("L1 - L4 LENGTHS", "GAUGE LENGTHS").
    std::string lengthsCaption;
};

struct DataSheetInput {
    SeriesId series = series::UNC;  // the description box; NPT, NPTF and R take the pipe sheet
    UnitMode unitMode = UnitMode::inch();
    int guideStartIndex = 0;  // drill-chart row at which the tap-drill excerpt begins
    SheetTexts texts;
    // A special size's note, printed under the display box: that its values are computed by
    // the standard's formulas. Empty for a size of the tables, which prints nothing more.
    std::vector<std::string> specialNote;
};

// Draws the data sheet: the pipe-thread sheet for NPT, NPTF and R, the screw-thread sheet for every
// other series. Returns the document handle the library gave: 1 or more when the sheet was
// drawn; 0 or less when no document could be created, and then nothing is drawn (the window
// side tells the user).
int printDataSheet(platform::PrintPreview& preview, const DataSheetInput& input);

}  // namespace torveld
