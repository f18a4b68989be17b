// What every reading of a typed measurement keeps, whatever the input: shared by the fuzzer
// (fuzz/number_fuzzer.cpp) and the suite, which runs the fuzzer's seed corpus and random input
// through it.
#pragma once

#include <string>
#include <string_view>

namespace torveld::robustness {

// Reads `input` as a typed number, as a length in either unit, a pitch and an angle, and checks:
// a number read is finite and not negative, and its own text (the shortest that reads back,
// with its unit word) reads back to the same number and unit where it is short enough to type; a
// refusal is one printable line of at most 200 characters that quotes no more than 24 characters of
// the input; a length, a pitch or an angle read is finite and not negative, in the unit asked for.
// "" when all hold, else what broke.
std::string checkTypedNumber(std::string_view input);

}  // namespace torveld::robustness
