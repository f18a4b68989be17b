#include "number_properties.h"

#include <charconv>
#include <cmath>

#include "typed_number.h"

namespace torveld::robustness {

namespace {

using measure::TypedUnit;

const char* unitWord(TypedUnit unit) {
    switch (unit) {
        case TypedUnit::Inch:
            return " in";
        case TypedUnit::Millimetre:
            return " mm";
        case TypedUnit::ThreadsPerInch:
            return " tpi";
        case TypedUnit::Degree:
            return " deg";
        case TypedUnit::None:
            break;
    }
    return "";
}

// A refusal: one printable line, short, quoting a short part of the input.
std::string checkRefusal(const std::string& error, const char* what) {
    if (error.empty()) return std::string(what) + ": neither a value nor a refusal";
    if (error.size() > 200) return std::string(what) + ": a refusal of more than 200 characters";
    for (const char c : error) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f)
            return std::string(what) + ": an unprintable character in the refusal";
    }
    // A quote is at most 24 characters and "...".
    const std::size_t open = error.find('\'');
    if (open != std::string::npos) {
        const std::size_t close = error.find('\'', open + 1);
        if (close == std::string::npos) return std::string(what) + ": an unclosed quote";
        if (close - open - 1 > 27) return std::string(what) + ": a quote too long";
    }
    return {};
}

std::string checkValue(const std::optional<double>& value, const std::string& error,
                       const char* what) {
    if (value) {
        if (!std::isfinite(*value) || *value < 0.0) return std::string(what) + ": not a length";
        if (!error.empty()) return std::string(what) + ": both a value and a refusal";
        return {};
    }
    return checkRefusal(error, what);
}

}  // namespace

std::string checkTypedNumber(std::string_view input) {
    const measure::TypedResult r = measure::readTyped(input);
    if (r.ok()) {
        const double v = r.number->value;
        if (!std::isfinite(v) || v < 0.0) return "a number read that is not finite and positive";
        if (!r.error.empty()) return "both a number and a refusal";
        // Its own text reads back the same.
        char buffer[64];
        const auto written =
            std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed);
        if (written.ec != std::errc{}) return "a number read that cannot be written";
        const std::string text = std::string(buffer, written.ptr) + unitWord(r.number->unit);
        // (A number of many places may be written longer than the reader takes.)
        const measure::TypedResult back = measure::readTyped(text);
        if (text.size() <= measure::kMaxTypedBytes &&
            (!back.ok() || back.number->value != v || back.number->unit != r.number->unit)) {
            return "'" + text + "' does not read back as it was written";
        }
    } else if (std::string why = checkRefusal(r.error, "the number"); !why.empty()) {
        return why;
    }
    using U = special::Unit;
    for (const U bare : {U::Inch, U::Millimetre}) {
        for (const U into : {U::Inch, U::Millimetre}) {
            const measure::TypedValue l = measure::readLength(input, bare, into);
            if (std::string why = checkValue(l.value, l.error, "the length"); !why.empty())
                return why;
            if (l.ok() && !r.ok()) return "a length read from what is no number";
        }
    }
    for (const PitchUnit bare : {PitchUnit::ThreadsPerInch, PitchUnit::Millimetres}) {
        const measure::TypedPitch p = measure::readPitch(input, bare);
        if (std::string why = checkValue(p.value, p.error, "the pitch"); !why.empty()) return why;
    }
    const measure::TypedValue a = measure::readAngle(input);
    return checkValue(a.value, a.error, "the angle");
}

}  // namespace torveld::robustness
