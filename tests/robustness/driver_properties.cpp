#include "driver_properties.h"

#include <nlohmann/json.hpp>
#include <sstream>
#include <type_traits>
#include <vector>

#include "script_driver.h"

namespace torveld::robustness {

namespace {

using namespace torveld::driver;

// The text a well-formed command is written as.
std::string commandText(const Command& command) {
    return std::visit(
        [](const auto& c) -> std::string {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, Screen>) {
                return "screen " + std::to_string(c.width) + " " + std::to_string(c.height);
            } else if constexpr (std::is_same_v<T, Click>) {
                return "click " + std::to_string(c.id);
            } else if constexpr (std::is_same_v<T, Select>) {
                return "select " + std::to_string(c.id) + " " + std::to_string(c.position);
            } else if constexpr (std::is_same_v<T, Notify>) {
                return "notify " + std::to_string(c.id) + " " + std::to_string(c.code);
            } else if constexpr (std::is_same_v<T, Press>) {
                return "press";
            } else if constexpr (std::is_same_v<T, InfoClose>) {
                return "info close";
            } else if constexpr (std::is_same_v<T, PrintFail>) {
                return "print fail";
            } else if constexpr (std::is_same_v<T, Dump>) {
                return "dump";
            } else if constexpr (std::is_same_v<T, Find>) {
                return "find " + c.text;
            } else if constexpr (std::is_same_v<T, Measure>) {
                switch (c.action) {
                    case Measure::Action::Open:
                        return "measure open";
                    case Measure::Action::Close:
                        return "measure close";
                    case Measure::Action::Click:
                        return "measure click " + std::to_string(c.id);
                    case Measure::Action::Choose:
                        return "measure choose " + std::to_string(c.position);
                    case Measure::Action::Type:
                        for (const MeasureEntryWord& e : kMeasureEntries) {
                            if (e.id == c.id)
                                return "measure " + std::string(e.word) + " " + c.text;
                        }
                        break;
                }
                return "";
            } else {
                return "";
            }
        },
        command);
}

bool printable(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::string checkDriverInput(std::string_view input) {
    // The line reader: each line whole, up to its line end, or refused when too long.
    std::istringstream in{std::string(input)};
    std::string line;
    bool tooLong = false;
    std::size_t offset = 0;
    int malformed = 0, dumps = 0, nonBlank = 0;
    while (readLine(in, line, tooLong)) {
        if (offset >= input.size()) return "a line read past the end of the input";
        const std::size_t end = std::min(input.find('\n', offset), input.size());
        const std::string_view expected = input.substr(offset, end - offset);
        offset = end + 1;
        if (tooLong) {
            if (expected.size() <= kMaxLineLength) return "a short line refused as too long";
            ++malformed;
            ++nonBlank;
            continue;
        }
        if (line != expected) return "a line read otherwise than it stands";

        const Command command = parseCommand(line);
        if (const auto* bad = std::get_if<Malformed>(&command)) {
            if (bad->reason.empty() || bad->reason.size() > 200 || !printable(bad->reason)) {
                return "the reason of a refused line: " + bad->reason;
            }
            ++malformed;
            ++nonBlank;
            continue;
        }
        if (std::holds_alternative<Blank>(command)) continue;
        ++nonBlank;
        if (std::holds_alternative<Dump>(command)) ++dumps;
        // A command reads back the same from its own text.
        const std::string text = commandText(command);
        if (commandText(parseCommand(text)) != text) return "'" + text + "' reads otherwise";
    }
    if (offset < input.size()) return "input left unread";

    // The whole session.
    std::istringstream script{std::string(input)};
    std::ostringstream out, err;
    ScriptDriver(out, err).run(script);

    const std::vector<std::string> errors = splitLines(err.str());
    if (static_cast<int>(errors.size()) < malformed) return "a malformed line passed unanswered";
    if (static_cast<int>(errors.size()) > nonBlank) return "more errors than commands";
    for (const std::string& e : errors) {
        if (e.rfind("error: ", 0) != 0 || !printable(e)) return "error line '" + e + "'";
    }
    const std::vector<std::string> states = splitLines(out.str());
    if (static_cast<int>(states.size()) != dumps) {
        return std::to_string(states.size()) + " dumps for " + std::to_string(dumps) +
               " dump commands";
    }
    for (std::size_t i = 0; i < states.size(); ++i) {
        // Reading back the first dump in full is enough; the rest must at least be one object.
        if (i == 0) {
            const auto state = nlohmann::json::parse(states[i], nullptr, false);
            if (state.is_discarded() || !state.is_object() || !state.contains("main")) {
                return "dump " + std::to_string(i) + " is no state";
            }
            // The last find says what came of it: a designation or a reason, never both.
            const auto& find = state["find"];
            if (!find.is_null()) {
                const bool found = find.value("found", false);
                const std::string designation = find.value("designation", std::string("?"));
                const std::string message = find.value("message", std::string("?"));
                if (found == designation.empty() || found != message.empty()) {
                    return "dump " + std::to_string(i) + ": the find says neither or both";
                }
            }
            if (!state.contains("findBox") || !state["findBox"].contains("history") ||
                state["findBox"]["history"].size() > 10) {
                return "dump " + std::to_string(i) + ": the find box";
            }
            // The MEASURE window: a candidate's designation for each entry of its list.
            const auto& measure = state["measure"];
            if (!measure.is_object() || !measure.contains("candidates") ||
                measure["candidates"].size() != measure["designations"].size()) {
                return "dump " + std::to_string(i) + ": the MEASURE window";
            }
        } else if (states[i].empty() || states[i].front() != '{' || states[i].back() != '}') {
            return "dump " + std::to_string(i) + " is no object";
        }
    }
    return {};
}

}  // namespace torveld::robustness
