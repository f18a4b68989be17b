// The query's output: the JSON keys and their types, the CSV header and cells, the text block
// and the one-line error.
#include <gtest/gtest.h>

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

// Every key, in order, with the type the contract gives it.
void expectContract(const json& j) {
    std::vector<std::string> keys;
    for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
    EXPECT_EQ(keys,
              (std::vector<std::string>{"input", "designation", "series", "size", "sizeIndex",
                                        "tabulated", "unit", "fields", "limits", "provenance"}));
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
    EXPECT_EQ(cells(rows[0]), header);
    for (const std::string& row : rows) EXPECT_EQ(cells(row).size(), header.size()) << row;
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
    for (std::size_t i = 7; i < cells(written[3]).size(); ++i) EXPECT_EQ(cells(written[3])[i], "");
    EXPECT_EQ(cells(written[0]).size(), cells(written[1]).size());
}

TEST(TextOutput, AReadableBlockOfTheSameAnswer) {
    Session session;
    std::ostringstream out;
    writeText(out, answerOf(session, "1/4-20unc"));
    const std::string text = out.str();
    const std::vector<std::string> written = lines(text);
    ASSERT_GT(written.size(), 10u);
    EXPECT_EQ(written[0], "1/4-20 UNC");
    EXPECT_EQ(written[1], "  input        \"1/4-20unc\"");
    EXPECT_EQ(written.back(), "");
    EXPECT_NE(text.find("    ext 2A      .2489      .2408      .2164      .2127      .1876      -"),
              std::string::npos);
    EXPECT_NE(text.find("    2A 2B 3B: UNC 2A/2B\n"), std::string::npos);
    EXPECT_NE(text.find("    303  \".2489\"\n"), std::string::npos);
    EXPECT_NE(text.find("    349  \"EXTERNAL DATA          1/4 - 20  UNC\"\n"), std::string::npos);
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
    ASSERT_EQ(t.size(), 23u);
    ASSERT_EQ(c.size(), 24u);
    ASSERT_EQ(j.size(), 23u);
    EXPECT_EQ(t[0], "UNC         33   inch");
    EXPECT_EQ(c[0], "series,sizes,unit");
    EXPECT_EQ(c[1], "UNC,33,inch");
    const json iso = json::parse(j[13]);
    EXPECT_EQ(iso, json::parse(R"({"series":"ISO COARSE","sizes":40,"unit":"mm"})"));
    int sizes = 0;
    for (const std::string& line : j) sizes += json::parse(line)["sizes"].get<int>();
    EXPECT_EQ(sizes, 1015);
}

}  // namespace
}  // namespace torveld::query
