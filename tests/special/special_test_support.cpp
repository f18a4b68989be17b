#include "special_test_support.h"

#include <charconv>
#include <fstream>

namespace torveld::testing {

namespace {
// Fields separated by ','; a field in double quotes may hold commas ("" is one quote).
std::vector<std::string> splitLine(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}
}  // namespace

std::vector<std::map<std::string, std::string>> readCsv(const std::string& path) {
    std::vector<std::map<std::string, std::string>> rows;
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> header;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (header.empty()) {
            header = splitLine(line);
            continue;
        }
        const std::vector<std::string> fields = splitLine(line);
        auto& row = rows.emplace_back();
        for (std::size_t i = 0; i < header.size(); ++i)
            row[header[i]] = i < fields.size() ? fields[i] : std::string();
    }
    return rows;
}

std::optional<double> csvNumber(const std::map<std::string, std::string>& row,
                                const std::string& field) {
    const auto it = row.find(field);
    if (it == row.end() || it->second.empty()) return std::nullopt;
    double value = 0.0;
    const char* first = it->second.data();
    const char* last = first + it->second.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc{} || end != last) return std::nullopt;
    return value;
}

std::optional<special::Limit> limitOf(const special::Result& result, const std::string& className,
                                      const std::string& quantity) {
    const bool external = quantity.rfind("ext_", 0) == 0;
    const std::string what = quantity.substr(4);
    for (const special::ClassLimits& c : result.classes) {
        if (c.name != className || (c.side == special::Side::External) != external || !c.ok())
            continue;
        if (what == "major_max") return c.majorMax;
        if (what == "major_min") return c.majorMin;
        if (what == "pitch_max") return c.pitchMax;
        if (what == "pitch_min") return c.pitchMin;
        if (what == "minor_max") return c.minorMax;
        if (what == "minor_min") return c.minorMin;
        if (what == "minor_ref") return c.minorRef;
    }
    return std::nullopt;
}

special::Result calculateOne(special::Series series, double diameter, double pitch,
                             std::string_view className) {
    const std::string_view classes[] = {className};
    return special::calculate({series, diameter, pitch}, classes);
}

}  // namespace torveld::testing
