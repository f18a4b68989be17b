#include "identify_records.h"

#include <algorithm>
#include <cmath>

#include "profile_constants.h"
#include "special_size.h"
#include "thread_calculator.h"

namespace torveld::measure::detail {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kTaperOnDiameter = 1.0 / 16.0;
// Two sizes of one form and pitch are one size when their basic pitch diameters agree so far.
constexpr double kSameSizeInch = 1e-4;

bool isGraded(SeriesId id) {
    return id == series::UNC || id == series::UNF || id == series::UNEF;
}

// A caliper class from the limits of the diameter a caliper reads: the major of an external
// record, the minor of an internal one. `fixed` is the limit every such class has (the major
// maximum, the minor minimum), `other` the one a series may lack; without it the pitch-diameter
// tolerance stands in, below the maximum (`toward` -1) or above the minimum (+1).
std::optional<CaliperClass> caliperClass(Length fixed, Length other, double toward, Length pitchMax,
                                         Length pitchMin, ClassRecord record,
                                         const std::string& name) {
    if (!fixed) return std::nullopt;
    CaliperClass c;
    c.cls = {record, name};
    const bool pitchLimits = pitchMax && pitchMin;
    if (pitchLimits) {
        c.pitchMax = *pitchMax;
        c.pitchMin = *pitchMin;
    }
    if (other) {
        c.tolerance = toward * (*other - *fixed);
    } else if (pitchLimits) {
        c.tolerance = c.pitchMax - c.pitchMin;
        c.basis = ToleranceBasis::PitchDiameter;
    } else {
        return std::nullopt;
    }
    if (!(c.tolerance > 0.0)) return std::nullopt;
    if (toward < 0) {
        c.max = *fixed;
        c.min = other ? *other : *fixed - c.tolerance;
    } else {
        c.min = *fixed;
        c.max = other ? *other : *fixed + c.tolerance;
    }
    return c;
}

std::optional<CaliperClass> externalClass(const ExternalLimits& e, ClassRecord record,
                                          const std::string& name) {
    return caliperClass(e.majorMax, e.majorMin, -1.0, e.pitchMax, e.pitchMin, record, name);
}

std::optional<CaliperClass> internalClass(const InternalLimits& i, ClassRecord record,
                                          const std::string& name) {
    return caliperClass(i.minorMin, i.minorMax, 1.0, i.pitchMax, i.pitchMin, record, name);
}

// The special series' classes by record (ExtNormal, ExtClose, IntNormal, IntClose), as the
// tables of their series hold them: Unified 2A 3A 2B 3B, UNJ 3A 3B, ISO 6g 4h 6H 5H, Acme 2G and
// 4G on both sides, Stub Acme 2G.
std::array<std::string, 4> specialClasses(special::Series s) {
    switch (s) {
        case special::Series::UNS:
        case special::Series::UN:
            return {"2A", "3A", "2B", "3B"};
        case special::Series::UNJ:
        case special::Series::UNJS:
            return {"", "3A", "", "3B"};
        case special::Series::Metric:
            return {"6g", "4h", "6H", "5H"};
        case special::Series::Acme:
            return {"2G", "4G", "2G", "4G"};
        case special::Series::StubAcme:
            return {"2G", "", "2G", ""};
        default:
            return {};
    }
}

// ISO 965-1's pitches, mm.
constexpr double kMetricPitches[] = {0.2,  0.25, 0.3, 0.35, 0.4, 0.45, 0.5, 0.6, 0.7,
                                     0.75, 0.8,  1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0,
                                     3.5,  4.0,  4.5, 5.0,  5.5, 6.0,  8.0};

bool pitchMatches(double candidateInches, double measuredInches) {
    return std::fabs(candidateInches - measuredInches) <= kPitchMatch * measuredInches;
}

// The standard pitches of a series near the measured one, in the series' units.
std::vector<double> nearPitches(bool metric, double measuredInches) {
    std::vector<double> pitches;
    if (metric) {
        for (const double p : kMetricPitches)
            if (pitchMatches(p / kMmPerInch, measuredInches)) pitches.push_back(p);
        return pitches;
    }
    const double tpi = 1.0 / measuredInches;
    for (const double t : {std::round(tpi), std::round(2.0 * tpi) / 2.0}) {
        if (t > 0.0 && pitchMatches(1.0 / t, measuredInches) &&
            std::find(pitches.begin(), pitches.end(), t) == pitches.end())
            pitches.push_back(t);
    }
    return pitches;
}

// The nominal grid values just at or below and just above `d` (series' units).
std::vector<double> bracket(bool metric, double d) {
    std::vector<double> grid;
    if (metric) {
        for (int k = 2; k < 20; ++k) grid.push_back(0.5 * k);
        for (int k = 10; k <= 355; ++k) grid.push_back(k);
    } else {
        for (int n = 0; n <= 12; ++n) grid.push_back(0.060 + 0.013 * n);
        for (int k = 4; k <= 96; ++k) grid.push_back(k / 16.0);
    }
    std::vector<double> out;
    const auto above = std::upper_bound(grid.begin(), grid.end(), d + 1e-9);
    if (above != grid.begin()) out.push_back(*(above - 1));
    if (above != grid.end()) out.push_back(*above);
    return out;
}

std::optional<double> basicPitchOf(const SizeRecord& r) {
    std::optional<double> basic;
    for (const CaliperClass& c : r.internal)
        if (c.pitchMin > 0.0 && (!basic || c.pitchMin < *basic)) basic = c.pitchMin;
    return basic;
}

bool alreadyHeld(const SizeRecord& special, std::span<const SizeRecord> existing) {
    const std::optional<double> basic = basicPitchOf(special);
    if (!basic) return false;
    for (const SizeRecord& r : existing) {
        if (r.form != special.form || std::fabs(r.pitch - special.pitch) > 1e-9 * special.pitch)
            continue;
        const std::optional<double> other = basicPitchOf(r);
        if (other && std::fabs(*other - *basic) < kSameSizeInch) return true;
    }
    return false;
}

}  // namespace

