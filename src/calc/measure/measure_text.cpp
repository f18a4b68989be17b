#include "measure_text.h"

#include <charconv>
#include <cmath>

namespace torveld::measure::detail {

std::string fixedText(double value, int decimals) {
    char buffer[64];
    std::to_chars_result written{};
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        // -0.0000 reads as 0.0000.
        const double scale = std::pow(10.0, decimals);
        if (std::fabs(value) * scale < 0.5) value = 0.0;
        written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                decimals);
    } else {
        written = std::to_chars(buffer, buffer + sizeof buffer, value);
    }
    if (written.ec != std::errc{}) return "?";
    return std::string(buffer, written.ptr);
}

std::string lengthText(double value, special::Unit unit) {
    std::string text = fixedText(value, unit == special::Unit::Inch ? 4 : 3);
    text += unitSuffix(unit);
    return text;
}

const char* unitSuffix(special::Unit unit) {
    return unit == special::Unit::Inch ? " in" : " mm";
}

}  // namespace torveld::measure::detail
