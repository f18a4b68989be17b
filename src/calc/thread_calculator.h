// Thread calculations: the results of one size of one series.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "limit_tables.h"
#include "thread_results.h"

namespace torveld {

// The results of the selected size: pitch; best wire and wire constant; heights, flats and
// radii; limits of size; over-wire limits; pipe values. Values the series does not compute are
// empty. Nothing when the selection names no size of the tables or its pitch is not a positive
// finite number.
std::optional<ThreadResults> calculate(const Selection& selection);

// The limit tables the limits of size of `record` come from for series `id`, first table
// first (for the British series the table of basic sizes their limits are computed from);
// empty for the taper pipe threads and an invalid id. Worked out once per process.
std::span<const LimitTable* const> limitSources(SeriesId id, ClassRecord record);

// calculate() for callers that keep one ThreadResults: writes the results of the selection, or
// empties every value when there are none (no number of an earlier size may stay behind), and
// returns whether there were results.
class ThreadCalculator {
  public:
    ThreadCalculator(const Selection& selection, ThreadResults& results)
        : selection_(selection), results_(results) {}

    bool calculate();

  private:
    const Selection& selection_;
    ThreadResults& results_;
};

}  // namespace torveld
