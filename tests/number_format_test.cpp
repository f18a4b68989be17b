#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>

#include <cstdio>

#include "drill_chart.h"
#include "number_format.h"

namespace torveld {
namespace {

TEST(FormatValue, FixedPlacesWithoutLeadingZero) {
    EXPECT_EQ(formatValue(0.25f, 4), ".2500");
    EXPECT_EQ(formatValue(1.5f, 4), "1.5000");
    EXPECT_EQ(formatValue(12.7f, 4), "12.7000");
    EXPECT_EQ(formatValue(0.5f, 5), ".50000");
    EXPECT_EQ(formatValue(6.35f, 3), "6.350");
    EXPECT_EQ(formatValue(0.635f, 3), ".635");
    EXPECT_EQ(formatValue(0.0f, 4), ".0000");
    EXPECT_EQ(formatValue(0.0f, 3), ".000");
    EXPECT_EQ(formatValue(0.0135f, 4), ".0135");
}

TEST(FormatValue, RoundingAtTheOneBoundary) {
    EXPECT_EQ(formatValue(0.99996f, 4), "1.0000");  // rounds up: keeps the 1
    EXPECT_EQ(formatValue(0.9999f, 4), ".9999");
    EXPECT_EQ(formatValue(1.0f, 4), "1.0000");
    EXPECT_EQ(formatValue(0.028868f, 5), ".02887");
}

TEST(FormatValue, ExactHalvesGoToTheEvenDigitInEveryPath) {
    // 0.03125 and 0.0625 are exact binary values lying half-way at 4 and 3 places.
    EXPECT_EQ(formatValue(0.03125f, 4), ".0312");
    EXPECT_EQ(formatValue(0.0625f, 3), ".062");
    EXPECT_EQ(formatValue(0.09375f, 4), ".0938");
    EXPECT_EQ(formatLength(0.03125, UnitMode::inch()), ".0312");
    EXPECT_EQ(formatFixed("%d#.###", 0.0625), "0.062");
    EXPECT_EQ(drillDiameterText(0.03125, DrillTextMode::StartUp), "     .0312");
    EXPECT_EQ(drillDiameterText(0.03125, DrillTextMode::BackToInch), "   .0312");
}

TEST(FormatValue, NegativeValuesKeepTheirSignButNeverShowMinusZero) {
    EXPECT_EQ(formatValue(-0.25f, 4), "-0.2500");
    EXPECT_EQ(formatValue(-0.00001f, 4), ".0000");
}

TEST(DisplayValue, RoundsToSinglePrecisionAfterTheUnitFactor) {
    const float inch = displayValue(0.24889999628067017, UnitMode::inch());
    EXPECT_EQ(inch, 0.2489f);
    EXPECT_EQ(formatLength(0.24889999628067017, UnitMode::inch()), ".2489");
    EXPECT_EQ(displayValue(0.25, UnitMode::metric()), 6.35f);
    EXPECT_EQ(formatLength(0.25, UnitMode::metric()), "6.350");
    EXPECT_EQ(formatLength(0.0288675, UnitMode::inch(), +1), ".02887");
    EXPECT_EQ(formatLength(0.0288675, UnitMode::metric(), +1), ".7332");
    EXPECT_EQ(formatLength(0.31, UnitMode::inch(), -1), ".310");
    EXPECT_EQ(formatLength(0.31, UnitMode::metric(), -1), "7.87");
}

TEST(UnitMode, PlacesAndFactors) {
    EXPECT_EQ(UnitMode::inch().places(), 4);
    EXPECT_EQ(UnitMode::inch().places(+1), 5);
    EXPECT_EQ(UnitMode::metric().places(), 3);
    EXPECT_EQ(UnitMode::metric().places(-1), 2);
    EXPECT_FALSE(UnitMode::inch().isMetric());
    EXPECT_TRUE(UnitMode::metric().isMetric());
}

TEST(FormatFixed, WidthIsALeastWidthAndDecimalsAreFixed) {
    EXPECT_EQ(formatFixed("%d#####.###", 3.175), "    3.175");
    EXPECT_EQ(formatFixed("%d####.###", 12.7), "  12.700");
    EXPECT_EQ(formatFixed("%d#.###", 101.6), "101.600");
    EXPECT_EQ(formatFixed("%d#.##", 4.2341), "4.23");
    EXPECT_EQ(formatFixed("%d#.##", 0.5), "0.50");  // keeps the leading zero
    EXPECT_EQ(formatFixed("%d#.##", 10.94), "10.94");
}

// The text of every single-precision value is the standard library's fixed conversion of its
// exact binary value (a half to the even digit), whatever path the formatting takes: spread
// values, exact binary halves and values that round to zero from below.
TEST(FormatValue, IsTheExactFixedConversionOfTheValue) {
    const auto reference = [](float value, int places) {
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                       std::chars_format::fixed, places)
                             .ptr;
        std::string text(buffer, end);
        if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
            text.erase(0, 1);
        }
        if (value < 1.0f && text.starts_with("0.")) text.erase(0, 1);
        return text;
    };
    std::uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        const int places = 1 + static_cast<int>(state >> 29) % 6;
        const float magnitude = std::ldexp(1.0f, static_cast<int>(state % 40) - 20);
        float value = static_cast<float>(state >> 8) / 16777216.0f * magnitude;
        if (state & 1u) value = -value;
        ASSERT_EQ(formatValue(value, places), reference(value, places)) << value << " " << places;
    }
    for (const float tie : {0.03125f, 0.15625f, 2.5f, 0.5f, 1.0625f, 0.0009765625f}) {
        for (int places = 1; places <= 6; ++places) {
            EXPECT_EQ(formatValue(tie, places), reference(tie, places)) << tie << " " << places;
        }
    }
    EXPECT_EQ(formatValue(-0.00001f, 4), ".0000");
    EXPECT_EQ(formatValue(3e12f, 2), reference(3e12f, 2));
}

