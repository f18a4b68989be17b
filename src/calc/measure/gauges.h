// Inspection: the nominal sizes of the GO and NOT GO gauges of a size, from its class limits.
//
// Thread gauges check the pitch diameter: the GO thread plug (internal thread) is made to the
// minimum pitch diameter of the internal class with the full form and checks the functional
// size; the NOT GO (HI) thread plug, with a truncated form, to the maximum; the GO thread ring or
// setting plug (external thread) to the maximum pitch diameter of the external class, the NOT GO
// (LO) ring to the minimum. Plain gauges check the crests: a plain plug GO / NOT GO to the
// minimum / maximum internal minor diameter, a plain ring or snap gauge GO / NOT GO to the
// maximum / minimum external major diameter (ASME B1.2 direction of tolerances; ISO 1502).
// Taper pipe threads (NPT, NPTF) are gauged with the L1 ring and plug, read at the notch.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "over_wires.h"
#include "special_size.h"

namespace torveld::measure {

enum class GaugeKind {
    GoThreadPlug,     // internal pitch diameter, minimum
    NotGoThreadPlug,  // internal pitch diameter, maximum
    GoThreadRing,     // external pitch diameter, maximum (ring or setting plug)
    NotGoThreadRing,  // external pitch diameter, minimum
    GoPlainPlug,      // internal minor diameter, minimum
    NotGoPlainPlug,   // internal minor diameter, maximum
    GoPlainRing,      // external major diameter, maximum (plain ring or snap gauge)
    NotGoPlainRing,   // external major diameter, minimum
};

struct Gauge {
    GaugeKind kind;
    double size;  // nominal size, in the unit of the set
};

// The gauges of one class: thread gauges first (GO, NOT GO), then the plain ones; a gauge whose
// limit the class lacks is left out.
struct ClassGauges {
    ClassRef cls;
    Side side = Side::External;
    std::vector<Gauge> gauges;
};

// The gauging standard whose acceptance rule is given.
enum class GaugeStandard {
    AsmeB12,   // ASME B1.2: Unified, UNS and UNJ
    Iso1502,   // ISO 1502: ISO general-purpose metric
    NotGiven,  // the series' gauging standard is not among the sources at hand
    AsmeB1201  // ASME B1.20.1: the L1 gauges of the taper pipe threads
};

// NPT / NPTF: the L1 thread ring and plug gauges. The ring's small face carries the pitch
// diameter E0 (the small end of the external thread), its large face E1 at L1; the plug's notch
// carries E1. The product is accepted when the ring's small face lies flush with the small end
// of the external thread, or the plug's notch flush with the face of the fitting, within
// +- `turns` turns.
struct TaperGauges {
    double e0 = 0;  // pitch diameter at the small end
    double e1 = 0;  // pitch diameter at the gauge plane (L1 from the small end)
    double l1 = 0;  // the hand-tight engagement length, the gauge's thickness
    double turns = 1;
};

struct GaugeSet {
    std::string refusal;  // why there are no gauges; empty when there are
    Unit unit = Unit::Inch;
    std::vector<ClassGauges> classes;  // every class with pitch-diameter limits, record order
    std::optional<TaperGauges> taper;
    GaugeStandard standard = GaugeStandard::NotGiven;
    // The NOT GO (LO) ring may enter no more than this many complete turns (3 under ASME B1.2,
    // 2 under ISO 1502); 0 where the rule is not given.
    int notGoRingTurns = 0;
    std::string acceptance;     // the acceptance rule, one or two sentences
    std::string toleranceNote;  // that the gauge maker's tolerances are not included

    bool ok() const { return refusal.empty(); }
};

// The limits one class's gauges are made to, in the unit of the set; a limit the class lacks
// is empty.
struct GaugedLimits {
    std::optional<double> pitchMax, pitchMin, majorMax, majorMin, minorMin, minorMax;
};

// The gauges of one class from its limits: an external class's GO and NOT GO thread rings (the
// maximum and minimum pitch diameter) and plain rings (the maximum and minimum major diameter),
// an internal class's GO and NOT GO thread plugs (the minimum and maximum pitch diameter) and
// plain plugs (the minimum and maximum minor diameter).
ClassGauges classGaugesOf(const ClassRef& cls, Side side, const GaugedLimits& limits);

// What a set of gauges of series `id` says beside its sizes: the gauging standard, its NOT GO
// rule, the acceptance rule and the sentence on the gauge maker's tolerances; no class and no
// taper gauges. Refused for a series not in the catalogue.
GaugeSet gaugeRulesOf(SeriesId id, Unit unit);

// The gauges of a table row, in `unit` (by default the series' own).
GaugeSet gaugesOf(SeriesId id, int row, std::optional<Unit> unit = std::nullopt);

// The gauges of a special size (its classes named as `input.classes` names them).
GaugeSet gaugesOfSpecial(const SpecialSizeInput& input, std::optional<Unit> unit = std::nullopt);

// The gauges from the results of a size of series `id` (inches), with the class names of each
// record where known (ClassRecord order).
GaugeSet gaugesOf(SeriesId id, const ThreadResults& results,
                  const std::array<std::string, 4>& classNames, Unit unit);

}  // namespace torveld::measure
