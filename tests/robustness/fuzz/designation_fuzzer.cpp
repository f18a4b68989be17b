// libFuzzer target: arbitrary bytes read as a thread designation. Built by scripts/fuzz.sh with
// clang (-fsanitize=fuzzer,address,undefined); a property that fails aborts, so the fuzzer
// keeps the input that broke it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "designation_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string failure = torveld::robustness::checkDesignationInput(input);
    if (!failure.empty()) {
        std::fprintf(stderr, "designation property failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
