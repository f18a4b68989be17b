#include "thread_calculator.h"

namespace torveld {

void ThreadCalculator::calculate() {
    if (!isValidSeries(selection_.series)) return;
    if (selection_.sizeIndex < 0 || selection_.sizeIndex >= sizeCount(selection_.series)) return;
    results_.pitch = sizeRow(selection_.series, selection_.sizeIndex).pitchInches;
}

}  // namespace torveld
