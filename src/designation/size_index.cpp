#include "size_index.h"

#include <array>
#include <vector>

namespace torveld::designation::detail {

namespace {

bool readWhole(std::string_view text, std::int64_t& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "20", "0.080", ".390", "1.0000"
bool readDecimal(std::string_view text, std::int64_t& micro) {
    const auto point = text.find('.');
    std::int64_t whole = 0;
    if (point == std::string_view::npos) {
        if (!readWhole(text, whole)) return false;
        micro = whole * kMicro;
        return true;
    }
    const std::string_view wholeText = text.substr(0, point);
    const std::string_view decimals = text.substr(point + 1);
    if (!wholeText.empty() && !readWhole(wholeText, whole)) return false;
    if (decimals.empty() || decimals.size() > 6) return false;
    std::int64_t fraction = 0;
    if (!readWhole(decimals, fraction)) return false;
    for (std::size_t i = decimals.size(); i < 6; ++i) fraction *= 10;
    micro = whole * kMicro + fraction;
    return true;
}

// "5/16"
bool readFraction(std::string_view text, std::int64_t& micro) {
    const auto bar = text.find('/');
    std::int64_t numerator = 0, denominator = 0;
    if (!readWhole(text.substr(0, bar), numerator) || !readWhole(text.substr(bar + 1), denominator))
        return false;
    if (denominator == 0 || (numerator * kMicro) % denominator != 0) return false;
    micro = numerator * kMicro / denominator;
    return true;
}

struct Index {
    std::vector<RowValues> rows[series::kCount];
};

Index build() {
    Index index;
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const SizeTable& table = *seriesById(id).sizeTable;
        std::vector<RowValues>& rows = index.rows[id];
        rows.reserve(static_cast<std::size_t>(table.rowCount));
        // In the Unified, UNS and insert tables the number sizes come first, as whole numbers,
        // before the first fraction; a whole number after it is inches ("1" of UNC row 18).
        bool pastNumberSizes = !hasNumberSizes(id);
        for (int r = 0; r < table.rowCount; ++r) {
            const std::string_view size = table.rows[r].designation;
            RowValues row;
            readTableNumber(size, row.size);
            readTableNumber(table.rows[r].pitchText, row.pitch);
            if (size.find_first_of("/.") != std::string_view::npos) pastNumberSizes = true;
            std::int64_t whole = 0;
            if (!pastNumberSizes && readWhole(size, whole) && whole <= 12) {
                row.number = static_cast<std::int8_t>(whole);
                row.size = numberSizeDiameter(static_cast<int>(whole));
            }
            rows.push_back(row);
        }
    }
    return index;
}

const Index& index() {
    static const Index kIndex = build();
    return kIndex;
}

}  // namespace

bool hasNumberSizes(SeriesId id) {
    switch (seriesById(id).family) {
        case SeriesFamily::Unified:
        case SeriesFamily::UNS:
        case SeriesFamily::UNJ:
        case SeriesFamily::ThreadInsert:
            return true;
        default:
            return false;
    }
}

bool readTableNumber(std::string_view text, std::int64_t& micro) {
    if (!text.empty() && text.front() == 'M') text.remove_prefix(1);
    if (text.starts_with("Tr")) text.remove_prefix(2);
    const auto blank = text.find(' ');
    if (blank != std::string_view::npos) {  // a mixed number "1 1/4"
        std::int64_t whole = 0, fraction = 0;
        if (!readWhole(text.substr(0, blank), whole)) return false;
        const std::string_view rest = text.substr(blank + 1);
        if (rest.find('/') == std::string_view::npos || !readFraction(rest, fraction)) return false;
        micro = whole * kMicro + fraction;
        return true;
    }
    if (text.find('/') != std::string_view::npos) return readFraction(text, micro);
    return readDecimal(text, micro);
}

std::span<const RowValues> rowsOf(SeriesId id) {
    return index().rows[id];
}

}  // namespace torveld::designation::detail
