// The command-line query's answers: a thread designation turned into its thread report, and the
// report as the query writes it: the window's texts for it (made by the same function the window
// shows them with), the limits of size of its classes, the profile, wires, tap drill and pipe
// values, as numbers in the answer's unit rounded as the window rounds them, with their
// provenance. No window is started.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "designation.h"
#include "gauges.h"
#include "number_format.h"
#include "over_wires.h"
#include "series.h"
#include "thread_report.h"

namespace torveld::query {

// The limits a class may have, in this order.
enum class SizeLimit { MajorMax, MajorMin, PitchMax, PitchMin, MinorMax, MinorMin };
inline constexpr std::array<std::string_view, 6> kLimitNames = {"majorMax", "majorMin", "pitchMax",
                                                                "pitchMin", "minorMax", "minorMin"};

// One value in the answer's unit: the text as the window writes it (".2489", "9.968") and the
// number that text denotes.
struct LimitValue {
    double value = 0;
    std::string text;
};

// The limits of one class of one side; a limit the size does not have is empty. The standard's
// reference minor stands where the window shows it: the Unified "REF" column is the maximum
// minor diameter, ISO's d3 min the minimum.
struct ClassLimits {
    std::string name;                                 // "2A", "6g", "Med", "NPSL"
    std::array<std::optional<LimitValue>, 6> values;  // by SizeLimit
    // A rounded-root (UNR) external thread: its maximum minor diameter, for reference.
    std::optional<LimitValue> unrMinorMax;

    bool empty() const;
};

// Where the limits of some classes come from: a limit table of the project (its name and the
// statement it carries), or, for a class computed for this answer, the standard and formula the
// engine applied (no table).
struct Provenance {
    std::vector<std::string> classes;
    std::optional<std::string> table;
    std::string source;
};

// What a user asks of the three-wire measurement, as typed: the mean diameter of the wires, and
// optionally the reading over them and, for a taper pipe thread, the distance of the wires from
// its small end; and whether the lead-angle term is applied. A number typed with its unit
// ("9.98mm", ".373in") is read in that unit, otherwise in the answer's.
struct WireRequest {
    std::string wire;
    std::optional<std::string> reading;
    std::optional<std::string> plane;
    measure::LeadAngle leadAngle = measure::LeadAngle::FormDefault;
};

// The three-wire measurement of an answer's classes, in the answer's unit.
struct Measurement {
    double wire = 0;
    std::optional<double> plane;  // taper pipe threads
    measure::WireResult result;
    std::string taperKey;  // the key of a taper thread's one tolerance zone: the series' name
};

// The GO / NOT GO gauges of an answer's classes with pitch-diameter limits (in the answer's
// unit), and the key each class stands under: its name, or where one name stands on both sides
// (Acme 2G, Whitworth Med) the name and the side ("2G external").
struct Gauging {
    measure::GaugeSet set;
    std::vector<std::string> keys;  // by set.classes
};

struct Answer {
    std::string input;
    std::string designation;       // canonical
    std::string series;            // the series' radio caption ("ISO FINE")
    std::string size;              // the size-list text without its leading blanks
    std::optional<int> sizeIndex;  // the row of the series' size list; none for a special size
    bool tabulated = true;         // false for a special size
    DisplayUnit unit = DisplayUnit::Inch;
    std::vector<std::pair<int, std::string>> fields;  // control id and text, 303 to 392, shown
    std::vector<ClassLimits> external, internal;
    std::vector<Provenance> provenance;
    // Everything else the answer says is read from the report.
    ThreadReport report;
    // With a wire asked for: the measurement over wires.
    std::optional<Measurement> measurement;
    Gauging gauges;
    // Whether the answer carries the window's texts and the statements of where its values
    // come from and of their rules (the gauging standard's sentences).
    bool statements = true;

    UnitMode mode() const { return UnitMode::of(unit); }
    // A length in the answer's unit as the window writes it (with `placesOffset` more places).
    LimitValue length(double inches, int placesOffset = 0) const;
};

// A designation that could not be answered, and why (one sentence).
struct Failure {
    std::string input;
    std::string reason;
};

using Outcome = std::variant<Answer, Failure>;

// The first and last control id of the fields an answer reports.
inline constexpr int kFirstField = 303;
inline constexpr int kLastField = 392;

// The unit a series' own table is in: millimetres for ISO metric, UNM and BA, else inches.
DisplayUnit tableUnit(SeriesId id);

// A series by its radio caption, letter case, blanks, '-' and '_' aside ("iso fine", "UNC_STI").
std::optional<SeriesId> seriesByName(std::string_view name);

// The 23 series in the order of their radios.
std::vector<SeriesId> seriesInRadioOrder();

// Whether an answer carries the window's texts (`fields`) and the statements of its provenance
// and of its gauges' rules: the JSON and text answers do; the CSV of a series writes none of
// them and leaves them out.
enum class Texts { Included, Omitted };

// The answer of a report, in `unit`, for the text that was asked.
Answer answerOf(ThreadReport report, std::string_view input, DisplayUnit unit,
                Texts texts = Texts::Included);

// The measurement over wires of an answer, in its unit; or why there is none (a number that
// cannot be read, a wire outside the form's range, an internal thread, a reading that gives a
// pitch diameter outside any sense), one sentence.
std::variant<Measurement, std::string> measurementOf(const Answer& answer,
                                                     const WireRequest& request);

// Whether a typed number of a request can be read at all, whatever the answer's unit: "" or the
// reason, one sentence quoting what was typed.
std::string typedNumberError(std::string_view typed);

class Session {
  public:
    // The answer for one designation in `unit` (the series' table unit when none), or why there
    // is none. Answers do not depend on the designations answered before. With `wires`, the
    // answer holds the measurement over them, or is refused with the reason there is none.
    Outcome answer(std::string_view text, std::optional<DisplayUnit> unit = std::nullopt,
                   const std::optional<WireRequest>& wires = std::nullopt) const;

    // The answers for every size of a series, in the order of its size list.
    std::vector<Outcome> seriesAnswers(SeriesId id, std::optional<DisplayUnit> unit = std::nullopt,
                                       Texts texts = Texts::Included) const;
};

}  // namespace torveld::query
