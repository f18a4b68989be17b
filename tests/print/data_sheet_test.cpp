#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "data_sheet.h"
#include "recording_print_preview.h"
#include "sheet_input.h"

namespace torveld {
namespace {

using namespace platform;
using Call = RecordingPrintPreview::Call;
using Arg = RecordingPrintPreview::Argument;

const std::string kDeg = "\xC2\xB0";
constexpr long long kWhite = 16777215;

// `prefix` followed by the number (written by appending: GCC 12 warns falsely about
// "text" + std::string in optimised builds).
std::string numbered(const char* prefix, int number) {
    std::string text = prefix;
    text += std::to_string(number);
    return text;
}

std::string show(const Arg& a) {
    std::ostringstream out;
    if (const auto* i = std::get_if<long long>(&a)) out << *i;
    if (const auto* f = std::get_if<float>(&a)) out << *f << 'f';
    if (const auto* s = std::get_if<std::string>(&a)) out << '"' << *s << '"';
    return out.str();
}

std::string show(const Call& c) {
    std::string out = c.operation + "(";
    for (size_t i = 0; i < c.arguments.size(); ++i) out += (i ? ", " : "") + show(c.arguments[i]);
    return out + ")";
}

// Positions are compared at the three decimals the layout is written with (half a unit of the
// last place).
bool same(const Arg& got, const Arg& want) {
    if (got.index() != want.index()) return false;
    if (const auto* f = std::get_if<float>(&got)) {
        return std::fabs(*f - std::get<float>(want)) < 0.00051f;
    }
    return got == want;
}

bool same(const Call& got, const Call& want) {
    if (got.operation != want.operation || got.arguments.size() != want.arguments.size()) {
        return false;
    }
    for (size_t i = 0; i < got.arguments.size(); ++i) {
        if (!same(got.arguments[i], want.arguments[i])) return false;
    }
    return true;
}

// A main window whose fields read "f<id>" and whose engagement list holds `items`, as the window
// side records them; the sheet is made from that record as PRINT makes it.
class DataSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int id = 303; id <= 442; ++id) {
            if (id == 347 || id == 348) continue;
            shown.setText(id, numbered("f", id));
        }
        setItems({"", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "e8", "e9", "e10", "e11", "e12",
                  "e13", "e14", "e15", "e16"});
    }
    void setItems(const std::vector<std::string>& items) { shown.setEngagement(items); }
    bool print(SeriesId id, const UnitMode& mode, int start) {
        return printDataSheet(preview, sheetInput(shown, id, mode, start)) >= 1;
    }
    const std::vector<Call>& last() const { return preview.documents().back(); }

    // The calls a document should hold, on handle `doc`.
    Call start() const {
        return {"dpStartDoc", {0LL, "Thread Data", "", 0LL, 1LL, 1LL, 7LL, 136LL}};
    }
    Call rect(float x1, float y1, float x2, float y2) const {
        return {"dpRect", {doc, x1, y1, x2, y2, 2.0f, kWhite, 0LL}};
    }
    Call font(long long style, float size) const {
        return {"dpFont", {doc, style, size, 0LL, "Verdana"}};
    }
    Call centred(float x, float y, std::string text) const {
        return {"dpText", {doc, x, y, 1LL, std::move(text)}};
    }
    Call left(float x, float y, std::string text) const {
        return {"dpText", {doc, x, y, 0LL, std::move(text)}};
    }
    Call end() const { return {"dpEndDoc", {doc, 4LL}}; }
    static std::string f(int id) { return numbered("f", id); }
    static std::string sf(int id) { return numbered(" f", id); }

    void expectCalls(const std::vector<Call>& got, const std::vector<Call>& want) const {
        const size_t n = std::min(got.size(), want.size());
        int reported = 0;
        for (size_t i = 0; i < n && reported < 10; ++i) {
            if (!same(got[i], want[i])) {
                ADD_FAILURE() << "call " << i << ": got " << show(got[i]) << ", want "
                              << show(want[i]);
                ++reported;
            }
        }
        EXPECT_EQ(got.size(), want.size());
    }

    ControlTexts shown;
    RecordingPrintPreview preview;
    long long doc = 1;
};

const std::vector<float> X = {0.92f, 1.72f, 2.62f, 3.52f, 4.72f, 5.62f, 6.92f, 7.82f, 8.97f, 9.87f};

