// The display of one size of each family, field by field. The expected texts were worked out
// by hand from the published table rows (the "telling rows" of each series), the profile and
// wire factors and the tolerance formulas, each value rounded to single precision and written
// with the number of places of its field.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_ids.h"
#include "main_window_fixture.h"

namespace torveld::testing {
namespace {

using Texts = std::map<int, std::string>;
const std::string kTen(10, ' ');

const std::vector<std::string> kUncQuarterEngagement = {"",
                                                        "  100%  -   .1850",
                                                        "    90%  -   .1915",
                                                        "    80%  -   .1980",
                                                        "    75%  -   .2013",
                                                        "    70%  -   .2045",
                                                        "    65%  -   .2077",
                                                        "    60%  -   .2110",
                                                        "    55%  -   .2142",
                                                        "    50%  -   .2175"};
const std::vector<std::string> kNoData = {"", "         NO DATA"};

// The series-dependent captions of the screw layout, default texts.
Texts screwCaptions(const char* minor1 = "REF") {
    return {{354, "PITCH DIAMETER"}, {377, "PITCH DIAMETER"},
            {376, "MINOR DIAMETER"}, {386, "HEIGHT"},
            {387, "FLAT"},           {357, "RADII"},
            {372, "CREST"},          {373, "ROOT"},
            {368, minor1},           {369, "MIN"},
            {396, "ENGAGEMENT"}};
}

Texts labels(const char* a, const char* b, const char* c, const char* d) {
    return {{351, a}, {352, b}, {374, c}, {375, d}};
}

TEST_F(MainWindowTest, UnifiedUnc14InInches) {
    choose(series::UNC, 9);
    expectTexts({{303, ".2489"}, {304, ".2408"},  {305, ".2448"},  {306, ".2500"}, {307, ".2419"},
                 {308, ".2459"}, {309, ".2164"},  {310, ".2127"},  {311, ".2175"}, {312, ".2147"},
                 {313, ".1876"}, {314, "--"},     {315, ".1887"},  {316, "--"},    {317, ".2597"},
                 {318, ".2560"}, {319, ".2608"},  {320, ".2580"},  {321, ".0307"}, {322, ".0063"},
                 {323, ".0500"}, {324, ".02887"}, {325, ".04330"}, {326, "--"},    {327, "--"},
                 {328, ".1960"}, {329, ".2070"},  {330, ".2015"},  {331, ".1960"}, {332, ".2067"},
                 {333, ".2014"}, {334, ".2175"},  {335, ".2223"},  {336, ".2175"}, {337, ".2211"},
                 {338, ".2500"}, {339, "--"},     {340, ".2500"},  {341, "--"},    {342, ".0271"},
                 {343, ".0125"}});
    expectTexts(screwCaptions());
    expectTexts(labels("2A", "3A", "2B", "3B"));
    EXPECT_EQ(items(ids::kEngagementList), kUncQuarterEngagement);
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "1/4 - 20  UNC");
    EXPECT_EQ(text(ids::kExternalHeader), "EXTERNAL DATA" + kTen + "1/4 - 20  UNC");
    // The guide drill: the target 0.196 stops the walk at "9" (.1960); the drill before it.
    const platform::HeadlessControl& chart = control(ids::kDrillChart);
    ASSERT_GE(chart.selected, 0);
    EXPECT_EQ(chart.rows[static_cast<std::size_t>(chart.selected)][0], "4.95mm");
    EXPECT_EQ(main.guideStartIndex(), chart.selected);
    EXPECT_LE(chart.topRow, chart.selected);
    EXPECT_LT(chart.selected, chart.topRow + 9);
}

TEST_F(MainWindowTest, UnifiedUnc14InMillimetres) {
    choose(series::UNC, 9);
    click(ids::kMillimeters);
    expectTexts({{303, "6.322"}, {304, "6.116"}, {305, "6.219"},  {306, "6.350"}, {307, "6.144"},
                 {308, "6.247"}, {309, "5.497"}, {310, "5.403"},  {311, "5.524"}, {312, "5.453"},
                 {313, "4.765"}, {314, "--"},    {315, "4.793"},  {316, "--"},    {317, "6.596"},
                 {318, "6.502"}, {319, "6.624"}, {320, "6.553"},  {321, ".779"},  {322, ".159"},
                 {323, "1.270"}, {324, ".7332"}, {325, "1.0999"}, {326, "--"},    {327, "--"},
                 {328, "4.978"}, {329, "5.258"}, {330, "5.118"},  {331, "4.978"}, {332, "5.250"},
                 {333, "5.114"}, {334, "5.524"}, {335, "5.646"},  {336, "5.524"}, {337, "5.616"},
                 {338, "6.350"}, {339, "--"},    {340, "6.350"},  {341, "--"},    {342, ".687"},
                 {343, ".317"}});
    const std::vector<std::string> engagement = {"",
                                                 "  100%  -   4.699",
                                                 "    90%  -   4.864",
                                                 "    80%  -   5.029",
                                                 "    75%  -   5.112",
                                                 "    70%  -   5.194",
                                                 "    65%  -   5.277",
                                                 "    60%  -   5.359",
                                                 "    55%  -   5.442",
                                                 "    50%  -   5.524"};
    EXPECT_EQ(items(ids::kEngagementList), engagement);
}

TEST_F(MainWindowTest, IsoCoarseM10BothUnits) {
    choose(series::ISO_COARSE, 18);
    expectTexts({{303, ".3924"}, {304, ".3831"},  {305, ".3878"},  {306, ".3937"}, {307, ".3878"},
                 {308, ".3907"}, {309, ".3541"},  {310, ".3489"},  {311, ".3554"}, {312, ".3520"},
                 {313, "--"},    {314, ".3125"},  {315, "--"},     {316, ".3157"}, {317, ".4052"},
                 {318, ".4000"}, {319, ".4065"},  {320, ".4032"},  {321, ".0362"}, {322, ".0074"},
                 {323, ".0591"}, {324, ".03410"}, {325, ".05114"}, {326, "--"},    {327, "--"},
                 {328, ".3298"}, {329, ".3416"},  {330, ".3357"},  {331, ".3298"}, {332, ".3391"},
                 {333, ".3344"}, {334, ".3554"},  {335, ".3624"},  {336, ".3554"}, {337, ".3609"},
                 {338, ".3937"}, {339, "--"},     {340, ".3937"},  {341, "--"},    {342, ".0320"},
                 {343, ".0148"}});
    expectTexts(screwCaptions());
    expectTexts(labels("6g", "4h", "6H", "5H"));  // 2.75 mm <= D <= 41 mm
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "M10 - 1.5  ISO COARSE");
    click(ids::kMillimeters);
    expectTexts(
        {{303, "9.968"},  {304, "9.732"},  {305, "9.850"},  {306, "10.000"}, {307, "9.850"},
         {308, "9.925"},  {309, "8.994"},  {310, "8.862"},  {311, "9.026"},  {312, "8.941"},
         {313, "--"},     {314, "7.938"},  {315, "--"},     {316, "8.018"},  {317, "10.293"},
         {318, "10.161"}, {319, "10.325"}, {320, "10.240"}, {321, ".920"},   {322, ".188"},
         {323, "1.500"},  {324, ".8660"},  {325, "1.2990"}, {326, "--"},     {327, "--"},
         {328, "8.376"},  {329, "8.676"},  {330, "8.526"},  {331, "8.376"},  {332, "8.612"},
         {333, "8.494"},  {334, "9.026"},  {335, "9.206"},  {336, "9.026"},  {337, "9.166"},
         {338, "10.000"}, {339, "--"},     {340, "10.000"}, {341, "--"},     {342, ".812"},
         {343, ".375"}});
    EXPECT_EQ(items(ids::kEngagementList)[1], "  100%  -   8.050");
    EXPECT_EQ(items(ids::kEngagementList)[9], "    50%  -   9.025");

