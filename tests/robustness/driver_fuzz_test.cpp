// Random and malformed input to the headless driver, and every input of the fuzzer's seed
// corpus (tests/robustness/corpus/driver, crashes the fuzzer found included once fixed): the
// driver never crashes (run under the sanitizers), answers every bad line with one "error: "
// line, reads every command back the same and keeps every dump valid JSON.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "driver_properties.h"

namespace torveld::robustness {
namespace {

std::string randomLine(std::mt19937& rng) {
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    static const char* const kVerbs[] = {"click", "select", "notify", "press", "dump", "screen",
                                         "info",  "print",  "close",  "fail",  "find"};
    // Designations found, special, refused and broken, for "find".
    static const char* const kDesignations[] = {"1/4-20 UNC",     "11/16-24 UNS",
                                                "M42x1",          "1/2-14",
                                                "1/4-21 UNC",     "M3210x5",
                                                "3/4-10 ACME",    ".6875-24 UNJ",
                                                "1-10 STUB ACME", "1/2 NPT",
                                                "#10-32",         "M10 \xc3\x97 1",
                                                "\xff\xfe",       ""};
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
            if (pick(8) == 0) {
                line = std::string("find ") + kDesignations[pick(std::size(kDesignations))];
            }
            if (pick(40) == 0) line = "click 438";  // the find box
            if (pick(20) == 0) line = "click 398";
            if (pick(10) == 0) line = "dump";
            return line;
        }
    }
}

class DriverInput : public ::testing::TestWithParam<unsigned> {};

TEST_P(DriverInput, RandomLinesKeepEveryProperty) {
    std::mt19937 rng(GetParam());
    std::string script;
    for (int i = 0; i < 300; ++i) script += randomLine(rng) + "\n";
    EXPECT_EQ(checkDriverInput(script), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, DriverInput, ::testing::Range(1u, 21u));

TEST(DriverCorpus, EverySeedInputKeepsEveryProperty) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TORVELD_DRIVER_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(checkDriverInput(input), "") << entry.path().filename();
        ++inputs;
    }
    EXPECT_GE(inputs, 8);
}

TEST(DriverInput, EdgesOfTheInput) {
    EXPECT_EQ(checkDriverInput(""), "");
    EXPECT_EQ(checkDriverInput("dump"), "");  // no line end at the end of input
    EXPECT_EQ(checkDriverInput("dump\ndump\n\n"), "");
}

}  // namespace
}  // namespace torveld::robustness
