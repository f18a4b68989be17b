#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "series.h"

namespace torveld {
namespace {

struct Span {
    SeriesId id;
    int rows;
    const char* first[2];
    const char* last[2];
};

// Row counts and the first and last row of every size table.
const Span kSpans[] = {
    {series::UNC, 33, {"1", "64"}, {"4", "4"}},
    {series::UNF, 24, {"0", "80"}, {"1 1/2", "12"}},
    {series::UNEF, 25, {"12", "32"}, {"1 11/16", "18"}},
    {series::UN, 237, {"5/16", "20"}, {"6", "16"}},
    {series::UNS, 115, {"10", "28"}, {"6", "14"}},
    {series::UNJ, 139, {".4375", "16"}, {"6.0000", "16"}},
    {series::UNJC, 33, {".0730", "64"}, {"4.0000", "4"}},
    {series::UNJF, 24, {".0600", "80"}, {"1.5000", "12"}},
    {series::UNJEF, 25, {".2160", "32"}, {"1.6875", "18"}},
    {series::NPT, 19, {"1/16", "27"}, {"12", "8"}},
    {series::NPTF, 19, {"1/16", "27"}, {"12", "8"}},
    {series::NPSM, 15, {"1/8", "27"}, {"6", "8"}},
    {series::NPSL, 18, {"1/8", "27"}, {"12", "8"}},
    {series::ACME, 23, {"1/4", "16"}, {"5", "2"}},
    {series::STUB_ACME, 23, {"1/4", "16"}, {"5", "2"}},
    {series::ISO_COARSE, 40, {"M1", "0.25"}, {"M100", "6"}},
    {series::ISO_FINE, 70, {"M1", "0.2"}, {"M200", "3"}},
    {series::UNM, 14, {"0.30", "0.080"}, {"1.40", "0.300"}},
    {series::BSW, 30, {"1/8", "40"}, {"6", "2.5"}},
    {series::BSF, 30, {"3/16", "32"}, {"4 1/4", "4"}},
    {series::BA, 17, {"0", "1.000"}, {"16", "0.190"}},
    {series::UNC_STI, 22, {"2", "56"}, {"1 1/2", "6"}},
    {series::UNF_STI, 20, {"3", "56"}, {"1 1/2", "12"}},
};

TEST(SizeTables, RowCountsAndFirstAndLastRows) {
    for (const Span& s : kSpans) {
        const char* name = seriesById(s.id).name;
        ASSERT_EQ(sizeCount(s.id), s.rows) << name;
        EXPECT_EQ(sizeRow(s.id, 0).designation, s.first[0]) << name;
        EXPECT_EQ(sizeRow(s.id, 0).pitchText, s.first[1]) << name;
        EXPECT_EQ(sizeRow(s.id, s.rows - 1).designation, s.last[0]) << name;
        EXPECT_EQ(sizeRow(s.id, s.rows - 1).pitchText, s.last[1]) << name;
    }
}

std::vector<std::string> pitchesOf(SeriesId id, std::string_view designation) {
    std::vector<std::string> out;
    for (int r = 0; r < sizeCount(id); ++r) {
        if (sizeRow(id, r).designation == designation) out.emplace_back(sizeRow(id, r).pitchText);
    }
    return out;
}

TEST(SizeTables, SameDesignationWithSeveralPitchesAreDistinctRows) {
    EXPECT_EQ(pitchesOf(series::UN, "5/8"),
              (std::vector<std::string>{"12", "16", "20", "28", "32"}));
    EXPECT_EQ(pitchesOf(series::UN, "4 1/4"), (std::vector<std::string>{"4", "6", "12", "16"}));
    EXPECT_EQ(pitchesOf(series::ISO_FINE, "M12"), (std::vector<std::string>{"1", "1.25", "1.5"}));
    EXPECT_EQ(pitchesOf(series::UNJ, "2.0000"), (std::vector<std::string>{"8", "12", "16"}));
    EXPECT_EQ(pitchesOf(series::UNJ, "2.1250"), (std::vector<std::string>{"8", "12", "16"}));
    EXPECT_EQ(pitchesOf(series::UNJ, "4.1250"), (std::vector<std::string>{"12", "16"}));
    EXPECT_TRUE(pitchesOf(series::UNJ, "2.0625").empty());  // eighth-inch steps above 2 in
}

TEST(SizeTables, UnfStiOneHasFourteenBeforeTwelve) {
    EXPECT_EQ(sizeRow(series::UNF_STI, 14).designation, "1");
    EXPECT_EQ(sizeRow(series::UNF_STI, 14).pitchText, "14");
    EXPECT_EQ(sizeRow(series::UNF_STI, 15).designation, "1");
    EXPECT_EQ(sizeRow(series::UNF_STI, 15).pitchText, "12");
}

TEST(SizeTables, TextsAreKeptAsWritten) {
    EXPECT_EQ(pitchesOf(series::UNS, ".390"), (std::vector<std::string>{"27"}));
    EXPECT_EQ(sizeRow(series::UNC, 24).pitchText, "4 1/2");
    EXPECT_EQ(sizeRow(series::UNJC, 24).pitchText, "4.5");
    EXPECT_EQ(sizeRow(series::BSW, 26).pitchText, "2.875");
    EXPECT_EQ(sizeRow(series::NPT, 6).pitchText, "11 1/2");
    EXPECT_EQ(sizeRow(series::ISO_COARSE, 18).designation, "M10");
    EXPECT_EQ(sizeRow(series::ISO_COARSE, 18).pitchText, "1.5");
    EXPECT_EQ(sizeRow(series::UNC, 9).designation, "1/4");
    EXPECT_EQ(sizeRow(series::UNM, 10).designation, "1.00");
    EXPECT_EQ(sizeRow(series::UNM, 10).pitchText, "0.250");
    // NPSL is NPSM followed by three larger pipe sizes.
    for (int r = 0; r < 15; ++r) {
        EXPECT_EQ(sizeRow(series::NPSL, r).designation, sizeRow(series::NPSM, r).designation);
    }
    EXPECT_EQ(sizeRow(series::NPSL, 15).designation, "8");
}

TEST(SizeTables, LongestTextIsSevenCharacters) {
    size_t longest = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        for (int r = 0; r < sizeCount(id); ++r) {
            longest = std::max(
                {longest, sizeRow(id, r).designation.size(), sizeRow(id, r).pitchText.size()});
        }
    }
    EXPECT_EQ(longest, 7u);
}

}  // namespace
}  // namespace torveld
