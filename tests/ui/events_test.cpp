#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_ids.h"
#include "headless_json.h"
#include "main_window_fixture.h"

namespace torveld::testing {
namespace {

using platform::Rect;

class EventsTest : public MainWindowTest {
  protected:
    nlohmann::json state() const { return platform::stateToJson(ui, printing); }
    const std::vector<std::string>& drillRow(int row) const {
        return control(ids::kDrillChart).rows[static_cast<std::size_t>(row)];
    }
    int drillRowNamed(const std::string& name) const {
        const auto& rows = control(ids::kDrillChart).rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][0] == name) return static_cast<int>(i);
        }
        return -1;
    }
    bool visible(int id) const { return control(id).visible; }
};

TEST_F(EventsTest, ClickingTheShownSeriesDoesNothing) {
    select(ids::kSizeList, 9);
    const auto before = state();
    click(ids::kUncRadio);
    EXPECT_EQ(main.selection().sizeIndex, 9);
    EXPECT_EQ(state(), before);
}

TEST_F(EventsTest, ANewSeriesAlwaysStartsAtItsFirstSize) {
    select(ids::kSizeList, 9);
    choose(series::UNF, 0);
    EXPECT_EQ(main.selection().sizeIndex, 0);
    EXPECT_EQ(control(ids::kSizeList).selected, 0);
    EXPECT_EQ(items(ids::kSizeList).size(), 24u);
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + std::string(10, ' ') + "0 - 80  UNF");
    EXPECT_EQ(text(ids::kPitch), ".0125");  // 1/80 inch
}

TEST_F(EventsTest, PickingASizeRecalculatesWithoutRefillingTheList) {
    choose(series::UNF, 0);
    auto& list = control(ids::kSizeList).items;
    const std::vector<std::string> before = list;
    select(ids::kSizeList, 10);  // 1/4 - 28
    EXPECT_EQ(main.selection().sizeIndex, 10);
    EXPECT_EQ(list, before);
    EXPECT_EQ(text(ids::kPitch), ".0357");
    EXPECT_EQ(main.selection().series, series::UNF);
}

TEST_F(EventsTest, MillimetersTwiceConvertsOnce) {
    select(ids::kSizeList, 9);
    click(ids::kMillimeters);
    const auto once = state();
    EXPECT_EQ(drillRow(0)[1], "    0.343");  // .0135 inch
    EXPECT_EQ(drillRow(drillRowNamed("10.00mm"))[1], "  10.000");
    EXPECT_EQ(drillRow(745)[1], "139.700");
    EXPECT_EQ(drillRow(746)[1], "NO DATA");
    EXPECT_EQ(text(ids::kExtNormalMajorMax), "6.322");
    EXPECT_TRUE(main.unitMode().isMetric());
    click(ids::kMillimeters);
    EXPECT_EQ(state(), once);
}

TEST_F(EventsTest, BackToInchesNarrowsTheDrillTexts) {
    click(ids::kMillimeters);
    click(ids::kInches);
    EXPECT_EQ(drillRow(4)[1], "   .0156");   // 1/64: three spaces instead of five
    EXPECT_EQ(drillRow(745)[1], " 5.5000");  // one space instead of three
    EXPECT_EQ(drillRow(746)[1], "NO DATA");
    EXPECT_EQ(text(ids::kPitch), ".0156");
    EXPECT_FALSE(main.unitMode().isMetric());
}

TEST_F(EventsTest, AUnitChangeKeepsSeriesSizeAndArrangement) {
    choose(series::NPT, 4);
    const auto sizes = items(ids::kSizeList);
    click(ids::kMillimeters);
    EXPECT_EQ(main.selection().series, series::NPT);
    EXPECT_EQ(main.selection().sizeIndex, 4);
    EXPECT_EQ(items(ids::kSizeList), sizes);
    EXPECT_EQ(control(ids::kSizeList).selected, 4);
    EXPECT_EQ(text(ids::kPipeExit), "Exit NPT");
    EXPECT_FALSE(visible(ids::kUncRadio));
    EXPECT_EQ(text(ids::kExtNormalMajorMin), "21.336");  // pipe diameter .84 inch
}

