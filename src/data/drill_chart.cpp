#include "drill_chart.h"

#include <array>
#include <cstddef>

#include "series.h"

namespace torveld::drill_chart {

const DrillRow& row(int index) {
    return generated::kDrillChartRows[index];
}

double diameter(int index) {
    // Read once: the guide-drill walk asks for hundreds of diameters on every display.
    static const std::array<double, kRowCount> diameters = [] {
        std::array<double, kRowCount> values{};
        for (int i = 0; i < kRowCount; ++i) {
            values[static_cast<std::size_t>(i)] =
                leadingNumber(generated::kDrillChartRows[i].decimalInch);
        }
        return values;
    }();
    return diameters[static_cast<std::size_t>(index)];
}

}  // namespace torveld::drill_chart
