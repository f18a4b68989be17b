#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless_json.h"
#include "headless_windowing.h"
#include "recording_print_preview.h"

namespace torveld::platform {
namespace {

struct Recorder : EventHandler {
    struct Event {
        WindowHandle window;
        int id;
        int code;
    };
    std::vector<Event> events;
    int presses = 0;
    void onBackgroundPress(WindowHandle) override { ++presses; }
    void onControlEvent(WindowHandle w, int id, int code) override {
        events.push_back({w, id, code});
    }
    std::string tipText(WindowHandle, int id, int row) override {
        return "tip " + std::to_string(id) + " " + std::to_string(row);
    }
    std::vector<MenuEntry> menuEntries(WindowHandle, int id) override {
        std::string text = "copied ";
        text += std::to_string(id);
        return {{"First", text}, {"Second", "two"}};
    }
};

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win = ui.createWindow({"Threads", {10, 20, 735, 550}, {180, 180, 180}, false});
        ui.attach(&recorder);
    }
    void radio(int id, unsigned extra = 0) {
        ui.createControl(win, {ControlKind::Radio, "R", {0, 0, 10, 10}, extra, id});
    }
    HeadlessWindowing ui;
    Recorder recorder;
    WindowHandle win = 0;
};

TEST_F(HeadlessTest, WindowsAreCreatedHiddenAndCloseForGood) {
    EXPECT_EQ(ui.window(win)->state, ShowState::Hidden);
    ui.showWindow(win, ShowState::Normal);
    EXPECT_EQ(ui.window(win)->state, ShowState::Normal);
    ui.closeWindow(win);
    EXPECT_FALSE(ui.isWindowOpen(win));
    ui.showWindow(win, ShowState::Normal);  // a closed window stays closed
    EXPECT_FALSE(ui.isWindowOpen(win));
    EXPECT_FALSE(ui.click(win, 1));
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(stateToJson(ui, RecordingPrintPreview{})["main"]["state"], "closed");
}

TEST_F(HeadlessTest, ClickOnARadioTurnsOffOnlyItsOwnGroup) {
    radio(1, style::kGroupStart);
    radio(2);
    radio(3, style::kGroupStart);
    radio(4);
    ui.setRadio(win, 1, true);
    ui.setRadio(win, 3, true);
    ui.setRadio(win, 4, true);  // set by the program: no group effect, as natively
    EXPECT_TRUE(ui.radioChecked(win, 3));
    ASSERT_TRUE(ui.click(win, 2));
    EXPECT_FALSE(ui.radioChecked(win, 1));
    EXPECT_TRUE(ui.radioChecked(win, 2));
    EXPECT_TRUE(ui.radioChecked(win, 3));
    ASSERT_TRUE(ui.click(win, 4));
    EXPECT_FALSE(ui.radioChecked(win, 3));
    EXPECT_TRUE(ui.radioChecked(win, 2));
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[1].id, 4);
    EXPECT_EQ(recorder.events[1].code, notify::kClicked);
}

TEST_F(HeadlessTest, UnknownIdsAreIgnoredButStillDelivered) {
    ui.setControlText(win, 999, "x");
    EXPECT_EQ(ui.controlText(win, 999), "");
    EXPECT_EQ(ui.listCount(win, 999), 0);
    EXPECT_EQ(ui.listSelected(win, 999), -1);
    EXPECT_EQ(ui.listItem(win, 999, 0), "");
    EXPECT_TRUE(ui.click(win, 999));
    EXPECT_TRUE(ui.notify(win, 999, 7));
    EXPECT_TRUE(ui.select(win, 999, 3));
    ASSERT_EQ(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events[1].code, 7);
    EXPECT_EQ(recorder.events[2].code, notify::kSelectionChanged);
    EXPECT_FALSE(ui.click(win + 5, 1));  // no such window
}

TEST_F(HeadlessTest, ListSelectionOutOfRangeClearsIt) {
    ui.createControl(win, {ControlKind::DropDown, "Thread Size", {0, 0, 140, 222}, 0, 302});
    for (const char* s : {"a", "b", "c"}) ui.listAppend(win, 302, s);
    ui.listSelect(win, 302, 2);
    EXPECT_EQ(ui.listSelected(win, 302), 2);
    ui.select(win, 302, 7);
    EXPECT_EQ(ui.listSelected(win, 302), -1);
    ui.select(win, 302, -4);
    EXPECT_EQ(ui.listSelected(win, 302), -1);
    ui.listSelect(win, 302, 1);
    ui.listDelete(win, 302, 0);  // the selection follows its entry
    EXPECT_EQ(ui.listSelected(win, 302), 0);
    EXPECT_EQ(ui.listItem(win, 302, 0), "b");
    ui.listDelete(win, 302, 9);
    EXPECT_EQ(ui.listCount(win, 302), 2);
}

