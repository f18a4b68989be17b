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
// a string -> text), limits ({"external": {CLASS: {LIMIT: number}}, "internal": {...}}) and
// provenance ([{"classes": [...], "table": name or null, "source": text}]).
nlohmann::ordered_json toJson(const Answer& answer);

// One line of JSON; text that is not valid UTF-8 is replaced, never refused.
void writeJson(std::ostream& out, const Answer& answer);

// A readable block of the same content, ending in a blank line.
void writeText(std::ostream& out, const Answer& answer);

// A header row and one row per answer: input, designation, series, size, sizeIndex, tabulated,
// unit, then one column per limit any answer has, named external.CLASS.LIMIT (external before
// internal, classes in order of first appearance, limits in the order of kLimitNames). A number
// is written as the window writes it, with its zero before the point ("0.2489"); a limit an
// answer lacks is an empty cell. Cells holding ',', '"' or a line break are quoted.
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
