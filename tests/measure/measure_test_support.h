// Helpers of the inspection tests: the data files of tests/data/measure and the table rows they
// name.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "gauges.h"
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

// The gauge columns of measure/gauge_rows.csv: the gauge each gives, of the external class (the
// rings) or of the internal one (the plugs).
struct GaugeColumn {
    const char* field;
    measure::GaugeKind kind;
    bool external;
};
inline constexpr GaugeColumn kGaugeColumns[] = {
    {"go_ring", measure::GaugeKind::GoThreadRing, true},
    {"not_go_ring", measure::GaugeKind::NotGoThreadRing, true},
    {"go_plain_ring", measure::GaugeKind::GoPlainRing, true},
    {"not_go_plain_ring", measure::GaugeKind::NotGoPlainRing, true},
    {"go_plug", measure::GaugeKind::GoThreadPlug, false},
    {"not_go_plug", measure::GaugeKind::NotGoThreadPlug, false},
    {"go_plain_plug", measure::GaugeKind::GoPlainPlug, false},
    {"not_go_plain_plug", measure::GaugeKind::NotGoPlainPlug, false},
};

// The size of a class's gauge of one kind, or none.
std::optional<double> gaugeSize(const measure::ClassGauges& c, measure::GaugeKind kind);

}  // namespace torveld::testing
