#include "measure_test_support.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

namespace torveld::testing {

double numberOf(const Row& row, const std::string& field) {
    const std::optional<double> value = PublishedTable::number(row, field);
    EXPECT_TRUE(value.has_value()) << "field " << field;
    return value.value_or(0.0);
}

double parseNumber(const std::string& text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(error == std::errc{} && end == text.data() + text.size()) << text;
    return value;
}

double halfUnitOf(const Row& row, const std::string& field) {
    const auto it = row.find(field);
    if (it == row.end()) return 0.0;
    const std::size_t point = it->second.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(it->second.size() - point - 1);
    return 0.5 * std::pow(10.0, -decimals);
}

std::optional<SeriesId> seriesNamed(const std::string& name) {
    for (SeriesId id = 0; id < series::kCount; ++id)
        if (name == seriesById(id).name) return id;
    return std::nullopt;
}

std::optional<int> rowOf(SeriesId id, const std::string& designation, const std::string& pitch) {
    for (int row = 0; row < sizeCount(id); ++row) {
        const SizeRow r = sizeRow(id, row);
        if (r.designation == designation && r.pitchText == pitch) return row;
    }
    return std::nullopt;
}

std::optional<double> gaugeSize(const measure::ClassGauges& c, measure::GaugeKind kind) {
    for (const measure::Gauge& g : c.gauges)
        if (g.kind == kind) return g.size;
    return std::nullopt;
}

}  // namespace torveld::testing
