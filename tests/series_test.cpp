#include <gtest/gtest.h>

#include <set>
#include <string>

#include "limit_tables.h"
#include "series.h"

namespace torveld {
namespace {

TEST(SeriesCatalogue, IdsNamesAndFamiliesAreFixed) {
    struct Expected {
        SeriesId id;
        const char* name;
        SeriesFamily family;
    };
    const Expected expected[] = {
        {0, "UNC", SeriesFamily::Unified},
        {1, "UNF", SeriesFamily::Unified},
        {2, "UNEF", SeriesFamily::Unified},
        {3, "UN", SeriesFamily::Unified},
        {4, "UNS", SeriesFamily::UNS},
        {5, "UNJ", SeriesFamily::UNJ},
        {6, "UNJC", SeriesFamily::UNJ},
        {7, "UNJF", SeriesFamily::UNJ},
        {8, "UNJEF", SeriesFamily::UNJ},
        {9, "NPT", SeriesFamily::TaperPipe},
        {10, "NPTF", SeriesFamily::TaperPipe},
        {11, "NPSM", SeriesFamily::StraightPipe},
        {12, "NPSL", SeriesFamily::StraightPipe},
        {13, "ACME", SeriesFamily::Acme},
        {14, "STUB ACME", SeriesFamily::Acme},
        {15, "ISO COARSE", SeriesFamily::IsoMetric},
        {16, "ISO FINE", SeriesFamily::IsoMetric},
        {17, "UNM", SeriesFamily::UNM},
        {18, "BSW", SeriesFamily::Whitworth},
        {19, "BSF", SeriesFamily::Whitworth},
        {20, "BA", SeriesFamily::BA},
        {21, "UNC-STI", SeriesFamily::ThreadInsert},
        {22, "UNF-STI", SeriesFamily::ThreadInsert},
        {23, "G", SeriesFamily::BritishPipe},
        {24, "R", SeriesFamily::BritishTaper},
        {25, "Tr", SeriesFamily::Trapezoidal},
    };
    for (const auto& e : expected) {
        const ThreadSeries& s = seriesById(e.id);
        EXPECT_EQ(s.id, e.id);
        EXPECT_STREQ(s.name, e.name);
        EXPECT_EQ(s.family, e.family) << e.name;
    }
    EXPECT_FALSE(isValidSeries(-1));
    EXPECT_FALSE(isValidSeries(26));
    EXPECT_EQ(sizeCount(26), 0);
}

// The metric series count their pitch in millimetres and hold millimetre tables; the British
// pipe threads G and R count threads per inch but their standards give millimetres.
TEST(SeriesCatalogue, MetricSeriesAreExactlyTheFiveMillimetreOnes) {
    const std::set<SeriesId> metric = {series::ISO_COARSE, series::ISO_FINE, series::UNM,
                                       series::BA, series::TR};
    const std::set<SeriesId> millimetreTables = {series::G, series::R};
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const ThreadSeries& s = seriesById(id);
        const bool isMetric = metric.count(id) > 0;
        EXPECT_EQ(s.pitchUnit == PitchUnit::Millimetres, isMetric) << s.name;
        EXPECT_EQ(s.firstTable->millimetres, isMetric || millimetreTables.count(id) > 0) << s.name;
        if (s.secondTable) {
            EXPECT_EQ(s.secondTable->millimetres, isMetric) << s.name;
        }
    }
}

TEST(SeriesCatalogue, LimitTablesRunParallelToSizeTables) {
    int tables = 0;
    long cells = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const ThreadSeries& s = seriesById(id);
        for (const LimitTable* t : {s.firstTable, s.secondTable}) {
            if (!t) continue;
            ++tables;
            cells += static_cast<long>(t->rows) * t->columns;
            EXPECT_EQ(t->rows, s.sizeTable->rowCount) << s.name << " " << t->name;
        }
    }
    EXPECT_EQ(tables, 33);
    EXPECT_EQ(cells, 12361 + 24 * 10 + 15 * 18 + 185 * 11);
    // Only the Unified, ISO and ACME series have a second table; UNS has one only.
    EXPECT_EQ(seriesById(series::UNS).secondTable, nullptr);
    EXPECT_NE(seriesById(series::ACME).secondTable, nullptr);
    EXPECT_EQ(seriesById(series::STUB_ACME).secondTable, nullptr);
}

