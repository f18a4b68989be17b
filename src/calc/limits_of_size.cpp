#include "limits_of_size.h"

#include <cmath>

namespace torveld::limits_of_size {

namespace {

int columnsOf(LimitLayout layout) {
    switch (layout) {
        case LimitLayout::UN10:
            return 10;
        case LimitLayout::UN7:
            return 7;
        case LimitLayout::UNJ9:
            return 9;
        case LimitLayout::PIPE7:
            return 7;
        case LimitLayout::NPSM9:
            return 9;
        case LimitLayout::NPSL7:
            return 7;
        case LimitLayout::ACME12:
            return 12;
        case LimitLayout::ACME4:
            return 4;
        case LimitLayout::STUB13:
            return 13;
        case LimitLayout::UNM12:
            return 12;
        case LimitLayout::BASIC3:
            return 3;
        case LimitLayout::STI8:
            return 8;
    }
    return 0;
}

bool holds(const LimitTable* table, LimitLayout layout, int row) {
    return table != nullptr && table->layout == layout && table->columns >= columnsOf(layout) &&
           row >= 0 && row < table->rows;
}

// The cells of one row of a table, widened to double and in inches.
class RowCells {
  public:
    RowCells(const LimitTable* table, int row) : table_(*table), row_(row) {}
    double operator()(int column) const { return table_.read(row_, column); }
    float stored(int column) const { return table_.stored(row_, column); }