TEST_F(HeadlessTest, RowsAndColumnsInOneCallComeOutAsTheSingleCallsGiveThem) {
    for (int id : {347, 348}) {
        ui.createControl(win, {ControlKind::ListView, "", {0, 0, 172, 171}, 0, id});
        ui.viewAddColumn(win, id, 0, "DRILL", 75);
        ui.viewAddColumn(win, id, 1, "DIAMETER", 81);
        ui.viewAddRow(win, id, 0, "end");
    }
    const std::vector<std::vector<std::string>> rows = {
        {"1.35mm", ".0531"}, {"54"}, {}, {"1.40mm", ".0551", "extra"}};
    ui.viewAddRows(win, 347, 0, rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        ui.viewAddRow(win, 348, row, rows[i].empty() ? "" : rows[i][0]);
        for (std::size_t column = 1; column < rows[i].size(); ++column) {
            ui.viewSetCell(win, 348, row, static_cast<int>(column), rows[i][column]);
        }
    }
    EXPECT_EQ(ui.control(win, 347)->rows, ui.control(win, 348)->rows);
    EXPECT_EQ(ui.control(win, 347)->rows.back()[0], "end");

    // Past the last row they go to the end; below 0 nowhere.
    ui.viewAddRows(win, 347, 99, {{"tail", ".9"}});
    EXPECT_EQ(ui.control(win, 347)->rows.back(), (std::vector<std::string>{"tail", ".9"}));
    ui.viewAddRows(win, 347, -1, {{"never"}});
    EXPECT_EQ(ui.control(win, 347)->rows.size(), 6u);

    ui.viewSetColumn(win, 347, 1, 4, {"4.95mm", "5.00", "no such row"});
    ui.viewSetCell(win, 348, 4, 1, "4.95mm");
    EXPECT_EQ(ui.control(win, 347)->rows[4][1], "4.95mm");
    EXPECT_EQ(ui.control(win, 347)->rows[5][1], "5.00");
    EXPECT_EQ(ui.control(win, 347)->rows.size(), 6u);
}

TEST_F(HeadlessTest, EnsureVisibleScrollsTheLeastToShowTheRowWhole) {
    ui.createControl(win, {ControlKind::ListView, "", {180, 375, 172, 171}, 0, 347});
    ui.viewAddColumn(win, 347, 0, "    DRILL", 75);
    ui.viewAddColumn(win, 347, 1, "DIAMETER", 81);
    for (int i = 0; i < 747; ++i) ui.viewAddRow(win, 347, i, "r");
    const HeadlessControl* view = ui.control(win, 347);
    ASSERT_EQ(HeadlessWindowing::visibleRows(*view), 9);
    // The guide: lead row first, then the guide row, which ends at the top.
    ui.viewEnsureVisible(win, 347, 209);
    EXPECT_EQ(view->topRow, 201);
    ui.viewEnsureVisible(win, 347, 200);
    EXPECT_EQ(view->topRow, 200);
    ui.viewEnsureVisible(win, 347, 205);  // already visible: no scroll
    EXPECT_EQ(view->topRow, 200);
    ui.viewEnsureVisible(win, 347, 746);
    EXPECT_EQ(view->topRow, 747 - 9);
    ui.viewEnsureVisible(win, 347, 747);  // out of range: nothing
    EXPECT_EQ(view->topRow, 747 - 9);
    ui.setControlRect(win, 347, {270, 340, 172, 203});
    EXPECT_EQ(HeadlessWindowing::visibleRows(*view), 11);
}

// The information window's list, 430 pixels high: 25 whole rows of 16 under the 20-pixel header
// inside the 2-pixel border, 26 without the header ((430 - 4) / 16).
TEST_F(HeadlessTest, AListViewWithoutItsHeaderCountsItsRowsFromTheBorder) {
    ui.createControl(win, {ControlKind::ListView, "", {6, 6, 300, 430}, style::kReportView, 1});
    ui.createControl(
        win,
        {ControlKind::ListView, "", {6, 6, 300, 430}, style::kReportView | style::kNoHeader, 2});
    EXPECT_EQ(HeadlessWindowing::visibleRows(*ui.control(win, 1)), 25);
    EXPECT_EQ(HeadlessWindowing::visibleRows(*ui.control(win, 2)), 26);
}

