// Every tabulated size of every series, in inches and in millimetres: the answer's fields are the
// texts a window of its own shows after the user picked that series, unit and size, and its
// limits are those texts. The query answers all sizes from one window, in an order no user
// would take (each size in both units, the series backwards), so that an answer leaning on an
// earlier one shows.
//
// Where each limit stands is this test's own reading of the grids (control by control, as the
// window's layout draws them), not the display tables the query reads.
#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "control_table.h"
#include "headless_windowing.h"
#include "limit_tables.h"
#include "main_window.h"
#include "query_session.h"
#include "recording_print_preview.h"

namespace torveld::query {
namespace {

using Texts = std::map<int, std::string>;

// The shown texts of controls 303 to 392 of a window.
Texts shownTexts(const platform::HeadlessWindowing& ui, platform::WindowHandle window) {
    Texts texts;
    for (int id = 303; id <= 392; ++id) {
        const platform::HeadlessControl* c = ui.control(window, id);
        if (c && c->visible && c->rect.width > 0 && c->rect.height > 0) texts[id] = c->text;
    }
    return texts;
}

// A window driven straight to each size of one series in one unit, as a user would.
struct Reference {
    platform::HeadlessWindowing ui;
    platform::RecordingPrintPreview printing;
    MainWindow main{ui, printing};