TEST_F(DataSheetTest, ScrewSheetCallByCall) {
    ASSERT_TRUE(print(series::UNC, UnitMode::inch(), 178));
    std::vector<Call> w = {start(),
                           rect(10.5f, 0.5f, 0.5f, 3.35f),
                           rect(10.5f, 3.5f, 0.5f, 5.5f),
                           font(1, 13),
                           rect(10.5f, 6.78f, 8.7f, 7.23f),
                           centred(9.6f, 6.88f, "INCH DISPLAY"),
                           font(5, 15),
                           centred(5.5f, 0.75f, f(349)),
                           centred(5.5f, 3.75f, f(350)),
                           font(5, 11),
                           centred(2.65f, 1.25f, f(353)),
                           centred(5.15f, 1.25f, f(354)),
                           centred(7.35f, 1.25f, f(355)),
                           centred(9.4f, 1.25f, f(356)),
                           centred(2.65f, 4.25f, f(376)),
                           centred(5.15f, 4.25f, f(377)),
                           centred(7.35f, 4.25f, f(378)),
                           font(5, 10),
                           centred(0.9f, 1.583f, "CLASS")};
    for (int i = 0; i < 9; ++i) {
        const int id = 363 + i;
        w.push_back(centred(X[static_cast<size_t>(i) + 1], 1.583f, i == 2 ? f(id) : sf(id)));
    }
    w.push_back(font(5, 10));
    const float geometryCaptionX[] = {1.7f, 2.85f, 3.9f, 5.12f, 6.55f};
    for (int i = 0; i < 5; ++i) w.push_back(centred(geometryCaptionX[i], 2.683f, f(358 + i)));
    w.push_back(centred(8.65f, 2.533f, f(357)));
    w.push_back(centred(8.1f, 2.783f, f(372)));
    w.push_back(centred(9.25f, 2.783f, f(373)));
    w.push_back(font(1, 10));
    const float geometryValueX[] = {1.65f, 2.85f, 3.85f, 5.1f, 6.55f};
    for (int i = 0; i < 5; ++i) w.push_back(centred(geometryValueX[i], 2.933f, f(321 + i)));
    w.push_back(centred(8.08f, 3.033f, f(326)));
    w.push_back(centred(9.23f, 3.033f, f(327)));
    w.push_back(font(5, 10));
    w.push_back(centred(0.9f, 4.583f, "CLASS"));
    for (int i = 0; i < 9; ++i) {
        const int id = 379 + i;
        w.push_back(centred(X[static_cast<size_t>(i) + 1], 4.583f, i == 2 ? f(id) : sf(id)));
    }
    w.push_back(font(1, 10));
    const auto row = [&](float y, int label, std::vector<int> ids) {
        w.push_back(centred(X[0], y, f(label)));
        for (size_t i = 0; i < ids.size(); ++i) w.push_back(centred(X[i + 1], y, f(ids[i])));
    };
    row(1.833f, 351, {303, 304, 305, 309, 310, 313, 314, 317, 318});
    row(4.833f, 374, {328, 329, 330, 334, 335, 338, 339, 342, 343});
    row(2.083f, 352, {306, 307, 308, 311, 312, 315, 316, 319, 320});
    row(5.083f, 375, {331, 332, 333, 336, 337, 340, 341});
    w.push_back(rect(2.3f, 6.1f, 0.5f, 7.9f));
    w.push_back(font(1, 11));
    w.push_back(left(0.8f, 5.85f, "ENGAGEMENT"));
    w.push_back(font(1, 10));
    for (int i = 1; i <= 9; ++i) {
        w.push_back(left(0.6f, static_cast<float>(6.2 + (i - 1) / 6.0), numbered("e", i)));
    }
    w.push_back(rect(4.65f, 6.1f, 2.5f, 7.9f));
    w.push_back(font(1, 11));
    w.push_back(left(2.8f, 5.85f, "TAP DRILL GUIDE"));
    w.push_back(font(1, 10));
    const char* names[] = {"4.95mm", "9", "5.00mm", "5.05mm", "8",
                           "5.10mm", "7", "5.15mm", "13/64",  "6"};
    const char* inches[] = {".1949", ".1960", ".1969", ".1988", ".1990",
                            ".2008", ".2010", ".2028", ".2031", ".2040"};
    for (int n = 0; n < 10; ++n)
        w.push_back(left(2.7f, static_cast<float>(6.15 + n / 6.0), names[n]));
    for (int n = 0; n < 10; ++n) {
        w.push_back(left(3.935f, static_cast<float>(6.15 + n / 6.0), inches[n]));
    }
    w.push_back(rect(8.4f, 6.0f, 4.85f, 8.0f));
    w.push_back(font(1, 11));
    w.push_back(left(5.85f, 5.75f, "THREAD INFO"));
    w.push_back(font(1, 10));
    const std::pair<float, const char*> description[] = {
        {6.05f, "UNIFIED COARSE PITCH SERIES"},
        {6.168f, ""},
        {6.285f, "2A = medium fit external"},
        {6.452f, "3A = close fit external"},
        {6.619f, "2B = medium fit internal"},
        {6.785f, "3B = close fit internal"},
        {6.903f, ""},
        {7.021f, "thread profile included angle = 60\xC2\xB0"},
        {7.138f, ""},
        {7.256f, "pitch diameter changes .0040 with"},
        {7.423f, "each .0010 of plating buildup"},
    };
    for (const auto& [y, text] : description) w.push_back(left(4.92f, y, text));
    w.push_back(end());
    expectCalls(last(), w);
    EXPECT_FALSE(preview.documentOpen());
}

