#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "drill_chart.h"
#include "series.h"

namespace torveld {
namespace {

enum class Kind { Number, Letter, Fraction, Metric, End };

Kind kindOf(const std::string& name) {
    if (name == "NO DATA") return Kind::End;
    if (name.ends_with("mm")) return Kind::Metric;
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return Kind::Letter;
    if (name.find('/') != std::string::npos) return Kind::Fraction;
    // A whole inch among the fractions ("1" to "5") comes after the number drills end.
    return Kind::Number;
}

int indexOf(const std::string& name) {
    for (int i = 0; i < drill_chart::kRowCount; ++i) {
        if (name == drill_chart::row(i).drillName) return i;
    }
    return -1;
}

// Four decimals, exact half to the even digit, no zero before the point.
std::string fourPlaces(int numerator, int denominator) {
    // value * 10000 = numerator * 10000 / denominator, rounded half to even on integers.
    const long long scaled = static_cast<long long>(numerator) * 10000;
    long long q = scaled / denominator;
    const long long rem2 = (scaled % denominator) * 2;
    if (rem2 > denominator || (rem2 == denominator && q % 2 == 1)) ++q;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld.%04lld", q / 10000, q % 10000);
    std::string s(buf);
    return s.starts_with("0.") ? s.substr(1) : s;
}

TEST(DrillChart, EndsAndCounts) {
    EXPECT_STREQ(drill_chart::row(0).drillName, "80");
    EXPECT_STREQ(drill_chart::row(0).decimalInch, ".0135");
    EXPECT_STREQ(drill_chart::row(745).drillName, "5 1/2");
    EXPECT_STREQ(drill_chart::row(745).decimalInch, "5.5000");
    EXPECT_STREQ(drill_chart::row(746).drillName, "NO DATA");
    EXPECT_STREQ(drill_chart::row(746).decimalInch, "NO DATA");
    EXPECT_EQ(drill_chart::diameter(746), 0.0);

    std::map<Kind, int> counts;
    std::set<std::string> names;
    for (int i = 0; i < drill_chart::kRowCount; ++i) {
        const std::string name = drill_chart::row(i).drillName;
        names.insert(name);
        Kind k = kindOf(name);
        // "1" to "5" are both number drills and whole inches; the whole inches are 1 in or more.
        if (k == Kind::Number && drill_chart::diameter(i) >= 1.0) k = Kind::Fraction;
        ++counts[k];
    }
    EXPECT_EQ(counts[Kind::Number], 80);
    EXPECT_EQ(counts[Kind::Letter], 26);
    EXPECT_EQ(counts[Kind::Fraction], 211);
    EXPECT_EQ(counts[Kind::Metric], 429);
    EXPECT_EQ(counts[Kind::End], 1);
    EXPECT_EQ(indexOf("4 1/8"), -1);
}

TEST(DrillChart, AscendingExceptTheOneOutOfOrderRow) {
    for (int i = 1; i < drill_chart::kEndRow; ++i) {
        const std::string name = drill_chart::row(i).drillName;
        if (name == "4.80mm") continue;
        const std::string before = drill_chart::row(i - 1).drillName;
        const int prev = before == "4.80mm" ? i - 2 : i - 1;
        EXPECT_LE(drill_chart::diameter(prev), drill_chart::diameter(i))
            << drill_chart::row(prev).drillName << " before " << name;
    }
    EXPECT_EQ(indexOf("12"), 172);
    EXPECT_EQ(indexOf("4.80mm"), 173);
    EXPECT_LT(drill_chart::diameter(173), drill_chart::diameter(172));
}

TEST(DrillChart, EqualDiametersPutLetterAndMetricBeforeTheFraction) {
    EXPECT_EQ(indexOf("E") + 1, indexOf("1/4"));
    EXPECT_EQ(drill_chart::diameter(indexOf("E")), drill_chart::diameter(indexOf("1/4")));
    EXPECT_EQ(indexOf("12.70mm") + 1, indexOf("1/2"));
    EXPECT_EQ(indexOf("63.50mm") + 1, indexOf("2 1/2"));
    // Wherever two neighbours have the same diameter, the fraction is the second of them.
    for (int i = 1; i < drill_chart::kEndRow; ++i) {
        if (drill_chart::diameter(i) != drill_chart::diameter(i - 1)) continue;
        EXPECT_NE(std::string(drill_chart::row(i).drillName).find('/'), std::string::npos)
            << drill_chart::row(i).drillName;
    }
}

TEST(DrillChart, FractionTextsAreFourPlacesHalfToEven) {
    const std::map<std::string, std::string> exact = {
        {"1/64", ".015625"}, {"1/32", ".03125"}, {"3/64", ".046875"}};
    int checked = 0;
    for (int i = 0; i < drill_chart::kEndRow; ++i) {
        const std::string name = drill_chart::row(i).drillName;
        if (name.find('/') == std::string::npos) continue;
        int whole = 0, num = 0, den = 1;
        if (std::sscanf(name.c_str(), "%d %d/%d", &whole, &num, &den) != 3) {
            whole = 0;
            ASSERT_EQ(std::sscanf(name.c_str(), "%d/%d", &num, &den), 2) << name;
        }
        const std::string expected =
            exact.count(name) ? exact.at(name) : fourPlaces(whole * den + num, den);
        EXPECT_EQ(drill_chart::row(i).decimalInch, expected) << name;
        ++checked;
    }
    EXPECT_EQ(checked, 211 - 5);  // the whole inches 1 to 5 have no slash
    EXPECT_STREQ(drill_chart::row(indexOf("3/32")).decimalInch, ".0938");
    EXPECT_STREQ(drill_chart::row(indexOf("5/32")).decimalInch, ".1562");
    EXPECT_STREQ(drill_chart::row(indexOf("1 1/64")).decimalInch, "1.0156");
    // Whole inches after the number drills.
    const int lastNumberOne = indexOf("1");  // the number drill "1" (.2280)
    EXPECT_STREQ(drill_chart::row(lastNumberOne).decimalInch, ".2280");
}

TEST(DrillChart, MetricTextsFollowTheMillimetreRule) {
    const std::map<std::string, std::string> stored = {
        {".85mm", ".0334645"},   {".95mm", ".0374015"},   {"1.00mm", ".03937008"},
        {"1.05mm", ".041338"},   {"12.70mm", ".5000"},    {"19.00mm", ".748032"},
        {"25.75mm", "1.01378"},  {"31.50mm", "1.240158"}, {"34.00mm", "1.338582"},
        {"44.00mm", "1.732284"}, {"56.50mm", "2.224410"}, {"57.00mm", "2.244095"},
        {"63.50mm", "2.5000"},   {"69.50mm", "2.736221"},
    };
    int metric = 0;
    for (int i = 0; i < drill_chart::kEndRow; ++i) {
        const std::string name = drill_chart::row(i).drillName;
        if (!name.ends_with("mm")) continue;
        ++metric;
        const double mm = std::stod(name.substr(0, name.size() - 2));
        // Name: two decimals and no zero before the point below 1 mm.
        char nameBuf[32];
        std::snprintf(nameBuf, sizeof nameBuf, "%.2fmm", mm);
        std::string expectedName = nameBuf;
        if (mm < 1.0) expectedName.erase(0, 1);
        EXPECT_EQ(name, expectedName);
        if (stored.count(name)) {
            EXPECT_EQ(drill_chart::row(i).decimalInch, stored.at(name)) << name;
            continue;
        }
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.*f", mm < 1.05 ? 7 : 6, mm / 25.4);
        std::string expected = buf;
        if (mm < 1.05) expected.erase(expected.find_last_not_of('0') + 1);
        if (expected.starts_with("0.")) expected.erase(0, 1);
        EXPECT_EQ(drill_chart::row(i).decimalInch, expected) << name;
    }
    EXPECT_EQ(metric, 429);
    EXPECT_STREQ(drill_chart::row(indexOf(".35mm")).decimalInch, ".0137795");
    EXPECT_STREQ(drill_chart::row(indexOf(".40mm")).decimalInch, ".015748");
    EXPECT_STREQ(drill_chart::row(indexOf("10.00mm")).decimalInch, ".393701");
}

TEST(DrillChart, NumberAndLetterDrillsMatchThePublishedSeries) {
    // Published decimal-inch sizes of the number and letter drills (copied into tests/data).
    FILE* f = std::fopen(TORVELD_TEST_DATA_DIR "/drills_number_letter.csv", "r");
    ASSERT_NE(f, nullptr);
    char line[256];
    int compared = 0;
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);  // header
    while (std::fgets(line, sizeof line, f)) {
        char kind[32], name[32];
        double inches = 0;
        if (std::sscanf(line, "%31[^,],%31[^,],%lf", kind, name, &inches) != 3) continue;
        const int i = indexOf(name[0] == '#' ? name + 1 : name);
        ASSERT_GE(i, 0) << name;
        ASSERT_LT(drill_chart::diameter(i), 1.0) << name;  // the number drill, not the inch
        EXPECT_NEAR(drill_chart::diameter(i), inches, 1e-9) << name;
        ++compared;
    }
    std::fclose(f);
    EXPECT_EQ(compared, 106);
}

}  // namespace
}  // namespace torveld
