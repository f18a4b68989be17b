// Numbers in the texts of the inspection results (internal to torveld_measure): fixed decimals,
// '.' whatever the process locale.
#pragma once

#include <string>

#include "special_thread.h"

namespace torveld::measure::detail {

// `value` with `decimals` places ("0.0253"); a non-finite or huge value as to_chars writes it.
std::string fixedText(double value, int decimals);

// A length with its unit: 4 places and " in", or 3 places and " mm" ("0.0253 in", "0.643 mm").
std::string lengthText(double value, special::Unit unit);

// " in" or " mm".
const char* unitSuffix(special::Unit unit);

}  // namespace torveld::measure::detail
