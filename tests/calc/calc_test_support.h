// Helpers shared by the calculation tests.
#pragma once

#include <string_view>

#include "drill_chart.h"
#include "limit_tables.h"
#include "series.h"
#include "thread_calculator.h"

namespace torveld::testing {

// Runs the calculation for one size, starting from `start` (fields the series does not compute
// keep their values from it).
inline ThreadResults calculated(SeriesId id, int row, ThreadResults start = {}) {
    Selection selection;
    selection.series = id;
    selection.sizeIndex = row;
    ThreadCalculator(selection, start).calculate();
    return start;
}

// A table cell as the calculation sees it: the stored single-precision value widened.
inline double widened(float value) {
    return static_cast<double>(value);
}

// True when a table row holds no value at all (a row the tables do not carry yet).
inline bool rowIsEmpty(const LimitTable& table, int row) {
    for (int c = 0; c < table.columns; ++c) {
        if (table.stored(row, c) != 0.0f) return false;
    }
    return true;
}

inline int drillRowNamed(std::string_view name) {
    for (int i = 0; i < drill_chart::kRowCount; ++i) {
        if (name == drill_chart::row(i).drillName) return i;
    }
    return -1;
}

}  // namespace torveld::testing
