// Copy on the headless platform: Ctrl+C puts the whole display on the clipboard as a table of
// tab-separated cells, and the context menu of a value field copies its number in the other
// unit. Limits are the published ones (ASME B1.1, B1.20.1, ISO 965-2), converted by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "control_ids.h"
#include "designation.h"
#include "main_window_fixture.h"

namespace torveld::platform {
void PrintTo(const MenuEntry& entry, std::ostream* out) {
    *out << '{' << entry.label << ", " << entry.clipboardText << '}';
}
}  // namespace torveld::platform

namespace torveld::testing {
namespace {

using Line = std::vector<std::string>;
using platform::MenuEntry;

std::vector<Line> cellsOf(const std::string& table) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < table.size()) {
        const std::size_t end = table.find('\n', start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the table's last line has no line end";
            break;
        }
        Line cells;
        std::size_t from = start;
        for (;;) {
            const std::size_t tab = table.find('\t', from);
            if (tab == std::string::npos || tab > end) break;
            cells.push_back(table.substr(from, tab - from));
            from = tab + 1;
        }
        cells.push_back(table.substr(from, end - from));
        lines.push_back(cells);
        start = end + 1;
    }
    return lines;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool isNumber(const std::string& cell) {
    return !cell.empty() && cell.find_first_not_of("0123456789.") == std::string::npos;
}

class CopyTest : public MainWindowTest {
  protected:
    std::vector<Line> table() const { return cellsOf(main.displayTable()); }
    // Picks the size whose list entry is the designation and pitch given ("1/4 - 20").
    void chooseSize(SeriesId series, const std::string& entry) {
        choose(series, 0);
        const auto& list = items(ids::kSizeList);
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == "  " + entry) {
                select(ids::kSizeList, static_cast<int>(i));
                return;
            }
        }
        FAIL() << "no size " << entry;
    }
    // The value fields a user sees: read-only text boxes with a size, the two headers aside.
    std::vector<int> shownFields() const {
        std::vector<int> fields;
        for (const ControlDef& def : mainControls()) {
            const platform::HeadlessControl& c = control(def.id);
            if (c.kind == platform::ControlKind::TextBox && c.visible && c.rect.width > 0 &&
                c.rect.height > 0 && def.id != ids::kExternalHeader &&
                def.id != ids::kInternalHeader) {
                fields.push_back(def.id);
            }
        }
        return fields;
    }
    std::vector<MenuEntry> menu(int id) { return ui.menu(win(), id); }
    // The guide drill as the drill chart shows it: its name and its diameter.
    Line guideDrill() const {
        const platform::HeadlessControl& chart = control(ids::kDrillChart);
        const auto& row = chart.rows.at(static_cast<std::size_t>(chart.selected));
        return {row[0], trimmed(row[1])};
    }
};

TEST_F(CopyTest, TableOfAUnifiedSizeInInchesHasThePublishedLimitsUnderTheWindowsCaptions) {
    chooseSize(series::UNC, "1/4 - 20");
    const std::vector<Line> lines = table();
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[0], (Line{"1/4-20 UNC", "inches"}));
    EXPECT_EQ(lines[1], Line{""});
    EXPECT_EQ(lines[2],
              (Line{"EXTERNAL", "MAJOR DIAMETER MAX", "MAJOR DIAMETER MIN", "MAJOR DIAMETER MEAN",
                    "PITCH DIAMETER MAX", "PITCH DIAMETER MIN", "MINOR DIAMETER REF",
                    "MINOR DIAMETER MIN", "OVER WIRES MAX", "OVER WIRES MIN"}));
    // The means and the measurements over wires as the window shows them; MINOR MIN is "--".
    EXPECT_EQ(lines[3], (Line{"2A", ".2489", ".2408", text(305), ".2164", ".2127", ".1876", "",
                              text(317), text(318)}));
    EXPECT_EQ(lines[4], (Line{"3A", ".2500", ".2419", text(308), ".2175", ".2147", ".1887", "",
                              text(319), text(320)}));
    // Best wire 0.57735 P and constant 0.866025 P at five places; no radii for Unified.
    EXPECT_EQ(lines[6], (Line{"HEIGHT", text(ids::kExtHeight)}));
    EXPECT_EQ(lines[7], (Line{"FLAT", text(ids::kExtFlat)}));
    EXPECT_EQ(lines[8], (Line{"PITCH", ".0500"}));
    EXPECT_EQ(lines[9], (Line{"BEST WIRE", ".02887"}));
    EXPECT_EQ(lines[10], (Line{"CONSTANT", ".04330"}));
    EXPECT_EQ(lines[11], (Line{"RADII CREST", ""}));
    EXPECT_EQ(lines[12], (Line{"RADII ROOT", ""}));
    EXPECT_EQ(lines[14], (Line{"INTERNAL", "MINOR DIAMETER MIN", "MINOR DIAMETER MAX",
                               "MINOR DIAMETER MEAN", "PITCH DIAMETER MIN", "PITCH DIAMETER MAX",
                               "MAJOR DIAMETER MIN", "MAJOR DIAMETER MAX", "HEIGHT", "FLAT"}));
    EXPECT_EQ(lines[15], (Line{"2B", ".1960", ".2070", text(330), ".2175", text(335), ".2500", "",
                               text(ids::kIntHeight), text(ids::kIntFlat)}));
    EXPECT_EQ(lines[16],
              (Line{"3B", ".1960", ".2067", text(333), ".2175", ".2211", ".2500", "", "", ""}));
    // The drills for 100 % (D - 1.3 P) and 50 % (D - 0.65 P) of thread.
    EXPECT_EQ(lines[18], Line{"ENGAGEMENT"});
    EXPECT_EQ(lines[19], (Line{"100%", ".1850"}));
    EXPECT_EQ(lines[27], (Line{"50%", ".2175"}));
    EXPECT_EQ(lines[28], Line{""});
    Line guide{"TAP DRILL GUIDE"};
    for (const std::string& cell : guideDrill()) guide.push_back(cell);
    EXPECT_EQ(lines[29], guide);
}