TEST_F(DataSheetTest, PipeSheetCallByCall) {
    ASSERT_TRUE(print(series::NPT, UnitMode::metric(), 723));
    std::vector<Call> w = {start(),
                           rect(10.5f, 0.5f, 0.5f, 2.99f),
                           rect(10.5f, 3.14f, 0.5f, 4.75f),
                           font(1, 13),
                           rect(10.5f, 4.98f, 8.5f, 5.43f),
                           centred(9.5f, 5.08f, "METRIC DISPLAY"),
                           font(5, 15),
                           centred(5.5f, 0.75f, f(349)),
                           centred(5.5f, 3.386f, f(350)),
                           font(5, 11),
                           centred(2.78f, 1.25f, f(353)),
                           centred(4.88f, 1.25f, f(354)),
                           centred(7.6f, 1.25f, f(355)),
                           centred(4.15f, 2.125f, f(390)),
                           centred(2.56f, 3.89f, f(376)),
                           centred(6.84f, 3.89f, f(391)),
                           font(5, 10),
                           centred(4.88f, 1.52f, sf(366)),
                           centred(6.88f, 1.52f, sf(368)),
                           centred(8.33f, 1.52f, f(370)),
                           centred(2.31f, 2.4f, f(358)),
                           centred(3.76f, 2.4f, f(359)),
                           centred(4.54f, 2.4f, f(389)),
                           centred(5.79f, 2.4f, f(360)),
                           centred(7.04f, 2.4f, f(361)),
                           centred(8.69f, 2.4f, f(362)),
                           font(1, 10),
                           centred(2.31f, 2.67f, f(321)),
                           centred(3.76f, 2.67f, f(322)),
                           centred(4.54f, 2.67f, f(345)),
                           centred(5.79f, 2.67f, f(323)),
                           centred(7.04f, 2.67f, f(324)),
                           centred(8.69f, 2.67f, f(325)),
                           font(5, 10),
                           centred(1.86f, 4.16f, sf(379)),
                           centred(3.25f, 4.16f, sf(380)),
                           centred(5.0f, 4.16f, f(386)),
                           centred(6.45f, 4.16f, sf(387)),
                           centred(7.24f, 4.16f, sf(388)),
                           centred(8.94f, 4.16f, sf(392)),
                           font(1, 10),
                           centred(2.78f, 1.8f, f(304)),
                           centred(4.88f, 1.8f, f(309)),
                           centred(6.88f, 1.8f, f(313)),
                           centred(8.33f, 1.8f, f(317)),
                           centred(1.86f, 4.44f, f(328)),
                           centred(3.25f, 4.44f, f(329)),
                           centred(5.0f, 4.44f, f(342)),
                           centred(6.45f, 4.44f, f(343)),
                           centred(7.24f, 4.44f, f(344)),
                           centred(8.94f, 4.44f, f(346)),
                           rect(4.25f, 5.5f, 1.0f, 8.0f),
                           font(1, 11),
                           centred(2.625f, 5.25f, "f396"),  // the lengths list's caption, trimmed
                           font(1, 10)};
    for (int i = 1; i <= 15; ++i) {
        w.push_back(left(1.1f, static_cast<float>(5.7 + (i - 1) / 6.0), numbered("e", i)));
    }
    w.push_back(rect(6.56f, 5.9f, 4.44f, 8.0f));
    w.push_back(font(1, 11));
    w.push_back(centred(5.5f, 5.65f, "TAP DRILL GUIDE"));
    w.push_back(font(1, 10));
    const char* names[] = {"75.50mm", "2 63/64", "76.00mm", "3",     "3 1/8", "3 1/4",
                           "3 3/8",   "3 1/2",   "3 5/8",   "3 3/4", "3 7/8", "4"};
    const char* mm[] = {"75.500", "75.804", "76.000", "76.200", "79.375", "82.550",
                        "85.725", "88.900", "92.075", "95.250", "98.425", "101.600"};
    for (int n = 0; n < 12; ++n) {
        w.push_back(left(4.64f, static_cast<float>(5.95 + n / 6.0), names[n]));
    }
    for (int n = 0; n < 12; ++n) {
        const float x = n < 11 ? 5.715f : 5.6f;  // six characters, then seven
        w.push_back(left(x, static_cast<float>(5.95 + n / 6.0), mm[n]));
    }
    w.push_back(rect(10.1f, 5.9f, 6.75f, 8.0f));
    w.push_back(font(1, 11));
    w.push_back(centred(8.425f, 5.65f, "THREAD INFO"));
    w.push_back(font(1, 10));
    const double s = 1 / 6.0, b = 1 / 8.5;
    const std::pair<double, const char*> description[] = {
        {5.95, "AMERICAN NATIONAL STANDARD"},
        {5.95 + s, "TAPER PIPE THREAD"},
        {5.95 + s + b, ""},
        {5.95 + s + 2 * b, "OD/ID taper = 3/4\" per foot (included)"},
        {5.95 + s + 3 * b, ""},
        {5.95 + s + 4 * b, "thread profile included angle = 60\xC2\xB0"},
        {5.95 + s + 5 * b, ""},
        {5.95 + s + 6 * b, "pitch diameter changes .102 with"},
        {5.95 + 2 * s + 6 * b, "each .025 of plating buildup"},
    };
    for (const auto& [y, text] : description) {
        w.push_back(left(6.85f, static_cast<float>(y), text));
    }
    w.push_back(end());
    expectCalls(last(), w);
}

