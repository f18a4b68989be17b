// Thread calculations: ThreadCalculator fills ThreadResults for the current Selection.
#pragma once

#include "thread_results.h"

namespace torveld {

class ThreadCalculator {
  public:
    ThreadCalculator(const Selection& selection, ThreadResults& results)
        : selection_(selection), results_(results) {}

    // Reads Selection.series and Selection.sizeIndex, writes ThreadResults: pitch; best wire
    // and wire constant; heights, flats and radii; limits of size; over-wire limits; pipe values.
    // Fields the series does not compute keep their values. False, with every result set to
    // zero, when the selection names no size of the tables or its pitch is not a positive
    // finite number.
    bool calculate();

  private:
    bool run();
    const Selection& selection_;
    ThreadResults& results_;
};

}  // namespace torveld
