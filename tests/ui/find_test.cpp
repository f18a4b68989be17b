// Finding a thread by its designation in the main window: a tabulated size shows exactly as a
// click on its series radio and a pick in the size list show it; a special size joins its
// series' list at the end and is shown, switched and printed like any other; an error changes
// nothing. The find box opens with Ctrl+F and "/", finds on Return and offers the last ten
// designations found.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control_ids.h"
#include "designation.h"
#include "main_window_fixture.h"
#include "window_digest.h"

namespace torveld::testing {
namespace {

using platform::HeadlessWindow;
using robustness::describeDifferences;
using robustness::windowDigest;

// A whole system on the headless platform.
struct System {
    platform::HeadlessWindowing ui;
    platform::RecordingPrintPreview printing;
    MainWindow main{ui, printing};
    System() {
        main.startUp();
        ui.attach(&main);
    }
    platform::WindowHandle win() const { return main.window(); }
    const HeadlessWindow& window() const { return *ui.window(main.window()); }
    std::uint64_t digest() const { return windowDigest(window()); }
    std::string text(int id) const { return ui.controlText(win(), id); }
    const std::vector<std::string>& items(int id) const { return ui.control(win(), id)->items; }
    void chooseSeries(SeriesId id) {
        if (id != main.selection().series) ui.click(win(), seriesRadioId(id));
    }
    void choose(SeriesId id, int row) {
        chooseSeries(id);
        if (row != main.selection().sizeIndex) ui.select(win(), ids::kSizeList, row);
    }
    const HeadlessWindow* open(const std::string& title) const {
        const HeadlessWindow* found = nullptr;
        for (const HeadlessWindow& w : ui.windows()) {
            if (w.open && w.title == title) found = &w;
        }
        return found;
    }
    const HeadlessWindow* info() const { return open("Thread Info"); }
    const HeadlessWindow* box() const { return open(FindBox::kTitle); }
    std::vector<std::string> infoLines() const {
        std::vector<std::string> lines;
        if (const HeadlessWindow* w = info()) {
            for (const auto& row : w->controls.at(InfoWindow::kListId).rows)
                lines.push_back(row[0]);
        }
        return lines;
    }
};

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Every size of every series, found by its canonical designation from another series, shows
// what the radio and a pick show: every control of the window, the selection and the radios.
TEST(FindTabulated, EverySizeShowsAsAClickOnItsRadioAndAPick) {
    int sizes = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        // From a series some way off in the catalogue, so that the pipe arrangement is entered
        // and left along the way.
        const SeriesId from = static_cast<SeriesId>((id + 9) % series::kCount);
        for (int row = 0; row < sizeCount(id); ++row, ++sizes) {
            const std::string canonical(designation::ofSize(id, row).canonical.view());
            SCOPED_TRACE(canonical);
            System found;
            found.chooseSeries(from);
            const FindOutcome outcome = found.main.find(canonical);
            ASSERT_TRUE(outcome.found) << outcome.message;
            EXPECT_EQ(outcome.canonical, canonical);
            EXPECT_EQ(found.main.selection().series, id);
            EXPECT_EQ(found.main.selection().sizeIndex, row);

            System picked;
            picked.chooseSeries(from);
            picked.choose(id, row);
            ASSERT_EQ(found.digest(), picked.digest())
                << describeDifferences(found.window(), picked.window());
            EXPECT_FALSE(found.main.specialSize());
        }
    }
    EXPECT_EQ(sizes, 1015);
}

// The same size found again, or a class or hand, changes nothing but what is remembered.
TEST(FindTabulated, ClassesAndHandDoNotChangeTheWindow) {
    System plain;
    plain.main.find("1/4-20 UNC");
    System classed;
    const FindOutcome outcome = classed.main.find("1/4-20unc-3a lh");
    EXPECT_EQ(outcome.canonical, "1/4-20 UNC-3A-LH");
    EXPECT_EQ(classed.digest(), plain.digest());
    const std::uint64_t before = classed.digest();
    classed.main.find("1/4-20 UNC-3A-LH");
    EXPECT_EQ(classed.digest(), before);
}

// The series on show decides a size that several series hold.
TEST(FindTabulated, TheSeriesOnShowIsPreferred) {
    System s;
    EXPECT_FALSE(s.main.find("1/2-14").found) << "UNS, NPT, NPTF, NPSM and NPSL hold it";
    s.chooseSeries(series::NPTF);
    const FindOutcome outcome = s.main.find("1/2-14");
    ASSERT_TRUE(outcome.found) << outcome.message;
    EXPECT_EQ(outcome.canonical, "1/2-14 NPTF");
    EXPECT_EQ(s.main.selection().series, series::NPTF);
}

struct SpecialCase {
    const char* text;
    SeriesId series;
    const char* canonical;
    const char* entry;
    const char* header;
    // Class labels of the four rows, and values of the upper external row in inches (the
    // maximum major and pitch diameters) as the standard's formulas give them.
    std::array<const char*, 4> labels;
    const char* majorMax;
    const char* pitchMax;
};

// A special size of each series that admits one: it joins the end of its series' list, marked,
// is selected, and the headers name it; the tabulated entries stay as they are.
TEST(FindSpecial, EachAdmittingSeriesListsAndShowsIt) {
    const SpecialCase kCases[] = {
        // 11/16-24 is a UNEF size, whose 2A limits UNS shares (both on LE = 9P).
        {".6875-24 UNS-2A",
         series::UNS,
         "11/16-24 UNS-2A",
         "  11/16 - 24  special",
         "11/16 - 24  UNS  SPECIAL",
         {"2A", "3A", "2B", "3B"},
         ".6863",
         ".6592"},
        // B1.15 3A: no allowance; major max = D, pitch max = D - 0.649519 P.
        {"1.3-20 UNJ",
         series::UNJ,
         "1.3000-20 UNJ",
         "  1.3000 - 20  special",
         "1.3000 - 20  UNJ  SPECIAL",
         {"2A", "3A", "2B", "3B"},
         "--",
         "--"},
        // ISO 965-1: M42x1 6g, es = -0.026 mm: 41.974 mm, 41.324 mm.
        {"M42x1",
         series::ISO_FINE,
         "M42x1",
         "  M42 - 1  special",
         "M42 - 1  ISO FINE  SPECIAL",
         {"6g", "4g6g", "6H", ""},
         "1.6525",
         "1.6269"},
        // B1.5 2G: allowance 0.008 sqrt(D) = .0069 below the basic pitch diameter D - P/2.
        {"3/4-10 acme 2g",
         series::ACME,
         "3/4-10 ACME-2G",
         "  3/4 - 10  special",
         "3/4 - 10  ACME  SPECIAL",
         {"2G", "4G", "2G", "4G"},
         ".7500",
         ".6931"},
        // B1.8: basic pitch diameter D - 0.3 P, the 2G allowance .0080 at 1 in.
        {"1-10 STUB ACME",
         series::STUB_ACME,
         "1-10 STUB ACME",
         "  1 - 10  special",
         "1 - 10  STUB ACME  SPECIAL",
         {"", "", "", ""},
         "1.0000",
         ".9620"},
    };
    for (const SpecialCase& c : kCases) {
        SCOPED_TRACE(c.text);
        System s;
        const FindOutcome outcome = s.main.find(c.text);
        ASSERT_TRUE(outcome.found) << outcome.message;
        EXPECT_EQ(outcome.canonical, c.canonical);
        const int rows = sizeCount(c.series);
        EXPECT_EQ(s.main.selection().series, c.series);
        EXPECT_EQ(s.main.selection().sizeIndex, rows);
        ASSERT_EQ(s.items(ids::kSizeList).size(), static_cast<std::size_t>(rows) + 1);
        EXPECT_EQ(s.items(ids::kSizeList).back(), c.entry);
        for (int row = 0; row < rows; ++row) {
            EXPECT_EQ(s.items(ids::kSizeList)[static_cast<std::size_t>(row)],
                      sizeListEntry(seriesById(c.series).sizeTable->rows[row]));
        }
        EXPECT_EQ(s.ui.listSelected(s.win(), ids::kSizeList), rows);
        EXPECT_EQ(s.text(ids::kInternalHeader), std::string("INTERNAL DATA          ") + c.header);
        EXPECT_EQ(s.text(ids::kExternalHeader), std::string("EXTERNAL DATA          ") + c.header);
        EXPECT_TRUE(s.ui.radioChecked(s.win(), seriesRadioId(c.series)));
        EXPECT_EQ(s.text(ids::kExtNormalLabel), c.labels[0]);
        EXPECT_EQ(s.text(ids::kExtCloseLabel), c.labels[1]);
        EXPECT_EQ(s.text(ids::kIntNormalLabel), c.labels[2]);
        EXPECT_EQ(s.text(ids::kIntCloseLabel), c.labels[3]);
        EXPECT_EQ(s.text(ids::kExtNormalMajorMax), c.majorMax);
        EXPECT_EQ(s.text(ids::kExtNormalPitchMax), c.pitchMax);
        ASSERT_TRUE(s.main.specialSize());
        EXPECT_EQ(s.main.specialSize()->designation.canonical.view(), c.canonical);
        EXPECT_TRUE(s.main.specialSize()->report.calculated);
        EXPECT_EQ(s.main.texts().text(ids::kExtNormalMajorMax), c.majorMax);
    }
}

int rowOf(SeriesId id, std::string_view designation, std::string_view pitch) {
    for (int row = 0; row < sizeCount(id); ++row) {
        const SizeRow r = sizeRow(id, row);
        if (r.designation == designation && r.pitchText == pitch) return row;
    }
    return -1;
}

// .6875-24, which the UNJ table lacks, is a size of UNJEF (ASME B1.15 lists it there): written
// UNJ it shows the UNJEF row .6875-24, every value as a pick of that row shows it, and no special
// size. (That the engine's UNJS on LE = 9P gives the same values is SpecialSize.
// UnjSizeMatchesTheExtraFineRowOfTheSameSize.)
TEST(FindSpecial, UnjSizeShowsTheValuesOfTheExtraFineRowOfTheSameSize) {
    System found;
    const FindOutcome outcome = found.main.find(".6875-24 UNJ");
    ASSERT_TRUE(outcome.found) << outcome.message;
    EXPECT_EQ(outcome.canonical, ".6875-24 UNJEF");
    EXPECT_FALSE(found.main.specialSize());
    System table;
    table.choose(series::UNJEF, rowOf(series::UNJEF, ".6875", "24"));
    for (int id = ids::kExtNormalMajorMax; id <= ids::kIntFlat; ++id) {
        EXPECT_EQ(found.text(id), table.text(id)) << "control " << id;
    }
    EXPECT_EQ(found.items(ids::kEngagementList), table.items(ids::kEngagementList));
    EXPECT_EQ(found.ui.control(found.win(), ids::kDrillChart)->selected,
              table.ui.control(table.win(), ids::kDrillChart)->selected);
    EXPECT_EQ(found.digest(), table.digest())
        << describeDifferences(found.window(), table.window());
}

// What the engine does for a UN size at a diameter off the UN table: computed on the constant
// pitch, or refused with its reason, which then changes nothing.
TEST(FindSpecial, UnConstantPitchAtAnyDiameterIsShownOrRefusedWithTheReason) {
    System s;
    const std::uint64_t before = s.digest();
    const FindOutcome outcome = s.main.find("2.3-8 UN");
    if (outcome.found) {
        EXPECT_EQ(s.main.selection().series, series::UN);
        EXPECT_EQ(s.items(ids::kSizeList).back(), "  2.3000 - 8  special");
        EXPECT_EQ(s.text(ids::kExtNormalLabel), "2A");
    } else {
        EXPECT_EQ(outcome.message.rfind("2.3000-8 UN: ", 0), 0u) << outcome.message;
        EXPECT_EQ(s.digest(), before);
        EXPECT_EQ(s.main.selection().series, series::UNC);
    }
}

// Designations that name nothing to show change nothing: no series, size, list entry or
// history; the message says why in one line.
TEST(FindErrors, ChangeNothing) {
    const struct {
        const char* text;
        const char* says;
    } kCases[] = {
        {"1/4-21 UNC", "can be computed as a special size in UNS"},
        {"1/2-15 NPT", "NPT"},
        {"", "empty"},
        {"M3210x5", "3210"},
        {"M5x1", "too coarse"},
        {"1/4-20 BSW-2A", "BSW"},
        {"\xff\xfe garbage", ""},
    };
    System s;
    s.choose(series::UNS, 5);
    s.main.find("11/16-24 UNS");
    s.ui.click(s.win(), ids::kMillimeters);
    const std::uint64_t before = s.digest();
    const Selection selection = s.main.selection();
    const std::vector<std::string> history = s.main.findHistory();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        const FindOutcome outcome = s.main.find(c.text);
        EXPECT_FALSE(outcome.found);
        EXPECT_TRUE(outcome.canonical.empty());
        EXPECT_FALSE(outcome.message.empty());
        EXPECT_EQ(outcome.message.find('\n'), std::string::npos);
        EXPECT_NE(outcome.message.find(c.says), std::string::npos) << outcome.message;
        EXPECT_EQ(s.digest(), before);
        EXPECT_EQ(s.main.selection().series, selection.series);
        EXPECT_EQ(s.main.selection().sizeIndex, selection.sizeIndex);
        EXPECT_EQ(s.main.findHistory(), history);
        ASSERT_TRUE(s.main.lastFind());
        EXPECT_EQ(s.main.lastFind()->text, c.text);
        EXPECT_EQ(s.main.lastFind()->outcome.message, outcome.message);
    }
    for (SeriesId id = 0; id < series::kCount; ++id) {
        EXPECT_EQ(s.main.specialSizes(id).size(), id == series::UNS ? 1u : 0u) << id;
    }
}