  private:
    const LimitTable& table_;
    int row_;
};

// The mean of two limits. A cell holding 0 holds no value for that size and class; the mean of
// a missing limit is no value either, so it is 0 rather than half of the other limit.
double mean(double a, double b) {
    return a == 0.0 || b == 0.0 ? 0.0 : (a + b) * 0.5;
}
void setMean(ExternalLimits& e) {
    e.majorMean = mean(e.majorMax, e.majorMin);
}
void setMean(InternalLimits& i) {
    i.minorMean = mean(i.minorMin, i.minorMax);
}

// UN10: the normal class of the Unified series, UNS and ISO metric, and the internal minimums
// that the close class shares.
void un10NormalClass(const RowCells& t, ThreadResults& r) {
    ExternalLimits& en = r.extNormal;
    en.majorMax = t(0);
    en.majorMin = t(1);
    en.pitchMax = t(2);
    en.pitchMin = t(3);
    en.minorRef = t(4);
    InternalLimits& in = r.intNormal;
    in.minorMin = t(5);
    in.minorMax = t(6);
    in.pitchMin = t(7);
    in.pitchMax = t(8);
    in.majorMin = t(9);
    setMean(en);
    setMean(in);
}

// UN10 (first table) and UN7 (second table): the Unified series and ISO metric. The close
// internal class takes its three minimums from the first table.
void unifiedTwoClass(const RowCells& t, const RowCells& u, ThreadResults& r) {
    un10NormalClass(t, r);
    ExternalLimits& ec = r.extClose;
    ec.majorMax = u(0);
    ec.majorMin = u(1);
    ec.pitchMax = u(2);
    ec.pitchMin = u(3);
    ec.minorRef = u(4);
    InternalLimits& ic = r.intClose;
    ic.minorMin = t(5);
    ic.minorMax = u(5);
    ic.pitchMin = t(7);
    ic.pitchMax = u(6);
    ic.majorMin = t(9);
    setMean(ec);
    setMean(ic);
}

// UNJ9: one class, shown in the close rows. The internal pitch and major minimums are the
// external pitch and major maximums of the same row.
void unj(const RowCells& t, ThreadResults& r) {
    ExternalLimits& ec = r.extClose;
    ec.majorMax = t(0);
    ec.majorMin = t(1);
    ec.pitchMax = t(2);
    ec.pitchMin = t(3);
    ec.minorMax = t(4);
    ec.minorMin = t(8);
    InternalLimits& ic = r.intClose;
    ic.minorMin = t(5);
    ic.minorMax = t(6);
    ic.pitchMin = t(2);
    ic.pitchMax = t(7);
    ic.majorMin = t(0);
    setMean(ec);
    setMean(ic);
}

void npsm(const RowCells& t, ThreadResults& r) {
    ExternalLimits& en = r.extNormal;
    en.majorMax = t(0);
    en.majorMin = t(1);
    en.pitchMax = t(2);
    en.pitchMin = t(3);
    InternalLimits& in = r.intNormal;
    in.minorMin = t(4);
    in.minorMax = t(5);
    in.pitchMin = t(6);
    in.pitchMax = t(7);
    setMean(en);
    setMean(in);
}

// NPSL has no external major minimum and no internal minor maximum, hence no means.
void npsl(const RowCells& t, ThreadResults& r) {
    r.extNormal.majorMax = t(0);
    r.extNormal.pitchMax = t(1);
    r.extNormal.pitchMin = t(2);
    r.intNormal.minorMin = t(3);
    r.intNormal.pitchMin = t(4);
    r.intNormal.pitchMax = t(5);
}

// ACME12 columns 0 to 11, the normal (2G) class; STUB13 carries the same quantities for its one
// class.
void acmeNormalClass(const RowCells& t, ThreadResults& r) {
    ExternalLimits& en = r.extNormal;
    en.majorMax = t(0);
    en.majorMin = t(1);
    en.pitchMax = t(2);
    en.pitchMin = t(3);
    en.minorMax = t(4);
    en.minorMin = t(10);
    InternalLimits& in = r.intNormal;
    in.minorMin = t(5);
    in.minorMax = t(6);
    in.pitchMin = t(7);
    in.pitchMax = t(8);
    in.majorMin = t(9);
    in.majorMax = t(11);
    setMean(en);
    setMean(in);
}

// ACME12 (2G and the shared values) and ACME4 (4G). The 4G class shares every major and minor
// value with 2G except the external minor minimum.
void acme(const RowCells& t, const RowCells& u, ThreadResults& r) {
    acmeNormalClass(t, r);
    const ExternalLimits& en = r.extNormal;
    const InternalLimits& in = r.intNormal;
    ExternalLimits& ec = r.extClose;
    ec.majorMax = en.majorMax;
    ec.majorMin = en.majorMin;
    ec.pitchMax = u(0);
    ec.pitchMin = u(1);
    ec.minorMax = en.minorMax;
    ec.minorMin = u(3);
    InternalLimits& ic = r.intClose;
    ic.minorMin = in.minorMin;
    ic.minorMax = in.minorMax;
    ic.pitchMin = in.pitchMin;
    ic.pitchMax = u(2);
    ic.majorMin = in.majorMin;
    ic.majorMax = in.majorMax;
    setMean(ec);
    setMean(ic);
    // The external crest flat narrows with the pitch-diameter allowance 0.006 x sqrt(D) of the
    // maximum major diameter D; 0.259 is the flat change per unit of pitch-diameter change of
    // the 29 degree form.
    const double d = en.majorMax;
    r.extFlat = 0.37069 * r.pitch - 0.259 * (0.006 * std::pow(d, 0.5));
}

void unm(const RowCells& t, ThreadResults& r) {
    ExternalLimits& en = r.extNormal;
    en.majorMax = t(0);
    en.majorMin = t(1);
    en.pitchMax = t(2);
    en.pitchMin = t(3);
    en.minorMax = t(4);
    en.minorMin = t(5);
    InternalLimits& in = r.intNormal;
    in.minorMin = t(6);
    in.minorMax = t(7);
    in.pitchMin = t(8);
    in.pitchMax = t(9);
    in.majorMin = t(10);
    in.majorMax = t(11);
    setMean(en);
    setMean(in);
}

// STI8: the tapped hole of a screw-thread insert; internal values only. Both classes share the
// minor limits, the pitch minimum and the major diameter, so both have a minor mean.
void insertTapping(const RowCells& t, ThreadResults& r) {
    r.csinkMin = t(0);
    r.csinkMax = t(1);
    InternalLimits& in = r.intNormal;
    in.minorMin = t(5);
    in.minorMax = t(6);
    in.pitchMin = t(2);
    in.pitchMax = t(4);
    in.majorMax = t(7);
    InternalLimits& ic = r.intClose;
    ic.minorMin = t(5);
    ic.minorMax = t(6);
    ic.pitchMin = t(2);
    ic.pitchMax = t(3);
    ic.majorMax = t(7);
    setMean(in);
    setMean(ic);
}

// BSW and BSF: medium (normal) and close class from the basic sizes. T is the effective-diameter
// tolerance of the medium class with the length of engagement taken equal to D.
void whitworth(SeriesId id, const RowCells& t, ThreadResults& r) {
    const double p = r.pitch;
    const double d = t(0);  // basic major
    const double e = t(1);  // basic effective
    const double m = t(2);  // basic minor
    const double rootP = std::pow(p, 0.5);
    const double tol =
        0.002 * std::pow(d, 0.333333333333) + 0.003 * std::pow(d, 0.5) + 0.005 * rootP;

    // The medium-class external thread is made undersize by 0.3 T up to 3/4 inch; below 1/4
    // inch the allowance is a fixed amount.
    double allowance = d <= 0.75 ? 0.3 * tol : 0.0;
    if (d < 0.25) allowance = id == series::BSW ? 0.0012 : 0.0011;

    // Internal minor tolerance 0.2 P + c, c graded by threads per inch.
    double c = 0.005;  // 24 and 22 threads per inch
    if (p <= 1.0 / 26.0) {
        c = 0.004;  // 26 and finer
    } else if (p >= 1.0 / 20.0) {
        c = 0.007;  // 20 and coarser
    }

    ExternalLimits& en = r.extNormal;
    en.majorMax = d - allowance;
    en.pitchMax = e - allowance;
    en.minorMax = m - allowance;
    en.majorMin = en.majorMax - (tol + 0.01 * rootP);
    en.pitchMin = en.pitchMax - tol;
    en.minorMin = en.minorMax - (tol + 0.02 * rootP);

    ExternalLimits& ec = r.extClose;
    ec.majorMax = d;
    ec.majorMin = d - (0.6666666666667 * tol + 0.01 * rootP);
    ec.pitchMax = e;
    ec.pitchMin = e - 0.6666666666667 * tol;
    ec.minorMax = m;
    ec.minorMin = m - (0.6666666666667 * tol + 0.013 * rootP);

    InternalLimits& in = r.intNormal;
    in.majorMin = d;
    in.majorMax = d + (tol + 0.01 * rootP);
    in.pitchMin = e;
    in.pitchMax = e + tol;
    in.minorMin = m;
    in.minorMax = m + 0.2 * p + c;

    InternalLimits& ic = r.intClose;
    ic.majorMin = d;
    ic.majorMax = d + (0.6666666666667 * tol + 0.01 * rootP);
    ic.pitchMin = e;
    ic.pitchMax = e + 0.6666666666667 * tol;
    ic.minorMin = m;
    ic.minorMax = m + 0.2 * p + c;

    setMean(en);
    setMean(ec);
    setMean(in);
    setMean(ic);
}

// BA: normal and close class from the basic sizes (millimetre cells, read in inches). The
// allowance of the normal external class applies from 10 BA (1.7 mm) upward.
void ba(const RowCells& t, ThreadResults& r) {
    const double p = r.pitch;
    const double d = t(0);
    const double e = t(1);
    const double m = t(2);

    ExternalLimits& en = r.extNormal;
    if (t.stored(0) >= 1.7f) {
        en.majorMax = d - 0.025 / 25.4;
        en.majorMin = en.majorMax - 0.2 * p;
        en.pitchMax = e - 0.025 / 25.4;
        en.minorMax = m - 0.025 / 25.4;
        en.minorMin = en.minorMax - (0.2 * p + 0.05 / 25.4);
    } else {
        en.majorMax = d;
        en.majorMin = d - 0.25 * p;
        en.pitchMax = e;
        en.minorMax = m;
        en.minorMin = m - (0.2 * p + 0.05 / 25.4);
    }
    en.pitchMin = en.pitchMax - (0.1 * p + 0.025 / 25.4);

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

    setMean(en);
    setMean(ec);
    setMean(r.intNormal);
    setMean(r.intClose);
}

}  // namespace

bool tablesHoldRow(SeriesId id, int row) {
    if (!isValidSeries(id)) return false;
    const ThreadSeries& s = seriesById(id);
    using L = LimitLayout;
    switch (s.family) {
        case SeriesFamily::Unified:
        case SeriesFamily::IsoMetric:
            return holds(s.firstTable, L::UN10, row) && holds(s.secondTable, L::UN7, row);
        case SeriesFamily::UNS:
            return holds(s.firstTable, L::UN10, row);
        case SeriesFamily::UNJ:
            return holds(s.firstTable, L::UNJ9, row);
        case SeriesFamily::TaperPipe:
            // NPTF takes the overall external thread length of the same pipe size from NPT.
            return holds(s.firstTable, L::PIPE7, row) &&
                   holds(seriesById(series::NPT).firstTable, L::PIPE7, row);
        case SeriesFamily::StraightPipe:
            return holds(s.firstTable, id == series::NPSM ? L::NPSM9 : L::NPSL7, row);
        case SeriesFamily::Acme:
            if (id == series::STUB_ACME) return holds(s.firstTable, L::STUB13, row);
            return holds(s.firstTable, L::ACME12, row) && holds(s.secondTable, L::ACME4, row);
        case SeriesFamily::UNM:
            return holds(s.firstTable, L::UNM12, row);
        case SeriesFamily::Whitworth:
        case SeriesFamily::BA:
            return holds(s.firstTable, L::BASIC3, row);
        case SeriesFamily::ThreadInsert:
            return holds(s.firstTable, L::STI8, row);
    }
    return false;
}

void apply(SeriesId id, int row, ThreadResults& r) {
    const ThreadSeries& s = seriesById(id);
    const RowCells t(s.firstTable, row);
    switch (s.family) {
        case SeriesFamily::Unified:
        case SeriesFamily::IsoMetric:
            unifiedTwoClass(t, RowCells(s.secondTable, row), r);
            break;
        case SeriesFamily::UNS:
            un10NormalClass(t, r);
            break;
        case SeriesFamily::UNJ:
            unj(t, r);
            break;
        case SeriesFamily::TaperPipe:
            break;
        case SeriesFamily::StraightPipe:
            if (id == series::NPSM) {
                npsm(t, r);
            } else {
                npsl(t, r);
            }
            break;
        case SeriesFamily::Acme:
            if (id == series::STUB_ACME) {
                acmeNormalClass(t, r);
            } else {
                acme(t, RowCells(s.secondTable, row), r);
            }
            break;
        case SeriesFamily::UNM:
            unm(t, r);
            break;
        case SeriesFamily::Whitworth:
            whitworth(id, t, r);
            break;
        case SeriesFamily::BA:
            ba(t, r);
            break;
        case SeriesFamily::ThreadInsert:
            insertTapping(t, r);
            break;
    }
}

void applyOverWires(SeriesId id, ThreadResults& r) {
    const auto overWires = [&r](ExternalLimits& e) {
        e.wiresMax = e.pitchMax + r.wireConstant;
        e.wiresMin = e.pitchMin + r.wireConstant;
    };
    switch (seriesById(id).family) {
        case SeriesFamily::Unified:
        case SeriesFamily::IsoMetric:
        case SeriesFamily::Whitworth:
        case SeriesFamily::BA:
            overWires(r.extNormal);
            overWires(r.extClose);
            break;
        case SeriesFamily::Acme:
            overWires(r.extNormal);
            if (id == series::ACME) overWires(r.extClose);
            break;
        case SeriesFamily::UNS:
        case SeriesFamily::StraightPipe:
        case SeriesFamily::UNM:
            overWires(r.extNormal);
            break;
        case SeriesFamily::UNJ:
            overWires(r.extClose);
            break;
        case SeriesFamily::TaperPipe:
        case SeriesFamily::ThreadInsert:
            break;
    }
}

}  // namespace torveld::limits_of_size
