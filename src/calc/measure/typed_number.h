// Inspection: a number as a person types it into a measurement, with or without its unit:
// "0.02887", ".0289 in", "0.733 mm", "20 tpi", "60 deg". Read with std::from_chars whatever the
// process locale; a decimal comma, a sign, an exponent or a unit that is not one of these is
// refused with one sentence that quotes a short part of what was typed.
//
// The grammar: blanks, digits with at most one '.' (".5", "5.", "5"), blanks, an optional unit
// word, blanks. Unit words, any letter case: in, inch, inches, " (inches); mm (millimetres);
// tpi (threads per inch); deg, degree, degrees, ° (degrees). At most kMaxTypedBytes bytes are
// read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "series.h"
#include "special_thread.h"

namespace torveld::measure {

inline constexpr std::size_t kMaxTypedBytes = 64;

enum class TypedUnit { None, Inch, Millimetre, ThreadsPerInch, Degree };

struct TypedNumber {
    double value = 0;  // finite, 0 or more
    TypedUnit unit = TypedUnit::None;
};

struct TypedResult {
    std::optional<TypedNumber> number;
    std::string error;  // one sentence when there is no number

    bool ok() const { return number.has_value(); }
};

// Reads one typed number.
TypedResult readTyped(std::string_view text);

// A length: a number in inches or millimetres, or without a unit in `bare`. The value in `unit`.
struct TypedValue {
    std::optional<double> value;
    std::string error;

    bool ok() const { return value.has_value(); }
};
TypedValue readLength(std::string_view text, special::Unit bare, special::Unit unit);

// A pitch: threads per inch, millimetres, or a pitch in inches ("0.05 in" is 20 threads per
// inch); without a unit in `bare`. The pitch as threads per inch or millimetres, as typed.
struct TypedPitch {
    std::optional<double> value;
    PitchUnit unit = PitchUnit::ThreadsPerInch;
    std::string error;

    bool ok() const { return value.has_value(); }
};
TypedPitch readPitch(std::string_view text, PitchUnit bare);

// An angle in degrees, with or without the word.
TypedValue readAngle(std::string_view text);

// The text of what was typed quoted for a message: at most 24 characters, the unprintable
// ones as '?', "..." after a longer text.
std::string quotedTyped(std::string_view text);

}  // namespace torveld::measure
