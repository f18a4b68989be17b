// The texts of the errors: the parts of the input they quote, and the errors that list the
// sizes a designation may have meant.
#include "resolver.h"

namespace torveld::designation::detail {

std::string numberText(std::size_t n) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, n).ptr;
    return std::string(buffer, end);
}

// "a", "a or b", "a, b or c"
std::string joinList(const std::vector<std::string>& items, std::string_view conjunction) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            if (i + 1 == items.size()) {
                text += ' ';
                text += conjunction;
                text += ' ';
            } else {
                text += ", ";
            }
        }
        text += items[i];
    }
    return text;
}

std::string quoted(std::string_view input, Span span) {
    std::string q = "'";
    q += clipped(input.substr(span.offset, span.length));
    q += "'";
    return q;
}

std::string allSeriesNames() {
    std::vector<std::string> names;
    for (SeriesId id = 0; id < series::kCount; ++id) names.push_back(seriesName(id));
    return joinList(names, "and");
}

Error errorAt(std::size_t offset, std::size_t length, std::string message) {
    Error e;
    e.message = std::move(message);
    e.offset = offset;
    e.length = length;
    return e;
}

std::string improperFractionMessage(std::string_view quotedFraction, std::string_view digits,
                                    std::int64_t numerator, std::int64_t denominator) {
    std::string message(quotedFraction);
    message += " is more than one; write it as a mixed number, ";
    message += numberText(static_cast<std::size_t>(numerator / denominator));
    if (numerator % denominator != 0) {
        message += ' ' + numberText(static_cast<std::size_t>(numerator % denominator)) + '/' +
                   numberText(static_cast<std::size_t>(denominator));
    }
    if (digits.size() >= 2 && digits[0] != '0') {
        std::int64_t rest = 0;
        for (char c : digits.substr(1)) rest = rest * 10 + (c - '0');
        if (rest > 0 && rest < denominator) {
            message += ", or did you mean ";
            message += digits[0];
            message += ' ';
            message += digits.substr(1);
            message += '/';
            message += numberText(static_cast<std::size_t>(denominator));
            message += '?';
        }
    }
    return message;
}

std::string unknownSeriesMessage(std::string_view quotedWord, std::string_view word) {
    std::string message(quotedWord);
    message += " is not a thread series";
    if (word == "bsp") {
        message += "; BSP is written G (parallel, BSPP) or R (taper, BSPT), as in G 1/2 or R 1/2";
    } else if (const Alias* best = nearestAlias(word)) {
        message += "; did you mean ";
        message += aliasText(*best).view();
        message += '?';
    } else {
        message += "; the series are " + allSeriesNames();
    }
    return message;
}

