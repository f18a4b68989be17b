// Any input to the special-thread engine: seeded random threads and class names (telling values,
// raw doubles, NaN, infinities, random bytes) and every input of the fuzzer's seed corpus
// (tests/special/corpus, inputs the fuzzer found once fixed): every property of
// checkSpecialInput holds, and nothing crashes (run under the sanitizers).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "special_properties.h"

namespace torveld::testing {
namespace {

std::string randomInput(std::mt19937& rng) {
    const auto pick = [&](unsigned n) { return static_cast<unsigned>(rng() % n); };
    static const char* const kClasses[] = {
        "1A", "2A",   "3A", "1B", "2B", "3B", "2a", "4A", "6g", "4g6g", "6e", "6f",  "6h",  "8g",
        "4H", "5H6H", "7G", "9H", "2G", "3G", "4G", "5G", "",   "6",    "g6", "6gg", "\xff"};
    std::string input(1, static_cast<char>(pick(256)));
    for (int k = 0; k < 2; ++k) {
        const unsigned choice = pick(256);
        input += static_cast<char>(choice);
        if (choice >= 200)
            for (int b = 0; b < 8; ++b) input += static_cast<char>(pick(256));
    }
    const unsigned classes = pick(5);
    for (unsigned i = 0; i < classes; ++i) {
        if (i) input += ',';
        input += kClasses[pick(std::size(kClasses))];
    }
    return input;
}

TEST(SpecialInput, RandomThreadsKeepEveryProperty) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < 20000; ++i) {
        const std::string input = randomInput(rng);
        ASSERT_EQ(checkSpecialInput(input), "") << "input " << i;
    }
}

TEST(SpecialInput, SeedCorpusKeepsEveryProperty) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TORVELD_SPECIAL_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(checkSpecialInput(input), "") << entry.path();
        ++files;
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace torveld::testing
