// GO / NOT GO gauge sizes against published gauge rows and published class limits
// (tests/data/measure/gauge_rows.csv), and the NPT L1 gauges against ASME B1.20.1
// (tests/data/published/NPT_gauge.csv).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gauges.h"
#include "measure_keys.h"
#include "measure_test_support.h"

namespace torveld {
namespace {

using K = measure::GaugeKind;
using testing::halfUnitOf;
using testing::numberOf;
using testing::PublishedTable;
using testing::Row;

const measure::ClassGauges* classOf(const measure::GaugeSet& set, ClassRecord record) {
    for (const measure::ClassGauges& c : set.classes)
        if (c.cls.record == record) return &c;
    return nullptr;
}

TEST(Gauges, PublishedGaugeRowsAndClassLimits) {
    const PublishedTable table("measure/gauge_rows.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("series") + " " + row.at("size") + " " + row.at("class"));
        const auto id = testing::seriesNamed(row.at("series"));
        ASSERT_TRUE(id.has_value());
        measure::GaugeSet set;
        // "6g/6H" and "2A/2B" are the normal records, "3A/3B" the close ones.
        const bool close = row.at("class") == "3A/3B";
        if (row.at("size").rfind("special ", 0) == 0) {
            const double d = testing::parseNumber(row.at("size").substr(8));
            set = measure::gaugesOfSpecial({*id, d, numberOf(row, "pitch"), {"6g", "", "6H", ""}});
        } else {
            const auto size = testing::rowOf(*id, row.at("size"), row.at("pitch"));
            ASSERT_TRUE(size.has_value());
            set = measure::gaugesOf(*id, *size);
        }
        ASSERT_TRUE(set.ok()) << set.refusal;
        const auto* ext = classOf(set, close ? ClassRecord::ExtClose : ClassRecord::ExtNormal);
        const auto* in = classOf(set, close ? ClassRecord::IntClose : ClassRecord::IntNormal);
        ASSERT_NE(ext, nullptr);
        ASSERT_NE(in, nullptr);
        for (const testing::GaugeColumn& column : testing::kGaugeColumns) {
            if (row.at(column.field).empty()) continue;
            const auto size = testing::gaugeSize(column.external ? *ext : *in, column.kind);
            ASSERT_TRUE(size.has_value()) << column.field;
            EXPECT_NEAR(*size, numberOf(row, column.field), halfUnitOf(row, column.field))
                << column.field;
        }
        EXPECT_NE(set.toleranceNote.find("not included"), std::string::npos);
        const bool metric = row.at("series").rfind("ISO", 0) == 0;
        EXPECT_EQ(set.notGoRingTurns, metric ? 2 : 3);
        EXPECT_EQ(set.standard,
                  metric ? measure::GaugeStandard::Iso1502 : measure::GaugeStandard::AsmeB12);
        EXPECT_NE(set.acceptance.find(metric ? "two turns" : "three complete turns"),
                  std::string::npos)
            << set.acceptance;
    }
}

TEST(Gauges, NptL1GaugesAreThePublishedOnes) {
    const PublishedTable table("published/NPT_gauge.csv");
    ASSERT_FALSE(table.failed());
    ASSERT_EQ(static_cast<int>(table.rows().size()), sizeCount(series::NPT));
    int row = 0;
    for (const Row& published : table.rows()) {
        SCOPED_TRACE(published.at("designation"));
        for (const SeriesId id : {series::NPT, series::NPTF}) {
            const measure::GaugeSet set = measure::gaugesOf(id, row);
            ASSERT_TRUE(set.ok()) << set.refusal;
            ASSERT_TRUE(set.taper.has_value());
            EXPECT_TRUE(set.classes.empty());
            // The table writes E0 to five places, a half to the even digit (3.340625 as
            // 3.34062): one unit of the last place.
            EXPECT_NEAR(set.taper->e0, numberOf(published, "E0_pitch_dia_at_end"),
                        2.0 * halfUnitOf(published, "E0_pitch_dia_at_end"));
            EXPECT_NEAR(set.taper->e1, numberOf(published, "E1_pitch_dia_at_L1"),
                        2.0 * halfUnitOf(published, "E1_pitch_dia_at_L1"));
            EXPECT_NEAR(set.taper->l1, numberOf(published, "L1_handtight_length"),
                        halfUnitOf(published, "L1_handtight_length"));
            EXPECT_EQ(set.taper->turns, 1.0);
            EXPECT_EQ(set.standard, measure::GaugeStandard::AsmeB1201);
            EXPECT_NE(set.acceptance.find("within one turn"), std::string::npos);
        }
        ++row;
    }
}

// Every class with pitch-diameter limits gets its gauges, in the direction of tolerances: GO
// at maximum material, NOT GO at least material.
TEST(Gauges, EveryTableSizeInTheDirectionOfTolerances) {
    for (SeriesId id = 0; id < series::kCount; ++id) {
        for (int row = 0; row < sizeCount(id); ++row) {
            const measure::GaugeSet set = measure::gaugesOf(id, row);
            ASSERT_TRUE(set.ok()) << seriesById(id).name << " " << row << ": " << set.refusal;
            if (set.taper) {
                EXPECT_GT(set.taper->e1, set.taper->e0);
                continue;
            }
            ASSERT_FALSE(set.classes.empty());
            for (const measure::ClassGauges& c : set.classes) {
                const bool ext = c.side == measure::Side::External;
                const auto go = testing::gaugeSize(c, ext ? K::GoThreadRing : K::GoThreadPlug);
                const auto no =
                    testing::gaugeSize(c, ext ? K::NotGoThreadRing : K::NotGoThreadPlug);
                ASSERT_TRUE(go && no);
                // A ring's GO is the larger, a plug's the smaller.
                EXPECT_LT(ext ? *no : *go, ext ? *go : *no);
            }
            if (set.standard == measure::GaugeStandard::NotGiven) {
                EXPECT_EQ(set.notGoRingTurns, 0);
                EXPECT_NE(set.acceptance.find("not among the sources"), std::string::npos);
            }
        }
    }
    EXPECT_FALSE(measure::gaugesOf(series::kCount, 0).ok());
    EXPECT_FALSE(measure::gaugesOf(series::UNC, -1).ok());
    EXPECT_FALSE(measure::gaugesOfSpecial({series::BSW, 0.25, 20, {"2A", "", "", ""}}).ok());
}

// Machine-readable output keys: one per enumerator, none twice within an enumeration.
template <typename E>
void expectDistinctKeys(int count) {
    std::vector<std::string_view> keys;
    for (int i = 0; i < count; ++i) {
        const std::string_view key = measure::keyOf(static_cast<E>(i));
        EXPECT_FALSE(key.empty());
        EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0) << key;
        keys.push_back(key);
    }
}

TEST(MeasureKeys, DistinctWithinEachEnumeration) {
    expectDistinctKeys<measure::Verdict>(4);
    expectDistinctKeys<measure::WireFormula>(3);
    expectDistinctKeys<measure::Basis>(3);
    expectDistinctKeys<measure::Position>(3);
    expectDistinctKeys<measure::ToleranceBasis>(3);
    expectDistinctKeys<measure::Separator>(7);
    expectDistinctKeys<measure::GaugeKind>(8);
    expectDistinctKeys<measure::GaugeStandard>(4);
}

}  // namespace
}  // namespace torveld