    // M48: above 41 mm the lower external class is 4g6g, and there is no closer internal class.
    select(ids::kSizeList, 33);
    expectTexts(labels("6g", "4g6g", "6H", ""));
    EXPECT_EQ(control(352).rect, (platform::Rect{2, 105, 38, 18}));
    for (int id : {331, 332, 333, 336, 337, 340}) EXPECT_EQ(text(id), "--") << id;
    EXPECT_NE(text(ids::kExtCloseMajorMax), "--");
}

TEST_F(MainWindowTest, UnsOneClassOnly) {
    choose(series::UNS, 0);
    expectTexts({{303, ".1890"}, {304, ".1825"},  {305, ".1858"},  {306, "--"},    {307, "--"},
                 {308, "--"},    {309, ".1658"},  {310, ".1625"},  {311, "--"},    {312, "--"},
                 {313, ".1452"}, {314, "--"},     {315, "--"},     {316, "--"},    {317, ".1967"},
                 {318, ".1934"}, {319, "--"},     {320, "--"},     {321, ".0219"}, {322, ".0045"},
                 {323, ".0357"}, {324, ".02062"}, {325, ".03093"}, {326, "--"},    {327, "--"},
                 {328, ".1510"}, {329, ".1600"},  {330, ".1555"},  {331, "--"},    {332, "--"},
                 {333, "--"},    {334, ".1668"},  {335, ".1711"},  {336, "--"},    {337, "--"},
                 {338, ".1900"}, {339, "--"},     {340, "--"},     {341, "--"},    {342, ".0193"},
                 {343, ".0089"}});
    expectTexts(screwCaptions());
    expectTexts(labels("2A", "3A", "2B", "3B"));
    EXPECT_EQ(items(ids::kEngagementList)[1], "  100%  -   .1436");
}

