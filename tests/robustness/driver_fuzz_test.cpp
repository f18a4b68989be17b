// Random and malformed input to the headless driver: it never crashes (run under the
// sanitizers), answers every bad line with one "error: " line and keeps every dump valid JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>

#include "script_driver.h"

namespace torveld::driver {
namespace {

std::string randomLine(std::mt19937& rng) {
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    static const char* const kVerbs[] = {"click",  "select", "notify", "press", "dump",
                                         "screen", "info",   "print",  "close", "fail"};
    static const char* const kNumbers[] = {
        "302", "398",        "433",         "399",        "400", "410", "418", "-1", "0",
        "99",  "2147483647", "-2147483648", "2147483648", "1e3", "0x1", "",    "+5", "4.5"};
    switch (pick(6)) {
        case 0: {  // random bytes, NUL and line-end characters included
            std::string line(static_cast<std::size_t>(pick(80)), '\0');
            for (char& c : line) c = static_cast<char>(pick(256));
            return line;
        }
        case 1:  // an overlong line
            return std::string(static_cast<std::size_t>(1000 + pick(5000)),
                               static_cast<char>('a' + pick(26)));
        default: {  // words of the language, shuffled and mistyped
            std::string line;
            const int words = pick(5);
            for (int i = 0; i < words; ++i) {
                if (i) line += pick(5) ? " " : "\t \r";
                line +=
                    pick(3) ? kNumbers[pick(std::size(kNumbers))] : kVerbs[pick(std::size(kVerbs))];
            }
            if (pick(4) == 0) {  // a valid command now and then keeps the system moving
                const int id = 300 + pick(145);
                line = pick(2) ? "click " + std::to_string(id)
                               : "select 302 " + std::to_string(pick(40));
            }
            if (pick(20) == 0) line = "click 398";
            if (pick(10) == 0) line = "dump";
            return line;
        }
    }
}

class DriverFuzz : public ::testing::TestWithParam<unsigned> {};

TEST_P(DriverFuzz, NeverCrashesAndAnswersInWholeLines) {
    std::mt19937 rng(GetParam());
    std::string script;
    for (int i = 0; i < 300; ++i) script += randomLine(rng) + "\n";
    std::istringstream in(script);
    std::ostringstream out, err;
    ScriptDriver(out, err).run(in);

    std::istringstream dumps(out.str());
    for (std::string line; std::getline(dumps, line);) {
        const auto state = nlohmann::json::parse(line, nullptr, false);
        ASSERT_FALSE(state.is_discarded());
        EXPECT_TRUE(state["main"].is_object());
    }
    std::istringstream errors(err.str());
    for (std::string line; std::getline(errors, line);) {
        EXPECT_EQ(line.rfind("error: ", 0), 0u) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DriverFuzz, ::testing::Range(1u, 21u));

}  // namespace
}  // namespace torveld::driver
