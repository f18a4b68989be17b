// The query's answers beyond their limits, as a list of named values: what the JSON, the CSV and
// the text sheet write of the pitch, the profile, the wires, the tap drill, the pipe values and
// the notes, made once from the report.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "query_session.h"

namespace torveld::query {

// One value at a path of keys from the top of the JSON answer ("profile", "externalHeight"): a
// number in the answer's unit (its text as the window writes it), a text, a truth value, a
// null, or one of the two lists only the JSON holds whole (the engagement list, the notes).
struct AnswerValue {
    enum class Kind { Number, Text, Bool, Null, Engagement, Notes };
    std::array<std::string_view, 4> path{};  // views of literals and of the answer's class names
    std::size_t depth = 0;
    Kind kind = Kind::Number;
    LimitValue number;
    std::string text;
    bool flag = false;

    std::string_view head() const { return path[0]; }
    std::string_view last() const { return path[depth - 1]; }
};

// The top-level keys the values stand under, in the order the JSON writes them after the
// provenance; the objects marked are written even where they hold nothing.
struct TopKey {
    std::string_view name;
    bool alwaysObject;
};
// The measurement stands only in an answer asked with a wire; the gauges and their rules in
// every answer with a class that has pitch-diameter limits (the gauging rules of a taper pipe
// thread with its L1 gauges).
inline constexpr TopKey kTopKeys[] = {
    {"pitch", false},   {"tpi", false},     {"profile", true}, {"wires", true},
    {"tapDrill", true}, {"pipe", false},    {"notes", false},  {"measurement", false},
    {"gauges", false},  {"gauging", false},
};

// The values of an answer, grouped by their top key in the order of kTopKeys; valid while the
// answer is.
std::vector<AnswerValue> valuesOf(const Answer& a);

// A note of the report as one sentence.
std::string noteText(const ReportNote& note, const ThreadReport& report);

}  // namespace torveld::query