// A special size stays in its series' list for the session: after other series it is at the end
// again, a pick shows it as before, finding it again selects it rather than adding a second, and
// the units switch its values like any other.
TEST(FindSpecial, StaysForTheSessionThroughSeriesUnitsAndPicks) {
    System s;
    ASSERT_TRUE(s.main.find("11/16-24 UNS").found);
    const std::uint64_t shown = s.digest();
    const HeadlessWindow first = s.window();
    const std::string majorInch = s.text(ids::kExtNormalMajorMax);
    ASSERT_TRUE(s.main.find("M42x1").found);
    s.chooseSeries(series::UNC);
    s.chooseSeries(series::UNS);
    const int rows = sizeCount(series::UNS);
    EXPECT_EQ(s.main.selection().sizeIndex, 0) << "a series change selects its first size";
    EXPECT_FALSE(s.main.specialSize());
    ASSERT_EQ(s.items(ids::kSizeList).size(), static_cast<std::size_t>(rows) + 1);
    EXPECT_EQ(s.items(ids::kSizeList).back(), "  11/16 - 24  special");

    s.ui.select(s.win(), ids::kSizeList, rows);
    EXPECT_EQ(s.digest(), shown) << describeDifferences(s.window(), first);
    ASSERT_TRUE(s.main.specialSize());

    s.ui.select(s.win(), ids::kSizeList, 3);
    ASSERT_TRUE(s.main.find(".6875-24 uns-2b").found);
    EXPECT_EQ(s.items(ids::kSizeList).size(), static_cast<std::size_t>(rows) + 1) << "no second";
    EXPECT_EQ(s.main.selection().sizeIndex, rows);
    EXPECT_EQ(s.main.specialSize()->designation.canonical.view(), "11/16-24 UNS-2B");
    EXPECT_EQ(s.digest(), shown);

    // A position past the specials is no size: the selection stays.
    s.ui.select(s.win(), ids::kSizeList, rows + 1);
    EXPECT_EQ(s.main.selection().sizeIndex, rows);

    s.ui.click(s.win(), ids::kMillimeters);
    EXPECT_EQ(s.text(ids::kExtNormalMajorMax), "17.432");  // .6863 in
    EXPECT_EQ(s.text(ids::kExtNormalPitchMax), "16.744");  // .6592 in
    s.ui.click(s.win(), ids::kInches);
    EXPECT_EQ(s.text(ids::kExtNormalMajorMax), majorInch);

    // The ISO FINE list kept its own.
    s.chooseSeries(series::ISO_FINE);
    EXPECT_EQ(s.items(ids::kSizeList).back(), "  M42 - 1  special");
    EXPECT_EQ(s.items(ids::kSizeList).size(),
              static_cast<std::size_t>(sizeCount(series::ISO_FINE)) + 1);
}

