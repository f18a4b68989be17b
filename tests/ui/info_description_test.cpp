#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "info_description.h"

namespace torveld {
namespace {

using Lines = std::vector<std::string>;

const std::string kDeg = "\xC2\xB0";  // the degree sign in UTF-8

int countLine(const Lines& lines, const std::string& text) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), text));
}

// Index of the first line equal to `text`, or -1.
int find(const Lines& lines, const std::string& text) {
    const auto it = std::find(lines.begin(), lines.end(), text);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

std::string sp(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

TEST(InfoDescription, UncIsTheTwentySevenLinesOfTheReferenceLayout) {
    const Lines expected = {
        sp(8) + "UNC - UNIFIED COARSE PITCH SERIES",
        "",
        "",
        sp(23) + "CLASSES OF FIT",
        "",
        "  2A = medium fit external",
        "  3A = close fit external",
        "  2B = medium fit internal",
        "  3B = close fit internal",
        "",
        "",
        sp(10) + "GEOMETRIC CHARACTERISTICS",
        "",
        "  thread profile included angle = 60" + kDeg,
        "",
        "  pitch diameter changes .0040 with",
        "  each .0010 of plating buildup",
        "",
        "",
        sp(15) + "TYPICAL APPLICATIONS",
        "",
        "  for rapid assembly or disassembly",
        "",
        "  when corrosion or damage are possible",
        "",
        "  when the male thread is made from a",
        "  harder material than the female thread",
    };
    EXPECT_EQ(buildDescription(series::UNC, UnitMode::inch()), expected);
}

TEST(InfoDescription, PlatingFiguresFollowTheUnitAndNothingElseDoes) {
    const Lines inch = buildDescription(series::UNC, UnitMode::inch());
    const Lines metric = buildDescription(series::UNC, UnitMode::metric());
    ASSERT_EQ(inch.size(), metric.size());
    EXPECT_EQ(metric[15], "  pitch diameter changes .102 with");
    EXPECT_EQ(metric[16], "  each .025 of plating buildup");
    for (size_t i = 0; i < inch.size(); ++i) {
        if (i != 15 && i != 16) {
            EXPECT_EQ(inch[i], metric[i]) << "line " << i;
        }
    }
    // The other plating factors: Acme .008, Whitworth .0044, BA .005 per .001 of plating.
    EXPECT_GT(find(buildDescription(series::ACME, UnitMode::inch()),
                   "  pitch diameter changes .0080 with"),
              0);
    EXPECT_GT(find(buildDescription(series::BSF, UnitMode::metric()),
                   "  pitch diameter changes .112 with"),
              0);
    EXPECT_GT(
        find(buildDescription(series::BA, UnitMode::inch()), "  pitch diameter changes .0050 with"),
        0);
}

TEST(InfoDescription, TitleLinesCarryTheirIndents) {
    struct Case {
        SeriesId id;
        Lines titles;
    };
    const std::vector<Case> cases = {
        {series::UNC, {sp(8) + "UNC - UNIFIED COARSE PITCH SERIES"}},
        {series::UNF, {sp(9) + "UNF - UNIFIED FINE PITCH SERIES"}},
        {series::UNEF, {sp(3) + "UNEF - UNIFIED EXTRA-FINE PITCH SERIES"}},
        {series::UN, {sp(7) + "UN - UNIFIED CONSTANT PITCH SERIES"}},
        {series::UNS,
         {sp(12) + "UNS - UNIFIED SPECIAL SERIES", sp(12) + "SPECIAL DIAMETERS, PITCHES,",
          sp(12) + "AND LENGTHS OF ENGAGEMENT"}},
        {series::UNJ,
         {sp(5) + "UNJ - UNIFIED CONSTANT PITCH SERIES", sp(13) + "CONTROLLED ROOT RADIUS"}},
        {series::UNJC,
         {sp(5) + "UNJC - UNIFIED COARSE PITCH SERIES", sp(13) + "CONTROLLED ROOT RADIUS"}},
        {series::UNJF,
         {sp(8) + "UNJF - UNIFIED FINE PITCH SERIES", sp(13) + "CONTROLLED ROOT RADIUS"}},
        {series::UNJEF,
         {sp(2) + "UNJEF - UNIFIED EXTRA-FINE PITCH SERIES", sp(13) + "CONTROLLED ROOT RADIUS"}},
        {series::NPT, {sp(5) + "NPT - AMERICAN NATIONAL STANDARD", sp(17) + "TAPER PIPE THREAD"}},
        {series::NPTF,
         {sp(4) + "NPTF - AMERICAN NATIONAL STANDARD", sp(10) + "DRYSEAL TAPER PIPE THREAD"}},
        {series::NPSM,
         {sp(5) + "NPSM - AMERICAN NATIONAL STANDARD", sp(5) + "STRAIGHT PIPE THREAD FOR FIXTURES",
          sp(8) + "FREE-FITTING MECHANICAL JOINTS"}},
        {series::NPSL,
         {sp(5) + "NPSL - AMERICAN NATIONAL STANDARD", sp(5) + "STRAIGHT PIPE THREAD FOR LOCKNUTS",
          sp(7) + "LOOSE-FITTING MECHANICAL JOINTS"}},
        {series::ACME, {sp(9) + "ACME - GENERAL PURPOSE SERIES"}},
        {series::STUB_ACME, {sp(16) + "ACME - STUB SERIES"}},
        {series::ISO_COARSE, {sp(25) + "ISO COARSE", sp(11) + "METRIC COARSE PITCH SERIES"}},
        {series::ISO_FINE, {sp(29) + "ISO FINE", sp(15) + "METRIC FINE PITCH SERIES"}},
        {series::UNM, {sp(8) + "UNM - UNIFIED MINIATURE SERIES"}},
        {series::BSW, {sp(4) + "BSW - BRITISH STANDARD WHITWORTH", sp(17) + "COARSE PITCH SERIES"}},
        {series::BSF, {sp(4) + "BSF - BRITISH STANDARD WHITWORTH", sp(19) + "FINE PITCH SERIES"}},
        {series::BA, {sp(31) + "BA", sp(2) + "BRITISH ASSOCIATION STANDARD SERIES"}},
        {series::UNC_STI,
         {sp(27) + "UNC-STI", sp(12) + "SCREW THREAD INSERT FOR",
          sp(10) + "UNIFIED COARSE PITCH SERIES"}},
        {series::UNF_STI,
         {sp(27) + "UNF-STI", sp(12) + "SCREW THREAD INSERT FOR",
          sp(12) + "UNIFIED FINE PITCH SERIES"}},
        {series::G,
         {sp(4) + "G - BRITISH STANDARD PIPE THREAD", sp(4) + "PARALLEL FASTENING THREAD (BSPP)"}},
        {series::R,
         {sp(4) + "R - BRITISH STANDARD PIPE THREAD", sp(5) + "TAPER SEALING THREAD (BSPT)",
          sp(11) + "ISO 7-1, EN 10226-1, BS 21"}},
        {series::TR,
         {sp(5) + "Tr - METRIC TRAPEZOIDAL THREAD", sp(9) + "ISO 2901 TO 2904 (DIN 103)"}},
    };
    ASSERT_EQ(cases.size(), static_cast<size_t>(series::kCount));
    for (const auto& c : cases) {
        const Lines lines = buildDescription(c.id, UnitMode::inch());
        ASSERT_GT(lines.size(), c.titles.size());
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<long>(c.titles.size())),
                  c.titles)
            << "series " << c.id;
        // Two blank lines follow the titles.
        EXPECT_EQ(lines[c.titles.size()], "");
        EXPECT_EQ(lines[c.titles.size() + 1], "");
    }
}

