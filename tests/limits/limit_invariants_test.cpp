// Invariants over every row of every limit table: each filled class record is ordered (minor <
// pitch < major, maximum >= minimum), closer classes are no wider than normal ones, the external
// thread clears the internal thread of its class pair, zeros stand exactly where a table holds no
// class, and the reference rows and full tables hold their values exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "limit_tables.h"
#include "series.h"
#include "thread_classes.h"

namespace torveld {
namespace {

using Opt = std::optional<double>;

// One class of one size: the limits of its three diameters, where the table has them.
struct Record {
    std::string name;
    Opt majorMax, majorMin, pitchMax, pitchMin, minorMax, minorMin;
};

struct RowClasses {
    std::optional<Record> extNormal, extClose, intNormal, intClose;
};

RowClasses classesOf(const ThreadSeries& s, int r) {
    const LimitTable& t = *s.firstTable;
    auto T = [&](int c) -> Opt { return t.stored(r, c); };
    auto U = [&](int c) -> Opt { return s.secondTable->stored(r, c); };
    RowClasses rc;
    switch (s.family) {
        case SeriesFamily::Unified:
        case SeriesFamily::UNS:
            rc.extNormal = Record{"2A", T(0), T(1), T(2), T(3), T(4), {}};
            rc.intNormal = Record{"2B", {}, T(9), T(8), T(7), T(6), T(5)};
            if (s.secondTable != nullptr) {
                rc.extClose = Record{"3A", U(0), U(1), U(2), U(3), U(4), {}};
                rc.intClose = Record{"3B", {}, T(9), U(6), T(7), U(5), T(5)};
            }
            break;
        case SeriesFamily::IsoMetric: {
            const SizeRow size = sizeRow(s.id, r);
            const double d = testing::metricDiameter(size.designation);
            const double p = leadingNumber(size.pitchText);
            const testing::IsoPlan plan =
                s.id == series::ISO_COARSE ? testing::isoCoarsePlan(d) : testing::isoFinePlan(d, p);
            // Column 4 is the minimum minor diameter d3 of the external thread.
            rc.extNormal = Record{"6g", T(0), T(1), T(2), T(3), {}, T(4)};
            if (plan.normalInternalGrade)
                rc.intNormal = Record{std::to_string(plan.normalInternalGrade) + "H",
                                      {},
                                      T(9),
                                      T(8),
                                      T(7),
                                      T(6),
                                      T(5)};
            if (!plan.closeExternal.empty())
                rc.extClose = Record{plan.closeExternal, U(0), U(1), U(2), U(3), {}, U(4)};
            if (plan.closeInternalGrade)
                rc.intClose = Record{std::to_string(plan.closeInternalGrade) + "H",
                                     {},
                                     T(9),
                                     U(6),
                                     T(7),
                                     U(5),
                                     T(5)};
            break;
        }
        case SeriesFamily::UNJ:
            rc.extClose = Record{"3A", T(0), T(1), T(2), T(3), T(4), T(8)};
            rc.intClose = Record{"3B", {}, T(0), T(7), T(2), T(6), T(5)};
            break;
        case SeriesFamily::StraightPipe:
            if (s.id == series::NPSM) {
                rc.extNormal = Record{"A", T(0), T(1), T(2), T(3), {}, {}};
                rc.intNormal = Record{"B", {}, {}, T(7), T(6), T(5), T(4)};
            } else {
                rc.extNormal = Record{"A", T(0), {}, T(1), T(2), {}, {}};
                rc.intNormal = Record{"B", {}, {}, T(5), T(4), {}, T(3)};
            }
            break;
        case SeriesFamily::Acme:
            rc.extNormal = Record{"2G", T(0), T(1), T(2), T(3), T(4), T(10)};
            rc.intNormal = Record{"2G", T(11), T(9), T(8), T(7), T(6), T(5)};
            if (s.id == series::ACME) {
                rc.extClose = Record{"4G", T(0), T(1), U(0), U(1), T(4), U(3)};
                rc.intClose = Record{"4G", T(11), T(9), U(2), T(7), T(6), T(5)};
            }
            break;
        case SeriesFamily::UNM:
            rc.extNormal = Record{"UNM", T(0), T(1), T(2), T(3), T(4), T(5)};
            rc.intNormal = Record{"UNM", T(11), T(10), T(9), T(8), T(7), T(6)};
            break;
        case SeriesFamily::ThreadInsert:
            rc.intNormal = Record{"2B", T(7), {}, T(4), T(2), T(6), T(5)};
            rc.intClose = Record{"3B", T(7), {}, T(3), T(2), T(6), T(5)};
            break;
        default:
            break;
    }
    return rc;
}

// Single-precision storage.
constexpr double kSlack = 1e-6;
// The 2B internal minor maximum is written to three places and the 3B one to four, so the two
// minor tolerances may differ by that rounding (10-32 UNF: 2B 0.156-0.164, 3B 0.156-0.1641).
constexpr double kMinorRounding = 0.0005;

void checkRecord(const Record& rec, const std::string& where) {
    SCOPED_TRACE(where + " class " + rec.name);
    for (const Opt& v :
         {rec.majorMax, rec.majorMin, rec.pitchMax, rec.pitchMin, rec.minorMax, rec.minorMin})
        if (v) {
            EXPECT_GT(*v, 0.0) << "a filled class holds a zero or negative limit";
        }
    // Limits of the same kind are ordered across the diameters: the smaller limits (or the
    // only one given) minor < pitch < major, and so the larger ones.
    auto low = [](const Opt& mx, const Opt& mn) { return mn ? mn : mx; };
    auto high = [](const Opt& mx, const Opt& mn) { return mx ? mx : mn; };
    const Opt ends[2][3] = {
        {low(rec.minorMax, rec.minorMin), low(rec.pitchMax, rec.pitchMin),
         low(rec.majorMax, rec.majorMin)},
        {high(rec.minorMax, rec.minorMin), high(rec.pitchMax, rec.pitchMin),
         high(rec.majorMax, rec.majorMin)},
    };
    ASSERT_TRUE(ends[0][1].has_value()) << "a class without pitch limits";
    for (const auto& end : ends) {
        if (end[0]) {
            EXPECT_LT(*end[0], *end[1]) << "minor reaches the pitch diameter";
        }
        if (end[2]) {
            EXPECT_LT(*end[1], *end[2]) << "pitch reaches the major diameter";
        }
    }
    const std::pair<Opt, Opt> pairs[] = {
        {rec.majorMax, rec.majorMin}, {rec.pitchMax, rec.pitchMin}, {rec.minorMax, rec.minorMin}};
    for (const auto& [mx, mn] : pairs)
        if (mx && mn) {
            EXPECT_GE(*mx, *mn) << "maximum below minimum";
        }
}

void checkCloseNoWider(const Record& normal, const Record& close, const std::string& where) {
    SCOPED_TRACE(where + " " + close.name + " against " + normal.name);
    const std::pair<std::pair<Opt, Opt>, std::pair<Opt, Opt>> pairs[] = {
        {{normal.majorMax, normal.majorMin}, {close.majorMax, close.majorMin}},
        {{normal.pitchMax, normal.pitchMin}, {close.pitchMax, close.pitchMin}},
        {{normal.minorMax, normal.minorMin}, {close.minorMax, close.minorMin}},
    };
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
        const auto& [n, c] = pairs[i];
        const double slack = kSlack + (i == 2 ? kMinorRounding : 0.0);
        if (n.first && n.second && c.first && c.second) {
            EXPECT_LE(*c.first - *c.second, *n.first - *n.second + slack)
                << "close-class tolerance wider than the normal one";
        }
    }
}

void checkClearance(const Record& ext, const Record& in, const std::string& where) {
    SCOPED_TRACE(where + " " + ext.name + " against " + in.name);
    if (ext.majorMax && in.majorMin) {
        EXPECT_LE(*ext.majorMax, *in.majorMin + kSlack) << "major diameters interfere";
    }
    if (ext.pitchMax && in.pitchMin) {
        EXPECT_LE(*ext.pitchMax, *in.pitchMin + kSlack) << "pitch diameters interfere";
    }
    if (ext.minorMax && in.minorMin) {
        EXPECT_LE(*ext.minorMax, *in.minorMin + kSlack) << "minor diameters interfere";
    }
}

TEST(LimitTablesInvariants, EveryClassRecordIsOrderedNestedAndClears) {
    int records = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const ThreadSeries& s = seriesById(id);
        for (int r = 0; r < s.firstTable->rows; ++r) {
            const RowClasses rc = classesOf(s, r);
            const std::string where = std::string(s.name) + " " +
                                      std::string(sizeRow(id, r).designation) + "-" +
                                      std::string(sizeRow(id, r).pitchText);
            for (const auto* rec : {&rc.extNormal, &rc.extClose, &rc.intNormal, &rc.intClose}) {
                if (*rec) {
                    checkRecord(**rec, where);
                    ++records;
                }
            }
            if (rc.extNormal && rc.extClose) checkCloseNoWider(*rc.extNormal, *rc.extClose, where);
            if (rc.intNormal && rc.intClose) checkCloseNoWider(*rc.intNormal, *rc.intClose, where);
            if (rc.extNormal && rc.intNormal) checkClearance(*rc.extNormal, *rc.intNormal, where);
            if (rc.extClose && rc.intClose) checkClearance(*rc.extClose, *rc.intClose, where);
        }
    }
    EXPECT_GT(records, 2600);
}

