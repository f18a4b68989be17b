// Torveld until the main window's logic is part of the build: shows the start-up selection and
// its first result as text.
#include <cstdio>

#include "number_format.h"
#include "thread_calculator.h"

int main() {
    using namespace torveld;
    Selection selection;
    ThreadResults results;
    ThreadCalculator(selection, results).calculate();
    const SizeRow row = sizeRow(selection.series, selection.sizeIndex);
    std::printf(
        "TORVELD 2.1\n%.*s - %.*s  %s\nPITCH %s\n", static_cast<int>(row.designation.size()),
        row.designation.data(), static_cast<int>(row.pitchText.size()), row.pitchText.data(),
        selection.seriesCode.c_str(), formatLength(results.pitch, UnitMode::inch()).c_str());
    return 0;
}
