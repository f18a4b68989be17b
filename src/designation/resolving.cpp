// Resolving: the series searched, the size tables, special sizes, and the nearest sizes when
// neither holds what was written.
#include <cmath>

#include "resolver.h"

namespace torveld::designation::detail {

Result Resolver::resolve() {
    chooseSeries();
    if (!checkSizeKind() || !checkStarts()) return std::move(error_);
    // The table's rows are single-start threads.
    if (starts_ > 1) return special(series::TR);
    search();
    if (total_ == 0) searchGradedSeries();
    Hit hit;
    if (total_ == 1) {
        hit = first_;
    } else if (total_ > 1) {
        if (!p_.pitch.present && series_.count == 1 && series_.ids[0] == series::TR) {
            hit = first_;  // a Tr diameter without a pitch is its normal pitch, the first row
        } else if (isValidSeries(options_.preferredSeries) && preferredCount_ == 1) {
            hit = preferred_;
        } else if (p_.series.group == SeriesGroup::None && gradedCount_ == 1) {
            hit = graded_;
        } else {
            return ambiguous();
        }
    } else {
        const SeriesId target = specialTarget();
        if (target >= 0 && p_.pitch.present) return special(target);
        return notTabulated(target);
    }
    Designation d;
    d.series = hit.series;
    d.sizeIndex = hit.row;
    return finish(d, 0, 0);
}

bool Resolver::metricDesignation() const {
    return p_.size.kind == SizeKind::Metric || p_.series.group == SeriesGroup::Iso ||
           (p_.series.group == SeriesGroup::One && isMetric(p_.series.id));
}

void Resolver::chooseSeries() {
    const SeriesNamed& s = p_.series;
    if (metricDesignation() && (p_.pitch.present || s.group != SeriesGroup::One)) {
        // The pitch tells coarse from fine; without it "M10" is coarse.
        series_.add(series::ISO_COARSE);
        series_.add(series::ISO_FINE);
    } else if (s.group == SeriesGroup::One) {
        series_.add(s.id);
    } else if (s.group == SeriesGroup::Sti) {
        series_.add(series::UNC_STI);
        series_.add(series::UNF_STI);
    } else {
        for (SeriesId id = 0; id < series::kCount; ++id) {
            if (seriesById(id).pitchUnit == PitchUnit::ThreadsPerInch) series_.add(id);
        }
    }
}

bool Resolver::fail(Span span, std::string message) {
    error_.message = std::move(message);
    error_.offset = span.offset;
    error_.length = span.length;
    return false;
}

Span Resolver::askedSpan() const {
    const Span span = p_.pitch.present ? cover(sizeSpan(), p_.pitch.value.span) : sizeSpan();
    return p_.startPitch.present ? cover(span, p_.startPitch.span) : span;
}

// The size and pitch as asked, for messages: "1/4-21", "M10x1", "#10-30", "Tr40x15(P7)".
std::string Resolver::asked() const {
    std::string text(p_.size.value.text.view());
    if (p_.pitch.present) {
        const bool trapezoidal = p_.series.group == SeriesGroup::One && p_.series.id == series::TR;
        text += metricDesignation() || trapezoidal || p_.pitch.afterTimes ? 'x' : '-';
        text += p_.pitch.value.text.view();
    }
    if (p_.startPitch.present) {
        text += "(P";
        text += p_.startPitch.value.text.view();
        text += ')';
    }
    return clipped(text);
}

std::string Resolver::namedSeries() const {
    switch (p_.series.group) {
        case SeriesGroup::One:
            return nameOf(p_.series.id);
        case SeriesGroup::Sti:
            return "STI";
        case SeriesGroup::Iso:
            return "ISO";
        default:
            return "";
    }
}

bool Resolver::checkSizeKind() {
    const SizeAsked& size = p_.size;
    const SeriesNamed& s = p_.series;
    const bool named = s.group == SeriesGroup::One || s.group == SeriesGroup::Sti;
    const SeriesId id = s.group == SeriesGroup::Sti ? series::UNC_STI : s.id;
    if (size.kind == SizeKind::Metric && named && !isMetric(id)) {
        std::string message = written(size.value) + " is a metric size; ";
        if (id == series::TR) {
            message += "a trapezoidal size is written without M, as in Tr20x4";
        } else if (id == series::UNM) {
            message += "UNM sizes are written in millimetres without M, as in 0.30 UNM";
        } else if (id == series::BA) {
            message += "BA sizes are numbers, as in 2 BA";
        } else {
            message += namedSeries() + " sizes are in inches";
        }
        return fail(sizeSpan(), std::move(message));
    }
    if (size.kind == SizeKind::Numbered) {
        if (named && id == series::BA) return true;
        if ((named || s.group == SeriesGroup::Iso) &&
            (s.group == SeriesGroup::Iso || !detail::hasNumberSizes(id))) {
            return fail(sizeSpan(),
                        written(size.value) + " is a number size; " + namedSeries() + " has none");
        }
        if (size.value.number > 12) {
            return fail(sizeSpan(),
                        "number sizes run from 0 to 12; " + written(size.value) + " is none");
        }
    }
    return true;
}

bool Resolver::checkStarts() {
    pitch_ = pitchRead().micro;
    const StartPitchAsked& start = p_.startPitch;
    if (!start.present) return true;
    if (p_.series.group != SeriesGroup::One || p_.series.id != series::TR) {
        return fail(start.span, quoted(input_, start.span) +
                                    ": a lead and its pitch are written for a multi-start "
                                    "trapezoidal thread, as in Tr40x14(P7)");
    }
    const NumberRead& lead = p_.pitch.value;
    if (!lead.exact || !start.value.exact) {
        const NumberRead& inexact = lead.exact ? start.value : lead;
        return fail(inexact.span, "a pitch is written as a decimal of at most six places; " +
                                      written(inexact) + " has none");
    }
    if (lead.micro == 0 || start.value.micro == 0) {
        const bool leadZero = lead.micro == 0;
        return fail(leadZero ? lead.span : start.value.span,
                    std::string(leadZero ? "a lead" : "a pitch") + " of zero is no thread");
    }
    if (lead.micro % start.value.micro != 0) {
        return fail(askedSpan(), "'" + asked() + "': the lead " + written(lead) +
                                     " is not a whole number of pitches " + written(start.value));
    }
    // More starts than any thread has (the calculation takes up to 99) is a typing error.
    constexpr std::int64_t kMostStarts = 99;
    const std::int64_t starts = lead.micro / start.value.micro;
    if (starts > kMostStarts) {
        return fail(askedSpan(), "'" + asked() + "' has " + numberText(starts) +
                                     " starts; a thread has at most " + numberText(kMostStarts));
    }
    starts_ = static_cast<int>(starts);
    return true;
}

// The values the size can stand for in a series: inches or millimetres, and for a whole
// number up to 12 also the number size.
int Resolver::sizeValues(SeriesId id, std::int64_t values[2]) const {
    const SizeAsked& size = p_.size;
    switch (size.kind) {
        case SizeKind::Numbered:
            values[0] = id == series::BA ? size.value.micro : numberSizeDiameter(size.value.number);
            return 1;
        case SizeKind::Whole:
            values[0] = size.value.micro;
            if (detail::hasNumberSizes(id) && size.value.number <= 12) {
                values[1] = numberSizeDiameter(size.value.number);
                return 2;
            }
            return 1;
        default:
            values[0] = size.value.micro;
            return size.value.exact ? 1 : 0;
    }
}

bool Resolver::sizeMatches(SeriesId id, const RowValues& row) const {
    std::int64_t values[2];
    const int n = sizeValues(id, values);
    for (int i = 0; i < n; ++i) {
        if (row.size == values[i]) return true;
    }
    return false;
}

bool Resolver::pitchMatches(const RowValues& row) const {
    return !p_.pitch.present || (pitchRead().exact && row.pitch == pitch_);
}

void Resolver::search() {
    for (int i = 0; i < series_.count; ++i) {
        const SeriesId id = series_.ids[i];
        if (id == series::ISO_FINE && !p_.pitch.present && total_ > 0) break;
        const auto rows = rowsOf(id);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (!sizeMatches(id, rows[r]) || !pitchMatches(rows[r])) continue;
            const Hit h{id, static_cast<int>(r)};
            if (total_ == 0) first_ = h;
            if (total_ < kKept) hits_[total_] = h;
            ++total_;
            if (id == options_.preferredSeries) {
                preferred_ = h;
                ++preferredCount_;
            }
            if (isGradedSeries(id)) {
                graded_ = h;
                ++gradedCount_;
            }
        }
    }
}

