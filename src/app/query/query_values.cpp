#include "query_values.h"

#include <charconv>

#include "measure_keys.h"
#include "number_format.h"

namespace torveld::query {

namespace {

// A number written without the locale, at most `places` decimals, no trailing zeros: "20",
// "11.5".
std::string plainNumber(double value, int places) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    if (ec != std::errc()) return {};
    std::string text(buffer, end);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

double numberOf(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

class Values {
  public:
    explicit Values(const Answer& a) : a_(a) { values_.reserve(96); }

    void length(std::initializer_list<std::string_view> path, const Length& inches,
                int placesOffset = 0) {
        if (inches) add(path, AnswerValue::Kind::Number).number = a_.length(*inches, placesOffset);
    }
    // A number that is not a length (threads per inch, a count of threads), with its text.
    void plain(std::initializer_list<std::string_view> path, std::string text) {
        AnswerValue& v = add(path, AnswerValue::Kind::Number);
        v.number.value = numberOf(text);
        v.number.text = std::move(text);
    }
    void text(std::initializer_list<std::string_view> path, std::string text) {
        add(path, AnswerValue::Kind::Text).text = std::move(text);
    }
    void flag(std::initializer_list<std::string_view> path, bool value) {
        add(path, AnswerValue::Kind::Bool).flag = value;
    }
    void mark(std::initializer_list<std::string_view> path, AnswerValue::Kind kind) {
        add(path, kind);
    }
    std::vector<AnswerValue> take() { return std::move(values_); }

  private:
    AnswerValue& add(std::initializer_list<std::string_view> path, AnswerValue::Kind kind) {
        AnswerValue& v = values_.emplace_back();
        for (std::string_view key : path) v.path[v.depth++] = key;
        v.kind = kind;
        return v;
    }

    const Answer& a_;
    std::vector<AnswerValue> values_;
};

// The taper pipe lengths and the keys of their thread counts.
struct PipeLengthKeys {
    std::string_view length, threads;
    const std::optional<PipeLength> ReportPipe::*value;
};
constexpr PipeLengthKeys kPipeLengths[] = {
    {"L1", "L1Threads", &ReportPipe::l1},
    {"L2", "L2Threads", &ReportPipe::l2},
    {"L3", "L3Threads", &ReportPipe::l3},
    {"L4", "L4Threads", &ReportPipe::l4},
};

// The JSON keys of the gauges of one class: the GO and NOT GO thread gauges (ring or setting plug
// of an external class, plug of an internal one) and the plain gauges.
std::string_view gaugeKey(measure::GaugeKind kind) {
    using K = measure::GaugeKind;
    switch (kind) {
        case K::GoThreadPlug:
        case K::GoThreadRing:
            return "goThread";
        case K::NotGoThreadPlug:
        case K::NotGoThreadRing:
            return "notGoThread";
        case K::GoPlainPlug:
        case K::GoPlainRing:
            return "goPlain";
        case K::NotGoPlainPlug:
        case K::NotGoPlainRing:
            break;
    }
    return "notGoPlain";
}

// The measurement over wires: the wire, the formula, each external class's over-wire limits,
// and with a reading the pitch diameter and each class's verdict; then what the contract's first
// keys do not say (the formula's key, the lead-angle term, a taper thread's plane, the internal
// classes not measured, the note). The numbers in the answer's unit, as the window rounds them:
// the wire, the pitch diameter and the distances with one place more.
void measurementValues(Values& x, const Answer& a, double toInches) {
    if (!a.measurement) return;
    const Measurement& m = *a.measurement;
    const measure::WireResult& r = m.result;
    const auto name = [&](const measure::ClassVerdict& v) -> std::string_view {
        return v.cls.name.empty() ? std::string_view(m.taperKey) : std::string_view(v.cls.name);
    };
    const auto external = [](const measure::ClassVerdict& v) {
        return v.side == measure::Side::External;
    };
    x.length({"measurement", "wire"}, m.wire * toInches, +1);
    x.text({"measurement", "formula"}, r.formulaText);
    for (const measure::ClassVerdict& v : r.classes) {
        if (!external(v)) continue;
        x.length({"measurement", "overWires", name(v), "max"}, v.wiresMax * toInches);
        x.length({"measurement", "overWires", name(v), "min"}, v.wiresMin * toInches);
    }
    if (r.pitchDiameter) {
        x.length({"measurement", "pitchDiameter"}, *r.pitchDiameter * toInches, +1);
        for (const measure::ClassVerdict& v : r.classes) {
            if (!external(v)) continue;
            x.flag({"measurement", "verdict", name(v), "within"},
                   v.verdict == measure::Verdict::Within);
            x.length({"measurement", "verdict", name(v), "fromMax"}, v.fromMax * toInches, +1);
            x.length({"measurement", "verdict", name(v), "fromMin"}, v.fromMin * toInches, +1);
        }
    }
    x.text({"measurement", "formulaKey"}, std::string(measure::keyOf(r.formula)));
    if (r.pitchDiameter && r.formula == measure::WireFormula::LeadAngle)
        x.length({"measurement", "leadAngleTerm"}, r.leadAngleTerm * toInches, +2);
    if (m.plane) {
        x.length({"measurement", "plane"}, *m.plane * toInches);
        if (r.planePitchDiameter) {
            x.length({"measurement", "planePitchDiameter"}, *r.planePitchDiameter * toInches, +1);
        }
    }
    for (const measure::ClassVerdict& v : r.classes) {
        if (!external(v)) x.text({"measurement", "notMeasured", name(v)}, v.refusal);
    }
    x.text({"measurement", "note"}, r.note);
}

// The gauges of each class, then the rules of their standard; a taper pipe thread's L1 gauges.
void gaugeValues(Values& x, const Answer& a, double toInches) {
    const measure::GaugeSet& g = a.gauges.set;
    if (!g.ok()) return;
    for (std::size_t i = 0; i < g.classes.size(); ++i) {
        for (const measure::Gauge& gauge : g.classes[i].gauges) {
            x.length({"gauges", a.gauges.keys[i], gaugeKey(gauge.kind)}, gauge.size * toInches);
        }
    }
    x.text({"gauging", "standard"}, std::string(measure::keyOf(g.standard)));
    if (g.notGoRingTurns > 0) {
        x.plain({"gauging", "notGoRingTurns"}, plainNumber(g.notGoRingTurns, 0));
    }
    if (g.taper) {
        x.length({"gauging", "L1", "E0"}, g.taper->e0 * toInches);
        x.length({"gauging", "L1", "E1"}, g.taper->e1 * toInches);
        x.length({"gauging", "L1", "length"}, g.taper->l1 * toInches);
        x.plain({"gauging", "L1", "turns"}, plainNumber(g.taper->turns, 2));
    }
    if (!a.statements) return;
    x.text({"gauging", "acceptance"}, g.acceptance);
    x.text({"gauging", "tolerances"}, g.toleranceNote);
}

}  // namespace

std::string noteText(const ReportNote& note, const ThreadReport& r) {
    switch (note.kind) {
        case ReportNote::Kind::ComputedByFormulas: {
            std::string text = "special size: the values are computed by the formulas of ";
            text += r.identity.standard;
            text += ", not taken from the standard's tables";
            return text;
        }
        case ReportNote::Kind::ClassWithoutLimits:
            return note.text + ": no limits computed";
        case ReportNote::Kind::MultiStart:
            return "multi-start: " + note.text + "; " + note.reason;
        case ReportNote::Kind::Reading:
            break;
    }
    return note.text;
}

std::vector<AnswerValue> valuesOf(const Answer& a) {
    using Kind = AnswerValue::Kind;
    const ThreadReport& r = a.report;
    Values x(a);
    const ReportProfile p = r.profile();
    if (r.calculated) x.length({"pitch"}, p.pitch);
    if (p.threadsPerInch) {
        x.plain({"tpi"}, plainNumber(*p.threadsPerInch, 6));
    } else {
        x.mark({"tpi"}, Kind::Null);
    }
    x.length({"profile", "externalHeight"}, p.externalHeight);
    x.length({"profile", "externalFlat"}, p.externalFlat);
    x.length({"profile", "internalHeight"}, p.internalHeight);
    x.length({"profile", "internalFlat"}, p.internalFlat);
    x.length({"profile", "crestRadius"}, p.crestRadius);
    x.length({"profile", "rootRadius"}, p.rootRadius);
    x.length({"profile", "rootRadiusMax"}, p.rootRadiusMax);
    x.length({"profile", "rootRadiusMin"}, p.rootRadiusMin);
    // The window shows the countersink with one place fewer, the wire values with one more.
    x.length({"profile", "countersinkMin"}, p.countersinkMin, -1);
    x.length({"profile", "countersinkMax"}, p.countersinkMax, -1);
    x.length({"profile", "crestClearance"}, p.crestClearance);
    x.length({"profile", "lead"}, p.lead);
    if (p.starts) x.plain({"profile", "starts"}, std::to_string(*p.starts));

    const ReportWires w = r.wires();
    x.length({"wires", "bestWire"}, w.bestWire, +1);
    x.length({"wires", "constant"}, w.constant, +1);
    for (const ReportClass& c : r.classes) {
        if (c.side != ThreadSide::External) continue;
        x.length({"wires", "overWires", c.name, "max"}, c.wiresMax);
        x.length({"wires", "overWires", c.name, "min"}, c.wiresMin);
    }

    const ReportTapDrill& t = r.tapDrill;
    if (r.calculated) {
        if (t.basicMajor) x.mark({"tapDrill", "engagement"}, Kind::Engagement);
        x.text({"tapDrill", "guide", "drill"}, std::string(t.drillName()));
        if (const Length d = t.drillDiameter()) {
            // As the drill chart shows it in the answer's unit.
            const std::string shown = drillDiameterText(
                *d, a.unit == DisplayUnit::Metric ? DrillTextMode::Metric : DrillTextMode::StartUp);
            const std::size_t first = shown.find_first_not_of(' ');
            x.plain({"tapDrill", "guide", "diameter"},
                    first == std::string::npos ? std::string() : shown.substr(first));
        }
        x.length({"tapDrill", "target", "diameter"}, t.target);
        if (t.target) x.text({"tapDrill", "target", "name"}, t.targetName);
    }

    if (const std::optional<ReportPipe> pipe = r.pipe(); pipe && r.calculated) {
        x.length({"pipe", "E0"}, pipe->e0);
        x.length({"pipe", "E1"}, pipe->e1);
        x.length({"pipe", "K0"}, pipe->k0);
        for (const PipeLengthKeys& k : kPipeLengths) {
            const std::optional<PipeLength>& length = (*pipe).*k.value;
            if (!length) continue;
            x.length({"pipe", k.length}, length->length);
            // The window writes the thread count to two places.
            x.plain({"pipe", k.threads}, formatFixed("%d#.##", length->threads));
        }
        x.length({"pipe", "pipeDiameter"}, pipe->pipeDiameter);
        x.length({"pipe", "majorAtPipeEnd"}, pipe->majorAtPipeEnd);
        x.length({"pipe", "minorAtFace"}, pipe->minorAtFace);
        x.length({"pipe", "tapDepth"}, pipe->tapDepth);
        x.length({"pipe", "shoulderLength"}, pipe->shoulderLength);
        x.length({"pipe", "externalCrestFlatMax"}, pipe->externalCrestFlatMax);
        x.length({"pipe", "externalCrestFlatMin"}, pipe->externalCrestFlatMin);
        x.length({"pipe", "internalCrestFlatMax"}, pipe->internalCrestFlatMax);
        x.length({"pipe", "internalCrestFlatMin"}, pipe->internalCrestFlatMin);
    }
    if (const std::optional<ReportBritishTaper> t = r.britishTaper(); t && r.calculated) {
        x.length({"pipe", "gaugeDiameter"}, t->gaugeDiameter);
        x.length({"pipe", "gaugePitchDiameter"}, t->gaugePitchDiameter);
        x.length({"pipe", "gaugeMinorDiameter"}, t->gaugeMinorDiameter);
        x.length({"pipe", "pitchDiameterAtPipeEnd"}, t->smallEndPitchDiameter);
        x.length({"pipe", "gaugeLength"}, t->gaugeLength);
        x.length({"pipe", "gaugeLengthTolerance"}, t->gaugeLengthTolerance);
        x.plain({"pipe", "gaugeLengthToleranceTurns"},
                formatFixed("%d#.##", t->gaugeLengthToleranceTurns));
        x.length({"pipe", "gaugeLengthMax"}, t->gaugeLengthMax);
        x.length({"pipe", "gaugeLengthMin"}, t->gaugeLengthMin);
        x.length({"pipe", "gaugePlaneTolerance"}, t->gaugePlaneTolerance);
        x.plain({"pipe", "gaugePlaneToleranceTurns"},
                formatFixed("%d#.##", t->gaugePlaneToleranceTurns));
        x.length({"pipe", "rpDiameterTolerance"}, t->rpDiameterTolerance);
        x.length({"pipe", "usefulThreadMin"}, t->usefulThreadMin);
        x.length({"pipe", "usefulThreadMinAtMaxGauge"}, t->usefulThreadMinAtMaxGauge);
        x.length({"pipe", "usefulThreadMinAtMinGauge"}, t->usefulThreadMinAtMinGauge);
        x.length({"pipe", "fittingAllowance"}, t->fittingAllowance);
        x.plain({"pipe", "fittingAllowanceTurns"}, formatFixed("%d#.##", t->fittingAllowanceTurns));
    }
    x.mark({"notes"}, Kind::Notes);
    const double toInches = a.unit == DisplayUnit::Metric ? 1.0 / mmPerInch : 1.0;
    measurementValues(x, a, toInches);
    gaugeValues(x, a, toInches);
    return x.take();
}

}  // namespace torveld::query