TEST(DrillDiameterText, BandsOfTheThreeFills) {
    EXPECT_EQ(drillDiameterText(0.015625, DrillTextMode::StartUp), "     .0156");
    EXPECT_EQ(drillDiameterText(1.0156, DrillTextMode::StartUp), "   1.0156");
    EXPECT_EQ(drillDiameterText(0.25, DrillTextMode::BackToInch), "   .2500");
    EXPECT_EQ(drillDiameterText(5.5, DrillTextMode::BackToInch), " 5.5000");
    EXPECT_EQ(drillDiameterText(0.0135, DrillTextMode::Metric), "    0.343");
    // 10.00mm is stored as .393701, i.e. 10.0000054 mm: at or above 10 mm, so the 4-wide band.
    EXPECT_EQ(drillDiameterText(0.393701, DrillTextMode::Metric), "  10.000");
    // Just below 10 mm the 5-wide band applies even though the text reads 10.000.
    EXPECT_EQ(drillDiameterText(0.393700, DrillTextMode::Metric), "   10.000");
    EXPECT_EQ(drillDiameterText(4.0, DrillTextMode::Metric), "101.600");
}

TEST(DrillDiameterText, EveryChartRowHasATextInEachMode) {
    for (int i = 0; i < drill_chart::kEndRow; ++i) {
        const double d = drill_chart::diameter(i);
        const std::string startUp = drillDiameterText(d, DrillTextMode::StartUp);
        const std::string back = drillDiameterText(d, DrillTextMode::BackToInch);
        const std::string metric = drillDiameterText(d, DrillTextMode::Metric);
        // The switch back to inch writes two spaces fewer than the start-up fill.
        EXPECT_EQ(startUp.substr(2), back) << drill_chart::row(i).drillName;
        EXPECT_EQ(metric.find('.') + 4, metric.size()) << drill_chart::row(i).drillName;
        EXPECT_GE(metric.find('.'), 3u) << drill_chart::row(i).drillName;
    }
}

}  // namespace
}  // namespace torveld