// ASME B1.1 gives the graded sizes of a pitch in its constant-pitch series under their graded
// symbol (the 20-UN series starts at 1/4-20 UNC), so the UN table lists only the others; ASME
// B1.15 and the UNJ table likewise. A size written UN (UNJ) that its table does not hold is
// looked up in the graded series (1/4-20 UN is UNC, 3/4-20 UN UNEF); where none holds it, the
// UN (UNJ) list stays the one searched, for a special size or the nearest sizes.
void Resolver::searchGradedSeries() {
    if (p_.series.group != SeriesGroup::One) return;
    SeriesList graded;
    if (p_.series.id == series::UN) {
        for (const SeriesId id : {series::UNC, series::UNF, series::UNEF}) graded.add(id);
    } else if (p_.series.id == series::UNJ) {
        for (const SeriesId id : {series::UNJC, series::UNJF, series::UNJEF}) graded.add(id);
    } else {
        return;
    }
    const SeriesList named = series_;
    series_ = graded;
    search();
    gradedReading_ = total_ > 0;
    if (!gradedReading_) series_ = named;
}

std::string Resolver::nameOf(SeriesId id) const {
    return std::string(
        seriesText(id, p_.series.roundedRoot && hasRoundedRoot(id), p_.series.taper).view());
}

std::string Resolver::canonicalOf(Hit h) const {
    Designation d = ofSize(h.series, h.row);
    const bool rounded = p_.series.roundedRoot && hasRoundedRoot(h.series);
    const bool taper = h.series == series::R && p_.series.taper != TaperPipeThread::None;
    if (!rounded && !taper) return std::string(d.canonical.view());
    d.roundedRoot = rounded;
    if (taper) d.taperThread = p_.series.taper;
    writeCanonical(d, 0, 0);
    return std::string(d.canonical.view());
}

