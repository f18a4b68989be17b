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
    void calculate();

  private:
    const Selection& selection_;
    ThreadResults& results_;
};

}  // namespace torveld
