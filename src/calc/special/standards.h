// The special-thread calculation of each standard (internal to torveld_special).
#pragma once

#include <span>
#include <string_view>

#include "special_thread.h"

namespace torveld::special::detail {

// Each fills `result` (unit, classes, provenance) or sets result.refusal. `classes` is never
// empty and `thread` has finite, positive diameter and pitch.
void unified(const SpecialThread& thread, std::span<const std::string_view> classes,
             Result& result);
void metric(const SpecialThread& thread, std::span<const std::string_view> classes, Result& result);
void acme(const SpecialThread& thread, std::span<const std::string_view> classes, Result& result);
void trapezoidal(const SpecialThread& thread, std::span<const std::string_view> classes,
                 Result& result);

// "0.0025" style text of a decimal number given by units of its last place.
std::string unitsText(std::int64_t units, int decimals);

// A number in the provenance and refusal texts: up to `decimals` places, trailing zeros dropped
// ("5.75", "14", "0.19").
std::string numberText(double value, int decimals = 4);

// Inches as the size lists write them: a whole number or mixed number where the value is a
// whole number of 64ths ("5", "15/16", "1 1/16"), else decimals as numberText ("1.1", "0.216").
std::string inchText(double inches);

}  // namespace torveld::special::detail
