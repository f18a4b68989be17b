// Helpers shared by the calculation tests.
#pragma once

#include <gtest/gtest.h>

#include <limits>
#include <string_view>

#include "drill_chart.h"
#include "limit_tables.h"
#include "series.h"
#include "thread_calculator.h"

namespace torveld::testing {

// The results of one size (every value empty when the calculation cannot run).
inline ThreadResults calculated(SeriesId id, int row) {
    return calculate(Selection{id, row}).value_or(ThreadResults{});
}

// The value of a result that must have one; an empty one fails the test and reads as NaN, so
// that the comparison it goes into fails too.
inline double v(const Length& value) {
    EXPECT_TRUE(value.has_value()) << "a value is missing";
    return value.value_or(std::numeric_limits<double>::quiet_NaN());
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
