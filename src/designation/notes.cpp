// The notes on how a designation was read: one sentence for each ReadingNote, written from the
// designation. A new note is one row of kSentences (after its enumerator in designation.h); its
// sentence may name
//   {size}      the size and pitch: "1/4-20", "M10x1.25"
//   {written}   the series as it was written: "UN", "UNJ", "UNR"
//   {series}    the series as the canonical text names it: "UNC", "UNRC"
//   {base}      the series whose tables give the limits: "UNC" (of UNRC too)
//   {standard}  the standard of the series: "ASME B1.1"
#include <iterator>

#include "stages.h"

namespace torveld::designation {

namespace {

struct NoteSentence {
    ReadingNote note;
    std::string_view sentence;
};

// clang-format off
constexpr NoteSentence kSentences[] = {
    {ReadingNote::GradedSize, "{size} {written} reads as {size} {series}: {standard} lists {size} in {base}"},
    {ReadingNote::RoundedRoot, "{series}: the external thread has the rounded root of UNR; its limits of size are those of {base}"},
    {ReadingNote::TradeNameBspp, "BSPP is the trade name of the British parallel pipe thread G of ISO 228-1"},
    {ReadingNote::TradeNameBspt, "BSPT is the trade name of the British taper pipe thread R of ISO 7-1 (internal Rc and Rp)"},
};
// clang-format on

constexpr bool oneRowPerNoteInOrder() {
    if (std::size(kSentences) != static_cast<std::size_t>(ReadingNote::kCount)) return false;
    for (std::size_t i = 0; i < std::size(kSentences); ++i) {
        if (kSentences[i].note != static_cast<ReadingNote>(i)) return false;
    }
    return true;
}
static_assert(oneRowPerNoteInOrder(), "every ReadingNote has its sentence, in the enum's order");

std::string_view standardOf(SeriesId id) {
    switch (seriesById(id).family) {
        case SeriesFamily::Unified:
        case SeriesFamily::UNS:
            return "ASME B1.1";
        case SeriesFamily::UNJ:
            return "ASME B1.15";
        default:
            return "";
    }
}

// The series as written where the designation was read into another: UNR for a rounded root,
// else the constant-pitch series of the family (UN, UNJ).
std::string_view writtenSeries(const Designation& d) {
    if (d.roundedRoot) return "UNR";
    return seriesById(d.series).family == SeriesFamily::UNJ ? "UNJ" : "UN";
}

std::string field(std::string_view name, const Designation& d) {
    if (name == "size") {
        const SizeTexts texts = sizeTexts(d);
        std::string text(texts.size.view());
        text += seriesById(d.series).family == SeriesFamily::IsoMetric ? 'x' : '-';
        text += texts.pitch.view();
        return text;
    }
    if (name == "written") return std::string(writtenSeries(d));
    if (name == "series") return std::string(detail::seriesText(d.series, d.roundedRoot).view());
    if (name == "base") return detail::seriesName(d.series);
    if (name == "standard") return std::string(standardOf(d.series));
    return std::string(name);
}

std::string sentenceOf(std::string_view pattern, const Designation& d) {
    std::string text;
    while (!pattern.empty()) {
        const std::size_t open = pattern.find('{');
        const std::size_t close = pattern.find('}', open);
        if (open == std::string_view::npos || close == std::string_view::npos) {
            text += pattern;
            break;
        }
        text += pattern.substr(0, open);
        text += field(pattern.substr(open + 1, close - open - 1), d);
        pattern.remove_prefix(close + 1);
    }
    return text;
}

}  // namespace

std::vector<std::string> readingNotes(const Designation& d) {
    std::vector<std::string> sentences;
    if (!isValidSeries(d.series)) return sentences;
    for (const NoteSentence& s : kSentences) {
        if (d.notes.has(s.note)) sentences.push_back(sentenceOf(s.sentence, d));
    }
    return sentences;
}

}  // namespace torveld::designation