// Calls of one document with the given operation and text alignment, in order.
std::vector<Call> texts(const std::vector<Call>& calls) {
    std::vector<Call> out;
    for (const auto& c : calls) {
        if (c.operation == "dpText") out.push_back(c);
    }
    return out;
}

const Call* findText(const std::vector<Call>& calls, const std::string& text) {
    for (const auto& c : calls) {
        if (c.operation == "dpText" && std::get<std::string>(c.arguments[4]) == text) return &c;
    }
    return nullptr;
}

float argF(const Call& c, size_t i) {
    return std::get<float>(c.arguments[i]);
}

TEST_F(DataSheetTest, UnitBadgeOfTheScrewSheetWidensForMetric) {
    print(series::UNC, UnitMode::metric(), 178);
    expectCalls({last()[4], last()[5]},
                {rect(10.55f, 6.78f, 8.6f, 7.23f), centred(9.55f, 6.88f, "METRIC DISPLAY")});
    doc = 2;
    print(series::NPTF, UnitMode::inch(), 0);
    expectCalls({last()[4], last()[5]},
                {rect(10.5f, 4.98f, 8.5f, 5.43f), centred(9.5f, 5.08f, "INCH DISPLAY")});
}

TEST_F(DataSheetTest, StraightPipeThreadsUseTheScrewSheet) {
    for (SeriesId id : {series::NPSM, series::NPSL}) {
        print(id, UnitMode::inch(), 100);
        expectCalls({last()[1], last()[2]},
                    {rect(10.5f, 0.5f, 0.5f, 3.35f), rect(10.5f, 3.5f, 0.5f, 5.5f)});
        ++doc;
    }
    // NPSL packs its description with the narrower steps 1/7 and 1/9.5.
    const std::vector<Call> all = texts(last());
    const Call* first = findText(all, "AMERICAN NATIONAL STANDARD");
    const Call* second = findText(all, "STRAIGHT PIPE THREAD FOR LOCKNUTS");
    const Call* third = findText(all, "LOOSE-FITTING MECHANICAL JOINTS");
    const Call* lastLine = findText(all, "with the pitch diameter");
    ASSERT_TRUE(first && second && third && lastLine);
    EXPECT_FLOAT_EQ(argF(*first, 2), 6.05f);
    EXPECT_NEAR(argF(*second, 2), 6.05 + 1 / 7.0, 1e-5);
    EXPECT_NEAR(argF(*third, 2), 6.05 + 2 / 7.0, 1e-5);
    // 6 line steps and 8 blank steps lie between the first and the last line.
    EXPECT_NEAR(argF(*lastLine, 2), 6.05 + 6 / 7.0 + 8 / 9.5, 1e-5);
    EXPECT_FLOAT_EQ(argF(*lastLine, 1), 4.92f);
}

