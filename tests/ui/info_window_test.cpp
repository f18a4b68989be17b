#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless_json.h"
#include "headless_windowing.h"
#include "info_window.h"
#include "recording_print_preview.h"

namespace torveld {
namespace {

using namespace platform;

// Routes the events of the information window to it, as the main window's handler does.
struct Router : EventHandler {
    explicit Router(InfoWindow& info) : info(info) {}
    void onBackgroundPress(WindowHandle w) override {
        if (info.owns(w)) info.onBackgroundPress(w);
    }
    void onControlEvent(WindowHandle w, int id, int code) override {
        if (info.owns(w)) info.onControlEvent(w, id, code);
    }
    InfoWindow& info;
};

class InfoWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mainWindow = ui.createWindow({"Threads", {144, 109, 735, 550}, {180, 180, 180}, false});
        ui.showWindow(mainWindow, ShowState::Normal);
        ui.attach(&router);
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        const HeadlessControl* list = ui.control(info.handle(), InfoWindow::kListId);
        if (!list) return out;
        for (const auto& row : list->rows) out.push_back(row.at(0));
        return out;
    }
    int infoWindowCount() const {
        int n = 0;
        for (const auto& w : ui.windows()) n += w.title == "Thread Info";
        return n;
    }
    const HeadlessWindow& window() const { return *ui.window(info.handle()); }
    bool onTop() const {
        for (const auto& w : ui.windows()) {
            if (w.open && w.handle != info.handle() && w.zOrder > window().zOrder) return false;
        }
        return true;
    }

    HeadlessWindowing ui{{1024, 768}};
    InfoWindow info{ui};
    Router router{info};
    WindowHandle mainWindow = 0;
};

TEST_F(InfoWindowTest, OpensCentredWithItsControlsAndTheDescription) {
    EXPECT_FALSE(info.isOpen());
    info.showFor(series::UNC, UnitMode::inch());
    ASSERT_TRUE(info.isOpen());
    const HeadlessWindow& w = window();
    EXPECT_EQ(w.rect, (Rect{355, 144, 314, 480}));
    EXPECT_EQ(w.title, "Thread Info");
    EXPECT_TRUE(w.popup);
    EXPECT_EQ(w.background, (Rgb{209, 209, 140}));
    EXPECT_EQ(w.state, ShowState::Normal);
    EXPECT_TRUE(onTop());

    const HeadlessControl* list = ui.control(w.handle, InfoWindow::kListId);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->kind, ControlKind::ListView);
    EXPECT_EQ(list->rect, (Rect{6, 6, 300, 430}));
    EXPECT_TRUE(list->visible);
    EXPECT_EQ(list->style & (style::kBorder | style::kReportView | style::kSingleSelect),
              style::kBorder | style::kReportView | style::kSingleSelect);
    EXPECT_EQ(list->font, (FontSpec{"Tahoma", 9, 700}));
    ASSERT_EQ(list->columns.size(), 1u);
    EXPECT_EQ(list->columns[0], (std::pair<std::string, int>{"", 285}));

    const HeadlessControl* close = ui.control(w.handle, InfoWindow::kCloseId);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->kind, ControlKind::Button);
    EXPECT_EQ(close->text, "CLOSE");
    EXPECT_EQ(close->rect, (Rect{127, 450, 60, 22}));
    EXPECT_TRUE(close->visible);
    EXPECT_EQ(close->font, (FontSpec{"Tahoma", 8, 700}));
    ASSERT_TRUE(close->colours.has_value());
    EXPECT_EQ(close->colours->first, (Rgb{0, 0, 0}));
    EXPECT_EQ(close->colours->second, (Rgb{245, 245, 245}));

    EXPECT_EQ(lines(), buildDescription(series::UNC, UnitMode::inch()));
    EXPECT_EQ(lines().size(), 27u);
    // The dump reads the same window.
    const auto dump = stateToJson(ui, RecordingPrintPreview{})["info"];
    EXPECT_EQ(dump["open"], true);
    EXPECT_EQ(dump["rect"], nlohmann::json::array({355, 144, 314, 480}));
    EXPECT_EQ(dump["lines"].size(), 27u);
}

TEST_F(InfoWindowTest, CentringRoundsHalvesToEven) {
    HeadlessWindowing odd{{1025, 801}};  // (1025-314)/2 = 355.5, (801-480)/2 = 160.5
    InfoWindow w{odd};
    w.showFor(series::UNC, UnitMode::inch());
    EXPECT_EQ(odd.windowRect(w.handle()), (Rect{356, 160, 314, 480}));
    HeadlessWindowing small{{800, 600}};
    InfoWindow s{small};
    s.showFor(series::UNC, UnitMode::inch());
    EXPECT_EQ(small.windowRect(s.handle()), (Rect{243, 60, 314, 480}));
}

