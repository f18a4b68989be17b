#include "series.h"

#include <charconv>
#include <string>

#include "limit_tables.h"
#include "size_tables.h"

namespace torveld {

namespace {

using F = SeriesFamily;
using T = ThreadForm;
using D = DisplayFamily;
using U = PitchUnit;
namespace st = size_tables;
namespace lt = limits;

// Indexed by SeriesId: id, name, family, thread form, display, pitch unit, size table, limit
// tables.
// clang-format off
const ThreadSeries kCatalogue[series::kCount] = {
    {series::UNC, "UNC", F::Unified, T::Unified60, D::Unified, U::ThreadsPerInch, &st::kUnc, &lt::uncFirst, &lt::uncSecond},
    {series::UNF, "UNF", F::Unified, T::Unified60, D::Unified, U::ThreadsPerInch, &st::kUnf, &lt::unfFirst, &lt::unfSecond},
    {series::UNEF, "UNEF", F::Unified, T::Unified60, D::Unified, U::ThreadsPerInch, &st::kUnef, &lt::unefFirst, &lt::unefSecond},
    {series::UN, "UN", F::Unified, T::Unified60, D::Unified, U::ThreadsPerInch, &st::kUn, &lt::unFirst, &lt::unSecond},
    {series::UNS, "UNS", F::UNS, T::Unified60, D::UNS, U::ThreadsPerInch, &st::kUns, &lt::uns, nullptr},
    {series::UNJ, "UNJ", F::UNJ, T::UNJ, D::UNJ, U::ThreadsPerInch, &st::kUnj, &lt::unj, nullptr},
    {series::UNJC, "UNJC", F::UNJ, T::UNJ, D::UNJ, U::ThreadsPerInch, &st::kUnjc, &lt::unjc, nullptr},
    {series::UNJF, "UNJF", F::UNJ, T::UNJ, D::UNJ, U::ThreadsPerInch, &st::kUnjf, &lt::unjf, nullptr},
    {series::UNJEF, "UNJEF", F::UNJ, T::UNJ, D::UNJ, U::ThreadsPerInch, &st::kUnjef, &lt::unjef, nullptr},
    {series::NPT, "NPT", F::TaperPipe, T::TaperPipe, D::TaperPipe, U::ThreadsPerInch, &st::kNpt, &lt::npt, nullptr},
    {series::NPTF, "NPTF", F::TaperPipe, T::TaperPipe, D::TaperPipe, U::ThreadsPerInch, &st::kNptf, &lt::nptf, nullptr},
    {series::NPSM, "NPSM", F::StraightPipe, T::NPSM, D::NPSM, U::ThreadsPerInch, &st::kNpsm, &lt::npsm, nullptr},
    {series::NPSL, "NPSL", F::StraightPipe, T::NPSL, D::NPSL, U::ThreadsPerInch, &st::kNpsl, &lt::npsl, nullptr},
    {series::ACME, "ACME", F::Acme, T::Acme29, D::Acme, U::ThreadsPerInch, &st::kAcme, &lt::acmeFirst, &lt::acmeSecond},
    {series::STUB_ACME, "STUB ACME", F::Acme, T::StubAcme, D::StubAcme, U::ThreadsPerInch, &st::kAcme, &lt::stubAcme, nullptr},
    {series::ISO_COARSE, "ISO COARSE", F::IsoMetric, T::Unified60, D::IsoCoarse, U::Millimetres, &st::kIsoCoarse, &lt::isoCoarseFirst, &lt::isoCoarseSecond},
    {series::ISO_FINE, "ISO FINE", F::IsoMetric, T::Unified60, D::IsoFine, U::Millimetres, &st::kIsoFine, &lt::isoFineFirst, &lt::isoFineSecond},
    {series::UNM, "UNM", F::UNM, T::UNM, D::UNM, U::Millimetres, &st::kUnm, &lt::unm, nullptr},
    {series::BSW, "BSW", F::Whitworth, T::Whitworth55, D::Whitworth, U::ThreadsPerInch, &st::kBsw, &lt::bsw, nullptr},
    {series::BSF, "BSF", F::Whitworth, T::Whitworth55, D::Whitworth, U::ThreadsPerInch, &st::kBsf, &lt::bsf, nullptr},
    {series::BA, "BA", F::BA, T::BA47, D::BA, U::Millimetres, &st::kBa, &lt::ba, nullptr},
    {series::UNC_STI, "UNC-STI", F::ThreadInsert, T::InsertTapping, D::ThreadInsert, U::ThreadsPerInch, &st::kUncSti, &lt::uncSti, nullptr},
    {series::UNF_STI, "UNF-STI", F::ThreadInsert, T::InsertTapping, D::ThreadInsert, U::ThreadsPerInch, &st::kUnfSti, &lt::unfSti, nullptr},
    {series::G, "G", F::BritishPipe, T::Whitworth55, D::BritishPipe, U::ThreadsPerInch, &st::kG, &lt::gPipe, nullptr},
    {series::R, "R", F::BritishTaper, T::BritishTaper55, D::BritishTaper, U::ThreadsPerInch, &st::kR, &lt::rPipe, nullptr},
    {series::TR, "Tr", F::Trapezoidal, T::Trapezoidal30, D::Trapezoidal, U::Millimetres, &st::kTr, &lt::trapezoidal, nullptr},
};
// clang-format on

}  // namespace

bool isValidSeries(SeriesId id) {
    return id >= 0 && id < series::kCount;
}

const ThreadSeries& seriesById(SeriesId id) {
    return kCatalogue[id];
}

int sizeCount(SeriesId id) {
    return isValidSeries(id) ? kCatalogue[id].sizeTable->rowCount : 0;
}

double leadingNumber(std::string_view text) {
    // Read with the decimal point whatever the process locale says: under a decimal-comma
    // locale "1.5" is still one and a half. Leading blanks and a sign are accepted as a C
    // reader would; anything that is not a number reads as 0.
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return 0.0;
    bool negative = false;
    if (text[start] == '+' || text[start] == '-') {
        negative = text[start] == '-';
        ++start;
    }
    double value = 0.0;
    const char* first = text.data() + start;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc{} || end == first) return 0.0;
    return negative ? -value : value;
}

double pitchTextValue(std::string_view text) {
    const auto blank = text.find(' ');
    const auto slash = text.find('/');
    if (blank == std::string_view::npos || slash == std::string_view::npos || slash < blank) {
        return leadingNumber(text);
    }
    const double whole = leadingNumber(text.substr(0, blank));
    const std::string_view fraction = text.substr(blank + 1);
    const auto bar = fraction.find('/');
    const double numerator = leadingNumber(fraction.substr(0, bar));
    const double denominator = leadingNumber(fraction.substr(bar + 1));
    return denominator != 0.0 ? whole + numerator / denominator : whole;
}

SizeRow sizeRow(SeriesId id, int row) {
    const ThreadSeries& s = kCatalogue[id];
    const SizeEntry& entry = s.sizeTable->rows[row];
    const double value = pitchTextValue(entry.pitchText);
    const double pitch = s.pitchUnit == PitchUnit::Millimetres ? value / 25.4 : 1.0 / value;
    return SizeRow{entry.designation, entry.pitchText, pitch};
}

std::string sizeListEntry(const SizeEntry& entry) {
    std::string text = "  ";
    text += entry.designation;
    text += " - ";
    text += entry.pitchText;
    return text;
}

}  // namespace torveld
