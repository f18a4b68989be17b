// The trapezoidal profile (ISO 2901): the basic dimensions ISO 2904 gives, the crest clearance of
// every pitch range, and the 30 degree wire values derived from the flank angle.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "profile_constants.h"
#include "special_test_support.h"
#include "trapezoidal_profile.h"
#include "trapezoidal_tolerances.h"

namespace torveld {
namespace {

const std::string kDir = std::string(TORVELD_TEST_DATA_DIR) + "/trapezoidal/";

double in(double mm) {
    return mm / 25.4;
}

TEST(TrapezoidalProfile, BasicDimensionsOfIso2904) {
    const auto rows = testing::readCsv(kDir + "Tr_basic_ISO2904.csv");
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) {
        const auto n = [&](const char* f) { return *testing::csvNumber(row, f); };
        const auto b = trapezoidal::basicProfile(in(n("d_mm")), in(n("P_mm")));
        ASSERT_TRUE(b) << row.at("designation");
        EXPECT_NEAR(b->pitchDiameter * 25.4, n("d2_mm"), 1e-9) << row.at("designation");
        EXPECT_NEAR(b->externalMinor * 25.4, n("d3_mm"), 1e-9) << row.at("designation");
        EXPECT_NEAR(b->internalMinor * 25.4, n("D1_mm"), 1e-9) << row.at("designation");
        EXPECT_NEAR(b->internalMajor * 25.4, n("D4_mm"), 1e-9) << row.at("designation");
        EXPECT_NEAR(b->crestClearance * 25.4, n("ac_mm"), 1e-9) << row.at("designation");
        EXPECT_NEAR(b->overlapHeight * 25.4, 0.5 * n("P_mm"), 1e-9);
        EXPECT_NEAR(b->threadHeight * 25.4, 0.5 * n("P_mm") + n("ac_mm"), 1e-9);
        EXPECT_NEAR(b->crestRadiusMax * 25.4, 0.5 * n("ac_mm"), 1e-9);
        EXPECT_NEAR(b->rootRadiusMax * 25.4, n("ac_mm"), 1e-9);
    }
    EXPECT_FALSE(trapezoidal::basicProfile(in(20), in(13)));  // no such pitch
    EXPECT_FALSE(trapezoidal::basicProfile(0.0, in(4)));
}

// Every pitch of the tolerance tables has the crest clearance of its ISO 2901 range, and the
// profile of the form applies it.
TEST(TrapezoidalProfile, CrestClearanceOfEveryPitch) {
    const auto ranges = testing::readCsv(kDir + "Tr_crest_clearance_ISO2901.csv");
    int pitches = 0;
    for (const iso2903::PitchRow& row : iso2903::pitchRows()) {
        const double p = row.pitchUm / 1000.0;
        double expected = -1.0;
        for (const auto& r : ranges)
            if (p >= *testing::csvNumber(r, "pitch_from_mm") - 1e-9 &&
                p <= *testing::csvNumber(r, "pitch_to_mm") + 1e-9)
                expected = *testing::csvNumber(r, "ac_mm");
        const std::optional<double> ac = trapezoidal::crestClearance(in(p));
        ASSERT_TRUE(ac) << p;
        EXPECT_NEAR(*ac * 25.4, expected, 1e-9) << p;
        ThreadResults r;
        r.pitch = in(p);
        applyProfile(ThreadForm::Trapezoidal30, r);
        ASSERT_TRUE(r.extHeight && r.intHeight && r.crestRadius && r.rootRadiusMax) << p;
        EXPECT_NEAR(*r.extHeight * 25.4, 0.5 * p + expected, 1e-9) << p;
        EXPECT_NEAR(*r.rootRadiusMax * 25.4, expected, 1e-9) << p;
        ++pitches;
    }
    EXPECT_EQ(pitches, 22);
}

// E = M - W (1 + csc a) + P/2 cot a with the half-angle a = 15 degrees; the best wire touches the
// flanks at the pitch line: W = P / (2 cos a).
TEST(TrapezoidalProfile, WireValuesOfTheThirtyDegreeForm) {
    const double a = std::numbers::pi / 12.0;
    const ProfileConstants& k = profileConstants(ThreadForm::Trapezoidal30);
    ASSERT_TRUE(k.bestWire && k.wireOffset && k.wireMultiplier);
    EXPECT_NEAR(*k.bestWire, 1.0 / (2.0 * std::cos(a)), 5e-7);
    EXPECT_NEAR(*k.wireMultiplier, 1.0 + 1.0 / std::sin(a), 5e-7);
    EXPECT_NEAR(*k.wireOffset, 0.5 / std::tan(a), 5e-7);
    ThreadResults r;
    r.pitch = in(7);
    applyProfile(ThreadForm::Trapezoidal30, r);
    ASSERT_TRUE(r.wireConstant);
    const double best = 7.0 / (2.0 * std::cos(a));
    EXPECT_NEAR(*r.wireConstant * 25.4, best * (1.0 + 1.0 / std::sin(a)) - 3.5 / std::tan(a), 1e-5);
}

}  // namespace
}  // namespace torveld
