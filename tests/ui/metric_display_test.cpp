// The ISO display rules on results made up for the purpose: the four ISO FINE arrangements and
// the ISO COARSE class labels and missing close classes, driven by pitch and diameters alone.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "class_arrangement.h"
#include "control_ids.h"
#include "control_table.h"
#include "headless_windowing.h"
#include "result_display.h"

namespace torveld {
namespace {

constexpr double mm(double millimetres) {
    return millimetres / mmPerInch;
}

class MetricDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = ui.createWindow({"Threads", {0, 0, 735, 550}, {180, 180, 180}, false});
        createMainControls(ui, window);
        // Distinct values, so that a field written from the wrong result shows.
        const Length none;
        r.extNormal = {0.101, 0.102, 0.103, 0.104, 0.105, 0.106, none, none, 0.107, 0.108};
        r.extClose = {0.201, 0.202, 0.203, 0.204, 0.205, 0.206, none, none, 0.207, 0.208};
        r.intNormal = {0.301, 0.302, 0.303, 0.304, 0.305, 0.306, none};
        r.intClose = {0.401, 0.402, 0.403, 0.404, 0.405, 0.406, none};
        r.extHeight = 0.011;
        r.extFlat = 0.012;
        r.intHeight = 0.013;
        r.intFlat = 0.014;
        r.bestWire = 0.015;
        r.wireConstant = 0.016;
    }

    // An ISO FINE size: pitch and the two internal major minimums, in millimetres.
    void fine(double pitch, double normalMajor, double closeMajor) {
        r.pitch = mm(pitch);
        r.intNormal.majorMin = static_cast<float>(normalMajor) / mmPerInch;
        r.intClose.majorMin = static_cast<float>(closeMajor) / mmPerInch;
        write([&](const FieldWriter& out) {
            writeMetricFineResults(out, recordClasses(series::ISO_FINE, r));
        });
    }

    // What `step` writes, shown in the window as the display shows it.
    template <typename Step>
    void write(Step step) {
        DisplayFrame frame;
        step(FieldWriter{frame, mode, r});
        applyFrame(std::move(frame), WindowWriter{ui, window}, nullptr);
    }

    std::string text(int id) const { return ui.controlText(window, id); }
    std::string labels() const {
        return text(351) + "|" + text(352) + "|" + text(374) + "|" + text(375);
    }
    bool rowIsNone(std::initializer_list<int> row) const {
        for (int id : row) {
            if (text(id) != "--") return false;
        }
        return true;
    }
    bool rowHasValues(std::initializer_list<int> row) const {
        for (int id : row) {
            if (text(id) == "--" || text(id).empty()) return false;
        }
        return true;
    }

    static constexpr std::initializer_list<int> kLowerExternal = {306, 307, 308, 311,
                                                                  312, 316, 319, 320};
    static constexpr std::initializer_list<int> kUpperInternal = {328, 329, 330, 334, 335, 338};
    static constexpr std::initializer_list<int> kLowerInternal = {331, 332, 333, 336, 337, 340};

    platform::HeadlessWindowing ui;
    platform::WindowHandle window = 0;
    UnitMode mode = UnitMode::inch();
    ThreadResults r;
};

TEST_F(MetricDisplayTest, ArrangementAForTheFinestPitches) {
    fine(0.2, 1.0, 1.0);  // M1x0.2
    EXPECT_EQ(labels(), "6g|4h||4H");
    EXPECT_TRUE(rowHasValues(kLowerExternal));
    EXPECT_TRUE(rowIsNone(kUpperInternal));
    EXPECT_TRUE(rowHasValues(kLowerInternal));
    // Shared items: reference minor in the second column, radii and major maxima empty.
    EXPECT_EQ(text(313), "--");
    EXPECT_EQ(text(315), "--");
    EXPECT_EQ(text(314), ".1060");  // extNormal.minorRef
    EXPECT_EQ(text(316), ".2060");  // extClose.minorRef
    EXPECT_EQ(text(306), ".2010");
    EXPECT_EQ(text(331), ".4010");
    EXPECT_EQ(text(340), ".0394");  // intClose.majorMin, 1 mm
    for (int id : {326, 327, 339, 341}) EXPECT_EQ(text(id), "--") << id;
    EXPECT_EQ(text(368), "REF");
    EXPECT_EQ(text(369), "MIN");
    EXPECT_EQ(text(396), "ENGAGEMENT");
    EXPECT_EQ(text(324), ".01500");  // best wire and constant with one place more
    EXPECT_EQ(text(325), ".01600");
    EXPECT_EQ(ui.control(window, 352)->rect, (platform::Rect{15, 105, 25, 18}));
}

TEST_F(MetricDisplayTest, ArrangementBForM12AndM35ByOneAndAHalf) {
    for (double d : {12.0, 35.0}) {
        fine(1.5, d, d);
        EXPECT_EQ(labels(), "6g||6H|") << d;
        EXPECT_TRUE(rowIsNone(kLowerExternal));
        EXPECT_TRUE(rowHasValues(kUpperInternal));
        EXPECT_TRUE(rowIsNone(kLowerInternal));
        EXPECT_EQ(text(328), ".3010");
    }
}

