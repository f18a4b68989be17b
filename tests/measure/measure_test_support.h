// Helpers of the inspection tests: the data files of tests/data/measure and the table rows they
// name.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "published_csv.h"
#include "series.h"

namespace torveld::testing {

using Row = std::map<std::string, std::string>;

// A field of a row as a number; fails the test (and gives 0) when it is blank or not a number.
double numberOf(const Row& row, const std::string& field);

// A decimal number of a text (std::from_chars); fails the test on anything else.
double parseNumber(const std::string& text);

// Half a unit of the last decimal written in a field ("0.0014" -> 0.00005; "8.93" -> 0.005).
double halfUnitOf(const Row& row, const std::string& field);

// The catalogue series of a name ("UNC", "ISO COARSE"), or none.
std::optional<SeriesId> seriesNamed(const std::string& name);

// The table row of a series with this designation and pitch text ("1/4", "20"; "M10", "1.5").
std::optional<int> rowOf(SeriesId id, const std::string& designation, const std::string& pitch);

}  // namespace torveld::testing
