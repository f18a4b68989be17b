// Every input of the number fuzzer's seed corpus (tests/robustness/corpus/number) and seeded
// random mutations of typed measurements keep every property of number_properties.h.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "number_properties.h"
#include "text_mutation.h"

namespace torveld::robustness {
namespace {

TEST(NumberCorpus, EverySeedInputKeepsEveryProperty) {
    const auto inputs = corpusInputs(TORVELD_NUMBER_CORPUS);
    for (const auto& [name, input] : inputs) EXPECT_EQ(checkTypedNumber(input), "") << name;
    EXPECT_GE(inputs.size(), 15u);
}

// A typed measurement, then a few edits with the language's bytes and others.
std::string mutated(std::mt19937& rng) {
    static const std::string_view kStarts[] = {"0.02887", ".0289 in", "0.733 mm", "20 tpi",
                                               "60 deg",  "1.5",      "9.98mm",   "11.5TPI"};
    // clang-format off
    static const std::string_view kPieces[] = {
        ".", "0", "9", " ", "in", "mm", "tpi", "deg", ",", "-", "+", "e", "\"", "\xC2\xB0",
        "\xE2\x88\x92", "\xFF", "\t", "inches", "0000000000", std::string_view("\0", 1)};
    // clang-format on
    return mutatedText(std::string(kStarts[pickBelow(rng, std::size(kStarts))]), kPieces, rng);
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
