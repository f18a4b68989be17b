#include "query_output.h"

#include "query_values.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <ostream>
#include <vector>

namespace torveld::query {

namespace {

constexpr std::string_view kSides[] = {"external", "internal"};

const std::vector<ClassLimits>& classesOf(const Answer& a, std::size_t side) {
    return side == 0 ? a.external : a.internal;
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

bool samePath(const AnswerValue& a, const AnswerValue& b) {
    if (a.depth != b.depth) return false;
    for (std::size_t i = 0; i < a.depth; ++i)
        if (a.path[i] != b.path[i]) return false;
    return true;
}

std::string joined(const AnswerValue& v) {
    std::string text;
    for (std::size_t i = 0; i < v.depth; ++i) {
        if (i > 0) text += '.';
        text += v.path[i];
    }
    return text;
}

}  // namespace

std::string_view unitName(DisplayUnit unit) {
    return unit == DisplayUnit::Metric ? "mm" : "inch";
}

namespace {

// The rows of the limits table of the text sheet: its label and where a class keeps the value.
struct TextRow {
    const char* label;
    std::optional<SizeLimit> limit;  // a limit of ClassLimits, or the over-wire limits
    bool wiresMax;
};
constexpr TextRow kTextRows[] = {
    {"major diameter max", SizeLimit::MajorMax, false},
    {"major diameter min", SizeLimit::MajorMin, false},
    {"pitch diameter max", SizeLimit::PitchMax, false},
    {"pitch diameter min", SizeLimit::PitchMin, false},
    {"minor diameter max", SizeLimit::MinorMax, false},
    {"minor diameter min", SizeLimit::MinorMin, false},
    {"over wires max", std::nullopt, true},
    {"over wires min", std::nullopt, false},
};

constexpr std::size_t kLabelWidth = 24;
constexpr std::size_t kCellWidth = 11;

// A label and its value; a label as wide as the column keeps a blank before the value.
void line(std::ostream& out, std::string_view label, std::string_view value) {
    out << "  " << padded(label, std::max(kLabelWidth, label.size() + 1)) << value << '\n';
}

// "  .0307" style values: the window's text, or "-" where there is none.
std::string shown(const std::optional<LimitValue>& v) {
    return v ? v->text : std::string("-");
}

void writeLimits(std::ostream& out, const Answer& a) {
    if (a.external.empty() && a.internal.empty()) return;
    std::vector<std::pair<const ClassLimits*, const ReportClass*>> columns;
    for (const ReportClass& c : a.report.classes) {
        const std::vector<ClassLimits>& side =
            c.side == ThreadSide::External ? a.external : a.internal;
        for (const ClassLimits& l : side) {
            if (l.name == c.name) columns.emplace_back(&l, &c);
        }
    }
    std::stable_partition(columns.begin(), columns.end(),
                          [](const auto& c) { return c.second->side == ThreadSide::External; });
    out << "  " << padded("LIMITS OF SIZE", kLabelWidth);
    for (const auto& [limits, c] : columns) {
        std::string head = c->side == ThreadSide::External ? "ext " : "int ";
        head += limits->name;
        out << padded(head, kCellWidth);
    }
    out << '\n';
    bool wires = false;
    for (const auto& column : columns) {
        wires = wires || column.second->wiresMax || column.second->wiresMin;
    }
    bool unr = false;
    for (const auto& column : columns) unr = unr || column.first->unrMinorMax;
    for (const TextRow& row : kTextRows) {
        if (!row.limit && !wires) continue;
        out << "  " << padded(row.label, kLabelWidth);
        for (const auto& [limits, c] : columns) {
            std::optional<LimitValue> v;
            if (row.limit) {
                v = limits->values[static_cast<std::size_t>(*row.limit)];
            } else if (const Length& w = row.wiresMax ? c->wiresMax : c->wiresMin) {
                v = a.length(*w);
            }
            out << padded(shown(v), kCellWidth);
        }
        out << '\n';
        if (row.limit == SizeLimit::MinorMin && unr) {
            out << "  " << padded("UNR minor diameter max", kLabelWidth);
            for (const auto& column : columns) {
                out << padded(shown(column.first->unrMinorMax), kCellWidth);
            }
            out << '\n';
        }
    }
    for (const auto& [limits, c] : columns) {
        if (c->side == ThreadSide::External && c->minorRef && !c->minorMax && !c->minorMin) {
            out << "  the external minor diameter is given for reference only, not gauged\n";
            break;
        }
    }
    out << '\n';
}

// A key as words: "externalHeight" -> "external height", "L1Threads" -> "L1 threads", "tpi" ->
// "threads per inch".
std::string words(std::string_view key) {
    if (key == "tpi") return "threads per inch";
    std::string text;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char c = key[i];
        const bool upper = c >= 'A' && c <= 'Z';
        const bool afterLower = i > 0 && key[i - 1] >= 'a' && key[i - 1] <= 'z';
        const bool afterDigit = i > 0 && key[i - 1] >= '0' && key[i - 1] <= '9';
        if (upper && (afterLower || afterDigit) && i + 1 < key.size() && key[i + 1] >= 'a') {
            text += ' ';
            text += static_cast<char>(c - 'A' + 'a');
        } else {
            text += c;
        }
    }
    return text;
}

void writeValues(std::ostream& out, const Answer& a) {
    std::string_view group;
    for (const AnswerValue& v : valuesOf(a)) {
        // The over-wire limits of the best wire stand in the limits table.
        if (v.kind == AnswerValue::Kind::Null ||
            (v.depth > 2 && v.head() == "wires" && v.path[1] == "overWires")) {
            continue;
        }
        if (v.kind == AnswerValue::Kind::Notes) {
            if (!a.report.notes.empty()) out << '\n' << "  NOTES\n";
            for (const ReportNote& n : a.report.notes) out << "  " << noteText(n, a.report) << '\n';
            continue;
        }
        if (v.depth > 1 && v.head() != group) {
            group = v.head();
            std::string title = words(group);
            for (char& c : title)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            out << '\n' << "  " << title << '\n';
        }
        std::string label;
        for (std::size_t i = v.depth > 1 ? 1 : 0; i < v.depth; ++i) {
            if (!label.empty()) label += ' ';
            label += words(v.path[i]);
        }
        switch (v.kind) {
            case AnswerValue::Kind::Number:
                line(out, label, v.number.text);
                break;
            case AnswerValue::Kind::Text:
                line(out, label, v.text);
                break;
            case AnswerValue::Kind::Bool:
                line(out, label, v.flag ? "yes" : "no");
                break;
            case AnswerValue::Kind::Engagement:
                for (const EngagementEntry& e : a.report.tapDrill.engagement) {
                    line(out, std::to_string(e.percent) + "%", a.length(e.diameter).text);
                }
                break;
            default:
                break;
        }
    }
}

void writeProvenance(std::ostream& out, const Answer& a, bool full) {
    if (a.provenance.empty()) return;
    out << '\n' << "  PROVENANCE\n";
    for (const Provenance& p : a.provenance) {
        std::string classes;
        for (const std::string& name : p.classes) {
            if (!classes.empty()) classes += ' ';
            classes += name;
        }
        std::string_view source = p.source;
        // One line: the statement's first line, cut short where it runs on.
        constexpr std::size_t kLineLength = 72;
        std::string first(source.substr(0, source.find('\n')));
        if (first.size() > kLineLength) {
            const std::size_t cut = first.rfind(' ', kLineLength);
            first.resize(cut == std::string::npos ? kLineLength : cut);
            first += " ...";
        }
        out << "  " << padded(classes, kLabelWidth)
            << (p.table ? *p.table + ": " : std::string("computed for this size: ")) << first
            << '\n';
        if (!full) continue;
        while (!source.empty()) {
            const std::size_t end = source.find('\n');
            const std::string_view text = source.substr(0, end);
            if (!text.empty()) out << "      " << text;
            out << '\n';
            source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
        }
    }
}

}  // namespace

void writeText(std::ostream& out, const Answer& a, bool fullProvenance) {
    const ReportIdentity& id = a.report.identity;
    out << a.designation << '\n';
    line(out, "input", quotedText(a.input));
    std::string what(a.series);
    if (!id.standard.empty()) {
        what += ", ";
        what += id.standard;
    }
    line(out, "series", what);
    std::string size = a.size;
    size += a.sizeIndex ? "  (row " + std::to_string(*a.sizeIndex) + " of the size list)"
                        : std::string("  (special size, by the standard's formulas)");
    line(out, "size", size);
    line(out, "unit", a.unit == DisplayUnit::Metric ? "millimetres" : "inches");
    out << '\n';
    writeLimits(out, a);
    writeValues(out, a);
    writeProvenance(out, a, fullProvenance);
    out << '\n';
}

void writeCsv(std::ostream& out, std::span<const Answer> answers) {
    // The limit columns: every (side, class) any answer has, in order of first appearance; then
    // every value beyond the limits any answer has, in the same way.
    std::vector<std::string> columns[2];
    // Each answer's extra cells, by column.
    std::vector<std::vector<std::pair<std::size_t, std::string>>> extras;
    extras.reserve(answers.size());
    std::vector<std::string> extraColumns;
    std::map<std::string, std::size_t, std::less<>> columnOf;
    // The values of the answer before and their columns (its values' texts stay valid: every
    // answer outlives the writing).
    constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
    std::vector<AnswerValue> previous;
    std::vector<std::size_t> previousColumns;
    for (const Answer& a : answers) {
        for (std::size_t side = 0; side < 2; ++side) {
            for (const ClassLimits& c : classesOf(a, side)) {
                auto& names = columns[side];
                if (std::find(names.begin(), names.end(), c.name) == names.end()) {
                    names.push_back(c.name);
                }
            }
        }
        auto& cells = extras.emplace_back();
        std::vector<AnswerValue> values = valuesOf(a);
        std::vector<std::size_t> valueColumns(values.size(), kNoColumn);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const AnswerValue& e = values[i];
            if (e.kind != AnswerValue::Kind::Number && e.kind != AnswerValue::Kind::Text &&
                e.kind != AnswerValue::Kind::Bool && e.kind != AnswerValue::Kind::Null) {
                continue;
            }
            // The sizes of a series mostly have the values of the one before, in its order:
            // their columns are known without naming them again.
            if (i < previous.size() && previousColumns[i] != kNoColumn &&
                samePath(previous[i], e)) {
                valueColumns[i] = previousColumns[i];
            } else {
                std::string column = joined(e);
                auto it = columnOf.find(column);
                if (it == columnOf.end()) {
                    it = columnOf.emplace(column, extraColumns.size()).first;
                    extraColumns.push_back(std::move(column));
                }
                valueColumns[i] = it->second;
            }
            std::string cell;
            // A number holds no comma, quote or line break.
            if (e.kind == AnswerValue::Kind::Number) cell = csvNumber(e.number.text);
            if (e.kind == AnswerValue::Kind::Text) cell = csvCell(e.text);
            if (e.kind == AnswerValue::Kind::Bool) cell = e.flag ? "true" : "false";
            cells.emplace_back(valueColumns[i], std::move(cell));
        }
        previous = std::move(values);
        previousColumns = std::move(valueColumns);
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
    for (const std::string& column : extraColumns) out << ',' << csvCell(column);
    out << '\n';
    std::string line;
    for (std::size_t row = 0; row < answers.size(); ++row) {
        const Answer& a = answers[row];
        line.clear();
        line += csvCell(a.input);
        line += ',';
        line += csvCell(a.designation);
        line += ',';
        line += csvCell(a.series);
        line += ',';
        line += csvCell(a.size);
        line += ',';
        if (a.sizeIndex) line += std::to_string(*a.sizeIndex);
        line += ',';
        line += a.tabulated ? "true" : "false";
        line += ',';
        line += unitName(a.unit);
        for (std::size_t side = 0; side < 2; ++side) {
            const std::vector<ClassLimits>& classes = classesOf(a, side);
            for (const std::string& name : columns[side]) {
                const auto c = std::find_if(classes.begin(), classes.end(),
                                            [&](const ClassLimits& l) { return l.name == name; });
                for (std::size_t i = 0; i < kLimitNames.size(); ++i) {
                    line += ',';
                    if (c != classes.end() && c->values[i]) line += csvNumber(c->values[i]->text);
                }
            }
        }
        std::vector<const std::string*> cells(extraColumns.size(), nullptr);
        for (const auto& [column, cell] : extras[row]) cells[column] = &cell;
        for (const std::string* cell : cells) {
            line += ',';
            if (cell != nullptr) line += *cell;
        }
        line += '\n';
        out << line;
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
                nlohmann::ordered_json j;
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
