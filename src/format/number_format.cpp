#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace torveld {

int UnitMode::places(int offset) const {
    const int base = static_cast<int>(std::lround(decimals));
    return std::clamp(base + offset, 1, 6);
}

float displayValue(double inches, const UnitMode& mode) {
    return static_cast<float>(inches * mode.unitFactor);
}

namespace {

std::string fixedText(double value, int places) {
    // to_chars writes the exact binary value rounded to `places` (a half to the even digit)
    // with a decimal point whatever the process locale says.
    char buffer[352];  // enough for any double in fixed notation with up to 6 decimals
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    std::string text(buffer, written.ec == std::errc{} ? written.ptr : buffer);
    // A value that rounds to zero from below would read "-0.000"; lengths are never negative.
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

}  // namespace

std::string formatValue(float value, int places) {
    places = std::clamp(places, 1, 6);
    std::string text = fixedText(static_cast<double>(value), places);
    if (value < 1.0f && text.starts_with("0.")) text.erase(0, 1);
    return text;
}

std::string formatLength(double inches, const UnitMode& mode, int placesOffset) {
    return formatValue(displayValue(inches, mode), mode.places(placesOffset));
}

std::string formatFixed(std::string_view pattern, double value) {
    const auto point = pattern.find('.');
    const auto before = pattern.substr(0, point);
    const auto after = point == std::string_view::npos ? std::string_view{} : pattern.substr(point);
    const int width = static_cast<int>(std::count(before.begin(), before.end(), '#'));
    const int decimals = static_cast<int>(std::count(after.begin(), after.end(), '#'));
    std::string text = fixedText(value, std::clamp(decimals, 0, 6));
    const auto dot = text.find('.');
    const int integerDigits = static_cast<int>(dot == std::string::npos ? text.size() : dot);
    if (integerDigits < width) text.insert(0, static_cast<size_t>(width - integerDigits), ' ');
    return text;
}

std::string drillDiameterText(double d, DrillTextMode mode) {
    switch (mode) {
        case DrillTextMode::StartUp: {
            const double shown = d * 1.0;  // the unit factor is 1.0 at start-up
            return std::string(shown < 1.0 ? 5 : 3, ' ') +
                   formatValue(static_cast<float>(shown), 4);
        }
        case DrillTextMode::BackToInch:
            return std::string(d < 1.0 ? 3 : 1, ' ') + formatValue(static_cast<float>(d), 4);
        case DrillTextMode::Metric:
            if (d < 10.0 / mmPerInch) return formatFixed("%d#####.###", d * mmPerInch);
            if (d < 100.0 / mmPerInch) return formatFixed("%d####.###", d * mmPerInch);
            return formatFixed("%d#.###", d * mmPerInch);
    }
    return {};
}

}  // namespace torveld
