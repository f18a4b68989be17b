// What must hold for any input to the headless driver, whatever its bytes: used by the random
// driver-input test, by the corpus regression test and by the libFuzzer target.
#pragma once

#include <string>
#include <string_view>

namespace torveld::robustness {

// Runs `input` through the driver's line reader and command parser, then as a whole session,
// and checks the answers: every line is read whole or refused as too long, every refusal is one
// printable "error: " line, every well-formed command reads back the same from its own text,
// and every dump is one line of valid JSON, one per dump command (the first read back in full:
// its last find names a designation or a reason, its find box at most ten found). Returns an
// empty string, or what failed.
std::string checkDriverInput(std::string_view input);

}  // namespace torveld::robustness