// The information window and the data sheet say plainly that a special size's values are
// computed, by which standard; a size of the tables says nothing of the kind.
TEST(FindSpecial, InformationAndSheetSayTheValuesAreComputed) {
    System s;
    s.ui.click(s.win(), ids::kInfo);
    EXPECT_FALSE(contains(s.infoLines(), "  not taken from the standard's tables"));
    ASSERT_TRUE(s.main.find("11/16-24 UNS").found);
    std::vector<std::string> lines = s.infoLines();
    EXPECT_TRUE(contains(lines, "  SPECIAL SIZE  11/16 - 24")) << "the open window follows";
    EXPECT_TRUE(contains(lines, "  formulas of ASME B1.1; they are"));
    EXPECT_TRUE(contains(lines, "  not taken from the standard's tables"));

    s.ui.click(s.win(), ids::kPrint);
    ASSERT_EQ(s.printing.documents().size(), 1u);
    std::vector<std::string> printed;
    for (const auto& call : s.printing.documents().back()) {
        if (call.operation == "dpText") printed.push_back(std::get<std::string>(call.arguments[4]));
    }
    EXPECT_TRUE(contains(printed, "SPECIAL SIZE:"));
    EXPECT_TRUE(contains(printed, "ASME B1.1 formulas, not"));
    EXPECT_TRUE(contains(printed, "EXTERNAL DATA          11/16 - 24  UNS  SPECIAL"));

    // A size of the table: the note goes from the open window and the sheet.
    s.ui.select(s.win(), ids::kSizeList, 0);
    lines = s.infoLines();
    EXPECT_FALSE(contains(lines, "  SPECIAL SIZE  11/16 - 24"));
    s.ui.click(s.win(), ids::kPrint);
    printed.clear();
    for (const auto& call : s.printing.documents().back()) {
        if (call.operation == "dpText") printed.push_back(std::get<std::string>(call.arguments[4]));
    }
    EXPECT_FALSE(contains(printed, "SPECIAL SIZE:"));

    // Each series names its own standard.
    for (const auto& [text, standard] :
         {std::pair{".6875-20 UNJ", "  formulas of ASME B1.15; they are"},
          std::pair{"M42x1", "  formulas of ISO 965-1; they are"},
          std::pair{"3/4-10 ACME", "  formulas of ASME B1.5; they are"},
          std::pair{"1-10 STUB ACME", "  formulas of ASME B1.8; they are"}}) {
        ASSERT_TRUE(s.main.find(text).found) << text;
        EXPECT_TRUE(contains(s.infoLines(), standard)) << text;
    }
}

