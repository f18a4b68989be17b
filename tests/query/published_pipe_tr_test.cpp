// The British pipe threads and a multi-start trapezoidal thread as the query writes them, against
// the published tables of tests/data/bsp/ and tests/data/trapezoidal/ (sources in
// tests/data/README.md), in millimetres to the 0.001 mm the standards give: G's classes by their
// names, R's gauge values, Rp's limits. (The single-start Tr rows: the engine's and the table's
// test, tests/special/trapezoidal_test.cpp, and the query's agreement with the window for every
// size, every_size_test.cpp.)
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "query_output.h"
#include "query_session.h"
#include "special_test_support.h"

namespace torveld::query {
namespace {

using Row = std::map<std::string, std::string>;
const std::string kData = TORVELD_TEST_DATA_DIR;

nlohmann::json answerJson(Session& session, const std::string& designation) {
    const Outcome outcome = session.answer(designation, DisplayUnit::Metric);
    if (const auto* failure = std::get_if<Failure>(&outcome)) {
        ADD_FAILURE() << designation << ": " << failure->reason;
        return {};
    }
    return nlohmann::json::parse(jsonText(std::get<Answer>(outcome)));
}

double cell(const Row& row, const std::string& field) {
    const std::optional<double> value = testing::csvNumber(row, field);
    EXPECT_TRUE(value) << field;
    return value.value_or(std::nan(""));
}

// `value` at `path` of the answer is the published one to within `tolerance`.
void expectValue(const nlohmann::json& answer, const std::string& path, double published,
                 double tolerance = 5e-7) {
    const nlohmann::json::json_pointer pointer(path);
    ASSERT_TRUE(answer.contains(pointer)) << answer.value("designation", "?") << " " << path;
    EXPECT_NEAR(answer.at(pointer).get<double>(), published, tolerance)
        << answer.value("designation", "?") << " " << path;
}

bool has(const nlohmann::json& answer, const std::string& path) {
    return answer.contains(nlohmann::json::json_pointer(path));
}

// A path of the answer under /limits/ and the published field it holds.
struct Check {
    const char* path;
    const char* field;
};

TEST(PublishedPipeAndTrapezoidal, GLimitsOfEveryClass) {
    // Class B shares the maximum material limits of class A.
    const Check checks[] = {
        {"external/A/majorMax", "extA_d_max"},  {"external/A/majorMin", "extA_d_min"},
        {"external/A/pitchMax", "extA_d2_max"}, {"external/A/pitchMin", "extA_d2_min"},
        {"external/A/minorMax", "ext_d1_max"},  {"external/B/majorMax", "extA_d_max"},
        {"external/B/pitchMax", "extA_d2_max"}, {"external/B/pitchMin", "extB_d2_min"},
        {"internal/G/majorMin", "int_D_min"},   {"internal/G/pitchMin", "int_D2_min"},
        {"internal/G/pitchMax", "int_D2_max"},  {"internal/G/minorMin", "int_D1_min"},
        {"internal/G/minorMax", "int_D1_max"}};
    Session session;
    for (const Row& row : testing::readCsv(kData + "/bsp/G_ISO228.csv")) {
        const nlohmann::json a = answerJson(session, row.at("designation"));
        for (const Check& c : checks)
            expectValue(a, std::string("/limits/") + c.path, cell(row, c.field));
        // ISO 228-1 limits neither the internal major maximum nor the external minor minimum.
        EXPECT_FALSE(has(a, "/limits/internal/G/majorMax"));
        EXPECT_FALSE(has(a, "/limits/external/A/minorMin"));
    }
}

// R's gauge values and lengths; Rp's limits are the gauge-plane diameters plus and minus the Rp
// tolerance.
TEST(PublishedPipeAndTrapezoidal, RGaugeValuesAndRpLimits) {
    const Check pipe[] = {{"gaugeDiameter", "gauge_dia_d_mm"},
                          {"gaugePitchDiameter", "pitch_dia_d2_mm"},
                          {"gaugeMinorDiameter", "minor_dia_d1_mm"},
                          {"gaugeLength", "gauge_length_basic_mm"},
                          {"gaugeLengthTolerance", "gauge_length_T1half_mm"},
                          {"gaugeLengthToleranceTurns", "gauge_length_T1half_turns"},
                          {"gaugeLengthMax", "gauge_length_max_mm"},
                          {"gaugeLengthMin", "gauge_length_min_mm"},
                          {"gaugePlaneTolerance", "gauge_plane_internal_T2half_mm"},
                          {"gaugePlaneToleranceTurns", "gauge_plane_internal_T2half_turns"},
                          {"rpDiameterTolerance", "Rp_diameter_tol_pm_mm"},
                          {"usefulThreadMin", "useful_thread_min_basic_gauge_mm"},
                          {"usefulThreadMinAtMaxGauge", "useful_thread_min_max_gauge_mm"},
                          {"usefulThreadMinAtMinGauge", "useful_thread_min_min_gauge_mm"},
                          {"fittingAllowance", "fitting_allowance_mm"},
                          {"fittingAllowanceTurns", "fitting_allowance_turns"}};
    Session session;
    for (const Row& row : testing::readCsv(kData + "/bsp/R_ISO7.csv")) {
        const nlohmann::json r = answerJson(session, row.at("designation_ext"));
        for (const Check& p : pipe)
            expectValue(r, std::string("/pipe/") + p.path, cell(row, p.field));
        EXPECT_EQ(r["limits"], nlohmann::json::parse(R"({"external":{},"internal":{}})"));
        // The pitch diameter at the small end: a gauge length down the 1 in 16 taper.
        expectValue(r, "/pipe/pitchDiameterAtPipeEnd",
                    cell(row, "pitch_dia_d2_mm") - cell(row, "gauge_length_basic_mm") / 16,
                    5.0001e-4);

        const nlohmann::json rp = answerJson(session, row.at("designation_int_parallel"));
        const double tolerance = cell(row, "Rp_diameter_tol_pm_mm");
        for (const Check& d : {Check{"major", "gauge_dia_d_mm"}, Check{"pitch", "pitch_dia_d2_mm"},
                               Check{"minor", "minor_dia_d1_mm"}}) {
            const std::string at = std::string("/limits/internal/Rp/") + d.path;
            expectValue(rp, at + "Max", cell(row, d.field) + tolerance, 5.0001e-4);
            expectValue(rp, at + "Min", cell(row, d.field) - tolerance, 5.0001e-4);
        }
    }
}

// The Tr limits of classes 7e and 7H; `kept` those that do not rest on the pitch-diameter
// tolerance, which several starts widen.
const struct {
    const char* path;
    const char* field;
    bool kept;
} kTr[] = {
    {"external/7e/majorMax", "ext7e_d_max", true},  {"external/7e/majorMin", "ext7e_d_min", true},
    {"external/7e/pitchMax", "ext7e_d2_max", true}, {"external/7e/pitchMin", "ext7e_d2_min", false},
    {"external/7e/minorMax", "ext7e_d3_max", true}, {"external/7e/minorMin", "ext7e_d3_min", false},
    {"internal/7H/minorMin", "int7H_D1_min", true}, {"internal/7H/minorMax", "int7H_D1_max", true},
    {"internal/7H/pitchMin", "int7H_D2_min", true}, {"internal/7H/pitchMax", "int7H_D2_max", false},
    {"internal/7H/majorMin", "int7H_D4_min", true}};

// Two starts of pitch 7: every limit of Tr40x7 kept, and a note of those left out.
TEST(PublishedPipeAndTrapezoidal, MultiStartKeepsTheLimitsOfItsPitch) {
    Row published;
    for (const Row& row : testing::readCsv(kData + "/trapezoidal/Tr_limits_7H7e.csv")) {
        if (row.at("designation") == "Tr40x7") published = row;
    }
    ASSERT_FALSE(published.empty());
    Session session;
    const nlohmann::json a = answerJson(session, "Tr40x14(P7)");
    for (const auto& c : kTr) {
        const std::string path = std::string("/limits/") + c.path;
        EXPECT_EQ(has(a, path), c.kept) << path;
        if (c.kept) expectValue(a, path, cell(published, c.field), 1e-6);
    }
    ASSERT_EQ(a["notes"].size(), 2u);
    EXPECT_EQ(a["notes"][1].get<std::string>().rfind("multi-start: 2 starts, lead 14 mm; ", 0), 0u)
        << a["notes"][1];
}

}  // namespace
}  // namespace torveld::query
