// Special sizes: the results of a size no table holds, in a series that admits any size. The
// limits of size come from the special-thread engine (src/calc/special); the pitch, the profile
// and wire values and the over-wire limits are those the calculation of a table row gives, by the
// same formulas, and each class record holds the same values a table row of its series fills.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "special_thread.h"
#include "thread_results.h"

namespace torveld {

// A size no table holds: the basic major diameter and the pitch as a designation gives them
// (inches and threads per inch; millimetres for ISO FINE), and the class whose limits go into
// each class record, in the order of ClassRecord (ExtNormal, ExtClose, IntNormal, IntClose). An
// empty name leaves its record empty, as a table without that class does.
struct SpecialSizeInput {
    SeriesId series = series::UNS;
    double majorDiameter = 0;
    double pitch = 0;
    std::array<std::string, 4> classes;
    int starts = 1;  // a multi-start thread's number of starts (Tr); the lead is starts x pitch
};

struct SpecialCalculation {
    // What the engine gave for the classes named: limits, refusals and provenance.
    special::Result limits;
    // The results; none when the engine refused the thread or every class named.
    std::optional<ThreadResults> results;
    // Why there are no results: the engine's reason, one line. Empty when there are.
    std::string refusal;
};

// The engine's series in which a window series computes its special sizes: UNS, UN, UNJ (as
// UNJS, the UNJ special series), ISO FINE (as M), ACME, STUB ACME, Tr. None for every other
// series.
std::optional<special::Series> specialSeriesOf(SeriesId id);

// Computes a special size. A class the engine refuses leaves its record empty (the display shows
// "--" there) and keeps its reason in `limits`.
SpecialCalculation calculateSpecial(const SpecialSizeInput& input);

}  // namespace torveld
