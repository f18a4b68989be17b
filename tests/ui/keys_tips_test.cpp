// The main window's keys and tips on the headless platform: Ctrl+P, F1, Ctrl+Q and Escape act
// as their buttons, and the tips say what a caption's value is and what each drill gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "control_ids.h"
#include "drill_chart.h"
#include "main_window_fixture.h"
#include "result_display.h"
#include "tap_drill.h"
#include "thread_calculator.h"
#include "thread_report.h"

namespace torveld::testing {
namespace {

using platform::KeyChord;
namespace keys = platform::keys;

// The drill tips read the engagement list backwards, from the diameter the list works from.
// Reading an engagement line backwards gives its percentage again, for every size of every
// series with an engagement list, from the diameter the line was worked out from.
TEST(PercentageOfThread, ReadsEveryEngagementLineBackwards) {
    int lines = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        for (int row = 0; row < sizeCount(id); ++row) {
            Selection selection{id, row};
            const ThreadResults r = *calculate(selection);
            const std::optional<double> major = engagementMajor(seriesById(id).display, r);
            if (!major) continue;
            const auto engagement = tap_drill::engagementLines(*major, r.pitch);
            for (std::size_t k = 0; k < engagement.size(); ++k) {
                EXPECT_NEAR(tap_drill::percentageOfThread(*major, r.pitch, engagement[k].diameter),
                            tap_drill::kPercentages[k], 1e-9)
                    << seriesById(id).name << " row " << row;
                ++lines;
            }
        }
    }
    EXPECT_GT(lines, 9 * 500);
}

TEST(PercentageOfThread, OnlySeriesWithAnEngagementListWorkFromAMajorDiameter) {
    // The engagement list belongs to the Unified, UNS, UNJ and ISO series alone.
    const std::vector<SeriesId> listed{
        series::UNC,  series::UNF,  series::UNEF,  series::UN,         series::UNS,     series::UNJ,
        series::UNJC, series::UNJF, series::UNJEF, series::ISO_COARSE, series::ISO_FINE};
    ThreadResults r;
    r.intNormal.majorMin = 0.25;
    r.extClose.majorMax = 0.24;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const bool expected = std::find(listed.begin(), listed.end(), id) != listed.end();
        EXPECT_EQ(engagementMajor(seriesById(id).display, r).has_value(), expected) << id;
    }
    // UNJ works from the close-class external major maximum.
    EXPECT_EQ(engagementMajor(seriesById(series::UNJF).display, r), 0.24);
    EXPECT_EQ(engagementMajor(seriesById(series::UNC).display, r), 0.25);
}

class KeysTipsTest : public MainWindowTest {
  protected:
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
    int drillRow(const std::string& name) const {
        const auto& rows = control(ids::kDrillChart).rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][0] == name) return static_cast<int>(i);
        }
        ADD_FAILURE() << "no drill " << name;
        return -1;
    }
    std::string drillTip(const std::string& name) { return ui.tip(win(), 347, drillRow(name)); }
    std::string tip(int id) { return ui.tip(win(), id); }
    bool key(KeyChord chord) { return ui.key(win(), chord); }
    platform::WindowHandle info() const { return main.infoWindow().handle(); }
};

TEST_F(KeysTipsTest, KeysActAsTheButtonsOfTheirWindows) {
    EXPECT_TRUE(key({'P', true}));
    EXPECT_EQ(printing.documents().size(), 1u) << "Ctrl+P prints";
    EXPECT_TRUE(key({keys::kF1, false}));
    ASSERT_TRUE(main.infoWindow().isOpen()) << "F1 opens the information window";
    const platform::WindowHandle first = info();
    EXPECT_FALSE(key({keys::kEscape, false})) << "Escape means nothing in the main window";
    EXPECT_TRUE(main.infoWindow().isOpen());
    EXPECT_FALSE(ui.key(first, {'P', true})) << "the main window's keys are its own";
    EXPECT_TRUE(ui.key(first, {keys::kEscape, false}));
    EXPECT_FALSE(main.infoWindow().isOpen()) << "Escape closes the information window";
    EXPECT_TRUE(key({keys::kF1, false}));
    EXPECT_NE(info(), first) << "opened afresh";
    EXPECT_TRUE(ui.key(info(), {keys::kEscape, false}));

    // The pipe arrangement hides most controls; the keys still reach PRINT and INFO.
    click(ids::kNptRadio);
    EXPECT_TRUE(key({'P', true}));
    EXPECT_EQ(printing.documents().size(), 2u);

    // Return presses the button that has the focus.
    ui.setFocus(win(), ids::kInfo);
    EXPECT_TRUE(key({keys::kReturn, false}));
    EXPECT_TRUE(main.infoWindow().isOpen());

    EXPECT_TRUE(key({'Q', true}));
    EXPECT_TRUE(main.ended()) << "Ctrl+Q ends the program as CLOSE does";
    EXPECT_TRUE(ui.loopEnded());
    key({'P', true});
    EXPECT_EQ(printing.documents().size(), 2u) << "nothing after the end";
}

