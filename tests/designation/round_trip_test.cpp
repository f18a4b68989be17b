// Every tabulated size written canonically reads back to the same series and size, with and
// without class and hand, and the canonical text is stable.
#include <gtest/gtest.h>

#include <string>

#include "designation.h"

namespace torveld::designation {
namespace {

namespace s = torveld::series;

TEST(RoundTrip, EveryTabulatedSizeReadsBackToItself) {
    int sizes = 0;
    for (SeriesId id = 0; id < s::kCount; ++id) {
        for (int row = 0; row < sizeCount(id); ++row, ++sizes) {
            const Designation d = ofSize(id, row);
            const std::string text(d.canonical.view());
            SCOPED_TRACE(text);
            const Result r = read(text);
            ASSERT_TRUE(r.ok()) << r.error().message;
            EXPECT_EQ(r.designation().series, id);
            EXPECT_EQ(r.designation().sizeIndex, row);
            EXPECT_EQ(r.designation().canonical.view(), text);
        }
    }
    EXPECT_EQ(sizes, 1015);
}

// A class of each series that has classes, as it is written canonically.
std::string classOf(SeriesId id) {
    switch (seriesById(id).family) {
        case SeriesFamily::Unified:
            return "-3A/2B";
        case SeriesFamily::UNS:
            return "-1B";
        case SeriesFamily::UNJ:
            return "-3A/3B";
        case SeriesFamily::ThreadInsert:
            return "-2B";
        case SeriesFamily::Acme:
            return "-2G";
        case SeriesFamily::IsoMetric:
            return "-6H/4g6g";
        default:
            return id == s::NPTF ? "-2" : "";
    }
}

TEST(RoundTrip, WithClassAndHandTheCanonicalTextIsStable) {
    for (SeriesId id = 0; id < s::kCount; ++id) {
        for (int row = 0; row < sizeCount(id); ++row) {
            const std::string text =
                std::string(ofSize(id, row).canonical.view()) + classOf(id) + "-LH";
            SCOPED_TRACE(text);
            const Result r = read(text);
            ASSERT_TRUE(r.ok()) << r.error().message;
            const Designation& d = r.designation();
            EXPECT_EQ(d.series, id);
            EXPECT_EQ(d.sizeIndex, row);
            EXPECT_EQ(d.hand, Hand::Left);
            EXPECT_EQ(d.canonical.view(), text);
        }
    }
}

TEST(RoundTrip, CanonicalTextsOfTheFirstAndLastSizes) {
    // The size list texts of each table, read off the published size lists.
    const struct {
        SeriesId series;
        int row;
        const char* canonical;
    } kCases[] = {
        {s::UNC, 0, "1-64 UNC"},
        {s::UNC, 32, "4-4 UNC"},
        {s::UNC, 24, "2-4 1/2 UNC"},
        {s::UNF, 0, "0-80 UNF"},
        {s::UNEF, 24, "1 11/16-18 UNEF"},
        {s::UN, 0, "5/16-20 UN"},
        {s::UN, 236, "6-16 UN"},
        {s::UNS, 23, ".390-27 UNS"},
        {s::UNJ, 138, "6.0000-16 UNJ"},
        {s::UNJC, 0, ".0730-64 UNJC"},
        {s::NPT, 0, "1/16-27 NPT"},
        {s::NPTF, 6, "1-11 1/2 NPTF"},
        {s::NPSL, 17, "12-8 NPSL"},
        {s::ACME, 0, "1/4-16 ACME"},
        {s::STUB_ACME, 22, "5-2 STUB ACME"},
        {s::ISO_COARSE, 0, "M1"},
        {s::ISO_FINE, 69, "M200x3"},
        {s::UNM, 13, "1.40 UNM"},
        {s::BSW, 26, "4 1/2-2.875 BSW"},
        {s::BA, 16, "16 BA"},
        {s::UNC_STI, 0, "2-56 UNC-STI"},
        {s::UNF_STI, 15, "1-12 UNF-STI"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ofSize(c.series, c.row).canonical.view(), c.canonical);
    }
}

}  // namespace
}  // namespace torveld::designation