TEST_F(MetricDisplayTest, ArrangementCLabelsFollowThePitch) {
    fine(0.25, 2.0, 2.0);  // M2x0.25
    EXPECT_EQ(labels(), "6g|4h|5H|4H");
    EXPECT_TRUE(rowHasValues(kLowerExternal));
    EXPECT_TRUE(rowHasValues(kUpperInternal));
    EXPECT_TRUE(rowHasValues(kLowerInternal));
    fine(0.35, 3.0, 3.0);  // M3x0.35
    EXPECT_EQ(labels(), "6g|4h|6H|4H");
    fine(0.5, 4.0, 4.0);  // M4x0.5
    EXPECT_EQ(labels(), "6g|4h|6H|5H");
    fine(1.25, 10.0, 10.0);  // the 1.25 mm pitches
    EXPECT_EQ(labels(), "6g|4h|6H|5H");
    fine(2.0, 33.0, 33.0);  // 2 mm up to M33
    EXPECT_EQ(text(352), "4h");
    fine(1.5, 22.0, 22.0);  // 1.5 mm below M23
    EXPECT_EQ(text(352), "4h");
    fine(1.0, 8.0, 8.0);  // M8x1
    EXPECT_EQ(text(352), "4h");
}

TEST_F(MetricDisplayTest, ArrangementDWidensTheLowerExternalLabel) {
    for (const auto& [pitch, d] :
         std::map<double, double>{{0.75, 10}, {1.0, 10}, {1.5, 23}, {2.0, 36}, {3.0, 160}}) {
        fine(pitch, d, d);
        EXPECT_EQ(labels(), "6g|4g6g|6H|") << pitch << " " << d;
        EXPECT_EQ(ui.control(window, 352)->rect, (platform::Rect{2, 105, 38, 18}));
        EXPECT_TRUE(rowHasValues(kLowerExternal));
        EXPECT_TRUE(rowHasValues(kUpperInternal));
        EXPECT_TRUE(rowIsNone(kLowerInternal));
    }
    // The next C size narrows the label again.
    fine(0.5, 4.0, 4.0);
    EXPECT_EQ(ui.control(window, 352)->rect, (platform::Rect{15, 105, 25, 18}));
}

TEST_F(MetricDisplayTest, APitchOutsideEveryArrangementWritesOnlyTheCommonItems) {
    fine(0.5, 4.0, 4.0);
    const std::string before = labels();
    ui.setControlText(window, 339, "stale");
    fine(1.75, 20.0, 20.0);  // not in the ISO FINE table
    EXPECT_EQ(labels(), before);
    EXPECT_EQ(text(339), "--");
}

TEST_F(MetricDisplayTest, IsoCoarseLabelBands) {
    const auto labelsFor = [&](double majorMm) {
        r.extNormal.majorMax = majorMm / mmPerInch;  // the bounds themselves fall inside
        write([&](const FieldWriter& out) {
            writeClassLabels(out, DisplayFamily::IsoCoarse, recordClasses(series::ISO_COARSE, r));
        });
        return labels();
    };
    EXPECT_EQ(labelsFor(48.0), "6g|4g6g|6H|");
    EXPECT_EQ(ui.control(window, 352)->rect, (platform::Rect{2, 105, 38, 18}));
    EXPECT_EQ(labelsFor(41.0), "6g|4h|6H|5H");
    EXPECT_EQ(ui.control(window, 352)->rect, (platform::Rect{15, 105, 25, 18}));
    EXPECT_EQ(labelsFor(2.75), "6g|4h|6H|5H");
    EXPECT_EQ(labelsFor(2.5), "6g|4h|6H|4H");
    EXPECT_EQ(labelsFor(1.2), "6g|4h|5H|4H");
    EXPECT_EQ(labelsFor(1.0), "6g|4h|5H|4H");
}

TEST_F(MetricDisplayTest, IsoCoarseWithoutCloserInternalClass) {
    // Above M41 ISO COARSE has no closer internal class (nor its pitch maximum).
    const auto writeFor = [&](double majorMm) {
        r.extNormal.majorMax = majorMm / mmPerInch;
        write([&](const FieldWriter& out) {
            writeResultFields(out, DisplayFamily::IsoCoarse, recordClasses(series::ISO_COARSE, r));
        });
    };
    r.intClose.pitchMax = std::nullopt;
    writeFor(48.0);
    EXPECT_TRUE(rowIsNone(kLowerInternal));
    EXPECT_TRUE(rowHasValues(kLowerExternal));
    r.intClose.pitchMax = 0.405;
    writeFor(10.0);
    EXPECT_TRUE(rowHasValues(kLowerInternal));
}

}  // namespace
}  // namespace torveld