TEST_F(KeysTipsTest, ButtonTipsNameTheirKeys) {
    EXPECT_NE(tip(ids::kPrint).find("(Ctrl+P)"), std::string::npos) << tip(ids::kPrint);
    EXPECT_NE(tip(ids::kInfo).find("(F1)"), std::string::npos) << tip(ids::kInfo);
    EXPECT_NE(tip(ids::kClose).find("(Ctrl+Q)"), std::string::npos) << tip(ids::kClose);
    EXPECT_EQ(tip(ids::kExtNormalMajorMax), "") << "a value field has none";
    EXPECT_EQ(tip(ids::kExtMajorCaption), "") << "nor a caption nobody asks about";
}

// The drills of common tap-drill charts, with the percentage of thread those charts print.
TEST_F(KeysTipsTest, DrillTipsGiveThePercentagesOfPublishedCharts) {
    chooseSize(series::UNC, "1/4 - 20");
    EXPECT_EQ(drillTip("7"), "Drill 7 (.2010 in) gives 75% of thread on 1/4 - 20 UNC.");
    chooseSize(series::UNC, "5/16 - 18");
    EXPECT_NE(drillTip("F").find("gives 77% of thread on 5/16 - 18 UNC"), std::string::npos);
    chooseSize(series::UNC, "3/8 - 16");
    EXPECT_NE(drillTip("5/16").find("gives 77% of thread"), std::string::npos);
    chooseSize(series::UNF, "10 - 32");
    EXPECT_NE(drillTip("21").find("gives 76% of thread on 10 - 32 UNF"), std::string::npos);

    // The tip follows the size and the unit of display.
    chooseSize(series::UNC, "1/2 - 13");
    const std::string inch = drillTip("27/64");
    EXPECT_EQ(inch, "Drill 27/64 (.4219 in) gives 78% of thread on 1/2 - 13 UNC.");
    click(ids::kMillimeters);
    EXPECT_EQ(drillTip("27/64"), "Drill 27/64 (10.716 mm) gives 78% of thread on 1/2 - 13 UNC.");
    click(ids::kInches);
    EXPECT_EQ(drillTip("27/64"), inch);
}

TEST_F(KeysTipsTest, DrillTipsOutsideTheEngagementList) {
    chooseSize(series::UNC, "1/4 - 20");
    EXPECT_EQ(drillTip("F"),
              "Drill F (.2570 in) is larger than the major diameter of 1/4 - 20 UNC and leaves "
              "no thread.");
    EXPECT_EQ(drillTip("60"),
              "Drill 60 (.0400 in) is smaller than the 100% drill of 1/4 - 20 UNC (.1850 in).");
    EXPECT_EQ(ui.tip(win(), 347, drill_chart::kEndRow).substr(0, 8), "NO DATA:");
    EXPECT_EQ(ui.tip(win(), 347, -1), "");
    EXPECT_EQ(ui.tip(win(), 347, drill_chart::kRowCount), "");

    // Series without an engagement list, the pipe arrangement among them.
    for (const SeriesId id : {series::ACME, series::BSW, series::UNC_STI, series::NPT}) {
        choose(id, 0);
        EXPECT_EQ(drillTip("7"),
                  "Drill 7 (.2010 in): the percentage of thread is given only for the series "
                  "with an ENGAGEMENT list.")
            << seriesById(id).name;
    }
}