// A class the engine refuses shows "--" in its row and is named in the information window.
TEST(FindSpecial, ARefusedClassShowsNoValuesAndIsNamed) {
    System s;
    // ISO 965-1 gives no grade 6 TD2 for the 0.25 mm pitch: M2.1x0.25 shows 6g, 4h, 5H and 4H,
    // all four computed.
    ASSERT_TRUE(s.main.find("M2.1x0.25").found);
    EXPECT_EQ(s.text(ids::kIntNormalLabel), "5H");
    EXPECT_EQ(s.text(ids::kIntCloseLabel), "4H");
    EXPECT_NE(s.text(ids::kIntNormalPitchMin), "--");
    // A pitch between the tabulated ones takes the classes of the next smaller (0.3 as 0.25).
    ASSERT_TRUE(s.main.find("M1.3x0.3").found);
    EXPECT_EQ(s.text(ids::kExtCloseLabel), "4h");
    EXPECT_EQ(s.text(ids::kIntNormalLabel), "5H");
    EXPECT_EQ(s.text(ids::kIntCloseLabel), "4H");
}

// The drill tips name a special size as such.
TEST(FindSpecial, DrillTipsNameTheSpecialSize) {
    System s;
    ASSERT_TRUE(s.main.find("11/16-24 UNS").found);
    const int guide = s.ui.control(s.win(), ids::kDrillChart)->selected;
    const std::string tip = s.ui.tip(s.win(), ids::kDrillChart, guide);
    EXPECT_NE(tip.find("of thread on special size 11/16 - 24 UNS."), std::string::npos) << tip;
}

