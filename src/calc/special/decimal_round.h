// Rounding to a number of decimals as the standards' tables round (internal to
// torveld_special). Values are carried as integer units of the last place, so that sums of
// rounded terms are exact and a value half way between two units is recognised as the decimal
// tie it is in exact arithmetic.
#pragma once

#include <cmath>
#include <cstdint>

namespace torveld::special::detail {

inline constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0};

// A value computed in binary floating point that lies within this distance (inches or
// millimetres) of a decimal half is that half: 0.3 x 0.0045 and the 1-8 UNC tolerance 0.00675
// arrive a few 1e-18 off, while no value of the formulas comes nearer than 1e-9 to a half
// without being one.
inline constexpr double kTieWindow = 5e-10;

// `x` rounded to `decimals` places, in units of the last place; a tie goes to the even unit.
inline std::int64_t roundToUnits(double x, int decimals) {
    const double scaled = x * kPowersOfTen[decimals];
    const double lower = std::floor(scaled);
    const double fraction = scaled - lower;
    const auto n = static_cast<std::int64_t>(lower);
    if (std::fabs(fraction - 0.5) <= kTieWindow * kPowersOfTen[decimals]) return n + (n & 1);
    return fraction < 0.5 ? n : n + 1;
}

// Units of 4 decimals rounded to 3 (the 4-place value written to three places); ties to even.
inline std::int64_t unitsToThreePlaces(std::int64_t fourPlaceUnits) {
    const std::int64_t lower = fourPlaceUnits / 10;  // limits are positive
    const std::int64_t rest = fourPlaceUnits % 10;
    if (rest == 5) return lower + (lower & 1);
    return rest < 5 ? lower : lower + 1;
}

inline double unitsToValue(std::int64_t units, int decimals) {
    return static_cast<double>(units) / kPowersOfTen[decimals];
}

}  // namespace torveld::special::detail
