#include "special_size.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "limits_of_size.h"
#include "profile_constants.h"

namespace torveld {

namespace {

// Millimetre values become inches as the size tables' are read (series.cpp).
constexpr double kMmPerInch = 25.4;

// Which limits the tables of a series give each record, and so which the engine's limits fill:
// the Unified, UNS and ISO tables give the external minor only as a reference value and no
// internal major maximum; UNJ gives the external minor limits; Acme gives both.
struct RecordFields {
    bool externalMinorLimits;
    bool internalMajorMax;
};

RecordFields fieldsOf(SeriesFamily family) {
    switch (family) {
        case SeriesFamily::UNJ:
            return {true, false};
        case SeriesFamily::Acme:
            return {true, true};
        case SeriesFamily::Trapezoidal:
            return {true, false};
        default:
            return {false, false};
    }
}

bool isExternal(ClassRecord record) {
    return record == ClassRecord::ExtNormal || record == ClassRecord::ExtClose;
}

// A limit of the engine in inches: metric limits are millimetres.
Length inches(const std::optional<special::Limit>& limit, special::Unit unit) {
    if (!limit) return std::nullopt;
    const double value = limit->value();
    return unit == special::Unit::Millimetre ? value / kMmPerInch : value;
}

const special::ClassLimits* classOf(const special::Result& result, std::string_view name,
                                    special::Side side) {
    for (const special::ClassLimits& c : result.classes) {
        if (c.name == name && c.side == side) return &c;
    }
    return nullptr;
}

void fill(ThreadResults& r, ClassRecord record, const special::ClassLimits& c, special::Unit unit,
          RecordFields fields) {
    if (isExternal(record)) {
        ExternalLimits& e = record == ClassRecord::ExtNormal ? r.extNormal : r.extClose;
        e.majorMax = inches(c.majorMax, unit);
        e.majorMin = inches(c.majorMin, unit);
        e.pitchMax = inches(c.pitchMax, unit);
        e.pitchMin = inches(c.pitchMin, unit);
        if (fields.externalMinorLimits) {
            e.minorMax = inches(c.minorMax, unit);
            e.minorMin = inches(c.minorMin, unit);
        } else {
            e.minorRef = inches(c.minorRef, unit);
        }
        return;
    }
    InternalLimits& i = record == ClassRecord::IntNormal ? r.intNormal : r.intClose;
    i.minorMin = inches(c.minorMin, unit);
    i.minorMax = inches(c.minorMax, unit);
    i.pitchMin = inches(c.pitchMin, unit);
    i.pitchMax = inches(c.pitchMax, unit);
    i.majorMin = inches(c.majorMin, unit);
    if (fields.internalMajorMax) i.majorMax = inches(c.majorMax, unit);
}

std::string sideText(special::Side side) {
    return side == special::Side::External ? "external" : "internal";
}

}  // namespace

std::optional<special::Series> specialSeriesOf(SeriesId id) {
    switch (id) {
        case series::UNS:
            return special::Series::UNS;
        case series::UN:
            return special::Series::UN;
        case series::UNJ:
            return special::Series::UNJS;
        case series::ISO_FINE:
            return special::Series::Metric;
        case series::ACME:
            return special::Series::Acme;
        case series::STUB_ACME:
            return special::Series::StubAcme;
        case series::TR:
            return special::Series::Trapezoidal;
        default:
            return std::nullopt;
    }
}

SpecialCalculation calculateSpecial(const SpecialSizeInput& input) {
    SpecialCalculation out;
    const std::optional<special::Series> engineSeries = specialSeriesOf(input.series);
    if (!engineSeries) {
        out.refusal =
            "special sizes are computed in UNS, UN, UNJ, ISO FINE, ACME, STUB ACME and Tr";
        return out;
    }
    // Each class once: Acme names one class for both sides.
    std::vector<std::string_view> names;
    for (const std::string& name : input.classes) {
        if (name.empty()) continue;
        bool seen = false;
        for (std::string_view n : names) seen = seen || n == name;
        if (!seen) names.push_back(name);
    }
    if (names.empty()) {
        out.refusal = "no class of fit to compute";
        return out;
    }
    special::SpecialThread thread{*engineSeries, input.majorDiameter, input.pitch};
    thread.starts = input.starts;
    out.limits = special::calculate(thread, names);
    if (!out.limits.ok()) {
        out.refusal = out.limits.refusal;
        return out;
    }

    const ThreadSeries& s = seriesById(input.series);
    ThreadResults r;
    const bool metric = s.pitchUnit == PitchUnit::Millimetres;
    r.pitch = metric ? input.pitch / kMmPerInch : 1.0 / input.pitch;
    if (!std::isfinite(r.pitch) || r.pitch <= 0.0) {
        out.refusal = "the pitch must be a positive number";
        return out;
    }
    applyProfile(s.form, r);

    const RecordFields fields = fieldsOf(s.family);
    bool any = false;
    for (int index = 0; index < 4; ++index) {
        const std::string& name = input.classes[static_cast<std::size_t>(index)];
        if (name.empty()) continue;
        const auto record = static_cast<ClassRecord>(index);
        const special::Side side =
            isExternal(record) ? special::Side::External : special::Side::Internal;
        const special::ClassLimits* c = classOf(out.limits, name, side);
        if (c == nullptr) continue;
        if (!c->ok()) {
            if (out.refusal.empty()) {
                out.refusal = "class ";
                out.refusal += name;
                out.refusal += " (";
                out.refusal += sideText(side);
                out.refusal += "): ";
                out.refusal += c->refusal;
            }
            continue;
        }
        fill(r, record, *c, out.limits.unit, fields);
        any = true;
    }
    if (!any) return out;
    out.refusal.clear();
    limits_of_size::completeLimits(input.series, r);
    limits_of_size::applyOverWires(r);
    out.results = r;
    return out;
}

}  // namespace torveld