TEST_F(CopyTest, TableInMillimetresHasTheLimitsConvertedAndTheCaptionsOfTheFamily) {
    chooseSize(series::UNC, "1/4 - 20");
    click(ids::kMillimeters);
    std::vector<Line> lines = table();
    EXPECT_EQ(lines[0], (Line{"1/4-20 UNC", "millimetres"}));
    // .2489 in = 6.32206 mm, .2408 in = 6.11632 mm; best wire 0.57735 x 1.27 mm = 0.73323 mm.
    EXPECT_EQ(lines[3][1], "6.322");
    EXPECT_EQ(lines[3][2], "6.116");
    EXPECT_EQ(lines[9], (Line{"BEST WIRE", ".7332"}));
    EXPECT_EQ(lines[19], (Line{"100%", "4.699"}));

    // The captions are the family's: British effective diameter, UNJ root radius, the insert
    // tappings' minor diameter after tapping and countersink.
    chooseSize(series::BSW, "5/16 - 18");
    lines = table();
    EXPECT_EQ(lines[0], (Line{"5/16-18 BSW", "millimetres"}));
    EXPECT_EQ(lines[2][4], "EFFECTIVE DIAMETER MAX");
    EXPECT_EQ(lines[3][0], "Med");
    EXPECT_EQ(lines[4][0], "Close");
    chooseSize(series::UNJC, ".2500 - 20");
    lines = table();
    EXPECT_EQ(lines[0], (Line{".2500-20 UNJC", "millimetres"}));
    EXPECT_EQ(lines[2][6], "MINOR DIAMETER MAX");
    EXPECT_EQ(lines[11][0], "ROOT RADIUS MAX");
    EXPECT_EQ(lines[12][0], "ROOT RADIUS MIN");
    chooseSize(series::UNC_STI, "1/4 - 20");
    lines = table();
    EXPECT_EQ(lines[0], (Line{"1/4-20 UNC-STI", "millimetres"}));
    EXPECT_EQ(lines[14][1], "MINOR DIAMETER AFTER TAPPING MIN");
    EXPECT_EQ(lines[14][8], "CSINK MIN");
    EXPECT_EQ(lines[18], Line{"ENGAGEMENT"});
    EXPECT_EQ(lines[19], Line{"NO DATA"});
}

