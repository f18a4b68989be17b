// Pitch, profile values (heights, flats, radii, crest flats) and wire values of every form, and
// the calculation's behaviour on a selection outside the tables.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "calc_test_support.h"

namespace torveld {
namespace {

using testing::calculated;
using testing::v;

TEST(Pitch, MixedNumberThreadCountsAreOneOverTheirValue) {
    // UNC 2 and 2 1/4 are 4 1/2 threads per inch, not 4; their neighbours 5 and 4.
    EXPECT_DOUBLE_EQ(calculated(series::UNC, 23).pitch, 1.0 / 5.0);
    EXPECT_DOUBLE_EQ(calculated(series::UNC, 24).pitch, 1.0 / 4.5);
    EXPECT_DOUBLE_EQ(calculated(series::UNC, 25).pitch, 1.0 / 4.5);
    EXPECT_DOUBLE_EQ(calculated(series::UNC, 26).pitch, 1.0 / 4.0);
    EXPECT_NEAR(calculated(series::UNC, 24).pitch, 0.2222222, 5e-8);

    for (SeriesId id : {series::NPT, series::NPTF}) {
        EXPECT_DOUBLE_EQ(calculated(id, 5).pitch, 1.0 / 14.0);
        for (int row = 6; row <= 9; ++row) {
            EXPECT_DOUBLE_EQ(calculated(id, row).pitch, 1.0 / 11.5) << "row " << row;
        }
        EXPECT_DOUBLE_EQ(calculated(id, 10).pitch, 1.0 / 8.0);
    }
    EXPECT_NEAR(calculated(series::NPT, 6).pitch, 0.0869565, 5e-8);
    for (SeriesId id : {series::NPSM, series::NPSL}) {
        EXPECT_DOUBLE_EQ(calculated(id, 4).pitch, 1.0 / 14.0);
        for (int row = 5; row <= 8; ++row) {
            EXPECT_DOUBLE_EQ(calculated(id, row).pitch, 1.0 / 11.5) << "row " << row;
        }
        EXPECT_DOUBLE_EQ(calculated(id, 9).pitch, 1.0 / 8.0);
    }
    // BSW writes fractional counts as decimals.
    EXPECT_DOUBLE_EQ(calculated(series::BSW, 17).pitch, 1.0 / 4.5);
}

TEST(Pitch, MetricPitchTextsAreMillimetres) {
    EXPECT_NEAR(calculated(series::ISO_COARSE, 18).pitch, 0.0590551, 5e-8);  // "1.5"
    EXPECT_NEAR(calculated(series::BA, 0).pitch, 0.0393701, 5e-8);           // "1.000"
    EXPECT_DOUBLE_EQ(calculated(series::UNM, 0).pitch, 0.08 / 25.4);         // "0.080"
}

TEST(Pitch, StubAcmeReadsTheAcmeSizes) {
    ASSERT_EQ(sizeCount(series::STUB_ACME), sizeCount(series::ACME));
    for (int row = 0; row < sizeCount(series::ACME); ++row) {
        EXPECT_EQ(calculated(series::STUB_ACME, row).pitch, calculated(series::ACME, row).pitch);
    }
    EXPECT_DOUBLE_EQ(calculated(series::STUB_ACME, 0).pitch, 1.0 / 16.0);
}

TEST(Profile, UnifiedQuarterTwenty) {
    const ThreadResults r = calculated(series::UNC, 9);
    EXPECT_DOUBLE_EQ(r.pitch, 0.05);
    EXPECT_NEAR(v(r.extHeight), 0.03067175, 1e-12);
    EXPECT_NEAR(v(r.intHeight), 0.0270632939, 1e-10);
    EXPECT_NEAR(v(r.extFlat), 0.00625, 1e-12);
    EXPECT_NEAR(v(r.intFlat), 0.0125, 1e-12);
    EXPECT_NEAR(v(r.bestWire), 0.0288675, 1e-12);
    EXPECT_NEAR(v(r.wireOffset), 0.0433012702, 1e-12);
    EXPECT_NEAR(v(r.wireConstant), 0.0433012298, 1e-12);
}

TEST(Profile, TaperPipeCrestFlatsFollowTheThreadCount) {
    const ThreadResults npt = calculated(series::NPT, 6);  // 1 inch, 11 1/2 threads
    EXPECT_NEAR(v(npt.extCrestFlatMax), 0.0073043, 5e-8);
    EXPECT_NEAR(v(npt.extCrestFlatMin), 0.0033043, 5e-8);
    EXPECT_EQ(npt.intCrestFlatMax, npt.extCrestFlatMax);
    EXPECT_EQ(npt.intCrestFlatMin, npt.extCrestFlatMin);
    EXPECT_NEAR(v(npt.extHeight), 0.8 / 11.5, 1e-12);
    EXPECT_NEAR(v(npt.intHeight), 0.8 / 11.5, 1e-12);

    const ThreadResults nptf = calculated(series::NPTF, 6);
    EXPECT_NEAR(v(nptf.extCrestFlatMax), 0.069 / 11.5, 1e-12);
    EXPECT_NEAR(v(nptf.extCrestFlatMin), 0.046 / 11.5, 1e-12);

    // Row groups: 27 (0-1), 18 (2-3), 14 (4-5), 11 1/2 (6-9), 8 (10-18).
    struct Group {
        int first, last;
        double tpi, nptMax, nptfMax, nptfMin;
    };
    const Group groups[] = {{0, 1, 27, 0.111, 0.108, 0.054},
                            {2, 3, 18, 0.102, 0.09, 0.054},
                            {4, 5, 14, 0.09, 0.07, 0.042},
                            {6, 9, 11.5, 0.084, 0.069, 0.046},
                            {10, 18, 8, 0.072, 0.064, 0.048}};
    for (const Group& g : groups) {
        for (int row = g.first; row <= g.last; ++row) {
            const ThreadResults a = calculated(series::NPT, row);
            const ThreadResults b = calculated(series::NPTF, row);
            const double p = 1.0 / g.tpi;
            EXPECT_NEAR(v(a.extCrestFlatMax), g.nptMax * p, 1e-12) << "NPT row " << row;
            EXPECT_NEAR(v(a.extCrestFlatMin), 0.038 * p, 1e-12) << "NPT row " << row;
            EXPECT_NEAR(v(b.intCrestFlatMax), g.nptfMax * p, 1e-12) << "NPTF row " << row;
            EXPECT_NEAR(v(b.intCrestFlatMin), g.nptfMin * p, 1e-12) << "NPTF row " << row;
        }
    }
}

TEST(Profile, WireValuesOfEachForm) {
    // Taper pipe: the offset factor is 0.866025, six decimals.
    const ThreadResults npt = calculated(series::NPT, 6);
    EXPECT_NEAR(v(npt.bestWire), 0.0502043, 5e-8);
    EXPECT_NEAR(v(npt.wireConstant), 0.0753065, 5e-8);
    EXPECT_DOUBLE_EQ(v(npt.wireOffset), 0.866025 / 11.5);

    const ThreadResults acme = calculated(series::ACME, 4);  // 1/2 - 10
    EXPECT_NEAR(v(acme.bestWire), 0.0516455, 1e-10);
    EXPECT_NEAR(v(acme.wireConstant), 0.0645765, 5e-8);

    const ThreadResults bsw = calculated(series::BSW, 2);  // 1/4 - 20
    EXPECT_NEAR(v(bsw.bestWire), 0.0281845, 1e-10);
    EXPECT_NEAR(v(bsw.wireConstant), 0.0411991, 5e-8);

    const ThreadResults ba = calculated(series::BA, 0);
    EXPECT_NEAR(v(ba.bestWire), 0.0215063, 5e-8);
    EXPECT_NEAR(v(ba.wireConstant), 0.0301633, 5e-8);
}

TEST(Profile, WhitworthAndBaRadiiAndHeights) {
    const ThreadResults bsw = calculated(series::BSW, 17);  // 2 - 4.5
    EXPECT_NEAR(v(bsw.extHeight), 0.640327 / 4.5, 1e-12);
    EXPECT_EQ(bsw.intHeight, bsw.extHeight);
    EXPECT_NEAR(v(bsw.crestRadius), 0.137329 / 4.5, 1e-12);
    EXPECT_EQ(bsw.rootRadius, bsw.crestRadius);

    const ThreadResults ba = calculated(series::BA, 0);
    EXPECT_NEAR(v(ba.crestRadius), 0.0071195, 5e-8);
    EXPECT_EQ(ba.rootRadius, ba.crestRadius);
    // The BA thread depth: 0.6 P, half the difference of the basic major and minor diameters.
    EXPECT_NEAR(v(ba.extHeight), 0.6 / 25.4, 1e-12);
    EXPECT_NEAR(v(ba.extHeight), (v(ba.intClose.majorMin) - v(ba.intClose.minorMin)) / 2, 1e-8);
    EXPECT_EQ(ba.intHeight, ba.extHeight);
}

TEST(Profile, AcmeAndStubAcmeFlats) {
    const ThreadResults acme = calculated(series::ACME, 0);  // 1/4 - 16
    EXPECT_NEAR(v(acme.intFlat), 0.0231681, 5e-8);
    EXPECT_DOUBLE_EQ(v(acme.extHeight), 0.03125);
    EXPECT_DOUBLE_EQ(v(acme.intHeight), 0.03125);

    const ThreadResults stub = calculated(series::STUB_ACME, 8);  // 1 - 5
    EXPECT_NEAR(v(stub.extFlat), 0.4635 / 5, 1e-12);
    EXPECT_NEAR(v(stub.intFlat), 0.4635 / 5, 1e-12);
    EXPECT_NEAR(v(stub.extHeight), 0.3 / 5, 1e-12);
}

TEST(Profile, UnjAndUnmRadii) {
    const ThreadResults unj = calculated(series::UNJC, 9);  // .2500 - 20
    EXPECT_NEAR(v(unj.rootRadiusMax), 0.18042 * 0.05, 1e-12);
    EXPECT_NEAR(v(unj.rootRadiusMin), 0.15011 * 0.05, 1e-12);
    EXPECT_NEAR(v(unj.extHeight), 0.57735 * 0.05, 1e-12);
    EXPECT_NEAR(v(unj.intFlat), 0.3125 * 0.05, 1e-12);

    const ThreadResults unm = calculated(series::UNM, 10);  // 1.00 - 0.250
    EXPECT_NEAR(v(unm.rootRadius), 0.158 * 0.25 / 25.4, 1e-12);
    EXPECT_NEAR(v(unm.intFlat), 0.27456 * 0.25 / 25.4, 1e-12);
}

TEST(Profile, FieldsASeriesDoesNotComputeAreEmpty) {
    // The insert tappings compute the pitch and their internal limits only.
    const ThreadResults sti = calculated(series::UNC_STI, 8);
    EXPECT_DOUBLE_EQ(sti.pitch, 0.05);
    EXPECT_FALSE(sti.bestWire);
    EXPECT_FALSE(sti.wireConstant);
    EXPECT_FALSE(sti.extHeight);
    EXPECT_FALSE(sti.intHeight);
    EXPECT_FALSE(sti.crestRadius);
    EXPECT_EQ(sti.extNormal, ExternalLimits{});
    EXPECT_EQ(sti.extClose, ExternalLimits{});

    // NPSL has no heights or flats; a pipe calculation fills no class record.
    const ThreadResults npsl = calculated(series::NPSL, 3);
    EXPECT_FALSE(npsl.extHeight);
    EXPECT_FALSE(npsl.intFlat);
    EXPECT_TRUE(npsl.bestWire);
    const ThreadResults npt = calculated(series::NPT, 4);
    EXPECT_EQ(npt.extNormal, ExternalLimits{});
    EXPECT_EQ(npt.intClose, InternalLimits{});
    EXPECT_FALSE(npt.extFlat);
}

// A selection the tables do not hold cannot be calculated: it says so and leaves nothing of
// the size before it behind.
TEST(Robustness, SelectionOutsideTheTablesClearsResultsAndSaysSo) {
    const ThreadResults before = calculated(series::BSW, 6);
    ASSERT_NE(before, ThreadResults{});
    const auto run = [&](SeriesId id, int row) {
        Selection selection;
        selection.series = id;
        selection.sizeIndex = row;
        ThreadResults results = before;
        const bool ran = ThreadCalculator(selection, results).calculate();
        return std::pair{ran, results};
    };
    for (SeriesId id : {-1, series::kCount, 1000, INT_MIN}) {
        EXPECT_EQ(run(id, 0), std::pair(false, ThreadResults{})) << "series " << id;
    }
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const int count = sizeCount(id);
        for (int row : {-1, count, count + 1, INT_MAX, INT_MIN}) {
            EXPECT_EQ(run(id, row), std::pair(false, ThreadResults{}))
                << "series " << id << " row " << row;
        }
        // Every tabulated size calculates: the failure cannot be reached from the size list.
        for (int row = 0; row < count; ++row) {
            EXPECT_TRUE(run(id, row).first) << "series " << id << " row " << row;
        }
    }
}

}  // namespace
}  // namespace torveld