TEST_F(DataSheetTest, ExcerptEndingAtTheNoDataRow) {
    print(series::UN, UnitMode::metric(), 737);
    const std::vector<Call> all = texts(last());
    const char* names[] = {"4 1/2", "4 5/8", "4 3/4", "4 7/8", "5",
                           "5 1/8", "5 1/4", "5 3/8", "5 1/2", "NO DATA"};
    const char* mm[] = {"114.300", "117.475", "120.650", "123.825", "127.000",
                        "130.175", "133.350", "136.525", "139.700"};
    // All ten names first, then the diameters.
    size_t at = 0;
    while (at < all.size() && std::get<std::string>(all[at].arguments[4]) != "4 1/2") ++at;
    ASSERT_LT(at + 20, all.size());
    for (int n = 0; n < 10; ++n) {
        const float y = static_cast<float>(6.15 + n / 6.0);
        EXPECT_TRUE(same(all[at + static_cast<size_t>(n)], left(2.7f, y, names[n])))
            << show(all[at + static_cast<size_t>(n)]);
    }
    for (int n = 0; n < 9; ++n) {
        const float y = static_cast<float>(6.15 + n / 6.0);
        EXPECT_TRUE(same(all[at + 10 + static_cast<size_t>(n)], left(3.705f, y, mm[n])))
            << show(all[at + 10 + static_cast<size_t>(n)]);
    }
    EXPECT_TRUE(same(all[at + 19], left(3.705f, static_cast<float>(6.15 + 1.5), "NO DATA")))
        << show(all[at + 19]);
}

TEST_F(DataSheetTest, DiametersAreRightAlignedByTheirLength) {
    // Inch: five characters below one inch, six from one inch. Metric: four below 1 mm, five
    // below 10 mm, six below 100 mm, seven above.
    struct Case {
        UnitMode mode;
        int start;
        std::string first;
        float x;
    };
    const Case cases[] = {
        {UnitMode::inch(), 0, ".0135", 3.935f},     {UnitMode::inch(), 726, "3.0000", 3.82f},
        {UnitMode::metric(), 0, ".343", 4.05f},     {UnitMode::metric(), 178, "4.950", 3.935f},
        {UnitMode::metric(), 440, "20.638", 3.82f}, {UnitMode::metric(), 734, "101.600", 3.705f},
    };
    for (const auto& c : cases) {
        print(series::UNC, c.mode, c.start);
        const std::vector<Call> all = texts(last());
        const Call* t = findText(all, c.first);
        ASSERT_NE(t, nullptr) << c.first;
        EXPECT_FLOAT_EQ(argF(*t, 1), c.x) << c.first;
        EXPECT_FLOAT_EQ(argF(*t, 2), 6.15f) << c.first;
        // Every diameter of the excerpt ends at x 4.51.
        int diameters = 0;
        for (const Call& call : all) {
            const float x = argF(call, 1), y = argF(call, 2);
            if (x < 3.7f || x > 4.06f || y < 6.1f || y > 7.7f) continue;
            const auto& text = std::get<std::string>(call.arguments[4]);
            EXPECT_NEAR(x + 0.115 * static_cast<double>(text.size()), 4.51, 1e-5) << text;
            ++diameters;
        }
        EXPECT_EQ(diameters, 10);
        ++doc;
    }
}

TEST_F(DataSheetTest, RowsPastTheEndOfTheChartPrintBlank) {
    print(series::UNC, UnitMode::inch(), 742);
    const std::vector<Call> all = texts(last());
    size_t at = 0;
    while (at < all.size() && std::get<std::string>(all[at].arguments[4]) != "5 1/8") ++at;
    ASSERT_LT(at + 14, all.size());
    const char* names[] = {"5 1/8", "5 1/4", "5 3/8", "5 1/2", "NO DATA", "", "", "", "", ""};
    for (int n = 0; n < 10; ++n) {
        EXPECT_TRUE(same(all[at + static_cast<size_t>(n)],
                         left(2.7f, static_cast<float>(6.15 + n / 6.0), names[n])));
    }
    // Five diameters only, the last "NO DATA"; then the description box follows.
    EXPECT_TRUE(same(all[at + 10], left(3.82f, 6.15f, "5.1250")));
    EXPECT_TRUE(same(all[at + 14], left(3.705f, static_cast<float>(6.15 + 4 / 6.0), "NO DATA")));
    EXPECT_EQ(std::get<std::string>(all[at + 15].arguments[4]), "THREAD INFO");
    // And so does the pipe sheet, from a start index past its last full excerpt.
    ++doc;
    print(series::NPT, UnitMode::inch(), 740);
    const std::vector<Call> pipe = texts(last());
    const Call* noData = findText(pipe, "NO DATA");
    ASSERT_NE(noData, nullptr);
    EXPECT_NEAR(argF(*noData, 2), 5.95 + 6 / 6.0, 1e-5);
}

