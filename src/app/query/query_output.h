// The command-line query's output: answers as JSON lines, as CSV rows or as readable text
// blocks, the series list, and the one-line error of a designation that was not answered.
// Numbers are written without the process locale: JSON numbers by nlohmann's writer, texts as
// the window formats them.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "query_session.h"

namespace torveld::query {

enum class Format { Text, Json, Csv };

// The JSON object of one answer, keys in this order: input, designation, series, size,
// sizeIndex (null for a special size), tabulated, unit ("inch" or "mm"), fields (control id as
// a string -> text), limits ({"external": {CLASS: {LIMIT: number}}, "internal": {...}}),
// provenance ([{"classes": [...], "table": name or null, "source": text}]); then pitch, tpi
// (null where the series counts no threads per inch), profile, wires, tapDrill, pipe (NPT and
// NPTF only) and notes; then, asked with a wire, measurement ({"wire", "formula",
// "overWires": {CLASS: {"max", "min"}}, with a reading "pitchDiameter" and "verdict": {CLASS:
// {"within", "fromMax", "fromMin"}}, then "formulaKey", "leadAngleTerm" (the term applied),
// "plane" and "planePitchDiameter" (taper pipe threads), "notMeasured": {CLASS: why} (internal
// classes), "note"}); gauges ({CLASS: {"goThread", "notGoThread", "goPlain", "notGoPlain"}},
// every class with pitch limits, a name on both sides as "NAME external" and "NAME internal")
// and gauging ({"standard", "notGoRingTurns", "L1": {"E0", "E1", "length", "turns"} for NPT
// and NPTF, "acceptance", "tolerances"}). Numbers are in the answer's unit, rounded as the
// window rounds them (the wire, a pitch diameter and a distance with one place more); a value
// the thread does not have is left out.
nlohmann::ordered_json toJson(const Answer& answer);

// The same object as one line of JSON text (no line end); text that is not valid UTF-8 is
// replaced, never refused.
std::string jsonText(const Answer& answer);

// One line of JSON; text that is not valid UTF-8 is replaced, never refused.
void writeJson(std::ostream& out, const Answer& answer);

// A readable data sheet of the same content for a person, ending in a blank line: what the
// thread is, the limits of its classes side by side, the profile, wires, tap drill and pipe
// values, the notes, and one line of provenance per class (with `fullProvenance`, the tables' and
// formulas' whole statements).
void writeText(std::ostream& out, const Answer& answer, bool fullProvenance = false);

// A header row and one row per answer: input, designation, series, size, sizeIndex, tabulated,
// unit, then one column per limit any answer has, named external.CLASS.LIMIT (external before
// internal, classes in order of first appearance, limits in the order of kLimitNames), then one
// column per value of the profile, wires, guide drill and pipe any answer has, named as the JSON
// keys (pitch, tpi, profile.externalHeight, wires.overWires.2A.max, tapDrill.guide.drill,
// pipe.E1, ...). A number is written as the window writes it, with its zero before the point
// ("0.2489"); a value an answer lacks is an empty cell. Cells holding ',', '"' or a line break
// are quoted.
void writeCsv(std::ostream& out, std::span<const Answer> answers);

// The series, in the order of their radios: name, number of sizes and table unit; as aligned
// text, one JSON object per line, or CSV with a header row.
void writeSeriesList(std::ostream& out, Format format);

// `torveld-query: "TEXT": REASON` on one line: quotes, backslashes and control characters of
// TEXT and control characters of REASON are escaped.
std::string errorLine(std::string_view text, std::string_view reason);

// "inch" or "mm".
std::string_view unitName(DisplayUnit unit);

}  // namespace torveld::query
