// The canonical text of a designation: the size and pitch texts of the tables (a special size
// as its series' table writes sizes), the series name as the selector shows it (with the
// rounded root: UNRC), then "-class" and "-LH"; the series that their standards write first
// before the size (G 1/2 A, Rc 1/2, Tr20x4-7e, Tr40x14(P7)).
#include <cmath>

#include "stages.h"

namespace torveld::designation {

namespace detail {

namespace {

// A value in millionths as a decimal: at least `minDecimals` places, no trailing zeros beyond
// them, and no "0" before the point when `dropLeadingZero` and the value is below one.
template <std::size_t N>
void appendMicro(FixedText<N>& out, std::int64_t micro, int minDecimals, bool dropLeadingZero) {
    const std::int64_t whole = micro / kMicro;
    std::int64_t fraction = micro % kMicro;
    char digits[8];
    int places = 6;
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    while (places > minDecimals && digits[places - 1] == '0') --places;
    if (!(whole == 0 && dropLeadingZero && places > 0)) {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
        out.append(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    }
    if (places > 0) {
        out.append('.');
        out.append(std::string_view(digits, static_cast<std::size_t>(places)));
    }
}

template <std::size_t N>
void appendClasses(FixedText<N>& out, SeriesId id, const std::optional<ThreadClass>& external,
                   const std::optional<ThreadClass>& internal) {
    const SeriesFamily family = seriesById(id).family;
    const bool oneForBoth = family == SeriesFamily::Acme || id == series::NPTF;
    // ISO 228-1 writes the class after a blank: "G 1/2 A".
    const char joint = family == SeriesFamily::BritishPipe ? ' ' : '-';
    if (external && internal) {
        out.append(joint);
        if (oneForBoth) {
            out.append(external->text().view());
        } else if (family == SeriesFamily::IsoMetric || family == SeriesFamily::Trapezoidal) {
            out.append(internal->text().view());
            out.append('/');
            out.append(external->text().view());
        } else {
            out.append(external->text().view());
            out.append('/');
            out.append(internal->text().view());
        }
    } else if (external) {
        out.append(joint);
        out.append(external->text().view());
    } else if (internal) {
        out.append(joint);
        out.append(internal->text().view());
    }
}

// The lead of a multi-start thread and its pitch: "14(P7)"; the pitch alone of a single start.
template <std::size_t N>
void appendLeadAndPitch(FixedText<N>& out, std::int64_t pitch, int starts) {
    if (starts <= 1) {
        appendMicro(out, pitch, 0, false);
        return;
    }
    FixedText<40> text;  // written whole or not at all
    appendMicro(text, pitch * starts, 0, false);
    text.append("(P");
    appendMicro(text, pitch, 0, false);
    text.append(')');
    out.append(text.view());
}

// A special inch size as its series' table writes sizes: a fraction in 64ths or a mixed number
// ("11/16", "1 3/16") where the size is one, else four decimals or more (".3950"); UNJ always
// in decimals. A whole number that would read back as a number size keeps its decimals
// ("1.0000-28 UNS"), so that the text reads back to the same size.
template <std::size_t N>
void appendInchSize(FixedText<N>& out, SeriesId id, std::int64_t micro, std::int64_t pitch) {
    if (seriesById(id).family != SeriesFamily::UNJ && (micro * 64) % kMicro == 0) {
        const std::int64_t whole = micro / kMicro;
        std::int64_t numerator = (micro % kMicro) * 64 / kMicro;
        std::int64_t denominator = 64;
        while (numerator != 0 && numerator % 2 == 0) {
            numerator /= 2;
            denominator /= 2;
        }
        char buffer[24];
        const auto put = [&](std::int64_t v) {
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
            out.append(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
        };
        if (numerator != 0) {
            if (whole > 0) {
                put(whole);
                out.append(' ');
            }
            put(numerator);
            out.append('/');
            put(denominator);
            return;
        }
        const bool readsAsNumberSize =
            detail::hasNumberSizes(id) && whole <= 12 && pitch >= 24 * kMicro;
        if (!readsAsNumberSize) {
            put(whole);
            return;
        }
    }
    appendMicro(out, micro, 4, true);
}

}  // namespace

void writeCanonical(Designation& d, std::int64_t specialSize, std::int64_t specialPitch) {
    CanonicalText& out = d.canonical;
    out = CanonicalText{};
    const ThreadSeries& s = seriesById(d.series);
    if (d.sizeIndex >= 0 &&
        (s.family == SeriesFamily::BritishPipe || s.family == SeriesFamily::BritishTaper)) {
        // "G 1/2", "R 1/2", "Rc 1/2", "Rp 1/2": one pitch per size, left out.
        out.append(seriesText(d.series, false, d.taperThread).view());
        out.append(' ');
        out.append(s.sizeTable->rows[d.sizeIndex].designation);
    } else if (s.family == SeriesFamily::Trapezoidal) {
        // "Tr20x4" of a row, "Tr21x4", "Tr40x14(P7)" of a special size.
        if (d.sizeIndex >= 0) {
            const SizeEntry& e = s.sizeTable->rows[d.sizeIndex];
            out.append(e.designation);
            out.append('x');
            out.append(e.pitchText);
        } else {
            out.append(s.name);
            appendMicro(out, specialSize, 0, false);
            out.append('x');
            appendLeadAndPitch(out, specialPitch, d.starts);
        }
    } else if (d.sizeIndex >= 0) {
        const SizeEntry& e = s.sizeTable->rows[d.sizeIndex];
        out.append(e.designation);
        switch (s.family) {
            case SeriesFamily::IsoMetric:
                if (d.series == series::ISO_FINE) {
                    out.append('x');
                    out.append(e.pitchText);
                }
                break;
            case SeriesFamily::UNM:
            case SeriesFamily::BA:
                out.append(' ');
                out.append(s.name);
                break;
            default:
                out.append('-');
                out.append(e.pitchText);
                out.append(' ');
                out.append(seriesText(d.series, d.roundedRoot).view());
                break;
        }
    } else if (s.family == SeriesFamily::IsoMetric) {
        out.append('M');
        appendMicro(out, specialSize, 0, false);
        out.append('x');
        appendMicro(out, specialPitch, 0, false);
    } else {
        appendInchSize(out, d.series, specialSize, specialPitch);
        out.append('-');
        appendMicro(out, specialPitch, 0, false);
        out.append(' ');
        out.append(seriesText(d.series, d.roundedRoot).view());
    }
    appendClasses(out, d.series, d.externalClass, d.internalClass);
    if (d.hand == Hand::Left) out.append("-LH");
}

std::string canonicalOf(SeriesId series, int row) {
    return std::string(ofSize(series, row).canonical.view());
}

}  // namespace detail

using detail::appendInchSize;
using detail::appendLeadAndPitch;
using detail::appendMicro;
using detail::kMicro;
using detail::writeCanonical;

FixedText<8> ThreadClass::text() const {
    FixedText<8> out;
    if (grade != 0) out.append(static_cast<char>('0' + grade));  // G's classes are letters
    if (position != 0) out.append(position);
    if (crestGrade != 0 && crestGrade != grade) {
        out.append(static_cast<char>('0' + crestGrade));
        out.append(position);
    }
    return out;
}

Designation ofSize(SeriesId series, int row) {
    Designation d;
    d.series = series;
    d.sizeIndex = row;
    if (series == series::R) d.taperThread = TaperPipeThread::R;
    writeCanonical(d, 0, 0);
    return d;
}

Designation sizeOnly(const Designation& d) {
    Designation size = d;
    size.externalClass.reset();
    size.internalClass.reset();
    size.hand = Hand::Right;
    if (!isValidSeries(size.series)) return size;
    if (!size.special && (size.sizeIndex < 0 || size.sizeIndex >= sizeCount(size.series))) {
        return size;
    }
    // The reader keeps a special size to six places, so the millionths come back exactly.
    const auto micro = [](double value) {
        return std::llround(value * static_cast<double>(kMicro));
    };
    writeCanonical(size, size.special ? micro(size.special->majorDiameter) : 0,
                   size.special ? micro(size.special->pitch) : 0);
    return size;
}

SizeTexts sizeTexts(const Designation& d) {
    SizeTexts texts;
    if (!isValidSeries(d.series)) return texts;
    if (!d.special) {
        if (d.sizeIndex < 0 || d.sizeIndex >= sizeCount(d.series)) return texts;
        const SizeEntry& e = seriesById(d.series).sizeTable->rows[d.sizeIndex];
        texts.size.append(e.designation);
        texts.pitch.append(e.pitchText);
        return texts;
    }
    // The reader keeps a special size to six places, so the millionths come back exactly.
    const auto micro = [](double value) {
        return std::llround(value * static_cast<double>(kMicro));
    };
    const std::int64_t size = micro(d.special->majorDiameter);
    const std::int64_t pitch = micro(d.special->pitch);
    const SeriesFamily family = seriesById(d.series).family;
    if (family == SeriesFamily::IsoMetric || family == SeriesFamily::Trapezoidal) {
        texts.size.append(family == SeriesFamily::IsoMetric ? "M" : "Tr");
        appendMicro(texts.size, size, 0, false);
    } else {
        appendInchSize(texts.size, d.series, size, pitch);
    }
    appendLeadAndPitch(texts.pitch, pitch, d.starts);
    return texts;
}

}  // namespace torveld::designation
