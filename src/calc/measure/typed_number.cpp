#include "typed_number.h"

#include <array>
#include <charconv>
#include <cmath>

namespace torveld::measure {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr std::size_t kQuoted = 24;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameWord(std::string_view typed, std::string_view word) {
    if (typed.size() != word.size()) return false;
    for (std::size_t i = 0; i < typed.size(); ++i)
        if (lower(typed[i]) != word[i]) return false;
    return true;
}

struct UnitWord {
    std::string_view word;
    TypedUnit unit;
};
constexpr std::array<UnitWord, 11> kUnitWords{{
    {"in", TypedUnit::Inch},
    {"inch", TypedUnit::Inch},
    {"inches", TypedUnit::Inch},
    {"\"", TypedUnit::Inch},
    {"mm", TypedUnit::Millimetre},
    {"tpi", TypedUnit::ThreadsPerInch},
    {"deg", TypedUnit::Degree},
    {"degree", TypedUnit::Degree},
    {"degrees", TypedUnit::Degree},
    {"\xC2\xB0", TypedUnit::Degree},  // U+00B0 DEGREE SIGN
    {"\xC2\xBA", TypedUnit::Degree},  // U+00BA, typed for it on some keyboards
}};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

TypedResult refused(std::string why) {
    TypedResult r;
    r.error = std::move(why);
    return r;
}

std::string quotedWith(std::string_view text, const char* why) {
    return quotedTyped(text) + why;
}

const char* unitName(TypedUnit unit) {
    switch (unit) {
        case TypedUnit::Inch:
            return "inches";
        case TypedUnit::Millimetre:
            return "millimetres";
        case TypedUnit::ThreadsPerInch:
            return "threads per inch";
        case TypedUnit::Degree:
            return "degrees";
        case TypedUnit::None:
            break;
    }
    return "no unit";
}

}  // namespace

std::string quotedTyped(std::string_view text) {
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < kQuoted; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
    if (text.size() > kQuoted) out += "...";
    return out + "'";
}

TypedResult readTyped(std::string_view typed) {
    if (typed.size() > kMaxTypedBytes)
        return refused(quotedWith(typed, ": too long for a number (at most 64 characters)"));
    const std::string_view text = trimmed(typed);
    if (text.empty()) return refused("type a number");

    std::size_t at = 0;
    if (text[0] == '-' || text[0] == '+' || text.starts_with("\xE2\x88\x92"))  // U+2212
        return refused(quotedWith(typed, ": a measurement is a number without a sign"));
    std::size_t digits = 0, points = 0;
    while (at < text.size() && (isDigit(text[at]) || text[at] == '.')) {
        if (text[at] == '.') {
            ++points;
        } else {
            ++digits;
        }
        ++at;
    }
    if (digits == 0) {
        return refused(quotedWith(
            typed, points > 0 ? ": a point without digits is no number" : ": not a number"));
    }
    if (points > 1) return refused(quotedWith(typed, ": a number has at most one decimal point"));
    if (at < text.size() && text[at] == ',' && at + 1 < text.size() && isDigit(text[at + 1]))
        return refused(quotedWith(typed, ": write the decimals after a point, not a comma"));

    const std::string_view number = text.substr(0, at);
    double value = 0;
    // from_chars reads "5." and ".5" in the fixed format as the digits stand.
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::fixed);
    if (ec != std::errc{} || end != number.data() + number.size() || !std::isfinite(value))
        return refused(quotedWith(typed, ": not a number"));

    std::string_view rest = trimmed(text.substr(at));
    TypedNumber n{value, TypedUnit::None};
    if (!rest.empty()) {
        bool known = false;
        for (const UnitWord& u : kUnitWords) {
            if (sameWord(rest, u.word)) {
                n.unit = u.unit;
                known = true;
                break;
            }
        }
        if (!known) {
            return refused(quotedWith(typed, ": the unit ") + quotedTyped(rest) +
                           " is not one of in, mm, tpi or deg");
        }
    }
    TypedResult r;
    r.number = n;
    return r;
}

TypedValue readLength(std::string_view text, special::Unit bare, special::Unit unit) {
    TypedValue out;
    const TypedResult r = readTyped(text);
    if (!r.ok()) {
        out.error = r.error;
        return out;
    }
    special::Unit typedUnit = bare;
    switch (r.number->unit) {
        case TypedUnit::None:
            break;
        case TypedUnit::Inch:
            typedUnit = special::Unit::Inch;
            break;
        case TypedUnit::Millimetre:
            typedUnit = special::Unit::Millimetre;
            break;
        case TypedUnit::ThreadsPerInch:
        case TypedUnit::Degree:
            out.error = quotedTyped(text) + ": a length is in inches or millimetres, not " +
                        unitName(r.number->unit);
            return out;
    }
    double value = r.number->value;
    if (typedUnit != unit)
        value = unit == special::Unit::Inch ? value / kMmPerInch : value * kMmPerInch;
    out.value = value;
    return out;
}

TypedPitch readPitch(std::string_view text, PitchUnit bare) {
    TypedPitch out;
    const TypedResult r = readTyped(text);
    if (!r.ok()) {
        out.error = r.error;
        return out;
    }
    const double v = r.number->value;
    switch (r.number->unit) {
        case TypedUnit::None:
            out.value = v;
            out.unit = bare;
            return out;
        case TypedUnit::ThreadsPerInch:
            out.value = v;
            out.unit = PitchUnit::ThreadsPerInch;
            return out;
        case TypedUnit::Millimetre:
            out.value = v;
            out.unit = PitchUnit::Millimetres;
            return out;
        case TypedUnit::Inch:
            // A pitch in inches is counted as threads per inch.
            if (v > 0.0) {
                out.value = 1.0 / v;
                out.unit = PitchUnit::ThreadsPerInch;
                return out;
            }
            break;
        case TypedUnit::Degree:
            out.error = quotedTyped(text) + ": a pitch is threads per inch or millimetres";
            return out;
    }
    out.error = quotedTyped(text) + ": a pitch of 0 in is no pitch";
    return out;
}

TypedValue readAngle(std::string_view text) {
    TypedValue out;
    const TypedResult r = readTyped(text);
    if (!r.ok()) {
        out.error = r.error;
        return out;
    }
    if (r.number->unit != TypedUnit::None && r.number->unit != TypedUnit::Degree) {
        out.error = quotedTyped(text) + ": an angle is in degrees, not " + unitName(r.number->unit);
        return out;
    }
    out.value = r.number->value;
    return out;
}

}  // namespace torveld::measure