const WireForm* profileOf(ThreadForm form) {
    if (form == ThreadForm::InsertTapping) return &forms::kSixty;
    return wireFormOf(form);
}

bool formMatches(const WireForm& form, const Measured& m) {
    if (m.taper && form.kind != *m.taper) return false;
    if (m.flankAngle && std::fabs(form.includedAngle - *m.flankAngle) > kAngleMatch) return false;
    return true;
}

std::optional<SizeRecord> recordOf(SeriesId id, int row, const std::optional<SpecialSize>& special,
                                   const ThreadResults& r,
                                   const std::array<std::string, 4>& names) {
    if (!isValidSeries(id) || !(r.pitch > 0.0)) return std::nullopt;
    const ThreadSeries& s = seriesById(id);
    SizeRecord rec;
    rec.series = id;
    rec.row = row;
    rec.special = special;
    rec.form = profileOf(s.form);
    rec.pitch = r.pitch;
    rec.graded = isGraded(id);
    if (rec.form == nullptr) return std::nullopt;
    if (rec.form->kind == FormKind::Taper && r.gaugeDiameter) {
        // R, Rc: the major diameter of the external thread from the gauge plane, moved by the
        // gauge length's tolerance +/- T1/2 along the 1:16 cone, to the end of its useful
        // thread; the minor diameter of the internal thread at its face, the gauge plane, +/-
        // T2/2 along the cone.
        if (!r.gaugeMinorDiameter || !r.gaugePitchDiameter || !r.gaugeLengthTolerance ||
            !r.gaugeLength || !r.usefulThreadMin || !r.gaugePlaneTolerance)
            return std::nullopt;
        const double external = *r.gaugeLengthTolerance * kTaperOnDiameter;
        const double internal = *r.gaugePlaneTolerance * kTaperOnDiameter;
        CaliperClass e;
        e.min = *r.gaugeDiameter - external;
        e.max = *r.gaugeDiameter + (*r.usefulThreadMin - *r.gaugeLength) * kTaperOnDiameter;
        e.tolerance = 2.0 * external;
        e.basis = ToleranceBasis::TaperTurns;
        e.pitchMin = *r.gaugePitchDiameter - external;
        e.pitchMax = *r.gaugePitchDiameter + external;
        CaliperClass i = e;
        i.min = *r.gaugeMinorDiameter - internal;
        i.max = *r.gaugeMinorDiameter + internal;
        i.tolerance = 2.0 * internal;
        rec.external.push_back(e);
        rec.internal.push_back(i);
        return rec;
    }
    if (rec.form->kind == FormKind::Taper) {
        // The major diameter of the external thread from the hand-tight plane (E1 plus the
        // thread height), one turn under, to the pipe's outside diameter, where the thread runs
        // out; the minor diameter of the internal thread at the face, one turn either way.
        if (!r.e1 || !r.extHeight || !r.pipeOD || !r.minorAtFace) return std::nullopt;
        const double turn = r.pitch * kTaperOnDiameter;
        CaliperClass e;
        e.min = *r.e1 + *r.extHeight - turn;
        e.max = *r.pipeOD;
        e.tolerance = 2.0 * turn;
        e.basis = ToleranceBasis::TaperTurns;
        e.pitchMin = *r.e1 - turn;
        e.pitchMax = *r.e1 + turn;
        CaliperClass i = e;
        i.min = *r.minorAtFace - turn;
        i.max = *r.minorAtFace + turn;
        rec.external.push_back(e);
        rec.internal.push_back(i);
        rec.crestFlatMin = r.extCrestFlatMin;
        rec.crestFlatMax = r.extCrestFlatMax;
        return rec;
    }
    const auto name = [&](ClassRecord c) -> const std::string& {
        return names[static_cast<std::size_t>(c)];
    };
    for (const auto& [limits, record] : {std::pair{&r.extNormal, ClassRecord::ExtNormal},
                                         std::pair{&r.extClose, ClassRecord::ExtClose}}) {
        if (auto c = externalClass(*limits, record, name(record))) rec.external.push_back(*c);
    }
    for (const auto& [limits, record] : {std::pair{&r.intNormal, ClassRecord::IntNormal},
                                         std::pair{&r.intClose, ClassRecord::IntClose}}) {
        if (auto c = internalClass(*limits, record, name(record))) rec.internal.push_back(*c);
    }
    if (rec.external.empty() && rec.internal.empty()) return std::nullopt;
    return rec;
}

