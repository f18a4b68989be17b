// Inspection: stable lower-case keys of the result enumerations, for machine-readable output
// (the query's JSON); never translated, never changed once published.
#pragma once

#include <string_view>

#include "gauges.h"
#include "identify.h"
#include "over_wires.h"

namespace torveld::measure {

std::string_view keyOf(Verdict v);         // "within", "above-max", "below-min", "not-judged"
std::string_view keyOf(WireFormula f);     // "general", "lead-angle", "taper"
std::string_view keyOf(Basis b);           // "published", "derived", "open"
std::string_view keyOf(Position p);        // "within", "below-min", "above-max"
std::string_view keyOf(ToleranceBasis b);  // "crest-diameter", "pitch-diameter", "taper-turns"
std::string_view keyOf(Separator s);       // "flank-angle", "crest-shape", "root-shape",
                                           // "taper", "pitch", "diameter", "wire-reading"
std::string_view keyOf(GaugeKind k);       // "go-thread-plug", "not-go-thread-plug",
                                           // "go-thread-ring", "not-go-thread-ring",
                                           // "go-plain-plug", "not-go-plain-plug",
                                           // "go-plain-ring", "not-go-plain-ring"
std::string_view keyOf(GaugeStandard s);   // "asme-b1.2", "iso-1502", "asme-b1.20.1",
                                           // "not-given"

}  // namespace torveld::measure