TEST_F(MainWindowTest, UnjcCloseClassWithRootRadius) {
    choose(series::UNJC, 9);
    expectTexts({{303, "--"},    {304, "--"},     {305, "--"},     {306, ".2500"}, {307, ".2419"},
                 {308, ".2459"}, {309, "--"},     {310, "--"},     {311, ".2175"}, {312, ".2147"},
                 {313, "--"},    {314, "--"},     {315, ".1922"},  {316, ".1864"}, {317, "--"},
                 {318, "--"},    {319, ".2608"},  {320, ".2580"},  {321, ".0289"}, {322, ".0063"},
                 {323, ".0500"}, {324, ".02887"}, {325, ".04330"}, {326, ".0090"}, {327, ".0075"},
                 {328, "--"},    {329, "--"},     {330, "--"},     {331, ".2013"}, {332, ".2121"},
                 {333, ".2067"}, {334, "--"},     {335, "--"},     {336, ".2175"}, {337, ".2211"},
                 {338, "--"},    {339, "--"},     {340, ".2500"},  {341, "--"},    {342, ".0244"},
                 {343, ".0156"}});
    expectTexts(
        {{357, "ROOT RADIUS"}, {372, "MAX"}, {373, "MIN"}, {368, "MAX"}, {354, "PITCH DIAMETER"}});
    expectTexts(labels("2A", "3A", "2B", "3B"));
    // The engagement list starts from the external close-class major maximum, .2500.
    EXPECT_EQ(items(ids::kEngagementList), kUncQuarterEngagement);
}

TEST_F(MainWindowTest, AcmeTwoClasses) {
    choose(series::ACME, 8);
    expectTexts(
        {{303, "1.0000"}, {304, ".9900"},  {305, ".9950"},  {306, "1.0000"}, {307, ".9900"},
         {308, ".9950"},  {309, ".8920"},  {310, ".8726"},  {311, ".8960"},  {312, ".8895"},
         {313, ".7800"},  {314, ".7509"},  {315, ".7800"},  {316, ".7703"},  {317, "1.0212"},
         {318, "1.0018"}, {319, "1.0252"}, {320, "1.0187"}, {321, ".1000"},  {322, ".0726"},
         {323, ".2000"},  {324, ".10329"}, {325, ".12915"}, {326, "--"},     {327, "--"},
         {328, ".8000"},  {329, ".8100"},  {330, ".8050"},  {331, ".8000"},  {332, ".8100"},
         {333, ".8050"},  {334, ".9000"},  {335, ".9194"},  {336, ".9000"},  {337, ".9065"},
         {338, "1.0200"}, {339, "1.0400"}, {340, "1.0200"}, {341, "1.0400"}, {342, ".1000"},
         {343, ".0741"}});
    expectTexts(screwCaptions("MAX"));
    expectTexts(labels("2G", "4G", "2G", "4G"));
    EXPECT_EQ(items(ids::kEngagementList), kNoData);
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "1 - 5  ACME");
}