Result Resolver::ambiguous() {
    const int listed = std::min(total_, kKept);
    for (int i = 0; i < listed; ++i) error_.nearest.push_back(canonicalOf(hits_[i]));
    std::vector<std::string> names;
    for (int i = 0; i < listed; ++i) {
        const std::string name = nameOf(hits_[i].series);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    std::string message;
    std::string list = joinList(error_.nearest, "and");
    if (total_ > listed) list += " and " + numberText(total_ - listed) + " more";
    if (names.size() == 1 || p_.series.group != SeriesGroup::None) {
        const std::string series = names.size() == 1 ? names[0] : namedSeries();
        message = asked() + ' ' + series + " names " + numberText(total_) + " sizes: " + list +
                  "; give the pitch";
    } else {
        if (total_ > listed) names.push_back("others");
        message = asked() + " is tabulated in " + joinList(names, "and") + "; " +
                  (p_.pitch.present ? "name the series" : "give the pitch and the series") +
                  ", as in " + error_.nearest[0];
    }
    fail(askedSpan(), std::move(message));
    return std::move(error_);
}

Result Resolver::notTabulated(SeriesId target) {
    const SeriesNamed& s = p_.series;
    const bool none = s.group == SeriesGroup::None && !metricDesignation();
    SeriesList within;
    if (none) {  // the graded series say best what a size without series would be
        for (const SeriesId id : {series::UNC, series::UNF, series::UNEF}) within.add(id);
    } else if (s.group == SeriesGroup::One && !metricDesignation()) {
        within.add(s.id);
    } else {
        within = series_;
    }
    std::vector<Hit> sameSize;
    const std::vector<Hit> nearest = nearestSizes(within, sameSize);
    for (const Hit h : nearest) error_.nearest.push_back(canonicalOf(h));

    // The same size and pitch in another series: "1/4-28 is a UNF size".
    std::vector<std::string> elsewhere;
    const bool taper = s.group == SeriesGroup::One && s.id == series::R;
    if (taper && !p_.pitch.present) {
        // ISO 7-1 leaves out sizes of ISO 228-1 (5/8, 7/8, 1 1/8 ...): say that G has it.
        const auto rows = rowsOf(series::G);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (sizeMatches(series::G, rows[r])) {
                error_.nearest.insert(error_.nearest.begin(),
                                      canonicalOf({series::G, static_cast<int>(r)}));
                elsewhere.push_back(nameOf(series::G));
                break;
            }
        }
    }
    if (p_.pitch.present && !none && !metricDesignation()) {
        for (SeriesId id = 0; id < series::kCount; ++id) {
            if (within.contains(id) || seriesById(id).pitchUnit != PitchUnit::ThreadsPerInch)
                continue;
            const auto rows = rowsOf(id);
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (sizeMatches(id, rows[r]) && pitchMatches(rows[r])) {
                    const std::string c = canonicalOf({id, static_cast<int>(r)});
                    error_.nearest.insert(
                        error_.nearest.begin() + static_cast<std::ptrdiff_t>(elsewhere.size()), c);
                    elsewhere.push_back(nameOf(id));
                    break;
                }
            }
        }
    }
    specialSeriesFor(target);

    std::string message;
    Span span = askedSpan();
    const std::string what = asked();
    if (none) {
        message = "no size table holds " + what;
        const std::string_view size = p_.size.value.text.view();
        if (p_.pitch.afterTimes && size.find_first_of("/ ") == std::string_view::npos) {
            message += "; a metric size is written with M, as in M";
            std::string metric(size);
            metric += 'x';
            metric += p_.pitch.value.text.view();
            message += clipped(metric);
        }
    } else if (metricDesignation() && s.group != SeriesGroup::One) {
        message = what + " is in neither metric table";
    } else {
        message = namedSeries() + " has no " + what;
        if (!p_.pitch.present && sameSize.empty()) message += " size";
    }
    if (!none && s.group == SeriesGroup::One && !sameSize.empty() && p_.pitch.present) {
        // "1/4 UNC is 20 threads per inch"
        const SizeTable& table = *seriesById(s.id).sizeTable;
        std::vector<std::string> pitches;
        for (const Hit h : sameSize) {
            const std::string text = table.rows[h.row].pitchText;
            if (std::find(pitches.begin(), pitches.end(), text) == pitches.end())
                pitches.push_back(text);
        }
        std::sort(pitches.begin(), pitches.end(), [](const std::string& a, const std::string& b) {
            return pitchTextValue(a) < pitchTextValue(b);
        });
        message += "; ";
        if (namedBeforeSize() && s.id != series::TR) {  // "G 1/2 is 14 threads per inch"
            message += namedSeries() + ' ' + table.rows[sameSize.front().row].designation;
        } else {  // "1/4 UNC is 20 threads per inch"
            message += table.rows[sameSize.front().row].designation;
            message += ' ' + namedSeries();
        }
        message += " is " + joinList(pitches, "or");
        message += seriesById(s.id).pitchUnit == PitchUnit::ThreadsPerInch ? " threads per inch"
                                                                           : " mm pitch";
        span = p_.pitch.value.span;
    } else if (!nearest.empty()) {
        std::vector<std::string> texts;
        for (const Hit h : nearest) texts.push_back(canonicalOf(h));
        message += (texts.size() == 1 ? "; the nearest is " : "; the nearest are ") +
                   joinList(texts, "and");
    }
    if (!elsewhere.empty()) {
        message += "; " + what + " is a size of " + joinList(elsewhere, "and");
        if (taper && !p_.pitch.present) message += ", the parallel pipe thread";
    }
    if (!error_.specialSeries.empty()) {
        std::vector<std::string> names;
        for (const SeriesId id : error_.specialSeries) names.push_back(nameOf(id));
        if (p_.pitch.present) {
            message += "; " + what + " can be computed as a special size in ";
        } else {
            message += "; with its pitch it can be computed as a special size in ";
        }
        message += joinList(names, "or");
    }
    fail(span, std::move(message));
    return std::move(error_);
}

// UNR names the external thread only: the error names the internal thread to write, and with a
// pair the external one too.
Result Resolver::externalOnly(const Designation& d, std::int64_t specialSize,
                              std::int64_t specialPitch) {
    Designation internal = d;
    internal.roundedRoot = false;
    internal.externalClass.reset();
    writeCanonical(internal, specialSize, specialPitch);
    std::string message = "UNR is an external thread; the internal thread is ";
    message += internal.canonical.view();
    if (d.externalClass) {
        Designation external = d;
        external.internalClass.reset();
        writeCanonical(external, specialSize, specialPitch);
        message += ", the external ";
        message += external.canonical.view();
    }
    fail(p_.cls.span, std::move(message));
    return std::move(error_);
}

}  // namespace torveld::designation::detail