// The series in which a size no table holds is computed: -1 where there is none.
SeriesId Resolver::specialTarget() const {
    if (metricDesignation()) return series::ISO_FINE;
    if (p_.series.group != SeriesGroup::One) return -1;
    switch (p_.series.id) {
        case series::UNS:
        case series::UN:
        case series::UNJ:
        case series::ACME:
        case series::STUB_ACME:
        case series::TR:
            return p_.series.id;
        default:
            return -1;
    }
}

Result Resolver::special(SeriesId target) {
    std::int64_t diameter = 0;
    if (!specialSize(target, diameter, true)) return std::move(error_);
    const std::int64_t pitch = pitch_;
    Designation result;
    result.series = target;
    result.starts = starts_;
    result.special = SpecialSize{static_cast<double>(diameter) / static_cast<double>(kMicro),
                                 static_cast<double>(pitch) / static_cast<double>(kMicro)};
    return finish(result, diameter, pitch);
}

// Whether the size and pitch asked make a special size of `target`, and its diameter; the
// error says why not when `report`.
bool Resolver::specialSize(SeriesId target, std::int64_t& diameter, bool report) {
    const auto reject = [&](Span span, std::string message) {
        if (report) fail(span, std::move(message));
        return false;
    };
    const SizeAsked& size = p_.size;
    const NumberRead& pitch = pitchRead();
    const bool metric = isMetric(target);
    const bool millimetres = seriesById(target).pitchUnit == PitchUnit::Millimetres;
    diameter = size.value.micro;
    if (size.kind == SizeKind::Numbered) {
        diameter = numberSizeDiameter(size.value.number);
    } else if (size.kind == SizeKind::Whole && !metric && detail::hasNumberSizes(target) &&
               size.value.number <= 12) {
        // No table row tells: the pitch does, where only one reading is a thread.
        const int n = size.value.number;
        const bool numberFits = pitch.micro >= 24 * kMicro;
        const bool inchFits = n >= 1 && n <= 6 && pitch.micro <= 32 * kMicro;
        if (numberFits && inchFits) {
            const std::string p = written(pitch);
            return reject(askedSpan(), "'" + asked() + "' may be number size " + numberText(n) +
                                           " or " + numberText(n) + (n == 1 ? " inch" : " inches") +
                                           ": write #" + numberText(n) + "-" + p + " " +
                                           nameOf(target) + " or " + numberText(n) + ".0000-" + p +
                                           " " + nameOf(target));
        }
        if (numberFits || n == 0) diameter = numberSizeDiameter(n);
    }
    if (!size.value.exact) {
        return reject(sizeSpan(), "a special size is written as a decimal of at most six places; " +
                                      written(size.value) + " has none");
    }
    if (!pitch.exact) {
        return reject(pitch.span, "a pitch is written as a decimal of at most six places; " +
                                      written(pitch) + " has none");
    }
    if (diameter == 0 || pitch.micro == 0) {
        return reject(diameter == 0 ? sizeSpan() : pitch.span,
                      std::string(diameter == 0 ? "a size" : "a pitch") + " of zero is no thread");
    }
    if (target == series::UN && !isConstantPitch(pitch.micro)) {
        if (report) error_.specialSeries.push_back(series::UNS);
        return reject(pitch.span,
                      nameOf(series::UN) +
                          " has the constant pitches 4, 6, 8, 12, 16, 20, 28 and 32 threads per "
                          "inch; " +
                          asked() + " can be computed as a special size in " + nameOf(series::UNS));
    }
    // The pitch of a thread is at most half its diameter (M1 0.25, 1/4-16 ACME and No. 1-64
    // come nearest among the tabulated sizes); of a multi-start thread the pitch, not the lead.
    const double pitchLength =
        millimetres ? static_cast<double>(pitch.micro) : 1e12 / static_cast<double>(pitch.micro);
    if (2.0 * pitchLength > static_cast<double>(diameter)) {
        return reject(askedSpan(), "'" + asked() + "': the pitch is more than half the diameter");
    }
    return true;
}

