// torveld-query --identify: a thread named from what a caliper and a pitch gauge tell, as ranked
// candidates from every series (tabulated and special sizes), each one JSON line, text row or
// CSV row. No window is started.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "number_format.h"
#include "over_wires.h"
#include "query_session.h"
#include "series.h"
#include "wire_forms.h"

namespace torveld::query {

// What was measured, as typed: the major diameter of an external thread or the minor diameter
// of an internal one, the pitch (--pitch in millimetres or --tpi; either may carry its unit),
// and where known taper or parallel and the flank angle. The answer's unit is `unit`; without
// it, the unit the diameter was typed with, else millimetres for a pitch in millimetres and
// inches for threads per inch.
struct IdentifyRequest {
    measure::Side side = measure::Side::External;
    std::string diameter;
    std::string pitch;
    PitchUnit pitchUnit = PitchUnit::ThreadsPerInch;
    std::optional<measure::FormKind> taper;
    std::optional<std::string> angle;
    std::optional<DisplayUnit> unit;
};

// One candidate as the query writes it.
struct CandidateRow {
    int rank = 0;             // 1 for the best
    std::string designation;  // canonical, as the find box reads it
    std::string series;       // the series' radio caption
    std::string size;         // as the size list writes it
    bool tabulated = true;    // false for a special size
    LimitValue distance;      // from the class's limits, in the answer's unit
    LimitValue tolerances;    // the distance in units of that class's own tolerance
    bool within = false;      // within the class's limits
    std::string note;         // where it lies, why it is kept, what separates it
    std::string className;    // the class compared with ("2A", "6g"; empty for NPT)
    bool tied = false;        // the first candidates not told apart by the measurements
};

struct Identified {
    std::string input;  // the request in words, for the error line
    DisplayUnit unit = DisplayUnit::Inch;
    std::vector<CandidateRow> candidates;  // best first
    std::string tieNote;                   // what would tell the first candidates apart
};

// The candidates, or why there are none (a number that cannot be read, a measurement no thread
// of the catalogue has), one sentence.
std::variant<Identified, Failure> identifyAnswer(const IdentifyRequest& request);

// One JSON object per candidate, keys in this order: rank, designation, series, size,
// tabulated, distance, distanceInTolerance, withinLimits, note; then class, tied and unit
// ("inch" or "mm").
void writeIdentifyJson(std::ostream& out, const Identified& answer);
// A header row and one row per candidate, the columns named as the JSON keys.
void writeIdentifyCsv(std::ostream& out, const Identified& answer);
// A heading line, then one aligned row per candidate with its note, and the tie note.
void writeIdentifyText(std::ostream& out, const Identified& answer);

}  // namespace torveld::query
