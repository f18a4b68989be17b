// Random event sequences against the whole system: after every event the state agrees with a
// model worked out from the events alone, and every window shows exactly what a fresh one
// shows for the same series, size, unit, arrangement history and special sizes found.
// `robustness-full` runs the same for a million events and more.
#include <gtest/gtest.h>

#include <climits>

#include "control_ids.h"
#include "control_table.h"
#include "designation.h"
#include "random_events.h"

#ifndef TORVELD_RANDOM_EVENTS
#define TORVELD_RANDOM_EVENTS 4000
#endif

namespace torveld::robustness {
namespace {

// The references are the same for every seed; building them once keeps the suite quick.
ReferenceCache& sharedReferences() {
    static ReferenceCache cache;
    return cache;
}

class RandomEvents : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomEvents, EveryEventLeavesAConsistentSystem) {
    EventGenerator events(GetParam());
    SequenceRunner runner(sharedReferences());
    ASSERT_EQ(runner.check(), "");
    for (int i = 0; i < TORVELD_RANDOM_EVENTS; ++i) {
        const std::string failure = runner.step(events.next());
        ASSERT_EQ(failure, "") << "seed " << GetParam();
    }
    // Every kind of reaction the sequence is meant to cover came up.
    for (const char* reaction : {"series change",
                                 "size change",
                                 "size position out of range",
                                 "unit switch",
                                 "size list, other notification",
                                 "control without action",
                                 "id of no control",
                                 "information window opened",
                                 "information window closed",
                                 "data sheet printed",
                                 "print start failed",
                                 "pipe arrangement left",
                                 "main window moved",
                                 "key in the main window",
                                 "key in the information window",
                                 "key without action",
                                 "tip asked",
                                 "size found",
                                 "special size added",
                                 "special size found again",
                                 "find changing nothing",
                                 "find box opened",
                                 "find box closed",
                                 "menu asked",
                                 "display copied",
                                 "MEASURE window opened",
                                 "MEASURE window closed",
                                 "MEASURE window closed by Escape",
                                 "MEASURE entries taken",
                                 "MEASURE entry refused",
                                 "MEASURE choice changed",
                                 "MEASURE lead angle chosen",
                                 "MEASURE candidate chosen"}) {
        EXPECT_GT(runner.reactions().count(reaction), 0u) << reaction;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEvents, ::testing::Range(1u, 9u));

// The checker is only worth its events if it notices a wrong field: each corruption below must
// be reported.
class Corruption : public ::testing::Test {
  protected:
    void SetUp() override {
        EventGenerator events(7);
        for (int i = 0; i < 300; ++i) ASSERT_EQ(runner.step(events.next()), "");
    }
    platform::HeadlessWindowing& ui() { return runner.system().ui; }
    platform::WindowHandle win() { return runner.system().main.window(); }