TEST_F(HeadlessTest, JsonDumpHasTheContractShape) {
    ui.createControl(win, {ControlKind::Label, "MAX", {41, 59, 75, 18}, style::kCentred, 363});
    ui.setControlFont(win, 363, {"Tahoma", 8, 700});
    ui.setControlColours(win, 363, {0, 0, 0}, {180, 180, 180});
    radio(401, style::kGroupStart);
    RecordingPrintPreview printing;
    const int doc = printing.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    printing.dpFont(doc, 5, 15.0f, 0, "Verdana");
    printing.dpText(doc, 5.5f, 0.75f + 1.0f / 6, 1, "A\xC2\xB0");
    printing.dpEndDoc(doc, 4);
    printing.failNextStart();
    EXPECT_EQ(printing.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136), 0);

    const auto j = stateToJson(ui, printing);
    EXPECT_EQ(j["main"]["title"], "Threads");
    EXPECT_EQ(j["main"]["rect"], nlohmann::json::array({10, 20, 735, 550}));
    const auto& label = j["main"]["controls"]["363"];
    EXPECT_EQ(label["kind"], "label");
    EXPECT_EQ(label["font"], nlohmann::json::array({"Tahoma", 8, 700}));
    EXPECT_EQ(label["colours"][1], nlohmann::json::array({180, 180, 180}));
    EXPECT_FALSE(label["visible"]);
    EXPECT_EQ(j["main"]["controls"]["401"]["checked"], false);
    EXPECT_TRUE(j["main"]["controls"]["401"]["font"].is_null());
    EXPECT_EQ(j["info"]["open"], false);
    ASSERT_EQ(j["prints"].size(), 1u);  // the failed start is no document
    EXPECT_EQ(j["prints"][0][0],
              nlohmann::json::parse(R"(["dpStartDoc", 0, "Thread Data", "", 0, 1, 1, 7, 136])"));
    EXPECT_EQ(j["prints"][0][1], nlohmann::json::parse(R"(["dpFont", 1, 5, 15.0, 0, "Verdana"])"));
    EXPECT_EQ(j["prints"][0][2][3], 0.9166667);  // shortest decimal of the float
    EXPECT_EQ(j["prints"][0][2][5], "A\xC2\xB0");
    EXPECT_EQ(j["prints"][0][3], nlohmann::json::parse(R"(["dpEndDoc", 1, 4])"));
}

TEST_F(HeadlessTest, BoundKeysClickTheirControlsAndReturnPressesTheFocusedButton) {
    radio(401, style::kGroupStart);
    radio(402);
    ui.createControl(win, {ControlKind::Button, "PRINT", {0, 0, 60, 25}, style::kVisible, 442});
    ui.createControl(win, {ControlKind::Button, "HIDE", {0, 0, 60, 25}, 0, 397});
    const WindowHandle other = ui.createWindow({"Other", {0, 0, 100, 100}, {}, true});

    ui.bindKey(win, {'P', true}, 442);
    ui.bindKey(win, {keys::kF1, false}, 402);
    ui.bindKey(other, {keys::kEscape, false}, 7);
    EXPECT_TRUE(ui.key(win, {'P', true}));
    EXPECT_FALSE(ui.key(win, {'P', false})) << "P without Ctrl is another key";
    EXPECT_FALSE(ui.key(win, {keys::kEscape, false})) << "bound in the other window only";
    EXPECT_TRUE(ui.key(win, {keys::kF1, false}));
    EXPECT_TRUE(ui.radioChecked(win, 402)) << "a key chooses its radio as a click does";
    EXPECT_TRUE(ui.key(other, {keys::kEscape, false}));
    ASSERT_EQ(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events[0].id, 442);
    EXPECT_EQ(recorder.events[0].code, notify::kClicked);
    EXPECT_EQ(recorder.events[1].id, 402);
    EXPECT_EQ(recorder.events[2].window, other);
    EXPECT_EQ(recorder.events[2].id, 7) << "an id of no control still gets its event";

    // Binding again replaces the control; 0 removes the binding.
    ui.bindKey(win, {'P', true}, 397);
    EXPECT_TRUE(ui.key(win, {'P', true}));
    EXPECT_EQ(recorder.events.back().id, 397);
    ui.bindKey(win, {'P', true}, 0);
    EXPECT_FALSE(ui.key(win, {'P', true}));

    // Return presses the focused button if it can be seen, and nothing else.
    recorder.events.clear();
    EXPECT_FALSE(ui.key(win, {keys::kReturn, false})) << "no focus";
    ui.setFocus(win, 401);
    EXPECT_FALSE(ui.key(win, {keys::kReturn, false})) << "a radio is no button";
    ui.setFocus(win, 397);
    EXPECT_FALSE(ui.key(win, {keys::kReturn, false})) << "a hidden button";
    ui.setFocus(win, 442);
    EXPECT_FALSE(ui.key(win, {keys::kReturn, true}));
    EXPECT_TRUE(ui.key(win, {keys::kReturn, false}));
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].id, 442);

    ui.closeWindow(other);
    EXPECT_FALSE(ui.key(other, {keys::kEscape, false}));
    EXPECT_EQ(stateToJson(ui, RecordingPrintPreview{})["main"].count("keys"), 0u)
        << "the dump keeps its shape";
}

