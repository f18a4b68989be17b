// Thread calculations: the L1 to L4 lines of the taper pipe threads, as data; the display
// writes a length line as label + length + "   (" + thread count + " THREADS)".
#pragma once

#include <vector>

#include "series.h"
#include "thread_results.h"

namespace torveld::pipe_lengths {

enum class LineKind {
    Empty,              // an empty line
    Text,               // `text` as it stands
    LengthWithThreads,  // label `text`, `length`, and the length in threads (length / pitch)
    LengthOnly,         // label `text` and `length`
};

struct Line {
    LineKind kind;
    const char* text;  // the fixed text or the label; "" for an empty line
    double length;     // inches; 0 unless a length line
};

// The lines of the lengths list for NPT and NPTF; empty for every other series.
std::vector<Line> lengthsList(SeriesId id, const ThreadResults& results);

}  // namespace torveld::pipe_lengths