TEST_F(MainWindowTest, StubAcmeMarksTheMissingCloseClasses) {
    choose(series::STUB_ACME, 8);
    expectTexts({{303, "1.0000"}, {304, ".9900"},  {305, ".9950"},  {306, "---"},   {307, "---"},
                 {308, "---"},    {309, ".9320"},  {310, ".9126"},  {311, "---"},   {312, "---"},
                 {313, ".8600"},  {314, ".8406"},  {315, "---"},    {316, "---"},   {317, "1.0612"},
                 {318, "1.0418"}, {319, "---"},    {320, "---"},    {321, ".0600"}, {322, ".0927"},
                 {323, ".2000"},  {324, ".10329"}, {325, ".12915"}, {326, "--"},    {327, "--"},
                 {328, ".8800"},  {329, ".8900"},  {330, ".8850"},  {331, "---"},   {332, "---"},
                 {333, "---"},    {334, ".9400"},  {335, ".9594"},  {336, "---"},   {337, "---"},
                 {338, "1.0200"}, {339, "1.0394"}, {340, "---"},    {341, "---"},   {342, ".0600"},
                 {343, ".0927"}});
    expectTexts(screwCaptions("MAX"));
    expectTexts(labels("", "", "", ""));
    EXPECT_EQ(items(ids::kEngagementList), kNoData);
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "1 - 5  STUB ACME");
}

TEST_F(MainWindowTest, NpsmAndNpsl) {
    choose(series::NPSM, 3);
    expectTexts({{303, ".8230"}, {304, ".8130"},  {305, ".8180"},  {306, "--"},    {307, "--"},
                 {308, "--"},    {309, ".7769"},  {310, ".7718"},  {311, "--"},    {312, "--"},
                 {313, "--"},    {314, "--"},     {315, "--"},     {316, "--"},    {317, ".8388"},
                 {318, ".8337"}, {319, "--"},     {320, "--"},     {321, ".0464"}, {322, ".0089"},
                 {323, ".0714"}, {324, ".04124"}, {325, ".06186"}, {326, "--"},    {327, "--"},
                 {328, ".7470"}, {329, ".7590"},  {330, ".7530"},  {331, "--"},    {332, "--"},
                 {333, "--"},    {334, ".7784"},  {335, ".7851"},  {336, "--"},    {337, "--"},
                 {338, "--"},    {339, "--"},     {340, "--"},     {341, "--"},    {342, ".0387"},
                 {343, ".0179"}});
    expectTexts(screwCaptions("MAX"));
    expectTexts(labels("2A", "3A", "2B", "3B"));
    EXPECT_EQ(items(ids::kEngagementList), kNoData);

    choose(series::NPSL, 3);
    expectTexts({{303, ".8440"}, {304, "--"},     {305, "--"},     {306, "--"}, {307, "--"},
                 {308, "--"},    {309, ".7963"},  {310, ".7896"},  {311, "--"}, {312, "--"},
                 {313, "--"},    {314, "--"},     {315, "--"},     {316, "--"}, {317, ".8582"},
                 {318, ".8515"}, {319, "--"},     {320, "--"},     {321, "--"}, {322, "--"},
                 {323, ".0714"}, {324, ".04124"}, {325, ".06186"}, {326, "--"}, {327, "--"},
                 {328, ".7530"}, {329, "--"},     {330, "--"},     {331, "--"}, {332, "--"},
                 {333, "--"},    {334, ".8008"},  {335, ".8075"},  {336, "--"}, {337, "--"},
                 {338, "--"},    {339, "--"},     {340, "--"},     {341, "--"}, {342, "--"},
                 {343, "--"}});
    expectTexts(labels("", "", "", ""));
    EXPECT_EQ(items(ids::kEngagementList), kNoData);
}

TEST_F(MainWindowTest, UnmMillimetreData) {
    choose(series::UNM, 10);
    expectTexts({{303, ".0394"}, {304, ".0380"},  {305, ".0387"},  {306, "--"},    {307, "--"},
                 {308, "--"},    {309, ".0330"},  {310, ".0319"},  {311, "--"},    {312, "--"},
                 {313, ".0276"}, {314, ".0257"},  {315, "--"},     {316, "--"},    {317, ".0415"},
                 {318, ".0404"}, {319, "--"},     {320, "--"},     {321, ".0051"}, {322, ".0012"},
                 {323, ".0098"}, {324, ".00568"}, {325, ".00852"}, {326, "--"},    {327, ".0016"},
                 {328, ".0291"}, {329, ".0328"},  {330, ".0309"},  {331, "--"},    {332, "--"},
                 {333, "--"},    {334, ".0330"},  {335, ".0341"},  {336, "--"},    {337, "--"},
                 {338, ".0401"}, {339, ".0420"},  {340, "--"},     {341, "--"},    {342, ".0051"},
                 {343, ".0027"}});
    expectTexts(screwCaptions("MAX"));
    expectTexts(labels("", "", "", ""));
    EXPECT_EQ(items(ids::kEngagementList), kNoData);
}