void appendSpecialRecords(const Measured& m, std::span<const SizeRecord> existing,
                          std::vector<SizeRecord>& out) {
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const std::optional<special::Series> engine = specialSeriesOf(id);
        if (!engine) continue;
        const ThreadSeries& s = seriesById(id);
        const WireForm* form = profileOf(s.form);
        if (form == nullptr || !formMatches(*form, m)) continue;
        const bool metric = s.pitchUnit == PitchUnit::Millimetres;
        const double scale = metric ? kMmPerInch : 1.0;
        const std::array<std::string, 4> classes = specialClasses(*engine);
        for (const double pitch : nearPitches(metric, m.pitch)) {
            const double p = metric ? pitch / kMmPerInch : 1.0 / pitch;
            // The nominal diameter the measurement points to: the major itself, or the minor
            // plus twice the basic internal thread height.
            double nominal = m.diameter;
            if (m.side == Side::Internal) {
                const std::optional<double> height = profileConstants(s.form).intHeight;
                if (!height) continue;
                nominal += 2.0 * *height * p;
            }
            for (const double d : bracket(metric, nominal * scale)) {
                SpecialSizeInput input{id, d, pitch, classes};
                const SpecialCalculation calc = calculateSpecial(input);
                if (!calc.results) continue;
                std::optional<SizeRecord> rec =
                    recordOf(id, -1, SpecialSize{d, pitch}, *calc.results, classes);
                if (!rec || alreadyHeld(*rec, existing) || alreadyHeld(*rec, out)) continue;
                out.push_back(std::move(*rec));
            }
        }
    }
}

}  // namespace torveld::measure::detail
