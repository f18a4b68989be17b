// The data sheet's input as PRINT makes it from the window side's record, and the names that
// tables of (column, field) pairs use for the values of ThreadResults.
#include <gtest/gtest.h>

#include <set>

#include "control_ids.h"
#include "main_window_fixture.h"

namespace torveld::testing {
namespace {

using SheetInputTest = MainWindowTest;

// Every text the sheet takes stands in the window: a write that passed the record by would show
// here as a text of an earlier state.
TEST_F(SheetInputTest, TheSheetTakesWhatTheWindowShows) {
    choose(series::NPT, 4);  // 1/2 - 14: the pipe arrangement's own captions
    click(ids::kMillimeters);
    const DataSheetInput input = main.sheetInput();
    const SheetTexts& t = input.texts;
    EXPECT_EQ(input.series, series::NPT);
    EXPECT_TRUE(input.unitMode.isMetric());
    EXPECT_EQ(input.guideStartIndex, main.guideStartIndex());
    EXPECT_EQ(t.external.title, text(ids::kExternalHeader));
    EXPECT_EQ(t.external.groups[0], "PIPE DIAMETER");
    EXPECT_EQ(t.external.columns[5], "E1 GAGE NOTCH");
    EXPECT_EQ(t.external.rows[0][1], text(ids::kExtNormalMajorMin));
    EXPECT_EQ(t.internal.columns[0], "FACE OF PART");
    EXPECT_EQ(t.tapDepthCaption, "TAP DEPTH (REF)");
    EXPECT_EQ(t.tapDepth, text(ids::kPipeTapDepth));
    EXPECT_EQ(t.internalFlatMin, text(ids::kPipeIntFlatMin));
    EXPECT_EQ(t.engagement, items(ids::kEngagementList));
    ASSERT_GT(t.engagement.size(), 2u);
    EXPECT_EQ(t.engagement[1].rfind("  L1 = ", 0), 0u) << t.engagement[1];

    // Back to the screw arrangement: its captions replace the pipe ones in the record too.
    click(ids::kPipeExit);
    choose(series::UNJC, 9);
    const SheetTexts u = main.sheetInput().texts;
    EXPECT_EQ(u.external.groups[0], "MAJOR DIAMETER");
    EXPECT_EQ(u.external.columns[5], "MAX");
    EXPECT_EQ(u.radiiCaption, "ROOT RADIUS");
    EXPECT_EQ(u.external.classes, (std::array<std::string, 2>{"2A", "3A"}));
    EXPECT_EQ(u.external.rows[0][0], "--");     // UNJ has one class, shown in the close row
    EXPECT_EQ(u.external.rows[1][0], "6.350");  // .2500 in, still in millimetres
    EXPECT_EQ(u.engagement, items(ids::kEngagementList));
}

// Each (class record, limit) names its own member, and the ones a record lacks name nothing.
TEST(ResultFields, EveryLimitNamesItsOwnMember) {
    ThreadResults r;
    const ExternalLimits& en = r.extNormal;
    const InternalLimits& ic = r.intClose;
    EXPECT_EQ(limitOf(r, ClassRecord::ExtNormal, Limit::MinorRef), &en.minorRef);
    EXPECT_EQ(limitOf(r, ClassRecord::ExtNormal, Limit::WiresMin), &en.wiresMin);
    EXPECT_EQ(limitOf(r, ClassRecord::IntClose, Limit::MinorMean), &ic.minorMean);
    EXPECT_EQ(limitOf(r, ClassRecord::IntClose, Limit::MajorMax), &ic.majorMax);
    EXPECT_EQ(limitOf(r, ClassRecord::ExtClose, Limit::MinorMean), nullptr);
    EXPECT_EQ(limitOf(r, ClassRecord::IntNormal, Limit::WiresMax), nullptr);
    EXPECT_EQ(limitOf(r, ClassRecord::IntNormal, Limit::MinorRef), nullptr);

    // No two names share a member: 10 external and 7 internal limits in each class.
    std::set<const Length*> members;
    int named = 0;
    for (ClassRecord record : {ClassRecord::ExtNormal, ClassRecord::ExtClose,
                               ClassRecord::IntNormal, ClassRecord::IntClose}) {
        for (int l = 0; l <= static_cast<int>(Limit::WiresMin); ++l) {
            if (const Length* m = limitOf(r, record, static_cast<Limit>(l))) {
                members.insert(m);
                ++named;
            }
        }
    }
    EXPECT_EQ(named, 2 * 10 + 2 * 7);
    EXPECT_EQ(members.size(), static_cast<std::size_t>(named));

    // A field reads what it names; the pitch is read, never written; a default field is none.
    r.pitch = 0.05;
    r.csinkMax = 0.34;
    r.intClose.pitchMax = 0.2211;
    EXPECT_EQ(ResultField(&ThreadResults::pitch).of(r), 0.05);
    EXPECT_EQ(ResultField(&ThreadResults::pitch).in(r), nullptr);
    EXPECT_EQ(ResultField(&ThreadResults::csinkMax).of(r), 0.34);
    EXPECT_EQ(ResultField(ClassRecord::IntClose, Limit::PitchMax).of(r), 0.2211);
    EXPECT_FALSE(ResultField(ClassRecord::IntNormal, Limit::PitchMax).of(r));
    EXPECT_FALSE(ResultField().of(r));
    EXPECT_EQ(ResultField().in(r), nullptr);
}

}  // namespace
}  // namespace torveld::testing
