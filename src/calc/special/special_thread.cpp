#include "special_thread.h"

#include <array>
#include <charconv>
#include <cmath>

#include "decimal_round.h"
#include "standards.h"

namespace torveld::special {

namespace {

struct SeriesName {
    Series series;
    std::string_view code;
    std::string_view standard;  // whose formulas give its limits
};

constexpr std::array<SeriesName, 14> kSeriesNames = {{
    {Series::UNC, "UNC", "ASME B1.1"},
    {Series::UNF, "UNF", "ASME B1.1"},
    {Series::UNEF, "UNEF", "ASME B1.1"},
    {Series::UN, "UN", "ASME B1.1"},
    {Series::UNS, "UNS", "ASME B1.1"},
    {Series::UNJC, "UNJC", "ASME B1.15"},
    {Series::UNJF, "UNJF", "ASME B1.15"},
    {Series::UNJEF, "UNJEF", "ASME B1.15"},
    {Series::UNJ, "UNJ", "ASME B1.15"},
    {Series::UNJS, "UNJS", "ASME B1.15"},
    {Series::Metric, "M", "ISO 965-1"},
    {Series::Acme, "ACME", "ASME B1.5"},
    {Series::StubAcme, "STUB ACME", "ASME B1.8"},
    {Series::Trapezoidal, "Tr", "ISO 2903"},
}};

constexpr std::string_view kUnifiedClasses[] = {"1A", "2A", "3A", "1B", "2B", "3B"};
constexpr std::string_view kUnjClasses[] = {"3A", "3B"};
constexpr std::string_view kMetricClasses[] = {"6g", "6H"};
constexpr std::string_view kAcmeClasses[] = {"2G", "3G", "4G", "5G"};
constexpr std::string_view kStubAcmeClasses[] = {"2G"};
constexpr std::string_view kTrapezoidalClasses[] = {"7e", "7H"};
// More starts than any thread has; a larger count is a typing error, not a thread.
constexpr int kMostStarts = 99;

// A class whose limits the formulas place out of order (a pitch so fine for a large Acme
// diameter that the allowance and tolerance exceed the thread height) is not a thread the
// standard covers; what overlaps, or nothing.
const char* overlap(const ClassLimits& c) {
    // Compared exactly, in units of 0.0001 (limits have 3 or 4 decimals).
    const auto units4 = [](const Limit& l) {
        return l.units * static_cast<std::int64_t>(detail::kPowersOfTen[4 - l.decimals]);
    };
    const auto above = [&](const std::optional<Limit>& low, const std::optional<Limit>& high) {
        return low && high && units4(*low) > units4(*high);
    };
    if (above(c.majorMin, c.majorMax) || above(c.pitchMin, c.pitchMax) ||
        above(c.minorMin, c.minorMax))
        return "a minimum above its maximum";
    if (above(c.pitchMax, c.majorMin)) return "the pitch diameter above the major diameter";
    // (An internal minor maximum may pass the pitch minimum: UNJ raises its minor diameter so,
    // No. 1-64 UNJC 3B.)
    if (c.side == Side::External &&
        (above(c.minorMax, c.pitchMin) || above(c.minorRef, c.pitchMin)))
        return "the minor diameter above the pitch diameter";
    return nullptr;
}

}  // namespace

std::string_view seriesCode(Series series) {
    for (const SeriesName& name : kSeriesNames)
        if (name.series == series) return name.code;
    return {};
}

std::string_view standardOf(Series series) {
    for (const SeriesName& name : kSeriesNames)
        if (name.series == series) return name.standard;
    return {};
}

std::optional<Series> seriesFromCode(std::string_view code) {
    for (const SeriesName& name : kSeriesNames)
        if (name.code == code) return name.series;
    constexpr SeriesName kRoundedRoot[] = {{Series::UNC, "UNRC", "ASME B1.1"},
                                           {Series::UNF, "UNRF", "ASME B1.1"},
                                           {Series::UNEF, "UNREF", "ASME B1.1"},
                                           {Series::UN, "UNR", "ASME B1.1"},
                                           {Series::UNS, "UNRS", "ASME B1.1"}};
    for (const SeriesName& name : kRoundedRoot)
        if (name.code == code) return name.series;
    return std::nullopt;
}

std::vector<std::string_view> defaultClasses(Series series) {
    switch (series) {
        case Series::UNJC:
        case Series::UNJF:
        case Series::UNJEF:
        case Series::UNJ:
        case Series::UNJS:
            return {std::begin(kUnjClasses), std::end(kUnjClasses)};
        case Series::Metric:
            return {std::begin(kMetricClasses), std::end(kMetricClasses)};
        case Series::Acme:
            return {std::begin(kAcmeClasses), std::end(kAcmeClasses)};
        case Series::StubAcme:
            return {std::begin(kStubAcmeClasses), std::end(kStubAcmeClasses)};
        case Series::Trapezoidal:
            return {std::begin(kTrapezoidalClasses), std::end(kTrapezoidalClasses)};
        default:
            return {std::begin(kUnifiedClasses), std::end(kUnifiedClasses)};
    }
}

double Limit::value() const {
    return detail::unitsToValue(units, decimals);
}

std::string Limit::text() const {
    return detail::unitsText(units, decimals);
}

Result calculate(const SpecialThread& thread, std::span<const std::string_view> classes) {
    Result result;
    const bool metric = thread.series == Series::Metric || thread.series == Series::Trapezoidal;
    result.unit = metric ? Unit::Millimetre : Unit::Inch;
    if (!seriesFromCode(seriesCode(thread.series))) {
        result.refusal = "unknown thread series";
        return result;
    }
    if (!std::isfinite(thread.majorDiameter) || thread.majorDiameter <= 0.0) {
        result.refusal = "the basic major diameter must be a positive number";
        return result;
    }
    if (!std::isfinite(thread.pitch) || thread.pitch <= 0.0) {
        result.refusal = metric ? "the pitch must be a positive number of millimetres"
                                : "the threads per inch must be a positive number";
        return result;
    }
    if (thread.starts < 1 || thread.starts > kMostStarts) {
        result.refusal = "the number of starts must be a whole number from 1 to 99";
        return result;
    }
    if (thread.starts > 1 && thread.series != Series::Trapezoidal) {
        result.refusal = "multiple-start threads are computed for the trapezoidal series Tr only";
        return result;
    }
    std::vector<std::string_view> named;
    if (classes.empty()) {
        named = defaultClasses(thread.series);
        classes = named;
    }
    switch (thread.series) {
        case Series::Metric:
            detail::metric(thread, classes, result);
            break;
        case Series::Acme:
        case Series::StubAcme:
            detail::acme(thread, classes, result);
            break;
        case Series::Trapezoidal:
            detail::trapezoidal(thread, classes, result);
            break;
        default:
            detail::unified(thread, classes, result);
            break;
    }
    if (!result.ok()) {
        result.classes.clear();
        return result;
    }
    for (ClassLimits& c : result.classes) {
        if (!c.ok()) continue;
        if (const char* what = overlap(c)) {
            ClassLimits refused;
            refused.name = c.name;
            refused.side = c.side;
            c = refused;
            c.refusal = "the pitch is too fine for the diameter: the standard's formulas give ";
            c.refusal += what;
            c.refusal += ", so this thread is outside the standard";
        }
    }
    return result;
}

namespace detail {

std::string unitsText(std::int64_t units, int decimals) {
    std::string text;
    if (units < 0) {
        text += '-';  // not `text = "-"`: GCC 12 reports a false overlap at -O3
        units = -units;
    }
    const auto scale = static_cast<std::int64_t>(kPowersOfTen[decimals]);
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, units / scale);
    text.append(buffer, end);
    if (decimals > 0) {
        text += '.';
        std::int64_t rest = units % scale;
        std::string digits(static_cast<std::size_t>(decimals), '0');
        for (int i = decimals - 1; i >= 0; --i) {
            digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        text += digits;
    }
    (void)error;
    return text;
}

std::string numberText(double value, int decimals) {
    if (!(std::fabs(value) < 1e12)) {
        char buffer[32];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
        return error == std::errc{} ? std::string(buffer, end) : std::string("?");
    }
    std::string text = unitsText(roundToUnits(value, decimals), decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string inchText(double inches) {
    const double scaled = inches * 64.0;
    if (!(std::fabs(scaled) < 1e12) || std::fabs(scaled - std::round(scaled)) > 1e-6)
        return numberText(inches);
    const auto sixtyFourths = static_cast<std::int64_t>(std::llround(scaled));
    const std::int64_t whole = sixtyFourths / 64;
    std::int64_t numerator = sixtyFourths % 64;
    std::int64_t denominator = 64;
    while (numerator != 0 && numerator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }
    std::string text;
    if (whole != 0 || numerator == 0) text = unitsText(whole, 0);
    if (numerator != 0) {
        if (!text.empty()) text += ' ';
        text += unitsText(numerator, 0);
        text += '/';
        text += unitsText(denominator, 0);
    }
    return text;
}

}  // namespace detail

}  // namespace torveld::special
