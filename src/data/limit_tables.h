// Limit tables: per-series single-precision limits of size, basic sizes and pipe dimensions.
#pragma once

namespace torveld {

// What each column of a table means; see the layout comments in limit_tables.cpp.
enum class LimitLayout {
    UN10,
    UN7,
    UNJ9,
    PIPE7,
    NPSM9,
    NPSL7,
    ACME12,
    ACME4,
    STUB13,
    UNM12,
    BASIC3,
    STI8,
    GPIPE10,
    RPIPE18,
    TR11
};

struct LimitTable {
    const char* name;
    LimitLayout layout;
    int rows;
    int columns;
    bool millimetres;
    const float* cells;  // rows x columns, row after row
    // Where the values come from: the published table and its edition, or the standard's
    // formulas and rounding rule, and the cells that do not copy their source; several lines.
    const char* provenance;

    // The cell as stored (single precision, table unit).
    float stored(int row, int column) const { return cells[row * columns + column]; }
    // The cell widened to double and, for a millimetre table, converted to inches.
    double read(int row, int column) const;
};

namespace limits {
extern const LimitTable uncFirst, uncSecond, unfFirst, unfSecond, unefFirst, unefSecond;
extern const LimitTable unFirst, unSecond, uns;
extern const LimitTable unj, unjc, unjf, unjef;
extern const LimitTable npt, nptf, npsm, npsl;
extern const LimitTable acmeFirst, acmeSecond, stubAcme;
extern const LimitTable isoCoarseFirst, isoCoarseSecond, isoFineFirst, isoFineSecond;
extern const LimitTable unm, bsw, bsf, ba, uncSti, unfSti;
// British pipe threads G and R / Rc / Rp and metric trapezoidal Tr 7e/7H (no series of the
// catalogue reads them yet).
extern const LimitTable gPipe, rPipe, trapezoidal;

// All 33 tables, in the order above.
extern const LimitTable* const kAll[33];

// A row that holds no value at all, by design: the size has no class of that table.
struct RowWithoutValues {
    const LimitTable* table;
    int row;
};
// Every such row; any other row of 0s is a fault of the data.
extern const RowWithoutValues kRowsWithoutValues[2];
}  // namespace limits

}  // namespace torveld