    Reference(SeriesId series, DisplayUnit unit) {
        main.startUp();
        ui.attach(&main);
        ui.click(main.window(), seriesRadioId(series));
        ui.click(main.window(), unit == DisplayUnit::Metric ? 400 : 399);
    }
    Texts pick(int row) {
        ui.select(main.window(), 302, row);
        return shownTexts(ui, main.window());
    }
    std::string sizeText(int row) const {
        std::string item = ui.listItem(main.window(), 302, row);
        return item.substr(item.find_first_not_of(' '));
    }
};

// The grids as the window lays them out: the label of each class row and the cell of each limit
// (major max, major min, pitch max, pitch min, minor max, minor min; 0 where the row has no
// such cell). The first external minor column is the maximum ("REF" or "MAX"), the second the
// minimum.
struct GridRow {
    bool external;
    int label;
    int cells[6];
};
constexpr GridRow kGrid[] = {
    {true, 351, {303, 304, 309, 310, 313, 314}},
    {true, 352, {306, 307, 311, 312, 315, 316}},
    {false, 374, {339, 338, 335, 334, 329, 328}},
    {false, 375, {341, 340, 337, 336, 332, 331}},
};

// The class names of rows the window leaves unlabelled: the one class of each standard.
std::string unlabelled(SeriesId series) {
    if (series == series::NPSL) return "NPSL";
    if (series == series::UNM) return "UNM";
    if (series == series::STUB_ACME) return "2G";
    if (series == series::G) return "G";
    return "";
}

bool isNumber(const std::string& text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// A number written as the window writes it: `places` decimals, no zero before the point below 1.
std::string windowText(double value, int places) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places).ptr;
    std::string text(buffer, end);
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    return text;
}

const ClassLimits* findClass(const std::vector<ClassLimits>& classes, const std::string& name) {
    for (const ClassLimits& c : classes) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

// The limits agree with the texts of the grids, in both directions.
void expectLimitsAreTheTexts(const Answer& a, const Texts& texts, SeriesId series,
                             DisplayUnit unit) {
    const int places = unit == DisplayUnit::Metric ? 3 : 4;
    int numbers = 0;
    for (const GridRow& row : kGrid) {
        const auto label = texts.find(row.label);
        std::string name = label == texts.end() ? "" : label->second;
        if (name.empty()) name = unlabelled(series);
        const ClassLimits* c = findClass(row.external ? a.external : a.internal, name);
        for (int i = 0; i < 6; ++i) {
            const auto cell = texts.find(row.cells[i]);
            if (row.cells[i] == 0 || cell == texts.end() || !isNumber(cell->second)) continue;
            ++numbers;
            ASSERT_FALSE(name.empty()) << a.designation << ": a number in an unnamed row";
            ASSERT_NE(c, nullptr) << a.designation << " lacks class " << name;
            ASSERT_TRUE(c->values[i]) << a.designation << " " << name << " " << kLimitNames[i];
            EXPECT_EQ(c->values[i]->text, cell->second) << a.designation << " " << name;
            EXPECT_EQ(windowText(c->values[i]->value, places), cell->second)
                << a.designation << " " << name << " " << kLimitNames[i];
        }
    }
    int limits = 0;
    for (const auto* side : {&a.external, &a.internal}) {
        for (const ClassLimits& c : *side) {
            EXPECT_FALSE(c.empty()) << a.designation << " " << c.name;
            for (const auto& v : c.values) limits += v.has_value();
        }
    }
    EXPECT_EQ(limits, numbers) << a.designation << ": limits the grids do not show";
}

// Each class has a provenance entry naming a table of the series, with that table's statement.
void expectTablesNamed(const Answer& a) {
    for (const auto* side : {&a.external, &a.internal}) {
        for (const ClassLimits& c : *side) {
            bool found = false;
            for (const Provenance& p : a.provenance) {
                ASSERT_TRUE(p.table) << a.designation;
                const LimitTable* table = nullptr;
                for (const LimitTable* t : torveld::limits::kAll) {
                    if (*p.table == t->name) table = t;
                }
                ASSERT_NE(table, nullptr) << a.designation << ": no table " << *p.table;
                EXPECT_EQ(p.source, table->provenance) << a.designation;
                for (const std::string& name : p.classes) found = found || name == c.name;
            }
            EXPECT_TRUE(found) << a.designation << " " << c.name << " has no provenance";
        }
    }
}

TEST(EveryTabulatedSize, FieldsAreTheWindowsTextsAndLimitsAgreeWithThem) {
    Session session;
    // Answered first, in the session's order: each size in both units, the series backwards.
    std::map<std::pair<SeriesId, int>, Outcome> answers[2];
    std::vector<SeriesId> order = seriesInRadioOrder();
    ASSERT_EQ(order.size(), 26u);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        for (int row = 0; row < sizeCount(*it); ++row) {
            const std::string canonical(designation::ofSize(*it, row).canonical.view());
            for (DisplayUnit unit : {DisplayUnit::Metric, DisplayUnit::Inch}) {
                answers[unit == DisplayUnit::Metric].emplace(std::pair{*it, row},
                                                             session.answer(canonical, unit));
            }
        }
    }

    int sizes = 0;
    for (SeriesId series : order) {
        for (DisplayUnit unit : {DisplayUnit::Inch, DisplayUnit::Metric}) {
            Reference reference(series, unit);
            for (int row = 0; row < sizeCount(series); ++row) {
                const Outcome& outcome = answers[unit == DisplayUnit::Metric].at({series, row});
                ASSERT_TRUE(std::holds_alternative<Answer>(outcome))
                    << seriesById(series).name << " row " << row << ": "
                    << std::get<Failure>(outcome).reason;
                const Answer& a = std::get<Answer>(outcome);
                const Texts texts = reference.pick(row);
                ++sizes;
                EXPECT_EQ(a.series, seriesById(series).name);
                EXPECT_EQ(a.sizeIndex, row);
                EXPECT_TRUE(a.tabulated);
                EXPECT_EQ(a.unit, unit);
                EXPECT_EQ(a.size, reference.sizeText(row));
                EXPECT_EQ(Texts(a.fields.begin(), a.fields.end()), texts)
                    << a.designation << " in " << (unit == DisplayUnit::Metric ? "mm" : "inch");
                if (seriesById(series).family == SeriesFamily::TaperPipe) {
                    // The pipe arrangement's fields are gauge values, not class limits.
                    EXPECT_TRUE(a.external.empty() && a.internal.empty()) << a.designation;
                    EXPECT_TRUE(a.provenance.empty()) << a.designation;
                } else if (seriesById(series).family == SeriesFamily::BritishTaper) {
                    // R's fields are gauge values but for the minor diameter limits of the
                    // parallel Rp, which "Rp" designates.
                    EXPECT_TRUE(a.external.empty() && a.internal.empty()) << a.designation;
                    const Outcome rpOutcome = session.answer("Rp" + a.designation.substr(1), unit);
                    ASSERT_TRUE(std::holds_alternative<Answer>(rpOutcome)) << a.designation;
                    const Answer& rpAnswer = std::get<Answer>(rpOutcome);
                    ASSERT_EQ(rpAnswer.internal.size(), 1u) << rpAnswer.designation;
                    const ClassLimits& rp = rpAnswer.internal[0];
                    EXPECT_EQ(rp.name, "Rp");
                    EXPECT_EQ(rp.values[static_cast<int>(SizeLimit::MinorMin)]->text,
                              texts.at(328));
                    EXPECT_EQ(rp.values[static_cast<int>(SizeLimit::MinorMax)]->text,
                              texts.at(329));
                } else {
                    expectLimitsAreTheTexts(a, texts, series, unit);
                    expectTablesNamed(a);
                }
                if (HasFailure()) return;  // one size's differences are enough to read
            }
        }
    }
    EXPECT_EQ(sizes, 2 * 1239);
}

// The unit follows the series' own table unless asked for.
TEST(EveryTabulatedSize, TheUnitIsTheTablesUnlessAskedFor) {
    Session session;
    const std::pair<const char*, DisplayUnit> cases[] = {
        {"1/4-20 UNC", DisplayUnit::Inch},    {"M10", DisplayUnit::Metric},
        {"M10x1.25", DisplayUnit::Metric},    {"0.30 UNM", DisplayUnit::Metric},
        {"2 BA", DisplayUnit::Metric},        {"1/4 BSW", DisplayUnit::Inch},
        {"1/2 NPT", DisplayUnit::Inch},       {"3/4-6 ACME", DisplayUnit::Inch},
        {".2500-20 UNJC", DisplayUnit::Inch}, {"1/4-20 UNC-STI", DisplayUnit::Inch},
    };
    for (const auto& [text, unit] : cases) {
        const Outcome o = session.answer(text);
        ASSERT_TRUE(std::holds_alternative<Answer>(o)) << text;
        EXPECT_EQ(std::get<Answer>(o).unit, unit) << text;
        const DisplayUnit other =
            unit == DisplayUnit::Inch ? DisplayUnit::Metric : DisplayUnit::Inch;
        EXPECT_EQ(std::get<Answer>(session.answer(text, other)).unit, other) << text;
    }
    EXPECT_EQ(seriesByName("iso fine"), series::ISO_FINE);
    EXPECT_EQ(seriesByName("unc_sti"), series::UNC_STI);
    EXPECT_EQ(seriesByName("Stub-Acme"), series::STUB_ACME);
    EXPECT_FALSE(seriesByName("UNCC"));
    EXPECT_FALSE(seriesByName(""));
}

}  // namespace
}  // namespace torveld::query
