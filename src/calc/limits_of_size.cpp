#include "limits_of_size.h"

#include "british_pipe.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace torveld::limits_of_size {

namespace {

using R = ClassRecord;
using L = Limit;

// Which of a series' two tables a cell comes from.
enum class From { First, Second };

// One (column, field) pair: the cell of `column` in table `from` is the value of `field`.
struct CellMap {
    From from;
    int column;
    ResultField field;
};

constexpr ResultField csinkMin = &ThreadResults::csinkMin;
constexpr ResultField csinkMax = &ThreadResults::csinkMax;

// The column maps of the table layouts (see limit_tables.cpp for what each column holds). A
// table of the second layout of a series may take cells of the first: the close class shares
// values with the normal one.

// UN10: the normal class of the Unified series, UNS and ISO metric.
constexpr CellMap kUn10[] = {
    {From::First, 0, {R::ExtNormal, L::MajorMax}}, {From::First, 1, {R::ExtNormal, L::MajorMin}},
    {From::First, 2, {R::ExtNormal, L::PitchMax}}, {From::First, 3, {R::ExtNormal, L::PitchMin}},
    {From::First, 4, {R::ExtNormal, L::MinorRef}}, {From::First, 5, {R::IntNormal, L::MinorMin}},
    {From::First, 6, {R::IntNormal, L::MinorMax}}, {From::First, 7, {R::IntNormal, L::PitchMin}},
    {From::First, 8, {R::IntNormal, L::PitchMax}}, {From::First, 9, {R::IntNormal, L::MajorMin}},
};

// UN7: the close class; the internal minimums are those of the normal class (first table).
constexpr CellMap kUn7[] = {
    {From::Second, 0, {R::ExtClose, L::MajorMax}}, {From::Second, 1, {R::ExtClose, L::MajorMin}},
    {From::Second, 2, {R::ExtClose, L::PitchMax}}, {From::Second, 3, {R::ExtClose, L::PitchMin}},
    {From::Second, 4, {R::ExtClose, L::MinorRef}}, {From::First, 5, {R::IntClose, L::MinorMin}},
    {From::Second, 5, {R::IntClose, L::MinorMax}}, {From::First, 7, {R::IntClose, L::PitchMin}},
    {From::Second, 6, {R::IntClose, L::PitchMax}}, {From::First, 9, {R::IntClose, L::MajorMin}},
};

// UNJ9: one class, shown in the close rows. The internal pitch and major minimums are the
// external pitch and major maximums of the same row.
constexpr CellMap kUnj9[] = {
    {From::First, 0, {R::ExtClose, L::MajorMax}}, {From::First, 1, {R::ExtClose, L::MajorMin}},
    {From::First, 2, {R::ExtClose, L::PitchMax}}, {From::First, 3, {R::ExtClose, L::PitchMin}},
    {From::First, 4, {R::ExtClose, L::MinorMax}}, {From::First, 8, {R::ExtClose, L::MinorMin}},
    {From::First, 5, {R::IntClose, L::MinorMin}}, {From::First, 6, {R::IntClose, L::MinorMax}},
    {From::First, 2, {R::IntClose, L::PitchMin}}, {From::First, 7, {R::IntClose, L::PitchMax}},
    {From::First, 0, {R::IntClose, L::MajorMin}},
};

constexpr CellMap kNpsm9[] = {
    {From::First, 0, {R::ExtNormal, L::MajorMax}}, {From::First, 1, {R::ExtNormal, L::MajorMin}},
    {From::First, 2, {R::ExtNormal, L::PitchMax}}, {From::First, 3, {R::ExtNormal, L::PitchMin}},
    {From::First, 4, {R::IntNormal, L::MinorMin}}, {From::First, 5, {R::IntNormal, L::MinorMax}},
    {From::First, 6, {R::IntNormal, L::PitchMin}}, {From::First, 7, {R::IntNormal, L::PitchMax}},
};

// NPSL has no external major minimum and no internal minor maximum, hence no means.
constexpr CellMap kNpsl7[] = {
    {From::First, 0, {R::ExtNormal, L::MajorMax}}, {From::First, 1, {R::ExtNormal, L::PitchMax}},
    {From::First, 2, {R::ExtNormal, L::PitchMin}}, {From::First, 3, {R::IntNormal, L::MinorMin}},
    {From::First, 4, {R::IntNormal, L::PitchMin}}, {From::First, 5, {R::IntNormal, L::PitchMax}},
};

// ACME12, columns 0 to 11: the normal (2G) class; STUB13 carries the same quantities for its one
// class (its column 12, 0.6506 P, is not read).
constexpr CellMap kAcme12[] = {
    {From::First, 0, {R::ExtNormal, L::MajorMax}}, {From::First, 1, {R::ExtNormal, L::MajorMin}},
    {From::First, 2, {R::ExtNormal, L::PitchMax}}, {From::First, 3, {R::ExtNormal, L::PitchMin}},
    {From::First, 4, {R::ExtNormal, L::MinorMax}}, {From::First, 10, {R::ExtNormal, L::MinorMin}},
    {From::First, 5, {R::IntNormal, L::MinorMin}}, {From::First, 6, {R::IntNormal, L::MinorMax}},
    {From::First, 7, {R::IntNormal, L::PitchMin}}, {From::First, 8, {R::IntNormal, L::PitchMax}},
    {From::First, 9, {R::IntNormal, L::MajorMin}}, {From::First, 11, {R::IntNormal, L::MajorMax}},
};

// ACME4: the 4G class, which shares every major and minor value with 2G except the external
// minor minimum.
constexpr CellMap kAcme4[] = {
    {From::First, 0, {R::ExtClose, L::MajorMax}},  {From::First, 1, {R::ExtClose, L::MajorMin}},
    {From::Second, 0, {R::ExtClose, L::PitchMax}}, {From::Second, 1, {R::ExtClose, L::PitchMin}},
    {From::First, 4, {R::ExtClose, L::MinorMax}},  {From::Second, 3, {R::ExtClose, L::MinorMin}},
    {From::First, 5, {R::IntClose, L::MinorMin}},  {From::First, 6, {R::IntClose, L::MinorMax}},
    {From::First, 7, {R::IntClose, L::PitchMin}},  {From::Second, 2, {R::IntClose, L::PitchMax}},
    {From::First, 9, {R::IntClose, L::MajorMin}},  {From::First, 11, {R::IntClose, L::MajorMax}},
};

constexpr CellMap kUnm12[] = {
    {From::First, 0, {R::ExtNormal, L::MajorMax}},  {From::First, 1, {R::ExtNormal, L::MajorMin}},
    {From::First, 2, {R::ExtNormal, L::PitchMax}},  {From::First, 3, {R::ExtNormal, L::PitchMin}},
    {From::First, 4, {R::ExtNormal, L::MinorMax}},  {From::First, 5, {R::ExtNormal, L::MinorMin}},
    {From::First, 6, {R::IntNormal, L::MinorMin}},  {From::First, 7, {R::IntNormal, L::MinorMax}},
    {From::First, 8, {R::IntNormal, L::PitchMin}},  {From::First, 9, {R::IntNormal, L::PitchMax}},
    {From::First, 10, {R::IntNormal, L::MajorMin}}, {From::First, 11, {R::IntNormal, L::MajorMax}},
};

// STI8: the tapped hole of a screw-thread insert; internal values only. Both classes share the
// minor limits, the pitch minimum and the major diameter.
constexpr CellMap kSti8[] = {
    {From::First, 0, csinkMin},
    {From::First, 1, csinkMax},
    {From::First, 5, {R::IntNormal, L::MinorMin}},
    {From::First, 6, {R::IntNormal, L::MinorMax}},
    {From::First, 2, {R::IntNormal, L::PitchMin}},
    {From::First, 4, {R::IntNormal, L::PitchMax}},
    {From::First, 7, {R::IntNormal, L::MajorMax}},
    {From::First, 5, {R::IntClose, L::MinorMin}},
    {From::First, 6, {R::IntClose, L::MinorMax}},
    {From::First, 2, {R::IntClose, L::PitchMin}},
    {From::First, 3, {R::IntClose, L::PitchMax}},
    {From::First, 7, {R::IntClose, L::MajorMax}},
};

// The cells a table of each layout gives, and how many columns it must have. PIPE7 (the pipe
// dimensions) and BASIC3 (the basic sizes the British limits are computed from) give no limit
// directly.
struct LayoutMap {
    LimitLayout layout;
    int columns;
    std::span<const CellMap> cells;
};

// TR11: the medium classes of the metric trapezoidal threads, 7e and 7H; the internal major
// diameter has only its minimum, D4.
constexpr CellMap kTr11[] = {
    {From::First, 0, {R::ExtNormal, L::MajorMax}},  {From::First, 1, {R::ExtNormal, L::MajorMin}},
    {From::First, 2, {R::ExtNormal, L::PitchMax}},  {From::First, 3, {R::ExtNormal, L::PitchMin}},
    {From::First, 4, {R::ExtNormal, L::MinorMax}},  {From::First, 5, {R::ExtNormal, L::MinorMin}},
    {From::First, 6, {R::IntNormal, L::MinorMin}},  {From::First, 7, {R::IntNormal, L::MinorMax}},
    {From::First, 8, {R::IntNormal, L::PitchMin}},  {From::First, 9, {R::IntNormal, L::PitchMax}},
    {From::First, 10, {R::IntNormal, L::MajorMin}},
};

constexpr LayoutMap kLayouts[] = {
    {LimitLayout::UN10, 10, kUn10},     {LimitLayout::UN7, 7, kUn7},
    {LimitLayout::UNJ9, 9, kUnj9},      {LimitLayout::PIPE7, 7, {}},
    {LimitLayout::NPSM9, 9, kNpsm9},    {LimitLayout::NPSL7, 7, kNpsl7},
    {LimitLayout::ACME12, 12, kAcme12}, {LimitLayout::ACME4, 4, kAcme4},
    {LimitLayout::STUB13, 13, kAcme12}, {LimitLayout::UNM12, 12, kUnm12},
    {LimitLayout::BASIC3, 3, {}},       {LimitLayout::STI8, 8, kSti8},
    {LimitLayout::GPIPE10, 10, {}},     {LimitLayout::RPIPE18, 18, {}},
    {LimitLayout::TR11, 11, kTr11},
};

const LayoutMap* mapOf(LimitLayout layout) {
    for (const LayoutMap& m : kLayouts) {
        if (m.layout == layout) return &m;
    }
    return nullptr;
}

bool holds(const LimitTable* table, int row) {
    if (table == nullptr || row < 0 || row >= table->rows) return false;
    const LayoutMap* map = mapOf(table->layout);
    return map != nullptr && table->columns >= map->columns;
}

// A cell as a length in inches; a cell of 0 holds no value for that size.
Length cell(const LimitTable& table, int row, int column) {
    if (table.stored(row, column) == 0.0f) return std::nullopt;
    return table.read(row, column);
}

// Copies the cells of `table`'s layout. A cell of the first table that a second table's layout
// names is read from `first`.
void copyCells(const LimitTable& table, const LimitTable& first, int row, ThreadResults& r) {
    for (const CellMap& c : mapOf(table.layout)->cells) {
        const LimitTable& source = c.from == From::First ? first : table;
        if (Length* field = c.field.in(r)) *field = cell(source, row, c.column);
    }
}

// The mean of two limits; no value when either limit is missing.
Length mean(const Length& a, const Length& b) {
    if (!a || !b) return std::nullopt;
    return (*a + *b) * 0.5;
}

// BSW and BSF: medium (normal) and close class from the basic sizes.
namespace whitworth {
// The effective-diameter tolerance of the medium class, with the length of engagement taken
// equal to D: T = 0.002 D^(1/3) + 0.003 sqrt(D) + 0.005 sqrt(P).
constexpr double kToleranceCubeRootD = 0.002;
constexpr double kToleranceRootD = 0.003;
constexpr double kToleranceRootP = 0.005;
constexpr double kCubeRoot = 0.333333333333;
// The medium-class external thread is made undersize by 0.3 T up to 3/4 inch; below 1/4 inch
// the allowance is a fixed amount.
constexpr double kAllowanceOfTolerance = 0.3;
constexpr double kLargestUndersize = 0.75;
constexpr double kFixedAllowanceBelow = 0.25;
constexpr double kBswFixedAllowance = 0.0012;
constexpr double kBsfFixedAllowance = 0.0011;
// The close class takes two thirds of the medium tolerances.
constexpr double kCloseOfMedium = 0.6666666666667;
// Major and minor tolerances: the pitch-diameter tolerance plus a multiple of sqrt(P).
constexpr double kMajorRootP = 0.01;
constexpr double kMediumMinorRootP = 0.02;
constexpr double kCloseMinorRootP = 0.013;
// Internal minor tolerance 0.2 P + c, c graded by threads per inch.
constexpr double kMinorOfPitch = 0.2;
constexpr double kMinorCFine = 0.004;    // 26 threads per inch and finer
constexpr double kMinorCMiddle = 0.005;  // 24 and 22
constexpr double kMinorCCoarse = 0.007;  // 20 and coarser

void limits(SeriesId id, const LimitTable& table, int row, ThreadResults& r) {
    const double p = r.pitch;
    const double d = table.read(row, 0);  // basic major
    const double e = table.read(row, 1);  // basic effective
    const double m = table.read(row, 2);  // basic minor
    const double rootP = std::pow(p, 0.5);
    const double tol = kToleranceCubeRootD * std::pow(d, kCubeRoot) +
                       kToleranceRootD * std::pow(d, 0.5) + kToleranceRootP * rootP;

    double allowance = d <= kLargestUndersize ? kAllowanceOfTolerance * tol : 0.0;
    if (d < kFixedAllowanceBelow) {
        allowance = id == series::BSW ? kBswFixedAllowance : kBsfFixedAllowance;
    }
    double c = kMinorCMiddle;
    if (p <= 1.0 / 26.0) {
        c = kMinorCFine;
    } else if (p >= 1.0 / 20.0) {
        c = kMinorCCoarse;
    }

    ExternalLimits& en = r.extNormal;
    en.majorMax = d - allowance;
    en.pitchMax = e - allowance;
    en.minorMax = m - allowance;
    en.majorMin = *en.majorMax - (tol + kMajorRootP * rootP);
    en.pitchMin = *en.pitchMax - tol;
    en.minorMin = *en.minorMax - (tol + kMediumMinorRootP * rootP);

    ExternalLimits& ec = r.extClose;
    ec.majorMax = d;
    ec.majorMin = d - (kCloseOfMedium * tol + kMajorRootP * rootP);
    ec.pitchMax = e;
    ec.pitchMin = e - kCloseOfMedium * tol;
    ec.minorMax = m;
    ec.minorMin = m - (kCloseOfMedium * tol + kCloseMinorRootP * rootP);

    InternalLimits& in = r.intNormal;
    in.majorMin = d;
    in.majorMax = d + (tol + kMajorRootP * rootP);
    in.pitchMin = e;
    in.pitchMax = e + tol;
    in.minorMin = m;
    in.minorMax = m + kMinorOfPitch * p + c;

    InternalLimits& ic = r.intClose;
    ic.majorMin = d;
    ic.majorMax = d + (kCloseOfMedium * tol + kMajorRootP * rootP);
    ic.pitchMin = e;
    ic.pitchMax = e + kCloseOfMedium * tol;
    ic.minorMin = m;
    ic.minorMax = m + kMinorOfPitch * p + c;
}
}  // namespace whitworth

// BA: normal and close class from the basic sizes (millimetre cells, read in inches). The
// allowance of the normal external class applies from 10 BA (1.7 mm) upward.
void baLimits(const LimitTable& table, int row, ThreadResults& r) {
    const double p = r.pitch;
    const double d = table.read(row, 0);
    const double e = table.read(row, 1);
    const double m = table.read(row, 2);

    ExternalLimits& en = r.extNormal;
    if (table.stored(row, 0) >= 1.7f) {
        en.majorMax = d - 0.025 / 25.4;
        en.majorMin = *en.majorMax - 0.2 * p;
        en.pitchMax = e - 0.025 / 25.4;
        en.minorMax = m - 0.025 / 25.4;
        en.minorMin = *en.minorMax - (0.2 * p + 0.05 / 25.4);
    } else {
        en.majorMax = d;
        en.majorMin = d - 0.25 * p;
        en.pitchMax = e;
        en.minorMax = m;
        en.minorMin = m - (0.2 * p + 0.05 / 25.4);
    }
    en.pitchMin = *en.pitchMax - (0.1 * p + 0.025 / 25.4);

    ExternalLimits& ec = r.extClose;
    ec.majorMax = d;
    ec.majorMin = d - 0.15 * p;
    ec.pitchMax = e;
    ec.pitchMin = e - (0.08 * p + 0.02 / 25.4);
    ec.minorMax = m;
    ec.minorMin = m - (0.16 * p + 0.04 / 25.4);

    for (InternalLimits* i : {&r.intNormal, &r.intClose}) {
        i->minorMin = m;
        i->minorMax = m + 0.375 * p;
        i->pitchMin = e;
        i->pitchMax = e + (0.12 * p + 0.03 / 25.4);
        i->majorMin = d;
    }
}

// The Acme external crest flat narrows with the pitch-diameter allowance 0.006 x sqrt(D) of the
// maximum major diameter D; 0.259 is the flat change per unit of pitch-diameter change of the
// 29 degree form.
void acmeExternalFlat(ThreadResults& r) {
    if (!r.extNormal.majorMax) return;
    const double d = *r.extNormal.majorMax;
    r.extFlat = 0.37069 * r.pitch - 0.259 * (0.006 * std::pow(d, 0.5));
}

}  // namespace

