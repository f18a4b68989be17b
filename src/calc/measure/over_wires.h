// Inspection: the three-wire measurement with the wire the inspector has. For a thread (its form,
// pitch, lead and the pitch-diameter limits of its classes) and a wire diameter: the over-wire
// limits of each external class for that wire; with a reading over the wires, the pitch diameter
// it means and, for each class, whether it lies within the limits or by how much it is above the
// maximum or below the minimum.
//
// Every length of one call is in one unit (the thread's `unit`): pitch, limits, wire, reading
// and the distance of the wires from the small end of a taper thread. No correction for the
// measuring force is applied: American practice calibrates the wires on a functional basis under
// the standard measuring force, so as to compensate for deformation.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "special_size.h"
#include "special_thread.h"
#include "thread_results.h"
#include "wire_forms.h"

namespace torveld::measure {

using Unit = special::Unit;
using Side = special::Side;

// A class of a thread: the class record of a table row (the caller writes its label), and the
// class as the standard writes it where it is known (a special size's: "2A", "6g"); either may
// be empty.
struct ClassRef {
    std::optional<ClassRecord> record;
    std::string name;

    bool operator==(const ClassRef&) const = default;
};

// The pitch-diameter limits of one class.
struct PitchClass {
    ClassRef cls;
    Side side = Side::External;
    double pitchMax = 0;
    double pitchMin = 0;
};

// A taper thread (1 in 16 on the diameter): the pitch diameter at the small end and the
// tolerance at any plane, plus and minus, on the diameter. For NPT and NPTF this is one turn of
// the L1 gauge: the gauge reads flush +-1 turn, and one turn moves the gauge plane one pitch
// along the 1:16 cone, P / 16 on the diameter. (For R: E0 = d2 - gauge length / 16, tolerance
// T1/2 / 16.)
struct TaperThread {
    double e0 = 0;                 // pitch diameter at the small end
    double tolerance = 0;          // +- on the pitch diameter at any plane
    double turns = 1;              // the tolerance in turns of the gauge, for the texts
    std::optional<double> length;  // length of the thread from the small end (NPT: L4)
};

struct WireThread {
    const WireForm* form = nullptr;
    Unit unit = Unit::Inch;
    double pitch = 0;  // axial distance between neighbouring threads
    int starts = 1;    // the lead is starts x pitch
    // The largest major and the smallest minor diameter the thread can have: a reading whose
    // pitch diameter lies outside them is refused, never judged. Parallel threads only.
    double majorDiameter = 0;
    double minorDiameter = 0;
    // Taper threads: the pitch diameter at the plane of the wires must lie within this distance
    // of the basic one at that plane (NPT: the thread height 0.8 P).
    double threadHeight = 0;
    std::vector<PitchClass> classes;   // parallel threads; internal classes are listed, not judged
    std::optional<TaperThread> taper;  // set exactly when form->kind is Taper
};

enum class LeadAngle {
    FormDefault,  // the form's choice: the lead-angle term for Acme, Stub Acme and trapezoidal
    Neglected,    // the formula cards' formula
    Included      // the lead-angle term
};

enum class WireFormula {
    General,    // E = M - W (1 + csc a) + (P / 2) cot a
    LeadAngle,  // E = M + (P / 2) cot a - W [1 + csc a + 1/2 tan^2 L cos a cot a]
    Taper       // E = M sec t - W (csc a + sec t) + (P / 2) cot a, t = arctan(1/32)
};

struct WireInput {
    double wire = 0;                // mean diameter of the wires used
    std::optional<double> reading;  // over the wires; none: the over-wire limits only
    double plane = 0;               // taper threads: distance of the wires from the small end
    LeadAngle leadAngle = LeadAngle::FormDefault;
};

enum class Verdict {
    NotJudged,  // no reading, or an internal class
    Within,
    AboveMax,
    BelowMin
};

struct ClassVerdict {
    ClassRef cls;
    Side side = Side::External;
    // Why the class is not judged: internal threads are measured with balls or pins, not three
    // wires. Empty for an external class.
    std::string refusal;
    double pitchMax = 0, pitchMin = 0;  // the class limits (taper: at the plane of the wires)
    double wiresMax = 0, wiresMin = 0;  // the over-wire limits for this wire
    Verdict verdict = Verdict::NotJudged;
    // With a reading: pitchMax - E and E - pitchMin, in the unit of the reading; both positive
    // inside the limits, one negative by how far outside.
    double fromMax = 0, fromMin = 0;
};

struct WireResult {
    std::string refusal;  // why nothing is computed (bad input, a wire outside the range ...)
    Unit unit = Unit::Inch;
    WireFormula formula = WireFormula::General;
    std::string formulaText;  // the formula used and its source, one sentence
    double bestWire = 0, smallestWire = 0, largestWire = 0;  // for this pitch
    std::optional<double> pitchDiameter;                     // from the reading
    // The lead-angle term's share of the pitch diameter (E with the term minus E without); 0
    // where the term is not applied.
    double leadAngleTerm = 0;
    std::optional<double> planePitchDiameter;  // taper: the basic pitch diameter at the plane
    std::vector<ClassVerdict> classes;         // in the order of the thread's classes
    std::string note;  // the measuring-force sentence, and a wire range that is not published

    bool ok() const { return refusal.empty(); }
};

// The over-wire limits of every external class of `thread` for `input.wire`, and with a reading
// its pitch diameter and the verdict of each class. Refused, with the reason: a form that is not
// measured over wires, a wire outside the form's smallest-largest range, a reading whose pitch
// diameter lies below the minor or above the major diameter (taper: more than the thread height
// from the basic pitch diameter at the plane), the wires beyond a taper thread's length, and any
// length that is not a positive finite number. A thread with internal classes only is refused;
// internal classes of a thread with external ones are listed with their refusal.
WireResult measureOverWires(const WireThread& thread, const WireInput& input);

// The reading over wires of diameter `wire` on a thread of `form` and `pitch` whose pitch
// diameter (taper: at the plane of the wires) is `pitchDiameter`, lead angle neglected: the
// formula cards' formula backwards, M = E + W (1 + csc a) - (P / 2) cot a (taper:
// (E + W (csc a + sec t) - (P / 2) cot a) / sec t). With the best wire this is the over-wire
// column of the thread report.
double overWireReading(const WireForm& form, double pitch, double wire, double pitchDiameter);

// The thread of a table row for the three-wire method, every length in `unit` (by default the
// series' own: millimetres for the metric, UNM and BA series): form, pitch, the pitch-diameter
// limits of the class records that have them, and major and minor diameter; taper pipe threads
// E0, the +-1 turn tolerance of the L1 gauge and the thread length L4. `refusal` says why there
// is none (an invalid row; the screw-thread-insert tapped holes).
struct WireThreadResult {
    std::string refusal;
    WireThread thread;

    bool ok() const { return refusal.empty(); }
};
WireThreadResult wireThreadOf(SeriesId id, int row, std::optional<Unit> unit = std::nullopt);

// The same from the results of one size of series `id` (a table row's or a special size's,
// inches), with the class names of each record where known (ClassRecord order; empty: unknown).
WireThreadResult wireThreadOf(SeriesId id, const ThreadResults& results,
                              const std::array<std::string, 4>& classNames, Unit unit);

// A special size (calculateSpecial: any diameter and pitch of UNS, UN, UNJ, ISO FINE, ACME,
// STUB ACME), its classes named as `input.classes` names them.
WireThreadResult wireThreadOfSpecial(const SpecialSizeInput& input,
                                     std::optional<Unit> unit = std::nullopt);

}  // namespace torveld::measure
