// Every input of the designation fuzzer's seed corpus (tests/robustness/corpus/designation, the
// inputs that once broke a property among them) and seeded random mutations of valid
// designations keep every property of designation_properties.h.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "designation.h"
#include "designation_properties.h"
#include "text_mutation.h"

namespace torveld::robustness {
namespace {

TEST(DesignationCorpus, EverySeedInputKeepsEveryProperty) {
    const auto inputs = corpusInputs(TORVELD_DESIGNATION_CORPUS);
    for (const auto& [name, input] : inputs) EXPECT_EQ(checkDesignationInput(input), "") << name;
    EXPECT_GE(inputs.size(), 30u);
}

// A valid designation, then a few edits with bytes of the language and others.
std::string mutated(std::mt19937& rng) {
    const auto id = static_cast<SeriesId>(pickBelow(rng, series::kCount));
    const auto row = static_cast<int>(pickBelow(rng, static_cast<std::size_t>(sizeCount(id))));
    // clang-format off
    static const std::string_view kPieces[] = {
        "-", " ", "x", "/", "#", ".", "1", "0", "9", "2A", "6g", "6H", "LH", "M", "UN", "UNC",
        "UNR", "UNRC", "STI", "ACME", "ISO", "No.", "\"", ",", "12", "1/2", "3", "\xC3\x97",
        "\xE2\x80\x93", "\xC2\xBD", "\xC3", "\xFF", std::string_view("\0", 1), "class",
        "left hand", "000000000", "999999", ".0000001", "G", "R", "Rc", "Rp", "Tr", "A", "B",
        "7e", "7H/7e", "(P7)", "P", "(", ")", "BSPP", "BSPT", "EN 10226-1 ", "ISO 228-1 "};
    // clang-format on
    return mutatedText(std::string(designation::ofSize(id, row).canonical.view()), kPieces, rng);
}

class DesignationInput : public ::testing::TestWithParam<unsigned> {};

TEST_P(DesignationInput, MutatedDesignationsKeepEveryProperty) {
    std::mt19937 rng(GetParam());
    for (int i = 0; i < 2000; ++i) {
        const std::string input = mutated(rng);
        ASSERT_EQ(checkDesignationInput(input), "") << "input '" << input << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DesignationInput, ::testing::Range(1u, 11u));

}  // namespace
}  // namespace torveld::robustness