TEST_F(MainWindowTest, WhitworthFromTheToleranceFormulas) {
    choose(series::BSW, 6);
    expectTexts({{303, ".4985"}, {304, ".4904"},  {305, ".4944"},  {306, ".5000"}, {307, ".4937"},
                 {308, ".4968"}, {309, ".4451"},  {310, ".4399"},  {311, ".4466"}, {312, ".4432"},
                 {313, ".3917"}, {314, ".3807"},  {315, ".3932"},  {316, ".3860"}, {317, ".5137"},
                 {318, ".5086"}, {319, ".5153"},  {320, ".5118"},  {321, ".0534"}, {322, "--"},
                 {323, ".0833"}, {324, ".04697"}, {325, ".06867"}, {326, ".0114"}, {327, ".0114"},
                 {328, ".3932"}, {329, ".4169"},  {330, ".4050"},  {331, ".3932"}, {332, ".4169"},
                 {333, ".4050"}, {334, ".4466"},  {335, ".4518"},  {336, ".4466"}, {337, ".4500"},
                 {338, ".5000"}, {339, ".5080"},  {340, ".5000"},  {341, ".5063"}, {342, ".0534"},
                 {343, "--"}});
    expectTexts({{354, "EFFECTIVE DIAMETER"}, {377, "EFFECTIVE DIAMETER"}, {368, "MAX"}});
    expectTexts(labels("Med", "Close", "Med", "Close"));
    EXPECT_EQ(control(351).rect, (platform::Rect{2, 80, 38, 18}));
    EXPECT_EQ(control(375).rect, (platform::Rect{2, 310, 38, 18}));
    EXPECT_EQ(items(ids::kEngagementList), kNoData);
}

TEST_F(MainWindowTest, BaWithoutInternalMajorMaxima) {
    choose(series::BA, 0);
    expectTexts({{303, ".2352"},  {304, ".2274"},  {305, ".2313"}, {306, ".2362"}, {307, ".2303"},
                 {308, ".2333"},  {309, ".2116"},  {310, ".2067"}, {311, ".2126"}, {312, ".2087"},
                 {313, ".1880"},  {314, ".1781"},  {315, ".1890"}, {316, ".1811"}, {317, ".2418"},
                 {318, ".2369"},  {319, ".2428"},  {320, ".2388"}, {322, "--"},    {323, ".0394"},
                 {324, ".02151"}, {325, ".03016"}, {326, ".0071"}, {327, ".0071"}, {328, ".1890"},
                 {329, ".2037"},  {330, ".1964"},  {331, ".1890"}, {332, ".2037"}, {333, ".1964"},
                 {334, ".2126"},  {335, ".2185"},  {336, ".2126"}, {337, ".2185"}, {338, ".2362"},
                 {339, "--"},     {340, ".2362"},  {341, "--"},    {343, "--"}});
    // The BA thread height has its own factor; both height cells carry a number.
    EXPECT_NE(text(ids::kExtHeight), "--");
    EXPECT_EQ(text(ids::kExtHeight), text(ids::kIntHeight));
    expectTexts({{354, "EFFECTIVE DIAMETER"}, {368, "MAX"}});
    expectTexts(labels("Norm", "Close", "Norm", "Close"));
}