TEST(LimitTablesInvariants, RowsRunParallelToTheSizeTables) {
    int cells = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const ThreadSeries& s = seriesById(id);
        for (const LimitTable* t : {s.firstTable, s.secondTable}) {
            if (t == nullptr) continue;
            EXPECT_EQ(t->rows, sizeCount(id)) << t->name;
        }
    }
    for (const LimitTable* t : limits::kAll) cells += t->rows * t->columns;
    EXPECT_EQ(cells, 14906);  // 12361 of the 23 series, 2545 of G, R and Tr
}

// The cells that hold 0 because the series offers no such class for the size, and no others.
std::set<std::pair<int, int>> expectedZeros(const LimitTable& t) {
    std::set<std::pair<int, int>> zeros;
    auto add = [&](int row, std::initializer_list<int> columns) {
        for (int c : columns) zeros.insert({row, c});
    };
    if (&t == &limits::isoFineFirst) {
        for (int r = 0; r <= 5; ++r) add(r, {6, 8});  // M1 to M1.8: no normal internal class
    } else if (&t == &limits::isoCoarseSecond) {
        for (int r = 32; r <= 39; ++r) add(r, {5, 6});  // M42 to M100: no close internal class
    } else if (&t == &limits::isoFineSecond) {
        add(22, {0, 1, 2, 3, 4, 5, 6});  // M12x1.5
        add(37, {0, 1, 2, 3, 4, 5, 6});  // M35x1.5
        for (int r = 0; r < t.rows; ++r) {
            const SizeRow size = sizeRow(series::ISO_FINE, r);
            if (testing::isoFineArrangement(testing::metricDiameter(size.designation),
                                            leadingNumber(size.pitchText)) == 'D')
                add(r, {5, 6});
        }
    } else if (&t == &limits::nptf) {
        for (int r = 12; r <= 18; ++r) add(r, {5});  // 3 1/2 to 12: length not available
    }
    return zeros;
}