TEST_F(HeadlessTest, TipsAreAskedOnlyWhereThePointerCanRest) {
    ui.createControl(win, {ControlKind::Label, "REF", {421, 59, 75, 18}, style::kVisible, 368});
    ui.createControl(win, {ControlKind::Label, "E0", {0, 0, 0, 0}, style::kVisible, 390});
    ui.createControl(win, {ControlKind::Label, "MAX", {1, 1, 9, 9}, 0, 363});
    ui.createControl(win, {ControlKind::ListView, "", {180, 375, 172, 171}, style::kVisible, 347});
    ui.viewAddRows(win, 347, 0, {{"A", ".1"}, {"B", ".2"}});
    EXPECT_EQ(ui.tip(win, 368), "tip 368 -1");
    EXPECT_EQ(ui.tip(win, 390), "") << "no size";
    EXPECT_EQ(ui.tip(win, 363), "") << "hidden";
    EXPECT_EQ(ui.tip(win, 999), "") << "no control";
    EXPECT_EQ(ui.tip(win, 347, 1), "tip 347 1");
    EXPECT_EQ(ui.tip(win, 347, 2), "tip 347 -1") << "below the last row";
    EXPECT_EQ(ui.tip(win, 347, -5), "tip 347 -1");
    EXPECT_EQ(ui.tip(win, 368, 1), "tip 368 -1") << "only list views have rows";
    ui.attach(nullptr);
    EXPECT_EQ(ui.tip(win, 368), "");
}

TEST_F(HeadlessTest, MenusOfReadOnlyFieldsPutTheirEntriesTextsOnTheClipboard) {
    const unsigned field = style::kVisible | style::kReadOnly;
    ui.createControl(win, {ControlKind::TextBox, ".2489", {41, 75, 75, 25}, field, 303});
    ui.createControl(win, {ControlKind::TextBox, "", {0, 0, 0, 0}, field, 345});
    ui.createControl(win, {ControlKind::TextBox, "", {1, 1, 9, 9}, style::kReadOnly, 346});
    ui.createControl(win, {ControlKind::TextBox, "", {1, 1, 9, 9}, style::kVisible, 500});
    ui.createControl(win, {ControlKind::Label, "MAX", {1, 1, 9, 9}, style::kVisible, 363});
    EXPECT_EQ(ui.clipboard(), "");
    ui.setClipboardText("table");
    EXPECT_EQ(ui.clipboard(), "table");

    EXPECT_EQ(ui.menu(win, 303),
              (std::vector<MenuEntry>{{"First", "copied 303"}, {"Second", "two"}}));
    EXPECT_TRUE(ui.chooseMenuEntry(win, 303, 0));
    EXPECT_EQ(ui.clipboard(), "copied 303");
    EXPECT_FALSE(ui.chooseMenuEntry(win, 303, 2));
    EXPECT_FALSE(ui.chooseMenuEntry(win, 303, -1));
    EXPECT_EQ(ui.clipboard(), "copied 303") << "no entry, no copy";
    for (const int id : {345, 346, 500, 363, 999}) {
        EXPECT_TRUE(ui.menu(win, id).empty())
            << id << ": no size, hidden, editable, a caption, none";
        EXPECT_FALSE(ui.chooseMenuEntry(win, id, 0)) << id;
    }
    ui.attach(nullptr);
    EXPECT_TRUE(ui.menu(win, 303).empty());
}

