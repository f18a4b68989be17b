#include "identify.h"

#include <algorithm>
#include <cmath>

#include "identify_records.h"
#include "measure_text.h"
#include "thread_calculator.h"

namespace torveld::measure {

namespace {

using detail::fixedText;
using detail::lengthText;
using detail::Measured;

constexpr double kMmPerInch = 25.4;
// Distances closer than this are the same distance (inches).
constexpr double kSameDistance = 1e-12;
// A measurement this close to a limit is on it (inches): the limits are held in single
// precision and converted between units, so a reading equal to a published limit comes back a
// few billionths off it; far below the tenth of a thousandth any limit is written to.
constexpr double kOnTheLimit = 1e-7;

struct Scored {
    const SizeRecord* record = nullptr;
    const CaliperClass* cls = nullptr;
    Position position = Position::Within;
    double distance = 0;  // inches
    double pitchDifference = 0;
};

std::optional<Scored> score(const SizeRecord& r, const Measured& m) {
    if (r.form == nullptr || !(r.pitch > 0.0) || !detail::formMatches(*r.form, m))
        return std::nullopt;
    const double pitchDifference = (r.pitch - m.pitch) / m.pitch;
    if (!(std::fabs(pitchDifference) <= kPitchMatch)) return std::nullopt;
    const bool external = m.side == Side::External;
    std::optional<Scored> best;
    for (const CaliperClass& c : external ? r.external : r.internal) {
        Scored s{&r, &c, Position::Within, 0.0, pitchDifference};
        if (m.diameter < c.min - kOnTheLimit) {
            s.position = Position::BelowMin;
            s.distance = c.min - m.diameter;
        } else if (m.diameter > c.max + kOnTheLimit) {
            s.position = Position::AboveMax;
            s.distance = m.diameter - c.max;
        }
        // Worn crests make a male thread's major read small, a female thread's minor large.
        const bool wornSide = (s.position == Position::BelowMin) == external;
        const double cutoff =
            s.position == Position::Within ? 0.0
            : wornSide                     ? kWornTolerances * c.tolerance
                       : std::max(kOversizeTolerances * c.tolerance, kCaliperResolutionInch);
        if (s.distance > cutoff) continue;
        if (!best || s.distance < best->distance - kSameDistance) best = s;
    }
    return best;
}

bool before(const Scored& a, const Scored& b) {
    if (std::fabs(a.distance - b.distance) > kSameDistance) return a.distance < b.distance;
    const bool aTable = !a.record->special, bTable = !b.record->special;
    if (aTable != bTable) return aTable;
    if (a.record->graded != b.record->graded) return a.record->graded;
    const double ap = std::fabs(a.pitchDifference), bp = std::fabs(b.pitchDifference);
    if (std::fabs(ap - bp) > 1e-12) return ap < bp;
    if (a.record->series != b.record->series) return a.record->series < b.record->series;
    if (a.record->row != b.record->row) return a.record->row < b.record->row;
    const double ad = a.record->special ? a.record->special->majorDiameter : 0.0;
    const double bd = b.record->special ? b.record->special->majorDiameter : 0.0;
    return ad < bd;
}

std::string angleText(double degrees) {
    std::string text = fixedText(degrees, 1);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return text;
}

std::string percentText(double fraction) {
    return fixedText(100.0 * fraction, 1) + " per cent";
}

bool overlap(double aMin, double aMax, double bMin, double bMax) {
    return aMin <= bMax && bMin <= aMax;
}

struct Separation {
    std::vector<Separator> separators;
    std::string text;  // what tells them apart, and what does not
};

void addClause(std::string& text, const std::string& clause) {
    if (!text.empty()) text += "; ";
    text += clause;
}

// What tells candidate b from candidate a, of the measurements not given.
Separation separate(const Scored& a, const Scored& b, const Measured& m, Unit unit) {
    Separation s;
    const WireForm& fa = *a.record->form;
    const WireForm& fb = *b.record->form;
    const auto add = [&](Separator sep, const std::string& clause) {
        s.separators.push_back(sep);
        addClause(s.text, clause);
    };
    if (std::fabs(fa.includedAngle - fb.includedAngle) > kAngleMatch) {
        add(Separator::FlankAngle, "the flank angle (" + angleText(fa.includedAngle) + " and " +
                                       angleText(fb.includedAngle) +
                                       " degrees): a thread-angle gauge, or the profile of the "
                                       "pitch gauge's blade against the light");
    }
    if (fa.kind != fb.kind)
        add(Separator::Taper, "taper or parallel: a caliper at both ends, a straight edge");
    const bool flatsDiffer = a.record->crestFlatMin && b.record->crestFlatMin &&
                             (std::fabs(*a.record->crestFlatMin - *b.record->crestFlatMin) > 1e-9 ||
                              std::fabs(*a.record->crestFlatMax - *b.record->crestFlatMax) > 1e-9);
    if (fa.crest != fb.crest) {
        add(Separator::CrestShape, "the crests (flat or rounded): a glass, a profile gauge");
    } else if (flatsDiffer) {
        add(Separator::CrestShape,
            "the crest and root flats, which differ (a dryseal thread's are narrower): its "
            "crest and root gauges");
    }
    if (fa.root != fb.root)
        add(Separator::RootShape, "the root (a controlled root radius, or a rounded root)");
    const double pitchApart = std::fabs(a.record->pitch - b.record->pitch) / a.record->pitch;
    if (pitchApart > 1e-9) {
        add(Separator::Pitch, "the pitch, " + percentText(pitchApart) +
                                  " apart: count the threads over a longer length");
    }
    if (!overlap(a.cls->min, a.cls->max, b.cls->min, b.cls->max))
        add(Separator::Diameter,
            "a finer diameter reading (a micrometer): their limits do not "
            "overlap");
    if (m.side != Side::External) return s;
    // A reading over the first candidate's best wire, where that wire rests on both forms.
    const double wire = fa.bestWire() * a.record->pitch;
    const double bSmallest = fb.smallestWire * b.record->pitch;
    const double bLargest = fb.largestWire * b.record->pitch;
    if (!(a.cls->pitchMax > 0.0) || !(b.cls->pitchMax > 0.0) || wire < bSmallest || wire > bLargest)
        return s;
    const double scale = unit == Unit::Millimetre ? kMmPerInch : 1.0;
    const auto reading = [&](const Scored& c, double e) {
        return overWireReading(*c.record->form, c.record->pitch, wire, e) * scale;
    };
    const double aMin = reading(a, a.cls->pitchMin), aMax = reading(a, a.cls->pitchMax);
    const double bMin = reading(b, b.cls->pitchMin), bMax = reading(b, b.cls->pitchMax);
    const std::string range = lengthText(aMin, unit) + " to " + lengthText(aMax, unit) +
                              " against " + lengthText(bMin, unit) + " to " +
                              lengthText(bMax, unit);
    if (!overlap(aMin, aMax, bMin, bMax)) {
        add(Separator::WireReading,
            "a reading over wires of " + lengthText(wire * scale, unit) + ": " + range);
    } else {
        addClause(s.text, "a reading over wires cannot separate them (over wires of " +
                              lengthText(wire * scale, unit) + ": " + range + ")");
    }
    return s;
}

std::string positionNote(const Candidate& c, Side side, Unit unit) {
    std::string text;
    if (c.within) {
        text = "Within the limits of the class.";
    } else {
        text = lengthText(c.distance, unit);
        text += " (";
        text += fixedText(c.tolerances, 2);
        text += " of its tolerance) ";
        text += c.position == Position::BelowMin ? "under the minimum" : "over the maximum";
        if (c.worn) {
            text += side == Side::External ? ": worn or damaged crests read small."
                                           : ": worn or damaged crests read large.";
        } else {
            text += ": within a caliper's error of it, or the thread is out of tolerance.";
        }
    }
    if (std::fabs(c.pitchDifference) > 1e-9) {
        text += " Its pitch lies ";
        text += percentText(std::fabs(c.pitchDifference));
        text += " from the measured one, closer than a pitch gauge tells.";
    }
    if (c.special) text += " A special size its series' formulas admit.";
    return text;
}

std::string basisText() {
    std::string text = "Pitch: within ";
    text += percentText(kPitchMatch);
    text +=
        " of the measured pitch (a quarter of a pitch over ten threads, where a pitch gauge "
        "rocks). Diameter: the distance from the class's limits of the measured diameter (a "
        "taper pipe thread's major from the hand-tight plane to the pipe's outside diameter, "
        "its minor at the face, one turn either way); kept up to ";
    text += fixedText(kWornTolerances, 0);
    text += " of the class's tolerance beyond the limit worn crests read towards, and ";
    text += fixedText(kOversizeTolerances, 0);
    text +=
        " (at least a caliper's 0.001 in) the other way. Candidates within 0.001 in of the "
        "first's distance cannot be told apart by a caliper.";
    return text;
}

Identification refusedWith(const char* why, Unit unit) {
    Identification id;
    id.unit = unit;
    id.refusal = why;
    return id;
}

}  // namespace

const std::vector<SizeRecord>& catalogueRecords() {
    static const std::vector<SizeRecord> records = [] {
        std::vector<SizeRecord> all;
        for (SeriesId id = 0; id < series::kCount; ++id) {
            for (int row = 0; row < sizeCount(id); ++row) {
                const std::optional<ThreadResults> r = calculate(Selection{id, row});
                if (!r) continue;
                if (auto rec = detail::recordOf(id, row, std::nullopt, *r, {}))
                    all.push_back(std::move(*rec));
            }
        }
        return all;
    }();
    return records;
}

Identification identify(const IdentifyInput& input) {
    return identify(input, catalogueRecords(), true);
}

Identification identify(const IdentifyInput& input, std::span<const SizeRecord> records,
                        bool specialSizes) {
    const Unit unit = input.unit;
    const double scale = unit == Unit::Millimetre ? kMmPerInch : 1.0;
    if (!std::isfinite(input.diameter) || !(input.diameter > 0.0))
        return refusedWith("the measured diameter must be a positive number", unit);
    if (!std::isfinite(input.pitch) || !(input.pitch > 0.0))
        return refusedWith(input.pitchUnit == PitchUnit::ThreadsPerInch
                               ? "the threads per inch must be a positive number"
                               : "the pitch must be a positive number of millimetres",
                           unit);
    if (input.flankAngle && (!std::isfinite(*input.flankAngle) || *input.flankAngle <= 0.0 ||
                             *input.flankAngle >= 180.0))
        return refusedWith("the flank angle must be a number of degrees between 0 and 180", unit);

    Measured m;
    m.side = input.side;
    m.diameter = input.diameter / scale;
    m.pitch =
        input.pitchUnit == PitchUnit::ThreadsPerInch ? 1.0 / input.pitch : input.pitch / kMmPerInch;
    m.taper = input.taper;
    m.flankAngle = input.flankAngle;
    if (!std::isfinite(m.pitch) || !(m.pitch > 0.0) || !std::isfinite(m.diameter) ||
        !(m.diameter > 0.0))
        return refusedWith("the measurements are out of any thread's range", unit);

    std::vector<Scored> scored;
    for (const SizeRecord& r : records)
        if (auto s = score(r, m)) scored.push_back(*s);
    std::vector<SizeRecord> specials;
    if (specialSizes) {
        detail::appendSpecialRecords(m, records, specials);
        for (const SizeRecord& r : specials)
            if (auto s = score(r, m)) scored.push_back(*s);
    }
    std::stable_sort(scored.begin(), scored.end(), before);

    Identification id;
    id.unit = unit;
    id.basis = basisText();
    if (scored.empty()) {
        id.note =
            "No thread of the catalogue has this pitch near this diameter (with the taper and "
            "flank angle given).";
        return id;
    }
    const Scored& first = scored.front();
    std::vector<std::string> tieClauses;
    for (const Scored& s : scored) {
        Candidate& c = id.candidates.emplace_back();
        c.series = s.record->series;
        c.row = s.record->row;
        c.special = s.record->special;
        c.cls = s.cls->cls;
        c.min = s.cls->min * scale;
        c.max = s.cls->max * scale;
        c.position = s.position;
        c.distance = s.distance * scale;
        c.tolerance = s.cls->tolerance * scale;
        c.tolerances = s.distance / s.cls->tolerance;
        c.toleranceBasis = s.cls->basis;
        c.within = s.position == Position::Within;
        c.worn = !c.within && ((s.position == Position::BelowMin) == (m.side == Side::External));
        c.pitchDifference = s.pitchDifference;
        c.tied = std::fabs(s.distance - first.distance) <= kCaliperResolutionInch + kSameDistance;
        c.note = positionNote(c, m.side, unit);
        if (!c.tied) continue;
        ++id.tied;
        if (&s == &first) continue;
        const Separation sep = separate(first, s, m, unit);
        c.separators = sep.separators;
        for (const Separator x : sep.separators)
            if (std::find(id.separators.begin(), id.separators.end(), x) == id.separators.end())
                id.separators.push_back(x);
        std::string clause = " Candidate ";
        clause += detail::fixedText(static_cast<double>(id.candidates.size()), 0);
        if (sep.separators.empty()) {
            c.note +=
                " It cannot be told from the first candidate by the measurements given, and "
                "nothing among the flank angle, crests, roots, taper, pitch, diameter or a wire "
                "reading separates them";
            clause += ": nothing measured here separates it from the first";
            if (!sep.text.empty()) {
                c.note += " (" + sep.text + ")";
                clause += " (" + sep.text + ")";
            }
        } else {
            c.note +=
                " It cannot be told from the first candidate by the measurements given; "
                "what would: " +
                sep.text;
            clause += " is told from the first by " + sep.text;
        }
        c.note += '.';
        clause += '.';
        tieClauses.push_back(std::move(clause));
    }
    if (id.tied > 1) {
        id.tieNote = "The first ";
        id.tieNote += detail::fixedText(id.tied, 0);
        id.tieNote += " candidates cannot be told apart by the measurements given.";
        for (const std::string& clause : tieClauses) id.tieNote += clause;
    }
    return id;
}

}  // namespace torveld::measure