// Every description: the sections it has, each as two blanks, heading, blank, paragraphs; no
// blank line at the end; paragraphs indented by two spaces.
TEST(InfoDescription, EverySeriesFollowsTheSectionPattern) {
    for (SeriesId id = 0; id < series::kCount; ++id) {
        SCOPED_TRACE("series " + std::to_string(id));
        const Lines lines = buildDescription(id, UnitMode::inch());
        ASSERT_FALSE(lines.empty());
        EXPECT_FALSE(lines.back().empty());
        const bool uns = id == series::UNS;
        const bool noClasses = id == series::NPT || id == series::NPTF || id == series::NPSL;
        const std::string classes = sp(23) + "CLASSES OF FIT";
        const std::string geometric = sp(uns ? 11 : 10) + "GEOMETRIC CHARACTERISTICS";
        const std::string applications = sp(uns ? 16 : 15) + "TYPICAL APPLICATIONS";
        EXPECT_EQ(countLine(lines, classes), noClasses ? 0 : 1);
        ASSERT_EQ(countLine(lines, geometric), 1);
        ASSERT_EQ(countLine(lines, applications), 1);
        for (const auto& heading : {classes, geometric, applications}) {
            const int at = find(lines, heading);
            if (at < 0) continue;
            EXPECT_EQ(lines[static_cast<size_t>(at) - 1], "");
            EXPECT_EQ(lines[static_cast<size_t>(at) - 2], "");
            EXPECT_NE(lines[static_cast<size_t>(at) - 3], "");
            EXPECT_EQ(lines[static_cast<size_t>(at) + 1], "");
            EXPECT_TRUE(lines[static_cast<size_t>(at) + 2].starts_with("  "));
        }
        EXPECT_LT(find(lines, geometric), find(lines, applications));
        if (!noClasses) {
            EXPECT_LT(find(lines, classes), find(lines, geometric));
        }
        // Paragraph lines after the first heading are indented by exactly two spaces.
        for (size_t i = static_cast<size_t>(find(lines, noClasses ? geometric : classes)) + 2;
             i < lines.size(); ++i) {
            const std::string& l = lines[i];
            if (l.empty() || l == geometric || l == applications) continue;
            EXPECT_TRUE(l.starts_with("  ") && l[2] != ' ') << l;
        }
    }
}

