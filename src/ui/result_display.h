// Result display: writes ThreadResults into the main window's fields, captions and class
// labels, by display family. The lists (drill chart, engagement list) and the order of the
// steps belong to MainWindow::showResults.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "number_format.h"
#include "thread_results.h"
#include "windowing.h"

namespace torveld {

// Writes texts into the main window's controls: numbers through the number formatting of the
// current unit mode, "--" / "---" for fields without a value.
struct FieldWriter {
    platform::Windowing& windowing;
    platform::WindowHandle window;
    const UnitMode& mode;
    const ThreadResults& results;

    void text(int id, std::string_view text) const;
    void texts(std::initializer_list<int> ids, std::string_view text) const;
    // formatValue(displayValue(inches), decimals + placesOffset); "--" where there is no value.
    void value(int id, const Length& inches, int placesOffset = 0) const;
    void rect(int id, platform::Rect rect) const;
};

// Step 1 of the display: the series-dependent captions and every field of the grids and the
// middle row. ISO fine writes its eight captions and hands over to writeMetricFineResults; taper
// pipe writes only the fields of the pipe layout.
void writeResultFields(const FieldWriter& out, DisplayFamily family);

// ISO FINE: chooses one of four class arrangements from the pitch and the internal major
// diameters and writes labels and grids accordingly.
void writeMetricFineResults(const FieldWriter& out);

// Step 2: the four tolerance-class row labels, geometry and texts. Taper pipe and ISO fine
// leave them alone (the pipe layout hides them; ISO fine sets them with its grids).
void writeClassLabels(const FieldWriter& out, DisplayFamily family);

// The two data headers: "EXTERNAL DATA" / "INTERNAL DATA", ten spaces and the header text;
// the thread-insert tappings have no external header.
void setDataHeaders(platform::Windowing& windowing, platform::WindowHandle window,
                    DisplayFamily family, std::string_view header);

// The header text of a size: designation " - " pitch text, two spaces and the series code (the
// code alone for a size the table does not hold).
std::string headerText(SeriesId id, int sizeIndex);

}  // namespace torveld
