// The thread report as the inspector's calculations see it: the thread of its classes for the
// three-wire method, the GO / NOT GO gauges of its classes, and the designation of a candidate
// of the identification. The MEASURE window and torveld-query both answer from these, so that
// they give the same answers for the same report.
#pragma once

#include <string>

#include "gauges.h"
#include "identify.h"
#include "over_wires.h"
#include "thread_report.h"

namespace torveld {

// The thread of the report's classes that have pitch-diameter limits (in the order of
// `classes`, each named as the report names it), every length in `unit`: form, pitch, major and
// minor diameter from the report's values; a taper pipe thread's E0, the one-turn tolerance of
// the L1 gauge and its length L4. Refused, with the reason, for a report without values, a form
// that is not measured over wires and a thread without classes with pitch-diameter limits.
measure::WireThreadResult reportWireThread(const ThreadReport& report, measure::Unit unit);

// The over-wire limits of the report's external classes for `input.wire`, and with a reading
// the verdict of each; every length in `unit`. The refusal of reportWireThread comes back as the
// result's refusal.
measure::WireResult reportOverWires(const ThreadReport& report, const measure::WireInput& input,
                                    measure::Unit unit);

// The GO / NOT GO gauges of every class of the report with pitch-diameter limits, in `unit`,
// with the rules of its series' gauging standard; a taper pipe thread's L1 gauges.
measure::GaugeSet reportGauges(const ThreadReport& report, measure::Unit unit);

// The canonical designation of a candidate: its table row's, or for a special size the
// designation written for its series and read back ("11/16-24 UNS", "M42x1"); empty where the
// text does not read back as the same size.
std::string candidateDesignation(const measure::Candidate& candidate);

// The candidate's size as a size list writes it ("3/4 - 10", "M42 - 1"); empty as above.
std::string candidateSize(const measure::Candidate& candidate);

// The name of the class the measurement was compared with, as the report of its size names it
// ("2A", "6g", "NPSL"); empty for a taper pipe thread, which has no classes.
std::string candidateClass(const measure::Candidate& candidate);

}  // namespace torveld
