// Random event sequences against the main window: after every event the window must agree with
// the Selection, and whatever path led to a series, size and unit, the window must show exactly
// what a direct path to them shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "control_ids.h"
#include "control_table.h"
#include "headless_windowing.h"
#include "main_window.h"
#include "recording_print_preview.h"
#include "result_display.h"

namespace torveld {
namespace {

struct System {
    platform::HeadlessWindowing ui;
    platform::RecordingPrintPreview printing;
    MainWindow main{ui, printing};
    System() {
        main.startUp();
        ui.attach(&main);
    }
    const platform::HeadlessControl& control(int id) const {
        return *ui.control(main.window(), id);
    }
};

bool isPipe(SeriesId id) {
    return id == series::NPT || id == series::NPTF;
}

void expectConsistent(const System& s, const std::string& trace) {
    SCOPED_TRACE(trace);
    const Selection& sel = s.main.selection();
    ASSERT_GE(sel.sizeIndex, 0);
    ASSERT_LT(sel.sizeIndex, sizeCount(sel.series));
    std::vector<int> on;
    for (int id = ids::kFirstSeriesRadio; id <= ids::kLastSeriesRadio; ++id) {
        if (s.control(id).checked) on.push_back(id);
    }
    EXPECT_EQ(on, std::vector<int>{seriesRadioId(sel.series)});
    const bool metric = s.main.unitMode().isMetric();
    EXPECT_EQ(s.control(ids::kInches).checked, !metric);
    EXPECT_EQ(s.control(ids::kMillimeters).checked, metric);

    const platform::HeadlessControl& sizes = s.control(ids::kSizeList);
    EXPECT_EQ(static_cast<int>(sizes.items.size()), sizeCount(sel.series));
    EXPECT_EQ(sizes.selected, sel.sizeIndex);
    EXPECT_EQ(s.control(ids::kInternalHeader).text,
              "INTERNAL DATA" + std::string(10, ' ') +
                  headerText(sel.series, sel.sizeIndex, seriesById(sel.series).name));
    const bool pipe = isPipe(sel.series);
    EXPECT_EQ(s.control(ids::kUncRadio).visible, !pipe);
    EXPECT_EQ(s.control(ids::kPipeExit).rect.width > 0, pipe);
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// The window reached by `s` against a fresh one driven straight to the same series, size and
// unit: every control that can be seen holds the same text, place and state.
void expectSameAsDirectPath(const System& s) {
    System direct;
    const Selection& sel = s.main.selection();
    const platform::WindowHandle w = direct.main.window();
    if (sel.series != series::UNC) direct.ui.click(w, seriesRadioId(sel.series));
    if (sel.sizeIndex != 0) direct.ui.select(w, ids::kSizeList, sel.sizeIndex);
    if (s.main.unitMode().isMetric()) direct.ui.click(w, ids::kMillimeters);

    for (const ControlDef& def : mainControls()) {
        SCOPED_TRACE("control " + std::to_string(def.id) + " of " + seriesById(sel.series).name +
                     " size " + std::to_string(sel.sizeIndex));
        const platform::HeadlessControl& a = s.control(def.id);
        const platform::HeadlessControl& b = direct.control(def.id);
        // The screw layout restored after the pipe layout moves three captions a little.
        const bool movedCaption = def.id == 358 || def.id == 361 || def.id == 362;
        if (!movedCaption) {
            EXPECT_EQ(a.rect, b.rect);
        }
        EXPECT_EQ(a.visible, b.visible);
        if (a.rect.width == 0 || a.rect.height == 0) continue;  // collapsed: not shown
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.checked, b.checked);
        EXPECT_EQ(a.items, b.items);
        ASSERT_EQ(a.rows.size(), b.rows.size());
        for (std::size_t r = 0; r < a.rows.size(); ++r) {
            // After a switch back to inches the drill texts carry fewer leading spaces.
            ASSERT_EQ(a.rows[r].size(), b.rows[r].size());
            for (std::size_t c = 0; c < a.rows[r].size(); ++c) {
                EXPECT_EQ(trimmed(a.rows[r][c]), trimmed(b.rows[r][c]));
            }
        }
    }
    EXPECT_EQ(s.main.guideStartIndex(), direct.main.guideStartIndex());
}

class RandomEvents : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomEvents, WindowAlwaysAgreesWithTheSelection) {
    std::mt19937 rng(GetParam());
    System s;
    const platform::WindowHandle w = s.main.window();
    std::vector<int> ids;  // every control, plus a few that are not controls
    for (const ControlDef& def : mainControls()) {
        if (def.id != ids::kClose) ids.push_back(def.id);
    }
    for (int extra : {0, -1, 301, 424, 9999}) ids.push_back(extra);
    // Weight the events that change most: series radios, sizes, units and the exit button.
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 400; ++step) {
        std::string trace = "step " + std::to_string(step) + ": ";
        switch (pick(8)) {
            case 0:
            case 1: {
                const int id = ids::kFirstSeriesRadio + pick(23);
                s.ui.click(w, id);
                trace += "click " + std::to_string(id);
                break;
            }
            case 2: {
                const int position = pick(3) == 0 ? pick(500) - 250 : pick(40);
                s.ui.select(w, ids::kSizeList, position);
                trace += "select 302 " + std::to_string(position);
                break;
            }
            case 3: {
                const int id = pick(2) ? ids::kInches : ids::kMillimeters;
                s.ui.click(w, id);
                trace += "click " + std::to_string(id);
                break;
            }
            case 4:
                s.ui.click(w, ids::kPipeExit);
                trace += "click 433";
                break;
            case 5: {
                const int id = ids[static_cast<std::size_t>(pick(static_cast<int>(ids.size())))];
                const int code = pick(4) - 1;
                s.ui.notify(w, id, code);
                trace += "notify " + std::to_string(id) + " " + std::to_string(code);
                break;
            }
            case 6: {
                const int id = ids[static_cast<std::size_t>(pick(static_cast<int>(ids.size())))];
                if (id == ids::kDrillChart) continue;  // a user's own pick of a drill
                s.ui.click(w, id);
                trace += "click " + std::to_string(id);
                break;
            }
            default: {
                const int id = ids[static_cast<std::size_t>(pick(static_cast<int>(ids.size())))];
                if (id == ids::kDrillChart) continue;
                const int position = pick(60) - 5;
                s.ui.select(w, id, position);
                trace += "select " + std::to_string(id) + " " + std::to_string(position);
                break;
            }
        }
        expectConsistent(s, trace);
        if (step % 50 == 49) expectSameAsDirectPath(s);
        if (::testing::Test::HasFailure()) return;
    }
    expectSameAsDirectPath(s);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEvents, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

}  // namespace
}  // namespace torveld
