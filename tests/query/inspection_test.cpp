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

#include "published_csv.h"
#include "query_identify.h"
#include "query_output.h"
#include "query_session.h"

namespace torveld::query {
namespace {

using json = nlohmann::ordered_json;
using Row = std::map<std::string, std::string>;
using testing::PublishedTable;

double number(const Row& row, const std::string& field) {
    const std::optional<double> v = PublishedTable::number(row, field);
    EXPECT_TRUE(v.has_value()) << field;
    return v.value_or(0.0);
}

// A number as a person would type it, with a point whatever the locale.
std::string typed(double value) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

// Half a unit of the last place a field is written to.
double halfUnit(const Row& row, const std::string& field) {
    const std::string& text = row.at(field);
    const std::size_t point = text.find('.');
    const int places = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return 0.5 * std::pow(10.0, -places);
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
    const auto* f = std::get_if<Failure>(&o);
    return f != nullptr ? f->reason : std::string();
}

// The designation of a data row's size and class: "1/4-20 UNC-2A", "M10-6g".
std::string designationOf(const Row& row) {
    if (row.at("series") == "ISO COARSE") return row.at("size") + "-" + row.at("class");
    return row.at("size") + "-" + row.at("pitch") + " " + row.at("series") + "-" + row.at("class");
}

TEST(QueryMeasurement, VerdictsOfTheWorkedReadings) {
    const PublishedTable table("measure/wire_verdicts.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        const std::string text = designationOf(row);
        SCOPED_TRACE(text + " over " + row.at("wire") + ", reading " + row.at("reading"));
        const bool mm = row.at("series") == "ISO COARSE";
        const double wire = number(row, "wire");
        const double pitch = mm ? number(row, "pitch") : 1.0 / number(row, "pitch");
        const double pd = number(row, "pitch_diameter");
        const double fromMax = number(row, "from_max"), fromMin = number(row, "from_min");
        // The class limits the row implies, and the over-wire limits they give for that wire
        // by the card's formula backwards: M = E + 3 W - 0.866025 P.
        const double overMax = pd + fromMax + 3.0 * wire - 0.866025 * pitch;
        const double overMin = pd - fromMin + 3.0 * wire - 0.866025 * pitch;
        // The wire and the reading as typed in the answer's unit, and in the other unit.
        const double toOther = mm ? 1.0 / 25.4 : 25.4;
        const std::string other = mm ? "in" : "mm";
        for (const bool typedOther : {false, true}) {
            WireRequest request;
            request.wire = typedOther ? typed(wire * toOther) + other : row.at("wire");
            request.reading = row.at("reading");
            const json j = answered(text, request);
            ASSERT_TRUE(j.contains("measurement"));
            const json& m = j["measurement"];
            const std::string cls = row.at("class");
            const double half = mm ? 0.0005 : 0.00005;
            EXPECT_NEAR(m["overWires"][cls]["max"].get<double>(), overMax, 2 * half);
            EXPECT_NEAR(m["overWires"][cls]["min"].get<double>(), overMin, 2 * half);
            EXPECT_NEAR(m["pitchDiameter"].get<double>(), pd, 2 * halfUnit(row, "pitch_diameter"));
            EXPECT_EQ(m["verdict"][cls]["within"], row.at("verdict") == "within");
            EXPECT_NEAR(m["verdict"][cls]["fromMax"].get<double>(), fromMax,
                        2 * halfUnit(row, "from_max"));
            EXPECT_NEAR(m["verdict"][cls]["fromMin"].get<double>(), fromMin,
                        2 * halfUnit(row, "from_min"));
            EXPECT_EQ(m["formulaKey"], "general");
        }
    }
}

TEST(QueryMeasurement, ATaperThreadAtThePlaneOfTheWires) {
    const PublishedTable table("measure/taper_readings.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("series") + " " + row.at("reading") + " at " + row.at("plane"));
        WireRequest request{row.at("wire"), row.at("reading"), row.at("plane"), {}};
        const std::string& name = row.at("series");
        const bool npt = name == "NPT";
        const json m =
            answered(npt ? row.at("size") + "-" + row.at("tpi") + " NPT" : "R " + row.at("size"),
                     request, npt ? DisplayUnit::Inch : DisplayUnit::Metric)["measurement"];
        const double place = npt ? 1e-5 : 1e-4;
        EXPECT_EQ(m["formulaKey"], "taper");
        EXPECT_NEAR(m["pitchDiameter"].get<double>(), number(row, "pitch_diameter"), place);
        // The basic pitch diameter at the plane: E0 + x / 16.
        EXPECT_NEAR(m["planePitchDiameter"].get<double>(),
                    number(row, "e0") + number(row, "plane") / 16.0, place);
        EXPECT_EQ(m["verdict"][name]["within"], row.at("verdict") == "within");
        EXPECT_NEAR(m["verdict"][name]["fromMax"].get<double>(), number(row, "from_max"), place);
        EXPECT_NEAR(m["verdict"][name]["fromMin"].get<double>(), number(row, "from_min"), place);
    }
}

// Acme takes the lead-angle term unless told not to; 1 1/4-5 with the best wire 0.10329 in at
// the basic pitch diameter 1.15 reads M = 1.15 + 4.99393 W - 1.933357 P (lead angle
// neglected), and the term moves E by 0.00059 in.
TEST(QueryMeasurement, TheLeadAngleTermByDefaultForAcmeAndOnRequest) {
    const PublishedTable table("measure/lead_angle.csv");
    ASSERT_FALSE(table.failed());
    const Row* acme = nullptr;
    for (const Row& row : table.rows())
        if (row.at("thread") == "1 1/4-5 ACME") acme = &row;
    ASSERT_NE(acme, nullptr);
    const double reading = 1.15 + 4.99393 * 0.10329 - 1.933357 * 0.2;
    WireRequest request{"0.10329", typed(reading), std::nullopt, {}};
    const json withTerm = answered("1 1/4-5 ACME-2G", request)["measurement"];
    EXPECT_EQ(withTerm["formulaKey"], "lead-angle");
    EXPECT_NEAR(withTerm["leadAngleTerm"].get<double>(), -number(*acme, "term"),
                2 * halfUnit(*acme, "term"));
    request.leadAngle = measure::LeadAngle::Neglected;
    const json without = answered("1 1/4-5 ACME-2G", request)["measurement"];
    EXPECT_EQ(without["formulaKey"], "general");
    EXPECT_FALSE(without.contains("leadAngleTerm"));
    EXPECT_NEAR(without["pitchDiameter"].get<double>(), 1.15, 1e-5);
    // A 60 degree thread takes it only on request.
    WireRequest quarter{"0.02887", "0.2608", std::nullopt, measure::LeadAngle::Included};
    EXPECT_EQ(answered("1/4-20 UNC-2A", quarter)["measurement"]["formulaKey"], "lead-angle");
}

TEST(QueryMeasurement, RefusedWithTheReason) {
    struct Case {
        const char* designation;
        WireRequest request;
        const char* says;
    };
    const Case cases[] = {
        {"1/4-20 UNC", {"0.01", {}, {}, {}}, "smaller than the smallest wire"},
        {"1/4-20 UNC", {"0.06", {}, {}, {}}, "larger than the largest wire"},
        {"1/4-20 UNC-2B", {"0.0289", {}, {}, {}}, "balls or pins"},
        {"M10-6H", {"0.866", {}, {}, {}}, "balls or pins"},
        {"1/4-20 UNC-STI", {"0.0289", {}, {}, {}}, "internal thread"},
        {"1/4-20 UNC", {"0.0289", std::string("1.0"), {}, {}}, "above the major diameter"},
        {"1/4-20 UNC", {"0.0289", std::string("0.1"), {}, {}}, "below the minor diameter"},
        {"1/2 NPT", {"0.0412", std::string("0.84"), {}, {}}, "--plane"},
        {"1/4-20 UNC", {"0.0289", {}, std::string("0.3"), {}}, "--plane is for the taper"},
        {"1/2 NPT", {"0.0412", std::string("0.84"), std::string("2"), {}}, "beyond the thread"},
        {"1/4-20 UNC", {"0,0289", {}, {}, {}}, "the wire: '0,0289': write the decimals"},
        {"M10", {"0.866", std::string("10.229 tpi"), {}, {}}, "the reading: '10.229 tpi'"},
    };
    for (const Case& c : cases) {
        const std::string why = refusal(c.designation, c.request);
        EXPECT_NE(why.find(c.says), std::string::npos) << c.designation << ": " << why;
    }
}

// Every answer with classes that have pitch limits carries their gauges, each class under its
// name, or its name and side where the name stands on both sides; NPT its L1 gauges.
TEST(QueryGauges, EveryAnswerCarriesItsClassesGauges) {
    // gauge_rows.csv: M10x1.5 6g GO ring 8.994, 6H GO plug 9.026.
    const json m10 = answered("M10", std::nullopt);
    EXPECT_EQ(m10["gauges"]["6g"]["goThread"].get<double>(), 8.994);
    EXPECT_EQ(m10["gauges"]["6H"]["goThread"].get<double>(), 9.026);
    EXPECT_EQ(m10["gauges"]["6g"].size(), 4u);
    EXPECT_EQ(m10["gauging"]["standard"], "iso-1502");
    EXPECT_EQ(m10["gauging"]["notGoRingTurns"], 2);
    EXPECT_NE(m10["gauging"]["tolerances"].get<std::string>().find("not included"),
              std::string::npos);
    const std::vector<std::string> keys = [&] {
        std::vector<std::string> k;
        for (auto it = m10.begin(); it != m10.end(); ++it) k.push_back(it.key());
        return k;
    }();
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[keys.size() - 2], "gauges");
    EXPECT_EQ(keys.back(), "gauging");

