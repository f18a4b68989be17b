// The words a series is written with. A new series, or another word for one, is one row of
// kAliases: the word in lower case, without the blanks and dashes it may be written with (a
// series whose name has a blank or a dash, "STUB ACME", is also read as two words).
#include "stages.h"

namespace torveld::designation::detail {

namespace {

constexpr Alias kAliases[] = {
    {"unc", SeriesGroup::One, series::UNC},
    {"unf", SeriesGroup::One, series::UNF},
    {"unef", SeriesGroup::One, series::UNEF},
    {"un", SeriesGroup::One, series::UN},
    {"uns", SeriesGroup::One, series::UNS},
    {"unj", SeriesGroup::One, series::UNJ},
    {"unjc", SeriesGroup::One, series::UNJC},
    {"unjf", SeriesGroup::One, series::UNJF},
    {"unjef", SeriesGroup::One, series::UNJEF},
    {"npt", SeriesGroup::One, series::NPT},
    {"nptf", SeriesGroup::One, series::NPTF},
    {"npsm", SeriesGroup::One, series::NPSM},
    {"npsl", SeriesGroup::One, series::NPSL},
    {"acme", SeriesGroup::One, series::ACME},
    {"stubacme", SeriesGroup::One, series::STUB_ACME},
    {"isocoarse", SeriesGroup::One, series::ISO_COARSE},
    {"isofine", SeriesGroup::One, series::ISO_FINE},
    {"iso", SeriesGroup::Iso, -1},
    {"unm", SeriesGroup::One, series::UNM},
    {"bsw", SeriesGroup::One, series::BSW},
    {"bsf", SeriesGroup::One, series::BSF},
    {"ba", SeriesGroup::One, series::BA},
    {"uncsti", SeriesGroup::One, series::UNC_STI},
    {"unfsti", SeriesGroup::One, series::UNF_STI},
    {"sti", SeriesGroup::Sti, -1},
    // UNR: the external thread with a rounded root, of the same sizes and limits (ASME B1.1).
    {"unr", SeriesGroup::One, series::UN, true},
    {"unrc", SeriesGroup::One, series::UNC, true},
    {"unrf", SeriesGroup::One, series::UNF, true},
    {"unref", SeriesGroup::One, series::UNEF, true},
    {"unrs", SeriesGroup::One, series::UNS, true},
    // The British pipe threads and the metric trapezoidal thread, which their standards write
    // before the size (G 1/2, R 1/2, Tr20x4); the trade names after it (1/2 BSPP).
    {"g", SeriesGroup::One, series::G, false, TaperPipeThread::None, false, true},
    {"bspp", SeriesGroup::One, series::G, false, TaperPipeThread::None, true},
    {"r", SeriesGroup::One, series::R, false, TaperPipeThread::R, false, true},
    {"rc", SeriesGroup::One, series::R, false, TaperPipeThread::Rc, false, true},
    {"rp", SeriesGroup::One, series::R, false, TaperPipeThread::Rp, false, true},
    {"bspt", SeriesGroup::One, series::R, false, TaperPipeThread::R, true},
    {"tr", SeriesGroup::One, series::TR, false, TaperPipeThread::None, false, true},
};

constexpr StandardWord kStandards[] = {
    {"iso", 228, 1, series::G, "ISO 228-1"},
    {"iso", 7, 1, series::R, "ISO 7-1"},
    {"en", 10226, 1, series::R, "EN 10226-1"},
    {"bs", 21, 0, series::R, "BS 21"},
};

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::size_t row[16];
    if (b.size() >= 16) return 99;
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::span<const Alias> aliases() {
    return kAliases;
}

std::span<const StandardWord> standardWords() {
    return kStandards;
}

const Alias* findTwoWordAlias(std::string_view joined) {
    const Alias* a = findAlias(joined);
    if (!a || a->group != SeriesGroup::One || a->roundedRoot) return nullptr;
    const std::string_view name = seriesById(a->id).name;
    return name.find_first_of(" -") != std::string_view::npos ? a : nullptr;
}

const Alias* findAlias(std::string_view lowerWord) {
    for (const Alias& a : kAliases) {
        if (a.word == lowerWord) return &a;
    }
    return nullptr;
}

const Alias* nearestAlias(std::string_view lowerWord) {
    const Alias* best = nullptr;
    std::size_t bestDistance = 99;
    for (const Alias& a : kAliases) {
        // Every short word is one slip from a one-letter series (G, R): no evidence of either.
        if (a.word.size() < 2) continue;
        const std::size_t d = editDistance(lowerWord, a.word);
        if (d < bestDistance) {
            bestDistance = d;
            best = &a;
        }
    }
    const std::size_t allowed = lowerWord.size() <= 3 ? 1 : 2;
    return best && bestDistance <= allowed ? best : nullptr;
}

bool hasRoundedRoot(SeriesId id) {
    for (const Alias& a : kAliases) {
        if (a.roundedRoot && a.id == id) return true;
    }
    return false;
}

FixedText<16> aliasText(const Alias& a) {
    FixedText<16> text;
    if (a.group == SeriesGroup::One && !a.roundedRoot && !a.tradeName) {
        text = seriesText(a.id, false, a.taper);
    } else {
        for (const char c : a.word) text.append(upper(c));
    }
    return text;
}

FixedText<16> seriesText(SeriesId id, bool roundedRoot, TaperPipeThread taper) {
    FixedText<16> text;
    if (id == series::R) {
        text.append(taper == TaperPipeThread::Rc   ? "Rc"
                    : taper == TaperPipeThread::Rp ? "Rp"
                                                   : "R");
        return text;
    }
    if (roundedRoot) {
        for (const Alias& a : kAliases) {
            if (a.roundedRoot && a.id == id) {
                for (const char c : a.word) text.append(upper(c));
                return text;
            }
        }
    }
    text.append(seriesById(id).name);
    return text;
}

}  // namespace torveld::designation::detail
