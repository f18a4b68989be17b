#include "published_csv.h"

#include <charconv>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace torveld::testing {

namespace {
std::vector<std::string> splitLine(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}
}  // namespace

PublishedTable::PublishedTable(const std::string& relativePath) : name_(relativePath) {
    std::ifstream in(std::string(TORVELD_TEST_DATA_DIR) + "/" + relativePath);
    std::string line;
    if (!in || !std::getline(in, line)) {
        failed_ = true;
        return;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> header = splitLine(line);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::vector<std::string> fields = splitLine(line);
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < header.size(); ++i)
            row[header[i]] = i < fields.size() ? fields[i] : std::string();
        rows_.push_back(std::move(row));
    }
}

const std::map<std::string, std::string>* PublishedTable::row(
    const std::string& designation) const {
    for (const auto& r : rows_) {
        if (r.begin() != r.end() && r.count("designation") && r.at("designation") == designation)
            return &r;
    }
    return nullptr;
}

std::optional<double> PublishedTable::number(const std::map<std::string, std::string>& row,
                                             const std::string& field) {
    const auto it = row.find(field);
    if (it == row.end() || it->second.empty()) return std::nullopt;
    // Read whatever the process locale; a leading '+' or blanks are not numbers here.
    const std::string& text = it->second;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

}  // namespace torveld::testing