TEST(InfoDescription, ClassesSectionsOfTheSpecialCases) {
    for (SeriesId id : {series::STUB_ACME, series::UNM}) {
        const Lines lines = buildDescription(id, UnitMode::inch());
        const int at = find(lines, sp(23) + "CLASSES OF FIT");
        ASSERT_GT(at, 0);
        EXPECT_EQ(lines[static_cast<size_t>(at) + 2], "  not applicable");
        EXPECT_EQ(lines[static_cast<size_t>(at) + 3], "");
        EXPECT_EQ(lines[static_cast<size_t>(at) + 4], "");
    }
    for (SeriesId id : {series::UNC_STI, series::UNF_STI}) {
        const Lines lines = buildDescription(id, UnitMode::inch());
        const int at = find(lines, sp(23) + "CLASSES OF FIT");
        ASSERT_GT(at, 0);
        EXPECT_EQ(lines[static_cast<size_t>(at) + 2], "  2B = medium fit internal");
        EXPECT_EQ(lines[static_cast<size_t>(at) + 3], "  3B = close fit internal");
        EXPECT_EQ(lines[static_cast<size_t>(at) + 4], "");
        EXPECT_EQ(countLine(lines, "  120" + kDeg + " countersink recommended"), 1);
    }
    const Lines iso = buildDescription(series::ISO_FINE, UnitMode::inch());
    EXPECT_EQ(countLine(iso, "  4g6g = close fit external (some)"), 1);
}

TEST(InfoDescription, AnglesAndKeptWording) {
    EXPECT_EQ(countLine(buildDescription(series::BA, UnitMode::inch()),
                        "  thread profile included angle = 47.5" + kDeg),
              1);
    EXPECT_EQ(countLine(buildDescription(series::STUB_ACME, UnitMode::inch()),
                        "  thread profile included angle = 29" + kDeg),
              1);
    EXPECT_EQ(countLine(buildDescription(series::BSW, UnitMode::inch()),
                        "  thread profile included angle = 55" + kDeg),
              1);
    const Lines nptf = buildDescription(series::NPTF, UnitMode::inch());
    EXPECT_EQ(countLine(nptf, "  does not requires a sealer"), 1);
    EXPECT_EQ(countLine(nptf, "  OD/ID taper = 3/4\" per foot (included)"), 1);
    // The UNJ geometric section: angle, two root/minor paragraphs, then plating, last.
    const Lines unj = buildDescription(series::UNJF, UnitMode::metric());
    const int angle = find(unj, "  thread profile included angle = 60" + kDeg);
    ASSERT_GT(angle, 0);
    const Lines tail(unj.begin() + angle, unj.begin() + angle + 10);
    EXPECT_EQ(tail,
              (Lines{"  thread profile included angle = 60" + kDeg, "",
                     "  have controlled root radius on", "  external threads", "",
                     "  have increased minor diameter on", "  internal threads", "",
                     "  pitch diameter changes .102 with", "  each .025 of plating buildup"}));
}

TEST(InfoDescription, UnknownSeriesHasNoLines) {
    EXPECT_TRUE(buildDescription(-1, UnitMode::inch()).empty());
    EXPECT_TRUE(buildDescription(series::kCount, UnitMode::inch()).empty());
}

}  // namespace
}  // namespace torveld