TEST_F(CopyTest, TableOfThePipeArrangementHasItsGaugeValuesAndLengths) {
    chooseSize(series::NPT, "3/8 - 18");
    std::vector<Line> lines = table();
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[0], (Line{"3/8-18 NPT", "inches"}));
    const std::vector<Line> inches{
        {""},
        {"EXTERNAL"},
        {"PIPE DIAMETER", ".6750"},
        {"MAJOR DIAMETER END OF PIPE", text(ids::kExtNormalPitchMax)},
        {"PITCH DIAMETER E1 GAGE NOTCH", ".6270"},
        {"PITCH DIAMETER E0 END OF PIPE", ".6120"},
        {"HEIGHT", ".0444"},
        {"FLAT AT CREST MAX", text(ids::kExtFlat)},
        {"FLAT AT CREST MIN", text(ids::kPipeExtFlatMin)},
        {"PITCH", ".0556"},
        {"BEST WIRE", text(ids::kBestWire)},
        {"CONSTANT (2 WIRE)", text(ids::kConstant)},
        {""},
        {"INTERNAL"},
        {"MINOR DIAMETER FACE OF PART", text(ids::kIntNormalMinorMin)},
        {"MINOR DIAMETER K0 END OF PIPE", ".5676"},
        {"HEIGHT", ".0444"},
        {"FLAT AT CREST MAX", text(ids::kIntFlat)},
        {"FLAT AT CREST MIN", text(ids::kPipeIntFlatMin)},
        {"TAP DEPTH (REF)", text(ids::kPipeTapDepth)},
        {""},
        {"L1 - L4 LENGTHS"},
        {"L1", ".2400", "4.32 THREADS"},
        {"LENGTH OF HAND ENGAGEMENT"},
        {"L2", ".4078", "7.34 THREADS"},
        {"LENGTH OF EFFECTIVE THREAD"},
        {"L3", ".1667", "3.00 THREADS"},
        {"LENGTH OF WRENCH TAKEUP"},
        {"L4", ".6006", "10.81 THREADS"},
        {"OVERALL EXTERNAL THREAD LENGTH"},
        {""},
    };
    EXPECT_TRUE(std::equal(inches.begin(), inches.end(), lines.begin() + 1));

    // In millimetres: OD .675 in = 17.145 mm, E1 .62701 in = 15.926, E0 .61201 in = 15.545,
    // K0 .5676 in = 14.417, L1 .240 in = 6.096, L3 .1667 in = 4.234, L4 .6006 in = 15.255;
    // the thread counts stay.
    click(ids::kMillimeters);
    lines = table();
    EXPECT_EQ(lines[0], (Line{"3/8-18 NPT", "millimetres"}));
    EXPECT_EQ(lines[3], (Line{"PIPE DIAMETER", "17.145"}));
    EXPECT_EQ(lines[5], (Line{"PITCH DIAMETER E1 GAGE NOTCH", "15.926"}));
    EXPECT_EQ(lines[6], (Line{"PITCH DIAMETER E0 END OF PIPE", "15.545"}));
    EXPECT_EQ(lines[16], (Line{"MINOR DIAMETER K0 END OF PIPE", "14.417"}));
    EXPECT_EQ(lines[23], (Line{"L1", "6.096", "4.32 THREADS"}));
    EXPECT_EQ(lines[27], (Line{"L3", "4.234", "3.00 THREADS"}));
    EXPECT_EQ(lines[29], (Line{"L4", "15.255", "10.81 THREADS"}));

    // NPTF ends with the internal thread's lengths.
    chooseSize(series::NPTF, "3/8 - 18");
    lines = table();
    EXPECT_EQ(lines[0], (Line{"3/8-18 NPTF", "millimetres"}));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[27].front(), "SHOULDER LENGTH");
    EXPECT_EQ(lines[27].size(), 2u);
    EXPECT_EQ(lines[28], Line{"OVERALL INTERNAL THREAD"});
    EXPECT_EQ(lines[29].front(), "LENGTH");
    EXPECT_EQ(lines[29].size(), 3u);
}