    // ACME_2G.csv, 1 1/4-5 2G: external pitch 1.1411 / 1.1210, internal 1.1500 / 1.1701.
    const json acme = answered("1 1/4-5 ACME-2G", std::nullopt);
    EXPECT_EQ(acme["gauges"]["2G external"]["goThread"].get<double>(), 1.1411);
    EXPECT_EQ(acme["gauges"]["2G external"]["notGoThread"].get<double>(), 1.121);
    EXPECT_EQ(acme["gauges"]["2G internal"]["goThread"].get<double>(), 1.15);
    EXPECT_EQ(acme["gauges"]["2G internal"]["notGoThread"].get<double>(), 1.1701);
    EXPECT_EQ(acme["gauging"]["standard"], "not-given");

    // NPT_gauge.csv, 1/2-14: E0 0.75843, E1 0.77843, L1 0.320; read flush +- 1 turn.
    const json npt = answered("1/2 NPT", std::nullopt);
    EXPECT_FALSE(npt.contains("gauges"));
    EXPECT_EQ(npt["gauging"]["standard"], "asme-b1.20.1");
    EXPECT_EQ(npt["gauging"]["L1"]["E0"].get<double>(), 0.7584);
    EXPECT_EQ(npt["gauging"]["L1"]["E1"].get<double>(), 0.7784);
    EXPECT_EQ(npt["gauging"]["L1"]["length"].get<double>(), 0.32);
    EXPECT_EQ(npt["gauging"]["L1"]["turns"], 1);
}

TEST(QueryGauges, TheTextSheetAndTheCsvFollow) {
    const Outcome o = Session().answer("1/4-20 UNC-2A", std::nullopt,
                                       WireRequest{"0.028868", std::string("0.2583"), {}, {}});
    ASSERT_TRUE(std::holds_alternative<Answer>(o));
    const Answer& a = std::get<Answer>(o);
    std::ostringstream text;
    writeText(text, a);
    EXPECT_NE(text.str().find("  MEASUREMENT\n"), std::string::npos);
    EXPECT_NE(text.str().find("  pitch diameter          .21500\n"), std::string::npos);
    EXPECT_NE(text.str().find("  verdict 2A within       yes\n"), std::string::npos);
    EXPECT_NE(text.str().find("  2A not go thread        .2127\n"), std::string::npos);
    std::ostringstream csv;
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
        std::vector<CandidateRow> none;
        const std::vector<CandidateRow>& candidates = std::holds_alternative<Identified>(outcome)
                                                          ? std::get<Identified>(outcome).candidates
                                                          : none;
        std::istringstream absent(row.at("absent"));
        for (std::string name; std::getline(absent, name, ';');) {
            for (const CandidateRow& c : candidates) EXPECT_NE(caseName(c), name);
        }
        if (row.at("first_series").empty()) continue;
        ASSERT_TRUE(std::holds_alternative<Identified>(outcome))
            << std::get<Failure>(outcome).reason;
        const Identified& id = std::get<Identified>(outcome);
        EXPECT_EQ(id.unit, row.at("unit") == "mm" ? DisplayUnit::Metric : DisplayUnit::Inch);
        ASSERT_FALSE(id.candidates.empty());
        const CandidateRow& first = id.candidates.front();
        EXPECT_EQ(caseName(first), row.at("first_series") + " " + row.at("first_size"));
        EXPECT_EQ(first.rank, 1);
        EXPECT_EQ(first.within, row.at("first_within") == "yes");
        int tied = 0;
        for (const CandidateRow& c : id.candidates) tied += c.tied;
        const std::string& ties = row.at("tied");
        if (ties == "many") {
            EXPECT_GT(tied, 1);
        } else if (ties == "1") {
            EXPECT_EQ(tied, 0) << "a first candidate alone is tied with none";
        } else if (!ties.empty()) {
            EXPECT_EQ(tied, static_cast<int>(number(row, "tied")));
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
    std::ostringstream out;
    writeIdentifyJson(out, id);
    std::istringstream lines(out.str());
    std::vector<json> objects;
    for (std::string line; std::getline(lines, line);) objects.push_back(json::parse(line));
    ASSERT_EQ(objects.size(), id.candidates.size());
    std::vector<std::string> keys;
    for (auto it = objects[0].begin(); it != objects[0].end(); ++it) keys.push_back(it.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"rank", "designation", "series", "size", "tabulated",
                                              "distance", "distanceInTolerance", "withinLimits",
                                              "note", "class", "tied", "unit"}));
    // 1/2-14 NPT and NPTF, told apart only by their crests (identify_cases.csv).
    EXPECT_EQ(objects[0]["designation"], "1/2-14 NPT");
    EXPECT_EQ(objects[1]["designation"], "1/2-14 NPTF");
    EXPECT_EQ(objects[1]["tied"], true);
    EXPECT_NE(objects[1]["note"].get<std::string>().find("crest"), std::string::npos);

    std::ostringstream csv;
    writeIdentifyCsv(csv, id);
    EXPECT_EQ(csv.str().substr(0, csv.str().find('\n')),
              "rank,designation,series,size,tabulated,distance,distanceInTolerance,withinLimits,"
              "note,class,tied,unit");
    EXPECT_NE(csv.str().find("\n1,1/2-14 NPT,NPT,1/2 - 14,true,0.00000,0.00,true,"),
              std::string::npos)
        << csv.str();
    std::ostringstream text;
    writeIdentifyText(text, id);
    EXPECT_EQ(text.str().rfind("Candidates for --major 0.835 --tpi 14 --taper (inches)", 0), 0u);

    IdentifyRequest bad = q;
    bad.diameter = "0,835";
    const auto refused = identifyAnswer(bad);
    ASSERT_TRUE(std::holds_alternative<Failure>(refused));
    EXPECT_NE(std::get<Failure>(refused).reason.find("the diameter: '0,835'"), std::string::npos);
}

}  // namespace
}  // namespace torveld::query