TEST_F(InfoWindowTest, InfoTwiceRaisesTheSameWindowWithoutRefilling) {
    info.showFor(series::UNC, UnitMode::inch());
    const WindowHandle first = info.handle();
    ui.showWindow(first, ShowState::Minimised);
    ui.bringToTop(mainWindow);
    ASSERT_FALSE(onTop());
    info.showFor(series::BSW, UnitMode::metric());  // the second INFO does not refill
    EXPECT_EQ(info.handle(), first);
    EXPECT_EQ(infoWindowCount(), 1);
    EXPECT_EQ(window().state, ShowState::Normal);
    EXPECT_TRUE(onTop());
    EXPECT_EQ(lines(), buildDescription(series::UNC, UnitMode::inch()));
}

TEST_F(InfoWindowTest, RefreshRefillsAndRaisesOnlyWhileOpen) {
    info.refresh(series::UNF, UnitMode::inch());  // not open: nothing is created
    EXPECT_TRUE(ui.windows().size() == 1u);

    info.showFor(series::UNC, UnitMode::inch());
    ui.bringToTop(mainWindow);
    info.refresh(series::UNC, UnitMode::metric());  // unit switch
    EXPECT_TRUE(onTop());
    EXPECT_EQ(lines()[15], "  pitch diameter changes .102 with");
    EXPECT_EQ(lines()[16], "  each .025 of plating buildup");
    info.refresh(series::UNC, UnitMode::inch());  // and back
    EXPECT_EQ(lines()[15], "  pitch diameter changes .0040 with");
    EXPECT_EQ(lines()[16], "  each .0010 of plating buildup");

    info.refresh(series::NPSL, UnitMode::inch());  // series change
    EXPECT_EQ(lines(), buildDescription(series::NPSL, UnitMode::inch()));
    const HeadlessControl* list = ui.control(info.handle(), InfoWindow::kListId);
    EXPECT_EQ(list->columns.size(), 1u);  // the column is replaced, not added to
    EXPECT_EQ(infoWindowCount(), 1);
}

TEST_F(InfoWindowTest, CloseDestroysAndTheNextInfoOpensCentredAgain) {
    info.showFor(series::UNC, UnitMode::inch());
    const WindowHandle first = info.handle();
    ASSERT_TRUE(ui.press(first));  // a press on the background starts a move
    EXPECT_EQ(ui.window(first)->moveStarts, 1);
    ui.dragBy(first, -200, 90);
    EXPECT_EQ(ui.windowRect(first), (Rect{155, 234, 314, 480}));

    ASSERT_TRUE(ui.click(first, InfoWindow::kCloseId));
    EXPECT_FALSE(info.isOpen());
    EXPECT_FALSE(ui.isWindowOpen(first));
    EXPECT_EQ(info.handle(), 0);
    EXPECT_FALSE(stateToJson(ui, RecordingPrintPreview{})["info"]["open"]);

    info.refresh(series::UNF, UnitMode::inch());  // closed: a refresh opens nothing
    EXPECT_FALSE(info.isOpen());

    info.showFor(series::UNF, UnitMode::inch());
    EXPECT_NE(info.handle(), first);
    EXPECT_EQ(window().rect, (Rect{355, 144, 314, 480}));
    EXPECT_EQ(lines(), buildDescription(series::UNF, UnitMode::inch()));
}

TEST_F(InfoWindowTest, OnlyItsOwnEventsActOnIt) {
    info.showFor(series::UNC, UnitMode::inch());
    const WindowHandle w = info.handle();
    // Presses and clicks elsewhere, and its list, leave it alone.
    info.onBackgroundPress(mainWindow);
    info.onControlEvent(mainWindow, InfoWindow::kCloseId, notify::kClicked);
    ui.click(w, InfoWindow::kListId);
    EXPECT_TRUE(info.isOpen());
    EXPECT_EQ(ui.window(w)->moveStarts, 0);
    ui.bringToTop(mainWindow);
    ui.press(w);
    EXPECT_TRUE(onTop());
    EXPECT_EQ(ui.window(w)->moveStarts, 1);
    EXPECT_FALSE(info.owns(0));
    EXPECT_FALSE(info.owns(mainWindow));
}

TEST_F(InfoWindowTest, AWindowClosedByThePlatformCountsAsClosed) {
    info.showFor(series::UNC, UnitMode::inch());
    const WindowHandle first = info.handle();
    ui.closeWindow(first);
    EXPECT_FALSE(info.isOpen());
    info.refresh(series::UNF, UnitMode::inch());
    EXPECT_EQ(ui.windows().size(), 2u);
    info.close();  // harmless when already closed
    info.showFor(series::UNF, UnitMode::inch());
    EXPECT_TRUE(info.isOpen());
    EXPECT_NE(info.handle(), first);
}

}  // namespace
}  // namespace torveld
