// torveld-query's inspection answers: the measurement over wires (tests/data/measure/
// wire_verdicts.csv and taper_readings.csv, readings worked by hand from the formula cards,
// limits as published), the lead-angle term's published size (lead_angle.csv), the refusals,
// the gauges of every answer (gauge_rows.csv, published/NPT_gauge.csv, ACME_2G.csv) and the
// identification's candidates (identify_cases.csv), in JSON, text and CSV.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "measure_test_support.h"
#include "query_identify.h"
#include "query_output.h"
#include "query_session.h"

namespace torveld::query {
namespace {

using json = nlohmann::ordered_json;
using testing::halfUnitOf;
using testing::numberOf;
using testing::PublishedTable;
using testing::Row;

// A number as a person would type it, with a point whatever the locale.
std::string typed(double value) {
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

json answered(const std::string& text, const std::optional<WireRequest>& wires,
              std::optional<DisplayUnit> unit = std::nullopt) {
    const Outcome o = Session().answer(text, unit, wires);
    if (const auto* f = std::get_if<Failure>(&o)) {
        ADD_FAILURE() << text << ": " << f->reason;
        return json();
    }
    return toJson(std::get<Answer>(o));
}

std::string refusal(const std::string& text, const WireRequest& wires) {
    const Outcome o = Session().answer(text, std::nullopt, wires);
    return std::holds_alternative<Failure>(o) ? std::get<Failure>(o).reason : "";
}

// The number at `path` of a measurement ("/verdict/2A/fromMax").
double at(const json& m, const std::string& path) {
    const json::json_pointer p(path);
    EXPECT_TRUE(m.contains(p)) << path << " in " << m.dump().substr(0, 200);
    return m.contains(p) ? m.at(p).get<double>() : NAN;
}

TEST(QueryMeasurement, VerdictsOfTheWorkedReadings) {
    const PublishedTable table("measure/wire_verdicts.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        const bool mm = row.at("series") == "ISO COARSE";
        const std::string cls = row.at("class");
        const std::string text =
            mm ? row.at("size") + "-" + cls
               : row.at("size") + "-" + row.at("pitch") + " " + row.at("series") + "-" + cls;
        SCOPED_TRACE(text + " over " + row.at("wire") + ", reading " + row.at("reading"));
        const double wire = numberOf(row, "wire"), pd = numberOf(row, "pitch_diameter");
        const double pitch = mm ? numberOf(row, "pitch") : 1.0 / numberOf(row, "pitch");
        // The over-wire limits of the class limits the row implies, by the card's formula
        // backwards: M = E + 3 W - 0.866025 P; the answer writes them to 0.001 mm, 0.0001 in.
        const double constant = 3.0 * wire - 0.866025 * pitch, place = mm ? 1e-3 : 1e-4;
        // The wire typed bare in the answer's unit, and with the other unit.
        for (const std::string& w :
             {row.at("wire"), mm ? typed(wire / 25.4) + "in" : typed(wire * 25.4) + "mm"}) {
            json m = answered(text, WireRequest{w, row.at("reading"), {}, {}})["measurement"];
            EXPECT_NEAR(at(m, "/overWires/" + cls + "/max"),
                        pd + numberOf(row, "from_max") + constant, place);
            EXPECT_NEAR(at(m, "/overWires/" + cls + "/min"),
                        pd - numberOf(row, "from_min") + constant, place);
            EXPECT_NEAR(at(m, "/pitchDiameter"), pd, 2 * halfUnitOf(row, "pitch_diameter"));
            for (const auto& [key, field] :
                 {std::pair{"/fromMax", "from_max"}, std::pair{"/fromMin", "from_min"}}) {
                EXPECT_NEAR(at(m, "/verdict/" + cls + key), numberOf(row, field),
                            2 * halfUnitOf(row, field));
            }
            EXPECT_EQ(m["verdict"][cls]["within"], row.at("verdict") == "within");
            EXPECT_EQ(m["formulaKey"], "general");
        }
    }
}

TEST(QueryMeasurement, ATaperThreadAtThePlaneOfTheWires) {
    const PublishedTable table("measure/taper_readings.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        const std::string& name = row.at("series");
        SCOPED_TRACE(name + " " + row.at("reading") + " at " + row.at("plane"));
        const bool npt = name == "NPT";
        json m =
            answered(npt ? row.at("size") + "-" + row.at("tpi") + " NPT" : "R " + row.at("size"),
                     WireRequest{row.at("wire"), row.at("reading"), row.at("plane"), {}},
                     npt ? DisplayUnit::Inch : DisplayUnit::Metric)["measurement"];
        const double place = npt ? 1e-5 : 1e-4;
        EXPECT_EQ(m["formulaKey"], "taper");
        EXPECT_NEAR(at(m, "/pitchDiameter"), numberOf(row, "pitch_diameter"), place);
        // The basic pitch diameter at the plane: E0 + x / 16.
        EXPECT_NEAR(at(m, "/planePitchDiameter"),
                    numberOf(row, "e0") + numberOf(row, "plane") / 16.0, place);
        EXPECT_EQ(m["verdict"][name]["within"], row.at("verdict") == "within");
        EXPECT_NEAR(at(m, "/verdict/" + name + "/fromMax"), numberOf(row, "from_max"), place);
        EXPECT_NEAR(at(m, "/verdict/" + name + "/fromMin"), numberOf(row, "from_min"), place);
    }
}

// Acme takes the lead-angle term unless told not to; 1 1/4-5 with the best wire 0.10329 in at
// the basic pitch diameter 1.15 reads M = 1.15 + 4.99393 W - 1.933357 P (lead angle
// neglected), and the term moves E by 0.00059 in (lead_angle.csv).
TEST(QueryMeasurement, TheLeadAngleTermByDefaultForAcmeAndOnRequest) {
    const PublishedTable table("measure/lead_angle.csv");
    const Row* acme = nullptr;
    for (const Row& row : table.rows())
        if (row.at("thread") == "1 1/4-5 ACME") acme = &row;
    ASSERT_NE(acme, nullptr);
    WireRequest request{"0.10329", typed(1.15 + 4.99393 * 0.10329 - 1.933357 * 0.2), {}, {}};
    json withTerm = answered("1 1/4-5 ACME-2G", request)["measurement"];
    EXPECT_EQ(withTerm["formulaKey"], "lead-angle");
    EXPECT_NEAR(at(withTerm, "/leadAngleTerm"), -numberOf(*acme, "term"),
                2 * halfUnitOf(*acme, "term"));
    request.leadAngle = measure::LeadAngle::Neglected;
    json without = answered("1 1/4-5 ACME-2G", request)["measurement"];
    EXPECT_EQ(without["formulaKey"], "general");
    EXPECT_FALSE(without.contains("leadAngleTerm"));
    EXPECT_NEAR(at(without, "/pitchDiameter"), 1.15, 1e-5);
    // A 60 degree thread takes it only on request.
    WireRequest quarter{"0.02887", "0.2608", std::nullopt, measure::LeadAngle::Included};
    EXPECT_EQ(answered("1/4-20 UNC-2A", quarter)["measurement"]["formulaKey"], "lead-angle");
}

TEST(QueryMeasurement, RefusedWithTheReason) {
    const struct {
        const char* designation;
        WireRequest request;
        const char* says;
    } cases[] = {
        {"1/4-20 UNC", {"0.01", {}, {}, {}}, "smaller than the smallest wire"},
        {"1/4-20 UNC", {"0.06", {}, {}, {}}, "larger than the largest wire"},
        {"1/4-20 UNC-2B", {"0.0289", {}, {}, {}}, "balls or pins"},
        {"M10-6H", {"0.866", {}, {}, {}}, "balls or pins"},
        {"1/4-20 UNC-STI", {"0.0289", {}, {}, {}}, "internal thread"},
        {"1/4-20 UNC", {"0.0289", "1.0", {}, {}}, "above the major diameter"},
        {"1/4-20 UNC", {"0.0289", "0.1", {}, {}}, "below the minor diameter"},
        {"1/2 NPT", {"0.0412", "0.84", {}, {}}, "--plane"},
        {"1/4-20 UNC", {"0.0289", {}, "0.3", {}}, "--plane is for the taper"},
        {"1/2 NPT", {"0.0412", "0.84", "2", {}}, "beyond the thread"},
        {"1/4-20 UNC", {"0,0289", {}, {}, {}}, "the wire: '0,0289': write the decimals"},
        {"M10", {"0.866", "10.229 tpi", {}, {}}, "the reading: '10.229 tpi'"},
    };
    for (const auto& c : cases) {
        const std::string why = refusal(c.designation, c.request);
        EXPECT_NE(why.find(c.says), std::string::npos) << c.designation << ": " << why;
    }
}

// Every answer with classes that have pitch limits carries their gauges, each class under its
// name, or its name and side where the name stands on both sides; NPT its L1 gauges (the key
// order is the contract's, tests/query/output_test.cpp). gauge_rows.csv: M10x1.5 6g GO ring
// 8.994, 6H GO plug 9.026; ACME_2G.csv, 1 1/4-5 2G: external pitch 1.1411 / 1.1210, internal
// 1.1500 / 1.1701; NPT_gauge.csv, 1/2-14: E0 0.75843, E1 0.77843, L1 0.320, read flush +- 1 turn.
TEST(QueryGauges, EveryAnswerCarriesItsClassesGauges) {
    const struct {
        const char* designation;
        const char* path;
        json is;
    } cases[] = {{"M10", "/gauges/6g/goThread", 8.994},
                 {"M10", "/gauges/6H/goThread", 9.026},
                 {"M10", "/gauging/standard", "iso-1502"},
                 {"M10", "/gauging/notGoRingTurns", 2},
                 {"1 1/4-5 ACME-2G", "/gauges/2G external/goThread", 1.1411},
                 {"1 1/4-5 ACME-2G", "/gauges/2G external/notGoThread", 1.121},
                 {"1 1/4-5 ACME-2G", "/gauges/2G internal/goThread", 1.15},
                 {"1 1/4-5 ACME-2G", "/gauges/2G internal/notGoThread", 1.1701},
                 {"1 1/4-5 ACME-2G", "/gauging/standard", "not-given"},
                 {"1/2 NPT", "/gauging/standard", "asme-b1.20.1"},
                 {"1/2 NPT", "/gauging/L1/E0", 0.7584},
                 {"1/2 NPT", "/gauging/L1/E1", 0.7784},
                 {"1/2 NPT", "/gauging/L1/length", 0.32},
                 {"1/2 NPT", "/gauging/L1/turns", 1}};
    for (const auto& c : cases) {
        const json a = answered(c.designation, std::nullopt);
        const json::json_pointer p(c.path);
        EXPECT_EQ(a.contains(p) ? a.at(p) : json(), c.is) << c.designation << " " << c.path;
    }
    const json m10 = answered("M10", std::nullopt);
    EXPECT_EQ(m10["gauges"]["6g"].size(), 4u);
    EXPECT_NE(m10["gauging"]["tolerances"].get<std::string>().find("not included"),
              std::string::npos);
}

TEST(QueryGauges, TheTextSheetAndTheCsvFollow) {
    const Outcome o =
        Session().answer("1/4-20 UNC-2A", std::nullopt, WireRequest{"0.028868", "0.2583", {}, {}});
    ASSERT_TRUE(std::holds_alternative<Answer>(o));
    const Answer& a = std::get<Answer>(o);
    std::ostringstream text, csv;
    writeText(text, a);
    for (const char* line :
         {"  MEASUREMENT\n", "  pitch diameter          .21500\n",
          "  verdict 2A within       yes\n", "  2A not go thread        .2127\n"}) {
        EXPECT_NE(text.str().find(line), std::string::npos) << line;
    }
    writeCsv(csv, std::vector<Answer>{a});
    const std::string header = csv.str().substr(0, csv.str().find('\n'));
    for (const char* column : {"measurement.overWires.2A.max", "measurement.verdict.2A.within",
                               "gauges.2A.goThread", "gauging.acceptance"}) {
        EXPECT_NE(header.find(column), std::string::npos) << column;
    }
    EXPECT_NE(csv.str().find(",true,"), std::string::npos);
}

// A candidate's name as identify_cases.csv writes it: "UNC 3/4", "ISO FINE special 42x1".
std::string caseName(const CandidateRow& c) {
    if (c.tabulated) return c.series + " " + c.size.substr(0, c.size.find(" - "));
    return c.series + " special " + c.designation.substr(1);
}

TEST(QueryIdentify, CasesOfTheIdentificationGuides) {
    const PublishedTable table("measure/identify_cases.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("case"));
        IdentifyRequest q;
        q.side = row.at("side") == "internal" ? measure::Side::Internal : measure::Side::External;
        // The diameter typed with its unit, the pitch bare in the unit of its option.
        q.diameter = row.at("diameter") + row.at("unit");
        q.pitch = row.at("pitch");
        q.pitchUnit =
            row.at("pitch_unit") == "mm" ? PitchUnit::Millimetres : PitchUnit::ThreadsPerInch;
        if (row.at("taper") == "taper") q.taper = measure::FormKind::Taper;
        if (!row.at("angle").empty()) q.angle = row.at("angle");
        const auto outcome = identifyAnswer(q);
        const auto* id = std::get_if<Identified>(&outcome);
        std::istringstream absent(row.at("absent"));
        for (std::string name; id != nullptr && std::getline(absent, name, ';');) {
            for (const CandidateRow& c : id->candidates) EXPECT_NE(caseName(c), name);
        }
        if (row.at("first_series").empty()) continue;
        ASSERT_NE(id, nullptr) << std::get<Failure>(outcome).reason;
        EXPECT_EQ(id->unit, row.at("unit") == "mm" ? DisplayUnit::Metric : DisplayUnit::Inch);
        ASSERT_FALSE(id->candidates.empty());
        const CandidateRow& first = id->candidates.front();
        EXPECT_EQ(caseName(first), row.at("first_series") + " " + row.at("first_size"));
        EXPECT_EQ(first.rank, 1);
        EXPECT_EQ(first.within, row.at("first_within") == "yes");
        int tied = 0;
        for (const CandidateRow& c : id->candidates) tied += c.tied;
        // A first candidate alone is tied with none.
        const std::string& ties = row.at("tied");
        if (ties == "many") {
            EXPECT_GT(tied, 1);
        } else if (!ties.empty()) {
            EXPECT_EQ(tied, ties == "1" ? 0 : numberOf(row, "tied"));
        }
    }
}

TEST(QueryIdentify, OneObjectRowOrLinePerCandidate) {
    IdentifyRequest q;
    q.diameter = "0.835";
    q.pitch = "14";
    q.taper = measure::FormKind::Taper;
    const auto outcome = identifyAnswer(q);
    ASSERT_TRUE(std::holds_alternative<Identified>(outcome));
    const Identified& id = std::get<Identified>(outcome);
    std::ostringstream out, csv, text;
    writeIdentifyJson(out, id);
    std::istringstream lines(out.str());
    std::vector<json> objects;
    for (std::string line; std::getline(lines, line);) objects.push_back(json::parse(line));
    ASSERT_EQ(objects.size(), id.candidates.size());
    std::string keys;
    for (auto it = objects[0].begin(); it != objects[0].end(); ++it) keys += it.key() + ",";
    const std::string columns =
        "rank,designation,series,size,tabulated,distance,"
        "distanceInTolerance,withinLimits,note,class,tied,unit";
    EXPECT_EQ(keys, columns + ",");
    // 1/2-14 NPT and NPTF, told apart only by their crests (identify_cases.csv).
    EXPECT_EQ(objects[0]["designation"], "1/2-14 NPT");
    EXPECT_EQ(objects[1]["designation"], "1/2-14 NPTF");
    EXPECT_EQ(objects[1]["tied"], true);
    EXPECT_NE(objects[1]["note"].get<std::string>().find("crest"), std::string::npos);
    writeIdentifyCsv(csv, id);
    EXPECT_EQ(csv.str().substr(0, csv.str().find('\n')), columns);
    EXPECT_NE(csv.str().find("\n1,1/2-14 NPT,NPT,1/2 - 14,true,0.00000,0.00,true,"),
              std::string::npos)
        << csv.str();
    writeIdentifyText(text, id);
    EXPECT_EQ(text.str().rfind("Candidates for --major 0.835 --tpi 14 --taper (inches)", 0), 0u);

    q.diameter = "0,835";
    const auto refused = identifyAnswer(q);
    ASSERT_TRUE(std::holds_alternative<Failure>(refused));
    EXPECT_NE(std::get<Failure>(refused).reason.find("the diameter: '0,835'"), std::string::npos);
}

}  // namespace
}  // namespace torveld::query