// ---------------------------------------------------------------------------------------------
// The find box

class FindBoxTest : public MainWindowTest {
  protected:
    const HeadlessWindow* box() const {
        const HeadlessWindow* found = nullptr;
        for (const HeadlessWindow& w : ui.windows()) {
            if (w.open && w.title == FindBox::kTitle) found = &w;
        }
        return found;
    }
    platform::WindowHandle boxHandle() const { return box() ? box()->handle : 0; }
    std::string boxText(int id) const { return ui.controlText(boxHandle(), id); }
    std::vector<std::string> history() const {
        return box() ? box()->controls.at(FindBox::kEntryId).items : std::vector<std::string>{};
    }
    // Types into the line and presses Return, as the user does.
    void enter(const std::string& text) {
        ASSERT_TRUE(ui.type(boxHandle(), FindBox::kEntryId, text));
        ASSERT_TRUE(ui.key(boxHandle(), {platform::keys::kReturn, false}));
    }
};

TEST_F(FindBoxTest, CtrlFOpensItBesideTheMainWindowInItsStyle) {
    EXPECT_EQ(box(), nullptr);
    ASSERT_TRUE(ui.key(win(), {'F', true}));
    ASSERT_NE(box(), nullptr);
    const HeadlessWindow& b = *box();
    // The main window stands centred at 112, 109 on the 1024 x 768 screen, 109 pixels from its
    // top and bottom: the box, against its bottom edge and pushed up into the screen, covers
    // its last 9 rows of pixels, under the lists' last whole rows.
    EXPECT_EQ(ui.windowRect(win()), (platform::Rect{112, 109, 800, 550}));
    EXPECT_EQ(b.rect, (platform::Rect{112 + (800 - 420) / 2, 768 - 118, 420, 118}));
    EXPECT_TRUE(b.popup);
    EXPECT_EQ(b.state, platform::ShowState::Normal);
    EXPECT_EQ(b.background, colours::kWindow);
    EXPECT_GT(b.zOrder, ui.window(win())->zOrder);
    const auto& entry = b.controls.at(FindBox::kEntryId);
    EXPECT_EQ(entry.kind, platform::ControlKind::HistoryEntry);
    EXPECT_EQ(entry.text, "");
    EXPECT_TRUE(entry.items.empty());
    EXPECT_EQ(entry.font, (platform::FontSpec{"Tahoma", 9, 700}));
    EXPECT_EQ(entry.colours, std::make_pair(colours::kText, colours::kField));
    EXPECT_EQ(b.controls.at(FindBox::kFindId).text, "FIND");
    EXPECT_EQ(b.controls.at(FindBox::kCloseId).text, "CLOSE");
    EXPECT_EQ(main.findBox().message(), FindBox::kHint);

    // Ctrl+F again raises the box as it is; so does "/".
    ui.type(boxHandle(), FindBox::kEntryId, "1/4");
    const platform::WindowHandle first = boxHandle();
    ui.press(win());
    ASSERT_TRUE(ui.key(win(), {platform::keys::kSlash, false}));
    EXPECT_EQ(boxHandle(), first);
    EXPECT_EQ(boxText(FindBox::kEntryId), "1/4");
    EXPECT_GT(box()->zOrder, ui.window(win())->zOrder);
}