Result Resolver::finish(Designation& d, std::int64_t specialSize, std::int64_t specialPitch) {
    if (d.series == series::R) {
        d.taperThread =
            p_.series.taper != TaperPipeThread::None ? p_.series.taper : TaperPipeThread::R;
    }
    if (!applyClasses(input_, p_.cls, d.series, d, error_)) return std::move(error_);
    d.hand = p_.hand.hand;
    if (gradedReading_) d.notes.add(ReadingNote::GradedSize);
    if (p_.series.tradeName) {
        d.notes.add(d.series == series::G ? ReadingNote::TradeNameBspp
                                          : ReadingNote::TradeNameBspt);
    }
    if (p_.series.roundedRoot) {
        d.roundedRoot = true;
        d.notes.add(ReadingNote::RoundedRoot);
        if (d.internalClass) return externalOnly(d, specialSize, specialPitch);
    }
    writeCanonical(d, specialSize, specialPitch);
    return d;
}

// Series where the size asked could be computed, for the error of a series that holds
// only its tabulated sizes.
void Resolver::specialSeriesFor(SeriesId target) {
    std::vector<SeriesId>& out = error_.specialSeries;
    if (target >= 0) {
        out.push_back(target);
        return;
    }
    if (!p_.size.value.exact || p_.size.kind == SizeKind::Metric) return;
    const SeriesNamed& s = p_.series;
    const SeriesFamily family =
        s.group == SeriesGroup::One ? seriesById(s.id).family : SeriesFamily::Unified;
    if (s.group == SeriesGroup::Sti) return;
    SeriesId candidates[2] = {-1, -1};
    if (family == SeriesFamily::Unified) {
        candidates[0] = series::UN;
        candidates[1] = series::UNS;
    } else if (family == SeriesFamily::UNJ) {
        candidates[1] = series::UNJ;
    }
    for (const SeriesId id : candidates) {
        if (id < 0) continue;
        std::int64_t diameter = 0;
        // Without a pitch, the series where it could be computed once the pitch is given.
        if (p_.pitch.present ? specialSize(id, diameter, false) : id != series::UN) {
            out.push_back(id);
        }
    }
}