    ReferenceCache references;
    SequenceRunner runner{references};
};

TEST_F(Corruption, OfAFieldTextIsReported) {
    const std::string text = ui().controlText(win(), ids::kPitch);
    ui().setControlText(win(), ids::kPitch, text + "1");
    EXPECT_NE(runner.check().find("control 323 text"), std::string::npos) << runner.check();
}

TEST(SheetDigest, TellsSheetsOfTheSameStateFromSheetsOfAnother) {
    ReferenceCache::System s;
    const platform::WindowHandle w = s.main.window();
    s.ui.click(w, ids::kPrint);
    s.ui.click(w, ids::kPrint);  // the same sheet under another handle
    s.ui.click(w, ids::kMillimeters);
    s.ui.click(w, ids::kPrint);  // the same size in millimetres
    const auto& documents = s.printing.documents();
    ASSERT_EQ(documents.size(), 3u);
    EXPECT_EQ(documentDigest(documents[0]), documentDigest(documents[1]));
    EXPECT_NE(documentDigest(documents[0]), documentDigest(documents[2]));
    EXPECT_NE(describeDifferences(documents[2], documents[0]).find("\"METRIC DISPLAY\""),
              std::string::npos)
        << describeDifferences(documents[2], documents[0]);
}

TEST_F(Corruption, OfADrillCellIsReported) {
    ui().viewSetCell(win(), ids::kDrillChart, 700, 1, "  9.9999");
    EXPECT_NE(runner.check().find("control 347 row 700"), std::string::npos) << runner.check();
}

TEST_F(Corruption, OfTheSizeListIsReported) {
    ui().listAppend(win(), ids::kSizeList, "  extra");
    EXPECT_NE(runner.check().find("size list"), std::string::npos);
}

TEST_F(Corruption, OfARadioIsReported) {
    const int other = seriesRadioId(runner.system().main.selection().series) == 401 ? 402 : 401;
    ui().setRadio(win(), other, true);
    EXPECT_NE(runner.check().find("series radio"), std::string::npos);
}

TEST_F(Corruption, OfAPlaceIsReported) {
    ui().setControlRect(win(), ids::kTitle, {1, 2, 3, 4});
    EXPECT_NE(runner.check().find("control 435 rect"), std::string::npos) << runner.check();
}

TEST_F(Corruption, OfTheGuideDrillIsReported) {
    const int row = ui().control(win(), ids::kDrillChart)->selected;
    ui().viewSelectRow(win(), ids::kDrillChart, row == 0 ? 1 : row - 1);
    EXPECT_NE(runner.check().find("drill"), std::string::npos) << runner.check();
}

TEST_F(Corruption, OfTheSelectionBehindTheWindowIsReported) {
    // A size chosen behind the model's back: the model and the window disagree with it.
    const int size = runner.system().main.selection().sizeIndex;
    ui().listSelect(win(), ids::kSizeList, size == 0 ? 1 : 0);
    ui().notify(win(), ids::kSizeList, platform::notify::kSelectionChanged);
    EXPECT_NE(runner.check().find("selection"), std::string::npos) << runner.check();
}

TEST_F(Corruption, OfTheFindBoxIsReported) {
    ASSERT_EQ(runner.step({Event::Kind::Key, Event::Target::Main, 0, 11}), "");  // Ctrl+F
    const platform::HeadlessWindow* box = runner.system().findBox();
    ASSERT_NE(box, nullptr);
    ui().type(box->handle, FindBox::kEntryId, "typed behind the model's back");
    EXPECT_NE(runner.check().find("find box's line"), std::string::npos) << runner.check();
}

TEST_F(Corruption, OfTheSpecialSizesIsReported) {
    // A special size found behind the model's back, then the size the model expects picked
    // again: the list holds an entry the model does not know.
    const Selection before = runner.system().main.selection();
    ASSERT_TRUE(runner.system().main.find("2.5-13 UNS").found);
    runner.system().main.find(std::string(designation::ofSize(before.series, 0).canonical.view()));
    EXPECT_NE(runner.check(), "");
}

// A size position that names no row of the series never reaches a table: every series, every
// kind of wrong position, by selection and by a bare notification after a cleared list.
TEST(OutOfRangeSizes, NeverLeaveTheTableOfAnySeries) {
    ReferenceCache references;
    SequenceRunner runner(references);
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const int radio = seriesRadioId(id);
        ASSERT_EQ(runner.step({Event::Kind::Click, Event::Target::Main, radio, 0}), "");
        const int last = sizeCount(id) - 1;
        ASSERT_EQ(runner.step({Event::Kind::Select, Event::Target::Main, ids::kSizeList, last}),
                  "");
        for (int position : {-1, last + 1, last + 2, 1000, INT_MAX, INT_MIN}) {
            ASSERT_EQ(
                runner.step({Event::Kind::Select, Event::Target::Main, ids::kSizeList, position}),
                "")
                << seriesById(id).name << " position " << position;
            EXPECT_EQ(runner.system().main.selection().sizeIndex, last);
        }
        runner.system().ui.listSelect(runner.system().main.window(), ids::kSizeList, -1);
        ASSERT_EQ(runner.step({Event::Kind::Notify, Event::Target::Main, ids::kSizeList, 1}), "");
    }
}

}  // namespace
}  // namespace torveld::robustness
