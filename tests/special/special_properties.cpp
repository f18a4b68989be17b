#include "special_properties.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "special_thread.h"

namespace torveld::testing {

namespace {

using special::Limit;

constexpr double kTelling[] = {0.0,
                               -1.0,
                               0.06,
                               0.19,
                               0.216,
                               0.25,
                               0.3125,
                               0.875,
                               1.0,
                               4.0,
                               4.125,
                               5.75,
                               6.0,
                               6.01,
                               1e-300,
                               1e300,
                               0.2,
                               0.5,
                               1.5,
                               8.0,
                               10.0,
                               42.0,
                               355.0,
                               355.001,
                               0.99,
                               14.0,
                               80.0,
                               4.5,
                               2.0,
                               16.0,
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -0.0,
                               1.0 / 3.0};

double takeNumber(std::string_view& in) {
    if (in.empty()) return 0.0;
    const auto choice = static_cast<unsigned char>(in[0]);
    in.remove_prefix(1);
    if (choice < 200) return kTelling[choice % std::size(kTelling)];
    double value = 0.0;
    char raw[sizeof value] = {};
    const std::size_t n = std::min(in.size(), sizeof raw);
    std::memcpy(raw, in.data(), n);
    in.remove_prefix(n);
    std::memcpy(&value, raw, sizeof value);
    return value;
}

std::string checkLimit(const std::optional<Limit>& limit, const char* what) {
    if (!limit) return {};
    std::string text = limit->text();
    if (limit->decimals != 3 && limit->decimals != 4) return std::string(what) + ": decimals";
    const double v = limit->value();
    if (!std::isfinite(v) || v <= 0.0) return std::string(what) + ": not a positive value " + text;
    double back = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
    if (error != std::errc{} || end != text.data() + text.size() || back != v)
        return std::string(what) + ": text " + text + " does not read back";
    return {};
}

std::string ordered(const std::optional<Limit>& low, const std::optional<Limit>& high,
                    const char* what) {
    if (low && high && low->value() > high->value())
        return std::string(what) + ": minimum " + low->text() + " above maximum " + high->text();
    return {};
}

std::string describe(const special::Result& r) {
    std::string text = r.refusal + "|" + r.provenance;
    for (const auto& c : r.classes) {
        text += "|" + c.name + c.refusal;
        for (const auto* l : {&c.majorMax, &c.majorMin, &c.pitchMax, &c.pitchMin, &c.minorMax,
                              &c.minorMin, &c.minorRef})
            text += *l ? " " + (*l)->text() : std::string(" -");
    }
    return text;
}

}  // namespace

// A refusal is one plain sentence: no second sentence, no semicolon, no line break, no final
// full stop (the texts are set into other sentences).
bool oneSentence(const std::string& text) {
    if (text.empty() || text.find(';') != std::string::npos ||
        text.find('\n') != std::string::npos || text.back() == '.')
        return false;
    for (std::size_t i = text.find(". "); i != std::string::npos; i = text.find(". ", i + 1))
        if (i + 2 < text.size() && std::isupper(static_cast<unsigned char>(text[i + 2])))
            return false;
    return true;
}

std::string checkSpecialInput(std::string_view in) {
    if (in.empty()) return {};
    const auto seriesByte = static_cast<unsigned char>(in[0]);
    in.remove_prefix(1);
    special::SpecialThread thread;
    thread.series = static_cast<special::Series>(seriesByte % 15);  // 14: no series
    thread.majorDiameter = takeNumber(in);
    thread.pitch = takeNumber(in);
    std::vector<std::string_view> classes;
    while (!in.empty() && classes.size() < 16) {
        const std::size_t comma = in.find(',');
        classes.push_back(in.substr(0, comma));
        if (comma == std::string_view::npos) break;
        in.remove_prefix(comma + 1);
    }

    const special::Result r = special::calculate(thread, classes);
    if (!r.ok()) {
        if (!r.classes.empty()) return "a refused thread has classes";
        if (!oneSentence(r.refusal)) return "a refusal that is not one sentence: " + r.refusal;
        return {};
    }
    if (r.provenance.empty()) return "no provenance";
    const std::size_t asked =
        classes.empty() ? special::defaultClasses(thread.series).size() : classes.size();
    if (r.classes.size() < asked) return "fewer classes than asked";
    for (const special::ClassLimits& c : r.classes) {
        const std::string where = " (" + c.name + ")";
        if (!c.ok()) {
            if (!oneSentence(c.refusal))
                return "a refusal that is not one sentence: " + c.refusal + where;
            if (c.majorMax || c.majorMin || c.pitchMax || c.pitchMin || c.minorMax || c.minorMin ||
                c.minorRef)
                return "a refused class has values" + where;
            continue;
        }
        if (!c.pitchMax || !c.pitchMin) return "no pitch limits" + where;
        for (const auto& [limit, what] : {std::pair{&c.majorMax, "major max"},
                                          {&c.majorMin, "major min"},
                                          {&c.pitchMax, "pitch max"},
                                          {&c.pitchMin, "pitch min"},
                                          {&c.minorMax, "minor max"},
                                          {&c.minorMin, "minor min"},
                                          {&c.minorRef, "minor ref"}}) {
            if (std::string failure = checkLimit(*limit, what); !failure.empty())
                return failure + where;
        }
        for (std::string failure :
             {ordered(c.majorMin, c.majorMax, "major"), ordered(c.pitchMin, c.pitchMax, "pitch"),
              ordered(c.minorMin, c.minorMax, "minor"),
              ordered(c.pitchMax, c.majorMin, "pitch below major"),
              // An internal minor maximum may pass the pitch minimum (UNJ raises its minor).
              c.side == special::Side::External
                  ? ordered(c.minorMax, c.pitchMin, "minor below pitch")
                  : std::string()}) {
            if (!failure.empty()) return failure + where;
        }
    }
    if (describe(special::calculate(thread, classes)) != describe(r)) return "not deterministic";
    return {};
}

}  // namespace torveld::testing