TEST_F(MainWindowTest, ThreadInsertShowsTheTappedHoleOnly) {
    choose(series::UNC_STI, 8);
    expectTexts({{303, "--"},    {304, "--"},    {305, "--"},    {306, "--"},    {307, "--"},
                 {308, "--"},    {309, "--"},    {310, "--"},    {311, "--"},    {312, "--"},
                 {313, "--"},    {314, "--"},    {315, "--"},    {316, "--"},    {317, "--"},
                 {318, "--"},    {319, "--"},    {320, "--"},    {321, "--"},    {322, "--"},
                 {323, ".0500"}, {324, "--"},    {325, "--"},    {326, "--"},    {327, "--"},
                 {328, ".2608"}, {329, ".2704"}, {330, ".2656"}, {331, ".2608"}, {332, ".2704"},
                 {333, ".2656"}, {334, ".2825"}, {335, ".2864"}, {336, ".2825"}, {337, ".2851"},
                 {338, "--"},    {339, ".3187"}, {340, "--"},    {341, ".3187"}, {342, ".310"},
                 {343, ".340"}});
    expectTexts({{376, "MINOR DIAMETER AFTER TAPPING"},
                 {386, "CSINK MIN"},
                 {387, "CSINK MAX"},
                 {368, "REF"}});
    expectTexts(labels("2A", "3A", "2B", "3B"));
    EXPECT_EQ(text(ids::kExternalHeader), "");
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "1/4 - 20  UNC-STI");
    click(ids::kMillimeters);
    expectTexts({{342, "7.87"}, {343, "8.64"}});  // countersink: two places in millimetres
}

TEST_F(MainWindowTest, NptHalfInchPipeValuesAndLengths) {
    choose(series::NPT, 4);
    expectTexts({{304, ".8400"},
                 {309, ".7912"},
                 {313, ".7784"},
                 {317, ".7584"},
                 {321, ".0571"},
                 {322, ".0064"},
                 {323, ".0714"},
                 {324, ".04124"},
                 {325, ".06186"},
                 {328, ".7213"},
                 {329, ".7013"},
                 {342, ".0571"},
                 {343, ".0064"},
                 {344, ".0027"},
                 {345, ".0027"},
                 {346, ".8990"}});
    const std::vector<std::string> lengths = {
        "", "  L1 = .3200   (4.48 THREADS)",  "  LENGTH OF HAND ENGAGEMENT",
        "", "  L2 = .5337   (7.47 THREADS)",  "  LENGTH OF EFFECTIVE THREAD",
        "", "  L3 = .2143   (3.00 THREADS)",  "  LENGTH OF WRENCH TAKEUP",
        "", "  L4 = .7815   (10.94 THREADS)", "  OVERALL EXTERNAL THREAD LENGTH"};
    EXPECT_EQ(items(ids::kEngagementList), lengths);
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "1/2 - 14  NPT");

    // Millimetres change the lengths, never the thread counts.
    click(ids::kMillimeters);
    EXPECT_EQ(items(ids::kEngagementList)[1], "  L1 = 8.128   (4.48 THREADS)");
    EXPECT_EQ(items(ids::kEngagementList)[4], "  L2 = 13.556   (7.47 THREADS)");
}

TEST_F(MainWindowTest, NptTapDepthOnlyThroughTheFourInchPipe) {
    choose(series::NPT, 13);
    EXPECT_NE(text(ids::kPipeTapDepth), "--");
    select(ids::kSizeList, 14);
    EXPECT_EQ(text(ids::kPipeTapDepth), "--");
    select(ids::kSizeList, 18);
    EXPECT_EQ(text(ids::kPipeTapDepth), "--");
}

TEST_F(MainWindowTest, NptfWithoutOverallLength) {
    choose(series::NPTF, 12);
    const std::vector<std::string> lengths = {"",
                                              "  L1 = .8210   (6.57 THREADS)",
                                              "  LENGTH OF HAND ENGAGEMENT",
                                              "",
                                              "  L2 = 1.2500   (10.00 THREADS)",
                                              "  LENGTH OF EFFECTIVE THREAD",
                                              "",
                                              "  SHOULDER LENGTH = 1.6250",
                                              "",
                                              "  OVERALL INTERNAL THREAD",
                                              "  LENGTH NOT AVAILABLE"};
    EXPECT_EQ(items(ids::kEngagementList), lengths);
    expectTexts({{ids::kPipeTapDepth, "1.7590"}, {ids::kIntNormalMinorMax, "3.7375"}});
    EXPECT_EQ(text(ids::kInternalHeader), "INTERNAL DATA" + kTen + "3 1/2 - 8  NPTF");
}

