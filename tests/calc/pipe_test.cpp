// Taper pipe values (NPT, NPTF) and the lines of their lengths list.
#include <gtest/gtest.h>

#include <string>

#include "calc_test_support.h"
#include "number_format.h"
#include "pipe_lengths.h"

namespace torveld {
namespace {

using pipe_lengths::LineKind;
using testing::calculated;
using testing::v;
using testing::widened;

TEST(PipeValues, NptHalfInch) {
    const ThreadResults r = calculated(series::NPT, 4);  // 1/2 - 14
    EXPECT_EQ(r.pipeOD, widened(0.84f));
    EXPECT_EQ(r.k0, widened(0.7013f));
    EXPECT_NEAR(v(r.e0), 0.758429, 1e-6);
    EXPECT_NEAR(v(r.e1), 0.778429, 1e-6);
    EXPECT_NEAR(v(r.l2), 0.533714, 1e-6);
    EXPECT_NEAR(v(r.majorAtPipeEnd), 0.791156, 1e-6);
    EXPECT_NEAR(v(r.minorAtFace), 0.7213, 1e-6);
    EXPECT_NEAR(v(r.tapDepth), 0.899, 1e-6);
    EXPECT_EQ(r.l1, widened(0.32f));
    EXPECT_EQ(r.l3, widened(0.2143f));
    EXPECT_EQ(r.l4, widened(0.7815f));
    // No over-wire limits for the taper threads.
    EXPECT_FALSE(r.extNormal.wiresMax);
}

TEST(PipeValues, NptTwelveInch) {
    const ThreadResults r = calculated(series::NPT, 18);  // 12 - 8
    EXPECT_NEAR(v(r.e0), 12.532813, 1e-6);
    EXPECT_NEAR(v(r.e1), 12.617813, 1e-6);
    EXPECT_NEAR(v(r.l2), 2.125, 1e-6);
    // The tap depth is given through the 4 inch pipe only, for NPT and NPTF alike.
    EXPECT_FALSE(r.tapDepth);
    for (SeriesId id : {series::NPT, series::NPTF}) {
        EXPECT_NEAR(v(calculated(id, 13).tapDepth), 0.844 + 0.95, 1e-6);  // 4 - 8
        EXPECT_FALSE(calculated(id, 14).tapDepth);                        // 5 - 8
    }
}

TEST(PipeValues, ElevenAndAHalfThreadRowsUseTheirPitch) {
    const ThreadResults r = calculated(series::NPT, 6);  // 1 - 11 1/2
    const double d = widened(1.315f);
    EXPECT_NEAR(v(r.e0), d - (0.05 * d + 1.1) / 11.5, 1e-12);
    EXPECT_NEAR(v(r.l2), (0.8 * d + 6.8) / 11.5, 1e-12);
}

TEST(PipeValues, NptfTakesTheNptExternalLengthForTheMajorDiameter) {
    for (int row = 0; row < sizeCount(series::NPTF); ++row) {
        const ThreadResults npt = calculated(series::NPT, row);
        const ThreadResults nptf = calculated(series::NPTF, row);
        EXPECT_EQ(nptf.majorAtPipeEnd, npt.majorAtPipeEnd) << "row " << row;
        EXPECT_LT(v(nptf.majorAtPipeEnd), v(nptf.pipeOD)) << "row " << row;
        EXPECT_GT(v(nptf.majorAtPipeEnd), v(nptf.e0)) << "row " << row;
        EXPECT_EQ(nptf.e1, npt.e1) << "row " << row;
    }
    // NPTF writes the shoulder length, not L3; its L4 is the internal thread length.
    const ThreadResults nptf = calculated(series::NPTF, 4);
    EXPECT_EQ(nptf.shoulderLength, widened(0.748f));
    EXPECT_FALSE(nptf.l3);
    EXPECT_EQ(nptf.l4, widened(0.5343f));
    // From 3 1/2 inch up the table gives no internal thread length.
    EXPECT_FALSE(calculated(series::NPTF, 12).l4);
}

std::string kinds(const std::vector<pipe_lengths::Line>& lines) {
    std::string s;
    for (const auto& line : lines) {
        switch (line.kind) {
            case LineKind::Empty:
                s += 'E';
                break;
            case LineKind::Text:
                s += 'T';
                break;
            case LineKind::LengthWithThreads:
                s += 'L';
                break;
            case LineKind::LengthOnly:
                s += 'O';
                break;
            case LineKind::LengthWithTurns:
                s += 'U';
                break;
        }
    }
    return s;
}

TEST(LengthsList, NptLines) {
    const ThreadResults r = calculated(series::NPT, 4);
    const auto lines = pipe_lengths::lengthsList(series::NPT, r);
    ASSERT_EQ(kinds(lines), "ELTELTELTELT");
    EXPECT_STREQ(lines[1].text, "  L1 = ");
    EXPECT_EQ(lines[1].length, r.l1);
    EXPECT_STREQ(lines[2].text, "  LENGTH OF HAND ENGAGEMENT");
    EXPECT_STREQ(lines[4].text, "  L2 = ");
    EXPECT_EQ(lines[4].length, r.l2);
    EXPECT_STREQ(lines[5].text, "  LENGTH OF EFFECTIVE THREAD");
    EXPECT_STREQ(lines[7].text, "  L3 = ");
    EXPECT_EQ(lines[7].length, r.l3);
    EXPECT_STREQ(lines[8].text, "  LENGTH OF WRENCH TAKEUP");
    EXPECT_STREQ(lines[10].text, "  L4 = ");
    EXPECT_EQ(lines[10].length, r.l4);
    EXPECT_STREQ(lines[11].text, "  OVERALL EXTERNAL THREAD LENGTH");
    EXPECT_STREQ(lines[0].text, "");
}

TEST(LengthsList, NptfLinesWithAndWithoutInternalLength) {
    const ThreadResults r = calculated(series::NPTF, 4);
    const auto lines = pipe_lengths::lengthsList(series::NPTF, r);
    ASSERT_EQ(kinds(lines), "ELTELTEOETL");
    EXPECT_STREQ(lines[7].text, "  SHOULDER LENGTH = ");
    EXPECT_EQ(lines[7].length, r.shoulderLength);
    EXPECT_STREQ(lines[9].text, "  OVERALL INTERNAL THREAD");
    EXPECT_STREQ(lines[10].text, "  LENGTH = ");
    EXPECT_EQ(lines[10].length, r.l4);

    for (int row = 12; row <= 18; ++row) {
        const auto none = pipe_lengths::lengthsList(series::NPTF, calculated(series::NPTF, row));
        ASSERT_EQ(kinds(none), "ELTELTEOETT") << "row " << row;
        EXPECT_STREQ(none[9].text, "  OVERALL INTERNAL THREAD");
        EXPECT_STREQ(none[10].text, "  LENGTH NOT AVAILABLE");
    }
    EXPECT_TRUE(pipe_lengths::lengthsList(series::NPSM, r).empty());
}

// The lines as the display writes them: label, length, and for a length with threads
// "   (" + the count length / P + " THREADS)".
std::string lineText(const pipe_lengths::Line& line, double pitch, const UnitMode& mode) {
    std::string text = line.text;
    if (line.kind == LineKind::LengthWithThreads || line.kind == LineKind::LengthOnly) {
        text += formatLength(line.length, mode);
    }
    if (line.kind == LineKind::LengthWithThreads) {
        text += "   (" + formatFixed("%d#.##", line.length / pitch) + " THREADS)";
    }
    return text;
}

TEST(LengthsList, NptHalfInchTextsInBothUnits) {
    const ThreadResults r = calculated(series::NPT, 4);
    const auto lines = pipe_lengths::lengthsList(series::NPT, r);
    const UnitMode inch = UnitMode::inch();
    EXPECT_EQ(lineText(lines[1], r.pitch, inch), "  L1 = .3200   (4.48 THREADS)");
    EXPECT_EQ(lineText(lines[4], r.pitch, inch), "  L2 = .5337   (7.47 THREADS)");
    EXPECT_EQ(lineText(lines[7], r.pitch, inch), "  L3 = .2143   (3.00 THREADS)");
    EXPECT_EQ(lineText(lines[10], r.pitch, inch), "  L4 = .7815   (10.94 THREADS)");
    // The thread count does not change with the unit.
    const UnitMode metric = UnitMode::metric();
    EXPECT_EQ(lineText(lines[1], r.pitch, metric), "  L1 = 8.128   (4.48 THREADS)");
    EXPECT_EQ(lineText(lines[10], r.pitch, metric), "  L4 = 19.850   (10.94 THREADS)");
}

}  // namespace
}  // namespace torveld