TEST(LimitTablesInvariants, ZerosStandExactlyWhereAClassIsMissing) {
    for (const LimitTable* t : limits::kAll) {
        const std::set<std::pair<int, int>> expected = expectedZeros(*t);
        std::set<std::pair<int, int>> actual;
        for (int r = 0; r < t->rows; ++r)
            for (int c = 0; c < t->columns; ++c)
                if (t->stored(r, c) == 0.0f) actual.insert({r, c});
        EXPECT_EQ(actual, expected) << t->name;
    }
    // ISO FINE second table: columns 5 and 6 are empty in 41 rows, two of them entirely.
    int emptyClose = 0;
    for (int r = 0; r < limits::isoFineSecond.rows; ++r)
        if (limits::isoFineSecond.stored(r, 5) == 0.0f &&
            limits::isoFineSecond.stored(r, 6) == 0.0f)
            ++emptyClose;
    EXPECT_EQ(emptyClose, 41);
}

struct ReferenceRow {
    const LimitTable* table;
    int row;
    std::vector<float> cells;
};

TEST(LimitTablesInvariants, ReferenceRowsHoldTheirValuesExactly) {
    const ReferenceRow rows[] = {
        {&limits::uncFirst,
         9,
         {0.2489f, 0.2408f, 0.2164f, 0.2127f, 0.1876f, 0.196f, 0.207f, 0.2175f, 0.2223f, 0.25f}},
        {&limits::uncSecond, 9, {0.25f, 0.2419f, 0.2175f, 0.2147f, 0.1887f, 0.2067f, 0.2211f}},
        {&limits::isoCoarseFirst,
         18,
         {9.968f, 9.732f, 8.994f, 8.862f, 7.938f, 8.376f, 8.676f, 9.026f, 9.206f, 10.0f}},
        {&limits::isoCoarseSecond, 18, {10.0f, 9.85f, 9.026f, 8.941f, 8.018f, 8.612f, 9.166f}},
        {&limits::unjc,
         9,
         {0.25f, 0.2419f, 0.2175f, 0.2147f, 0.1922f, 0.2013f, 0.2121f, 0.2211f, 0.1864f}},
        {&limits::npsm,
         3,
         {0.823f, 0.813f, 0.7769f, 0.7718f, 0.747f, 0.759f, 0.7784f, 0.7851f, 0.84f}},
        {&limits::npsl, 3, {0.844f, 0.7963f, 0.7896f, 0.753f, 0.8008f, 0.8075f, 0.84f}},
        {&limits::acmeFirst,
         8,
         {1.0f, 0.99f, 0.892f, 0.8726f, 0.78f, 0.8f, 0.81f, 0.9f, 0.9194f, 1.02f, 0.7509f, 1.04f}},
        {&limits::acmeSecond, 8, {0.896f, 0.8895f, 0.9065f, 0.7703f}},
        {&limits::stubAcme,
         8,
         {1.0f, 0.99f, 0.932f, 0.9126f, 0.86f, 0.88f, 0.89f, 0.94f, 0.9594f, 1.02f, 0.8406f,
          1.0394f, 0.13012f}},
        {&limits::unm,
         10,
         {1.0f, 0.964f, 0.838f, 0.81f, 0.7f, 0.652f, 0.74f, 0.832f, 0.838f, 0.866f, 1.018f,
          1.068f}},
        {&limits::bsw, 6, {0.5f, 0.4466f, 0.3932f}},
        {&limits::bsf, 7, {0.5f, 0.46f, 0.42f}},
        {&limits::ba, 0, {6.0f, 5.4f, 4.8f}},
        {&limits::uncSti, 8, {0.31f, 0.34f, 0.2825f, 0.2851f, 0.2864f, 0.2608f, 0.2704f, 0.3187f}},
        {&limits::uns,
         0,
         {0.189f, 0.1825f, 0.1658f, 0.1625f, 0.1452f, 0.151f, 0.16f, 0.1668f, 0.1711f, 0.19f}},
    };
    for (const ReferenceRow& ref : rows) {
        ASSERT_EQ(static_cast<int>(ref.cells.size()), ref.table->columns) << ref.table->name;
        for (int c = 0; c < ref.table->columns; ++c)
            EXPECT_EQ(ref.table->stored(ref.row, c), ref.cells[static_cast<std::size_t>(c)])
                << ref.table->name << " row " << ref.row << " column " << c;
    }
    // Widened to double the stored single-precision value is not the decimal one.
    EXPECT_DOUBLE_EQ(limits::uncFirst.read(9, 0), 0.24889999628067017);
    EXPECT_DOUBLE_EQ(limits::isoCoarseFirst.read(18, 0), static_cast<double>(9.968f) / 25.4);
}

