#include "drill_chart.h"

#include "series.h"

namespace torveld::drill_chart {

const DrillRow& row(int index) {
    return generated::kDrillChartRows[index];
}

double diameter(int index) {
    return leadingNumber(generated::kDrillChartRows[index].decimalInch);
}

}  // namespace torveld::drill_chart
