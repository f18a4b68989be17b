// The query's output: the JSON keys and their types, the CSV header and cells, the text block
// and the one-line error.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "query_output.h"
#include "query_session.h"

namespace torveld::query {
namespace {

using json = nlohmann::ordered_json;  // keeps the written order of the keys

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The cells of one CSV row as RFC 4180 writes them.
std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (quoted && c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
            out.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

Answer answerOf(Session& session, const char* text,
                std::optional<DisplayUnit> unit = std::nullopt) {
    Outcome o = session.answer(text, unit);
    if (auto* f = std::get_if<Failure>(&o)) ADD_FAILURE() << text << ": " << f->reason;
    return std::get<Answer>(std::move(o));
}

// Every key, in order, with the type the contract gives it: the ten keys of the first contract,
// then those it was extended by (the gauges of the classes with pitch limits and their rules,
// the rules alone for the taper pipe threads' L1 gauges).
void expectContract(const json& j) {
    std::vector<std::string> keys;
    for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
    const std::vector<std::string> first = {"input",     "designation", "series", "size",
                                            "sizeIndex", "tabulated",   "unit",   "fields",
                                            "limits",    "provenance"};
    ASSERT_GE(keys.size(), first.size());
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 10), first);
    const bool pipe = j["series"] == "NPT" || j["series"] == "NPTF";
    std::vector<std::string> extended = {"pitch", "tpi", "profile", "wires", "tapDrill"};
    if (pipe) extended.push_back("pipe");
    extended.push_back("notes");
    bool pitchLimits = false;
    for (const char* side : {"external", "internal"}) {
        for (const auto& [name, limits] : j["limits"][side].items()) {
            pitchLimits =
                pitchLimits || (limits.contains("pitchMax") && limits.contains("pitchMin"));
        }
    }
    if (pitchLimits) extended.push_back("gauges");
    if (pitchLimits || pipe) extended.push_back("gauging");
    EXPECT_EQ(std::vector<std::string>(keys.begin() + 10, keys.end()), extended);
    EXPECT_TRUE(j["pitch"].is_number_float());
    EXPECT_TRUE(j["tpi"].is_number() || j["tpi"].is_null());
    for (const char* key : {"profile", "wires", "tapDrill"}) EXPECT_TRUE(j[key].is_object()) << key;
    for (const auto& [name, value] : j["profile"].items()) EXPECT_TRUE(value.is_number()) << name;
    ASSERT_TRUE(j["notes"].is_array());
    for (const json& note : j["notes"]) EXPECT_TRUE(note.is_string());
    for (const char* key : {"input", "designation", "series", "size"}) {
        EXPECT_TRUE(j[key].is_string()) << key;
    }
    EXPECT_TRUE(j["sizeIndex"].is_number_integer() || j["sizeIndex"].is_null());
    EXPECT_EQ(j["sizeIndex"].is_null(), !j["tabulated"].get<bool>());
    EXPECT_TRUE(j["unit"] == "inch" || j["unit"] == "mm");
    ASSERT_TRUE(j["fields"].is_object());
    for (auto it = j["fields"].begin(); it != j["fields"].end(); ++it) {
        const int id = std::stoi(it.key());
        EXPECT_TRUE(id >= 303 && id <= 392) << it.key();
        EXPECT_EQ(std::to_string(id), it.key());
        EXPECT_TRUE(it.value().is_string());
    }
    ASSERT_TRUE(j["limits"].is_object());
    EXPECT_EQ(j["limits"].size(), 2u);
    for (const char* side : {"external", "internal"}) {
        ASSERT_TRUE(j["limits"][side].is_object()) << side;
        for (const auto& [name, limits] : j["limits"][side].items()) {
            EXPECT_FALSE(limits.empty()) << name;
            for (const auto& [limit, value] : limits.items()) {
                EXPECT_NE(std::find(kLimitNames.begin(), kLimitNames.end(), limit),
                          kLimitNames.end())
                    << limit;
                EXPECT_TRUE(value.is_number_float()) << name << " " << limit;
            }
        }
    }
    ASSERT_TRUE(j["provenance"].is_array());
    for (const json& p : j["provenance"]) {
        EXPECT_EQ(p.size(), 3u);
        ASSERT_TRUE(p["classes"].is_array());
        EXPECT_FALSE(p["classes"].empty());
        for (const json& c : p["classes"]) EXPECT_TRUE(c.is_string());
        EXPECT_TRUE(p["table"].is_string() || p["table"].is_null());
        EXPECT_TRUE(p["source"].is_string());
    }
}

TEST(JsonOutput, KeysAndTypesAsTheContractGivesThem) {
    Session session;
    for (const char* text : {"1/4-20 UNC", "M10x1.25-6H/6g", ".6875-24 UNS-2A", "1/2 NPT",
                             "0.80 UNM", "2 BA", "1/2-10 STUB ACME"}) {
        SCOPED_TRACE(text);
        std::ostringstream out;
        writeJson(out, answerOf(session, text));
        const std::vector<std::string> written = lines(out.str());
        ASSERT_EQ(written.size(), 1u);
        expectContract(json::parse(written[0]));
    }
    const json j = toJson(answerOf(session, "1/4-20 UNC"));
    EXPECT_EQ(j["sizeIndex"], 9);
    EXPECT_EQ(j["fields"]["303"], ".2489");
    EXPECT_EQ(j["limits"]["external"]["2A"]["majorMax"].get<double>(), 0.2489);
    EXPECT_FALSE(j["limits"]["internal"]["2B"].contains("majorMax"));
    EXPECT_EQ(j["provenance"][0]["classes"], json({"2A", "2B", "3B"}));
    EXPECT_EQ(j["provenance"][0]["table"], "UNC 2A/2B");
    const json special = toJson(answerOf(session, ".6875-24 UNS-2A"));
    EXPECT_EQ(special["tabulated"], false);
    EXPECT_TRUE(special["provenance"][0]["table"].is_null());
    // A number is the value of the window's text, in the unit asked for.
    const json mm = toJson(answerOf(session, "1/4-20 UNC", DisplayUnit::Metric));
    EXPECT_EQ(mm["unit"], "mm");
    EXPECT_EQ(mm["fields"]["303"], "6.322");
    EXPECT_EQ(mm["limits"]["external"]["2A"]["majorMax"].get<double>(), 6.322);

    // The values beyond the limits, named: 20 threads per inch; the best wire 0.57735 P and the
    // constant 3 W - 0.866025 P with the window's five places; the over-wire limits the 2A pitch
    // limits of UNC_2A2B.csv (0.2164, 0.2127) plus that constant; the guide drill the last drill
    // of the chart below the 3B minor minimum 0.196.
    EXPECT_EQ(j["pitch"].get<double>(), 0.05);
    EXPECT_EQ(j["tpi"], 20);
    EXPECT_EQ(j["wires"]["bestWire"].get<double>(), 0.02887);
    EXPECT_EQ(j["wires"]["constant"].get<double>(), 0.0433);
    EXPECT_EQ(j["wires"]["overWires"]["2A"]["max"].get<double>(), 0.2597);
    EXPECT_EQ(j["wires"]["overWires"]["2A"]["min"].get<double>(), 0.256);
    EXPECT_EQ(j["tapDrill"]["guide"]["drill"], "4.95mm");
    EXPECT_EQ(j["tapDrill"]["guide"]["diameter"].get<double>(), 0.1949);
    EXPECT_EQ(j["tapDrill"]["engagement"][0], json({{"percent", 100}, {"diameter", 0.185}}));
    EXPECT_EQ(j["tapDrill"]["engagement"].size(), 9u);
    EXPECT_TRUE(mm["tpi"] == 20);
    EXPECT_EQ(toJson(answerOf(session, "M10"))["tpi"], nullptr);
}

TEST(CsvOutput, OneRowPerSizeWithColumnsNamedLikeTheLimits) {
    Session session;
    std::vector<Answer> answers;
    for (Outcome& o : session.seriesAnswers(series::UNC)) answers.push_back(std::get<Answer>(o));
    std::ostringstream out;
    writeCsv(out, answers);
    const std::vector<std::string> rows = lines(out.str());
    ASSERT_EQ(rows.size(), 34u);
    std::vector<std::string> header = {"input",     "designation", "series", "size",
                                       "sizeIndex", "tabulated",   "unit"};
    for (const char* side : {"external", "internal"}) {
        const std::vector<const char*> classes =
            std::string(side) == "external" ? std::vector{"2A", "3A"} : std::vector{"2B", "3B"};
        for (const char* name : classes) {
            for (std::string_view limit : kLimitNames) {
                header.push_back(std::string(side) + "." + name + "." + std::string(limit));
            }
        }
    }
    // The limit columns first, then the values beyond them.
    const std::vector<std::string> head = cells(rows[0]);
    ASSERT_GT(head.size(), header.size());
    EXPECT_EQ(std::vector<std::string>(head.begin(), head.begin() + header.size()), header);
    for (const std::string& row : rows) EXPECT_EQ(cells(row).size(), head.size()) << row;
    const auto column = [&](const std::string& name) {
        const auto at = std::find(head.begin(), head.end(), name);
        EXPECT_NE(at, head.end()) << name;
        return static_cast<std::size_t>(at - head.begin());
    };
    const std::vector<std::string> quarter = cells(rows[10]);
    EXPECT_EQ(quarter[0], "1/4-20 UNC");
    EXPECT_EQ(quarter[3], "1/4 - 20");
    EXPECT_EQ(quarter[4], "9");
    EXPECT_EQ(quarter[5], "true");
    EXPECT_EQ(quarter[6], "inch");
    EXPECT_EQ(quarter[7], "0.2489");   // external.2A.majorMax
    EXPECT_EQ(quarter[12], "");        // external.2A.minorMin: none
    EXPECT_EQ(quarter[19], "");        // internal.2B.majorMax: none
    EXPECT_EQ(quarter[20], "0.2500");  // internal.2B.majorMin
    EXPECT_EQ(quarter[column("pitch")], "0.0500");
    EXPECT_EQ(quarter[column("tpi")], "20");
    EXPECT_EQ(quarter[column("wires.bestWire")], "0.02887");
    EXPECT_EQ(quarter[column("wires.overWires.2A.max")], "0.2597");
    EXPECT_EQ(quarter[column("tapDrill.guide.drill")], "4.95mm");
    EXPECT_EQ(head[header.size()], "pitch");

    // Inputs as typed, quoted where they hold a comma or a quote; a special size's row index
    // is empty; columns a row lacks are empty.
    std::vector<Answer> mixed = {answerOf(session, "M1,6"), answerOf(session, "M42x1-6g"),
                                 answerOf(session, "1/2 NPT")};
    mixed[2].input = "1/2\" NPT";
    std::ostringstream csv;
    writeCsv(csv, mixed);
    const std::vector<std::string> written = lines(csv.str());
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[1].substr(0, 7), "\"M1,6\",");
    EXPECT_EQ(cells(written[1])[0], "M1,6");
    EXPECT_EQ(cells(written[2])[4], "");
    EXPECT_EQ(cells(written[2])[5], "false");
    EXPECT_EQ(cells(written[3])[0], "1/2\" NPT");
    const std::vector<std::string> mixedHead = cells(written[0]);
    const std::size_t extra = static_cast<std::size_t>(
        std::find(mixedHead.begin(), mixedHead.end(), "pitch") - mixedHead.begin());
    for (std::size_t i = 7; i < extra; ++i) EXPECT_EQ(cells(written[3])[i], "");
    // NPT's gauge values, as ASME B1.20.1 gives them for 1/2-14: E1 0.77843, L1 0.320.
    const auto at = [&](const std::string& name) {
        return cells(written[3])[static_cast<std::size_t>(
            std::find(mixedHead.begin(), mixedHead.end(), name) - mixedHead.begin())];
    };
    EXPECT_EQ(at("pipe.E1"), "0.7784");
    EXPECT_EQ(at("pipe.L1"), "0.3200");
    EXPECT_EQ(cells(written[0]).size(), cells(written[1]).size());
}

