// Invariants over every size of every series: diameters in order within each class record,
// means, close-class bands no wider than normal ones, external maximums no larger than internal
// minimums, sound pipe diameters, and a guide drill that is always a row of the chart.
//
// A cell holding 0 means the table has no value there, so every comparison that meets a 0 is
// skipped. Size rows whose whole first limit table row is 0 are rows the tables do not carry
// yet; they are skipped explicitly and counted.
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "calc_test_support.h"
#include "tap_drill.h"

namespace torveld {
namespace {

using testing::calculated;

constexpr double kSlack = 1e-6;  // table values are written to four decimals

struct Checker {
    std::string where;
    int comparisons = 0;

    // a <= b (or a < b when strict), both being values the tables hold.
    void ordered(double a, double b, const char* what, bool strict = false) {
        if (a == 0.0 || b == 0.0) return;
        ++comparisons;
        if (strict) {
            EXPECT_LT(a, b) << where << ": " << what;
        } else {
            EXPECT_LE(a, b + kSlack) << where << ": " << what;
        }
    }

    static double minorTop(const ExternalLimits& e) {
        return e.minorMax != 0.0 ? e.minorMax : e.minorRef;
    }

    // A mean lies halfway between its limits, and is 0 (no value) when a limit is missing.
    void mean(double a, double b, double m, const char* what) {
        ++comparisons;
        if (a == 0.0 || b == 0.0) {
            EXPECT_EQ(m, 0.0) << where << ": " << what;
        } else {
            EXPECT_NEAR(m, (a + b) / 2, 1e-15) << where << ": " << what;
        }
    }

    void external(const ExternalLimits& e, const char* cls) {
        const std::string c = cls;
        mean(e.majorMax, e.majorMin, e.majorMean, (c + " major mean").c_str());
        ordered(e.minorMin, e.minorMax, (c + " minor min <= max").c_str());
        // Diameters in order limit for limit: minimum with minimum, maximum with maximum.
        ordered(e.minorMin, e.pitchMin, (c + " minor min < pitch min").c_str(), true);
        ordered(minorTop(e), e.pitchMax, (c + " minor max < pitch max").c_str(), true);
        ordered(e.pitchMin, e.pitchMax, (c + " pitch min <= max").c_str());
        ordered(e.pitchMin, e.majorMin, (c + " pitch min < major min").c_str(), true);
        ordered(e.pitchMax, e.majorMax, (c + " pitch max < major max").c_str(), true);
        ordered(e.majorMin, e.majorMax, (c + " major min <= max").c_str());
    }

    void internal(const InternalLimits& i, const char* cls) {
        const std::string c = cls;
        mean(i.minorMin, i.minorMax, i.minorMean, (c + " minor mean").c_str());
        ordered(i.minorMin, i.minorMax, (c + " minor min <= max").c_str());
        // On fine miniature and UNJ threads the largest minor may exceed the smallest pitch
        // diameter (published UNM 0.30: minor max .0100, pitch min .0098), so the limits are
        // compared minimum with minimum and maximum with maximum.
        ordered(i.minorMin, i.pitchMin, (c + " minor min < pitch min").c_str(), true);
        ordered(i.minorMax, i.pitchMax, (c + " minor max < pitch max").c_str(), true);
        ordered(i.pitchMin, i.pitchMax, (c + " pitch min <= max").c_str());
        ordered(i.pitchMin, i.majorMin, (c + " pitch min < major min").c_str(), true);
        ordered(i.pitchMax, i.majorMax, (c + " pitch max < major max").c_str(), true);
        ordered(i.majorMin, i.majorMax, (c + " major min <= max").c_str());
    }

    // The width of a band, or 0 when either limit is missing.
    static double band(double min, double max) {
        return min == 0.0 || max == 0.0 ? 0.0 : max - min;
    }

    void closeNoWider(const ThreadResults& r) {
        ordered(band(r.extClose.pitchMin, r.extClose.pitchMax),
                band(r.extNormal.pitchMin, r.extNormal.pitchMax), "close ext pitch band");
        ordered(band(r.extClose.majorMin, r.extClose.majorMax),
                band(r.extNormal.majorMin, r.extNormal.majorMax), "close ext major band");
        ordered(band(r.intClose.pitchMin, r.intClose.pitchMax),
                band(r.intNormal.pitchMin, r.intNormal.pitchMax), "close int pitch band");
        // From No. 6 up the 2B minor limits are written to three places and the 3B ones to
        // four, so a 3B band may exceed the 2B band by one unit of the fourth place
        // (10-32 UNF: 2B .156-.164, 3B .1560-.1641).
        ordered(band(r.intClose.minorMin, r.intClose.minorMax) - 0.0001,
                band(r.intNormal.minorMin, r.intNormal.minorMax), "close int minor band");
    }

