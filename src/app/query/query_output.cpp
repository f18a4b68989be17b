#include "query_output.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace torveld::query {

namespace {

using nlohmann::ordered_json;

constexpr std::string_view kSides[] = {"external", "internal"};

const std::vector<ClassLimits>& classesOf(const Answer& a, std::size_t side) {
    return side == 0 ? a.external : a.internal;
}

ordered_json classesJson(const std::vector<ClassLimits>& classes) {
    ordered_json out = ordered_json::object();
    for (const ClassLimits& c : classes) {
        ordered_json limits = ordered_json::object();
        for (std::size_t i = 0; i < kLimitNames.size(); ++i) {
            if (c.values[i]) limits[std::string(kLimitNames[i])] = c.values[i]->value;
        }
        out[c.name] = std::move(limits);
    }
    return out;
}

// A window text as a CSV number: ".2489" -> "0.2489".
std::string csvNumber(const std::string& text) {
    if (text.empty() || text.front() != '.') return text;
    std::string number = "0";
    number += text;
    return number;
}

std::string csvCell(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void appendEscaped(std::string& out, char c) {
    static constexpr char kHex[] = "0123456789abcdef";
    switch (c) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xf];
        return;
    }
    out += c;
}

std::string quotedText(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        appendEscaped(out, c);
    }
    out += '"';
    return out;
}

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

}  // namespace

std::string_view unitName(DisplayUnit unit) {
    return unit == DisplayUnit::Metric ? "mm" : "inch";
}

ordered_json toJson(const Answer& a) {
    ordered_json j;
    j["input"] = a.input;
    j["designation"] = a.designation;
    j["series"] = a.series;
    j["size"] = a.size;
    j["sizeIndex"] = a.sizeIndex ? ordered_json(*a.sizeIndex) : ordered_json(nullptr);
    j["tabulated"] = a.tabulated;
    j["unit"] = unitName(a.unit);
    ordered_json fields = ordered_json::object();
    for (const auto& [id, text] : a.fields) fields[std::to_string(id)] = text;
    j["fields"] = std::move(fields);
    ordered_json limits = ordered_json::object();
    limits["external"] = classesJson(a.external);
    limits["internal"] = classesJson(a.internal);
    j["limits"] = std::move(limits);
    ordered_json provenance = ordered_json::array();
    for (const Provenance& p : a.provenance) {
        ordered_json entry;
        entry["classes"] = p.classes;
        entry["table"] = p.table ? ordered_json(*p.table) : ordered_json(nullptr);
        entry["source"] = p.source;
        provenance.push_back(std::move(entry));
    }
    j["provenance"] = std::move(provenance);
    return j;
}

void writeJson(std::ostream& out, const Answer& a) {
    out << toJson(a).dump(-1, ' ', false, ordered_json::error_handler_t::replace) << '\n';
}

void writeText(std::ostream& out, const Answer& a) {
    out << a.designation << '\n';
    out << "  input        " << quotedText(a.input) << '\n';
    out << "  series       " << a.series << '\n';
    out << "  size         " << a.size;
    if (a.sizeIndex) {
        out << "  (row " << *a.sizeIndex << " of the size list)\n";
    } else {
        out << "  (special size, by the standard's formulas)\n";
    }
    out << "  unit         " << unitName(a.unit) << '\n';

    constexpr std::size_t kName = 14, kColumn = 11;
    out << "  limits";
    if (a.external.empty() && a.internal.empty()) {
        out << "       none\n";
    } else {
        out << std::string(kName - 6, ' ');
        for (std::string_view name : kLimitNames) out << padded(name, kColumn);
        out << '\n';
        for (std::size_t side = 0; side < 2; ++side) {
            for (const ClassLimits& c : classesOf(a, side)) {
                std::string label = side == 0 ? "ext " : "int ";
                label += c.name;
                out << "    " << padded(label, kName - 2);
                for (const auto& v : c.values) out << padded(v ? v->text : "-", kColumn);
                out << '\n';
            }
        }
    }

    out << "  provenance\n";
    for (const Provenance& p : a.provenance) {
        out << "    ";
        for (std::size_t i = 0; i < p.classes.size(); ++i) out << (i ? " " : "") << p.classes[i];
        out << ": " << (p.table ? *p.table : std::string("computed for this size")) << '\n';
        std::string_view source = p.source;
        while (!source.empty()) {
            const std::size_t end = source.find('\n');
            const std::string_view line = source.substr(0, end);
            if (!line.empty()) out << "      " << line;
            out << '\n';
            source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
        }
    }

    out << "  fields\n";
    for (const auto& [id, text] : a.fields) out << "    " << id << "  " << quotedText(text) << '\n';
    out << '\n';
}

void writeCsv(std::ostream& out, std::span<const Answer> answers) {
    // The limit columns: every (side, class) any answer has, in order of first appearance.
    std::vector<std::string> columns[2];
    for (const Answer& a : answers) {
        for (std::size_t side = 0; side < 2; ++side) {
            for (const ClassLimits& c : classesOf(a, side)) {
                auto& names = columns[side];
                if (std::find(names.begin(), names.end(), c.name) == names.end()) {
                    names.push_back(c.name);
                }
            }
        }
    }
    out << "input,designation,series,size,sizeIndex,tabulated,unit";
    for (std::size_t side = 0; side < 2; ++side) {
        for (const std::string& name : columns[side]) {
            for (std::string_view limit : kLimitNames) {
                std::string column(kSides[side]);
                column += '.';
                column += name;
                column += '.';
                column += limit;
                out << ',' << csvCell(column);
            }
        }
    }
    out << '\n';
    for (const Answer& a : answers) {
        out << csvCell(a.input) << ',' << csvCell(a.designation) << ',' << csvCell(a.series) << ','
            << csvCell(a.size) << ',' << (a.sizeIndex ? std::to_string(*a.sizeIndex) : "") << ','
            << (a.tabulated ? "true" : "false") << ',' << unitName(a.unit);
        for (std::size_t side = 0; side < 2; ++side) {
            const std::vector<ClassLimits>& classes = classesOf(a, side);
            for (const std::string& name : columns[side]) {
                const auto c = std::find_if(classes.begin(), classes.end(),
                                            [&](const ClassLimits& l) { return l.name == name; });
                for (std::size_t i = 0; i < kLimitNames.size(); ++i) {
                    out << ',';
                    if (c != classes.end() && c->values[i]) out << csvNumber(c->values[i]->text);
                }
            }
        }
        out << '\n';
    }
}

void writeSeriesList(std::ostream& out, Format format) {
    if (format == Format::Csv) out << "series,sizes,unit\n";
    for (SeriesId id : seriesInRadioOrder()) {
        const std::string_view name = seriesById(id).name;
        const int sizes = sizeCount(id);
        const std::string_view unit = unitName(tableUnit(id));
        switch (format) {
            case Format::Json: {
                ordered_json j;
                j["series"] = name;
                j["sizes"] = sizes;
                j["unit"] = unit;
                out << j.dump() << '\n';
                break;
            }
            case Format::Csv:
                out << name << ',' << sizes << ',' << unit << '\n';
                break;
            case Format::Text:
                out << padded(name, 12) << padded(std::to_string(sizes), 5) << unit << '\n';
                break;
        }
    }
}

std::string errorLine(std::string_view text, std::string_view reason) {
    std::string line = "torveld-query: ";
    line += quotedText(text);
    line += ": ";
    for (char c : reason) appendEscaped(line, c);
    return line;
}

}  // namespace torveld::query
