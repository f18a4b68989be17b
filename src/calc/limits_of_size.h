// Thread calculations: the limits of size of the four class records (internal to torveld_calc).
#pragma once

#include "limit_tables.h"
#include "series.h"
#include "thread_results.h"

namespace torveld::limits_of_size {

// True when every table the limits (and pipe values) of `id` read exists, has the expected
// layout and holds row `row`. The calculation writes nothing unless this holds.
bool tablesHoldRow(SeriesId id, int row);

// Writes the limits of size of row `row` of series `id` into `r` (and, for ACME, the external
// flat, which needs the maximum major diameter). `r.pitch` must already be set. Taper pipe
// threads have no class limits; nothing is written for them.
void apply(SeriesId id, int row, ThreadResults& r);

// The over-wire limits of every external class record the series fills.
void applyOverWires(SeriesId id, ThreadResults& r);

}  // namespace torveld::limits_of_size