bool tablesHoldRow(SeriesId id, int row) {
    if (!isValidSeries(id)) return false;
    const ThreadSeries& s = seriesById(id);
    if (!holds(s.firstTable, row)) return false;
    if (s.secondTable != nullptr && !holds(s.secondTable, row)) return false;
    // NPTF takes the overall external thread length of the same pipe size from NPT.
    if (s.family == SeriesFamily::TaperPipe) return holds(seriesById(series::NPT).firstTable, row);
    return true;
}

void apply(SeriesId id, int row, ThreadResults& r) {
    const ThreadSeries& s = seriesById(id);
    const LimitTable& first = *s.firstTable;
    copyCells(first, first, row, r);
    if (s.secondTable != nullptr) copyCells(*s.secondTable, first, row, r);
    if (s.family == SeriesFamily::Whitworth) whitworth::limits(id, first, row, r);
    if (s.family == SeriesFamily::BA) baLimits(first, row, r);
    if (s.family == SeriesFamily::BritishPipe) {
        // G: the external class B (the wider tolerance) in the normal record, A (the closer)
        // in the close one, the one internal class in the normal internal record.
        if (const auto g = british_pipe::parallelLimits(row)) {
            r.extNormal = g->classB;
            r.extClose = g->classA;
            r.intNormal = g->internal;
        }
    }
    if (s.family == SeriesFamily::BritishTaper) {
        // The parallel internal thread Rp: the one class with limits of size; R and Rc are
        // gauged at their gauge plane.
        if (const auto rp = british_pipe::rpLimits(row)) r.intNormal = *rp;
    }
    completeLimits(id, r);
}

