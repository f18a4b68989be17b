// Result display: writes ThreadResults into the main window's fields, captions, class labels and
// the engagement list, by display family. What each family shows is a row of a table; where a
// field shows a value is a table of (control, field) pairs. A value the results do not hold
// shows "--". The drill chart and the order of the steps belong to MainWindow::showResults.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "control_texts.h"
#include "number_format.h"
#include "thread_results.h"
#include "windowing.h"

namespace torveld {

// Writes texts into the main window's controls (and into the window side's record of them, when
// one is given): numbers through the number formatting of the current unit mode, "--" / "---"
// for fields without a value.
struct FieldWriter {
    platform::Windowing& windowing;
    platform::WindowHandle window;
    const UnitMode& mode;
    const ThreadResults& results;
    ControlTexts* record = nullptr;

    WindowWriter out() const { return WindowWriter{windowing, window, record}; }
    void text(int id, std::string_view text) const { out().text(id, text); }
    void texts(std::initializer_list<int> ids, std::string_view text) const;
    // formatValue(displayValue(inches), decimals + placesOffset); "--" where there is no value.
    void value(int id, const Length& inches, int placesOffset = 0) const;
    void rect(int id, platform::Rect rect) const { out().rect(id, rect); }
};

// One (control, field) pair: the field's value goes into the control, with `places` more (or
// fewer) decimals than the unit mode's.
struct FieldPair {
    int control;
    ResultField field;
    int places = 0;
};

// What a row of fields shows: the values, "--" (no value), or "---" (a class the series lacks).
enum class RowShows { Values, None, NoClass };

// Writes every pair of `row`.
void writeRow(const FieldWriter& out, std::span<const FieldPair> row, RowShows shows);

// The cells of the grids other than the minor-diameter columns of the external grid.
namespace rows {
extern const std::span<const FieldPair> kExtNormal, kExtClose, kIntNormal, kIntClose;
extern const std::span<const FieldPair> kMiddle;  // heights, flats, pitch, best wire, constant
}  // namespace rows

// Step 1 of the display: the series-dependent captions and every field of the grids and the
// middle row. ISO fine writes its captions and hands over to writeMetricFineResults; taper pipe
// writes only the fields of the pipe layout.
void writeResultFields(const FieldWriter& out, DisplayFamily family);

// ISO FINE: chooses one of four class arrangements from the pitch and the internal major
// diameters and writes labels and grids accordingly.
void writeMetricFineResults(const FieldWriter& out);

// The classes ISO FINE shows beside its four rows (upper and lower external, upper and lower
// internal; "" for a row without a class, which shows "--") for a pitch and the minimum major
// diameters of the two internal rows, all in inches; none where no arrangement applies.
std::optional<std::array<const char*, 4>> metricFineClasses(double pitch, double normalMajorMin,
                                                            double closeMajorMin);

// Step 2: the four tolerance-class row labels, geometry and texts. Taper pipe and ISO fine
// leave them alone (the pipe layout hides them; ISO fine sets them with its grids).
void writeClassLabels(const FieldWriter& out, DisplayFamily family);

// The engagement list of a family: the drill diameters for 100 down to 50 percent of thread,
// the L1 - L4 lengths of the taper pipe threads, or "NO DATA".
void writeEngagement(const FieldWriter& out, SeriesId series, DisplayFamily family);

// The two data headers: "EXTERNAL DATA" / "INTERNAL DATA", ten spaces and the header text;
// the thread-insert tappings have no external header.
void setDataHeaders(const WindowWriter& out, DisplayFamily family, std::string_view header);

// The diameter the engagement list of a family works from (the internal major minimum, for UNJ
// the close-class external major maximum); none for a family without the list.
Length engagementMajor(DisplayFamily family, const ThreadResults& results);

// The header text of a size: designation " - " pitch text, two spaces and the series code (the
// code alone for a size the table does not hold).
std::string headerText(SeriesId id, int sizeIndex);

}  // namespace torveld