TEST_F(FindBoxTest, ReturnFindsAndErrorsShowInTheBox) {
    ui.key(win(), {platform::keys::kSlash, false});
    enter("1/2-13 unc");
    EXPECT_EQ(main.selection().series, series::UNC);
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA          1/2 - 13  UNC");
    EXPECT_EQ(boxText(FindBox::kEntryId), "") << "ready for the next designation";
    EXPECT_EQ(main.findBox().message(), "Shown: 1/2-13 UNC");
    EXPECT_EQ(history(), (std::vector<std::string>{"1/2-13 UNC"}));

    enter("1/4-21 UNC");
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA          1/2 - 13  UNC");
    EXPECT_EQ(boxText(FindBox::kEntryId), "1/4-21 UNC") << "the text stays to be mended";
    EXPECT_NE(main.findBox().message().find("1/4 UNC is 20 threads per inch"), std::string::npos)
        << main.findBox().message();
    EXPECT_EQ(main.findBox().message(), main.lastFind()->outcome.message);
    // The message line breaks the sentence into lines that fit the box.
    const std::string shown = boxText(FindBox::kMessageId);
    EXPECT_NE(shown.find('\n'), std::string::npos);
    std::size_t start = 0;
    while (start <= shown.size()) {
        const std::size_t end = std::min(shown.find('\n', start), shown.size());
        EXPECT_LE(end - start, FindBox::kMessageColumns);
        start = end + 1;
    }
    EXPECT_EQ(history().size(), 1u);

    // FIND does what Return does.
    ui.type(boxHandle(), FindBox::kEntryId, "M10x1.25");
    ui.click(boxHandle(), FindBox::kFindId);
    EXPECT_EQ(main.selection().series, series::ISO_FINE);
    // A choice from the drop-down becomes the text; Return finds it.
    ui.select(boxHandle(), FindBox::kEntryId, 1);
    EXPECT_EQ(boxText(FindBox::kEntryId), "1/2-13 UNC");
    EXPECT_EQ(main.selection().series, series::ISO_FINE) << "a choice alone finds nothing";
    ui.key(boxHandle(), {platform::keys::kReturn, false});
    EXPECT_EQ(main.selection().series, series::UNC);
    EXPECT_EQ(history(), (std::vector<std::string>{"1/2-13 UNC", "M10x1.25"}));
}

