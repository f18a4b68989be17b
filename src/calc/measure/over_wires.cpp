#include "over_wires.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "measure_text.h"
#include "special_size.h"
#include "thread_calculator.h"

namespace torveld::measure {

namespace {

using detail::lengthText;

constexpr double kMmPerInch = 25.4;
constexpr int kMostStarts = 100;
// The secant of the half-angle of the 1:16 taper, t = arctan(1/32): the card's 1.00049.
const double kTaperSecant = std::sqrt(1.0 + 1.0 / 1024.0);
constexpr double kTaperOnDiameter = 1.0 / 16.0;
constexpr int kLeadIterations = 30;
// The formula cards give their formula for lead angles up to 5 degrees; past 15 degrees no
// formula here holds (the lead-angle term is a small-angle expansion).
constexpr double kCardLeadAngle = 5.0;
constexpr double kLargestLeadAngle = 15.0;

constexpr const char* kMeasuringForce =
    "No correction for the measuring force is applied: in American practice the wires are "
    "calibrated on a functional basis, under the standard measuring force, so as to compensate "
    "for deformation.";
constexpr const char* kInternalRefusal =
    "an internal thread is measured with balls or pins, not over three wires";

bool positive(double v) {
    return std::isfinite(v) && v > 0.0;
}

// The three-wire formula of one form, pitch, lead and wire, both ways.
struct Formula {
    const WireForm& form;
    double pitch;
    double lead;
    double wire;
    WireFormula kind;

    // The lead-angle term's reduction of E at pitch diameter e.
    double leadReduction(double e) const {
        if (kind != WireFormula::LeadAngle || !(e > 0.0)) return 0.0;
        const double a = form.halfAngle();
        const double tanLead = lead / (std::numbers::pi * e);
        return wire * 0.5 * tanLead * tanLead * std::cos(a) / std::tan(a);
    }

    // E without the lead-angle term (taper: the card's taper formula).
    double general(double reading) const {
        if (kind == WireFormula::Taper) {
            const double csc = 1.0 / std::sin(form.halfAngle());
            return reading * kTaperSecant - wire * (csc + kTaperSecant) +
                   pitch * form.pitchFactor();
        }
        return reading - wire * form.wireFactor() + pitch * form.pitchFactor();
    }

    // E from a reading: with the lead-angle term E appears on both sides (tan L = lead / pi E);
    // the fixed point is found by iteration from the general formula (the term changes by a
    // few parts in a million of itself per step).
    double pitchDiameter(double reading) const {
        const double e0 = general(reading);
        if (kind != WireFormula::LeadAngle) return e0;
        double e = e0;
        for (int i = 0; i < kLeadIterations; ++i) {
            const double next = e0 - leadReduction(e);
            if (!(next > 0.0)) return next;
            const bool settled = std::fabs(next - e) <= 1e-15 * std::fabs(e);
            e = next;
            if (settled) break;
        }
        return e;
    }

