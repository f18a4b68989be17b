// Tap-drill guide: engagement lines, guide target by series, and the guide-drill walk with its
// bounds, equal diameters and the out-of-order "4.80mm" row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "calc_test_support.h"
#include "tap_drill.h"

namespace torveld {
namespace {

using tap_drill::findGuideDrillFor;
using testing::calculated;
using testing::drillRowNamed;
using testing::v;

std::string nameOf(int row) {
    return drill_chart::row(row).drillName;
}

TEST(Engagement, PrefixesAndDiameters) {
    const auto lines = tap_drill::engagementLines(0.25, 0.05);  // UNC 1/4
    const char* prefixes[] = {"  100%  -   ",  "    90%  -   ", "    80%  -   ",
                              "    75%  -   ", "    70%  -   ", "    65%  -   ",
                              "    60%  -   ", "    55%  -   ", "    50%  -   "};
    for (std::size_t k = 0; k < lines.size(); ++k) EXPECT_STREQ(lines[k].prefix, prefixes[k]);
    EXPECT_NEAR(lines[0].diameter, 0.1850, 1e-12);
    EXPECT_NEAR(lines[1].diameter, 0.1915, 1e-12);
    EXPECT_NEAR(lines[3].diameter, 0.20125, 1e-12);
    EXPECT_NEAR(lines[8].diameter, 0.2175, 1e-12);
    // Every 10 percent less adds 0.13 P.
    EXPECT_NEAR(lines[1].diameter - lines[0].diameter, 0.13 * 0.05, 1e-12);
}

// The percentage of thread of a drill, against the "probable percentage of full thread" that
// common tap-drill charts print beside the recommended drill of each size (their formula:
// percentage = (D - drill) x threads per inch / 0.01299); the drills are of the number and
// letter series and the fractional series.
TEST(PercentageOfThread, AgreesWithPublishedTapDrillCharts) {
    struct Case {
        const char* size;
        double major;
        double threadsPerInch;
        double drill;
        int percent;
    };
    const Case cases[] = {
        {"6-32, #36", 0.138, 32, 0.1065, 78},       {"8-32, #29", 0.164, 32, 0.1360, 69},
        {"10-32, #21", 0.190, 32, 0.1590, 76},      {"1/4-20, #7", 0.250, 20, 0.2010, 75},
        {"5/16-18, F", 0.3125, 18, 0.2570, 77},     {"3/8-16, 5/16", 0.375, 16, 0.3125, 77},
        {"1/2-13, 27/64", 0.500, 13, 0.421875, 78},
    };
    for (const Case& c : cases) {
        const double percent =
            tap_drill::percentageOfThread(c.major, 1.0 / c.threadsPerInch, c.drill);
        EXPECT_EQ(std::lround(percent), c.percent) << c.size << ": " << percent;
    }
}

TEST(PercentageOfThread, PastEitherEndAndBadNumbers) {
    // Past either end of the list the number keeps going; without a pitch there is none.
    EXPECT_LT(tap_drill::percentageOfThread(0.25, 0.05, 0.257), 0.0);
    EXPECT_GT(tap_drill::percentageOfThread(0.25, 0.05, 0.0135), 100.0);
    const double inf = std::numeric_limits<double>::infinity();
    for (const double pitch : {0.0, -0.05, std::nan(""), inf}) {
        EXPECT_TRUE(std::isnan(tap_drill::percentageOfThread(0.25, pitch, 0.2))) << pitch;
    }
    EXPECT_TRUE(std::isnan(tap_drill::percentageOfThread(std::nan(""), 0.05, 0.2)));
    EXPECT_TRUE(std::isnan(tap_drill::percentageOfThread(0.25, 0.05, -inf)));
}

TEST(GuideDrill, UncQuarterStopsAtNineAndTakesTheRowBefore) {
    const ThreadResults r = calculated(series::UNC, 9);
    EXPECT_EQ(tap_drill::guideTarget(series::UNC, r), r.intClose.minorMin);
    const tap_drill::GuideDrill g = tap_drill::findGuideDrill(series::UNC, r);
    EXPECT_EQ(nameOf(g.guideRow + 1), "9");
    EXPECT_EQ(nameOf(g.guideRow), "4.95mm");
    EXPECT_EQ(g.startIndex, g.guideRow);
    EXPECT_EQ(g.leadRow, g.guideRow + 9);
}

TEST(GuideDrill, EqualDiametersAndChartOrder) {
    const int e = drillRowNamed("E");
    const int quarter = drillRowNamed("1/4");
    ASSERT_EQ(quarter, e + 1);
    // Exactly 0.25 stops at "E" and takes the row before it.
    EXPECT_EQ(findGuideDrillFor(series::UN, 0.25).guideRow, e - 1);
    // Just above 0.25 stops at the next larger drill and takes "1/4".
    EXPECT_EQ(findGuideDrillFor(series::UN, std::nextafter(0.25, 1.0)).guideRow, quarter);
    // "4.80mm" (.188976) stands after "12" (.1890): a target between them stops at "12".
    const int twelve = drillRowNamed("12");
    ASSERT_EQ(drillRowNamed("4.80mm"), twelve + 1);
    EXPECT_EQ(findGuideDrillFor(series::UN, 0.18898).guideRow, twelve - 1);
    EXPECT_EQ(nameOf(twelve - 1), "3/16");
}

TEST(GuideDrill, SmallestAndLargestTargets) {
    for (double t : {0.0, 0.0135, 0.0138}) {
        const tap_drill::GuideDrill g = findGuideDrillFor(series::UNM, t);
        EXPECT_EQ(g.guideRow, 0) << t;
        EXPECT_EQ(g.leadRow, 0) << t;
        EXPECT_EQ(g.startIndex, 0) << t;
    }
    // Just above the bound the walk stops at "79" (.0145); the guide is ".35mm".
    EXPECT_EQ(nameOf(findGuideDrillFor(series::UNM, 0.0139).guideRow), ".35mm");

    // Exactly 4.625 is walked: it stops at "4 5/8" and takes the row before.
    const tap_drill::GuideDrill at = findGuideDrillFor(series::UN, 4.625);
    EXPECT_EQ(nameOf(at.guideRow + 1), "4 5/8");
    EXPECT_EQ(at.guideRow, 737);
    EXPECT_EQ(at.startIndex, 737);
    EXPECT_EQ(at.leadRow, drill_chart::kEndRow);

    const double above = std::nextafter(4.625, 5.0);
    const tap_drill::GuideDrill un = findGuideDrillFor(series::UN, above);
    EXPECT_EQ(un.guideRow, drill_chart::kEndRow);
    EXPECT_EQ(un.leadRow, drill_chart::kEndRow);
    EXPECT_EQ(un.startIndex, 737);
    const tap_drill::GuideDrill npt = findGuideDrillFor(series::NPT, above);
    EXPECT_EQ(npt.guideRow, drill_chart::kEndRow);
    EXPECT_EQ(npt.startIndex, 735);
}

TEST(GuideDrill, NptStartIndexNeverPassesSevenThirtyFour) {
    int largestWalked = -1;
    for (SeriesId id : {series::NPT, series::NPTF}) {
        for (int row = 0; row < sizeCount(id); ++row) {
            const tap_drill::GuideDrill g = tap_drill::findGuideDrill(id, calculated(id, row));
            if (g.guideRow < drill_chart::kEndRow) {
                largestWalked = std::max(largestWalked, g.startIndex);
                EXPECT_EQ(g.leadRow, g.guideRow + 11);
            } else {
                EXPECT_GT(v(calculated(id, row).k0), 4.625);
                EXPECT_EQ(g.startIndex, 735);
            }
            // The twelve printed rows exist.
            EXPECT_LE(g.startIndex + 11, drill_chart::kEndRow);
        }
    }
    EXPECT_EQ(largestWalked, 734);  // 4 inch pipe, k0 4.2344, stops at "4 1/4"
    EXPECT_EQ(nameOf(735), "4 1/4");
}

TEST(GuideDrill, TargetBySeries) {
    ThreadResults r;
    r.k0 = 1.0;
    r.intNormal.minorMin = 2.0;
    r.intClose.minorMin = 3.0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        double expected = 3.0;
        if (id == series::NPT || id == series::NPTF) expected = 1.0;
        if (id == series::UNS || id == series::STUB_ACME || id == series::NPSM ||
            id == series::NPSL || id == series::UNM) {
            expected = 2.0;
        }
        EXPECT_EQ(tap_drill::guideTarget(id, r), expected) << "series " << id;
    }
}

TEST(GuideDrill, EveryReturnedRowExists) {
    // A number that is no diameter finds no drill.
    const tap_drill::GuideDrill nan =
        findGuideDrillFor(series::UNC, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(nan.guideRow, drill_chart::kEndRow);
    EXPECT_EQ(nan.startIndex, 737);
    // A pipe target just below the largest bound: the lead row and the twelve printed rows
    // stay inside the chart.
    const tap_drill::GuideDrill pipe = findGuideDrillFor(series::NPT, 4.6);
    EXPECT_EQ(pipe.guideRow, 737);
    EXPECT_EQ(pipe.leadRow, drill_chart::kEndRow);
    EXPECT_EQ(pipe.startIndex, 735);
}

}  // namespace
}  // namespace torveld