TEST_F(MainWindowTest, IsoFineArrangementsThroughTheWindow) {
    const auto labelTexts = [&] {
        return text(351) + "|" + text(352) + "|" + text(374) + "|" + text(375);
    };
    choose(series::ISO_FINE, 0);  // M1x0.2: A
    EXPECT_EQ(labelTexts(), "6g|4h||4H");
    EXPECT_EQ(text(ids::kIntNormalMinorMin), "--");
    EXPECT_NE(text(ids::kIntCloseMinorMin), "--");
    select(ids::kSizeList, 22);  // M12x1.5: B
    EXPECT_EQ(labelTexts(), "6g||6H|");
    EXPECT_EQ(text(ids::kExtCloseMajorMax), "--");
    EXPECT_EQ(text(ids::kIntCloseMinorMin), "--");
    EXPECT_NE(text(ids::kIntNormalMinorMin), "--");
    select(ids::kSizeList, 6);  // M2x0.25: C
    EXPECT_EQ(labelTexts(), "6g|4h|5H|4H");
    select(ids::kSizeList, 9);  // M3x0.35: C
    EXPECT_EQ(labelTexts(), "6g|4h|6H|4H");
    select(ids::kSizeList, 11);  // M4x0.5: C
    EXPECT_EQ(labelTexts(), "6g|4h|6H|5H");
    select(ids::kSizeList, 18);  // M10x0.75: D
    EXPECT_EQ(labelTexts(), "6g|4g6g|6H|");
    EXPECT_EQ(control(352).rect, (platform::Rect{2, 105, 38, 18}));
    EXPECT_EQ(text(ids::kIntCloseMinorMin), "--");
    for (int id : {313, 315, 326, 327, 339, 341}) EXPECT_EQ(text(id), "--") << id;
    expectTexts(screwCaptions());
}

TEST_F(MainWindowTest, CaptionsFollowTheSeriesWhateverWasShownBefore) {
    choose(series::UNJC, 9);
    choose(series::BSW, 6);
    choose(series::UNC_STI, 8);
    choose(series::UNC, 9);
    expectTexts(screwCaptions());
    expectTexts(labels("2A", "3A", "2B", "3B"));
    EXPECT_EQ(control(351).rect, (platform::Rect{15, 80, 25, 18}));
    EXPECT_EQ(text(ids::kExternalHeader), "EXTERNAL DATA" + kTen + "1/4 - 20  UNC");
    // UNS, NPSM and NPSL write "--" in 314 even after a family that fills it.
    choose(series::ACME, 8);
    choose(series::UNS, 0);
    EXPECT_EQ(text(314), "--");
    choose(series::BSW, 6);
    choose(series::BA, 0);
    expectTexts({{339, "--"}, {341, "--"}});
}

// The record says which result each number shows, so that a reader of the record can take the
// value itself; a field showing "--", "---" or a caption has none, whatever it showed before.
TEST_F(MainWindowTest, TheRecordNotesTheResultBehindEachNumber) {
    choose(series::UNC, 9);
    const auto& record = main.texts();
    ASSERT_TRUE(record.source(303));
    EXPECT_TRUE(record.source(303)->field.isLimit());
    EXPECT_EQ(record.source(303)->field.record(), ClassRecord::ExtNormal);
    EXPECT_EQ(record.source(303)->field.limit(), Limit::MajorMax);
    EXPECT_EQ(record.source(313)->field.limit(), Limit::MinorRef);
    EXPECT_EQ(record.source(340)->field.record(), ClassRecord::IntClose);
    EXPECT_EQ(record.source(324)->places, 1);
    EXPECT_FALSE(record.source(324)->field.isLimit());
    EXPECT_EQ(record.source(324)->field.of(main.results()), main.results().bestWire);
    for (int id : {314, 316, 339, 351, 354}) EXPECT_FALSE(record.source(id)) << id;

    click(ids::kStubAcmeRadio);
    EXPECT_EQ(text(306), "---");
    EXPECT_FALSE(record.source(306));
    EXPECT_EQ(record.source(339)->field.limit(), Limit::MajorMax);

    click(ids::kNptRadio);
    EXPECT_FALSE(record.source(304)->field.isLimit());
    EXPECT_EQ(record.source(304)->field.of(main.results()), main.results().pipeOD);
    click(ids::kMillimeters);
    EXPECT_EQ(record.source(324)->places, 1);
}

}  // namespace
}  // namespace torveld::testing
