// What every reading of a designation keeps, whatever the input: shared by the fuzzer
// (fuzz/designation_fuzzer.cpp) and the suite, which runs the fuzzer's seed corpus and random
// input through it.
#pragma once

#include <string>
#include <string_view>

namespace torveld::robustness {

// Reads `input` as a designation, with and without a preferred series, and checks: a result
// names a valid size or a special size, the rounded root of UNR with no internal class, its
// notes written out, and its canonical text reads back to the same designation and text; an error
// has a message, points inside the input, and every nearest size it names reads back as a tabulated
// size. "" when all hold, else what broke.
std::string checkDesignationInput(std::string_view input);

}  // namespace torveld::robustness