    // The reading that gives pitch diameter e.
    double reading(double e) const {
        if (kind == WireFormula::Taper) {
            const double csc = 1.0 / std::sin(form.halfAngle());
            return (e + wire * (csc + kTaperSecant) - pitch * form.pitchFactor()) / kTaperSecant;
        }
        return e + wire * form.wireFactor() - pitch * form.pitchFactor() + leadReduction(e);
    }
};

std::string formulaText(WireFormula kind, const WireForm& form) {
    switch (kind) {
        case WireFormula::General:
            return "E = M - W (1 + csc a) + (P / 2) cot a, lead angle neglected (published: the "
                   "wire makers' formula cards, valid for any wire that fits and lead angles up "
                   "to 5 degrees; it shows the screw slightly larger than it is)";
        case WireFormula::LeadAngle:
            return "E = M + (P / 2) cot a - W [1 + csc a + 1/2 tan^2 L cos a cot a] with "
                   "tan L = lead / (pi E) (open: the lead-angle term of the standard's appendix "
                   "as reconstructed from a gauge maker's description, not confirmed from a "
                   "second source)";
        case WireFormula::Taper:
            break;
    }
    std::string text =
        "E = M sec t - W (csc a + sec t) + (P / 2) cot a with t = arctan(1/32), the half-angle "
        "of the 1:16 taper, the pitch diameter at the plane of the wires (";
    if (std::fabs(form.includedAngle - 60.0) < 0.25) {
        text +=
            "published for 60 degrees: the formula cards' E = 1.00049 M - (3.00049 W - "
            "0.86603 P))";
    } else {
        text +=
            "the 60 degree formula cards' construction applied to this form: derived, "
            "open)";
    }
    return text;
}

std::string wireRangeRefusal(double wire, double limit, double factor, bool small, Unit unit) {
    std::string text = "a wire of ";
    text += lengthText(wire, unit);
    text += small ? " is smaller than the smallest wire for this thread ("
                  : " is larger than the largest wire for this thread (";
    text += lengthText(limit, unit);
    text += ", ";
    text += detail::fixedText(factor, 6);
    text += " P): ";
    text += small ? "it sits below the crests, so the anvils would rest on the thread"
                  : "it does not touch the flanks at the pitch line but rests on the crests' "
                    "edges";
    return text;
}

std::string senselessReading(double e, double bound, bool above, bool taper, Unit unit) {
    std::string text = "the reading gives a pitch diameter of ";
    text += lengthText(e, unit);
    if (taper) {
        text += above ? ", more than the thread height above "
                      : ", more than the thread height "
                        "below ";
        text += "the basic pitch diameter at the plane of the wires (";
    } else {
        text += above ? ", above the major diameter (" : ", below the minor diameter (";
    }
    text += lengthText(bound, unit);
    text += "): check the reading, the wire size and the thread";
    return text;
}

WireResult refused(std::string why, Unit unit) {
    WireResult r;
    r.unit = unit;
    r.refusal = std::move(why);
    return r;
}

// Why the thread or the input cannot be measured, or "".
std::string refusalOf(const WireThread& thread, const WireInput& input) {
    if (thread.form == nullptr) return "no thread form to measure";
    const bool taper = thread.form->kind == FormKind::Taper;
    if (!positive(thread.pitch)) return "the pitch must be a positive number";
    if (thread.starts < 1 || thread.starts > kMostStarts)
        return "the number of starts must be a whole number from 1 to 100";
    if (taper != thread.taper.has_value())
        return taper ? "a taper thread needs its pitch diameter at the small end"
                     : "a parallel thread has no taper";
    if (taper && (!positive(thread.taper->e0) || !std::isfinite(thread.taper->tolerance) ||
                  thread.taper->tolerance < 0.0))
        return "the taper thread's pitch diameter and tolerance must be positive numbers";
    bool anyExternal = taper;
    for (const PitchClass& c : thread.classes) {
        if (!std::isfinite(c.pitchMax) || !std::isfinite(c.pitchMin) || c.pitchMin > c.pitchMax ||
            c.pitchMin <= 0.0)
            return "a class's pitch-diameter limits are not a range of positive numbers";
        anyExternal = anyExternal || c.side == Side::External;
    }
    if (!anyExternal)
        return thread.classes.empty() ? "the thread has no class with pitch-diameter limits"
                                      : kInternalRefusal;
    if (!positive(input.wire)) return "the wire diameter must be a positive number";
    if (input.reading && !positive(*input.reading))
        return "the reading over the wires must be a positive number";
    if (taper && (!std::isfinite(input.plane) || input.plane < 0.0))
        return "the distance of the wires from the small end must be 0 or more";
    if (taper && thread.taper->length && input.plane > *thread.taper->length) {
        std::string why = "the wires at ";
        why += lengthText(input.plane, thread.unit);
        why += " from the small end lie beyond the thread, which is ";
        why += lengthText(*thread.taper->length, thread.unit);
        why += " long";
        return why;
    }
    const double p = thread.pitch;
    const WireForm& form = *thread.form;
    // A wire typed to the factor's last decimal still counts as inside.
    constexpr double kSlack = 1e-9;
    if (input.wire < form.smallestWire * p * (1.0 - kSlack))
        return wireRangeRefusal(input.wire, form.smallestWire * p, form.smallestWire, true,
                                thread.unit);
    if (input.wire > form.largestWire * p * (1.0 + kSlack))
        return wireRangeRefusal(input.wire, form.largestWire * p, form.largestWire, false,
                                thread.unit);
    return {};
}

// The lead angle at the smallest pitch diameter the thread may have, degrees.
double leadAngleOf(const WireThread& thread) {
    double smallest = thread.taper ? thread.taper->e0 - thread.taper->tolerance : 0.0;
    for (const PitchClass& c : thread.classes)
        if (!(smallest > 0.0) || c.pitchMin < smallest) smallest = c.pitchMin;
    if (!(smallest > 0.0)) return 90.0;
    const double lead = thread.pitch * thread.starts;
    return std::atan(lead / (std::numbers::pi * smallest)) * 180.0 / std::numbers::pi;
}

// The pitch diameters a reading may mean: between the minor and the major diameter, or for a
// taper thread within the thread height of the basic pitch diameter at the plane; where the
// thread gives no such diameter, the sharp-V height H beyond the class limits.
std::pair<double, double> sensibleRange(const WireThread& thread,
                                        const std::vector<PitchClass>& classes,
                                        std::optional<double> plane) {
    const double sharpV = thread.form->pitchFactor() * thread.pitch;
    if (plane) {
        const double height = thread.threadHeight > 0.0 ? thread.threadHeight : sharpV;
        return {std::max(*plane - height, 0.0), *plane + height};
    }
    double emin = classes.front().pitchMin, emax = classes.front().pitchMax;
    for (const PitchClass& c : classes) {
        emin = std::min(emin, c.pitchMin);
        emax = std::max(emax, c.pitchMax);
    }
    const double low = thread.minorDiameter > 0.0 ? thread.minorDiameter : emin - sharpV;
    const double high = thread.majorDiameter > 0.0 ? thread.majorDiameter : emax + sharpV;
    return {std::max(low, 0.0), high};
}

}  // namespace

WireResult measureOverWires(const WireThread& thread, const WireInput& input) {
    const Unit unit = thread.unit;
    if (std::string why = refusalOf(thread, input); !why.empty()) return refused(why, unit);
    const WireForm& form = *thread.form;
    const bool taper = form.kind == FormKind::Taper;
    const double p = thread.pitch;
    const double leadAngle = leadAngleOf(thread);
    if (leadAngle > kLargestLeadAngle) {
        std::string why = "a lead angle of ";
        why += detail::fixedText(leadAngle, 1);
        why += " degrees: the three-wire formulas hold for small lead angles only (up to ";
        why += detail::fixedText(kLargestLeadAngle, 0);
        why += " degrees here)";
        return refused(why, unit);
    }

    WireResult r;
    r.unit = unit;
    r.bestWire = form.bestWire() * p;
    r.smallestWire = form.smallestWire * p;
    r.largestWire = form.largestWire * p;
    WireFormula kind = WireFormula::General;
    if (taper) {
        kind = WireFormula::Taper;
    } else if (input.leadAngle == LeadAngle::Included ||
               (input.leadAngle == LeadAngle::FormDefault && form.leadAngleByDefault)) {
        kind = WireFormula::LeadAngle;
    }
    const Formula formula{form, p, p * thread.starts, input.wire, kind};
    r.formula = kind;
    r.formulaText = formulaText(kind, form);
    r.note = kMeasuringForce;
    if (kind != WireFormula::LeadAngle && leadAngle > kCardLeadAngle) {
        r.note += " The lead angle, ";
        r.note += detail::fixedText(leadAngle, 2);
        r.note += " degrees, is past the 5 degrees the formula cards give their formula for";
        r.note += taper ? "." : ": the lead-angle term is advised.";
    }
    if (taper && input.leadAngle == LeadAngle::Included)
        r.note += " The taper formula has no lead-angle term: the lead angle is neglected.";
    if (form.smallestBasis != Basis::Published || form.largestBasis != Basis::Published) {
        r.note += " Wire range: ";
        r.note += form.wireRangeSource;
        r.note += '.';
    }

    // The limits each class is judged by.
    std::vector<PitchClass> classes = thread.classes;
    if (taper) {
        const double plane = thread.taper->e0 + input.plane * kTaperOnDiameter;
        r.planePitchDiameter = plane;
        PitchClass c;
        c.pitchMax = plane + thread.taper->tolerance;
        c.pitchMin = plane - thread.taper->tolerance;
        classes = {c};
    }

    if (input.reading) {
        const double general = formula.general(*input.reading);
        const auto [low, high] = sensibleRange(thread, classes, r.planePitchDiameter);
        if (!(general > low))
            return refused(senselessReading(general, low, false, taper, unit), unit);
        if (!(general < high))
            return refused(senselessReading(general, high, true, taper, unit), unit);
        const double e = formula.pitchDiameter(*input.reading);
        if (!std::isfinite(e) || !(e > 0.0))
            return refused(senselessReading(e, low, false, taper, unit), unit);
        r.pitchDiameter = e;
        r.leadAngleTerm = e - general;
    }

    for (const PitchClass& c : classes) {
        ClassVerdict& v = r.classes.emplace_back();
        v.cls = c.cls;
        v.side = c.side;
        v.pitchMax = c.pitchMax;
        v.pitchMin = c.pitchMin;
        if (c.side == Side::Internal) {
            v.refusal = kInternalRefusal;
            continue;
        }
        v.wiresMax = formula.reading(c.pitchMax);
        v.wiresMin = formula.reading(c.pitchMin);
        if (!r.pitchDiameter) continue;
        const double e = *r.pitchDiameter;
        v.fromMax = c.pitchMax - e;
        v.fromMin = e - c.pitchMin;
        v.verdict = v.fromMax < 0.0   ? Verdict::AboveMax
                    : v.fromMin < 0.0 ? Verdict::BelowMin
                                      : Verdict::Within;
    }
    return r;
}

double overWireReading(const WireForm& form, double pitch, double wire, double pitchDiameter) {
    const WireFormula kind =
        form.kind == FormKind::Taper ? WireFormula::Taper : WireFormula::General;
    return Formula{form, pitch, pitch, wire, kind}.reading(pitchDiameter);
}

namespace {

bool isExternal(ClassRecord record) {
    return record == ClassRecord::ExtNormal || record == ClassRecord::ExtClose;
}

void lowest(double& into, const Length& value, double scale) {
    if (value && *value > 0.0 && (!(into > 0.0) || *value * scale < into)) into = *value * scale;
}

void highest(double& into, const Length& value, double scale) {
    if (value && *value * scale > into) into = *value * scale;
}

}  // namespace

WireThreadResult wireThreadOf(SeriesId id, const ThreadResults& r,
                              const std::array<std::string, 4>& classNames, Unit unit) {
    WireThreadResult out;
    if (!isValidSeries(id)) {
        out.refusal = "not a series of the catalogue";
        return out;
    }
    const ThreadSeries& s = seriesById(id);
    std::string_view why;
    const WireForm* form = wireFormOf(s.form, &why);
    if (form == nullptr) {
        out.refusal = std::string(why);
        return out;
    }
    if (!positive(r.pitch)) {
        out.refusal = "the size has no pitch";
        return out;
    }
    const double scale = unit == Unit::Millimetre ? kMmPerInch : 1.0;
    WireThread& t = out.thread;
    t.form = form;
    t.unit = unit;
    t.pitch = r.pitch * scale;
    if (form->kind == FormKind::Taper) {
        TaperThread taper;
        if (r.smallEndPitchDiameter && r.gaugeLengthTolerance) {
            // R: the gauge length varies by +/- T1/2, which moves the pitch diameter at any
            // plane T1/2 / 16; the thread reaches at least its useful length.
            taper.e0 = *r.smallEndPitchDiameter * scale;
            taper.tolerance = *r.gaugeLengthTolerance * scale * kTaperOnDiameter;
            taper.turns = r.gaugeLengthToleranceTurns.value_or(1.0);
            if (r.usefulThreadMin) taper.length = *r.usefulThreadMin * scale;
        } else if (r.e0) {
            taper.e0 = *r.e0 * scale;
            taper.tolerance = t.pitch * kTaperOnDiameter;
            taper.turns = 1.0;
            if (r.l4) taper.length = *r.l4 * scale;
        } else {
            out.refusal = "the size has no pitch diameter at the small end";
            return out;
        }
        t.taper = taper;
        if (r.extHeight) t.threadHeight = *r.extHeight * scale;
        return out;
    }
    for (int index = 0; index < 4; ++index) {
        const auto record = static_cast<ClassRecord>(index);
        const Length* max = limitOf(r, record, Limit::PitchMax);
        const Length* min = limitOf(r, record, Limit::PitchMin);
        if (max == nullptr || min == nullptr || !*max || !*min) continue;
        PitchClass c;
        c.cls = {record, classNames[static_cast<std::size_t>(index)]};
        c.side = isExternal(record) ? Side::External : Side::Internal;
        c.pitchMax = **max * scale;
        c.pitchMin = **min * scale;
        t.classes.push_back(c);
    }
    if (t.classes.empty()) {
        out.refusal = "the size has no class with pitch-diameter limits";
        return out;
    }
    for (const ExternalLimits* e : {&r.extNormal, &r.extClose}) {
        highest(t.majorDiameter, e->majorMax, scale);
        lowest(t.minorDiameter, e->minorMin, scale);
        lowest(t.minorDiameter, e->minorRef, scale);
        lowest(t.minorDiameter, e->minorMax, scale);
    }
    for (const InternalLimits* i : {&r.intNormal, &r.intClose}) {
        if (!(t.majorDiameter > 0.0)) highest(t.majorDiameter, i->majorMin, scale);
        lowest(t.minorDiameter, i->minorMin, scale);
    }
    return out;
}

WireThreadResult wireThreadOf(SeriesId id, int row, std::optional<Unit> unit) {
    const std::optional<ThreadResults> r = calculate(Selection{id, row});
    if (!r) {
        WireThreadResult out;
        out.refusal = "no such size in the catalogue";
        return out;
    }
    const bool metric = seriesById(id).pitchUnit == PitchUnit::Millimetres;
    return wireThreadOf(id, *r, {}, unit.value_or(metric ? Unit::Millimetre : Unit::Inch));
}

WireThreadResult wireThreadOfSpecial(const SpecialSizeInput& input, std::optional<Unit> unit) {
    const SpecialCalculation calc = calculateSpecial(input);
    if (!calc.results) {
        WireThreadResult out;
        out.refusal = calc.refusal.empty() ? "the special size has no limits" : calc.refusal;
        return out;
    }
    const bool metric = seriesById(input.series).pitchUnit == PitchUnit::Millimetres;
    return wireThreadOf(input.series, *calc.results, input.classes,
                        unit.value_or(metric ? Unit::Millimetre : Unit::Inch));
}

}  // namespace torveld::measure