TEST(TextOutput, AReadableDataSheetOfTheSameAnswer) {
    Session session;
    std::ostringstream out;
    writeText(out, answerOf(session, "1/4-20unc"));
    const std::string text = out.str();
    const std::vector<std::string> written = lines(text);
    ASSERT_GT(written.size(), 10u);
    EXPECT_EQ(written[0], "1/4-20 UNC");
    EXPECT_EQ(written[1], "  input                   \"1/4-20unc\"");
    EXPECT_EQ(written.back(), "");
    // Classes side by side, a row per limit.
    EXPECT_NE(text.find("  LIMITS OF SIZE          ext 2A     ext 3A     int 2B     int 3B"),
              std::string::npos);
    EXPECT_NE(text.find("  major diameter max      .2489      .2500      -          -"),
              std::string::npos);
    EXPECT_NE(text.find("  threads per inch        20\n"), std::string::npos);
    EXPECT_NE(text.find("  best wire               .02887\n"), std::string::npos);
    EXPECT_NE(text.find("  guide drill             4.95mm\n"), std::string::npos);
    // One line of provenance per group of classes; the whole statement on request.
    EXPECT_NE(text.find("  2A 2B 3B                UNC 2A/2B: "), std::string::npos);
    EXPECT_EQ(text.find("Source order for every cell"), std::string::npos);
    // The window's fields are for scripts, in JSON only.
    EXPECT_EQ(text.find("\".2489\""), std::string::npos);
    std::ostringstream full;
    writeText(full, answerOf(session, "1/4-20unc"), true);
    EXPECT_NE(full.str().find("Source order for every cell"), std::string::npos);

    std::ostringstream pipe;
    writeText(pipe, answerOf(session, "1/2-14 NPT"));
    EXPECT_NE(pipe.str().find("  E1                      .7784\n"), std::string::npos);
    EXPECT_NE(pipe.str().find("  L1 threads              4.48\n"), std::string::npos);
}

