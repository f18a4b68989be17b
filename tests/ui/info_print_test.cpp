// The information window and the data sheet driven from the main window, as the user reaches
// them: INFO, PRINT, series and unit changes, and the scripted driver's commands.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "control_ids.h"
#include "headless_json.h"
#include "info_description.h"
#include "main_window_fixture.h"
#include "script_driver.h"

namespace torveld::testing {
namespace {

using nlohmann::json;
using platform::Rect;
using Call = platform::RecordingPrintPreview::Call;

class InfoPrintTest : public MainWindowTest {
  protected:
    platform::WindowHandle info() const { return main.infoWindow().handle(); }
    const platform::HeadlessWindow& infoWindow() const { return *ui.window(info()); }
    std::vector<std::string> lines() const {
        return platform::stateToJson(ui, printing)["info"]["lines"].get<std::vector<std::string>>();
    }
    int z() const { return infoWindow().zOrder; }
    bool infoOnTop() const { return z() > ui.window(win())->zOrder; }
    const std::vector<Call>& sheet() const { return printing.documents().back(); }
    // The first text call with this text, as (x, y, alignment); x = -1 when there is none.
    std::vector<double> where(const std::string& text) const {
        for (const Call& c : sheet()) {
            if (c.operation == "dpText" && std::get<std::string>(c.arguments[4]) == text) {
                return {std::get<float>(c.arguments[1]), std::get<float>(c.arguments[2]),
                        static_cast<double>(std::get<long long>(c.arguments[3]))};
            }
        }
        return {-1, -1, -1};
    }
    static void expectAt(const std::vector<double>& got, double x, double y, int alignment) {
        EXPECT_NEAR(got[0], x, 5e-4);
        EXPECT_NEAR(got[1], y, 5e-4);
        EXPECT_EQ(got[2], alignment);
    }
};

TEST_F(InfoPrintTest, InfoOpensOnceAndFollowsSeriesAndUnitsButNotSizes) {
    click(ids::kInfo);
    ASSERT_NE(info(), 0);
    EXPECT_EQ(infoWindow().rect, (Rect{355, 144, 314, 480}));
    EXPECT_EQ(lines(), buildDescription(series::UNC, UnitMode::inch()));
    click(ids::kInfo);
    int infoWindows = 0;
    for (const auto& w : ui.windows()) infoWindows += w.title == "Thread Info";
    EXPECT_EQ(infoWindows, 1);

    // A size change leaves the content and the stacking order alone.
    ui.bringToTop(win());
    const int before = z();
    select(ids::kSizeList, 9);
    EXPECT_EQ(z(), before);
    EXPECT_FALSE(infoOnTop());
    EXPECT_EQ(lines(), buildDescription(series::UNC, UnitMode::inch()));

    // A series change refills it and brings it to the front.
    click(seriesRadioId(series::UNF));
    EXPECT_TRUE(infoOnTop());
    EXPECT_EQ(lines(), buildDescription(series::UNF, UnitMode::inch()));

    click(ids::kMillimeters);
    EXPECT_EQ(lines()[15], "  pitch diameter changes .102 with");
    EXPECT_EQ(lines()[16], "  each .025 of plating buildup");
    ui.bringToTop(win());
    click(ids::kMillimeters);  // already metric: no redisplay, no refill
    EXPECT_FALSE(infoOnTop());
    click(ids::kInches);
    EXPECT_EQ(lines()[15], "  pitch diameter changes .0040 with");

    // Into the pipe layout and out through its exit button.
    click(seriesRadioId(series::NPTF));
    EXPECT_EQ(lines(), buildDescription(series::NPTF, UnitMode::inch()));
    click(ids::kPipeExit);
    EXPECT_EQ(lines(), buildDescription(series::UNC, UnitMode::inch()));
}

TEST_F(InfoPrintTest, TheInfoWindowHandlesItsOwnPressesAndClose) {
    click(ids::kInfo);
    const platform::WindowHandle first = info();
    ASSERT_TRUE(ui.press(first));
    EXPECT_EQ(ui.window(first)->moveStarts, 1);
    EXPECT_EQ(ui.window(win())->moveStarts, 0);
    ui.dragBy(first, 100, -40);
    const json mainBefore = platform::stateToJson(ui, printing)["main"];

    ASSERT_TRUE(ui.click(first, InfoWindow::kCloseId));
    EXPECT_EQ(info(), 0);
    EXPECT_FALSE(ui.isWindowOpen(first));
    EXPECT_EQ(platform::stateToJson(ui, printing)["main"], mainBefore);

    click(seriesRadioId(series::BA));  // closed: a series change opens nothing
    EXPECT_EQ(info(), 0);
    click(ids::kInfo);
    EXPECT_EQ(infoWindow().rect, (Rect{355, 144, 314, 480}));
    EXPECT_EQ(lines(), buildDescription(series::BA, UnitMode::inch()));
}

// Records the order in which windows are closed.
class ClosingOrder : public platform::HeadlessWindowing {
  public:
    void closeWindow(platform::WindowHandle window) override {
        closed.push_back(window);
        HeadlessWindowing::closeWindow(window);
    }
    std::vector<platform::WindowHandle> closed;
};

TEST(InfoAtExit, ClosesBeforeTheMainWindow) {
    ClosingOrder ui;
    platform::RecordingPrintPreview printing;
    MainWindow main(ui, printing);
    main.startUp();
    ui.attach(&main);
    ui.click(main.window(), ids::kInfo);
    const platform::WindowHandle info = main.infoWindow().handle();
    ui.click(main.window(), ids::kClose);
    main.shutDown();
    EXPECT_EQ(ui.closed, (std::vector<platform::WindowHandle>{info, main.window()}));
    EXPECT_FALSE(ui.isWindowOpen(info));
}

TEST_F(InfoPrintTest, PrintCopiesTheDisplayedSelection) {
    select(ids::kSizeList, 9);  // 1/4 - 20
    const json before = platform::stateToJson(ui, printing)["main"];
    click(ids::kPrint);
    ASSERT_EQ(printing.documents().size(), 1u);
    EXPECT_EQ(platform::stateToJson(ui, printing)["main"], before);  // printing changes nothing
    EXPECT_EQ(main.guideStartIndex(), 178);

    expectAt(where("EXTERNAL DATA          1/4 - 20  UNC"), 5.5, 0.75, 1);
    expectAt(where(text(303)), 1.72, 1.833, 1);         // .2489, first of the 2A row
    expectAt(where("  100%  -   .1850"), 0.6, 6.2, 0);  // engagement item 1
    expectAt(where("4.95mm"), 2.7, 6.15, 0);            // the guide drill opens the excerpt
    expectAt(where(".1949"), 3.935, 6.15, 0);
    expectAt(where("6"), 2.7, 6.15 + 9 / 6.0, 0);  // ten rows, 178 to 187
    expectAt(where("pitch diameter changes .0040 with"), 4.92, 7.256, 0);
    EXPECT_EQ(sheet().back().operation, "dpEndDoc");

    click(ids::kMillimeters);
    click(ids::kPrint);
    expectAt(where("METRIC DISPLAY"), 9.55, 6.88, 1);
    expectAt(where("4.950"), 3.935, 6.15, 0);
    expectAt(where(text(303)), 1.72, 1.833, 1);  // 6.322
    expectAt(where("pitch diameter changes .102 with"), 4.92, 7.256, 0);
}

TEST_F(InfoPrintTest, TaperPipePrintsThePipeSheet) {
    click(seriesRadioId(series::NPT));
    click(ids::kPrint);
    const std::vector<Call>& calls = sheet();
    ASSERT_GT(calls.size(), 2u);
    EXPECT_EQ(std::get<float>(calls[1].arguments[4]), 2.99f);  // the shorter upper block
    expectAt(where("PIPE DIAMETER"), 2.78, 1.25, 1);
    expectAt(where(" E1 GAGE NOTCH"), 6.88, 1.52, 1);
    expectAt(where("E0 END OF PIPE"), 8.33, 1.52, 1);
    expectAt(where(" K0 END OF PIPE"), 3.25, 4.16, 1);
    expectAt(where(" TAP DEPTH (REF)"), 8.94, 4.16, 1);
    expectAt(where(ui.listItem(win(), ids::kEngagementList, 1)), 1.1, 5.7, 0);
    expectAt(where("TAPER PIPE THREAD"), 6.85, 5.95 + 1 / 6.0, 0);
    // Twelve drill rows from the guide start index.
    const int k = main.guideStartIndex();
    expectAt(where(ui.control(win(), ids::kDrillChart)->rows[static_cast<size_t>(k) + 11][0]), 4.64,
             5.95 + 11 / 6.0, 0);
}

TEST_F(InfoPrintTest, UnAboveFourAndFiveEighthsPrintsTheNoDataRow) {
    choose(series::UN, 236);  // 6 - 16
    EXPECT_EQ(main.guideStartIndex(), 737);
    click(ids::kPrint);
    expectAt(where("4 1/2"), 2.7, 6.15, 0);
    expectAt(where("NO DATA"), 2.7, 7.65, 0);
    int noData = 0;
    for (const Call& c : sheet()) {
        noData += c.operation == "dpText" && std::get<std::string>(c.arguments[4]) == "NO DATA";
    }
    EXPECT_EQ(noData, 2);  // designation and diameter
}

// The scripted driver: "info close", "print fail" and the dump's "info" and "prints".
std::vector<json> runScript(const std::string& script, std::vector<std::string>& errors) {
    std::istringstream in(script);
    std::ostringstream out, err;
    driver::ScriptDriver(out, err).run(in);
    std::vector<json> dumps;
    std::istringstream outLines(out.str()), errLines(err.str());
    for (std::string line; std::getline(outLines, line);) dumps.push_back(json::parse(line));
    for (std::string line; std::getline(errLines, line);) errors.push_back(line);
    return dumps;
}

TEST(DriverInfoAndPrint, InfoCloseAndPrintFail) {
    std::vector<std::string> errors;
    const auto dumps = runScript(
        "info close\nclick 434\ndump\ninfo close\ndump\nprint fail\nclick 442\ndump\n"
        "click 442\ndump\n",
        errors);
    ASSERT_EQ(dumps.size(), 4u);
    EXPECT_EQ(errors, std::vector<std::string>{"error: the information window is not open"});
    EXPECT_EQ(dumps[0]["info"]["open"], true);
    EXPECT_EQ(dumps[0]["info"]["rect"], json::array({355, 144, 314, 480}));
    EXPECT_EQ(dumps[0]["info"]["lines"].size(), 27u);
    EXPECT_EQ(dumps[1]["info"]["open"], false);

    EXPECT_EQ(dumps[2]["prints"], json::array());
    EXPECT_EQ(dumps[2]["messageBoxes"],
              json::parse(R"([{"caption":"Info","text":"Error Creating  0","icon":"warning"}])"));
    ASSERT_EQ(dumps[3]["prints"].size(), 1u);  // the next PRINT tries again
    const json& calls = dumps[3]["prints"][0];
    EXPECT_EQ(calls[0], json::parse(R"(["dpStartDoc", 0, "Thread Data", "", 0, 1, 1, 7, 136])"));
    EXPECT_EQ(calls[1], json::parse(R"(["dpRect", 1, 10.5, 0.5, 0.5, 3.35, 2.0, 16777215, 0])"));
    EXPECT_EQ(calls[6], json::parse(R"(["dpFont", 1, 5, 15.0, 0, "Verdana"])"));
    EXPECT_EQ(calls[7],
              json::parse(R"(["dpText", 1, 5.5, 0.75, 1, "EXTERNAL DATA          1 - 64  UNC"])"));
    EXPECT_EQ(calls.back(), json::parse(R"(["dpEndDoc", 1, 4])"));
}

}  // namespace
}  // namespace torveld::testing
