#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

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

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};

// The same text as fixedText for a single-precision value of up to six places, without the
// general conversion: a float's 24-bit significand times 10^places (at most 2^20) is exact in
// double precision, so rounding that product to the nearest integer, a half to the even one,
// rounds the exact binary value as to_chars does. Nothing for values too large for it.
bool fastFixedText(float value, int places, std::string& text) {
    const double scaled = static_cast<double>(value) * kPowersOfTen[places];
    if (!(std::fabs(scaled) < 9e15)) return false;
    const double rounded = std::nearbyint(scaled);
    const bool negative = rounded < 0.0;
    auto units = static_cast<long long>(negative ? -rounded : rounded);
    char digits[32];
    int n = 0;
    for (int k = 0; k < places; ++k) {
        digits[n++] = static_cast<char>('0' + units % 10);
        units /= 10;
    }
    digits[n++] = '.';
    do {
        digits[n++] = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units > 0);
    // A value that rounds to zero from below reads as zero: lengths are never negative.
    if (negative) digits[n++] = '-';
    text.assign(std::make_reverse_iterator(digits + n), std::make_reverse_iterator(digits));
    return true;
}

}  // namespace

std::string formatValue(float value, int places) {
    places = std::clamp(places, 1, 6);
    std::string text;
    if (!fastFixedText(value, places, text)) text = fixedText(static_cast<double>(value), places);
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