TEST_F(EventsTest, SizeListIsRebuiltForEachSeries) {
    choose(series::UN, 200);
    EXPECT_EQ(items(ids::kSizeList).size(), 237u);
    choose(series::UNM, 0);
    ASSERT_EQ(items(ids::kSizeList).size(), 14u);
    EXPECT_EQ(items(ids::kSizeList)[0], "  0.30 - 0.080");
    EXPECT_EQ(items(ids::kSizeList)[13], "  1.40 - 0.300");
    EXPECT_EQ(control(ids::kSizeList).selected, 0);

    choose(series::UNF_STI, 0);
    ASSERT_EQ(items(ids::kSizeList).size(), 20u);
    EXPECT_EQ(items(ids::kSizeList)[14], "  1 - 14");
    EXPECT_EQ(items(ids::kSizeList)[15], "  1 - 12");

    choose(series::ACME, 5);
    const auto acme = items(ids::kSizeList);
    choose(series::STUB_ACME, 0);
    EXPECT_EQ(items(ids::kSizeList), acme);
    EXPECT_EQ(acme.size(), 23u);
    EXPECT_EQ(control(ids::kSizeList).selected, 0);
    EXPECT_EQ(main.selection().sizeIndex, 0);
}

TEST_F(EventsTest, PipeLayoutRearrangesTheWindow) {
    // From a thread insert, whose captions differ most from the pipe layout's.
    choose(series::UNC_STI, 3);
    choose(series::NPT, 0);
    for (int id = 401; id <= 423; ++id) EXPECT_FALSE(visible(id)) << id;
    for (int id : {302, 394, 399, 400, 442, 434, 397, 398, 435, 349, 432}) {
        EXPECT_TRUE(visible(id)) << id;
    }
    EXPECT_EQ(control(ids::kPipeExit).rect, (Rect{468, 390, 160, 60}));
    EXPECT_EQ(text(ids::kPipeExit), "Exit NPT");
    expectTexts({{353, "PIPE DIAMETER"},
                 {354, "MAJOR DIAMETER"},
                 {355, "PITCH DIAMETER"},
                 {366, "END OF PIPE"},
                 {368, "E1 GAGE NOTCH"},
                 {370, "E0 END OF PIPE"},
                 {359, "MAX"},
                 {362, "CONSTANT (2 WIRE)"},
                 {376, "MINOR DIAMETER"},
                 {379, "FACE OF PART"},
                 {380, "K0 END OF PIPE"},
                 {386, "HEIGHT"},
                 {387, "MAX"},
                 {396, "   L1 - L4 LENGTHS"}});
    EXPECT_EQ(control(ids::kDrillChart).rect, (Rect{270, 340, 172, 203}));
    EXPECT_EQ(control(ids::kEngagementList).rect, (Rect{5, 340, 260, 203}));
    EXPECT_EQ(control(ids::kInternalHeader).rect, (Rect{105, 195, 470, 28}));
    EXPECT_EQ(control(ids::kPipeTapDepth).rect, (Rect{532, 266, 65, 25}));
    for (int id : {303, 306, 320, 326, 327, 331, 341, 351, 352, 374, 375, 393, 356, 357}) {
        EXPECT_EQ(control(id).rect, Rect{}) << id;
    }
    EXPECT_EQ(items(ids::kEngagementList).size(), 12u);
}

TEST_F(EventsTest, ExitButtonRestoresTheScrewLayoutOnUnc) {
    choose(series::NPTF, 5);
    EXPECT_EQ(text(ids::kPipeExit), "Exit NPT");  // NPTF too
    click(ids::kPipeExit);
    EXPECT_EQ(main.selection().series, series::UNC);
    EXPECT_EQ(main.selection().sizeIndex, 0);
    EXPECT_EQ(checkedSeriesRadios(), std::vector<int>{401});
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + std::string(10, ' ') + "1 - 64  UNC");
    // Three middle-row captions stand a little off their start-up places; every other control
    // is back on its creation rectangle, and the pipe-only controls are collapsed.
    EXPECT_EQ(control(358).rect, (Rect{80, 139, 70, 18}));
    EXPECT_EQ(control(361).rect, (Rect{315, 139, 78, 18}));
    EXPECT_EQ(control(362).rect, (Rect{400, 139, 78, 18}));
    for (const ControlDef& def : mainControls()) {
        if (def.id == 358 || def.id == 361 || def.id == 362) continue;
        EXPECT_EQ(control(def.id).rect, def.rect) << def.id;
        EXPECT_TRUE(control(def.id).visible) << def.id;
    }
    expectTexts({{353, "MAJOR DIAMETER"},
                 {354, "PITCH DIAMETER"},
                 {355, "MINOR DIAMETER"},
                 {366, "MAX"},
                 {370, "MAX"},
                 {362, "CONSTANT"},
                 {359, "FLAT"},
                 {387, "FLAT"},
                 {379, "MIN"},
                 {380, "MAX"},
                 {396, "ENGAGEMENT"},
                 {368, "REF"}});  // UNC's reference minor diameter, not "MAX"
    EXPECT_EQ(items(ids::kSizeList).size(), 33u);
    EXPECT_EQ(items(ids::kEngagementList).size(), 10u);
}

