// Thread calculations: the L1 to L4 lines of the taper pipe threads, and the gauge lengths of
// R, Rc and Rp, as data; the display writes a length line as label + length + "   (" + thread
// count + " THREADS)", or " TURNS)" for the turns ISO 7-1 gives.
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
    LengthWithTurns,    // label `text`, `length`, and its length in turns of thread, `turns`
};

struct Line {
    LineKind kind;
    const char* text;  // the fixed text or the label; "" for an empty line
    double length;     // inches; 0 unless a length line
    double turns = 0;  // turns of thread of a LengthWithTurns line
};

// The lines of the lengths list for NPT, NPTF and R; empty for every other series.
std::vector<Line> lengthsList(SeriesId id, const ThreadResults& results);

}  // namespace torveld::pipe_lengths