// Distance of a row's size from the size asked (signed, in the row's unit).
bool Resolver::sizeDistance(SeriesId id, const RowValues& row, std::int64_t& distance) const {
    std::int64_t values[2];
    const int n = sizeValues(id, values);
    if (n == 0) {
        values[0] = p_.size.value.micro;  // an inexact fraction, near enough to compare
    }
    bool found = false;
    for (int i = 0; i < std::max(n, 1); ++i) {
        const std::int64_t d = row.size - values[i];
        if (!found || std::llabs(d) < std::llabs(distance)) distance = d;
        found = true;
    }
    return found;
}

// The nearest tabulated sizes in the series searched: the same size with other pitches,
// or the nearest sizes below and above.
std::vector<Hit> Resolver::nearestSizes(const SeriesList& within,
                                        std::vector<Hit>& sameSize) const {
    struct Scored {
        Hit hit;
        std::int64_t distance;
        std::int64_t pitch;
    };
    std::vector<Scored> rows;
    for (int i = 0; i < within.count; ++i) {
        const SeriesId id = within.ids[i];
        const auto values = rowsOf(id);
        for (std::size_t r = 0; r < values.size(); ++r) {
            std::int64_t distance = 0;
            if (!sizeDistance(id, values[r], distance)) continue;
            rows.push_back({{id, static_cast<int>(r)}, distance, pitchDistance(values[r])});
        }
    }
    std::vector<Hit> nearest;
    std::vector<Scored> same;
    for (const Scored& s : rows) {
        if (s.distance == 0 && p_.size.value.exact) same.push_back(s);
    }
    std::stable_sort(same.begin(), same.end(),
                     [](const Scored& a, const Scored& b) { return a.pitch < b.pitch; });
    for (const Scored& s : same) sameSize.push_back(s.hit);
    for (std::size_t i = 0; i < same.size() && i < 4; ++i) nearest.push_back(same[i].hit);
    if (!nearest.empty()) return nearest;
    // The nearest size below and above, each with the pitch nearest the one asked.
    for (const bool below : {true, false}) {
        const Scored* best = nullptr;
        for (const Scored& s : rows) {
            if (below ? s.distance >= 0 : s.distance <= 0) continue;
            if (!best || std::llabs(s.distance) < std::llabs(best->distance) ||
                (s.distance == best->distance && s.pitch < best->pitch)) {
                best = &s;
            }
        }
        if (best) nearest.push_back(best->hit);
    }
    return nearest;
}

Result resolve(std::string_view input, const Parsed& parsed, const ReadOptions& options) {
    return Resolver(input, parsed, options).resolve();
}

}  // namespace torveld::designation::detail
