// The inspection of a thread report: the gauges of the classes a designation names, as the report
// names them (tests/data/measure/gauge_rows.csv, as published), the over-wire limits of a class
// the tables do not hold (UNC 1A of published/UNC_1A1B.csv), and the designations of the
// identification's candidates. The verdicts and refusals are tested where they are answered
// (tests/query/measuring_test.cpp, tests/ui/measure_window_test.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "designation.h"
#include "measure_test_support.h"
#include "thread_measuring.h"

namespace torveld {
namespace testing {
// The report of a designation (report_test.cpp); an empty one, failing the test, where none.
ThreadReport reportOf(const std::string& text);
}  // namespace testing

namespace {

using measure::Unit;
using testing::halfUnitOf;
using testing::numberOf;
using testing::PublishedTable;
using testing::reportOf;
using testing::Row;

// 1/4-20 UNC 1A, which the window does not show: its limits come from the standard's formulas,
// and the over-wire limits for any wire follow them: M = E + 3 W - 0.866025 P with E the
// published 1A pitch limits (UNC_1A1B.csv: 0.2164 and 0.2108).
TEST(ReportInspection, AClassTheTablesDoNotHoldIsMeasuredAsNamed) {
    const PublishedTable table("published/UNC_1A1B.csv");
    ASSERT_FALSE(table.failed());
    const auto* published = table.row("1/4-20 UNC");
    ASSERT_NE(published, nullptr);
    const double pitchMax = *PublishedTable::number(*published, "ext_pitch_max");
    const double pitchMin = *PublishedTable::number(*published, "ext_pitch_min");
    const ThreadReport report = reportOf("1/4-20 UNC-1A");
    measure::WireInput input;
    input.wire = 0.030;
    const measure::WireResult r = reportOverWires(report, input, Unit::Inch);
    ASSERT_TRUE(r.ok()) << r.refusal;
    ASSERT_EQ(r.classes.size(), 1u);
    EXPECT_EQ(r.classes[0].cls.name, "1A");
    EXPECT_FALSE(r.classes[0].cls.record.has_value()) << "computed, not a record of the window";
    EXPECT_NEAR(r.classes[0].wiresMax, pitchMax + 3 * 0.030 - 0.866025 * 0.05, 6e-5);
    EXPECT_NEAR(r.classes[0].wiresMin, pitchMin + 3 * 0.030 - 0.866025 * 0.05, 6e-5);
}

TEST(ReportInspection, GaugesOfTheClassesADesignationNames) {
    const PublishedTable table("measure/gauge_rows.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        const std::string& classes = row.at("class");
        const std::string external = classes.substr(0, classes.find('/'));
        const std::string internal = classes.substr(classes.find('/') + 1);
        const std::string& text = row.at("designation");
        SCOPED_TRACE(text);
        const Unit unit = row.at("series") == "UNC" ? Unit::Inch : Unit::Millimetre;
        const measure::GaugeSet set = reportGauges(reportOf(text), unit);
        ASSERT_TRUE(set.ok()) << set.refusal;
        ASSERT_EQ(set.classes.size(), 2u) << "the two classes named";
        EXPECT_EQ(set.classes[0].cls.name, external);
        EXPECT_EQ(set.classes[1].cls.name, internal);
        for (const testing::GaugeColumn& c : testing::kGaugeColumns) {
            if (row.at(c.field).empty()) continue;
            const auto size = testing::gaugeSize(set.classes[c.external ? 0 : 1], c.kind);
            ASSERT_TRUE(size.has_value()) << c.field;
            EXPECT_NEAR(*size, numberOf(row, c.field), 2 * halfUnitOf(row, c.field)) << c.field;
        }
        EXPECT_EQ(set.notGoRingTurns, unit == Unit::Inch ? 3 : 2);
        EXPECT_NE(set.toleranceNote.find("not included"), std::string::npos);
    }
}

// A report without values has nothing to measure or gauge.
TEST(ReportInspection, AReportWithoutValuesHasNothingToMeasure) {
    EXPECT_FALSE(reportOverWires(ThreadReport{}, {0.0289, 0.25, 0.0, {}}, Unit::Inch).ok());
    EXPECT_FALSE(reportGauges(ThreadReport{}, Unit::Inch).ok());
}

// A candidate's designation as the find box reads it: a table row's canonical text, a special
// size's as its series writes it (the canonical forms of designation.h) and read back.
TEST(ReportInspection, CandidateDesignationsReadBack) {
    struct Case {
        SeriesId series;
        int row;
        std::optional<measure::SpecialSize> special;
        const char* designation;
        const char* size;
    };
    const Case cases[] = {
        {series::UNC, 9, std::nullopt, "1/4-20 UNC", "1/4 - 20"},
        {series::ISO_FINE, -1, measure::SpecialSize{42.0, 1.0}, "M42x1", "M42 - 1"},
        {series::UNS, -1, measure::SpecialSize{0.6875, 24.0}, "11/16-24 UNS", "11/16 - 24"},
        {series::UNS, -1, measure::SpecialSize{0.395, 27.0}, ".3950-27 UNS", ".3950 - 27"},
        {series::UNJ, -1, measure::SpecialSize{0.6875, 20.0}, ".6875-20 UNJ", ".6875 - 20"},
        {series::ACME, -1, measure::SpecialSize{0.75, 10.0}, "3/4-10 ACME", "3/4 - 10"},
    };
    for (const Case& c : cases) {
        measure::Candidate candidate;
        candidate.series = c.series;
        candidate.row = c.row;
        candidate.special = c.special;
        EXPECT_EQ(candidateDesignation(candidate), c.designation);
        EXPECT_EQ(candidateSize(candidate), c.size) << c.designation;
    }
    // A size no series writes is no designation.
    measure::Candidate none;
    none.series = series::UNC;
    none.special = measure::SpecialSize{0.6875, 24.0};
    EXPECT_EQ(candidateDesignation(none), "");
}

}  // namespace
}  // namespace torveld
