#include "measure_view.h"

#include <algorithm>
#include <cctype>

#include "find_box.h"
#include "thread_measuring.h"
#include "wire_forms.h"

namespace torveld {

namespace {

using measure::Unit;

Unit unitOf(const UnitMode& mode) {
    return mode.isMetric() ? Unit::Millimetre : Unit::Inch;
}

// A length of the calculation (in the unit of display) as the window writes it; a distance
// below zero loses the zero before its point too ("-.0006").
std::string shownLength(double value, const UnitMode& mode, int placesOffset = 0) {
    std::string text = formatLength(value / mode.unitFactor, mode, placesOffset);
    if (text.starts_with("-0.")) text.erase(1, 1);
    return text;
}

// A sentence of the calculation ("a wire of ... is smaller ...") begun with a capital letter and
// ended with a full stop.
std::string sentence(std::string text) {
    if (text.empty()) return text;
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (text.back() != '.') text += '.';
    return text;
}

// Lines joined by line ends, each broken to the window's width.
std::string wrapped(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        if (!text.empty()) text += '\n';
        text += wrapLines(line, kMeasureColumns);
    }
    return text;
}

std::string formulaLine(measure::WireFormula formula) {
    switch (formula) {
        case measure::WireFormula::LeadAngle:
            return "Formula: with the lead-angle term (open: not confirmed from a second source).";
        case measure::WireFormula::Taper:
            return "Formula: the taper formula of the formula cards, at the plane of the wires.";
        case measure::WireFormula::General:
            break;
    }
    return "Formula: the formula cards' general formula, lead angle neglected.";
}

std::string verdictText(measure::Verdict v) {
    switch (v) {
        case measure::Verdict::Within:
            return "WITHIN";
        case measure::Verdict::AboveMax:
            return "ABOVE MAX";
        case measure::Verdict::BelowMin:
            return "BELOW MIN";
        case measure::Verdict::NotJudged:
            break;
    }
    return "";
}

std::string gaugeText(measure::GaugeKind kind) {
    using K = measure::GaugeKind;
    switch (kind) {
        case K::GoThreadPlug:
            return "GO THREAD PLUG";
        case K::NotGoThreadPlug:
            return "NOT GO THREAD PLUG";
        case K::GoThreadRing:
            return "GO THREAD RING";
        case K::NotGoThreadRing:
            return "NOT GO THREAD RING";
        case K::GoPlainPlug:
            return "GO PLAIN PLUG";
        case K::NotGoPlainPlug:
            return "NOT GO PLAIN PLUG";
        case K::GoPlainRing:
            return "GO PLAIN RING";
        case K::NotGoPlainRing:
            break;
    }
    return "NOT GO PLAIN RING";
}

void overWires(MeasureView& v, const ThreadReport& report, const UnitMode& mode,
               const MeasureInputs& in) {
    const Unit unit = unitOf(mode);
    const double scale = mode.unitFactor;
    const measure::WireThreadResult thread = reportWireThread(report, unit);
    std::vector<std::string> lines;
    if (!in.wireError.empty()) lines.push_back(in.wireError);
    if (!thread.ok()) {
        lines.push_back(sentence(thread.refusal));
        v.wireMessage = wrapped(lines);
        return;
    }
    const measure::WireThread& t = thread.thread;
    const measure::WireForm& form = *t.form;
    v.leadAngleOn =
        !v.taper && (in.leadAngle == measure::LeadAngle::Included ||
                     (in.leadAngle == measure::LeadAngle::FormDefault && form.leadAngleByDefault));
    const std::string range = "Wires " + shownLength(form.smallestWire * t.pitch, mode, 1) +
                              " to " + shownLength(form.largestWire * t.pitch, mode, 1) +
                              " fit this pitch; the best is " +
                              shownLength(form.bestWire() * t.pitch, mode, 1) + ".";
    if (!in.wire || (v.taper && !in.plane)) {
        lines.push_back(v.taper ? "Type the wire, the reading over the wires and the distance "
                                  "of the wires from the small end (PLANE), then Return."
                                : "Type the wire and the reading over the wires, then Return.");
        lines.push_back(range);
        v.wireMessage = wrapped(lines);
        return;
    }
    measure::WireInput input;
    input.wire = *in.wire * scale;
    if (in.reading) input.reading = *in.reading * scale;
    if (in.plane) input.plane = *in.plane * scale;
    input.leadAngle = in.leadAngle;
    const measure::WireResult r = measure::measureOverWires(t, input);
    if (!r.ok()) {
        lines.push_back(sentence(r.refusal));
        lines.push_back(range);
        v.wireMessage = wrapped(lines);
        return;
    }
    bool internal = false;
    for (const measure::ClassVerdict& c : r.classes) {
        const std::string name =
            c.cls.name.empty() ? std::string(seriesById(report.identity.series).name) : c.cls.name;
        if (c.side == measure::Side::Internal) {
            internal = true;
            v.wireRows.push_back({name, "", "", "NOT MEASURED", "", ""});
            continue;
        }
        std::vector<std::string> row = {name, shownLength(c.wiresMax, mode),
                                        shownLength(c.wiresMin, mode)};
        if (r.pitchDiameter) {
            row.push_back(verdictText(c.verdict));
            row.push_back(shownLength(c.fromMax, mode, 1));
            row.push_back(shownLength(c.fromMin, mode, 1));
        } else {
            row.insert(row.end(), {"", "", ""});
        }
        v.wireRows.push_back(std::move(row));
    }
    if (r.pitchDiameter) {
        std::string pd = "Pitch diameter " + shownLength(*r.pitchDiameter, mode, 1);
        if (r.planePitchDiameter) {
            pd += " at the plane of the wires, where the basic one is " +
                  shownLength(*r.planePitchDiameter, mode, 1);
        }
        lines.push_back(pd + ".");
    } else {
        lines.push_back("Type the reading over the wires for its pitch diameter and verdict.");
    }
    lines.push_back(formulaLine(r.formula));
    if (internal) {
        lines.push_back("Internal threads are measured with balls or pins, not over wires.");
    }
    lines.push_back(range);
    lines.push_back("No correction for the measuring force is applied.");
    v.wireMessage = wrapped(lines);
}

void gauges(MeasureView& v, const ThreadReport& report, const UnitMode& mode) {
    const measure::GaugeSet g = reportGauges(report, unitOf(mode));
    if (!g.ok()) {
        v.gaugeNote = wrapped({sentence(g.refusal)});
        return;
    }
    for (const measure::ClassGauges& c : g.classes) {
        for (const measure::Gauge& gauge : c.gauges) {
            v.gaugeRows.push_back(
                {c.cls.name, gaugeText(gauge.kind), shownLength(gauge.size, mode)});
        }
    }
    if (g.taper) {
        v.gaugeRows.push_back({"L1", "RING SMALL FACE (E0)", shownLength(g.taper->e0, mode)});
        v.gaugeRows.push_back({"L1", "PLUG NOTCH (E1)", shownLength(g.taper->e1, mode)});
        v.gaugeRows.push_back({"L1", "GAUGE LENGTH (L1)", shownLength(g.taper->l1, mode)});
        v.gaugeRows.push_back({"L1", "NOTCH READING", "FLUSH +/- 1 TURN"});
    }
    v.gaugeNote = wrapped({g.acceptance, g.toleranceNote});
}

std::string trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

MeasureView measureView(const ThreadReport& report, const UnitMode& mode,
                        const MeasureInputs& inputs) {
    MeasureView v;
    v.header = report.identity.sizeDesignation;
    v.header += "      ";
    v.header += mode.isMetric() ? "MILLIMETRES" : "INCHES";
    v.taper = measure::isTaperSeries(report.identity.series);
    overWires(v, report, mode, inputs);
    gauges(v, report, mode);
    return v;
}

IdentifyResult identifyEntered(const MeasureInputs& in, const UnitMode& mode) {
    IdentifyResult result;
    if (!in.diameter || !in.pitch) return result;
    measure::IdentifyInput input;
    input.side = in.side;
    input.unit = unitOf(mode);
    input.diameter = *in.diameter * mode.unitFactor;
    input.pitch = in.pitch->value;
    input.pitchUnit = in.pitch->unit;
    input.taper = in.taper;
    input.flankAngle = in.angle;
    result.identification = measure::identify(input);
    for (const measure::Candidate& c : result.identification->candidates) {
        result.designations.push_back(candidateDesignation(c));
        result.classes.push_back(candidateClass(c));
    }
    return result;
}

std::vector<std::string> candidateEntries(const IdentifyResult& r, const UnitMode& mode) {
    std::vector<std::string> entries;
    if (!r.identification) return entries;
    const measure::Identification& id = *r.identification;
    for (std::size_t i = 0; i < id.candidates.size(); ++i) {
        const measure::Candidate& c = id.candidates[i];
        std::string entry = formatFixed("%d#", static_cast<double>(i + 1));
        entry += "  ";
        entry += r.designations[i].empty() ? std::string("?") : r.designations[i];
        if (!r.classes[i].empty()) entry += "  " + r.classes[i];
        entry += "  ";
        if (c.within) {
            entry += "WITHIN";
        } else {
            entry += shownLength(c.distance, mode, 1);
            entry += c.position == measure::Position::BelowMin ? " UNDER" : " OVER";
        }
        if (c.tied && id.tied > 1) entry += "  TIED";
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string candidateNote(const IdentifyResult& r, const MeasureInputs& in, int index) {
    if (!in.identifyError.empty()) return wrapped({in.identifyError});
    if (!r.identification) {
        return wrapped(
            {"Type the major diameter of an external thread (or the minor diameter of "
             "an internal one) and the pitch (20 tpi, 1.5 mm), then Return."});
    }
    const measure::Identification& id = *r.identification;
    if (!id.ok()) return wrapped({sentence(id.refusal)});
    if (id.candidates.empty()) return wrapped({id.note});
    const std::size_t at =
        static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(id.candidates.size()) - 1));
    std::string note = id.candidates[at].note;
    if (at == 0 && id.tied > 1) {
        note += " The next " + formatFixed("%d#", id.tied - 1) +
                " cannot be told from it by the measurements given: choose one to see what tells "
                "it apart.";
    }
    return wrapped({note});
}

EnteredLength enterLength(std::string_view typed, const UnitMode& mode) {
    EnteredLength out;
    const std::string text = trimmed(typed);
    if (text.empty()) return out;
    const measure::TypedResult number = measure::readTyped(text);
    const measure::TypedValue value = measure::readLength(text, unitOf(mode), Unit::Inch);
    if (!value.ok()) {
        out.error = sentence(value.error);
        return out;
    }
    out.inches = *value.value;
    out.shown = text;
    if (number.number->unit == measure::TypedUnit::None)
        out.shown += mode.isMetric() ? " mm" : " in";
    return out;
}

EnteredPitchText enterPitch(std::string_view typed, const UnitMode& mode) {
    EnteredPitchText out;
    const std::string text = trimmed(typed);
    if (text.empty()) return out;
    const measure::TypedResult number = measure::readTyped(text);
    const measure::TypedPitch pitch = measure::readPitch(
        text, mode.isMetric() ? PitchUnit::Millimetres : PitchUnit::ThreadsPerInch);
    if (!pitch.ok()) {
        out.error = sentence(pitch.error);
        return out;
    }
    out.pitch = EnteredPitch{*pitch.value, pitch.unit};
    out.shown = text;
    if (number.number->unit == measure::TypedUnit::None)
        out.shown += mode.isMetric() ? " mm" : " tpi";
    return out;
}

EnteredAngle enterAngle(std::string_view typed) {
    EnteredAngle out;
    const std::string text = trimmed(typed);
    if (text.empty()) return out;
    const measure::TypedResult number = measure::readTyped(text);
    const measure::TypedValue angle = measure::readAngle(text);
    if (!angle.ok()) {
        out.error = sentence(angle.error);
        return out;
    }
    out.degrees = *angle.value;
    out.shown = text;
    if (number.number->unit == measure::TypedUnit::None) out.shown += " deg";
    return out;
}

}  // namespace torveld
