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

// The number behind each main-window field that shows one: the length in inches and the places
// offset it was written with, so that the window side can give the same value in the other unit.
// A field written with a text ("--", "---", a caption) has none.
class FieldValues {
  public:
    struct Value {
        double inches = 0;
        int placesOffset = 0;
    };

    // The value field `id` shows; none for one without a value or outside the main window's ids.
    std::optional<Value> at(int id) const { return inRange(id) ? values_[slot(id)] : std::nullopt; }
    void set(int id, double inches, int placesOffset) {
        if (inRange(id)) values_[slot(id)] = Value{inches, placesOffset};
    }
    void clear(int id) {
        if (inRange(id)) values_[slot(id)].reset();
    }

  private:
    static bool inRange(int id) {
        return id >= ControlTexts::kFirstId && id <= ControlTexts::kLastId;
    }
    static std::size_t slot(int id) {
        return static_cast<std::size_t>(id - ControlTexts::kFirstId);
    }

    std::array<std::optional<Value>, ControlTexts::kLastId - ControlTexts::kFirstId + 1> values_;
};

// Writes texts into the main window's controls (and into the window side's record of them, when
// one is given): numbers through the number formatting of the current unit mode, "--" / "---"
// for fields without a value. With `values`, the number behind each field goes there too.
struct FieldWriter {
    platform::Windowing& windowing;
    platform::WindowHandle window;
    const UnitMode& mode;
    const ThreadResults& results;
    ControlTexts* record = nullptr;
    FieldValues* values = nullptr;

    WindowWriter out() const { return WindowWriter{windowing, window, record}; }
    void text(int id, std::string_view text) const {
        out().text(id, text);
        if (values != nullptr) values->clear(id);
    }
    void texts(std::initializer_list<int> ids, std::string_view text) const;
    // formatValue(displayValue(inches), decimals + placesOffset); "--" where there is no value.
    void value(int id, const Length& inches, int placesOffset = 0) const;
    // The same for a field of the results, noting in the record which result the text shows.
    void value(int id, const ResultField& field, int placesOffset = 0) const;
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

// The limits of size the grids show, cell by cell, for readers of the record such as the
// command-line query: the control, the side, the class-label control of its row and the limit
// the cell stands for, whatever result the family writes there (the first external minor
// column, "REF" or "MAX", is the maximum minor diameter; the second, "MIN", the minimum, where
// ISO shows its reference minor). The rows come in the order of the grids, the limits of a row
// in the order major max, major min, pitch max, pitch min, minor max, minor min.
enum class ThreadSide { External, Internal };
enum class SizeLimit { MajorMax, MajorMin, PitchMax, PitchMin, MinorMax, MinorMin };
struct LimitCell {
    int control;
    ThreadSide side;
    int label;
    SizeLimit limit;
};
std::span<const LimitCell> limitCells();

// The class of a grid row that shows limits beside an empty label: the one class of NPSL and
// UNM, which their standards do not name (the series name stands for it), and of STUB ACME
// (2G, the one class of ASME B1.8). Empty for the other series, whose rows carry their label.
std::string_view unlabelledClass(SeriesId series);

// The header text of a size: designation " - " pitch text, two spaces and the series code (the
// code alone for a size the table does not hold).
std::string headerText(SeriesId id, int sizeIndex);

}  // namespace torveld
