// Limits of size: the column map of each table-driven family with its shared cells and means,
// the BSW/BSF and BA tolerance formulas, the ACME external flat and the over-wire limits.
#include <gtest/gtest.h>

#include <vector>

#include "calc_test_support.h"

namespace torveld {
namespace {

using testing::calculated;
using testing::v;
using testing::widened;

// What a series does not compute stays empty.
const ThreadResults start{};

TEST(UnifiedLimits, UncQuarterTwentyBothClasses) {
    const ThreadResults r = calculated(series::UNC, 9);
    const ExternalLimits& en = r.extNormal;
    EXPECT_EQ(en.majorMax, widened(0.2489f));
    EXPECT_EQ(en.majorMin, widened(0.2408f));
    EXPECT_NEAR(v(en.majorMean), 0.24485, 1e-8);
    EXPECT_EQ(en.pitchMax, widened(0.2164f));
    EXPECT_EQ(en.pitchMin, widened(0.2127f));
    EXPECT_EQ(en.minorRef, widened(0.1876f));

    const ExternalLimits& ec = r.extClose;
    EXPECT_EQ(ec.majorMax, 0.25);
    EXPECT_EQ(ec.majorMin, widened(0.2419f));
    EXPECT_NEAR(v(ec.majorMean), 0.24595, 1e-8);
    EXPECT_EQ(ec.pitchMax, widened(0.2175f));
    EXPECT_EQ(ec.pitchMin, widened(0.2147f));
    EXPECT_EQ(ec.minorRef, widened(0.1887f));

    const InternalLimits& in = r.intNormal;
    EXPECT_EQ(in.minorMin, widened(0.196f));
    EXPECT_EQ(in.minorMax, widened(0.207f));
    EXPECT_NEAR(v(in.minorMean), 0.2015, 1e-8);
    EXPECT_EQ(in.pitchMin, widened(0.2175f));
    EXPECT_EQ(in.pitchMax, widened(0.2223f));
    EXPECT_EQ(in.majorMin, 0.25);

    const InternalLimits& ic = r.intClose;
    EXPECT_EQ(ic.minorMin, widened(0.196f));
    EXPECT_EQ(ic.minorMax, widened(0.2067f));
    EXPECT_NEAR(v(ic.minorMean), 0.20135, 1e-8);
    EXPECT_EQ(ic.pitchMin, widened(0.2175f));
    EXPECT_EQ(ic.pitchMax, widened(0.2211f));
    EXPECT_EQ(ic.majorMin, 0.25);

    // Over wires: the pitch-diameter limits plus the wire constant 0.0433012298.
    EXPECT_NEAR(v(en.wiresMax), 0.2597012, 5e-8);
    EXPECT_NEAR(v(en.wiresMin), 0.2560012, 5e-8);
    EXPECT_NEAR(v(ec.wiresMax), 0.2608012, 5e-8);
    EXPECT_NEAR(v(ec.wiresMin), 0.2580012, 5e-8);
}

TEST(UnifiedLimits, CloseInternalClassSharesTheMinimumsAndSetsNoMaximumMajor) {
    for (SeriesId id : {series::UNC, series::UNF, series::UNEF, series::UN, series::ISO_COARSE,
                        series::ISO_FINE}) {
        for (int row = 0; row < sizeCount(id); ++row) {
            const ThreadResults r = calculated(id, row);
            EXPECT_EQ(r.intClose.minorMin, r.intNormal.minorMin);
            EXPECT_EQ(r.intClose.pitchMin, r.intNormal.pitchMin);
            EXPECT_EQ(r.intClose.majorMin, r.intNormal.majorMin);
            EXPECT_EQ(r.intNormal.majorMax, start.intNormal.majorMax);
            EXPECT_EQ(r.intClose.majorMax, start.intClose.majorMax);
            EXPECT_EQ(r.extNormal.minorMax, start.extNormal.minorMax);
            EXPECT_EQ(r.extClose.minorMin, start.extClose.minorMin);
        }
    }
}

TEST(UnifiedLimits, IsoCellsAreMillimetres) {
    const ThreadResults r = calculated(series::ISO_COARSE, 18);  // M10 - 1.5
    EXPECT_DOUBLE_EQ(v(r.extNormal.majorMax), widened(9.968f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.extNormal.minorRef), widened(7.938f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.intNormal.majorMin), 10.0 / 25.4);
    EXPECT_DOUBLE_EQ(v(r.extClose.pitchMin), widened(8.941f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.intClose.pitchMax), widened(9.166f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.intClose.minorMax), widened(8.612f) / 25.4);
}

TEST(UnifiedLimits, AMissingLimitGivesNoMean) {
    // ISO FINE M1 x 0.2 has no normal-class internal minor maximum, ISO COARSE M42 no close one.
    const ThreadResults fine = calculated(series::ISO_FINE, 0);
    ASSERT_FALSE(fine.intNormal.minorMax);
    EXPECT_FALSE(fine.intNormal.minorMean);
    const ThreadResults coarse = calculated(series::ISO_COARSE, 32);
    ASSERT_FALSE(coarse.intClose.minorMax);
    EXPECT_FALSE(coarse.intClose.minorMean);
    EXPECT_GT(v(coarse.intNormal.minorMean), 0.0);
}

TEST(UnsLimits, NormalClassOnly) {
    const ThreadResults r = calculated(series::UNS, 0);  // 10 - 28
    EXPECT_EQ(r.extNormal.majorMax, widened(0.189f));
    EXPECT_EQ(r.extNormal.minorRef, widened(0.1452f));
    EXPECT_NEAR(v(r.extNormal.majorMean), (0.189 + 0.1825) / 2, 1e-8);
    EXPECT_EQ(r.intNormal.majorMin, widened(0.19f));
    EXPECT_NEAR(v(r.intNormal.minorMean), (0.151 + 0.16) / 2, 1e-8);
    EXPECT_NEAR(v(r.extNormal.wiresMin), widened(0.1625f) + v(r.wireConstant), 1e-15);
    EXPECT_EQ(r.extClose, start.extClose);
    EXPECT_EQ(r.intClose, start.intClose);
}

TEST(UnjLimits, OneClassWithSharedInternalMinimums) {
    const ThreadResults r = calculated(series::UNJC, 9);  // .2500 - 20
    const ExternalLimits& ec = r.extClose;
    EXPECT_EQ(ec.majorMax, 0.25);
    EXPECT_EQ(ec.majorMin, widened(0.2419f));
    EXPECT_EQ(ec.pitchMax, widened(0.2175f));
    EXPECT_EQ(ec.pitchMin, widened(0.2147f));
    EXPECT_EQ(ec.minorMax, widened(0.1922f));
    EXPECT_EQ(ec.minorMin, widened(0.1864f));
    EXPECT_NEAR(v(ec.majorMean), (0.25 + 0.2419) / 2, 1e-8);
    EXPECT_NEAR(v(ec.wiresMax), widened(0.2175f) + v(r.wireConstant), 1e-15);

    const InternalLimits& ic = r.intClose;
    EXPECT_EQ(ic.minorMin, widened(0.2013f));
    EXPECT_EQ(ic.minorMax, widened(0.2121f));
    EXPECT_EQ(ic.pitchMax, widened(0.2211f));
    EXPECT_NEAR(v(ic.minorMean), (0.2013 + 0.2121) / 2, 1e-8);
    EXPECT_EQ(ic.majorMax, start.intClose.majorMax);

    EXPECT_EQ(r.extNormal, start.extNormal);
    EXPECT_EQ(r.intNormal, start.intNormal);
    EXPECT_EQ(r.extClose.minorRef, start.extClose.minorRef);

    // The internal pitch and major minimums are the external maximums of the same row.
    for (SeriesId id : {series::UNJ, series::UNJC, series::UNJF, series::UNJEF}) {
        for (int row = 0; row < sizeCount(id); ++row) {
            const ThreadResults x = calculated(id, row);
            EXPECT_EQ(x.intClose.majorMin, x.extClose.majorMax);
            EXPECT_EQ(x.intClose.pitchMin, x.extClose.pitchMax);
        }
    }
}

TEST(StraightPipeLimits, NpsmAndNpslColumns) {
    const ThreadResults m = calculated(series::NPSM, 3);  // 1/2
    EXPECT_EQ(m.extNormal.majorMax, widened(0.823f));
    EXPECT_EQ(m.extNormal.majorMin, widened(0.813f));
    EXPECT_EQ(m.extNormal.pitchMax, widened(0.7769f));
    EXPECT_EQ(m.extNormal.pitchMin, widened(0.7718f));
    EXPECT_EQ(m.intNormal.minorMin, widened(0.747f));
    EXPECT_EQ(m.intNormal.minorMax, widened(0.759f));
    EXPECT_EQ(m.intNormal.pitchMin, widened(0.7784f));
    EXPECT_EQ(m.intNormal.pitchMax, widened(0.7851f));
    EXPECT_NEAR(v(m.extNormal.majorMean), 0.818, 1e-7);
    EXPECT_NEAR(v(m.intNormal.minorMean), 0.753, 1e-7);
    EXPECT_EQ(m.extNormal.minorRef, start.extNormal.minorRef);
    EXPECT_EQ(m.intNormal.majorMin, start.intNormal.majorMin);
    EXPECT_EQ(m.extClose, start.extClose);

    const ThreadResults l = calculated(series::NPSL, 3);  // 1/2
    EXPECT_EQ(l.extNormal.majorMax, widened(0.844f));
    EXPECT_EQ(l.extNormal.pitchMax, widened(0.7963f));
    EXPECT_EQ(l.extNormal.pitchMin, widened(0.7896f));
    EXPECT_EQ(l.intNormal.minorMin, widened(0.753f));
    EXPECT_EQ(l.intNormal.pitchMin, widened(0.8008f));
    EXPECT_EQ(l.intNormal.pitchMax, widened(0.8075f));
    // No major minimum and no minor maximum, hence no means.
    EXPECT_EQ(l.extNormal.majorMin, start.extNormal.majorMin);
    EXPECT_EQ(l.extNormal.majorMean, start.extNormal.majorMean);
    EXPECT_EQ(l.intNormal.minorMax, start.intNormal.minorMax);
    EXPECT_EQ(l.intNormal.minorMean, start.intNormal.minorMean);
    EXPECT_NEAR(v(l.extNormal.wiresMax), widened(0.7963f) + v(l.wireConstant), 1e-15);
}

TEST(AcmeLimits, TwoGAndFourGShareMajorAndMinorValues) {
    const ThreadResults r = calculated(series::ACME, 8);  // 1 - 5
    EXPECT_EQ(r.extNormal.majorMax, 1.0);
    EXPECT_EQ(r.extClose.majorMax, r.extNormal.majorMax);
    EXPECT_EQ(r.extClose.majorMin, widened(0.99f));
    EXPECT_EQ(r.extNormal.pitchMax, widened(0.892f));
    EXPECT_EQ(r.extNormal.pitchMin, widened(0.8726f));
    EXPECT_EQ(r.extClose.pitchMax, widened(0.896f));
    EXPECT_EQ(r.extClose.pitchMin, widened(0.8895f));
    EXPECT_EQ(r.extNormal.minorMax, widened(0.78f));
    EXPECT_EQ(r.extClose.minorMax, widened(0.78f));
    EXPECT_EQ(r.extNormal.minorMin, widened(0.7509f));
    EXPECT_EQ(r.extClose.minorMin, widened(0.7703f));
    EXPECT_EQ(r.intNormal.pitchMax, widened(0.9194f));
    EXPECT_EQ(r.intClose.pitchMax, widened(0.9065f));
    for (const InternalLimits* i : {&r.intNormal, &r.intClose}) {
        EXPECT_EQ(i->minorMin, widened(0.8f));
        EXPECT_EQ(i->minorMax, widened(0.81f));
        EXPECT_EQ(i->pitchMin, widened(0.9f));
        EXPECT_EQ(i->majorMin, widened(1.02f));
        EXPECT_EQ(i->majorMax, widened(1.04f));
        EXPECT_NEAR(v(i->minorMean), 0.805, 1e-7);
    }
    EXPECT_NEAR(v(r.extClose.wiresMax), widened(0.896f) + v(r.wireConstant), 1e-15);
    // External flat: 0.37069 P - 0.259 x (0.006 x sqrt(1.0)).
    EXPECT_NEAR(v(r.extFlat), 0.072584, 1e-12);
}

TEST(AcmeLimits, QuarterInchExternalFlat) {
    EXPECT_NEAR(v(calculated(series::ACME, 0).extFlat), 0.0223911, 5e-8);
}

TEST(AcmeLimits, StubAcmeIsOneClass) {
    const ThreadResults r = calculated(series::STUB_ACME, 8);
    EXPECT_EQ(r.extNormal.pitchMax, widened(0.932f));
    EXPECT_EQ(r.extNormal.minorMax, widened(0.86f));
    EXPECT_EQ(r.extNormal.minorMin, widened(0.8406f));
    EXPECT_EQ(r.intNormal.minorMin, widened(0.88f));
    EXPECT_EQ(r.intNormal.majorMin, widened(1.02f));
    EXPECT_EQ(r.intNormal.majorMax, widened(1.0394f));
    EXPECT_NEAR(v(r.extNormal.majorMean), 0.995, 1e-7);
    EXPECT_EQ(r.extClose, start.extClose);
    EXPECT_EQ(r.intClose, start.intClose);
}

TEST(UnmLimits, MillimetreColumns) {
    const ThreadResults r = calculated(series::UNM, 10);  // 1.00 - 0.250
    EXPECT_DOUBLE_EQ(v(r.extNormal.minorMax), widened(0.7f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.extNormal.minorMin), widened(0.652f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.intNormal.minorMin), widened(0.74f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.intNormal.pitchMax), widened(0.866f) / 25.4);
    EXPECT_DOUBLE_EQ(v(r.intNormal.majorMax), widened(1.068f) / 25.4);
    EXPECT_EQ(calculated(series::UNM, 10).extClose, start.extClose);
}

TEST(InsertTappingLimits, CountersinkAndBothInternalClasses) {
    const ThreadResults r = calculated(series::UNC_STI, 8);  // 1/4 - 20
    EXPECT_EQ(r.csinkMin, widened(0.31f));
    EXPECT_EQ(r.csinkMax, widened(0.34f));
    EXPECT_EQ(r.intNormal.pitchMax, widened(0.2864f));
    EXPECT_EQ(r.intClose.pitchMax, widened(0.2851f));
    for (const InternalLimits* i : {&r.intNormal, &r.intClose}) {
        EXPECT_EQ(i->pitchMin, widened(0.2825f));
        EXPECT_EQ(i->minorMin, widened(0.2608f));
        EXPECT_EQ(i->minorMax, widened(0.2704f));
        EXPECT_NEAR(v(i->minorMean), 0.2656, 1e-7);
        EXPECT_EQ(i->majorMax, widened(0.3187f));
    }
    EXPECT_EQ(r.intNormal.majorMin, start.intNormal.majorMin);
    EXPECT_EQ(r.extNormal, start.extNormal);
    EXPECT_EQ(r.extClose, start.extClose);
}

// BSW and BSF from the basic sizes.
TEST(WhitworthLimits, EighthInchTakesTheFixedAllowance) {
    const ThreadResults r = calculated(series::BSW, 0);  // 1/8 - 40
    EXPECT_NEAR(v(r.extNormal.majorMax), 0.12380, 5e-8);
    EXPECT_NEAR(v(r.extNormal.majorMin), 0.11937, 5e-6);
    EXPECT_NEAR(v(r.extNormal.pitchMax), 0.10780, 5e-8);
    EXPECT_NEAR(v(r.extNormal.pitchMin), 0.10495, 5e-6);
    EXPECT_NEAR(v(r.extNormal.pitchMax) - v(r.extNormal.pitchMin), 0.0028512, 5e-8);  // T
    EXPECT_NEAR(v(r.extNormal.minorMin), 0.08579, 5e-6);
    EXPECT_NEAR(v(r.intNormal.minorMax), 0.10200, 5e-8);  // d + 0.2 P + 0.004
    EXPECT_EQ(r.intClose.minorMax, r.intNormal.minorMax);
}

TEST(WhitworthLimits, InternalMinorToleranceByThreadCount) {
    // 24 threads per inch: c = 0.005.
    EXPECT_NEAR(v(calculated(series::BSW, 1).intNormal.minorMax), 0.1341 + 0.2 / 24 + 0.005, 5e-8);
    // 20 threads per inch and coarser: c = 0.007.
    EXPECT_NEAR(v(calculated(series::BSW, 2).intNormal.minorMax), 0.20300, 5e-8);
    EXPECT_NEAR(v(calculated(series::BSF, 5).intNormal.minorMax), 0.311 + 0.01 + 0.007, 5e-8);
    // 22 threads per inch: 0.005; 26 and finer: 0.004.
    EXPECT_NEAR(v(calculated(series::BSF, 4).intNormal.minorMax), 0.2543 + 0.2 / 22 + 0.005, 5e-8);
    EXPECT_NEAR(v(calculated(series::BSF, 2).intNormal.minorMax), 0.2008 + 0.2 / 26 + 0.004, 5e-8);
}

TEST(WhitworthLimits, AllowanceBoundaries) {
    // D exactly 1/4: the fixed allowance does not apply; a = 0.3 T.
    const ThreadResults quarter = calculated(series::BSW, 2);
    EXPECT_NEAR(v(quarter.extNormal.majorMax), 0.24884, 5e-6);
    EXPECT_NEAR(v(quarter.extClose.majorMax) - v(quarter.extNormal.majorMax), 0.0011634, 5e-8);

    // D exactly 3/4 still takes 0.3 T; 7/8 takes none.
    EXPECT_NEAR(v(calculated(series::BSW, 10).extNormal.majorMax), 0.7482011, 5e-8);
    const ThreadResults sevenEighths = calculated(series::BSW, 11);
    EXPECT_EQ(sevenEighths.extNormal.majorMax, widened(0.875f));
    EXPECT_EQ(sevenEighths.extNormal.pitchMax, widened(0.8039f));

    // BSF below 1/4 takes 0.0011, not 0.0012.
    EXPECT_NEAR(v(calculated(series::BSF, 0).extNormal.majorMax), 0.1875 - 0.0011, 5e-8);
    EXPECT_NEAR(v(calculated(series::BSF, 1).extNormal.pitchMax), widened(0.1959f) - 0.0011, 1e-12);
    EXPECT_NEAR(v(calculated(series::BSF, 2).extNormal.majorMax), 0.2488778, 5e-8);
}

TEST(WhitworthLimits, OneInchNoAllowanceAndCloseClass) {
    const ThreadResults r = calculated(series::BSW, 12);  // 1 - 8
    EXPECT_EQ(r.extNormal.majorMax, 1.0);
    EXPECT_EQ(r.extNormal.pitchMax, widened(0.92f));
    EXPECT_NEAR(v(r.intNormal.pitchMax) - v(r.intNormal.pitchMin), 0.0067678, 5e-8);  // T
    EXPECT_NEAR(v(r.intNormal.pitchMax), 0.92677, 5e-6);
    EXPECT_NEAR(v(r.intClose.pitchMax), 0.92451, 5e-6);
    EXPECT_NEAR(v(r.extClose.majorMin), 0.9919526, 5e-8);
    EXPECT_EQ(r.extClose.majorMax, 1.0);
    EXPECT_EQ(r.intClose.majorMin, 1.0);
    EXPECT_NEAR(v(r.extNormal.majorMean), (v(r.extNormal.majorMax) + v(r.extNormal.majorMin)) / 2,
                1e-15);
    EXPECT_NEAR(v(r.intClose.minorMean), widened(0.84f) + (0.2 / 8 + 0.007) / 2, 1e-12);
    EXPECT_NEAR(v(r.extClose.wiresMin), v(r.extClose.pitchMin) + v(r.wireConstant), 1e-15);
}

TEST(BaLimits, TenBaTakesTheAllowanceElevenBaDoesNot) {
    const ThreadResults ten = calculated(series::BA, 10);  // 1.7 mm, pitch 0.35 mm
    EXPECT_NEAR(v(ten.extNormal.majorMax), 1.675 / 25.4, 5e-8);
    EXPECT_NEAR(v(ten.extNormal.majorMin), 1.605 / 25.4, 5e-8);
    EXPECT_NEAR(v(ten.extNormal.pitchMax), 1.465 / 25.4, 5e-8);
    EXPECT_NEAR(v(ten.extNormal.pitchMin), 1.405 / 25.4, 5e-8);
    EXPECT_NEAR(v(ten.extNormal.minorMin), (1.255 - 0.07 - 0.05) / 25.4, 5e-8);

    const ThreadResults eleven = calculated(series::BA, 11);  // 1.5 mm, pitch 0.31 mm
    EXPECT_NEAR(v(eleven.extNormal.majorMax), 1.5 / 25.4, 5e-8);
    EXPECT_NEAR(v(eleven.extNormal.majorMin), (1.5 - 0.25 * 0.31) / 25.4, 5e-8);
    EXPECT_NEAR(v(eleven.extNormal.pitchMin), (1.315 - 0.031 - 0.025) / 25.4, 5e-8);
    EXPECT_NEAR(v(eleven.extNormal.minorMin), (1.13 - 0.062 - 0.05) / 25.4, 5e-8);
}

TEST(BaLimits, CloseAndInternalClasses) {
    const ThreadResults r = calculated(series::BA, 0);  // 6.0 mm, pitch 1.0 mm
    EXPECT_NEAR(v(r.extClose.majorMin), 5.85 / 25.4, 5e-8);
    EXPECT_NEAR(v(r.extClose.pitchMin), (5.4 - 0.08 - 0.02) / 25.4, 5e-8);
    EXPECT_NEAR(v(r.extClose.minorMin), (4.8 - 0.16 - 0.04) / 25.4, 5e-8);
    EXPECT_EQ(r.intNormal, r.intClose);
    EXPECT_NEAR(v(r.intNormal.minorMax), 5.175 / 25.4, 5e-8);
    EXPECT_NEAR(v(r.intNormal.pitchMax), 5.55 / 25.4, 5e-8);
    EXPECT_NEAR(v(r.intNormal.majorMin), 6.0 / 25.4, 1e-12);
    EXPECT_NEAR(v(r.intNormal.minorMean), (4.8 + 5.175) / 2 / 25.4, 5e-8);
    EXPECT_NEAR(v(r.extNormal.wiresMax), v(r.extNormal.pitchMax) + v(r.wireConstant), 1e-15);
}

// Where each class record's limits come from, by the layouts: the close Unified class shares the
// internal minimums of the first table, 4G its major and minor values with 2G; a series without
// a class has no source for it; the British limits come from the basic sizes.
TEST(LimitSources, EachClassRecordNamesTheTablesItsCellsComeFrom) {
    using R = ClassRecord;
    using Tables = std::vector<const LimitTable*>;
    struct Case {
        SeriesId series;
        R record;
        Tables tables;
    };
    const Case cases[] = {
        {series::UNC, R::ExtNormal, {&limits::uncFirst}},
        {series::UNC, R::ExtClose, {&limits::uncSecond}},
        {series::UNC, R::IntNormal, {&limits::uncFirst}},
        {series::UNC, R::IntClose, {&limits::uncFirst, &limits::uncSecond}},
        {series::ISO_FINE, R::IntClose, {&limits::isoFineFirst, &limits::isoFineSecond}},
        {series::UNS, R::IntNormal, {&limits::uns}},
        {series::UNS, R::ExtClose, {}},
        {series::UNJC, R::ExtNormal, {}},
        {series::UNJC, R::IntClose, {&limits::unjc}},
        {series::ACME, R::ExtClose, {&limits::acmeFirst, &limits::acmeSecond}},
        {series::STUB_ACME, R::IntNormal, {&limits::stubAcme}},
        {series::STUB_ACME, R::IntClose, {}},
        {series::NPSL, R::ExtNormal, {&limits::npsl}},
        {series::BSW, R::IntClose, {&limits::bsw}},
        {series::BA, R::ExtNormal, {&limits::ba}},
        {series::UNF_STI, R::ExtNormal, {}},
        {series::UNF_STI, R::IntClose, {&limits::unfSti}},
        {series::NPT, R::ExtNormal, {}},
        {series::NPTF, R::IntNormal, {}},
    };
    for (const Case& c : cases) {
        const auto sources = limitSources(c.series, c.record);
        EXPECT_EQ(std::vector<const LimitTable*>(sources.begin(), sources.end()), c.tables)
            << seriesById(c.series).name << " record " << static_cast<int>(c.record);
    }
    EXPECT_TRUE(limitSources(series::kCount, R::ExtNormal).empty());
}

}  // namespace
}  // namespace torveld