TEST(SeriesCatalogue, AcmeAndStubAcmeShareOneSizeTable) {
    EXPECT_EQ(seriesById(series::ACME).sizeTable, seriesById(series::STUB_ACME).sizeTable);
    EXPECT_NE(seriesById(series::ACME).firstTable, seriesById(series::STUB_ACME).firstTable);
    for (int r = 0; r < sizeCount(series::ACME); ++r) {
        EXPECT_EQ(sizeRow(series::ACME, r).designation, sizeRow(series::STUB_ACME, r).designation);
        EXPECT_EQ(sizeRow(series::ACME, r).pitchInches, sizeRow(series::STUB_ACME, r).pitchInches);
    }
}

TEST(SizeRow, PitchFromThreadsPerInchMillimetresAndMixedNumbers) {
    EXPECT_DOUBLE_EQ(sizeRow(series::UNC, 9).pitchInches, 1.0 / 20);    // 1/4-20
    EXPECT_DOUBLE_EQ(sizeRow(series::UNC, 24).pitchInches, 1.0 / 4.5);  // 2-4 1/2
    EXPECT_DOUBLE_EQ(sizeRow(series::UNC, 25).pitchInches, 1.0 / 4.5);  // 2 1/4-4 1/2
    EXPECT_DOUBLE_EQ(sizeRow(series::UNC, 26).pitchInches, 1.0 / 4);    // 2 1/2-4
    for (int r = 6; r <= 9; ++r) {
        EXPECT_DOUBLE_EQ(sizeRow(series::NPT, r).pitchInches, 1.0 / 11.5) << r;
        EXPECT_DOUBLE_EQ(sizeRow(series::NPTF, r).pitchInches, 1.0 / 11.5) << r;
    }
    for (int r = 5; r <= 8; ++r) {
        EXPECT_DOUBLE_EQ(sizeRow(series::NPSM, r).pitchInches, 1.0 / 11.5) << r;
        EXPECT_DOUBLE_EQ(sizeRow(series::NPSL, r).pitchInches, 1.0 / 11.5) << r;
    }
    EXPECT_DOUBLE_EQ(sizeRow(series::NPT, 10).pitchInches, 1.0 / 8);
    EXPECT_DOUBLE_EQ(sizeRow(series::ISO_COARSE, 0).pitchInches, 0.25 / 25.4);  // M1
    EXPECT_DOUBLE_EQ(sizeRow(series::ISO_COARSE, 18).pitchInches, 1.5 / 25.4);  // M10
    EXPECT_DOUBLE_EQ(sizeRow(series::BA, 0).pitchInches, 1.0 / 25.4);           // "1.000"
    EXPECT_DOUBLE_EQ(sizeRow(series::UNM, 0).pitchInches, 0.080 / 25.4);
    EXPECT_DOUBLE_EQ(sizeRow(series::BSW, 17).pitchInches, 1.0 / 4.5);   // "4.5"
    EXPECT_DOUBLE_EQ(sizeRow(series::UNJC, 24).pitchInches, 1.0 / 4.5);  // "4.5"
}

TEST(SizeRow, EveryRowOfEverySeriesHasAPositivePitch) {
    for (SeriesId id = 0; id < series::kCount; ++id) {
        for (int r = 0; r < sizeCount(id); ++r) {
            const SizeRow row = sizeRow(id, r);
            EXPECT_GT(row.pitchInches, 0.0) << seriesById(id).name << " row " << r;
            // The coarsest: Tr300x44, 1.73 in.
            EXPECT_LT(row.pitchInches, 2.0) << seriesById(id).name << " row " << r;
        }
    }
}

TEST(TextNumbers, LeadingNumberReadsTheDecimalPrefix) {
    EXPECT_DOUBLE_EQ(leadingNumber("20"), 20.0);
    EXPECT_DOUBLE_EQ(leadingNumber("0.080"), 0.08);
    EXPECT_DOUBLE_EQ(leadingNumber(".0135"), 0.0135);
    EXPECT_DOUBLE_EQ(leadingNumber("2.5000"), 2.5);
    EXPECT_DOUBLE_EQ(leadingNumber("NO DATA"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(pitchTextValue("4 1/2"), 4.5);
    EXPECT_DOUBLE_EQ(pitchTextValue("11 1/2"), 11.5);
    EXPECT_DOUBLE_EQ(pitchTextValue("2.875"), 2.875);
}

TEST(SizeList, EntryTextIsTwoBlanksDesignationDashPitch) {
    const ThreadSeries& unc = seriesById(series::UNC);
    EXPECT_EQ(sizeListEntry(unc.sizeTable->rows[9]), "  1/4 - 20");
    const ThreadSeries& iso = seriesById(series::ISO_COARSE);
    EXPECT_EQ(sizeListEntry(iso.sizeTable->rows[18]), "  M10 - 1.5");
    EXPECT_EQ(sizeListEntry(unc.sizeTable->rows[24]), "  2 - 4 1/2");
}

}  // namespace
}  // namespace torveld