// Every size of every series shows its size on top, every number the window shows once, in
// the block above the lists, and no "--" or "---".
TEST_F(CopyTest, TablesOfEverySeriesHoldExactlyTheNumbersTheWindowShows) {
    int tables = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const int sizes = sizeCount(id);
        for (const int size : {0, sizes / 2, sizes - 1}) {
            choose(id, 0);
            if (size != 0) select(ids::kSizeList, size);
            for (const int unit : {ids::kInches, ids::kMillimeters}) {
                click(unit);
                const std::string where = std::string(seriesById(id).name) + " row " +
                                          std::to_string(size) + " unit " + std::to_string(unit);
                const std::vector<Line> lines = table();
                ASSERT_GE(lines.size(), 8u) << where;
                const std::string canonical(designation::ofSize(id, size).canonical.view());
                EXPECT_EQ(lines[0],
                          (Line{canonical, unit == ids::kInches ? "inches" : "millimetres"}))
                    << where;

                const std::string listHeading = trimmed(text(ids::kEngagementCaption));
                const auto list = std::find(lines.begin(), lines.end(), Line{listHeading});
                ASSERT_NE(list, lines.end()) << where;
                std::vector<std::string> numbers;
                std::size_t width = 0;
                for (auto line = lines.begin() + 1; line != list; ++line) {
                    if ((line->front() == "EXTERNAL" || line->front() == "INTERNAL") &&
                        line->size() > 1) {
                        width = line->size();
                    } else if (line->size() == 1) {
                        width = 0;
                    } else if (width != 0) {
                        EXPECT_EQ(line->size(), width) << where << ": a grid row of its width";
                    }
                    for (const std::string& cell : *line) {
                        EXPECT_TRUE(cell != "--" && cell != "---") << where;
                        if (isNumber(cell)) numbers.push_back(cell);
                    }
                }
                std::vector<std::string> shown;
                for (const int field : shownFields()) {
                    const std::string value = trimmed(text(field));
                    if (value != "--" && value != "---" && !value.empty()) shown.push_back(value);
                }
                std::sort(numbers.begin(), numbers.end());
                std::sort(shown.begin(), shown.end());
                EXPECT_EQ(numbers, shown) << where;

                // The list line by line, each cell where the window's line has it.
                auto line = list + 1;
                for (const std::string& item : items(ids::kEngagementList)) {
                    if (trimmed(item).empty()) continue;
                    ASSERT_NE(line, lines.end()) << where;
                    std::size_t at = 0;
                    for (const std::string& cell : *line) {
                        at = item.find(cell, at);
                        ASSERT_NE(at, std::string::npos) << where << ": " << cell << " in " << item;
                        at += cell.size();
                    }
                    ++line;
                }
                ASSERT_NE(line, lines.end()) << where;
                EXPECT_EQ(*line, Line{""}) << where;
                Line guide{trimmed(text(ids::kDrillChartCaption))};
                for (const std::string& cell : guideDrill()) guide.push_back(cell);
                if (guide.back() == "NO DATA") guide.pop_back();
                EXPECT_EQ(*(line + 1), guide) << where;
                ++tables;
            }
        }
    }
    EXPECT_EQ(tables, 26 * 3 * 2);
}

TEST_F(CopyTest, CtrlCPutsTheTableOnTheClipboardAsTheWindowShowsIt) {
    EXPECT_EQ(ui.clipboard(), "");
    EXPECT_TRUE(ui.key(win(), {'C', true}));
    EXPECT_EQ(ui.clipboard(), main.displayTable());
    EXPECT_EQ(ui.clipboard().substr(0, 16), "1-64 UNC\tinches\n");

    chooseSize(series::NPTF, "1/2 - 14");
    click(ids::kMillimeters);
    EXPECT_TRUE(ui.key(win(), {'C', true}));
    EXPECT_EQ(ui.clipboard(), main.displayTable());
    EXPECT_EQ(ui.clipboard().substr(0, 24), "1/2-14 NPTF\tmillimetres\n");

    // Only Ctrl+C; the information window has a Ctrl+C of its own no more than other keys.
    ui.setClipboardText("");
    EXPECT_FALSE(ui.key(win(), {'C', false}));
    click(ids::kInfo);
    EXPECT_FALSE(ui.key(main.infoWindow().handle(), {'C', true}));
    EXPECT_EQ(ui.clipboard(), "");

    click(ids::kClose);
    EXPECT_TRUE(main.ended());
    ui.key(win(), {'C', true});
    EXPECT_EQ(ui.clipboard(), "") << "nothing after the end";
}

// A special size is named by its size alone, whatever class and hand it was found with; its
// limits are those of the series' usual classes, as the window shows them.
TEST_F(CopyTest, TableOfASpecialSizeNamesTheSizeWithoutTheClassFound) {
    ASSERT_TRUE(main.find(".6875-24 uns-2a-lh").found);
    const std::vector<Line> lines = table();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], (Line{"11/16-24 UNS", "inches"}));
    ASSERT_TRUE(main.find("M42x1-6H").found);
    EXPECT_EQ(table()[0], (Line{"M42x1", "inches"}));
}

