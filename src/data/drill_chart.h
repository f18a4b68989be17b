// Drill chart: number, letter, fractional and metric drills in ascending diameter, plus an end row.
#pragma once

namespace torveld {

struct DrillRow {
    const char* drillName;
    const char* decimalInch;
};

namespace drill_chart {
inline constexpr int kRowCount = 747;
inline constexpr int kEndRow = 746;  // "NO DATA" in both columns

const DrillRow& row(int index);  // 0 <= index < kRowCount
// Diameter in inches of a real drill (rows 0..745); 0 for the end row.
double diameter(int index);
}  // namespace drill_chart

namespace generated {
extern const DrillRow kDrillChartRows[747];
}

}  // namespace torveld