TEST(ErrorLine, OneLineWhateverTheInputHolds) {
    EXPECT_EQ(errorLine("1/4-21 UNC", "UNC has no 1/4-21"),
              "torveld-query: \"1/4-21 UNC\": UNC has no 1/4-21");
    EXPECT_EQ(errorLine("a\"b\\c\nd\te\x01", "why\nnot"),
              "torveld-query: \"a\\\"b\\\\c\\nd\\te\\x01\": why\\nnot");
    EXPECT_EQ(errorLine("", "empty"), "torveld-query: \"\": empty");
}

TEST(SeriesList, EverySeriesInTheOrderOfItsRadio) {
    std::ostringstream text, csv, jsonl;
    writeSeriesList(text, Format::Text);
    writeSeriesList(csv, Format::Csv);
    writeSeriesList(jsonl, Format::Json);
    const std::vector<std::string> t = lines(text.str()), c = lines(csv.str()),
                                   j = lines(jsonl.str());
    ASSERT_EQ(t.size(), 26u);
    ASSERT_EQ(c.size(), 27u);
    ASSERT_EQ(j.size(), 26u);
    EXPECT_EQ(t[0], "UNC         33   inch");
    EXPECT_EQ(c[0], "series,sizes,unit");
    EXPECT_EQ(c[1], "UNC,33,inch");
    const json iso = json::parse(j[13]);
    EXPECT_EQ(iso, json::parse(R"({"series":"ISO COARSE","sizes":40,"unit":"mm"})"));
    int sizes = 0;
    for (const std::string& line : j) sizes += json::parse(line)["sizes"].get<int>();
    EXPECT_EQ(sizes, 1239);
}

}  // namespace
}  // namespace torveld::query
