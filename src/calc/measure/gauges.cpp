#include "gauges.h"

#include "thread_calculator.h"

namespace torveld::measure {

namespace {

constexpr double kMmPerInch = 25.4;

struct Standard {
    GaugeStandard standard;
    int notGoRingTurns;
};

// Which gauging standard's acceptance rule applies to a family. The Unified system's gauges are
// those of ASME B1.2 (UNJ is gauged with them too); ISO metric threads those of ISO 1502. The
// gauging rules of the other threads (straight pipe, Acme, UNM, British, the British pipe
// threads, trapezoidal) are not among the sources at hand.
Standard standardOf(SeriesFamily family) {
    switch (family) {
        case SeriesFamily::Unified:
        case SeriesFamily::UNS:
        case SeriesFamily::UNJ:
            return {GaugeStandard::AsmeB12, 3};
        case SeriesFamily::IsoMetric:
            return {GaugeStandard::Iso1502, 2};
        case SeriesFamily::TaperPipe:
            return {GaugeStandard::AsmeB1201, 0};
        case SeriesFamily::StraightPipe:
        case SeriesFamily::Acme:
        case SeriesFamily::UNM:
        case SeriesFamily::Whitworth:
        case SeriesFamily::BA:
        case SeriesFamily::ThreadInsert:
        case SeriesFamily::BritishPipe:
        case SeriesFamily::BritishTaper:
        case SeriesFamily::Trapezoidal:
            break;
    }
    return {GaugeStandard::NotGiven, 0};
}

constexpr const char* kToleranceNote =
    "Nominal sizes only: the gauge maker's tolerances (ASME B1.2 X and W tolerances, ISO 1502 T "
    "and Z values) lie inside these sizes, within the product tolerance (plugs plus on GO and "
    "minus on NOT GO, rings the reverse), and are not included.";

std::string acceptanceOf(GaugeStandard standard) {
    switch (standard) {
        case GaugeStandard::AsmeB12:
            return "The GO gauges must enter or pass over the full thread freely; the NOT GO (LO) "
                   "thread ring may enter no more than three complete turns (ASME B1.2).";
        case GaugeStandard::Iso1502:
            return "The GO gauges must enter or pass over the full thread freely; the NOT GO "
                   "thread ring may enter no more than two turns (ISO 1502).";
        case GaugeStandard::AsmeB1201:
            return "The L1 ring is screwed hand-tight onto the external thread, the L1 plug into "
                   "the internal thread; the thread is accepted when the small end of the "
                   "external thread lies flush with the ring's small face, or the face of the "
                   "fitting flush with the plug's notch, within one turn either way (ASME "
                   "B1.20.1).";
        case GaugeStandard::NotGiven:
            break;
    }
    return "The gauging standard of this series and its NOT GO rule are not among the sources "
           "at hand: the sizes below are the class limits the gauges are made to.";
}

bool isExternal(ClassRecord record) {
    return record == ClassRecord::ExtNormal || record == ClassRecord::ExtClose;
}

void add(std::vector<Gauge>& gauges, GaugeKind kind, const std::optional<double>& value) {
    if (value) gauges.push_back({kind, *value});
}

std::optional<double> scaled(const Length* value, double scale) {
    if (value == nullptr || !*value) return std::nullopt;
    return **value * scale;
}

GaugeSet refusedSet(std::string why) {
    GaugeSet g;
    g.refusal = std::move(why);
    return g;
}

Unit ownUnit(SeriesId id) {
    return seriesById(id).pitchUnit == PitchUnit::Millimetres ? Unit::Millimetre : Unit::Inch;
}

}  // namespace

ClassGauges classGaugesOf(const ClassRef& cls, Side side, const GaugedLimits& l) {
    ClassGauges c;
    c.cls = cls;
    c.side = side;
    c.gauges.reserve(4);
    if (side == Side::External) {
        add(c.gauges, GaugeKind::GoThreadRing, l.pitchMax);
        add(c.gauges, GaugeKind::NotGoThreadRing, l.pitchMin);
        add(c.gauges, GaugeKind::GoPlainRing, l.majorMax);
        add(c.gauges, GaugeKind::NotGoPlainRing, l.majorMin);
    } else {
        add(c.gauges, GaugeKind::GoThreadPlug, l.pitchMin);
        add(c.gauges, GaugeKind::NotGoThreadPlug, l.pitchMax);
        add(c.gauges, GaugeKind::GoPlainPlug, l.minorMin);
        add(c.gauges, GaugeKind::NotGoPlainPlug, l.minorMax);
    }
    return c;
}

GaugeSet gaugeRulesOf(SeriesId id, Unit unit) {
    if (!isValidSeries(id)) return refusedSet("not a series of the catalogue");
    GaugeSet g;
    g.unit = unit;
    const Standard standard = standardOf(seriesById(id).family);
    g.standard = standard.standard;
    g.notGoRingTurns = standard.notGoRingTurns;
    g.acceptance = acceptanceOf(standard.standard);
    g.toleranceNote = kToleranceNote;
    return g;
}

GaugeSet gaugesOf(SeriesId id, const ThreadResults& r, const std::array<std::string, 4>& classNames,
                  Unit unit) {
    GaugeSet g = gaugeRulesOf(id, unit);
    if (!g.ok()) return g;
    const double scale = unit == Unit::Millimetre ? kMmPerInch : 1.0;
    if (seriesById(id).form == ThreadForm::TaperPipe) {
        if (!r.e0 || !r.e1 || !r.l1) return refusedSet("the size has no L1 gauge dimensions");
        g.taper = TaperGauges{*r.e0 * scale, *r.e1 * scale, *r.l1 * scale, 1.0};
        return g;
    }
    using L = Limit;
    for (int index = 0; index < 4; ++index) {
        const auto record = static_cast<ClassRecord>(index);
        const Length* pitchMax = limitOf(r, record, L::PitchMax);
        const Length* pitchMin = limitOf(r, record, L::PitchMin);
        if (pitchMax == nullptr || pitchMin == nullptr || !*pitchMax || !*pitchMin) continue;
        const bool external = isExternal(record);
        GaugedLimits limits;
        limits.pitchMax = scaled(pitchMax, scale);
        limits.pitchMin = scaled(pitchMin, scale);
        if (external) {
            limits.majorMax = scaled(limitOf(r, record, L::MajorMax), scale);
            limits.majorMin = scaled(limitOf(r, record, L::MajorMin), scale);
        } else {
            limits.minorMin = scaled(limitOf(r, record, L::MinorMin), scale);
            limits.minorMax = scaled(limitOf(r, record, L::MinorMax), scale);
        }
        g.classes.push_back(classGaugesOf({record, classNames[static_cast<std::size_t>(index)]},
                                          external ? Side::External : Side::Internal, limits));
    }
    if (g.classes.empty()) return refusedSet("the size has no class with pitch-diameter limits");
    return g;
}

GaugeSet gaugesOf(SeriesId id, int row, std::optional<Unit> unit) {
    const std::optional<ThreadResults> r = calculate(Selection{id, row});
    if (!r) return refusedSet("no such size in the catalogue");
    return gaugesOf(id, *r, {}, unit.value_or(ownUnit(id)));
}

GaugeSet gaugesOfSpecial(const SpecialSizeInput& input, std::optional<Unit> unit) {
    const SpecialCalculation calc = calculateSpecial(input);
    if (!calc.results)
        return refusedSet(calc.refusal.empty() ? "the special size has no limits" : calc.refusal);
    return gaugesOf(input.series, *calc.results, input.classes,
                    unit.value_or(ownUnit(input.series)));
}

}  // namespace torveld::measure