// A history entry: typed text, a drop-down of earlier entries whose choice becomes the text, and
// Return in its line; the list operations never touch the text.
// A list box that reports its selection: a double-click on an entry chooses it (code 1) and
// activates it (code 3); Return activates it while the list has the focus.
TEST_F(HeadlessTest, ListBoxActivatesItsEntryByDoubleClickOrReturn) {
    ui.createControl(
        win, {ControlKind::ListBox, "", {0, 0, 100, 100}, style::kVisible | style::kNotify, 33});
    ui.createControl(win, {ControlKind::ListBox, "", {0, 0, 100, 100}, style::kVisible, 34});
    ui.listAppend(win, 33, "first");
    ui.listAppend(win, 33, "second");
    ui.listAppend(win, 34, "quiet");
    EXPECT_FALSE(ui.activate(win, 33, 2));
    EXPECT_FALSE(ui.activate(win, 34, 0)) << "a list that reports nothing";
    EXPECT_TRUE(recorder.events.empty());
    ASSERT_TRUE(ui.activate(win, 33, 1));
    EXPECT_EQ(ui.listSelected(win, 33), 1);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].code, notify::kSelectionChanged);
    EXPECT_EQ(recorder.events[1].code, notify::kActivated);
    EXPECT_EQ(ui.window(win)->focus, 33);
    ASSERT_TRUE(ui.key(win, {keys::kReturn, false}));
    ASSERT_EQ(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events[2].id, 33);
    EXPECT_EQ(recorder.events[2].code, notify::kActivated);
}

TEST_F(HeadlessTest, HistoryEntryTakesTypingChoicesAndReturn) {
    ui.createControl(win, {ControlKind::HistoryEntry, "", {10, 26, 300, 184}, style::kVisible, 3});
    ui.createControl(
        win, {ControlKind::TextBox, "", {0, 0, 50, 20}, style::kVisible | style::kReadOnly, 4});
    ui.createControl(win, {ControlKind::HistoryEntry, "", {0, 0, 50, 20}, 0, 5});
    ui.setControlText(win, 3, "1/4-20");
    ui.listAppend(win, 3, "M10");
    ui.listAppend(win, 3, "1/2-13 UNC");
    EXPECT_EQ(ui.controlText(win, 3), "1/4-20");
    EXPECT_EQ(ui.listCount(win, 3), 2);
    EXPECT_EQ(ui.listSelected(win, 3), -1);

    EXPECT_TRUE(ui.type(win, 3, "M12x1.5"));
    EXPECT_EQ(ui.controlText(win, 3), "M12x1.5");
    EXPECT_TRUE(recorder.events.empty()) << "typing sends no event";
    EXPECT_FALSE(ui.type(win, 4, "x")) << "a read-only field takes no typing";
    EXPECT_FALSE(ui.type(win, 5, "x")) << "nor a hidden line";
    EXPECT_FALSE(ui.type(win, 99, "x"));

    EXPECT_TRUE(ui.key(win, {keys::kReturn, false}));
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].id, 3);
    EXPECT_EQ(recorder.events[0].code, notify::kEntered);

    EXPECT_TRUE(ui.select(win, 3, 1));
    EXPECT_EQ(ui.controlText(win, 3), "1/2-13 UNC") << "a choice becomes the text";
    EXPECT_EQ(recorder.events.back().code, notify::kSelectionChanged);
    ui.select(win, 3, 7);
    EXPECT_EQ(ui.controlText(win, 3), "1/2-13 UNC") << "no entry there: the text stays";
    ui.listClear(win, 3);
    EXPECT_EQ(ui.listCount(win, 3), 0);
    EXPECT_EQ(ui.controlText(win, 3), "1/2-13 UNC");

    const nlohmann::json j = stateToJson(ui, RecordingPrintPreview{})["main"]["controls"]["3"];
    EXPECT_EQ(j["kind"], "historyentry");
    EXPECT_EQ(j["text"], "1/2-13 UNC");
    EXPECT_EQ(j["items"], nlohmann::json::array());
}

TEST(RecordingPrintPreview, CallsOutsideTheOpenDocumentAreIgnored) {
    RecordingPrintPreview printing;
    printing.dpText(1, 0, 0, 0, "before any document");
    const int doc = printing.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    printing.dpText(doc + 1, 0, 0, 0, "wrong handle");
    printing.dpEndDoc(doc, 4);
    printing.dpText(doc, 0, 0, 0, "after the end");
    ASSERT_EQ(printing.documents().size(), 1u);
    EXPECT_EQ(printing.documents()[0].size(), 2u);
    EXPECT_FALSE(printing.documentOpen());
}

}  // namespace
}  // namespace torveld::platform
