// The British pipe and trapezoidal sizes as the published tables list them (tests/data/bsp/,
// tests/data/trapezoidal/, sources in tests/data/README.md): each size written as its standard
// writes it reads to the row of that size and pitch, and back to the same text (R, Rc and Rp also
// with the hand); a Tr diameter without its pitch is the pitch ISO 2902 calls normal; a G size
// ISO 7-1 lacks is no R size.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "designation.h"
#include "special_test_support.h"

namespace torveld::designation {
namespace {

namespace s = torveld::series;

using Row = std::map<std::string, std::string>;

std::vector<Row> readCsv(const std::string& name) {
    return torveld::testing::readCsv(std::string(TORVELD_TEST_DATA_DIR) + "/" + name);
}

// Reads `text` and expects the row of `series` whose size list shows `size - pitch`.
void expectRow(const std::string& text, SeriesId series, const std::string& size,
               const std::string& pitch, const std::string& canonical) {
    SCOPED_TRACE(text);
    const Result r = read(text);
    ASSERT_TRUE(r.ok()) << r.error().message;
    const Designation& d = r.designation();
    EXPECT_EQ(d.series, series);
    ASSERT_FALSE(d.isSpecial());
    const SizeRow row = sizeRow(d.series, d.sizeIndex);
    EXPECT_EQ(row.designation, size);
    EXPECT_EQ(row.pitchText, pitch);
    EXPECT_EQ(d.canonical.view(), canonical);
}

TEST(PublishedSizes, EveryGSizeOfIso228) {
    const std::vector<Row> rows = readCsv("bsp/G_ISO228.csv");
    ASSERT_EQ(rows.size(), 24u);
    for (const Row& g : rows) {
        const std::string& size = g.at("size");
        const std::string& tpi = g.at("tpi");
        const std::string& designation = g.at("designation");  // "G 1 1/4"
        expectRow(designation, s::G, size, tpi, designation);
        expectRow(designation + " A", s::G, size, tpi, designation + " A");
        expectRow(designation + "-" + tpi + " B", s::G, size, tpi, designation + " B");
        expectRow(size + "-" + tpi + " BSPP", s::G, size, tpi, designation);
    }
}

TEST(PublishedSizes, EveryRSizeOfIso7) {
    const std::vector<Row> rows = readCsv("bsp/R_ISO7.csv");
    ASSERT_EQ(rows.size(), 15u);
    std::set<std::string> sizes;
    for (const Row& r : rows) {
        const std::string& size = r.at("size");
        const std::string& tpi = r.at("tpi");
        sizes.insert(size);
        const std::pair<const char*, TaperPipeThread> kThreads[] = {
            {"designation_ext", TaperPipeThread::R},
            {"designation_int_taper", TaperPipeThread::Rc},
            {"designation_int_parallel", TaperPipeThread::Rp},
        };
        for (const auto& [column, thread] : kThreads) {
            const std::string& designation = r.at(column);  // "R 1/2", "Rc 1/2", "Rp 1/2"
            expectRow(designation, s::R, size, tpi, designation);
            expectRow("EN 10226-1 " + designation, s::R, size, tpi, designation);
            expectRow(designation + " LH", s::R, size, tpi, designation + "-LH");
            for (const std::string& text : {designation, designation + "-LH"})
                EXPECT_EQ(read(text).designation().taperThread, thread) << text;
        }
        expectRow(size + " BSPT", s::R, size, tpi, r.at("designation_ext"));
    }
    // The sizes of ISO 228-1 that ISO 7-1 does not have: an R error that names the G size.
    int onlyG = 0;
    for (const Row& g : readCsv("bsp/G_ISO228.csv")) {
        if (sizes.count(g.at("size")) != 0) continue;
        ++onlyG;
        const std::string text = "R " + g.at("size");
        SCOPED_TRACE(text);
        const Result r = read(text);
        ASSERT_FALSE(r.ok()) << r.designation().canonical.view();
        ASSERT_FALSE(r.error().nearest.empty());
        EXPECT_EQ(r.error().nearest.front(), g.at("designation"));
        EXPECT_NE(r.error().message.find("is a size of G"), std::string::npos) << r.error().message;
    }
    EXPECT_EQ(onlyG, 24 - 15);
}

TEST(PublishedSizes, EveryTrSizeOfIso2902AndTheNormalPitches) {
    const std::vector<Row> rows = readCsv("trapezoidal/Tr_limits_7H7e.csv");
    ASSERT_EQ(rows.size(), 185u);
    std::map<std::string, std::string> normal;  // diameter -> its normal pitch
    for (const Row& t : rows) {
        const std::string size = "Tr" + t.at("d_mm");
        expectRow(t.at("designation"), s::TR, size, t.at("P_mm"), t.at("designation"));
        expectRow(t.at("designation") + "-7H/7e", s::TR, size, t.at("P_mm"),
                  t.at("designation") + "-7H/7e");
        if (t.at("iso2902_pitch") == "normal") normal[t.at("d_mm")] = t.at("P_mm");
    }
    ASSERT_FALSE(normal.empty());
    for (const auto& [diameter, pitch] : normal) {
        const std::string size = "Tr" + diameter;
        expectRow(size, s::TR, size, pitch, size + "x" + pitch);
    }
}

}  // namespace
}  // namespace torveld::designation
