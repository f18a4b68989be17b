// The engine beyond the standards' tabulated combinations: ISO metric pitches that ISO 965-1's
// pitch-diameter tables do not list for the diameter range (its formulas), Acme diameters between
// the standard sizes (B1.5's allowance ranges) and the UN constant-pitch series at any diameter
// they cover. Expected values come from the published tables where one holds the thread, else
// from the derivation written beside them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "iso_formula.h"
#include "series.h"
#include "special_test_support.h"

namespace torveld {
namespace {

using special::Series;
using testing::calculateOne;
using testing::limitOf;

std::string textOf(const special::Result& r, const std::string& cls, const std::string& q) {
    const std::optional<special::Limit> limit = limitOf(r, cls, q);
    return limit ? limit->text() : std::string("(none)");
}

bool says(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// ---------------------------------------------------------------------------------------------
// ISO metric

// The formula and rounding reproduce the ISO 965-1 pitch-diameter tables, read here from the
// reference files, in all but the hand-adjusted cells. 446 of the 501 cells of Tables 5 and 6:
// with the 154 of 171 of Tables 3 and 4 (TD1, Td, the same rounding) that makes the 72 of 672
// differing cells the reference notes (formulas.md 3.3).
TEST(SpecialIsoFormula, ReproducesMostOfTheTables) {
    int cells = 0;
    int equal = 0;
    for (const auto& [file, internal] : {std::pair{"Td2_external_pitch_um.csv", false},
                                         std::pair{"TD2_internal_pitch_um.csv", true}}) {
        const auto rows = testing::readCsv(std::string(TORVELD_TEST_DATA_DIR) + "/iso965/" + file);
        ASSERT_FALSE(rows.empty()) << file;
        for (const auto& row : rows) {
            const double over = *testing::csvNumber(row, "d_over_mm");
            const double upto = *testing::csvNumber(row, "d_upto_mm");
            const double p = *testing::csvNumber(row, "pitch_mm");
            const int six = special::iso::r40(special::iso::td2GradeSix(p, over, upto));
            for (int grade = 3; grade <= 9; ++grade) {
                const std::optional<double> cell =
                    testing::csvNumber(row, "grade" + std::to_string(grade));
                if (!cell) continue;
                ++cells;
                if (special::iso::pitchTolerance(internal, grade, six) == std::lround(*cell))
                    ++equal;
            }
        }
    }
    std::printf("ISO 965-1 Tables 5 and 6 reproduced by the formula: %d of %d cells\n", equal,
                cells);
    EXPECT_EQ(cells, 501);
    EXPECT_EQ(equal, 446);
}

TEST(SpecialIsoFormula, RoundsToR40OnTheLogarithmicScale) {
    // 1.32 x 132 = 174.24: 40 log10 = 89.64, step 90, R40 1.80 -> 180 (the table's TD2(6) of
    // M10x1.5), although 174.24 lies nearer 170 on the arithmetic scale.
    EXPECT_EQ(special::iso::r40(174.24), 180);
    // 92.05: 40 log10 = 78.56, step 79 = 39 + 40, R40 9.50 -> 95.
    EXPECT_EQ(special::iso::r40(92.05), 95);
    // Under 100 um whole micrometres, a half to the even one: R40 4.25 -> 42 (42.3: step 65),
    // 4.75 -> 48 (47.3: step 67), 1.06 -> 11 (10.5: step 41).
    EXPECT_EQ(special::iso::r40(42.3), 42);
    EXPECT_EQ(special::iso::r40(47.3), 48);
    EXPECT_EQ(special::iso::r40(10.5), 11);
    EXPECT_EQ(special::iso::r40(1000.0), 1000);
    EXPECT_EQ(special::iso::r40(0.0), 0);
    // Derived grades from the rounded grade 6: TD2(6) = R40(1.32 x 132) = 180, Td2(4) = R40(0.63
    // x 132 = 83.2) = 85, Td2(6) is the value itself.
    EXPECT_EQ(special::iso::pitchTolerance(true, 6, 132), 180);
    EXPECT_EQ(special::iso::pitchTolerance(false, 4, 132), 85);
    EXPECT_EQ(special::iso::pitchTolerance(false, 6, 132), 132);
    EXPECT_EQ(special::iso::pitchTolerance(true, 9, 132), 0);
}

// M8x0.5: the range over 5.6 up to 11.2 mm lists P 0.75 to 1.5 only. The published 6g/6H and
// 4g6g rows of M8x0.5 are those of the formula: Td2(6) = 90 x 0.5^0.4 x 7.9196^0.1 (the
// geometric mean of 5.6 and 11.2) = 83.89 -> R40 85; Td2(4) = R40(0.63 x 85 = 53.6) = 53;
// TD2(6) = R40(1.32 x 85 = 112.2) = 112.
TEST(SpecialIsoFormula, UnlistedPitchAgreesWithThePublishedRows) {
    const std::string_view classes[] = {"6g", "6H", "4g6g"};
    const special::Result r = special::calculate({Series::Metric, 8.0, 0.5}, classes);
    ASSERT_TRUE(r.ok()) << r.refusal;
    const struct {
        const char* cls;
        const char* quantity;
        const char* published;  // ISO_M_6g6H.csv, ISO_M_4g6g.csv
    } cells[] = {
        {"6g", "ext_major_max", "7.980"},   {"6g", "ext_major_min", "7.874"},
        {"6g", "ext_pitch_max", "7.655"},   {"6g", "ext_pitch_min", "7.570"},
        {"6g", "ext_minor_ref", "7.262"},   {"6H", "int_minor_min", "7.459"},
        {"6H", "int_minor_max", "7.599"},   {"6H", "int_pitch_min", "7.675"},
        {"6H", "int_pitch_max", "7.787"},   {"6H", "int_major_min", "8.000"},
        {"4g6g", "ext_pitch_min", "7.602"}, {"4g6g", "ext_minor_ref", "7.294"},
    };
    for (const auto& c : cells)
        EXPECT_EQ(textOf(r, c.cls, c.quantity), c.published) << c.cls << " " << c.quantity;
}

// M28.5x0.6 (a filter thread): the range over 22.4 up to 45 mm lists P 1 to 4.5 mm. No
// published row; by hand: d = sqrt(22.4 x 45) = 31.749, Td2(6) = 90 x 0.6^0.4 (0.81519) x
// 31.749^0.1 (1.41308) = 103.67 -> step 81 -> R40 1.06 -> 106 um; TD2(6) = R40(1.32 x 106 =
// 139.9) = 140; Td2(4) = R40(0.63 x 106 = 66.8) = 67; TD2(7) = R40(1.7 x 106 = 180.2) = 180.
// By pitch (Tables 1, 3, 4): es(g) -21, Td(6) 125, Td(4) 80, TD1(6) 160, TD1(7) 200 um.
// d2 = 28.5 - 0.649519 x 0.6 = 28.110289, D1 = 28.5 - 1.082532 x 0.6 = 27.850481.
//   6g: d 28.479 / 28.354, d2 28.089289 -> 28.089 / 27.983289 -> 27.983,
//       d3 min 27.983289 - 0.616025 x 0.6 = 27.613674 -> 27.614
//   4h: d 28.500 / 28.420, d2 28.110 / 28.043289 -> 28.043, d3 27.673674 -> 27.674
//   6H: D1 27.850 / 28.010481 -> 28.010, D2 28.110 / 28.250289 -> 28.250, D 28.500
//   7H: D1 max 28.050481 -> 28.050, D2 max 28.290289 -> 28.290
TEST(SpecialIsoFormula, FilterThreadByHand) {
    const std::string_view classes[] = {"6g", "4h", "6H", "7H"};
    const special::Result r = special::calculate({Series::Metric, 28.5, 0.6}, classes);
    ASSERT_TRUE(r.ok()) << r.refusal;
    const struct {
        const char* cls;
        const char* quantity;
        const char* value;
    } cells[] = {
        {"6g", "ext_major_max", "28.479"}, {"6g", "ext_major_min", "28.354"},
        {"6g", "ext_pitch_max", "28.089"}, {"6g", "ext_pitch_min", "27.983"},
        {"6g", "ext_minor_ref", "27.614"}, {"4h", "ext_major_max", "28.500"},
        {"4h", "ext_major_min", "28.420"}, {"4h", "ext_pitch_max", "28.110"},
        {"4h", "ext_pitch_min", "28.043"}, {"4h", "ext_minor_ref", "27.674"},
        {"6H", "int_minor_min", "27.850"}, {"6H", "int_minor_max", "28.010"},
        {"6H", "int_pitch_min", "28.110"}, {"6H", "int_pitch_max", "28.250"},
        {"6H", "int_major_min", "28.500"}, {"7H", "int_minor_max", "28.050"},
        {"7H", "int_pitch_max", "28.290"},
    };
    for (const auto& c : cells)
        EXPECT_EQ(textOf(r, c.cls, c.quantity), c.value) << c.cls << " " << c.quantity;
    // The provenance says which tolerances came from the formula, and why.
    EXPECT_TRUE(says(r.provenance, "list no P 0.6 mm for diameters over 22.4 up to 45 mm"))
        << r.provenance;
    EXPECT_TRUE(says(r.provenance, "d = 31.749 mm")) << r.provenance;
    EXPECT_TRUE(says(r.provenance,
                     "Td2(6) 106 \u00b5m, Td2(4) 67 \u00b5m, TD2(6) 140 \u00b5m, "
                     "TD2(7) 180 \u00b5m"))
        << r.provenance;
    EXPECT_TRUE(says(r.provenance, "over 2.8 up to 5.6 mm (the nearest range that lists it)"))
        << r.provenance;
}

// Where the tables list the pitch they are used, with their hand adjustments, and the provenance
// names no formula.
TEST(SpecialIsoFormula, ListedPitchesKeepTheTables) {
    const special::Result m42 = special::calculate({Series::Metric, 42.0, 1.0});
    ASSERT_TRUE(m42.ok()) << m42.refusal;
    EXPECT_EQ(textOf(m42, "6g", "ext_pitch_min"), "41.199");  // published
    EXPECT_EQ(textOf(m42, "6H", "int_pitch_max"), "41.520");  // published
    EXPECT_FALSE(says(m42.provenance, "by formula")) << m42.provenance;
    // M5x0.5: the table's Td2(6) is 75 (a hand adjustment; the formula gives R40(78.3) = 80):
    // published 6g pitch minimum 4.480 = 4.675 - 0.020 - 0.075.
    const special::Result m5 = calculateOne(Series::Metric, 5.0, 0.5, "6g");
    EXPECT_EQ(textOf(m5, "6g", "ext_pitch_min"), "4.580");
    // M50x1: P 1 is not listed over 45 up to 90 mm; the nearest range listing it (22.4 to
    // 45 mm) gives TD2 grades 4 to 7 only, so 8H is refused and 7H given.
    const std::string_view classes[] = {"7H", "8H"};
    const special::Result m50 = special::calculate({Series::Metric, 50.0, 1.0}, classes);
    ASSERT_TRUE(m50.ok()) << m50.refusal;
    EXPECT_TRUE(m50.classes[0].ok()) << m50.classes[0].refusal;
    EXPECT_FALSE(m50.classes[1].ok());
}

// ---------------------------------------------------------------------------------------------
// Acme

// Between the standard diameters the external thread takes the allowance of B1.5's range that
// holds the diameter. The pitch-diameter maximum is the 4-place basic pitch diameter D - P/2
// less that allowance; the minimum subtracts the class tolerance 3.0 (2G) x (0.010 sqrt P +
// 0.002 sqrt D), unrounded, from it.
TEST(SpecialAcme, SpecialDiameterTakesTheAllowanceOfItsRange) {
    const struct {
        Series series;
        double d;
        double tpi;
        const char* cls;
        const char* pitchMax;
        const char* pitchMin;  // empty: not checked
        const char* size;      // the standard size(s) the provenance names
    } cases[] = {
        // 1.1-5: range over 1 1/16 up to 1 3/16 (1 1/8 in): 2G 0.0085; 1.0000 - 0.0085 = 0.9915;
        // tolerance 3 x (0.0044721 + 0.0020976) = 0.0197091 -> 0.9717909 -> 0.9718.
        {Series::Acme, 1.1, 5, "2G", "0.9915", "0.9718", "standard size 1 1/8 in"},
        // 3G of 1 1/8: 0.0064 -> 0.9936; tolerance 1.4 x 0.0065697 = 0.0091976 -> 0.9844.
        {Series::Acme, 1.1, 5, "3G", "0.9936", "0.9844", "standard size 1 1/8 in"},
        // 1 1/16 in belongs to the 1 in range (over 15/16 up to and including 1 1/16): 0.0080,
        // 1.0625 - 0.1 = 0.9625 - 0.0080 = 0.9545; just above it the 1 1/8 range, 0.0085.
        {Series::Acme, 1.0625, 5, "2G", "0.9545", "", "standard size 1 in"},
        {Series::Acme, 1.0626, 5, "2G", "0.9541", "", "standard size 1 1/8 in"},
        // 1.6-4 lies in the range of 1 3/4 (over 1 9/16 up to 1 7/8, whose middle 1 23/32 gives
        // 0.008 sqrt = 0.0105): 1.6 - 0.125 = 1.4750 - 0.0105 = 1.4645.
        {Series::Acme, 1.6, 4, "2G", "1.4645", "", "standard size 1 3/4 in"},
        // 0.3-16 shares the range of 1/4 and 5/16 (over 3/16 up to 5/16): 0.0040;
        // 0.3 - 0.03125 = 0.26875 -> 0.2688 (a tie, to the even digit) - 0.0040 = 0.2648.
        {Series::Acme, 0.3, 16, "2G", "0.2648", "", "standard sizes 1/4 and 5/16 in"},
        // 4.9-2 in the range of 5 (over 4 3/4): 2G 0.0181; 4.9 - 0.25 = 4.6500 - 0.0181.
        {Series::Acme, 4.9, 2, "2G", "4.6319", "", "standard size 5 in"},
        // Stub Acme takes the 2G allowance: 1.1 - 0.3 x 0.2 = 1.0400 - 0.0085 = 1.0315.
        {Series::StubAcme, 1.1, 5, "2G", "1.0315", "", "standard size 1 1/8 in"},
    };
    for (const auto& c : cases) {
        const special::Result r = calculateOne(c.series, c.d, c.tpi, c.cls);
        const std::string label = std::to_string(c.d) + "-" + std::to_string(c.tpi) + " " + c.cls;
        ASSERT_TRUE(r.ok()) << label << ": " << r.refusal;
        EXPECT_EQ(textOf(r, c.cls, "ext_pitch_max"), c.pitchMax) << label;
        if (*c.pitchMin) {
            EXPECT_EQ(textOf(r, c.cls, "ext_pitch_min"), c.pitchMin) << label;
        }
        EXPECT_TRUE(says(r.provenance, c.size)) << label << ": " << r.provenance;
    }
    const special::Result special = calculateOne(Series::Acme, 1.1, 5, "2G");
    EXPECT_TRUE(
        says(special.provenance, "for 1.1 in, the range over 1 1/16 up to and including 1 3/16 in"))
        << special.provenance;
    // Every class of a special diameter is given, external and internal.
    const special::Result all = special::calculate({Series::Acme, 1.1, 5});
    ASSERT_EQ(all.classes.size(), 8u);
    for (const auto& c : all.classes) EXPECT_TRUE(c.ok()) << c.name << ": " << c.refusal;
}

// Pitches coarser than a quarter of the diameter, which B1.5 and B1.8 do not exclude (vendors sell
// 5/8-6 and 3/4-5 Acme), are computed by the same formulas: every limit as derived by hand in
// tests/data/acme_coarse_pitch.csv. The bound is an external minor diameter left positive by the
// widest class: at 1/4 in, 5 threads per inch leaves 0.0054 (2G), 4 none.
TEST(SpecialAcme, CoarsePitchesAreComputedByTheSameFormulas) {
    const auto rows =
        testing::readCsv(std::string(TORVELD_TEST_DATA_DIR) + "/acme_coarse_pitch.csv");
    ASSERT_EQ(rows.size(), 4u);
    for (const auto& row : rows) {
        const Series series = row.at("series") == "ACME" ? Series::Acme : Series::StubAcme;
        const double d = *testing::csvNumber(row, "basic_major_in");
        const double tpi = *testing::csvNumber(row, "tpi");
        const std::string& cls = row.at("class");
        const special::Result r = calculateOne(series, d, tpi, cls);
        const std::string label =
            row.at("series") + " " + std::to_string(d) + "-" + std::to_string(tpi) + " " + cls;
        ASSERT_TRUE(r.ok()) << label << ": " << r.refusal;
        for (const auto& [quantity, expected] : row) {
            if (quantity.rfind("ext_", 0) != 0 && quantity.rfind("int_", 0) != 0) continue;
            EXPECT_EQ(textOf(r, cls, quantity), expected) << label << " " << quantity;
        }
    }
    // The edge at 1/4 in: 0.25 - 0.2 - 0.020 - 1.5 x 3 (0.010 sqrt 0.2 + 0.002 sqrt 0.25)
    // = 0.0053754 at 5 threads per inch; at 4, 0.25 - 0.25 - 0.020 - 1.5 x 3 (0.005 + 0.001)
    // = -0.0470.
    EXPECT_EQ(textOf(calculateOne(Series::Acme, 0.25, 5, "2G"), "2G", "ext_minor_min"), "0.0054");
    const special::Result none = calculateOne(Series::Acme, 0.25, 4, "2G");
    EXPECT_FALSE(none.ok());
    EXPECT_TRUE(says(none.refusal, "is -0.0470 in")) << none.refusal;
}

// ---------------------------------------------------------------------------------------------
// Unified constant-pitch series

// The diameter of a size-list designation, read here independently of the engine: "1 3/8",
// "5/16", "2", or a number size (No. 0 to 12: 0.060 + 0.013 n) where a list other than UN
// writes a whole number up to 12 with 24 threads per inch or finer.
double listedInches(std::string_view text, double tpi, bool unList) {
    double total = 0.0;
    bool fraction = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string part(text.substr(start, end - start));
        const std::size_t slash = part.find('/');
        if (slash == std::string::npos) {
            total += std::stod(part);
        } else {
            fraction = true;
            total += std::stod(part.substr(0, slash)) / std::stod(part.substr(slash + 1));
        }
        start = end + 1;
    }
    if (!unList && !fraction && total <= 12.0 && tpi >= 24.0 && std::floor(total) == total)
        return 0.060 + 0.013 * total;
    return total;
}

// The range of each constant-pitch series is that of the sizes with its pitch in the UNC, UNF,
// UNEF and UN lists; inside it a special diameter is computed, outside it UN is refused.
TEST(SpecialUnified, ConstantPitchRangesAreThoseOfTheSizeLists) {
    const struct {
        double tpi, smallest, largest;
    } expected[] = {{4, 2.5, 6.0},    {6, 1.375, 5.0}, {8, 1.0, 4.0},    {12, 0.5625, 6.0},
                    {16, 0.375, 6.0}, {20, 0.25, 3.0}, {28, 0.216, 1.5}, {32, 0.138, 1.0}};
    for (const auto& e : expected) {
        double smallest = 1e9;
        double largest = 0.0;
        for (const SeriesId id : {series::UNC, series::UNF, series::UNEF, series::UN}) {
            for (int row = 0; row < sizeCount(id); ++row) {
                const SizeRow size = sizeRow(id, row);
                if (std::fabs(pitchTextValue(size.pitchText) - e.tpi) > 1e-9) continue;
                const double d = listedInches(size.designation, e.tpi, id == series::UN);
                smallest = std::min(smallest, d);
                largest = std::max(largest, d);
            }
        }
        EXPECT_NEAR(smallest, e.smallest, 1e-9) << e.tpi;
        EXPECT_NEAR(largest, e.largest, 1e-9) << e.tpi;
        // Just inside each end a special UN size is computed; just outside it is refused.
        for (const double d : {e.smallest + 0.01, e.largest - 0.01}) {
            const special::Result r = calculateOne(Series::UN, d, e.tpi, "2A");
            EXPECT_TRUE(r.ok()) << d << "-" << e.tpi << ": " << r.refusal;
            EXPECT_TRUE(says(r.provenance, "constant-pitch series")) << r.provenance;
        }
        for (const double d : {e.smallest - 0.01, e.largest + 0.01})
            EXPECT_FALSE(calculateOne(Series::UN, d, e.tpi, "2A").ok()) << d << "-" << e.tpi;
    }
}

// The length of engagement of the constant-pitch series: LE = D for 4-, 6- and 8-UN, 9P with the
// size's diameter group for 12- to 32-UN. By hand (T2A = 0.0015 D^(1/3) + 0.0015 LE^(1/2) +
// 0.015 P^(2/3); allowance 0.3 T2A; each to 4 places; basic pitch diameter D - 0.649519 P):
//   1.1-8 UN, LE = D = 1.1: T2A = 0.0015484 + 0.0015732 + 0.00375 = 0.0068716 (0.0069),
//     allowance 0.0020615 (0.0021), basic 1.0188119 (1.0188): 2A 1.0167 / 1.0098, major
//     1.0979 / 1.0979 - 0.060 x 0.125^(2/3) (0.0150) = 1.0829.
//   2.6-4 UN, LE = D: T2A = 0.0020626 + 0.0024187 + 0.0059528 = 0.0104341 (0.0104), allowance
//     0.0031302 (0.0031), basic 2.4376203 (2.4376): 2A 2.4345 / 2.4241.
//   0.82-16 UN, LE = 9P = 0.5625, diameter term on the 3/4 group: T2A = 0.0013628 + 0.001125
//     + 0.0023624 = 0.0048502 (0.0049, as published for 13/16-16 UN), allowance 0.0014551
//     (0.0015), basic 0.7794051 (0.7794): 2A 0.7779 / 0.7730.
TEST(SpecialUnified, ConstantPitchSeriesAtAnyDiameter) {
    const struct {
        double d, tpi;
        const char* quantity;
        const char* value;
    } cells[] = {
        {1.1, 8, "ext_pitch_max", "1.0167"},   {1.1, 8, "ext_pitch_min", "1.0098"},
        {1.1, 8, "ext_major_max", "1.0979"},   {1.1, 8, "ext_major_min", "1.0829"},
        {2.6, 4, "ext_pitch_max", "2.4345"},   {2.6, 4, "ext_pitch_min", "2.4241"},
        {0.82, 16, "ext_pitch_max", "0.7779"}, {0.82, 16, "ext_pitch_min", "0.7730"},
    };
    for (const auto& c : cells) {
        const special::Result r = calculateOne(Series::UN, c.d, c.tpi, "2A");
        ASSERT_TRUE(r.ok()) << c.d << "-" << c.tpi << ": " << r.refusal;
        EXPECT_EQ(textOf(r, "2A", c.quantity), c.value) << c.d << "-" << c.tpi << " " << c.quantity;
    }
    EXPECT_TRUE(says(calculateOne(Series::UN, 1.1, 8, "2A").provenance, "LE = D = 1.1 in"));
    const special::Result fine = calculateOne(Series::UN, 0.82, 16, "2A");
    EXPECT_TRUE(says(fine.provenance, "LE = 9P")) << fine.provenance;
    EXPECT_TRUE(says(fine.provenance, "diameter term = 0.75 in")) << fine.provenance;
    EXPECT_TRUE(says(fine.provenance, "special diameter of the 16-UN constant-pitch series"))
        << fine.provenance;
}

// UNJ admits any size: on a constant pitch inside its series it follows that series (the UN
// pitch limits of class 3A), elsewhere it is the special series UNJS, limit for limit.
TEST(SpecialUnified, UnjAdmitsAnySize) {
    const special::Result unj = calculateOne(Series::UNJ, 1.1, 8, "3A");
    const special::Result un = calculateOne(Series::UN, 1.1, 8, "3A");
    ASSERT_TRUE(unj.ok() && un.ok()) << unj.refusal << un.refusal;
    EXPECT_EQ(limitOf(unj, "3A", "ext_pitch_min"), limitOf(un, "3A", "ext_pitch_min"));
    for (const auto& [d, tpi] : {std::pair{1.1, 24.0}, std::pair{0.5, 8.0}}) {
        const special::Result asked = special::calculate({Series::UNJ, d, tpi});
        const special::Result unjs = special::calculate({Series::UNJS, d, tpi});
        ASSERT_TRUE(asked.ok()) << asked.refusal;
        ASSERT_EQ(asked.classes.size(), unjs.classes.size());
        for (std::size_t i = 0; i < asked.classes.size(); ++i) {
            EXPECT_EQ(asked.classes[i].pitchMin, unjs.classes[i].pitchMin) << d << "-" << tpi;
            EXPECT_EQ(asked.classes[i].minorMax, unjs.classes[i].minorMax) << d << "-" << tpi;
        }
        EXPECT_TRUE(says(asked.provenance, "computed as UNJS")) << asked.provenance;
    }
}

}  // namespace
}  // namespace torveld