// BSW and BSF basic sizes: every cell is fixed by the size and pitch. The major diameter is the
// nominal size to four places (half to even: 9/32 is 0.2812), the effective diameter
// D - 0.640327 P to four places, and the minor diameter twice the effective less the major.
TEST(LimitTablesInvariants, WhitworthBasicSizesFollowTheProfile) {
    for (SeriesId id : {series::BSW, series::BSF}) {
        const LimitTable& t = *seriesById(id).firstTable;
        for (int r = 0; r < t.rows; ++r) {
            const SizeRow size = sizeRow(id, r);
            const double d = testing::inchDesignation(size.designation);
            SCOPED_TRACE(std::string(seriesById(id).name) + " " + std::string(size.designation));
            const double major = t.stored(r, 0), effective = t.stored(r, 1), minor = t.stored(r, 2);
            EXPECT_NEAR(major, d, 0.00005 + 1e-7);
            EXPECT_NEAR(effective, std::round((d - 0.640327 * size.pitchInches) * 1e4) / 1e4, 1e-6);
            EXPECT_NEAR(minor, 2 * effective - major, 1e-6);
        }
    }
    // BA: depth 0.6 P, minor = major - 1.2 P to two places, effective the mean of the two.
    const LimitTable& ba = limits::ba;
    for (int r = 0; r < ba.rows; ++r) {
        const double p = leadingNumber(sizeRow(series::BA, r).pitchText);
        const double major = ba.stored(r, 0), effective = ba.stored(r, 1), minor = ba.stored(r, 2);
        EXPECT_NEAR(minor, std::round((major - 1.2 * p) * 100) / 100, 1e-5) << "BA row " << r;
        EXPECT_NEAR(effective, (major + minor) / 2, 1e-5) << "BA row " << r;
    }
}