void completeLimits(SeriesId id, ThreadResults& r) {
    if (seriesById(id).form == ThreadForm::Acme29) acmeExternalFlat(r);
    for (ExternalLimits* e : {&r.extNormal, &r.extClose})
        e->majorMean = mean(e->majorMax, e->majorMin);
    for (InternalLimits* i : {&r.intNormal, &r.intClose})
        i->minorMean = mean(i->minorMin, i->minorMax);
}

std::vector<const LimitTable*> sourcesOf(SeriesId id, ClassRecord record) {
    std::vector<const LimitTable*> sources;
    if (!isValidSeries(id)) return sources;
    const ThreadSeries& s = seriesById(id);
    if (s.family == SeriesFamily::Whitworth || s.family == SeriesFamily::BA ||
        s.family == SeriesFamily::BritishPipe || s.family == SeriesFamily::BritishTaper) {
        sources.push_back(s.firstTable);
        return sources;
    }
    const auto add = [&](const LimitTable* table) {
        if (std::find(sources.begin(), sources.end(), table) == sources.end()) {
            sources.push_back(table);
        }
    };
    for (const LimitTable* table : {s.firstTable, s.secondTable}) {
        if (table == nullptr) continue;
        const LayoutMap* map = mapOf(table->layout);
        if (map == nullptr) continue;
        for (const CellMap& c : map->cells) {
            if (c.field.isLimit() && c.field.record() == record) {
                add(c.from == From::First ? s.firstTable : table);
            }
        }
    }
    // The first table before the second, whichever layout named it first.
    std::stable_sort(sources.begin(), sources.end(), [&](const LimitTable* a, const LimitTable* b) {
        return a == s.firstTable && b != s.firstTable;
    });
    return sources;
}

void applyOverWires(ThreadResults& r) {
    if (!r.wireConstant) return;
    for (ExternalLimits* e : {&r.extNormal, &r.extClose}) {
        if (e->pitchMax) e->wiresMax = *e->pitchMax + *r.wireConstant;
        if (e->pitchMin) e->wiresMin = *e->pitchMin + *r.wireConstant;
    }
}

}  // namespace torveld::limits_of_size
