// libFuzzer target: arbitrary bytes read as a number typed for a measurement (a wire, a reading,
// a diameter, a pitch, an angle). Built by scripts/fuzz.sh with clang
// (-fsanitize=fuzzer,address,undefined); a property that fails aborts, so the fuzzer keeps the
// input that broke it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "number_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string failure = torveld::robustness::checkTypedNumber(input);
    if (!failure.empty()) {
        std::fprintf(stderr, "number property failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
