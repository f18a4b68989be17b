// Result display: a thread report as the main window's fields, captions, class labels and the
// engagement list, by display family. What each family shows is a row of a table; where a
// field shows a value is a table of (control, field) pairs. A value the results do not hold
// shows "--". The drill chart and the order of the steps belong to MainWindow::showResults.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <vector>

#include "class_arrangement.h"
#include "control_texts.h"
#include "number_format.h"
#include "tap_drill.h"
#include "thread_report.h"
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

// What the display writes into the main window for one report in one unit, as a value: each
// write in the order made (a text, with the number and the result behind it where it shows one,
// or a rectangle), the engagement list and the guide drill. The window applies it; readers
// without a window (the query, the data sheet, the copy table) take the texts from it.
struct DisplayWrite {
    int id = 0;
    bool isRect = false;
    platform::Rect rect{};
    std::string text;
    std::optional<FieldSource> source;        // the result a number shows
    std::optional<FieldValues::Value> value;  // and the number itself
};

struct DisplayFrame {
    std::vector<DisplayWrite> writes;
    std::vector<std::string> engagement;
    tap_drill::GuideDrill guide{};
};

// Writes texts into a frame: numbers through the number formatting of the unit mode, "--" /
// "---" for fields without a value.
struct FieldWriter {
    DisplayFrame& frame;
    const UnitMode& mode;
    const ThreadResults& results;

    void text(int id, std::string_view text) const;
    void texts(std::initializer_list<int> ids, std::string_view text) const;
    // formatValue(displayValue(inches), decimals + placesOffset); "--" where there is no value.
    void value(int id, const Length& inches, int placesOffset = 0) const;
    // The same for a field of the results, noting which result the text shows.
    void value(int id, const ResultField& field, int placesOffset = 0) const;
    void rect(int id, platform::Rect rect) const;
};

// Replays a frame's writes into the main window (and its record of texts and the numbers behind
// them, when given) and fills the engagement list.
void applyFrame(DisplayFrame&& frame, const WindowWriter& out, FieldValues* values);

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
void writeResultFields(const FieldWriter& out, DisplayFamily family, const RecordClasses& records);

// ISO FINE: the labels and grids of the class arrangement its records hold; without one (no
// class in any record), only what every arrangement shares.
void writeMetricFineResults(const FieldWriter& out, const RecordClasses& records);

// Step 2: the four tolerance-class row labels, geometry and texts. Taper pipe and ISO fine
// leave them alone (the pipe layout hides them; ISO fine sets them with its grids).
void writeClassLabels(const FieldWriter& out, DisplayFamily family, const RecordClasses& records);

// The whole display of a report in a unit: fields, captions, labels, the engagement list (the
// drill diameters for 100 down to 50 percent of thread, the L1 - L4 lengths of the taper pipe
// threads, or "NO DATA"), the two data headers and the guide drill. A report without values
// shows "--" in every value field.
DisplayFrame displayFrame(const ThreadReport& report, const UnitMode& mode);

// The two data headers: "EXTERNAL DATA" / "INTERNAL DATA", ten spaces and the header text;
// the thread-insert tappings have no external header.
void setDataHeaders(const FieldWriter& out, DisplayFamily family, std::string_view header);

// The header text of a report: size " - " pitch, two spaces and the series code, and for a
// special size two spaces and "SPECIAL" ("11/16 - 24  UNS  SPECIAL"); the code alone for a size
// the table does not hold.
std::string headerText(const ThreadReport& report);

}  // namespace torveld
