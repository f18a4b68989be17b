// Every tabulated size written canonically reads back to the same series and size, with and
// without class and hand, and the canonical text is stable.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

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
    // The 23 inch and metric tables, G's 24 sizes, R's 15 and the 185 of ISO 2902.
    EXPECT_EQ(sizes, 1015 + 24 + 15 + 185);
}

// Every size of UN, UNC, UNF, UNEF and UNS written with its rounded-root series (B1.1 puts R
// after UN), and every size of the graded series written UN or UNR (of UNJC, UNJF and UNJEF
// written UNJ), with an external class and the hand, reads as that row, rounded where written
// so, noted where the series written does not hold it, to a text naming the row's series that
// reads back to itself.
TEST(RoundTrip, EveryUnifiedSizeWrittenUnrUnOrUnjReadsAsItsRow) {
    const struct {
        SeriesId id;
        const char* written;
        const char* canonical;  // the series as the canonical text names it
    } kCases[] = {
        {s::UN, "UNR", "UNR"},       {s::UNC, "UNRC", "UNRC"},   {s::UNF, "UNRF", "UNRF"},
        {s::UNEF, "UNREF", "UNREF"}, {s::UNS, "UNRS", "UNRS"},   {s::UNC, "UN", "UNC"},
        {s::UNF, "UN", "UNF"},       {s::UNEF, "UN", "UNEF"},    {s::UNC, "UNR", "UNRC"},
        {s::UNF, "UNR", "UNRF"},     {s::UNEF, "UNR", "UNREF"},  {s::UNJC, "UNJ", "UNJC"},
        {s::UNJF, "UNJ", "UNJF"},    {s::UNJEF, "UNJ", "UNJEF"},
    };
    for (const auto& c : kCases) {
        const bool rounded = std::string_view(c.canonical).substr(0, 3) == "UNR";
        const bool graded = std::string_view(c.written) != c.canonical;
        for (int row = 0; row < sizeCount(c.id); ++row) {
            const SizeRow r = sizeRow(c.id, row);
            const std::string size = std::string(r.designation) + "-" + std::string(r.pitchText);
            const std::string text = size + " " + c.written + "-3A-LH";
            SCOPED_TRACE(text);
            const Result read1 = read(text);
            ASSERT_TRUE(read1.ok()) << read1.error().message;
            const Designation& d = read1.designation();
            EXPECT_EQ(d.series, c.id);
            EXPECT_EQ(d.sizeIndex, row);
            EXPECT_EQ(d.roundedRoot, rounded);
            EXPECT_EQ(d.notes.has(ReadingNote::GradedSize), graded);
            EXPECT_EQ(d.externalClass, (ThreadClass{3, 'A', 0}));
            EXPECT_EQ(d.hand, Hand::Left);
            EXPECT_EQ(d.canonical.view(), size + " " + c.canonical + "-3A-LH");
            const Result again = read(d.canonical.view());
            ASSERT_TRUE(again.ok()) << again.error().message;
            EXPECT_EQ(again.designation().sizeIndex, row);
            EXPECT_EQ(again.designation().roundedRoot, rounded);
            EXPECT_EQ(again.designation().canonical.view(), d.canonical.view());
        }
    }
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
        case SeriesFamily::BritishPipe:
            return " B";
        case SeriesFamily::Trapezoidal:
            return "-8H/8c";
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
        {s::G, 0, "G 1/16"},
        {s::G, 23, "G 6"},
        {s::R, 0, "R 1/16"},
        {s::R, 14, "R 6"},
        {s::TR, 0, "Tr8x1.5"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ofSize(c.series, c.row).canonical.view(), c.canonical);
    }
}

// The size and pitch as the size list writes them: a row's own texts, a special size's as its
// canonical text, so that the list entry and the designation never disagree.
TEST(SizeTexts, OfRowsAndOfSpecialSizes) {
    const struct {
        const char* input;
        const char* size;
        const char* pitch;
    } kCases[] = {
        {"1/4-20 UNC-2A", "1/4", "20"},
        {"2-4 1/2 UNC", "2", "4 1/2"},
        {"M10x1.25-6g", "M10", "1.25"},
        {"2 BA", "2", "0.810"},
        {"11/16-24 UNS-2A-LH", "11/16", "24"},
        {".6875-24 UNS", "11/16", "24"},
        {".3950-27 UNS", ".3950", "27"},
        {"1.0000-28 UNS", "1.0000", "28"},
        {"1 3/64-9 ACME", "1 3/64", "9"},
        {".6875-24 UNJ-3A", ".6875", "24"},
        {"M28.5x0.6-6H", "M28.5", "0.6"},
        {"M42x1", "M42", "1"},
        {"G 1 1/4 A", "1 1/4", "11"},
        {"Rc 1/2", "1/2", "14"},
        {"Tr20x4-7e", "Tr20", "4"},
        {"Tr21x4", "Tr21", "4"},
        {"Tr40x14(P7)-7e", "Tr40", "14(P7)"},
        {"Tr20.5x4", "Tr20.5", "4"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const SizeTexts t = sizeTexts(r.designation());
        EXPECT_EQ(t.size.view(), c.size);
        EXPECT_EQ(t.pitch.view(), c.pitch);
        // The canonical text of a special size begins with them.
        if (r.designation().isSpecial()) {
            const SeriesFamily family = seriesById(r.designation().series).family;
            const std::string joint =
                family == SeriesFamily::IsoMetric || family == SeriesFamily::Trapezoidal ? "x"
                                                                                         : "-";
            const std::string head =
                std::string(t.size.view()) + joint + std::string(t.pitch.view());
            EXPECT_EQ(r.designation().canonical.view().substr(0, head.size()), head);
        }
    }
}

}  // namespace
}  // namespace torveld::designation
