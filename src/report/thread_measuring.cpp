#include "thread_measuring.h"

#include <cmath>
#include <optional>

#include "designation.h"
#include "thread_calculator.h"

namespace torveld {

namespace {

constexpr double kMmPerInch = 25.4;

using measure::Side;
using measure::Unit;

double scaleOf(Unit unit) {
    return unit == Unit::Millimetre ? kMmPerInch : 1.0;
}

std::optional<double> scaled(const Length& value, double scale) {
    if (!value) return std::nullopt;
    return *value * scale;
}

Side sideOf(ThreadSide side) {
    return side == ThreadSide::External ? Side::External : Side::Internal;
}

measure::ClassRef refOf(const ReportClass& c) {
    return {c.record, c.name};
}

bool hasPitchLimits(const ReportClass& c) {
    return c.pitchMax && c.pitchMin;
}

// The designation of a candidate, read back from its canonical text for a special size.
std::optional<designation::Designation> designationOf(const measure::Candidate& c) {
    if (!isValidSeries(c.series)) return std::nullopt;
    if (c.row >= 0) {
        if (c.row >= sizeCount(c.series)) return std::nullopt;
        return designation::ofSize(c.series, c.row);
    }
    if (!c.special) return std::nullopt;
    designation::Designation d;
    d.series = c.series;
    d.sizeIndex = -1;
    d.special = designation::SpecialSize{c.special->majorDiameter, c.special->pitch};
    const designation::Designation written = designation::sizeOnly(d);
    const designation::Result back = designation::read(written.canonical.view());
    if (!back) return std::nullopt;
    const designation::Designation& read = back.designation();
    const auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-9 * std::fabs(b); };
    if (read.series != c.series || !read.special ||
        !near(read.special->majorDiameter, d.special->majorDiameter) ||
        !near(read.special->pitch, d.special->pitch)) {
        return std::nullopt;
    }
    return read;
}

}  // namespace

measure::WireThreadResult reportWireThread(const ThreadReport& r, Unit unit) {
    measure::WireThreadResult out;
    if (!r.calculated) {
        out.refusal = "the size has no values to measure against";
        return out;
    }
    std::array<std::string, 4> names;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::string(r.records[i].name);
    out = measure::wireThreadOf(r.identity.series, r.values, names, unit);
    if (!out.ok() || out.thread.taper) return out;
    // The classes the report holds, as it names them: the usual ones, or those a designation
    // names (computed by the standard's formulas where the window does not show them).
    const double scale = scaleOf(unit);
    std::vector<measure::PitchClass> classes;
    for (const ReportClass& c : r.classes) {
        if (!hasPitchLimits(c)) continue;
        measure::PitchClass p;
        p.cls = refOf(c);
        p.side = sideOf(c.side);
        p.pitchMax = *c.pitchMax * scale;
        p.pitchMin = *c.pitchMin * scale;
        classes.push_back(std::move(p));
    }
    if (classes.empty()) {
        out.refusal = "the size has no class with pitch-diameter limits";
        return out;
    }
    out.thread.classes = std::move(classes);
    return out;
}

measure::WireResult reportOverWires(const ThreadReport& r, const measure::WireInput& input,
                                    Unit unit) {
    const measure::WireThreadResult thread = reportWireThread(r, unit);
    if (!thread.ok()) {
        measure::WireResult refused;
        refused.unit = unit;
        refused.refusal = thread.refusal;
        return refused;
    }
    return measure::measureOverWires(thread.thread, input);
}

measure::GaugeSet reportGauges(const ThreadReport& r, Unit unit) {
    const SeriesId series = r.identity.series;
    measure::GaugeSet g = measure::gaugeRulesOf(series, unit);
    if (!g.ok()) return g;
    if (!r.calculated) {
        g.refusal = "the size has no values to gauge";
        return g;
    }
    if (seriesById(series).form == ThreadForm::TaperPipe)
        return measure::gaugesOf(series, r.values, {}, unit);
    const double scale = scaleOf(unit);
    for (const ReportClass& c : r.classes) {
        if (!hasPitchLimits(c)) continue;
        measure::GaugedLimits limits;
        limits.pitchMax = scaled(c.pitchMax, scale);
        limits.pitchMin = scaled(c.pitchMin, scale);
        if (c.side == ThreadSide::External) {
            limits.majorMax = scaled(c.majorMax, scale);
            limits.majorMin = scaled(c.majorMin, scale);
        } else {
            limits.minorMin = scaled(c.minorMin, scale);
            limits.minorMax = scaled(c.minorMax, scale);
        }
        g.classes.push_back(measure::classGaugesOf(refOf(c), sideOf(c.side), limits));
    }
    if (g.classes.empty()) g.refusal = "the size has no class with pitch-diameter limits";
    return g;
}

std::string candidateDesignation(const measure::Candidate& c) {
    const std::optional<designation::Designation> d = designationOf(c);
    return d ? std::string(d->canonical.view()) : std::string();
}

std::string candidateSize(const measure::Candidate& c) {
    const std::optional<designation::Designation> d = designationOf(c);
    if (!d) return {};
    const designation::SizeTexts texts = designation::sizeTexts(*d);
    std::string size(texts.size.view());
    size += " - ";
    size += texts.pitch.view();
    return size;
}

std::string candidateClass(const measure::Candidate& c) {
    if (!c.cls.name.empty()) return c.cls.name;
    if (!c.cls.record || !isValidSeries(c.series) || c.row < 0) return {};
    const std::optional<ThreadResults> values = calculate(Selection{c.series, c.row});
    if (!values) return {};
    const RecordClasses records = recordClasses(c.series, *values);
    return std::string(records[static_cast<std::size_t>(*c.cls.record)].name);
}

}  // namespace torveld
