// libFuzzer target: arbitrary bytes as the headless driver's standard input. Built by
// scripts/fuzz.sh with clang (-fsanitize=fuzzer,address,undefined); a property that fails
// aborts, so the fuzzer keeps the input that broke it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Each dump writes the whole state (the drill chart's 747 rows among it); a few per input
    // show as much as many, and inputs with more would slow the search tenfold.
    std::size_t dumps = 0;
    for (std::size_t at = input.find("dump"); at != std::string_view::npos;
         at = input.find("dump", at + 1)) {
        if (++dumps > 4) return -1;  // not kept in the corpus
    }
    const std::string failure = torveld::robustness::checkDriverInput(input);
    if (!failure.empty()) {
        std::fprintf(stderr, "driver property failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
