// Reads the published reference tables kept in tests/data (plain CSV with a header line, no
// quoted fields).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace torveld::testing {

class PublishedTable {
  public:
    // Loads tests/data/<relativePath>; an unreadable file gives an empty table and failed().
    explicit PublishedTable(const std::string& relativePath);

    bool failed() const { return failed_; }
    const std::string& name() const { return name_; }

    // The row whose first column (the designation) is `designation`, or nullptr.
    const std::map<std::string, std::string>* row(const std::string& designation) const;
    const std::vector<std::map<std::string, std::string>>& rows() const { return rows_; }

    // The numeric value of a field of a row; nothing for a blank or missing field.
    static std::optional<double> number(const std::map<std::string, std::string>& row,
                                        const std::string& field);

  private:
    std::string name_;
    bool failed_ = false;
    std::vector<std::map<std::string, std::string>> rows_;
};

}  // namespace torveld::testing