// The box says what the window shows of what was asked, as the query answers it: a class the
// window does not display is named (the query computes it), a class nothing computes is the
// query's refusal and changes nothing, and how the designation was read is said.
TEST_F(FindBoxTest, SaysWhichClassesNamedAreNotDisplayed) {
    const struct {
        const char* text;
        bool found;
        const char* message;  // the whole message, or a part of a refusal
    } cases[] = {
        {"1/4-20 UNC-2A", true, "Shown: 1/4-20 UNC-2A"},
        {"1/4-20 UNC-1A", true,
         "Shown: 1/4-20 UNC; 1A is not displayed here, the query computes it"},
        {"M10x1.25-6e", true, "Shown: M10x1.25; 6e is not displayed here, the query computes it"},
        {"1/4-20 UNC-1A/1B", true,
         "Shown: 1/4-20 UNC; 1A and 1B are not displayed here, the query computes them"},
        {"4-4 UN", true, "Shown: 4-4 UNC; 4-4 UN reads as 4-4 UNC: ASME B1.1 lists 4-4 in UNC"},
        {"M10x1.25-6f", false, "tolerance position f"},
    };
    ui.key(win(), {'F', true});
    for (const auto& c : cases) {
        const SeriesId before = main.selection().series;
        enter(c.text);
        EXPECT_EQ(main.lastFind()->outcome.found, c.found) << c.text;
        if (c.found) {
            EXPECT_EQ(main.findBox().message(), c.message) << c.text;
        } else {
            EXPECT_NE(main.findBox().message().find(c.message), std::string::npos)
                << c.text << ": " << main.findBox().message();
            EXPECT_EQ(main.selection().series, before) << c.text;
        }
    }
}

TEST_F(FindBoxTest, OffersTheLastTenFoundMostRecentFirstEachOnce) {
    ui.key(win(), {'F', true});
    const std::vector<std::string> found = {"1/4-20 UNC", "M10",         "10-32 UNF", "1/2 NPT",
                                            "3/4-6 ACME", "2 BA",        "1/4 BSW",   "M8x1",
                                            "1-8 UNC",    "5/16-18 UNC", "3/8-16 UNC"};
    for (const std::string& text : found) enter(text);
    enter("1/2-14 NPT");  // the pipe size again
    enter("nothing at all");
    std::vector<std::string> expected = {"1/2-14 NPT", "3/8-16 UNC", "5/16-18 UNC", "1-8 UNC",
                                         "M8x1",       "1/4-20 BSW", "2 BA",        "3/4-6 ACME",
                                         "10-32 UNF",  "M10"};
    EXPECT_EQ(history(), expected);
    EXPECT_EQ(main.findHistory(), expected);
    // The history outlives the box.
    ui.key(boxHandle(), {platform::keys::kEscape, false});
    EXPECT_EQ(box(), nullptr);
    ui.key(win(), {'F', true});
    EXPECT_EQ(history(), expected);
    EXPECT_EQ(boxText(FindBox::kEntryId), "");
    // A find without the box goes into it as well.
    main.find("1/4-28 UNF");
    EXPECT_EQ(history().front(), "1/4-28 UNF");
    EXPECT_EQ(history().size(), 10u);
}

TEST_F(FindBoxTest, EscapeAndCloseCloseItAndItsKeysStayItsOwn) {
    ui.key(win(), {'F', true});
    // "/" typed in the box is text: the box binds no such key, and the main window's does not
    // reach it.
    EXPECT_FALSE(ui.key(boxHandle(), {platform::keys::kSlash, false}));
    EXPECT_FALSE(ui.key(boxHandle(), {'F', true}));
    EXPECT_TRUE(ui.key(boxHandle(), {platform::keys::kEscape, false}));
    EXPECT_EQ(box(), nullptr);
    EXPECT_FALSE(ui.key(win(), {platform::keys::kEscape, false})) << "Escape is the box's";
    ui.key(win(), {'F', true});
    const platform::WindowHandle handle = boxHandle();
    ui.press(handle);
    EXPECT_EQ(ui.window(handle)->moveStarts, 1);
    ui.click(handle, FindBox::kCloseId);
    EXPECT_EQ(box(), nullptr);
    // Events for the closed box go nowhere.
    ui.click(handle, FindBox::kFindId);
    EXPECT_FALSE(main.lastFind());
}

