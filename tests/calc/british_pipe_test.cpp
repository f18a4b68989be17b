// British pipe threads: every G size and class against the limits of size published in
// tests/data/bsp/G_ISO228.csv (columns the generator does not read), every R / Rc / Rp size
// against tests/data/bsp/R_ISO7.csv and the relations ISO 7-1 states, and the 55 degree profile.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "british_pipe.h"
#include "limit_tables.h"
#include "profile_constants.h"
#include "size_tables.h"
#include "special_test_support.h"

namespace torveld {
namespace {

using Row = std::map<std::string, std::string>;

const std::string kDir = std::string(TORVELD_TEST_DATA_DIR) + "/bsp/";

double mm(const Row& row, const std::string& field) {
    const std::optional<double> value = testing::csvNumber(row, field);
    EXPECT_TRUE(value) << field;
    return value.value_or(std::nan(""));
}

double inches(const Length& value) {
    EXPECT_TRUE(value.has_value());
    return value.value_or(std::nan("")) * 25.4;
}

// Rounding to the published 0.001 mm: the calculation works in inches from single-precision
// cells, so allow a hundredth of the last place.
constexpr double kMm = 1e-5;

TEST(BritishPipeG, EverySizeAndClassAgainstThePublishedLimits) {
    const std::vector<Row> rows = testing::readCsv(kDir + "G_ISO228.csv");
    ASSERT_EQ(rows.size(), 24u);
    ASSERT_EQ(size_tables::kG.rowCount, 24);
    for (int i = 0; i < 24; ++i) {
        const Row& row = rows[static_cast<std::size_t>(i)];
        const std::string where = row.at("designation");
        EXPECT_EQ(size_tables::kG.rows[i].designation, row.at("size")) << where;
        EXPECT_EQ(size_tables::kG.rows[i].pitchText, row.at("tpi")) << where;
        const std::optional<british_pipe::ParallelLimits> l = british_pipe::parallelLimits(i);
        ASSERT_TRUE(l) << where;
        const struct {
            const char* field;
            Length value;
        } checks[] = {
            {"int_D2_min", l->internal.pitchMin},
            {"int_D2_max", l->internal.pitchMax},
            {"int_D1_min", l->internal.minorMin},
            {"int_D1_max", l->internal.minorMax},
            {"int_D_min", l->internal.majorMin},
            {"extA_d_max", l->classA.majorMax},
            {"extA_d_min", l->classA.majorMin},
            {"extA_d2_max", l->classA.pitchMax},
            {"extA_d2_min", l->classA.pitchMin},
            {"ext_d1_max", l->classA.minorMax},
            {"extB_d2_min", l->classB.pitchMin},
            // Class B shares the maximum material limits and the major tolerance of class A.
            {"extA_d_max", l->classB.majorMax},
            {"extA_d_min", l->classB.majorMin},
            {"extA_d2_max", l->classB.pitchMax},
            {"ext_d1_max", l->classB.minorMax},
        };
        for (const auto& c : checks)
            EXPECT_NEAR(inches(c.value), mm(row, c.field), kMm) << where << " " << c.field;
        // ISO 228-1 gives no internal major maximum and no external minor minimum.
        EXPECT_FALSE(l->internal.majorMax) << where;
        EXPECT_FALSE(l->classA.minorMin || l->classB.minorMin) << where;
    }
    EXPECT_FALSE(british_pipe::parallelLimits(24));
    EXPECT_FALSE(british_pipe::parallelLimits(-1));
}

// Every value of every R size as published, and what ISO 7-1 states of them: the gauge length
// varies by +/- T1/2, the useful thread is the gauge length plus the fitting allowance, the Rp
// tolerance is the T2/2 displacement through the 1:16 taper, the turns are the lengths over the
// pitch (to the 0.1 mm the lengths are written to), and the gauge-plane diameters are those of
// the G size.
TEST(BritishPipeR, EverySizeAsPublishedAndAsTheStandardRelatesIt) {
    const std::vector<Row> rows = testing::readCsv(kDir + "R_ISO7.csv");
    const std::vector<Row> g = testing::readCsv(kDir + "G_ISO228.csv");
    ASSERT_EQ(rows.size(), 15u);
    ASSERT_EQ(size_tables::kR.rowCount, 15);
    for (int i = 0; i < 15; ++i) {
        const Row& row = rows[static_cast<std::size_t>(i)];
        const std::string where = row.at("designation_ext");
        EXPECT_EQ(size_tables::kR.rows[i].designation, row.at("size")) << where;
        EXPECT_EQ(size_tables::kR.rows[i].pitchText, row.at("tpi")) << where;
        const std::optional<british_pipe::TaperValues> v = british_pipe::taperValues(i);
        ASSERT_TRUE(v) << where;
        const struct {
            const char* field;
            double value;  // inches
        } lengths[] = {
            {"gauge_dia_d_mm", v->gaugeDiameter},
            {"pitch_dia_d2_mm", v->gaugePitchDiameter},
            {"minor_dia_d1_mm", v->gaugeMinorDiameter},
            {"h_mm", v->threadHeight},
            {"gauge_length_basic_mm", v->gaugeLength},
            {"gauge_length_T1half_mm", v->gaugeLengthTolerance},
            {"gauge_length_max_mm", v->gaugeLengthMax},
            {"gauge_length_min_mm", v->gaugeLengthMin},
            {"gauge_plane_internal_T2half_mm", v->gaugePlaneTolerance},
            {"Rp_diameter_tol_pm_mm", v->rpDiameterTolerance},
            {"useful_thread_min_basic_gauge_mm", v->usefulThreadMin},
            {"useful_thread_min_max_gauge_mm", v->usefulThreadMinAtMaxGauge},
            {"useful_thread_min_min_gauge_mm", v->usefulThreadMinAtMinGauge},
            {"fitting_allowance_mm", v->fittingAllowance},
        };
        for (const auto& c : lengths)
            EXPECT_NEAR(c.value * 25.4, mm(row, c.field), kMm) << where << " " << c.field;
        EXPECT_EQ(v->gaugeLengthToleranceTurns, mm(row, "gauge_length_T1half_turns")) << where;
        EXPECT_EQ(v->gaugePlaneToleranceTurns, mm(row, "gauge_plane_internal_T2half_turns"))
            << where;
        EXPECT_EQ(v->fittingAllowanceTurns, mm(row, "fitting_allowance_turns")) << where;

        const double p = 25.4 / mm(row, "tpi");  // exact pitch, mm
        EXPECT_NEAR(v->pitch * 25.4, p, 1e-12) << where;
        const double t1 = mm(row, "gauge_length_T1half_mm");
        const double f = mm(row, "fitting_allowance_mm");
        EXPECT_NEAR(mm(row, "gauge_length_max_mm"), mm(row, "gauge_length_basic_mm") + t1, 1e-9);
        EXPECT_NEAR(mm(row, "gauge_length_min_mm"), mm(row, "gauge_length_basic_mm") - t1, 1e-9);
        EXPECT_NEAR(mm(row, "useful_thread_min_basic_gauge_mm"),
                    mm(row, "gauge_length_basic_mm") + f, 1e-9)
            << where;
        EXPECT_NEAR(mm(row, "useful_thread_min_max_gauge_mm"), mm(row, "gauge_length_max_mm") + f,
                    1e-9)
            << where;
        EXPECT_NEAR(mm(row, "useful_thread_min_min_gauge_mm"), mm(row, "gauge_length_min_mm") + f,
                    1e-9)
            << where;
        EXPECT_NEAR(v->gaugeLengthToleranceTurns * p, t1, 0.05 + 1e-9) << where;
        EXPECT_NEAR(v->gaugePlaneToleranceTurns * p, mm(row, "gauge_plane_internal_T2half_mm"),
                    0.05 + 1e-9)
            << where;
        EXPECT_NEAR(v->fittingAllowanceTurns * p, f, 0.05 + 1e-9) << where;
        EXPECT_NEAR(v->gaugePlaneToleranceTurns * p * british_pipe::kTaperOnDiameter,
                    mm(row, "Rp_diameter_tol_pm_mm"), 0.0005 + 1e-9)
            << where;
        const Row* same = nullptr;
        for (const Row& r : g)
            if (r.at("size") == row.at("size")) same = &r;
        ASSERT_NE(same, nullptr) << where;
        EXPECT_EQ(mm(*same, "d_major_mm"), mm(row, "gauge_dia_d_mm")) << where;
        EXPECT_EQ(mm(*same, "d2_pitch_mm"), mm(row, "pitch_dia_d2_mm")) << where;
        EXPECT_EQ(mm(*same, "d1_minor_mm"), mm(row, "minor_dia_d1_mm")) << where;

        // Rp: every diameter basic +/- the Rp tolerance.
        const std::optional<InternalLimits> rp = british_pipe::rpLimits(i);
        ASSERT_TRUE(rp) << where;
        const double tol = mm(row, "Rp_diameter_tol_pm_mm");
        EXPECT_NEAR(inches(rp->pitchMin), mm(row, "pitch_dia_d2_mm") - tol, kMm) << where;
        EXPECT_NEAR(inches(rp->pitchMax), mm(row, "pitch_dia_d2_mm") + tol, kMm) << where;
        EXPECT_NEAR(inches(rp->minorMin), mm(row, "minor_dia_d1_mm") - tol, kMm) << where;
        EXPECT_NEAR(inches(rp->minorMax), mm(row, "minor_dia_d1_mm") + tol, kMm) << where;
        EXPECT_NEAR(inches(rp->majorMin), mm(row, "gauge_dia_d_mm") - tol, kMm) << where;
        EXPECT_NEAR(inches(rp->majorMax), mm(row, "gauge_dia_d_mm") + tol, kMm) << where;
    }
    EXPECT_FALSE(british_pipe::taperValues(15));
    EXPECT_FALSE(british_pipe::rpLimits(-1));
}

// Each table names its standard and sources; R marks every cell its sources leave unconfirmed.
TEST(BritishPipeTables, ProvenanceNamesTheStandardAndTheUnconfirmedCells) {
    const std::string g = limits::gPipe.provenance;
    const std::string r = limits::rPipe.provenance;
    for (const char* text : {"ISO 228-1", "threadlib", "GOST 6357-81", "86.405"})
        EXPECT_NE(g.find(text), std::string::npos) << text;
    EXPECT_EQ(g.find("UNCONFIRMED"), std::string::npos);
    for (const char* text : {"ISO 7-1", "JIS B 0203", "UNCONFIRMED", "column 10", "column 12",
                             "sizes 1, 1 1/4, 1 1/2, 2", "column 15", "column 17", "25.4 kept"})
        EXPECT_NE(r.find(text), std::string::npos) << text;
}

// The 55 degree forms: h and r by threads per inch as JIS prints them, and h of every G size.
TEST(BritishPipeProfile, HeightAndRadiusOfTheParallelAndTaperForms) {
    for (const Row& row : testing::readCsv(kDir + "profile_55.csv")) {
        const double tpi = mm(row, "tpi");
        for (const ThreadForm form : {ThreadForm::Whitworth55, ThreadForm::BritishTaper55}) {
            ThreadResults r;
            r.pitch = 1.0 / tpi;
            applyProfile(form, r);
            EXPECT_NEAR(inches(r.extHeight), mm(row, "h_mm"), 0.0005) << tpi;
            EXPECT_NEAR(inches(r.intHeight), mm(row, "h_mm"), 0.0005) << tpi;
            EXPECT_NEAR(inches(r.crestRadius), mm(row, "r_mm"), 0.005) << tpi;
            EXPECT_NEAR(inches(r.rootRadius), mm(row, "r_mm"), 0.005) << tpi;
            EXPECT_TRUE(r.bestWire && r.wireConstant) << tpi;
        }
    }
    // h rounded to 0.001 mm is the h of every G size (ISO 228-1 rounds it before d2 and d1).
    for (const Row& row : testing::readCsv(kDir + "G_ISO228.csv")) {
        ThreadResults r;
        r.pitch = 1.0 / mm(row, "tpi");
        applyProfile(ThreadForm::Whitworth55, r);
        EXPECT_NEAR(inches(r.extHeight), mm(row, "h_mm"), 0.0005) << row.at("designation");
        EXPECT_NEAR(mm(row, "d_major_mm") - mm(row, "h_mm"), mm(row, "d2_pitch_mm"), 1e-9);
        EXPECT_NEAR(mm(row, "d_major_mm") - 2 * mm(row, "h_mm"), mm(row, "d1_minor_mm"), 1e-9);
    }
    // The taper form is laid on the cone: its radius differs from the parallel form's.
    EXPECT_EQ(profileConstants(ThreadForm::BritishTaper55).crestRadius, british_pipe::kTaperRadius);
    EXPECT_NE(profileConstants(ThreadForm::BritishTaper55).crestRadius,
              profileConstants(ThreadForm::Whitworth55).crestRadius);
}

}  // namespace
}  // namespace torveld
