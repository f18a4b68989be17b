// Every input of the designation fuzzer's seed corpus (tests/robustness/corpus/designation, the
// inputs that once broke a property among them) and seeded random mutations of valid
// designations keep every property of designation_properties.h.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "designation.h"
#include "designation_properties.h"

namespace torveld::robustness {
namespace {

TEST(DesignationCorpus, EverySeedInputKeepsEveryProperty) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TORVELD_DESIGNATION_CORPUS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(checkDesignationInput(input), "") << entry.path().filename();
        ++inputs;
    }
    EXPECT_GE(inputs, 30);
}

// A valid designation, then a few edits: bytes of the language and others put in, taken out,
// doubled or swapped.
std::string mutated(std::mt19937& rng) {
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    const SeriesId id = static_cast<SeriesId>(pick(series::kCount));
    std::string text(
        designation::ofSize(id, static_cast<int>(pick(static_cast<std::size_t>(sizeCount(id)))))
            .canonical.view());
    static const std::string_view kPieces[] = {"-",
                                               " ",
                                               "x",
                                               "/",
                                               "#",
                                               ".",
                                               "1",
                                               "0",
                                               "9",
                                               "2A",
                                               "6g",
                                               "6H",
                                               "LH",
                                               "M",
                                               "UN",
                                               "UNC",
                                               "UNR",
                                               "UNRC",
                                               "STI",
                                               "ACME",
                                               "ISO",
                                               "No.",
                                               "\"",
                                               ",",
                                               "12",
                                               "1/2",
                                               "3",
                                               "\xC3\x97",
                                               "\xE2\x80\x93",
                                               "\xC2\xBD",
                                               "\xC3",
                                               "\xFF",
                                               std::string_view("\0", 1),
                                               "class",
                                               "left hand",
                                               "000000000",
                                               "999999",
                                               ".0000001",
                                               "G",
                                               "R",
                                               "Rc",
                                               "Rp",
                                               "Tr",
                                               "A",
                                               "B",
                                               "7e",
                                               "7H/7e",
                                               "(P7)",
                                               "P",
                                               "(",
                                               ")",
                                               "BSPP",
                                               "BSPT",
                                               "EN 10226-1 ",
                                               "ISO 228-1 "};
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
