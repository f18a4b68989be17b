// Special sizes: the results of a size from the special-thread engine's limits, with the pitch,
// profile and wire values of the table path. A tabulated size computed as a special one must come
// out as its table row (the tables of these series are the standards' formulas, a few published
// cells a unit apart), and each class goes into the record its series' tables use for it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "calc_test_support.h"
#include "number_format.h"
#include "special_size.h"

namespace torveld {
namespace {

using R = ClassRecord;
using L = Limit;

// The basic major diameter a size-table designation names, read independently of the project's
// readers: "11/16", "1 1/4", ".6250", "M42"; a whole number up to 12 at 24 threads per inch or
// finer is a number size (0.060 + 0.013 N) in the series that has number sizes.
double diameterOf(SeriesId id, std::string_view text, double pitchValue) {
    if (text.front() == 'M') return leadingNumber(text.substr(1));
    const auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        const double value = leadingNumber(text);
        const bool numberSize = id == series::UNS && text.find('.') == std::string_view::npos &&
                                value <= 12 && pitchValue >= 24;
        return numberSize ? 0.060 + 0.013 * value : value;
    }
    const auto blank = text.find(' ');
    const double whole = blank == std::string_view::npos ? 0.0 : leadingNumber(text);
    const std::string_view fraction =
        blank == std::string_view::npos ? text : text.substr(blank + 1);
    const auto bar = fraction.find('/');
    return whole + leadingNumber(fraction.substr(0, bar)) / leadingNumber(fraction.substr(bar + 1));
}

// Every value of ThreadResults but the pitch; the close class records only when asked.
std::vector<ResultField> everyField(bool closeRecords) {
    std::vector<ResultField> fields;
    for (R record : {R::ExtNormal, R::ExtClose, R::IntNormal, R::IntClose}) {
        if (!closeRecords && (record == R::ExtClose || record == R::IntClose)) continue;
        for (L limit :
             {L::MajorMax, L::MajorMin, L::MajorMean, L::PitchMax, L::PitchMin, L::MinorRef,
              L::MinorMax, L::MinorMin, L::MinorMean, L::WiresMax, L::WiresMin}) {
            fields.emplace_back(record, limit);
        }
    }
    for (Length ThreadResults::*m :
         {&ThreadResults::bestWire, &ThreadResults::wireOffset, &ThreadResults::wireConstant,
          &ThreadResults::extHeight, &ThreadResults::intHeight, &ThreadResults::extFlat,
          &ThreadResults::intFlat, &ThreadResults::crestRadius, &ThreadResults::rootRadius,
          &ThreadResults::rootRadiusMax, &ThreadResults::rootRadiusMin, &ThreadResults::csinkMin,
          &ThreadResults::csinkMax, &ThreadResults::pipeOD, &ThreadResults::e0}) {
        fields.emplace_back(m);
    }
    return fields;
}

struct FamilyCase {
    SeriesId series;
    std::array<std::string, 4> classes;
    bool closeRecords;  // false: the close records are not compared (ISO FINE's follow the size)
};

// Every size of the series, computed as a special size with the classes its tables hold, shows
// what its table row shows: the same fields filled, every text within half a thousandth of an
// inch (one unit where a published cell differs from the formula), and nearly all texts equal.
TEST(SpecialSize, TabulatedSizesComeOutAsTheirRows) {
    const FamilyCase kCases[] = {
        {series::UNS, {"2A", "", "2B", ""}, true},
        {series::UN, {"2A", "3A", "2B", "3B"}, true},
        {series::UNJ, {"", "3A", "", "3B"}, true},
        {series::ACME, {"2G", "4G", "2G", "4G"}, true},
        {series::STUB_ACME, {"2G", "", "2G", ""}, true},
        {series::ISO_FINE, {"6g", "", "6H", ""}, false},
    };
    for (const FamilyCase& c : kCases) {
        SCOPED_TRACE(seriesById(c.series).name);
        const std::vector<ResultField> fields = everyField(c.closeRecords);
        int compared = 0;
        int different = 0;
        int rows = 0;
        for (int row = 0; row < sizeCount(c.series); ++row) {
            const std::optional<ThreadResults> table = calculate(Selection{c.series, row});
            if (!table) continue;
            const SizeRow size = sizeRow(c.series, row);
            const double pitch = pitchTextValue(size.pitchText);
            const SpecialCalculation special = calculateSpecial(
                {c.series, diameterOf(c.series, size.designation, pitch), pitch, c.classes});
            // The engine leaves out only what its standard does not cover (UNS sizes whose
            // pitch is above a quarter of the diameter).
            if (!special.results) {
                EXPECT_EQ(c.series, series::UNS) << size.designation << ": " << special.refusal;
                continue;
            }
            // A special UNJ size is computed as UNJS, on LE = 9P; the 4-, 6- and 8-thread rows of
            // the UNJ tables are on LE = D and differ, as they should.
            if (c.series == series::UNJ && pitch < 12) continue;
            // ISO 965-1 gives no 6H for the 0.2 and 0.25 mm pitches (the window shows 5H and 4H
            // or 4H alone there).
            if (c.series == series::ISO_FINE && pitch < 0.3) continue;
            ++rows;
            SCOPED_TRACE(std::string(size.designation) + "-" + std::string(size.pitchText));
            EXPECT_DOUBLE_EQ(special.results->pitch, table->pitch);
            for (const ResultField& field : fields) {
                const Length expected = field.of(*table);
                const Length actual = field.of(*special.results);
                ASSERT_EQ(actual.has_value(), expected.has_value());
                if (!expected) continue;
                ++compared;
                EXPECT_NEAR(*actual, *expected, 0.0011);
                if (formatLength(*actual, UnitMode::inch()) !=
                    formatLength(*expected, UnitMode::inch())) {
                    ++different;
                }
            }
        }
        EXPECT_GT(rows, 20);
        EXPECT_LT(different * 20, compared) << different << " of " << compared << " texts differ";
    }
}

int rowOf(SeriesId id, std::string_view designation, std::string_view pitch) {
    for (int row = 0; row < sizeCount(id); ++row) {
        const SizeRow r = sizeRow(id, row);
        if (r.designation == designation && r.pitchText == pitch) return row;
    }
    return -1;
}

// UNS is tabulated on LE = 9P as UNEF is: 11/16-24, which the UNS table lacks, computed as a UNS
// special size gives the 2A and 2B limits of the UNEF row 11/16-24, and the close records stay
// empty as in every UNS row.
TEST(SpecialSize, UnsSizeMatchesTheExtraFineRowOfTheSameSize) {
    const int row = rowOf(series::UNEF, "11/16", "24");
    ASSERT_GE(row, 0);
    ASSERT_LT(rowOf(series::UNS, "11/16", "24"), 0);
    const ThreadResults unef = testing::calculated(series::UNEF, row);
    const SpecialCalculation uns =
        calculateSpecial({series::UNS, 0.6875, 24, {"2A", "", "2B", ""}});
    ASSERT_TRUE(uns.results) << uns.refusal;
    const ThreadResults& r = *uns.results;
    const auto text = [](const Length& value) {
        return value ? formatLength(*value, UnitMode::inch()) : std::string("--");
    };
    for (L limit : {L::MajorMax, L::MajorMin, L::MajorMean, L::PitchMax, L::PitchMin, L::MinorRef,
                    L::WiresMax, L::WiresMin}) {
        EXPECT_EQ(text(*limitOf(r, R::ExtNormal, limit)),
                  text(*limitOf(unef, R::ExtNormal, limit)));
        EXPECT_EQ(text(*limitOf(r, R::ExtClose, limit)), "--");
    }
    for (L limit :
         {L::MinorMin, L::MinorMax, L::MinorMean, L::PitchMin, L::PitchMax, L::MajorMin}) {
        EXPECT_EQ(text(*limitOf(r, R::IntNormal, limit)),
                  text(*limitOf(unef, R::IntNormal, limit)));
        EXPECT_EQ(text(*limitOf(r, R::IntClose, limit)), "--");
    }
    EXPECT_EQ(text(r.extNormal.majorMax), ".6863");  // published 11/16-24 UNEF 2A
    EXPECT_EQ(text(r.extNormal.pitchMin), ".6552");
    EXPECT_EQ(text(r.bestWire), ".0241");
    EXPECT_EQ(formatLength(*r.bestWire, UnitMode::inch(), 1), ".02406");  // 0.57735 / 24
}

// UNJS is on LE = 9P as UNJEF is tabulated: .6875-24, which the UNJ table lacks (the reader takes
// it from UNJEF), computed as a UNJ special size gives every value of the UNJEF row .6875-24.
TEST(SpecialSize, UnjSizeMatchesTheExtraFineRowOfTheSameSize) {
    const int row = rowOf(series::UNJEF, ".6875", "24");
    ASSERT_GE(row, 0);
    ASSERT_LT(rowOf(series::UNJ, ".6875", "24"), 0);
    const ThreadResults unjef = testing::calculated(series::UNJEF, row);
    const SpecialCalculation unj =
        calculateSpecial({series::UNJ, 0.6875, 24, {"", "3A", "", "3B"}});
    ASSERT_TRUE(unj.results) << unj.refusal;
    const auto text = [](const Length& value) {
        return value ? formatLength(*value, UnitMode::inch()) : std::string("--");
    };
    int compared = 0;
    for (const ResultField& field : everyField(true)) {
        EXPECT_EQ(text(field.of(*unj.results)), text(field.of(unjef)));
        compared += field.of(unjef).has_value() ? 1 : 0;
    }
    EXPECT_GT(compared, 20);
}

// A metric special size is computed in millimetres and held in inches like every other value:
// M42x1 6g and 6H as ISO 965-1 gives them (es -26 um, Td 180, Td2 125, TD2 170, TD1 236 um).
TEST(SpecialSize, MetricLimitsAreMillimetresHeldInInches) {
    const SpecialCalculation m = calculateSpecial({series::ISO_FINE, 42, 1, {"6g", "", "6H", ""}});
    ASSERT_TRUE(m.results) << m.refusal;
    const ThreadResults& r = *m.results;
    const auto mm = [](const Length& value) {
        return value ? formatLength(*value, UnitMode::metric()) : std::string("--");
    };
    EXPECT_DOUBLE_EQ(r.pitch, 1 / 25.4);
    EXPECT_EQ(mm(r.extNormal.majorMax), "41.974");
    EXPECT_EQ(mm(r.extNormal.majorMin), "41.794");
    EXPECT_EQ(mm(r.extNormal.pitchMax), "41.324");
    EXPECT_EQ(mm(r.extNormal.pitchMin), "41.199");
    EXPECT_EQ(mm(r.intNormal.pitchMin), "41.350");
    EXPECT_EQ(mm(r.intNormal.pitchMax), "41.520");
    EXPECT_EQ(mm(r.intNormal.minorMin), "40.917");
    EXPECT_EQ(mm(r.intNormal.minorMax), "41.153");
    EXPECT_EQ(mm(r.intNormal.majorMin), "42.000");
    EXPECT_EQ(mm(r.intNormal.majorMax), "--");  // ISO gives no internal major maximum
    // Over wires: the pitch-diameter limits plus the constant of the 60 degree form.
    EXPECT_NEAR(testing::v(r.extNormal.wiresMax), 41.324 / 25.4 + testing::v(r.wireConstant),
                1e-12);
    EXPECT_NEAR(testing::v(r.wireConstant), (3 * 0.57735 - 0.866025404) / 25.4, 1e-12);
}

// What the engine refuses leaves nothing behind: the thread as a whole (a diameter outside the
// standard), or a class, whose record stays empty while the others are shown; every class
// refused is the thread refused. A series without special sizes computes none.
TEST(SpecialSize, RefusalsLeaveTheirRecordsEmpty) {
    const SpecialCalculation huge =
        calculateSpecial({series::ISO_FINE, 3210, 5, {"6g", "", "", ""}});
    EXPECT_FALSE(huge.results);
    EXPECT_FALSE(huge.limits.ok());
    EXPECT_EQ(huge.refusal, huge.limits.refusal);
    EXPECT_NE(huge.refusal.find("3210"), std::string::npos) << huge.refusal;

    // ISO f positions are not held: 6f refused, 6g and 6H shown.
    const SpecialCalculation f =
        calculateSpecial({series::ISO_FINE, 42, 1, {"6g", "6f", "6H", ""}});
    ASSERT_TRUE(f.results) << f.refusal;
    EXPECT_TRUE(f.refusal.empty());
    EXPECT_TRUE(f.results->extNormal.majorMax);
    EXPECT_TRUE(f.results->intNormal.pitchMin);
    EXPECT_EQ(f.results->extClose, ExternalLimits{});
    bool kept = false;
    for (const special::ClassLimits& c : f.limits.classes)
        kept = kept || (c.name == "6f" && !c.ok());
    EXPECT_TRUE(kept);

    const SpecialCalculation none = calculateSpecial({series::ISO_FINE, 42, 1, {"", "6f", "", ""}});
    EXPECT_FALSE(none.results);
    EXPECT_EQ(none.refusal.rfind("class 6f (external): ", 0), 0u) << none.refusal;

    EXPECT_FALSE(calculateSpecial({series::BSW, 0.3, 20, {"2A", "", "", ""}}).results);
    EXPECT_FALSE(calculateSpecial({series::UNS, 0.6875, 24, {"", "", "", ""}}).results);
}

}  // namespace
}  // namespace torveld
