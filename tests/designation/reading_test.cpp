// Reading designations: every form the trade writes, with its canonical text, series and size;
// the spellings that must not matter; special sizes; classes and hand.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "designation.h"
#include "series.h"

namespace torveld::designation {
namespace {

namespace s = torveld::series;

struct Tabulated {
    const char* input;
    const char* canonical;
    SeriesId series;
    const char* size;   // the size text of the table row expected
    const char* pitch;  // its pitch text
};

// The forms of the issue, and the texts the size list shows for them.
const Tabulated kTabulated[] = {
    {"1/4-20 UNC", "1/4-20 UNC", s::UNC, "1/4", "20"},
    {"1/4-20 UNC-2A", "1/4-20 UNC-2A", s::UNC, "1/4", "20"},
    {"1/4-20UNC2B", "1/4-20 UNC-2B", s::UNC, "1/4", "20"},
    {".250-20 UNC", "1/4-20 UNC", s::UNC, "1/4", "20"},
    {"0.2500-20 UNC", "1/4-20 UNC", s::UNC, "1/4", "20"},
    {"#10-32 UNF", "10-32 UNF", s::UNF, "10", "32"},
    {"No. 10-32", "10-32 UNF", s::UNF, "10", "32"},
    {"No.10-32 UNF-2A", "10-32 UNF-2A", s::UNF, "10", "32"},
    {"10-32", "10-32 UNF", s::UNF, "10", "32"},
    {".190-32 UNF", "10-32 UNF", s::UNF, "10", "32"},
    {"7/8-9 UNJC-3A", ".8750-9 UNJC-3A", s::UNJC, ".8750", "9"},
    {"1/2-13 UNC-2A LH", "1/2-13 UNC-2A-LH", s::UNC, "1/2", "13"},
    {"M10", "M10", s::ISO_COARSE, "M10", "1.5"},
    {"M10x1.5", "M10", s::ISO_COARSE, "M10", "1.5"},
    {"M10 x 1.25-6g", "M10x1.25-6g", s::ISO_FINE, "M10", "1.25"},
    {"M10x1.25 ISO FINE", "M10x1.25", s::ISO_FINE, "M10", "1.25"},
    {"M1,6", "M1.6", s::ISO_COARSE, "M1.6", "0.35"},
    {"M5.5", "M5.5x0.5", s::ISO_FINE, "M5.5", "0.5"},  // ISO FINE holds it alone
    {"M8 ISO FINE", "M8x1", s::ISO_FINE, "M8", "1"},
    {"M12x1.5mm", "M12x1.5", s::ISO_FINE, "M12", "1.5"},
    {"1/2-14 NPT", "1/2-14 NPT", s::NPT, "1/2", "14"},
    {"1/2 NPTF", "1/2-14 NPTF", s::NPTF, "1/2", "14"},
    {"1/4\" NPT", "1/4-18 NPT", s::NPT, "1/4", "18"},
    {"1-11 1/2 NPT", "1-11 1/2 NPT", s::NPT, "1", "11 1/2"},
    {"1-11.5 NPT", "1-11 1/2 NPT", s::NPT, "1", "11 1/2"},
    {"1/8-27 NPTF-1", "1/8-27 NPTF-1", s::NPTF, "1/8", "27"},
    {"1/2-10 STUB ACME", "1/2-10 STUB ACME", s::STUB_ACME, "1/2", "10"},
    {"1 1/4-5 ACME-3G", "1 1/4-5 ACME-3G", s::ACME, "1 1/4", "5"},
    {"0.30 UNM", "0.30 UNM", s::UNM, "0.30", "0.080"},
    {"0.3 UNM", "0.30 UNM", s::UNM, "0.30", "0.080"},
    {"1/4 BSW", "1/4-20 BSW", s::BSW, "1/4", "20"},
    {"1/4-26 BSF", "1/4-26 BSF", s::BSF, "1/4", "26"},
    {"2 BA", "2 BA", s::BA, "2", "0.810"},
    {"2BA", "2 BA", s::BA, "2", "0.810"},
    {"1/4-20 UNC-STI", "1/4-20 UNC-STI", s::UNC_STI, "1/4", "20"},
    {"1/4-20 STI", "1/4-20 UNC-STI", s::UNC_STI, "1/4", "20"},
    {"1/4-20 UNC-2B STI", "1/4-20 UNC-STI-2B", s::UNC_STI, "1/4", "20"},
    {"1-14 UNF-STI", "1-14 UNF-STI", s::UNF_STI, "1", "14"},
    {"1/4-20 UNC-1A", "1/4-20 UNC-1A", s::UNC, "1/4", "20"},  // a class the window lacks
    {"M10x1.5-6e", "M10-6e", s::ISO_COARSE, "M10", "1.5"},
    // Mixed numbers in the ways they are written.
    {"1 1/4-7 UNC", "1 1/4-7 UNC", s::UNC, "1 1/4", "7"},
    {"1-1/4-7 UNC", "1 1/4-7 UNC", s::UNC, "1 1/4", "7"},
    {"1\u00BC-7 UNC", "1 1/4-7 UNC", s::UNC, "1 1/4", "7"},
    {"1.25-7 UNC", "1 1/4-7 UNC", s::UNC, "1 1/4", "7"},
    {"2-4 1/2 UNC", "2-4 1/2 UNC", s::UNC, "2", "4 1/2"},
    {"2-4.5 UNC", "2-4 1/2 UNC", s::UNC, "2", "4 1/2"},
    {"2-4\u00BD UNC", "2-4 1/2 UNC", s::UNC, "2", "4 1/2"},
    // A whole number is a number size or inches, as the pitch says.
    {"1-64 UNC", "1-64 UNC", s::UNC, "1", "64"},
    {"1-8 UNC", "1-8 UNC", s::UNC, "1", "8"},
    {"#10-32 UNJF", ".1900-32 UNJF", s::UNJF, ".1900", "32"},
    {"12-24 UNC", "12-24 UNC", s::UNC, "12", "24"},
    // Less usual separators and words.
    {"1/4 x 20 UNC", "1/4-20 UNC", s::UNC, "1/4", "20"},
    {"1/2 14 NPT", "1/2-14 NPT", s::NPT, "1/2", "14"},
    {"1/4-20-UNC-2A", "1/4-20 UNC-2A", s::UNC, "1/4", "20"},
    {"1/4-20 UNC class 2A", "1/4-20 UNC-2A", s::UNC, "1/4", "20"},
    {"1/4-20 UNC-2A left hand", "1/4-20 UNC-2A-LH", s::UNC, "1/4", "20"},
    {"1/4-20 UNC-2A RH", "1/4-20 UNC-2A", s::UNC, "1/4", "20"},
    {"1/2-13 UNC-2ALH", "1/2-13 UNC-2A-LH", s::UNC, "1/2", "13"},
    {"1/2-13 UNCLH", "1/2-13 UNC-LH", s::UNC, "1/2", "13"},
    {"M10-6gLH", "M10-6g-LH", s::ISO_COARSE, "M10", "1.5"},
    {"1/4-20 UNC-2A/2B", "1/4-20 UNC-2A/2B", s::UNC, "1/4", "20"},
    {"1/4-20 UNC-2B/2A", "1/4-20 UNC-2A/2B", s::UNC, "1/4", "20"},
    {"1/4-20 UNC 2B/2A", "1/4-20 UNC-2A/2B", s::UNC, "1/4", "20"},
    {"1/4-20-2A", "1/4-20 UNC-2A", s::UNC, "1/4", "20"},
    {"\t 1/4-20 UNC \n", "1/4-20 UNC", s::UNC, "1/4", "20"},
    {"M10x1.5 ISO FINE", "M10", s::ISO_COARSE, "M10", "1.5"},  // the pitch tells coarse
    // British pipe threads: the series first, as ISO 228-1 and ISO 7-1 write it, or after the
    // size; the pitch, where written, agreeing with the table. (Every size as its standard
    // writes it, with a class or the hand: published_sizes_test.cpp.)
    {"G1/2", "G 1/2", s::G, "1/2", "14"},
    {"G1/2B", "G 1/2 B", s::G, "1/2", "14"},
    {"G 1/2-A", "G 1/2 A", s::G, "1/2", "14"},
    {"G 1/2 class B", "G 1/2 B", s::G, "1/2", "14"},
    {"1/2 BSPP", "G 1/2", s::G, "1/2", "14"},
    {"1/2\" BSPP-A", "G 1/2 A", s::G, "1/2", "14"},
    {"G1/2-14", "G 1/2", s::G, "1/2", "14"},
    {"1/2-14 G", "G 1/2", s::G, "1/2", "14"},
    {"G1\u00BC B", "G 1 1/4 B", s::G, "1 1/4", "11"},
    {"G 1/2 A LH", "G 1/2 A-LH", s::G, "1/2", "14"},
    {"G1/2ALH", "G 1/2 A-LH", s::G, "1/2", "14"},
    {"ISO 228-1 G 1/2 A", "G 1/2 A", s::G, "1/2", "14"},
    {"R1/2", "R 1/2", s::R, "1/2", "14"},
    {"RC1/2", "Rc 1/2", s::R, "1/2", "14"},
    {"1/2-14 Rp", "Rp 1/2", s::R, "1/2", "14"},
    {"ISO 7-1 R 1/2", "R 1/2", s::R, "1/2", "14"},
    {"BS 21 Rc 3/4", "Rc 3/4", s::R, "3/4", "14"},
    // Metric trapezoidal threads. (Every ISO 2902 size, and the normal pitches: as above.)
    {"Tr20x4mm", "Tr20x4", s::TR, "Tr20", "4"},
    {"Tr20x4-7e/7H", "Tr20x4-7H/7e", s::TR, "Tr20", "4"},
    {"Tr20x4LH", "Tr20x4-LH", s::TR, "Tr20", "4"},
    {"Tr20x4-7e-LH", "Tr20x4-7e-LH", s::TR, "Tr20", "4"},
    {"Tr40x7(P7)", "Tr40x7", s::TR, "Tr40", "7"},  // one start: the table's row
    {"20x4 Tr", "Tr20x4", s::TR, "Tr20", "4"},
};

TEST(Reading, EveryFormOfTheTradeGivesItsSizeAndCanonicalText) {
    for (const Tabulated& t : kTabulated) {
        SCOPED_TRACE(t.input);
        const Result r = read(t.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const Designation& d = r.designation();
        EXPECT_EQ(d.canonical.view(), t.canonical);
        EXPECT_EQ(d.series, t.series);
        ASSERT_FALSE(d.isSpecial());
        const SizeRow row = sizeRow(d.series, d.sizeIndex);
        EXPECT_EQ(row.designation, t.size);
        EXPECT_EQ(row.pitchText, t.pitch);
    }
}

TEST(Reading, NumberSizesAreTheDecimalSizesOfTheUnjTables) {
    // UNJC, UNJF and UNJEF write the sizes of UNC, UNF and UNEF row for row as decimals
    // (#10 as .1900): every UNC, UNF and UNEF size, number sizes among them, read in its UNJ
    // series must find the row of the same place.
    const SeriesId pairs[][2] = {{s::UNC, s::UNJC}, {s::UNF, s::UNJF}, {s::UNEF, s::UNJEF}};
    for (const auto& pair : pairs) {
        ASSERT_EQ(sizeCount(pair[0]), sizeCount(pair[1]));
        for (int row = 0; row < sizeCount(pair[0]); ++row) {
            const SizeRow inch = sizeRow(pair[0], row);
            std::string text(inch.designation);
            text += '-';
            text += inch.pitchText;
            text += ' ';
            text += seriesById(pair[1]).name;
            SCOPED_TRACE(text);
            const Result r = read(text);
            ASSERT_TRUE(r.ok()) << r.error().message;
            EXPECT_EQ(r.designation().series, pair[1]);
            EXPECT_EQ(r.designation().sizeIndex, row);
        }
    }
}

// Spellings that must not matter: letter case (outside the ISO tolerance letters), blanks,
// x X ×, - – — −.
std::vector<std::string> spellings(const std::string& text) {
    std::vector<std::string> out;
    std::string upper, lower, spaced, unicode, tight;
    for (char c : text) {
        upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    for (char c : text) {
        if (c == '-' || c == 'x') {
            spaced += ' ';
            spaced += c;
            spaced += "  ";
        } else {
            spaced += c;
        }
        if (c == '-') {
            unicode += "\u2013";
        } else if (c == 'x') {
            unicode += "\u00D7";
        } else {
            unicode += c;
        }
        if (c != ' ') tight += c;
    }
    out.push_back(upper);
    out.push_back(lower);
    out.push_back(spaced);
    out.push_back(unicode);
    std::string em = text;
    for (std::size_t at = em.find('-'); at != std::string::npos; at = em.find('-', at + 3)) {
        em.replace(at, 1, "\u2014");
    }
    out.push_back(em);
    out.push_back("  " + text + "  ");
    return out;
}

TEST(Reading, CaseBlanksTimesAndDashesDoNotMatter) {
    const char* const kTexts[] = {
        "1/4-20 UNC-2A",    "10-32 UNF-3B",    "M10x1.25", "1/2-14 NPT",     "3/4-6 ACME-2G",
        "1/2-10 STUB ACME", "0.30 UNM",        "2 BA",     "1/4-20 UNC-STI", ".4375-16 UNJ-3A",
        "1 1/4-7 UNC-LH",   "1-11 1/2 NPTF-2", "M12x1.5",  "7/32-28 BSF",    "1 3/8-6 UNC-1A/1B",
        "G 1 1/4 A-LH",     "Rc 1/2",          "Rp 3/4",   "Tr20x4-7H/7e",   "Tr40x14(P7)-8c",
    };
    for (const char* text : kTexts) {
        const Result expected = read(text);
        ASSERT_TRUE(expected.ok()) << text << ": " << expected.error().message;
        EXPECT_EQ(expected.designation().canonical.view(), text);
        for (const std::string& variant : spellings(text)) {
            const Result r = read(variant);
            ASSERT_TRUE(r.ok()) << "'" << variant << "': " << r.error().message;
            EXPECT_EQ(r.designation().canonical.view(), text) << variant;
        }
    }
    // Glued together as people type in a hurry.
    EXPECT_EQ(read("1/4-20unc2a").designation().canonical.view(), "1/4-20 UNC-2A");
    EXPECT_EQ(read("m10X1.25-6H").designation().canonical.view(), "M10x1.25-6H");
    EXPECT_EQ(read("1/2-10stub-acme").designation().canonical.view(), "1/2-10 STUB ACME");
    EXPECT_EQ(read("1/4-20uncsti").designation().canonical.view(), "1/4-20 UNC-STI");
    EXPECT_EQ(read("m10\u00D71.25\u20136g").designation().canonical.view(), "M10x1.25-6g");
    EXPECT_EQ(read("1/4\u00A0-\u202F20 UNC").designation().canonical.view(), "1/4-20 UNC");
    // Pasted from a document: a byte order mark, the fraction slash.
    EXPECT_EQ(read("\uFEFF1\u20444-20 UNC").designation().canonical.view(), "1/4-20 UNC");
}

TEST(Reading, IsoToleranceLettersKeepTheMeaningOfTheirCase) {
    struct Case {
        const char* input;
        const char* canonical;
        const char* external;  // "" when none
        const char* internal;
    };
    const Case kCases[] = {
        {"M10-6g", "M10-6g", "6g", ""},
        {"M10-6H", "M10-6H", "", "6H"},
        {"M10-6G", "M10-6G", "", "6G"},  // G is an internal position
        {"M10-6h", "M10-6h", "6h", ""},
        {"M10-6E", "M10-6e", "6e", ""},  // e and f are external whatever their case
        {"M10x1.25-5g6g", "M10x1.25-5g6g", "5g6g", ""},
        {"M10x1.25-6g6g", "M10x1.25-6g", "6g", ""},
        {"M10-6H/6g", "M10-6H/6g", "6g", "6H"},
        {"M10-6g/6H", "M10-6H/6g", "6g", "6H"},
        {"M10-6H/6G", "M10-6H/6g", "6g", "6H"},  // one case: internal/external as ISO writes
        {"M10-6h/6g", "M10-6H/6g", "6g", "6H"},
        {"M10-5H6H/4g6g", "M10-5H6H/4g6g", "4g6g", "5H6H"},
        {"M10-4H/3h4h", "M10-4H/3h4h", "3h4h", "4H"},
        {"M20-7H/8g", "M20-7H/8g", "8g", "7H"},
        {"M20x2-9g8g", "M20x2-9g8g", "9g8g", ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const Designation& d = r.designation();
        EXPECT_EQ(d.canonical.view(), c.canonical);
        EXPECT_EQ(d.externalClass ? std::string(d.externalClass->text().view()) : "", c.external);
        EXPECT_EQ(d.internalClass ? std::string(d.internalClass->text().view()) : "", c.internal);
    }
    const ThreadClass twoGrades = *read("M10-5g6g").designation().externalClass;
    EXPECT_EQ(twoGrades, (ThreadClass{5, 'g', 6}));
    EXPECT_EQ(*read("M10-6H").designation().internalClass, (ThreadClass{6, 'H', 6}));
}

TEST(Reading, ClassesOfEachSeries) {
    struct Case {
        const char* input;
        const char* canonical;
        ThreadClass external;  // grade 0: none
        ThreadClass internal;
    };
    const ThreadClass none{};
    const Case kCases[] = {
        {"1/4-20 UNC-3A", "1/4-20 UNC-3A", {3, 'A', 0}, none},
        {"1/4-20 UNC-1B", "1/4-20 UNC-1B", none, {1, 'B', 0}},
        {"1/4-20 UNC-3A/2B", "1/4-20 UNC-3A/2B", {3, 'A', 0}, {2, 'B', 0}},
        {"1/4-24 UNS-2A", "1/4-24 UNS-2A", {2, 'A', 0}, none},
        {".4375-16 UNJ-3B", ".4375-16 UNJ-3B", none, {3, 'B', 0}},
        {"1/4-20 UNC-STI-3B", "1/4-20 UNC-STI-3B", none, {3, 'B', 0}},
        {"3/4-6 ACME-2G", "3/4-6 ACME-2G", {2, 'G', 0}, {2, 'G', 0}},
        {"3/4-6 ACME-5G", "3/4-6 ACME-5G", {5, 'G', 0}, {5, 'G', 0}},
        {"3/4-6 ACME-6C", "3/4-6 ACME-6C", {6, 'C', 0}, {6, 'C', 0}},
        {"3/4-6 STUB ACME-2G", "3/4-6 STUB ACME-2G", {2, 'G', 0}, {2, 'G', 0}},
        {"1/8-27 NPTF-2", "1/8-27 NPTF-2", {2, 0, 0}, {2, 0, 0}},
        {"1/8-27 NPTF class 1", "1/8-27 NPTF-1", {1, 0, 0}, {1, 0, 0}},
        // G: the external classes are letters; Tr: ISO 2903's grades and positions, any case.
        {"G 1/2 A", "G 1/2 A", {0, 'A', 0}, none},
        {"G 1/2 b", "G 1/2 B", {0, 'B', 0}, none},
        {"Tr20x4-7e", "Tr20x4-7e", {7, 'e', 0}, none},
        {"Tr20x4-8c", "Tr20x4-8c", {8, 'c', 0}, none},
        {"Tr20x4-9C", "Tr20x4-9c", {9, 'c', 0}, none},
        {"Tr20x4-8H", "Tr20x4-8H", none, {8, 'H', 0}},
        {"Tr20x4-9h", "Tr20x4-9H", none, {9, 'H', 0}},
        {"Tr20x4-8E/8H", "Tr20x4-8H/8e", {8, 'e', 0}, {8, 'H', 0}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const Designation& d = r.designation();
        EXPECT_EQ(d.canonical.view(), c.canonical);
        EXPECT_EQ(d.externalClass.value_or(none), c.external);
        EXPECT_EQ(d.internalClass.value_or(none), c.internal);
        EXPECT_EQ(d.hand, Hand::Right);
    }
    EXPECT_EQ(read("M10x1.25-LH").designation().hand, Hand::Left);
    EXPECT_EQ(read("1/2-14 NPT LH").designation().canonical.view(), "1/2-14 NPT-LH");
}

TEST(Reading, SeriesFoundFromTheTablesPreferTheGradedSeries) {
    // 1/4-20 is also a size of BSW, UNC-STI and UNJC; 10-32 of UNF-STI and UNJF; 5/16-20 only
    // of UN; 1/4-27 only of UNS; 7/32-28 only of BSF. 1/8-40 is BSW and, by value, No. 5-40
    // (0.125 in) of UNC, UNJC and UNC-STI.
    const std::pair<const char*, const char*> kCases[] = {
        {"1/4-20", "1/4-20 UNC"},  {"10-32", "10-32 UNF"},   {"1/4-32", "1/4-32 UNEF"},
        {"5/16-20", "5/16-20 UN"}, {"1/4-27", "1/4-27 UNS"}, {"7/32-28", "7/32-28 BSF"},
        {"1/8-40", "5-40 UNC"},
    };
    for (const auto& [input, canonical] : kCases) {
        const Result r = read(input);
        ASSERT_TRUE(r.ok()) << input << ": " << r.error().message;
        EXPECT_EQ(r.designation().canonical.view(), canonical) << input;
    }
}

TEST(Reading, ThePreferredSeriesWinsWhereItHoldsTheSize) {
    const auto in = [](const char* text, SeriesId preferred) {
        ReadOptions options;
        options.preferredSeries = preferred;
        const Result r = read(text, options);
        return r.ok() ? std::string(r.designation().canonical.view()) : "error";
    };
    EXPECT_EQ(in("1/4-20", s::BSW), "1/4-20 BSW");
    EXPECT_EQ(in("1/4-20", s::UNC_STI), "1/4-20 UNC-STI");
    EXPECT_EQ(in("1/4-20", s::NPT), "1/4-20 UNC");  // NPT has no 1/4-20
    EXPECT_EQ(in("1/2-14", s::NPSM), "1/2-14 NPSM");
    EXPECT_EQ(in("1/2-14", s::UNC), "error");  // neither UNC nor a graded series holds it
    EXPECT_EQ(in("1/4", s::BSF), "1/4-26 BSF");
    EXPECT_EQ(in("1/4", s::UNS), "error");              // six UNS sizes of 1/4
    EXPECT_EQ(in("1/4-20 UNC", s::BSW), "1/4-20 UNC");  // a series named is never overruled
}

struct Special {
    const char* input;
    const char* canonical;
    SeriesId series;
    double diameter;
    double pitch;
};

TEST(Reading, SpecialSizesInTheSeriesThatAdmitAnySize) {
    const Special kCases[] = {
        {".6875-24 UNS-2A", "11/16-24 UNS-2A", s::UNS, 0.6875, 24},
        {"11/16-24 UNS", "11/16-24 UNS", s::UNS, 0.6875, 24},
        {"1.375-18 UNS", "1 3/8-18 UNS", s::UNS, 1.375, 18},
        {".395-27 UNS", ".3950-27 UNS", s::UNS, 0.395, 27},
        {"#10-30 UNS", ".1900-30 UNS", s::UNS, 0.19, 30},
        {"1-36 UNS", ".0730-36 UNS", s::UNS, 0.073, 36},  // 36 tpi: No. 1, not an inch
        {"8-8 UNS", "8-8 UNS", s::UNS, 8, 8},
        {"1.0000-28 UNS", "1.0000-28 UNS", s::UNS, 1, 28},
        {"2.3-8 UN", "2.3000-8 UN", s::UN, 2.3, 8},
        {"6 1/4-8 UN", "6 1/4-8 UN", s::UN, 6.25, 8},
        {".6875-20 UNJ-3A", ".6875-20 UNJ-3A", s::UNJ, 0.6875, 20},
        {"3/4-10 ACME-2G", "3/4-10 ACME-2G", s::ACME, 0.75, 10},
        {"1-8 STUB ACME", "1-8 STUB ACME", s::STUB_ACME, 1, 8},
        {"M42x1-6g", "M42x1-6g", s::ISO_FINE, 42, 1},
        {"M28.5x0.6-6H", "M28.5x0.6-6H", s::ISO_FINE, 28.5, 0.6},
        {"M10x1-6H/6g", "M10x1-6H/6g", s::ISO_FINE, 10, 1},
        {"M10x1 ISO COARSE", "M10x1", s::ISO_FINE, 10, 1},
        {"M0.8x0.2", "M0.8x0.2", s::ISO_FINE, 0.8, 0.2},
        // Tr: any diameter and pitch ISO 2902 does not list, the engine deciding its range.
        {"Tr21x4", "Tr21x4", s::TR, 21, 4},
        {"Tr20x3-7e", "Tr20x3-7e", s::TR, 20, 3},
        {"Tr20,5x4", "Tr20.5x4", s::TR, 20.5, 4},
        {"Tr400x20", "Tr400x20", s::TR, 400, 20},
    };
    for (const Special& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const Designation& d = r.designation();
        EXPECT_EQ(d.canonical.view(), c.canonical);
        EXPECT_EQ(d.series, c.series);
        EXPECT_EQ(d.sizeIndex, -1);
        ASSERT_TRUE(d.isSpecial());
        EXPECT_DOUBLE_EQ(d.special->majorDiameter, c.diameter);
        EXPECT_DOUBLE_EQ(d.special->pitch, c.pitch);
        const Result again = read(d.canonical.view());
        ASSERT_TRUE(again.ok()) << again.error().message;
        EXPECT_EQ(again.designation().special, d.special);
        EXPECT_EQ(again.designation().canonical.view(), d.canonical.view());
    }
}

// The reading notes expected: none for "", else the one given.
std::vector<std::string> oneNote(const char* note) {
    if (*note == '\0') return {};
    return {note};
}

// ASME B1.1 lists a size of the graded series under UNC, UNF or UNEF only, not among the UN
// constant-pitch sizes; written UN it is that size (and UNJ likewise of UNJC, UNJF, UNJEF of
// ASME B1.15), with a note of how it was read. (Every such row: round_trip_test.cpp.)
TEST(Reading, AGradedSizeWrittenUnIsThatOfItsGradedSeries) {
    struct Case {
        const char* input;
        const char* canonical;
        const char* note;  // "" when it reads without one
    };
    const Case kCases[] = {
        {"4-4 UN", "4-4 UNC", "4-4 UN reads as 4-4 UNC: ASME B1.1 lists 4-4 in UNC"},
        {"1/4-20 UN", "1/4-20 UNC", "1/4-20 UN reads as 1/4-20 UNC: ASME B1.1 lists 1/4-20 in UNC"},
        {"1/4-20 UN-2A", "1/4-20 UNC-2A",
         "1/4-20 UN reads as 1/4-20 UNC: ASME B1.1 lists 1/4-20 in UNC"},
        {"1 1/8-12 UN", "1 1/8-12 UNF",
         "1 1/8-12 UN reads as 1 1/8-12 UNF: ASME B1.1 lists 1 1/8-12 in UNF"},
        {"3/4-20 un-3a lh", "3/4-20 UNEF-3A-LH",
         "3/4-20 UN reads as 3/4-20 UNEF: ASME B1.1 lists 3/4-20 in UNEF"},
        {"#10-32 UN", "10-32 UNF", "10-32 UN reads as 10-32 UNF: ASME B1.1 lists 10-32 in UNF"},
        // 40 threads per inch is no UN pitch: the size is still No. 4-40 UNC.
        {"4-40 UN", "4-40 UNC", "4-40 UN reads as 4-40 UNC: ASME B1.1 lists 4-40 in UNC"},
        {"1-8 UNJ", "1.0000-8 UNJC",
         "1.0000-8 UNJ reads as 1.0000-8 UNJC: ASME B1.15 lists 1.0000-8 in UNJC"},
        {".6875-24 UNJ-3A", ".6875-24 UNJEF-3A",
         ".6875-24 UNJ reads as .6875-24 UNJEF: ASME B1.15 lists .6875-24 in UNJEF"},
        {"1/4-28 UNJ", ".2500-28 UNJF",
         ".2500-28 UNJ reads as .2500-28 UNJF: ASME B1.15 lists .2500-28 in UNJF"},
        // A size of the UN or UNJ table, the graded series written out, and a constant-pitch
        // size the graded series do not hold (a special size of UN) read without a note.
        {"5/16-20 UN", "5/16-20 UN", ""},
        {".4375-16 UNJ", ".4375-16 UNJ", ""},
        {"1/4-20 UNC", "1/4-20 UNC", ""},
        {"2.3-8 UN", "2.3000-8 UN", ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const Designation& d = r.designation();
        EXPECT_EQ(d.canonical.view(), c.canonical);
        EXPECT_FALSE(d.roundedRoot);
        EXPECT_EQ(d.notes.has(ReadingNote::GradedSize), *c.note != '\0');
        EXPECT_EQ(readingNotes(d), oneNote(c.note));
    }
}

// UNR, UNRC, UNRF, UNREF and UNRS are the external threads of UN, UNC, UNF, UNEF and UNS with
// the rounded root B1.1 requires of UNR: the same rows, special sizes and limits of size, the
// rounded-root series kept in the canonical text, which reads back to the same designation.
TEST(Reading, UnrIsTheUnifiedExternalThreadWithARoundedRoot) {
    struct Case {
        const char* input;
        const char* canonical;
        const char* rounded;  // the rounded-root series and the series of its limits
        const char* series;
        bool special;
        const char* graded = "";  // the note of a graded size written UNR
    };
    const Case kCases[] = {
        {"1/4-20 UNRC-2A", "1/4-20 UNRC-2A", "UNRC", "UNC", false},
        {"1/4-20 UNR-2A", "1/4-20 UNRC-2A", "UNRC", "UNC", false,
         "1/4-20 UNR reads as 1/4-20 UNRC: ASME B1.1 lists 1/4-20 in UNC"},
        {"1/4-20 unrc2a lh", "1/4-20 UNRC-2A-LH", "UNRC", "UNC", false},
        {"1/2-13 UNRCLH", "1/2-13 UNRC-LH", "UNRC", "UNC", false},
        {"3/8-24 UNRF", "3/8-24 UNRF", "UNRF", "UNF", false},
        {"1/4-32 UNREF-3A", "1/4-32 UNREF-3A", "UNREF", "UNEF", false},
        {"3/4-20 UNR", "3/4-20 UNREF", "UNREF", "UNEF", false,
         "3/4-20 UNR reads as 3/4-20 UNREF: ASME B1.1 lists 3/4-20 in UNEF"},
        {"5/16-20 UNR-3A", "5/16-20 UNR-3A", "UNR", "UN", false},
        {".6875-24 UNRS-2A", "11/16-24 UNRS-2A", "UNRS", "UNS", true},
        {"2.3-8 UNR", "2.3000-8 UNR", "UNR", "UN", true},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const Designation& d = r.designation();
        EXPECT_EQ(d.canonical.view(), c.canonical);
        EXPECT_EQ(seriesById(d.series).name, std::string_view(c.series));
        EXPECT_EQ(d.isSpecial(), c.special);
        EXPECT_TRUE(d.roundedRoot);
        EXPECT_FALSE(d.internalClass);
        std::vector<std::string> notes = oneNote(c.graded);
        notes.push_back(std::string(c.rounded) +
                        ": the external thread has the rounded root of UNR; its limits of size are "
                        "those of " +
                        c.series);
        EXPECT_EQ(readingNotes(d), notes);
        // The canonical text reads back to it (a UNR text, to the rounded root).
        const Designation e = read(d.canonical.view()).designation();
        EXPECT_EQ(e.canonical.view(), d.canonical.view());
        EXPECT_EQ(e.sizeIndex, d.sizeIndex);
        EXPECT_EQ(e.special, d.special);
        EXPECT_TRUE(sizeOnly(d).roundedRoot);  // the size alone keeps the rounded root
    }
    EXPECT_EQ(sizeOnly(read("11/16-24 UNRS-2A-LH").designation()).canonical.view(),
              "11/16-24 UNRS");
    EXPECT_FALSE(read("1/4-20 UNC-2A").designation().roundedRoot);
}

// ISO 7-1's three threads are one series; taperThread tells which, and the trade names are
// read with their note.
TEST(Reading, TheBritishPipeThreadsNameTheirThreadAndTradeName) {
    using T = TaperPipeThread;
    const char* const bspp =
        "BSPP is the trade name of the British parallel pipe thread G of ISO 228-1";
    const char* const bspt =
        "BSPT is the trade name of the British taper pipe thread R of ISO 7-1 (internal Rc and Rp)";
    const struct {
        const char* input;
        SeriesId series;
        T taper;
        const char* note;  // "": none
    } kCases[] = {
        {"G 1/2", s::G, T::None, ""},        {"1/2 BSPP", s::G, T::None, bspp},
        {"1/2 bspp a", s::G, T::None, bspp}, {"R 1/2", s::R, T::R, ""},
        {"Rc 1/2", s::R, T::Rc, ""},         {"Rp 1/2", s::R, T::Rp, ""},
        {"1/2 BSPT", s::R, T::R, bspt},      {"3/4-14 BSPTLH", s::R, T::R, bspt},
        {"1/2 NPT", s::NPT, T::None, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        EXPECT_EQ(r.designation().series, c.series);
        EXPECT_EQ(r.designation().taperThread, c.taper);
        EXPECT_EQ(readingNotes(r.designation()), oneNote(c.note));
        EXPECT_EQ(sizeOnly(r.designation()).taperThread, c.taper);
    }
    // Without a series the row found names R, the external thread.
    ReadOptions options;
    options.preferredSeries = s::R;
    EXPECT_EQ(read("1/2-14", options).designation().taperThread, T::R);
    EXPECT_EQ(ofSize(s::R, 0).taperThread, T::R);
    EXPECT_EQ(ofSize(s::G, 0).taperThread, T::None);
}

// ISO 2904 writes a multi-start thread by its lead and pitch: Tr40x14(P7) has two starts of
// pitch 7. Such a thread is always a special size of its diameter and pitch.
TEST(Reading, MultiStartTrapezoidalThreadsAreSpecialSizes) {
    const struct {
        const char* input;
        const char* canonical;
        double diameter, pitch;
        int starts;
    } kCases[] = {
        {"Tr40x14(P7)", "Tr40x14(P7)", 40, 7, 2},
        {"Tr40x14P7-7e", "Tr40x14(P7)-7e", 40, 7, 2},
        {"Tr 40 x 14 (P 7) LH", "Tr40x14(P7)-LH", 40, 7, 2},
        {"tr40x21(p7)-7h/7e", "Tr40x21(P7)-7H/7e", 40, 7, 3},
        {"Tr20x4(P2)", "Tr20x4(P2)", 20, 2, 2},
        {"Tr20.5x3(P1.5)", "Tr20.5x3(P1.5)", 20.5, 1.5, 2},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.input);
        const Result r = read(c.input);
        ASSERT_TRUE(r.ok()) << r.error().message;
        const Designation& d = r.designation();
        EXPECT_EQ(d.canonical.view(), c.canonical);
        EXPECT_EQ(d.series, s::TR);
        ASSERT_TRUE(d.isSpecial());
        EXPECT_DOUBLE_EQ(d.special->majorDiameter, c.diameter);
        EXPECT_DOUBLE_EQ(d.special->pitch, c.pitch);
        EXPECT_EQ(d.starts, c.starts);
        const Result again = read(d.canonical.view());
        ASSERT_TRUE(again.ok()) << again.error().message;
        EXPECT_EQ(again.designation().special, d.special);
        EXPECT_EQ(again.designation().starts, c.starts);
        EXPECT_EQ(sizeOnly(d).starts, c.starts);
    }
    EXPECT_EQ(read("Tr40x7").designation().starts, 1);
}

TEST(Reading, LongestInputRead) {
    std::string text = "1/4-20 UNC";
    text.append(kMaxInputBytes - text.size(), ' ');
    EXPECT_TRUE(read(text).ok());
    text += ' ';
    const Result r = read(text);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().message, "the designation is 129 bytes long; at most 128 are read");
    EXPECT_EQ(r.error().offset, 128u);
    EXPECT_EQ(r.error().length, 1u);
}

// The row of a series whose size list shows `size - pitch`.
int rowOf(SeriesId series, std::string_view size, std::string_view pitch) {
    for (int row = 0; row < sizeCount(series); ++row) {
        const SizeRow r = sizeRow(series, row);
        if (r.designation == size && r.pitchText == pitch) return row;
    }
    return -1;
}

// A tabulated row's basic size, as the special-thread engine takes it: a number size by its
// diameter 0.060 + 0.013 n, a fraction by its value, ISO and UNM in millimetres; the pipe
// series and BA have no diameter in their rows.
TEST(BasicSize, TabulatedRowsGiveTheirDiameterAndPitch) {
    struct Case {
        SeriesId series;
        const char* size;
        const char* pitch;
        double diameter, threads;
    };
    const Case cases[] = {
        {s::UNC, "1/4", "20", 0.25, 20},
        {s::UNF, "10", "32", 0.19, 32},
        {s::UNJC, ".2500", "20", 0.25, 20},
        {s::ACME, "1 1/4", "5", 1.25, 5},
        {s::ISO_COARSE, "M10", "1.5", 10, 1.5},
        {s::ISO_FINE, "M25", "1.5", 25, 1.5},
        {s::UNM, "0.30", "0.080", 0.3, 0.08},
        {s::NPSM, "1/2", "14", 0, 0},
        {s::NPT, "1/2", "14", 0, 0},
        {s::BA, "0", "1.000", 0, 0},
        {s::G, "1/2", "14", 0, 0},  // a nominal size, not the diameter
        {s::R, "1/2", "14", 0, 0},
        {s::TR, "Tr20", "4", 20, 4},
        {s::TR, "Tr8", "1.5", 8, 1.5},
    };
    for (const Case& c : cases) {
        const int row = rowOf(c.series, c.size, c.pitch);
        ASSERT_GE(row, 0) << c.size;
        const auto size = basicSize(c.series, row);
        if (c.diameter == 0) {
            EXPECT_FALSE(size) << c.size;
            continue;
        }
        ASSERT_TRUE(size) << c.size;
        EXPECT_DOUBLE_EQ(size->majorDiameter, c.diameter) << c.size;
        EXPECT_DOUBLE_EQ(size->pitch, c.threads) << c.size;
    }
    EXPECT_FALSE(basicSize(s::UNC, -1));
    EXPECT_FALSE(basicSize(s::UNC, sizeCount(s::UNC)));
    EXPECT_FALSE(basicSize(series::kCount, 0));
}

}  // namespace
}  // namespace torveld::designation
