// Properties of the special-thread engine for any input, shared by the suite's random runs and
// the libFuzzer target.
#pragma once

#include <string>
#include <string_view>

namespace torveld::testing {

// Decodes `bytes` into a thread and class names (the first byte chooses the series, then a
// diameter and a pitch, each either one of a set of telling values or eight raw bytes of a
// double, then class names separated by ','), calculates it and returns "" when every property
// holds, or what failed: a refused thread says why, in one sentence, and has no classes; a
// computed class either says why it is refused, in one sentence, and has no value, or has pitch
// limits, every limit finite, positive and in order, and a text that reads back to its value; the
// same input gives the same result.
std::string checkSpecialInput(std::string_view bytes);

// Whether a refusal is one plain sentence: no second sentence, no semicolon, no line break, no
// final full stop (the texts are set into other sentences).
bool oneSentence(const std::string& text);

}  // namespace torveld::testing
