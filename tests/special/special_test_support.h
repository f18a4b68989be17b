// Helpers shared by the special-thread tests.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "special_thread.h"

namespace torveld::testing {

// A CSV file with a header line, '#' comment lines skipped; rows as field -> text. A field in
// double quotes may hold commas.
std::vector<std::map<std::string, std::string>> readCsv(const std::string& path);

// A number written in a CSV cell (locale-free); nothing for a blank or bad cell.
std::optional<double> csvNumber(const std::map<std::string, std::string>& row,
                                const std::string& field);

// The limit of `quantity` ("ext_major_max", "int_pitch_min", "ext_minor_ref", ...) of the
// class of side ext_/int_ in a result, or nothing.
std::optional<special::Limit> limitOf(const special::Result& result, const std::string& className,
                                      const std::string& quantity);

// The engine's answer for one thread and one class.
special::Result calculateOne(special::Series series, double diameter, double pitch,
                             std::string_view className);

}  // namespace torveld::testing
