#include <gtest/gtest.h>

#include <string>

#include "control_ids.h"
#include "main_window_fixture.h"

namespace torveld::testing {
namespace {

using platform::ControlKind;
using platform::Rgb;

const std::string kTen(10, ' ');

TEST_F(MainWindowTest, OpensCentredWithoutTitleBarOnA1024By768Screen) {
    const platform::HeadlessWindow* w = ui.window(win());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->rect, (platform::Rect{112, 109, 800, 550}));
    EXPECT_EQ(w->title, "Threads");
    EXPECT_EQ(w->state, platform::ShowState::Normal);
    EXPECT_EQ(w->background, (Rgb{180, 180, 180}));
    EXPECT_EQ(ui.windows().size(), 1u);
    // Controls start in the font most of them show, so few need one of their own.
    EXPECT_EQ(w->controlFont, (platform::FontSpec{"Tahoma", 9, 700}));
    int inWindowFont = 0;
    for (const auto& [id, c] : w->controls) inWindowFont += c.font && *c.font == w->controlFont;
    EXPECT_GT(2 * inWindowFont, static_cast<int>(w->controls.size()));
}

class SmallScreenTest : public MainWindowTest {
  protected:
    SmallScreenTest() : MainWindowTest({803, 601}) {}
};

TEST_F(SmallScreenTest, HalvesRoundToTheEvenNeighbour) {
    // (803 - 800) / 2 = 1.5 and (601 - 550) / 2 = 25.5.
    EXPECT_EQ(ui.window(win())->rect, (platform::Rect{2, 26, 800, 550}));
}

TEST_F(MainWindowTest, CreatesEveryControlOfTheTableVisibleWithItsLook) {
    const auto& order = ui.window(win())->creationOrder;
    ASSERT_EQ(order.size(), mainControls().size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const ControlDef& def = mainControls()[i];
        SCOPED_TRACE("control " + std::to_string(def.id));
        EXPECT_EQ(order[i], def.id);
        const platform::HeadlessControl& c = control(def.id);
        EXPECT_EQ(c.kind, def.kind);
        EXPECT_EQ(c.rect, def.rect);
        EXPECT_EQ(c.style, def.style);
        EXPECT_TRUE(c.visible);
        if (def.id == ids::kSizePanel) {
            EXPECT_FALSE(c.font.has_value());
        } else {
            ASSERT_TRUE(c.font.has_value());
            EXPECT_EQ(*c.font, (platform::FontSpec{"Tahoma", def.fontSize, 700}));
        }
        if (def.id == ids::kDrillChart) {
            EXPECT_FALSE(c.colours.has_value());
        } else {
            ASSERT_TRUE(c.colours.has_value());
            EXPECT_EQ(c.colours->first, (Rgb{0, 0, 0}));
        }
        const bool fixedCaption = c.kind == ControlKind::Label || c.kind == ControlKind::Button ||
                                  c.kind == ControlKind::Radio;
        if (fixedCaption && def.id != ids::kTitle) {
            EXPECT_EQ(c.text, def.caption);
        }
    }
    EXPECT_EQ(control(ids::kTitle).colours->second, (Rgb{195, 195, 195}));
    EXPECT_EQ(control(ids::kHide).colours->second, (Rgb{245, 245, 245}));
    EXPECT_EQ(control(ids::kUncRadio).colours->second, (Rgb{180, 180, 180}));
    EXPECT_EQ(control(ids::kPitch).colours->second, (Rgb{245, 245, 245}));
    EXPECT_EQ(control(ids::kPitch).font->points, 9);
    EXPECT_EQ(control(ids::kInches).font->points, 8);
}

TEST_F(MainWindowTest, TitleAndExitButtonFonts) {
    EXPECT_EQ(text(ids::kTitle), "TORVELD 2.1");
    EXPECT_EQ(control(ids::kTitle).font->points, 13);
    EXPECT_EQ(control(ids::kPipeExit).font->points, 14);
    EXPECT_EQ(control(ids::kPipeExit).rect, (platform::Rect{0, 0, 0, 0}));
}

TEST_F(MainWindowTest, DrillChartHoldsAll747RowsWithStartUpDiameters) {
    const platform::HeadlessControl& chart = control(ids::kDrillChart);
    ASSERT_EQ(chart.columns.size(), 2u);
    EXPECT_EQ(chart.columns[0], (std::pair<std::string, int>{"    DRILL", 75}));
    EXPECT_EQ(chart.columns[1], (std::pair<std::string, int>{"DIAMETER", 81}));
    ASSERT_EQ(chart.rows.size(), 747u);
    EXPECT_EQ(chart.rows[0], (std::vector<std::string>{"80", "     .0135"}));
    EXPECT_EQ(chart.rows[4], (std::vector<std::string>{"1/64", "     .0156"}));
    EXPECT_EQ(chart.rows[745], (std::vector<std::string>{"5 1/2", "   5.5000"}));
    EXPECT_EQ(chart.rows[746], (std::vector<std::string>{"NO DATA", "NO DATA"}));
    EXPECT_EQ(chart.textBackground, (Rgb{245, 245, 245}));
}

TEST_F(MainWindowTest, StartsOnUncFirstSizeInInches) {
    EXPECT_EQ(main.selection().series, series::UNC);
    EXPECT_EQ(main.selection().sizeIndex, 0);
    EXPECT_FALSE(main.unitMode().isMetric());

    const platform::HeadlessControl& sizes = control(ids::kSizeList);
    ASSERT_EQ(sizes.items.size(), 33u);
    EXPECT_EQ(sizes.items[0], "  1 - 64");
    EXPECT_EQ(sizes.items[9], "  1/4 - 20");
    EXPECT_EQ(sizes.items[24], "  2 - 4 1/2");
    EXPECT_EQ(sizes.selected, 0);
    EXPECT_EQ(sizes.entryHeight, 15);
    EXPECT_EQ(control(ids::kEngagementList).entryHeight, 16);

    EXPECT_TRUE(checked(ids::kInches));
    EXPECT_FALSE(checked(ids::kMillimeters));
    EXPECT_EQ(checkedSeriesRadios(), std::vector<int>{401});

    EXPECT_EQ(text(ids::kExternalHeader), "EXTERNAL DATA" + kTen + "1 - 64  UNC");
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "1 - 64  UNC");
    EXPECT_EQ(text(ids::kPitch), ".0156");  // 1/64 inch
    EXPECT_EQ(text(ids::kExtNormalLabel), "2A");
    EXPECT_EQ(items(ids::kEngagementList).size(), 10u);
    EXPECT_GE(control(ids::kDrillChart).selected, 0);
}

TEST_F(MainWindowTest, ShutDownClosesTheMainWindow) {
    main.shutDown();
    EXPECT_FALSE(ui.isWindowOpen(win()));
    main.shutDown();  // a second call finds nothing more to do
    EXPECT_TRUE(main.ended());
}

}  // namespace
}  // namespace torveld::testing