TEST_F(DataSheetTest, MissingEngagementItemsPrintEmpty) {
    setItems({"", "         NO DATA"});
    print(series::ACME, UnitMode::inch(), 100);
    const std::vector<Call> all = texts(last());
    const Call* first = findText(all, "         NO DATA");
    ASSERT_NE(first, nullptr);
    const size_t at = static_cast<size_t>(first - all.data());
    EXPECT_FLOAT_EQ(argF(all[at], 1), 0.6f);
    EXPECT_FLOAT_EQ(argF(all[at], 2), 6.2f);
    for (size_t n = 1; n < 9; ++n) {
        EXPECT_TRUE(same(all[at + n], left(0.6f, static_cast<float>(6.2 + n / 6.0), "")))
            << show(all[at + n]);
    }
    EXPECT_EQ(std::get<std::string>(all[at + 9].arguments[4]), "TAP DRILL GUIDE");
}

TEST_F(DataSheetTest, FieldsAreCopiedAsDisplayed) {
    shown.setText(349, "1/4 - 20  UNC");
    shown.setText(303, ".2489");
    shown.setText(365, "");  // an empty field prints as an empty text
    print(series::UNC, UnitMode::inch(), 178);
    const std::vector<Call>& calls = last();
    EXPECT_TRUE(same(calls[7], centred(5.5f, 0.75f, "1/4 - 20  UNC")));
    EXPECT_TRUE(same(calls[19], centred(X[1], 1.583f, sf(363))));
    EXPECT_TRUE(same(calls[20], centred(X[2], 1.583f, sf(364))));
    EXPECT_TRUE(same(calls[21], centred(X[3], 1.583f, "")));
    EXPECT_NE(findText(calls, ".2489"), nullptr);
}

// A special size's note comes last, under the display box, its first line emphasised; the
// calls before it are those of the same sheet without a note.
TEST_F(DataSheetTest, SpecialNotePrintsUnderTheDisplayBoxAfterEverythingElse) {
    print(series::UNS, UnitMode::inch(), 178);
    const std::vector<Call> plain = last();
    DataSheetInput input = sheetInput(shown, series::UNS, UnitMode::inch(), 178);
    input.specialNote = {"SPECIAL SIZE:", "values computed by the", "no 6H internal"};
    doc = 2;
    ASSERT_EQ(printDataSheet(preview, input), 2);
    const std::vector<Call>& noted = last();
    ASSERT_EQ(noted.size(), plain.size() + 6);
    std::vector<Call> before(noted.begin(), noted.begin() + static_cast<long>(plain.size()) - 1);
    for (std::size_t i = 1; i < before.size(); ++i) before[i].arguments[0] = 1LL;  // first handle
    expectCalls(before, std::vector<Call>(plain.begin(), plain.end() - 1));
    expectCalls(std::vector<Call>(noted.end() - 7, noted.end()),
                {font(5, 8.0f), left(8.7f, 7.38f, "SPECIAL SIZE:"), font(1, 8.0f),
                 left(8.7f, 7.505f, "values computed by the"), font(1, 8.0f),
                 left(8.7f, 7.63f, "no 6H internal"), end()});
}

// The handle of a failed start comes back for the window side's message (whose text the
// driver and robustness suites check); nothing is drawn.
TEST_F(DataSheetTest, AFailedStartDrawsNothingAndGivesTheHandle) {
    preview.failNextStart();
    EXPECT_EQ(printDataSheet(preview, sheetInput(shown, series::UNC, UnitMode::inch(), 178)), 0);
    EXPECT_TRUE(preview.documents().empty());
    // The next PRINT tries again and succeeds.
    EXPECT_TRUE(print(series::UNC, UnitMode::inch(), 178));
    ASSERT_EQ(preview.documents().size(), 1u);
    EXPECT_EQ(last().back().operation, "dpEndDoc");
}

}  // namespace
}  // namespace torveld