TEST_F(EventsTest, HideMinimisesAndABackgroundPressMoves) {
    const int z = ui.window(win())->zOrder;
    ui.press(win());
    EXPECT_EQ(ui.window(win())->moveStarts, 1);
    EXPECT_GT(ui.window(win())->zOrder, z);
    click(ids::kHide);
    EXPECT_EQ(ui.window(win())->state, platform::ShowState::Minimised);
}

TEST_F(EventsTest, CloseEndsTheLoopAndNothingActsAfterIt) {
    click(ids::kClose);
    EXPECT_TRUE(ui.loopEnded());
    EXPECT_TRUE(main.ended());
    const auto before = state();
    ui.notify(win(), 402, 0);
    ui.notify(win(), ids::kSizeList, 1);
    ui.notify(win(), ids::kMillimeters, 0);
    ui.press(win());
    EXPECT_EQ(state(), before);
    EXPECT_EQ(ui.window(win())->moveStarts, 0);
    main.shutDown();
    EXPECT_FALSE(ui.isWindowOpen(win()));
    EXPECT_FALSE(ui.click(win(), 402));  // a closed window delivers nothing
}

TEST_F(EventsTest, ASizePositionOutOfRangeKeepsTheCurrentSize) {
    choose(series::UNC, 9);
    const auto before = state();
    for (int position : {99, 33, -1, -2147483647 - 1}) {
        select(ids::kSizeList, position);
        EXPECT_EQ(main.selection().sizeIndex, 9);
        EXPECT_EQ(state(), before) << position;
    }
    ui.listSelect(win(), ids::kSizeList, -1);  // a cleared selection, then a bare notification
    ui.notify(win(), ids::kSizeList, 1);
    EXPECT_EQ(control(ids::kSizeList).selected, 9);
    EXPECT_EQ(state(), before);
}

TEST_F(EventsTest, UnknownIdsCodesAndWindowsChangeNothing) {
    select(ids::kSizeList, 9);
    const auto before = state();
    for (int id : {0, -5, 301, 427, 431, 436, 9999}) click(id);
    ui.notify(win(), ids::kSizeList, 2);  // not a selection change
    ui.notify(win(), ids::kSizeList, 0);
    ui.notify(win(), ids::kExtNormalMajorMax, 5);
    ui.notify(win(), ids::kEngagementList, 1);
    EXPECT_EQ(state(), before);
    main.onControlEvent(win() + 1, 402, 0);  // a window that is not the main window
    main.onBackgroundPress(win() + 1);
    EXPECT_EQ(state(), before);
    // Choosing a row of the drill chart or of the engagement list raises no action.
    select(ids::kDrillChart, 3);
    EXPECT_EQ(main.selection().sizeIndex, 9);
    EXPECT_EQ(control(ids::kDrillChart).selected, 3);
}

TEST_F(EventsTest, RadiosAlwaysAgreeWithTheSelection) {
    // A stray click on a hidden series radio while the pipe layout is shown.
    choose(series::NPT, 2);
    click(402);
    EXPECT_EQ(main.selection().series, series::UNF);
    EXPECT_EQ(checkedSeriesRadios(), std::vector<int>{402});
    EXPECT_TRUE(visible(402));
    EXPECT_EQ(control(ids::kDrillChart).rect, (Rect{180, 375, 172, 171}));
    // A bare notification of a radio acts as its click and turns it on.
    ui.notify(win(), 405, 7);
    EXPECT_EQ(main.selection().series, series::UNS);
    EXPECT_EQ(checkedSeriesRadios(), std::vector<int>{405});
    ui.notify(win(), ids::kMillimeters, 3);
    EXPECT_TRUE(checked(ids::kMillimeters));
    EXPECT_FALSE(checked(ids::kInches));
    // NPT to NPTF re-enters the pipe layout.
    choose(series::NPT, 0);
    click(ids::kNptfRadio);
    EXPECT_EQ(main.selection().series, series::NPTF);
    EXPECT_EQ(checkedSeriesRadios(), std::vector<int>{418});
    EXPECT_FALSE(visible(401));
    EXPECT_EQ(text(ids::kPipeExit), "Exit NPT");
    EXPECT_EQ(control(ids::kPipeExit).rect, (Rect{468, 390, 160, 60}));
}

}  // namespace
}  // namespace torveld::testing