// Where the box opens, worked out by hand for a 735 x 550 main window and a 420 x 118 box: the
// first of below, above, right and left, each moved into the screen, that covers the least of
// the main window.
TEST(FindBoxPlace, BesideTheMainWindowWhereTheScreenHasRoomElseCoveringTheLeast) {
    struct Case {
        const char* what;
        platform::Size screen;
        platform::Rect mainWindow;
        platform::Rect box;
    };
    const Case cases[] = {
        {"centred on 1920 x 1080: below, 265 pixels free",
         {1920, 1080},
         {592, 265, 735, 550},
         {592 + 157, 265 + 550, 420, 118}},
        {"at the bottom of the screen: above",
         {1920, 1080},
         {100, 530, 735, 550},
         {100 + 157, 530 - 118, 420, 118}},
        {"short wide screen: right, centred along its edge",
         {1920, 600},
         {592, 25, 735, 550},
         {592 + 735, 25 + (550 - 118) / 2, 420, 118}},
        {"short wide screen, the window far right: left",
         {1920, 600},
         {1185, 25, 735, 550},
         {1185 - 420, 25 + 216, 420, 118}},
        {"half off the screen's left edge: below, moved in",
         {1024, 768},
         {-300, 100, 735, 550},
         {0, 650, 420, 118}},
        // 109 pixels above and below: 9 rows of the window covered either way, below first.
        {"centred on 1024 x 768: below, moved up 9",
         {1024, 768},
         {144, 109, 735, 550},
         {144 + 157, 768 - 118, 420, 118}},
        // Below covers 68 rows of 420 columns, above (moved down to 0) 118 rows; the right
        // side, moved left to 604, 131 columns of 118 rows: the least.
        {"top left of 1024 x 600: right, moved in",
         {1024, 600},
         {0, 0, 735, 550},
         {1024 - 420, (550 - 118) / 2, 420, 118}},
        // Above has 80 free rows, below 10: above covers 38 rows, below 108.
        {"nearer the bottom of 1024 x 640: above, moved down",
         {1024, 640},
         {144, 80, 735, 550},
         {144 + 157, 0, 420, 118}},
        {"a screen smaller than the box: its top left",
         {300, 100},
         {0, 0, 735, 550},
         {0, 0, 420, 118}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindBox::place(c.mainWindow, c.screen), c.box) << c.what;
    }
}

TEST(FindBoxAtExit, ClosesWithTheProgram) {
    System s;
    s.ui.key(s.win(), {'F', true});
    ASSERT_NE(s.box(), nullptr);
    s.ui.click(s.win(), ids::kClose);
    s.main.shutDown();
    for (const HeadlessWindow& w : s.ui.windows()) EXPECT_FALSE(w.open) << w.title;
    EXPECT_FALSE(s.main.find("1/4-20 UNC").found);
}

// A program that reads the record of texts (torveld-query) finds on a windowing that shows
// nothing: here the main window closed behind the system's back.
TEST(FindWithoutAWindow, TheRecordFollowsTheFind) {
    System s;
    s.ui.closeWindow(s.win());
    const FindOutcome outcome = s.main.find("11/16-24 UNS-2A");
    ASSERT_TRUE(outcome.found) << outcome.message;
    EXPECT_EQ(s.main.selection().series, series::UNS);
    ASSERT_TRUE(s.main.specialSize());
    EXPECT_EQ(s.main.texts().text(ids::kExtNormalMajorMax), ".6863");
    EXPECT_EQ(s.main.texts().text(ids::kInternalHeader),
              "INTERNAL DATA          11/16 - 24  UNS  SPECIAL");
    ASSERT_TRUE(s.main.find("1/4-20 UNC").found);
    EXPECT_EQ(s.main.selection().sizeIndex, 9);
    EXPECT_FALSE(s.main.specialSize());
    EXPECT_EQ(s.main.texts().text(ids::kExtNormalMajorMax), ".2489");
}

TEST(WrapLines, KeepsEveryWordInLinesOfTheWidth) {
    EXPECT_EQ(wrapLines("one two three", 7), "one two\nthree");
    EXPECT_EQ(wrapLines("  a  b ", 10), "a b");
    EXPECT_EQ(wrapLines("abcdefghij x", 4), "abcdefghij\nx");
    EXPECT_EQ(wrapLines("", 4), "");
}

}  // namespace
}  // namespace torveld::testing
