// Thread calculations: the limits of size of the four class records (internal to torveld_calc).
#pragma once

#include <vector>

#include "limit_tables.h"
#include "series.h"
#include "thread_results.h"

namespace torveld::limits_of_size {

// True when every table the limits (and pipe values) of `id` read exists, has a layout the
// calculation knows with all the columns it reads, and holds row `row`. The calculation writes
// nothing unless this holds.
bool tablesHoldRow(SeriesId id, int row);

// Writes the limits of size of row `row` of series `id` into `r`, with the means of each class
// record (and, for ACME, the external flat, which needs the maximum major diameter). The cells
// go where the column map of their table's layout says; the British limits are computed from
// the basic sizes. `r.pitch` must already be set. Taper pipe threads have no class limits.
void apply(SeriesId id, int row, ThreadResults& r);

// The tables the limits of `record` come from for series `id`, first table first: every table
// a cell of that record is read from; for the British series the table of basic sizes their
// limits are computed from. Empty for the taper pipe threads, which have no class limits.
std::vector<const LimitTable*> sourcesOf(SeriesId id, ClassRecord record);

// What `apply` does after the cells: the means of each class record and, for ACME, the external
// flat, which needs the maximum major diameter. For limits written by other means (a special
// size's, from the special-thread engine).
void completeLimits(SeriesId id, ThreadResults& r);

// The over-wire limits of every external class record that has pitch-diameter limits: each
// pitch-diameter limit plus the wire constant.
void applyOverWires(ThreadResults& r);

}  // namespace torveld::limits_of_size
