// Invariants over every size of every series: diameters in order within each class record,
// means, close-class bands no wider than normal ones, external maximums no larger than internal
// minimums, sound pipe diameters, and a guide drill that is always a row of the chart.
//
// A value the results do not hold (a table cell of 0 is no value) skips the comparisons it would
// take part in. A table row holding no value at all is a fault of the data unless it is one of
// the documented rows without values.
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "calc_test_support.h"
#include "tap_drill.h"

namespace torveld {
namespace {

using testing::calculated;
using testing::v;

constexpr double kSlack = 1e-6;  // table values are written to four decimals

struct Checker {
    std::string where;
    int comparisons = 0;

    // a <= b (or a < b when strict), where both have a value.
    void ordered(const Length& a, const Length& b, const char* what, bool strict = false) {
        if (!a || !b) return;
        ++comparisons;
        if (strict) {
            EXPECT_LT(*a, *b) << where << ": " << what;
        } else {
            EXPECT_LE(*a, *b + kSlack) << where << ": " << what;
        }
    }

    static Length minorTop(const ExternalLimits& e) { return e.minorMax ? e.minorMax : e.minorRef; }

    // A mean lies halfway between its limits, and has no value when a limit is missing.
    void mean(const Length& a, const Length& b, const Length& m, const char* what) {
        ++comparisons;
        if (!a || !b) {
            EXPECT_FALSE(m) << where << ": " << what;
        } else {
            ASSERT_TRUE(m) << where << ": " << what;
            EXPECT_NEAR(*m, (*a + *b) / 2, 1e-15) << where << ": " << what;
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

    // The width of a band; no value when either limit is missing.
    static Length band(const Length& min, const Length& max) {
        if (!min || !max) return std::nullopt;
        return *max - *min;
    }
    static Length less(const Length& a, double amount) {
        if (!a) return std::nullopt;
        return *a - amount;
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
        ordered(less(band(r.intClose.minorMin, r.intClose.minorMax), 0.0001),
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
        const double t = tap_drill::guideTarget(id, r).value_or(0.0);
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
    int comparisons = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const ThreadSeries& s = seriesById(id);
        for (int row = 0; row < sizeCount(id); ++row) {
            const std::optional<ThreadResults> calculated = calculate(Selection{id, row});
            ASSERT_TRUE(calculated) << s.name << " row " << row;
            const ThreadResults& r = *calculated;
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
    }
    std::cout << "checked " << checkedRows << " size rows (" << comparisons << " comparisons)\n";
    RecordProperty("checkedRows", checkedRows);
    EXPECT_EQ(checkedRows, 1015 + 24 + 15 + 185);  // with G, R and Tr
}

// A row of 0s is what a generator fault would leave; only the documented rows may hold no value,
// and the calculation gives no value for the class they would hold.
TEST(Invariants, NoTableRowIsEmptyButTheDocumentedOnes) {
    const auto documented = [](const LimitTable* table, int row) {
        for (const limits::RowWithoutValues& d : limits::kRowsWithoutValues) {
            if (d.table == table && d.row == row) return true;
        }
        return false;
    };
    for (const LimitTable* table : limits::kAll) {
        for (int row = 0; row < table->rows; ++row) {
            EXPECT_EQ(testing::rowIsEmpty(*table, row), documented(table, row))
                << table->name << " row " << row;
        }
    }
    for (const limits::RowWithoutValues& d : limits::kRowsWithoutValues) {
        ASSERT_EQ(d.table, &limits::isoFineSecond) << d.table->name;
        const ThreadResults r = calculated(series::ISO_FINE, d.row);
        EXPECT_EQ(r.extClose, ExternalLimits{}) << d.row;
        EXPECT_FALSE(r.intClose.pitchMax) << d.row;
        EXPECT_FALSE(r.intClose.minorMax) << d.row;
    }
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