// Every drill's percentage must sit where the engagement list shown puts it: a drill that gives
// more thread than a line's percentage is no larger than that line's drill, and one that gives
// less is no smaller (within the four places of the list).
TEST_F(KeysTipsTest, DrillTipsAgreeWithTheEngagementListShown) {
    int checked = 0;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const int sizes = sizeCount(id);
        for (const int size : {0, sizes / 2, sizes - 1}) {
            choose(id, 0);
            if (size != 0) select(ids::kSizeList, size);
            const auto& lines = items(ids::kEngagementList);
            if (lines.size() != 10) continue;  // no engagement list
            std::vector<double> diameters;
            for (std::size_t k = 1; k < lines.size(); ++k) {
                const std::string& line = lines[k];
                const std::size_t at = line.find("-   ");
                ASSERT_NE(at, std::string::npos) << line;
                double value = 0;
                const char* first = line.data() + at + 4;
                ASSERT_EQ(std::from_chars(first, line.data() + line.size(), value).ec, std::errc())
                    << line;
                diameters.push_back(value);
            }
            const int percentages[] = {100, 90, 80, 75, 70, 65, 60, 55, 50};
            for (int row = 0; row < drill_chart::kEndRow; ++row) {
                const std::string tip = ui.tip(win(), 347, row);
                const double drill = drill_chart::diameter(row);
                const std::size_t gives = tip.find(" gives ");
                if (gives == std::string::npos) {
                    if (tip.find("smaller than the 100% drill") != std::string::npos) {
                        EXPECT_LT(drill, diameters[0] + 0.00005) << tip;
                    } else {
                        EXPECT_NE(tip.find("leaves no thread"), std::string::npos) << tip;
                        EXPECT_GT(drill, diameters[8]) << tip;
                    }
                    continue;
                }
                int percent = -1;
                const char* first = tip.data() + gives + 7;
                std::from_chars(first, tip.data() + tip.size(), percent);
                for (std::size_t k = 0; k < 9; ++k) {
                    if (percent >= percentages[k] + 1) {
                        EXPECT_LE(drill, diameters[k] + 0.00005) << tip;
                    } else if (percent <= percentages[k] - 1) {
                        EXPECT_GE(drill, diameters[k] - 0.00005) << tip;
                    }
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 500);
}

TEST_F(KeysTipsTest, CaptionTipsFollowWhatTheCaptionsShow) {
    for (const auto& [id, caption] :
         std::vector<std::pair<int, std::string>>{{ids::kExtMinor1Caption, "REF:"},
                                                  {ids::kBestWireCaption, "BEST WIRE:"},
                                                  {ids::kConstantCaption, "CONSTANT:"},
                                                  {ids::kOverWiresCaption, "OVER WIRES:"},
                                                  {ids::kEngagementCaption, "ENGAGEMENT:"},
                                                  {ids::kDrillChartCaption, "TAP DRILL GUIDE:"}}) {
        EXPECT_EQ(tip(id).substr(0, caption.size()), caption) << id << ": " << tip(id);
    }
    EXPECT_NE(tip(ids::kDrillChartCaption).find("minor diameter"), std::string::npos);
    EXPECT_NE(tip(ids::kDrillChartCaption).find("ENGAGEMENT list"), std::string::npos);

    // UNJ shows "MAX" where Unified shows "REF": no REF tip there.
    choose(series::UNJ, 0);
    EXPECT_EQ(text(ids::kExtMinor1Caption), "MAX");
    EXPECT_EQ(tip(ids::kExtMinor1Caption), "");

    // The pipe arrangement: E0, E1, K0, the lengths, the two-wire constant, the drill by K0.
    choose(series::NPT, 0);
    EXPECT_EQ(tip(ids::kWiresMaxCaption).substr(0, 3), "E0:");
    EXPECT_EQ(tip(ids::kExtMinor1Caption).substr(0, 3), "E1:");
    EXPECT_EQ(tip(ids::kIntMinorMaxCaption).substr(0, 3), "K0:");
    EXPECT_EQ(tip(ids::kConstantCaption).substr(0, 18), "CONSTANT (2 WIRE):");
    EXPECT_NE(tip(ids::kEngagementCaption).find("L4 the overall length of the external"),
              std::string::npos);
    EXPECT_NE(tip(ids::kDrillChartCaption).find("below K0"), std::string::npos);
    EXPECT_EQ(tip(ids::kOverWiresCaption), "") << "collapsed in the pipe arrangement";
    click(ids::kNptfRadio);
    EXPECT_NE(tip(ids::kEngagementCaption).find("shoulder length"), std::string::npos);

    // R, Rc and Rp's own captions, then the trapezoidal thread's: each tip names its caption.
    const std::pair<SeriesId, std::vector<int>> own[] = {
        {series::R,
         {ids::kExtMajorCaption, ids::kExtPitchMaxCaption, ids::kWiresMaxCaption,
          ids::kIntMinorCaption, ids::kTapDepthCaption, ids::kEngagementCaption}},
        {series::TR, {ids::kIntFlatCaption, ids::kRadiiCaption}},
    };
    for (const auto& [series, captions] : own) {
        click(ids::kPipeExit);
        choose(series, 3);
        for (int id : captions) {
            std::string caption = text(id);
            caption.erase(0, caption.find_first_not_of(' '));
            caption += ':';
            EXPECT_EQ(tip(id).substr(0, caption.size()), caption) << id << ": " << tip(id);
        }
    }
    click(ids::kPipeExit);
    choose(series::R, 0);
    EXPECT_NE(tip(ids::kDrillChartCaption).find("parallel internal thread Rp"), std::string::npos);

    // Back to the screw arrangement by the exit button: the captions and their tips return.
    click(ids::kPipeExit);
    EXPECT_EQ(tip(ids::kEngagementCaption).substr(0, 11), "ENGAGEMENT:");
    EXPECT_EQ(tip(ids::kExtMinor1Caption).substr(0, 4), "REF:");

    // The information window has no tips; after CLOSE nothing has.
    click(ids::kInfo);
    EXPECT_EQ(ui.tip(info(), 2), "");
    click(ids::kClose);
    EXPECT_EQ(tip(ids::kBestWireCaption), "");
}

}  // namespace
}  // namespace torveld::testing