TEST_F(CopyTest, FieldMenusCopyTheNumberInTheOtherUnit) {
    chooseSize(series::UNC, "1/4 - 20");
    // .2489 in = 6.32206 mm; best wire 0.0288675 in = 0.733235 mm at four places.
    EXPECT_EQ(menu(ids::kExtNormalMajorMax),
              (std::vector<MenuEntry>{{"Copy in millimetres", "6.322"}}));
    EXPECT_EQ(menu(ids::kBestWire), (std::vector<MenuEntry>{{"Copy in millimetres", ".7332"}}));
    EXPECT_TRUE(ui.chooseMenuEntry(win(), ids::kExtNormalMajorMax, 0));
    EXPECT_EQ(ui.clipboard(), "6.322");
    EXPECT_EQ(text(ids::kExtNormalMajorMax), ".2489") << "the window stays in inches";
    EXPECT_FALSE(main.unitMode().isMetric());

    // A field showing no number offers no unit copy; nor does a caption.
    EXPECT_EQ(text(ids::kExtNormalMinor2), "--");
    EXPECT_TRUE(menu(ids::kExtNormalMinor2).empty());
    EXPECT_TRUE(menu(ids::kExtMajorCaption).empty());
    EXPECT_TRUE(main.menuEntries(win(), ids::kExtMajorCaption).empty());
    EXPECT_TRUE(main.menuEntries(win(), ids::kExternalHeader).empty());
    chooseSize(series::STUB_ACME, "1/2 - 10");
    EXPECT_EQ(text(ids::kExtCloseMajorMax), "---");
    EXPECT_TRUE(menu(ids::kExtCloseMajorMax).empty());

    // M10 6g major limits 9.968 and 9.732 mm (ISO 965-2): 0.392441 and 0.383150 in.
    chooseSize(series::ISO_COARSE, "M10 - 1.5");
    click(ids::kMillimeters);
    EXPECT_EQ(text(ids::kExtNormalMajorMax), "9.968");
    EXPECT_EQ(menu(ids::kExtNormalMajorMax), (std::vector<MenuEntry>{{"Copy in inches", ".3924"}}));
    EXPECT_EQ(menu(ids::kExtNormalMajorMin), (std::vector<MenuEntry>{{"Copy in inches", ".3831"}}));
    click(ids::kInches);
    EXPECT_EQ(menu(ids::kExtNormalMajorMax),
              (std::vector<MenuEntry>{{"Copy in millimetres", "9.968"}}));

    // The countersink of the insert tappings has one place fewer: .160 in = 4.064 mm.
    chooseSize(series::UNC_STI, "5 - 40");
    EXPECT_EQ(text(ids::kIntHeight), ".160");
    EXPECT_EQ(menu(ids::kIntHeight), (std::vector<MenuEntry>{{"Copy in millimetres", "4.06"}}));

    // The pipe arrangement: E1 of 1/2-14 NPT, .77843 in = 19.772 mm.
    chooseSize(series::NPT, "1/2 - 14");
    EXPECT_EQ(menu(ids::kExtNormalMinor1),
              (std::vector<MenuEntry>{{"Copy in millimetres", "19.772"}}));
    EXPECT_TRUE(menu(ids::kExtNormalMajorMax).empty()) << "collapsed in the pipe arrangement";

    click(ids::kClose);
    EXPECT_TRUE(main.menuEntries(win(), ids::kExtNormalMinor1).empty()) << "nothing after the end";
}

// What the unit copy gives is what the window shows after a switch of unit, for every field of
// every size of every series, both ways; a field showing a number offers exactly that entry.
TEST_F(CopyTest, UnitCopiesOfEveryFieldAreWhatTheOtherUnitShows) {
    int copies = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        choose(id, 0);
        for (int size = 0; size < sizeCount(id); ++size) {
            select(ids::kSizeList, size);
            for (const bool toMetric : {true, false}) {
                const std::vector<int> fields = shownFields();
                std::map<int, std::string> copied;
                for (const int field : fields) {
                    const std::vector<MenuEntry> entries = menu(field);
                    const std::string shown = trimmed(text(field));
                    const bool number = shown != "--" && shown != "---" && !shown.empty();
                    ASSERT_EQ(entries.size(), number ? 1u : 0u)
                        << seriesById(id).name << " row " << size << " field " << field;
                    if (!number) continue;
                    EXPECT_EQ(entries[0].label,
                              toMetric ? "Copy in millimetres" : "Copy in inches");
                    copied[field] = entries[0].clipboardText;
                }
                click(toMetric ? ids::kMillimeters : ids::kInches);
                for (const auto& [field, value] : copied) {
                    EXPECT_EQ(text(field), value)
                        << seriesById(id).name << " row " << size << " field " << field;
                    ++copies;
                }
            }
        }
    }
    EXPECT_GT(copies, 50000);
}

}  // namespace
}  // namespace torveld::testing
