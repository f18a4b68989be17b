// The sizes of every table as exact numbers, read once from the size texts: what a designation
// is matched against.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "series.h"

namespace torveld::designation::detail {

// Sizes and pitches are held in millionths of their unit, so that ".250" and "1/4", ".1900" and
// No. 10 compare exactly.
inline constexpr std::int64_t kMicro = 1'000'000;

struct RowValues {
    // Inches for the inch series (a number size as its diameter), millimetres for ISO metric,
    // UNM and Tr, the BA number for BA; pipe sizes (G and R too) are their nominal size.
    std::int64_t size = 0;
    std::int64_t pitch = 0;   // threads per inch, or millimetres for the metric series
    std::int8_t number = -1;  // the number size (0 to 12) a row of an inch table names, or -1
};

// The rows of a series, parallel to its size table.
std::span<const RowValues> rowsOf(SeriesId id);

// The basic major diameter of number size n, in millionths of an inch: 0.060 + 0.013 n.
constexpr std::int64_t numberSizeDiameter(int n) {
    return 60'000 + 13'000 * static_cast<std::int64_t>(n);
}

// Series whose tables hold number sizes, written as numbers or as decimals (Unified, UNS, UNJ
// and the thread inserts).
bool hasNumberSizes(SeriesId id);

// Reads a size or pitch text of the tables ("1 1/4", "5/16", ".390", "1.0000", "M10", "Tr20",
// "4 1/2", "0.080") in millionths; false when the text is none of these or not exact.
bool readTableNumber(std::string_view text, std::int64_t& micro);

}  // namespace torveld::designation::detail
