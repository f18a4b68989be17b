// Every input of the number fuzzer's seed corpus (tests/robustness/corpus/number) and seeded
// random mutations of typed measurements keep every property of number_properties.h.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "number_properties.h"

namespace torveld::robustness {
namespace {

TEST(NumberCorpus, EverySeedInputKeepsEveryProperty) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TORVELD_NUMBER_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(checkTypedNumber(input), "") << entry.path().filename();
        ++inputs;
    }
    EXPECT_GE(inputs, 15);
}

// A typed measurement, then a few edits: the language's bytes and others put in, taken out,
// doubled or swapped.
std::string mutated(std::mt19937& rng) {
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    static const std::string_view kStarts[] = {"0.02887", ".0289 in", "0.733 mm", "20 tpi",
                                               "60 deg",  "1.5",      "9.98mm",   "11.5TPI"};
    static const std::string_view kPieces[] = {
        ".",    "0",   "9",      " ",          "in",
        "mm",   "tpi", "deg",    ",",          "-",
        "+",    "e",   "\"",     "\xC2\xB0",   "\xE2\x88\x92",
        "\xFF", "\t",  "inches", "0000000000", std::string_view("\0", 1)};
    std::string text(kStarts[pick(std::size(kStarts))]);
    const int edits = 1 + static_cast<int>(pick(4));
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = text.empty() ? 0 : pick(text.size() + 1);
        switch (pick(5)) {
            case 0:
                text.insert(at, kPieces[pick(std::size(kPieces))]);
                break;
            case 1:
                if (at < text.size()) text.erase(at, 1 + pick(3));
                break;
            case 2:
                if (at < text.size()) text[at] = static_cast<char>(pick(256));
                break;
            case 3:
                text += text.substr(at);
                break;
            default:
                if (at + 1 < text.size()) std::swap(text[at], text[at + 1]);
                break;
        }
    }
    return text;
}

class NumberInput : public ::testing::TestWithParam<unsigned> {};

TEST_P(NumberInput, MutatedNumbersKeepEveryProperty) {
    std::mt19937 rng(GetParam());
    for (int i = 0; i < 5000; ++i) {
        const std::string input = mutated(rng);
        ASSERT_EQ(checkTypedNumber(input), "") << "input '" << input << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, NumberInput, ::testing::Range(1u, 5u));

}  // namespace
}  // namespace torveld::robustness