// The NPT and NPTF tables as the product carries them, in full.
TEST(LimitTablesInvariants, PipeTablesHoldTheirValuesExactly) {
    const float npt[19][7] = {
        {0.3125f, 0.2416f, 0.16f, 0.1111f, 0.111f, 0.3896f, 0.312f},
        {0.405f, 0.3339f, 0.1615f, 0.1111f, 0.111f, 0.3924f, 0.312f},
        {0.54f, 0.4329f, 0.2278f, 0.1667f, 0.102f, 0.5946f, 0.459f},
        {0.675f, 0.5676f, 0.24f, 0.1667f, 0.102f, 0.6006f, 0.454f},
        {0.84f, 0.7013f, 0.32f, 0.2143f, 0.09f, 0.7815f, 0.579f},
        {1.05f, 0.9105f, 0.339f, 0.2143f, 0.09f, 0.7935f, 0.565f},
        {1.315f, 1.1441f, 0.4f, 0.2609f, 0.084f, 0.9845f, 0.678f},
        {1.66f, 1.4876f, 0.42f, 0.2609f, 0.084f, 1.0085f, 0.686f},
        {1.9f, 1.7265f, 0.42f, 0.2609f, 0.084f, 1.0252f, 0.699f},
        {2.375f, 2.1995f, 0.436f, 0.2609f, 0.084f, 1.0582f, 0.667f},
        {2.875f, 2.6195f, 0.682f, 0.25f, 0.072f, 1.5713f, 0.925f},
        {3.5f, 3.2406f, 0.766f, 0.25f, 0.072f, 1.6337f, 0.925f},
        {4.0f, 3.7375f, 0.821f, 0.25f, 0.072f, 1.6837f, 0.938f},
        {4.5f, 4.2344f, 0.844f, 0.25f, 0.072f, 1.7337f, 0.95f},
        {5.563f, 5.2907f, 0.937f, 0.25f, 0.072f, 1.8407f, 0.95f},
        {6.625f, 6.3461f, 0.958f, 0.25f, 0.072f, 1.9467f, 0.95f},
        {8.625f, 8.3336f, 1.063f, 0.25f, 0.072f, 2.1467f, 0.95f},
        {10.75f, 10.4453f, 1.21f, 0.25f, 0.072f, 2.3587f, 0.95f},
        {12.75f, 12.4328f, 1.36f, 0.25f, 0.072f, 2.5587f, 0.95f},
    };
    // NPTF differs from NPT in columns 3 (shoulder length) and 5 (overall internal length).
    const float nptf35[19][2] = {
        {0.3722f, 0.2711f}, {0.375f, 0.2726f},  {0.5685f, 0.3945f}, {0.5745f, 0.4067f},
        {0.748f, 0.5343f},  {0.76f, 0.5533f},   {0.7698f, 0.6609f}, {0.7938f, 0.6809f},
        {0.8105f, 0.6809f}, {0.8435f, 0.6969f}, {1.5125f, 1.057f},  {1.575f, 1.141f},
        {1.625f, 0.0f},     {1.675f, 0.0f},     {1.7813f, 0.0f},    {1.8875f, 0.0f},
        {2.0875f, 0.0f},    {2.3f, 0.0f},       {2.5f, 0.0f},
    };
    for (int r = 0; r < 19; ++r) {
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(limits::npt.stored(r, c), npt[r][c]) << "NPT row " << r << " column " << c;
            const float nptfValue = c == 3 ? nptf35[r][0] : c == 5 ? nptf35[r][1] : npt[r][c];
            EXPECT_EQ(limits::nptf.stored(r, c), nptfValue) << "NPTF row " << r << " column " << c;
        }
    }
}

