#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet_description.h"

namespace torveld {
namespace {

const std::string kDeg = "\xC2\xB0";

std::vector<std::string> texts(const SheetDescription& d) {
    std::vector<std::string> out;
    for (const auto& line : d.lines) out.push_back(line.text);
    return out;
}

std::string marks(const SheetDescription& d) {
    std::string out;
    for (const auto& line : d.lines) {
        out += line.advance == Advance::Line ? 's' : line.advance == Advance::Blank ? 'b' : '.';
    }
    return out;
}

TEST(SheetDescription, UncInBothUnits) {
    const SheetDescription inch = sheetDescription(series::UNC, UnitMode::inch());
    EXPECT_EQ(texts(inch),
              (std::vector<std::string>{
                  "UNIFIED COARSE PITCH SERIES", "", "2A = medium fit external",
                  "3A = close fit external", "2B = medium fit internal", "3B = close fit internal",
                  "", "thread profile included angle = 60" + kDeg, "",
                  "pitch diameter changes .0040 with", "each .0010 of plating buildup"}));
    EXPECT_EQ(marks(inch), "bbsssbbbbs.");
    EXPECT_FALSE(inch.narrowSteps);
    const SheetDescription metric = sheetDescription(series::UNC, UnitMode::metric());
    EXPECT_EQ(metric.lines[9].text, "pitch diameter changes .102 with");
    EXPECT_EQ(metric.lines[10].text, "each .025 of plating buildup");
}

TEST(SheetDescription, StepsOfEverySeries) {
    // The advance after each line (s line step, b blank step, . the last line).
    const std::pair<SeriesId, const char*> cases[] = {
        {series::UNF, "bbsssbbbbs."},
        {series::UNEF, "bbsssbbbbs."},
        {series::UN, "bbsssbbbbs."},
        {series::UNS, "ssbbsbbbbs."},
        {series::UNJ, "sbbsbbbbbbbbs."},
        {series::UNJC, "sbbsbbbbbbbbs."},
        {series::UNJF, "sbbsbbbbbbbbs."},
        {series::UNJEF, "sbbsbbbbbbbbs."},
        {series::UNM, "bbbbs."},
        {series::ACME, "bbsssbbbbs."},
        {series::STUB_ACME, "bbbbs."},
        {series::NPT, "sbbbbbbs."},
        {series::NPTF, "sbbbbbbs."},
        {series::NPSM, "ssbbsbbbbs."},
        {series::NPSL, "ssbbbbsbbsbbss."},
        {series::ISO_COARSE, "bbsssssbbbbs."},
        {series::ISO_FINE, "bbsssssbbbbs."},
        {series::BSW, "sbbssssbbbs."},
        {series::BSF, "sbbssssbbbs."},
        {series::BA, "bbssssbbbs."},
        {series::UNC_STI, "sbbssbbbs."},
        {series::UNF_STI, "sbbssbbbs."},
    };
    for (const auto& [id, expected] : cases) {
        EXPECT_EQ(marks(sheetDescription(id, UnitMode::inch())), expected) << "series " << id;
    }
}

TEST(SheetDescription, SeriesTexts) {
    const auto first = [](SeriesId id, size_t n) {
        const auto all = texts(sheetDescription(id, UnitMode::inch()));
        return std::vector<std::string>(all.begin(), all.begin() + static_cast<long>(n));
    };
    EXPECT_EQ(first(series::UNJEF, 2), (std::vector<std::string>{"UNIFIED EXTRA-FINE PITCH SERIES",
                                                                 "CONTROLLED ROOT RADIUS"}));
    EXPECT_EQ(first(series::NPTF, 4),
              (std::vector<std::string>{"AMERICAN NATIONAL STANDARD", "DRYSEAL TAPER PIPE THREAD",
                                        "", "OD/ID taper = 3/4\" per foot (included)"}));
    EXPECT_EQ(first(series::BSF, 2),
              (std::vector<std::string>{"BRITISH STANDARD WHITWORTH", "FINE PITCH SERIES"}));
    EXPECT_EQ(first(series::UNF_STI, 5),
              (std::vector<std::string>{"SCREW THREAD INSERT FOR", "UNIFIED FINE PITCH SERIES", "",
                                        "2B = medium fit internal", "3B = close fit internal"}));
    // UNM and STUB ACME have no class lines: the title, then the angle group.
    EXPECT_EQ(
        first(series::STUB_ACME, 3),
        (std::vector<std::string>{"STUB SERIES", "", "thread profile included angle = 29" + kDeg}));
    EXPECT_EQ(first(series::UNM, 3),
              (std::vector<std::string>{"UNIFIED MINIATURE SERIES", "",
                                        "thread profile included angle = 60" + kDeg}));
    const auto ba = texts(sheetDescription(series::BA, UnitMode::metric()));
    EXPECT_EQ(ba[7], "thread profile included angle = 47.5" + kDeg);
    EXPECT_EQ(ba[9], "pitch diameter changes .127 with");
    const auto bsw = texts(sheetDescription(series::BSW, UnitMode::inch()));
    EXPECT_EQ(bsw[10], "pitch diameter changes .0044 with");
    const auto unj = texts(sheetDescription(series::UNJ, UnitMode::inch()));
    EXPECT_EQ(unj[8], "controlled root radius external threads");
    EXPECT_EQ(unj[10], "increased internal minor diameter");
}

TEST(SheetDescription, NpslHasTheLongestTextWithNarrowSteps) {
    const SheetDescription d = sheetDescription(series::NPSL, UnitMode::inch());
    EXPECT_TRUE(d.narrowSteps);
    EXPECT_EQ(
        texts(d),
        (std::vector<std::string>{
            "AMERICAN NATIONAL STANDARD", "STRAIGHT PIPE THREAD FOR LOCKNUTS",
            "LOOSE-FITTING MECHANICAL JOINTS", "", "thread profile included angle = 60" + kDeg, "",
            "pitch diameter changes .0040 with", "each .0010 of plating buildup", "",
            "the external major diameter is determined", "by the diameter of commercial pipe", "",
            "the external minor diameter and the", "internal major and minor diameters vary",
            "with the pitch diameter"}));
    for (SeriesId id = 0; id < series::kCount; ++id) {
        EXPECT_EQ(sheetDescription(id, UnitMode::inch()).narrowSteps, id == series::NPSL);
    }
}

TEST(SheetDescription, UnknownSeriesHasNoLines) {
    EXPECT_TRUE(sheetDescription(99, UnitMode::inch()).lines.empty());
}

}  // namespace
}  // namespace torveld