    void fits(const ExternalLimits& e, const InternalLimits& i, const char* cls) {
        const std::string c = cls;
        ordered(e.majorMax, i.majorMin, (c + " ext major max <= int major min").c_str());
        ordered(e.pitchMax, i.pitchMin, (c + " ext pitch max <= int pitch min").c_str());
        ordered(minorTop(e), i.minorMin, (c + " ext minor max <= int minor min").c_str());
    }

    void pipe(const ThreadResults& r) {
        ordered(r.k0, r.e0, "K0 < E0", true);
        ordered(r.e0, r.e1, "E0 < E1", true);
        ordered(r.e0, r.majorAtPipeEnd, "E0 < major at pipe end", true);
        ordered(r.majorAtPipeEnd, r.pipeOD, "major at pipe end < pipe OD", true);
        ordered(r.k0, r.minorAtFace, "K0 < minor at face", true);
        ordered(r.l1, r.l2, "L1 < L2", true);
    }

    void guide(SeriesId id, const ThreadResults& r) {
        const double t = tap_drill::guideTarget(id, r);
        const tap_drill::GuideDrill g = tap_drill::findGuideDrill(id, r);
        ++comparisons;
        ASSERT_GE(g.guideRow, 0) << where;
        ASSERT_LE(g.guideRow, drill_chart::kEndRow) << where;
        EXPECT_GE(g.leadRow, g.guideRow) << where;
        EXPECT_LE(g.leadRow, drill_chart::kEndRow) << where;
        EXPECT_LE(g.startIndex + tap_drill::scrollLead(id), drill_chart::kEndRow) << where;
        if (g.guideRow == drill_chart::kEndRow) {
            EXPECT_GT(t, tap_drill::kLargestTarget) << where;
        } else if (t > tap_drill::kSmallestTarget) {
            // The next row is the first at or above the target in chart order.
            EXPECT_GE(drill_chart::diameter(g.guideRow + 1), t) << where;
            for (int i = 0; i <= g.guideRow; ++i) {
                ASSERT_LT(drill_chart::diameter(i), t) << where << " row " << i;
            }
        } else {
            EXPECT_EQ(g.guideRow, 0) << where;
        }
    }
};

TEST(Invariants, EverySizeOfEverySeries) {
    int checkedRows = 0;
    int skippedRows = 0;
    int comparisons = 0;
    std::string skipped;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const ThreadSeries& s = seriesById(id);
        int skippedHere = 0;
        for (int row = 0; row < sizeCount(id); ++row) {
            if (testing::rowIsEmpty(*s.firstTable, row)) {
                ++skippedHere;
                continue;
            }
            const ThreadResults r = calculated(id, row);
            Checker check{std::string(s.name) + " row " + std::to_string(row)};
            check.external(r.extNormal, "normal");
            check.external(r.extClose, "close");
            check.internal(r.intNormal, "normal");
            check.internal(r.intClose, "close");
            check.closeNoWider(r);
            check.fits(r.extNormal, r.intNormal, "normal");
            check.fits(r.extClose, r.intClose, "close");
            if (s.family == SeriesFamily::TaperPipe) check.pipe(r);
            check.guide(id, r);
            comparisons += check.comparisons;
            ++checkedRows;
        }
        if (skippedHere > 0) {
            skipped += std::string(" ") + s.name + ":" + std::to_string(skippedHere);
            skippedRows += skippedHere;
        }
    }
    std::cout << "checked " << checkedRows << " size rows (" << comparisons
              << " comparisons); skipped empty rows:" << (skipped.empty() ? " none" : skipped)
              << "\n";
    RecordProperty("checkedRows", checkedRows);
    RecordProperty("skippedEmptyRows", skippedRows);
    EXPECT_GT(checkedRows, 0);
}

TEST(Invariants, GuideDrillOfAnyTargetIsAChartRow) {
    // A sweep over the whole range of targets, in steps finer than the chart's.
    for (SeriesId id : {series::UNC, series::NPT}) {
        for (double t = 0.0; t < 6.0; t += 0.001) {
            const tap_drill::GuideDrill g = tap_drill::findGuideDrillFor(id, t);
            ASSERT_GE(g.guideRow, 0) << t;
            ASSERT_LE(g.leadRow, drill_chart::kEndRow) << t;
            ASSERT_LE(g.startIndex + tap_drill::scrollLead(id), drill_chart::kEndRow) << t;
            if (t > tap_drill::kSmallestTarget && t <= tap_drill::kLargestTarget) {
                ASSERT_LT(g.guideRow, drill_chart::kEndRow) << t;
            }
        }
    }
}

}  // namespace
}  // namespace torveld