// The millimetre tables are converted when read; the inch tables are not.
TEST(LimitTablesInvariants, MillimetreTablesAreReadInInches) {
    for (const LimitTable* t : limits::kAll) {
        const double factor = t->millimetres ? 25.4 : 1.0;
        EXPECT_DOUBLE_EQ(t->read(0, 0) * factor, static_cast<double>(t->stored(0, 0))) << t->name;
    }
    EXPECT_TRUE(limits::isoCoarseFirst.millimetres && limits::isoFineSecond.millimetres &&
                limits::unm.millimetres && limits::ba.millimetres);
    EXPECT_FALSE(limits::uncFirst.millimetres || limits::bsw.millimetres ||
                 limits::npt.millimetres);
}

// Each table carries the statement of where its values come from, naming its standard, and
// only its own cell notes: a note of one table in another's provenance would misstate it.
TEST(LimitTablesProvenance, EachTableNamesItsStandardAndOnlyItsOwnNotes) {
    const std::pair<const LimitTable*, const char*> standards[] = {
        {&limits::uncFirst, "ASME B1.1"}, {&limits::uns, "ASME B1.1"},
        {&limits::unjc, "ASME B1.15"},    {&limits::npt, "B1.20.1"},
        {&limits::npsl, "B1.20.1"},       {&limits::acmeSecond, "ASME B1.5"},
        {&limits::stubAcme, "ASME B1.8"}, {&limits::isoFineSecond, "ISO 965-1"},
        {&limits::unm, "ASME B1.10M"},    {&limits::bsf, "BS 84"},
        {&limits::ba, "BS 93"},           {&limits::unfSti, "B1.1 class 2A"},
    };
    for (const auto& [table, standard] : standards) {
        EXPECT_NE(std::string(table->provenance).find(standard), std::string::npos)
            << table->name << " does not name " << standard;
    }
    for (const LimitTable* t : limits::kAll) {
        ASSERT_NE(t->provenance, nullptr) << t->name;
        EXPECT_GT(std::string(t->provenance).size(), 100u) << t->name;
    }
    // The 10-32 UNF digit slip is a note of the 2A/2B table only; the NPSL sizes by formula are
    // NPSL's, not NPSM's, though both tables share their file.
    const std::string slip = "10-32 UNF ext_pitch_max";
    EXPECT_NE(std::string(limits::unfFirst.provenance).find(slip), std::string::npos);
    EXPECT_EQ(std::string(limits::unfSecond.provenance).find(slip), std::string::npos);
    EXPECT_EQ(std::string(limits::uncFirst.provenance).find(slip), std::string::npos);
    EXPECT_NE(std::string(limits::npsl.provenance).find("17 sizes by formula"), std::string::npos);
    EXPECT_EQ(std::string(limits::npsm.provenance).find("17 sizes by formula"), std::string::npos);
}

}  // namespace
}  // namespace torveld
