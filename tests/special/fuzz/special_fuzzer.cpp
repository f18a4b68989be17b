// libFuzzer target: arbitrary bytes as a special thread and its class names (see
// checkSpecialInput). Built by scripts/fuzz.sh special with clang; a property that fails aborts,
// so the fuzzer keeps the input that broke it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "special_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure = torveld::testing::checkSpecialInput(
        std::string_view(reinterpret_cast<const char*>(data), size));
    if (!failure.empty()) {
        std::fprintf(stderr, "special-thread property failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
