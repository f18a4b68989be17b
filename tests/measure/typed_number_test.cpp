// Numbers as a person types them for a measurement: every form the reader takes, with its unit,
// and every form it refuses, with a message that quotes what was typed; lengths, pitches and
// angles in the unit they were typed in, or in the one a bare number stands for.
#include <gtest/gtest.h>

#include <string>

#include "typed_number.h"

namespace torveld {
namespace {

using measure::TypedUnit;
using Unit = special::Unit;

TEST(TypedNumber, ReadsEveryFormWithItsUnit) {
    struct Case {
        const char* typed;
        double value;
        TypedUnit unit;
    };
    const Case cases[] = {
        {"0.02887", 0.02887, TypedUnit::None},
        {".0289 in", 0.0289, TypedUnit::Inch},
        {"0.733 mm", 0.733, TypedUnit::Millimetre},
        {"  9.98mm\t", 9.98, TypedUnit::Millimetre},
        {".373in", 0.373, TypedUnit::Inch},
        {"0.5\"", 0.5, TypedUnit::Inch},
        {"1 INCH", 1.0, TypedUnit::Inch},
        {"2 inches", 2.0, TypedUnit::Inch},
        {"20 tpi", 20.0, TypedUnit::ThreadsPerInch},
        {"11.5TPI", 11.5, TypedUnit::ThreadsPerInch},
        {"60 deg", 60.0, TypedUnit::Degree},
        {"29\xC2\xB0", 29.0, TypedUnit::Degree},
        {"47.5 degrees", 47.5, TypedUnit::Degree},
        {"5.", 5.0, TypedUnit::None},
        {"0", 0.0, TypedUnit::None},
        {"000012.500", 12.5, TypedUnit::None},
    };
    for (const Case& c : cases) {
        const measure::TypedResult r = measure::readTyped(c.typed);
        ASSERT_TRUE(r.ok()) << c.typed << ": " << r.error;
        EXPECT_DOUBLE_EQ(r.number->value, c.value) << c.typed;
        EXPECT_EQ(r.number->unit, c.unit) << c.typed;
    }
}

TEST(TypedNumber, RefusesWhatIsNoMeasurementQuotingIt) {
    struct Case {
        const char* typed;
        const char* says;  // a part of the message
    };
    const Case cases[] = {
        {"", "type a number"},
        {"   ", "type a number"},
        {"0,733", "'0,733': write the decimals after a point"},
        {"-0.5", "'-0.5': a measurement is a number without a sign"},
        {"+0.5", "without a sign"},
        {"\xE2\x88\x92"
         "1",
         "without a sign"},
        {"1e3", "the unit 'e3' is not one of in, mm, tpi or deg"},
        {"0.5 cm", "the unit 'cm'"},
        {"1.2.3", "at most one decimal point"},
        {".", "a point without digits"},
        {"abc", "'abc': not a number"},
        {"0x10", "the unit 'x10'"},
        {"inf", "not a number"},
        {"nan", "not a number"},
        {"12345678901234567890123456789012345678901234567890123456789012345",
         "'123456789012345678901234...': too long"},
        {"\x01\xff",
         "'?"
         "?': not a number"},
    };
    for (const Case& c : cases) {
        const measure::TypedResult r = measure::readTyped(c.typed);
        EXPECT_FALSE(r.ok()) << c.typed;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << c.typed << ": " << r.error;
        for (const char ch : r.error) EXPECT_TRUE(ch >= 0x20 && ch < 0x7f) << c.typed;
    }
}

TEST(TypedNumber, LengthsPitchesAndAnglesInTheirUnits) {
    struct Length {
        const char* typed;
        Unit bare, into;
        double value;
    };
    // 25.4 mm to the inch, exactly.
    const Length lengths[] = {
        {"0.0289", Unit::Inch, Unit::Inch, 0.0289},
        {"0.0289", Unit::Millimetre, Unit::Millimetre, 0.0289},
        {"0.0289 in", Unit::Millimetre, Unit::Millimetre, 0.73406},
        {"0.733 mm", Unit::Inch, Unit::Inch, 0.733 / 25.4},
        {"0.733", Unit::Millimetre, Unit::Inch, 0.733 / 25.4},
    };
    for (const Length& l : lengths) {
        const measure::TypedValue v = measure::readLength(l.typed, l.bare, l.into);
        ASSERT_TRUE(v.ok()) << l.typed << ": " << v.error;
        EXPECT_NEAR(*v.value, l.value, 1e-12) << l.typed;
    }

    struct Pitch {
        const char* typed;
        PitchUnit bare;
        double value;
        PitchUnit unit;
    };
    const Pitch pitches[] = {
        {"20", PitchUnit::ThreadsPerInch, 20.0, PitchUnit::ThreadsPerInch},
        {"1.5", PitchUnit::Millimetres, 1.5, PitchUnit::Millimetres},
        {"1.5 mm", PitchUnit::ThreadsPerInch, 1.5, PitchUnit::Millimetres},
        {"16 tpi", PitchUnit::Millimetres, 16.0, PitchUnit::ThreadsPerInch},
        {"0.05 in", PitchUnit::Millimetres, 20.0, PitchUnit::ThreadsPerInch},
    };
    for (const Pitch& p : pitches) {
        const measure::TypedPitch v = measure::readPitch(p.typed, p.bare);
        ASSERT_TRUE(v.ok()) << p.typed << ": " << v.error;
        EXPECT_NEAR(*v.value, p.value, 1e-12) << p.typed;
        EXPECT_EQ(v.unit, p.unit) << p.typed;
    }
    EXPECT_DOUBLE_EQ(*measure::readAngle("55").value, 55.0);
    EXPECT_DOUBLE_EQ(*measure::readAngle("29 deg").value, 29.0);

    // A number of another kind, or no pitch: refused, quoting it.
    const std::pair<std::string, const char*> refusals[] = {
        {measure::readLength("20 tpi", Unit::Inch, Unit::Inch).error,
         "'20 tpi': a length is in inches or millimetres, not threads per inch"},
        {measure::readPitch("0 in", PitchUnit::ThreadsPerInch).error, "'0 in': a pitch of 0 in"},
        {measure::readPitch("60 deg", PitchUnit::ThreadsPerInch).error,
         "'60 deg': a pitch is threads per inch or millimetres"},
        {measure::readAngle("60 mm").error, "'60 mm': an angle is in degrees, not millimetres"},
    };
    for (const auto& [error, says] : refusals)
        EXPECT_NE(error.find(says), std::string::npos) << error;
}

}  // namespace
}  // namespace torveld
