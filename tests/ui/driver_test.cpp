#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "main_window.h"
#include "script_driver.h"

namespace torveld::driver {
namespace {

using nlohmann::json;

struct Session {
    std::vector<json> dumps;
    std::vector<std::string> errors;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

Session run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    ScriptDriver(out, err).run(in);
    Session result;
    for (const std::string& line : lines(out.str())) result.dumps.push_back(json::parse(line));
    result.errors = lines(err.str());
    return result;
}

const json& field(const json& dump, int id) {
    return dump["main"]["controls"][std::to_string(id)];
}

TEST(ParseCommand, ReadsEveryCommandOfTheScriptLanguage) {
    EXPECT_TRUE(std::holds_alternative<Blank>(parseCommand("")));
    EXPECT_TRUE(std::holds_alternative<Blank>(parseCommand(" \t\r")));
    const Command select = parseCommand("  select\t302   9 \r");
    ASSERT_TRUE(std::holds_alternative<Select>(select));
    EXPECT_EQ(std::get<Select>(select).id, 302);
    EXPECT_EQ(std::get<Select>(select).position, 9);
    EXPECT_EQ(std::get<Click>(parseCommand("click 398")).id, 398);
    EXPECT_EQ(std::get<Notify>(parseCommand("notify 302 -1")).code, -1);
    EXPECT_EQ(std::get<Screen>(parseCommand("screen 800 600")).width, 800);
    EXPECT_TRUE(std::holds_alternative<Press>(parseCommand("press")));
    EXPECT_TRUE(std::holds_alternative<Dump>(parseCommand("dump")));
    EXPECT_TRUE(std::holds_alternative<InfoClose>(parseCommand("info close")));
    EXPECT_TRUE(std::holds_alternative<PrintFail>(parseCommand("print fail")));
}

TEST(ParseCommand, RefusesMalformedLinesWithAReason) {
    for (const char* line : {"clik 3",     "click",        "click 3 4",      "click x",
                             "click 3.5",  "click +3",     "click 0x10",     "click 2147483648",
                             "select 302", "notify 1 2 3", "screen 0 600",   "screen 800 70000",
                             "screen 800", "dump now",     "press 1",        "info",
                             "info open",  "print",        "print fail now", "DUMP",
                             "\x01\xff"}) {
        const Command command = parseCommand(line);
        ASSERT_TRUE(std::holds_alternative<Malformed>(command)) << line;
        EXPECT_FALSE(std::get<Malformed>(command).reason.empty());
        for (char c : std::get<Malformed>(command).reason) {
            EXPECT_TRUE(c >= 0x20 && c < 0x7f) << line;  // nothing unprintable echoed back
        }
    }
}

TEST(ReadLine, CutsOverlongLinesAndGoesOn) {
    std::istringstream in(std::string(5000, 'x') + "\ndump\nlast");
    std::string line;
    bool tooLong = false;
    ASSERT_TRUE(readLine(in, line, tooLong));
    EXPECT_TRUE(tooLong);
    EXPECT_EQ(line.size(), kMaxLineLength);
    ASSERT_TRUE(readLine(in, line, tooLong));
    EXPECT_FALSE(tooLong);
    EXPECT_EQ(line, "dump");
    ASSERT_TRUE(readLine(in, line, tooLong));  // the last line needs no line end
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(readLine(in, line, tooLong));
}

TEST(ScriptDriver, DumpsUnc14InBothUnits) {
    const Session r = run("select 302 9\ndump\nclick 400\ndump\n");
    ASSERT_EQ(r.dumps.size(), 2u);
    EXPECT_TRUE(r.errors.empty());
    const json& inch = r.dumps[0];
    EXPECT_EQ(inch["main"]["open"], true);
    EXPECT_EQ(inch["main"]["state"], "normal");
    EXPECT_EQ(inch["main"]["title"], "Threads");
    EXPECT_EQ(inch["main"]["rect"], json::array({112, 109, 800, 550}));
    EXPECT_EQ(field(inch, 303)["text"], ".2489");
    EXPECT_EQ(field(inch, 317)["text"], ".2597");
    EXPECT_EQ(field(inch, 324)["text"], ".02887");
    EXPECT_EQ(field(inch, 350)["text"], "INTERNAL DATA          1/4 - 20  UNC");
    EXPECT_EQ(field(inch, 302)["selected"], 9);
    EXPECT_EQ(field(inch, 302)["items"].size(), 33u);
    EXPECT_EQ(field(inch, 348)["items"][1], "  100%  -   .1850");
    EXPECT_EQ(field(inch, 401)["checked"], true);
    EXPECT_EQ(field(inch, 399)["checked"], true);
    EXPECT_EQ(field(inch, 347)["rows"].size(), 747u);
    EXPECT_EQ(field(inch, 303)["font"], json::array({"Tahoma", 9, 700}));
    EXPECT_EQ(field(inch, 303)["colours"], json::parse("[[0,0,0],[245,245,245]]"));
    EXPECT_EQ(inch["info"]["open"], false);
    EXPECT_EQ(inch["messageBoxes"], json::array());
    EXPECT_EQ(inch["prints"], json::array());

    const json& metric = r.dumps[1];
    EXPECT_EQ(field(metric, 303)["text"], "6.322");
    EXPECT_EQ(field(metric, 324)["text"], ".7332");
    EXPECT_EQ(field(metric, 348)["items"][1], "  100%  -   4.699");
    EXPECT_EQ(field(metric, 400)["checked"], true);
    EXPECT_EQ(field(metric, 399)["checked"], false);
    EXPECT_EQ(field(metric, 347)["rows"][0][1], "    0.343");
}

TEST(ScriptDriver, ScreenOnlyBeforeTheFirstOtherCommand) {
    Session r = run("screen 1280 1024\nscreen 800 600\ndump\nscreen 1024 768\ndump\n");
    ASSERT_EQ(r.dumps.size(), 2u);
    EXPECT_EQ(r.dumps[0]["main"]["rect"], json::array({0, 25, 800, 550}));
    EXPECT_EQ(r.dumps[1], r.dumps[0]);
    EXPECT_EQ(r.errors,
              std::vector<std::string>{"error: screen must come before every other command"});
}

TEST(ScriptDriver, MalformedCommandsChangeNothingAndTheDriverGoesOn) {
    const Session r = run("dump\nbogus 1\nclick\nselect 302 x\n" + std::string(3000, 'y') +
                          "\ninfo close\nprint fail\n\n   \ndump\n");
    ASSERT_EQ(r.dumps.size(), 2u);
    EXPECT_EQ(r.dumps[0], r.dumps[1]);
    // "print fail" only arms the next document start; "info close" finds no window to close.
    ASSERT_EQ(r.errors.size(), 5u);
    EXPECT_EQ(r.errors[0], "error: unknown command 'bogus'");
    EXPECT_EQ(r.errors[3], "error: line too long");
    EXPECT_EQ(r.errors[4], "error: the information window is not open");
    for (const std::string& e : r.errors) EXPECT_EQ(e.rfind("error: ", 0), 0u) << e;
}

TEST(ScriptDriver, AfterCloseOnlyDumpAnswers) {
    const Session r =
        run("select 302 9\nclick 398\nclick 402\nselect 302 3\npress\nnonsense\ndump\n");
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_EQ(r.dumps[0]["main"]["open"], false);
    EXPECT_EQ(r.dumps[0]["main"]["state"], "closed");
    EXPECT_EQ(field(r.dumps[0], 303)["text"], ".2489");  // the final state, as it was
    EXPECT_EQ(r.errors, std::vector<std::string>(4, "error: closed"));
}

TEST(ScriptDriver, EndOfInputEndsTheRunLikeClose) {
    EXPECT_TRUE(run("").dumps.empty());
    EXPECT_TRUE(run("screen 800 600").errors.empty());
    const Session r = run("click 410\nselect 302 4\npress\nclick 397\ndump");  // no final line end
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_EQ(r.dumps[0]["main"]["state"], "minimised");
    EXPECT_EQ(field(r.dumps[0], 433)["text"], "Exit NPT");
    EXPECT_EQ(field(r.dumps[0], 348)["items"][4], "  L2 = .5337   (7.47 THREADS)");
}

TEST(ParseCommand, FindTakesTheRestOfTheLineAsTyped) {
    const auto text = [](std::string_view line) {
        const Command command = parseCommand(line);
        EXPECT_TRUE(std::holds_alternative<Find>(command)) << line;
        return std::holds_alternative<Find>(command) ? std::get<Find>(command).text : "?";
    };
    EXPECT_EQ(text("find 1/4-20 UNC-2A"), "1/4-20 UNC-2A");
    EXPECT_EQ(text("  find\tM10 \xc3\x97 1.25 \r"), "M10 \xc3\x97 1.25 \r");
    EXPECT_EQ(text("find  1/2 NPT"), " 1/2 NPT");
    EXPECT_EQ(text("find"), "");
    EXPECT_EQ(text("find "), "");
    EXPECT_EQ(text("find dump"), "dump");
    EXPECT_TRUE(std::holds_alternative<Malformed>(parseCommand("finder 1/4-20")));
    EXPECT_TRUE(std::holds_alternative<Malformed>(parseCommand("FIND 1/4-20")));
}

// "find": what Enter in the find box does, with its outcome in the dump under "find"; the find
// box is dumped as the information window is. Nothing else in the dump changes its shape.
TEST(ScriptDriver, FindShowsSizesAndSpecialSizesAndSaysWhatCameOfIt) {
    const Session r =
        run("dump\nfind 1/4-20 unc\ndump\nfind 11/16-24 UNS\ndump\nfind 1/4-21 UNC\ndump\n"
            "click 438\nfind M42x1\ndump\nfind nonsense\ndump\n");
    EXPECT_TRUE(r.errors.empty()) << r.errors.front();
    ASSERT_EQ(r.dumps.size(), 6u);
    const json& start = r.dumps[0];
    EXPECT_EQ(start["find"], nullptr);
    EXPECT_EQ(start["findBox"], json::parse(R"({"open":false,"rect":[0,0,0,0],"text":"",)"
                                            R"("history":[],"message":""})"));
    for (const char* key : {"main", "info", "messageBoxes", "prints"}) {
        EXPECT_TRUE(start.contains(key)) << key;
    }

    const json& unc = r.dumps[1];
    EXPECT_EQ(unc["find"], json::parse(R"({"text":"1/4-20 unc","found":true,)"
                                       R"("designation":"1/4-20 UNC","message":""})"));
    EXPECT_EQ(field(unc, 302)["selected"], 9);
    EXPECT_EQ(field(unc, 303)["text"], ".2489");
    EXPECT_EQ(unc["findBox"]["history"], json::array({"1/4-20 UNC"}));

    const json& uns = r.dumps[2];
    EXPECT_EQ(uns["find"]["designation"], "11/16-24 UNS");
    EXPECT_EQ(field(uns, 405)["checked"], true);
    EXPECT_EQ(field(uns, 302)["items"].back(), "  11/16 - 24  special");
    EXPECT_EQ(field(uns, 302)["selected"], field(uns, 302)["items"].size() - 1);
    EXPECT_EQ(field(uns, 350)["text"], "INTERNAL DATA          11/16 - 24  UNS  SPECIAL");
    EXPECT_EQ(field(uns, 303)["text"], ".6863");

    const json& error = r.dumps[3];
    EXPECT_EQ(error["find"]["found"], false);
    EXPECT_EQ(error["find"]["designation"], "");
    EXPECT_EQ(error["find"]["message"],
              "UNC has no 1/4-21; 1/4 UNC is 20 threads per inch; 1/4-21 can be computed as a "
              "special size in UNS");
    EXPECT_EQ(error["main"], uns["main"]) << "nothing changed";

    // With the box open (click 438, the id Ctrl+F and "/" click), the text goes into its line.
    const json& boxed = r.dumps[4];
    EXPECT_EQ(boxed["find"]["designation"], "M42x1");
    EXPECT_EQ(boxed["findBox"]["open"], true);
    EXPECT_EQ(boxed["findBox"]["text"], "");
    EXPECT_EQ(boxed["findBox"]["message"], "Shown: M42x1");
    EXPECT_EQ(boxed["findBox"]["history"], json::array({"M42x1", "11/16-24 UNS", "1/4-20 UNC"}));
    // Against the main window's bottom edge, moved up into the 1024 x 768 screen.
    EXPECT_EQ(boxed["findBox"]["rect"], json::array({112 + 190, 768 - 118, 420, 118}));
    const json& failed = r.dumps[5];
    EXPECT_EQ(failed["findBox"]["text"], "nonsense");
    EXPECT_EQ(failed["findBox"]["message"], failed["find"]["message"]);
    EXPECT_EQ(failed["main"], boxed["main"]);
}

TEST(ParseCommand, ReadsTheMeasureCommands) {
    const Command typed = parseCommand("measure wire  .0289 in");
    ASSERT_TRUE(std::holds_alternative<Measure>(typed));
    EXPECT_EQ(std::get<Measure>(typed).action, Measure::Action::Type);
    EXPECT_EQ(std::get<Measure>(typed).id, MeasureWindow::kWireEntryId);
    EXPECT_EQ(std::get<Measure>(typed).text, " .0289 in") << "the rest after one blank, as typed";
    EXPECT_EQ(std::get<Measure>(parseCommand("measure pitch")).text, "");
    EXPECT_EQ(std::get<Measure>(parseCommand("measure open")).action, Measure::Action::Open);
    EXPECT_EQ(std::get<Measure>(parseCommand(" measure  close ")).action, Measure::Action::Close);
    EXPECT_EQ(std::get<Measure>(parseCommand("measure click 12")).id, 12);
    EXPECT_EQ(std::get<Measure>(parseCommand("measure choose 3")).position, 3);
    for (const char* line : {"measure", "measure open now", "measure click", "measure choose x",
                             "measure width 3", "measure click 1 2"}) {
        EXPECT_TRUE(std::holds_alternative<Malformed>(parseCommand(line))) << line;
    }
    EXPECT_TRUE(std::holds_alternative<Malformed>(parseCommand("measured")));
}

// The MEASURE window driven by commands; its state under "measure", the other keys unchanged.
TEST(ScriptDriver, MeasureWindowCommandsAndTheirDump) {
    const Session r =
        run("dump\nmeasure wire .0289\nselect 302 9\nmeasure open\nmeasure wire 0.028868\n"
            "measure reading 0.2603\nmeasure plane 0.3\ndump\nmeasure diameter 9.95 mm\n"
            "measure pitch 1.5 mm\nmeasure choose 7\nmeasure choose 0\ndump\nmeasure click 36\n"
            "dump\n");
    ASSERT_EQ(r.dumps.size(), 4u);
    EXPECT_EQ(r.errors, (std::vector<std::string>{
                            "error: the MEASURE window is not open",
                            "error: that entry is not shown: the plane is for taper pipe threads",
                            "error: the MEASURE window lists no such candidate"}));
    const json& closed = r.dumps[0]["measure"];
    EXPECT_EQ(closed["open"], false);
    EXPECT_EQ(closed["candidates"], json::array());
    const json& judged = r.dumps[1]["measure"];
    EXPECT_EQ(judged["open"], true);
    EXPECT_EQ(judged["rect"], json::array({284, 84, 740, 600}));
    EXPECT_EQ(judged["header"], "1/4-20 UNC      INCHES");
    EXPECT_EQ(judged["entries"]["reading"], "0.2603 in");
    EXPECT_EQ(judged["planeShown"], false);
    EXPECT_EQ(judged["leadAngle"], "off");
    // wire_verdicts.csv: 1/4-20 2A over 0.028868 in wires reading 0.26030 is 0.0006 over its
    // maximum pitch diameter, 3A within.
    EXPECT_EQ(judged["wires"][0],
              json::array({"2A", ".2597", ".2560", "ABOVE MAX", "-.00060", ".00430"}));
    EXPECT_EQ(judged["wires"][1][3], "WITHIN");
    EXPECT_EQ(judged["gauges"][0], json::array({"2A", "GO THREAD RING", ".2164"}));
    const json& named = r.dumps[2];
    EXPECT_EQ(named["measure"]["designations"][0], "M10");
    EXPECT_EQ(named["measure"]["chosen"], 0);
    EXPECT_EQ(named["find"]["designation"], "M10");
    EXPECT_EQ(named["main"]["controls"]["302"]["selected"], 18);
    EXPECT_EQ(named["measure"]["header"], "M10      INCHES");
    EXPECT_EQ(r.dumps[3]["measure"]["open"], false);
    // The keys of the dump before the MEASURE window, unchanged, and the new one.
    std::vector<std::string> keys;
    for (auto it = r.dumps[0].begin(); it != r.dumps[0].end(); ++it) keys.push_back(it.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"find", "findBox", "info", "main", "measure",
                                              "messageBoxes", "prints"}));
}

}  // namespace
}  // namespace torveld::driver
