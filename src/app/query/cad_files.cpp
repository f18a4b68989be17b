// The files of a CAD export: Fusion 360's thread-definition XML, written by pugixml and parsed
// back by it before it is handed out, and the rows of Inventor's thread spreadsheet as CSV.
// Numbers are written by std::to_chars, whatever the locale.
#include <algorithm>
#include <charconv>
#include <sstream>

#include <pugixml.hpp>

#include "cad_export.h"

namespace torveld::query::cad {

namespace {

std::string numberText(double value) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

void addText(pugi::xml_node parent, const char* name, const std::string& text) {
    parent.append_child(name).text().set(text.c_str());
}

// The checks every thread passes before any text is made.
std::string familyFault(const Family& family) {
    for (const Designation& d : family.designations) {
        for (const Thread& t : d.threads) {
            const std::string fault = threadFault(t);
            if (!fault.empty()) return d.designation + " " + fault;
        }
    }
    return {};
}

std::size_t threadCount(const Family& family) {
    std::size_t count = 0;
    for (const Designation& d : family.designations) count += d.threads.size();
    return count;
}

// A CSV number as the window writes it, with its zero before the point: ".2489" -> "0.2489".
std::string csvNumber(const std::optional<LimitValue>& v) {
    if (!v) return {};
    if (!v->text.empty() && v->text.front() == '.') return "0" + v->text;
    return v->text;
}

std::string csvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void addCsvClass(std::string& row, const Thread* t) {
    row += ',';
    if (t != nullptr) row += csvCell(t->className);
    const std::optional<LimitValue> none;
    const std::optional<LimitValue>* cells[] = {&none, &none, &none, &none, &none, &none};
    if (t != nullptr) {
        const std::optional<LimitValue>* limits[] = {&t->majorMax, &t->majorMin, &t->pitchMax,
                                                     &t->pitchMin, &t->minorMax, &t->minorMin};
        std::copy(std::begin(limits), std::end(limits), std::begin(cells));
    }
    for (const auto* cell : cells) row += ',' + csvNumber(*cell);
}

}  // namespace

Exported fusionXml(const Family& family) {
    Exported out;
    out.error = familyFault(family);
    if (!out.ok()) return out;

    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node type = doc.append_child("ThreadType");
    addText(type, "Name", family.name);
    addText(type, "CustomName", family.name);
    addText(type, "Unit", family.inch ? "in" : "mm");
    addText(type, "Angle", numberText(family.angle));
    addText(type, "SortOrder", numberText(family.sortOrder));
    // One ThreadSize per size, in order of first appearance; one Designation per pitch.
    std::vector<std::pair<std::string, pugi::xml_node>> sizes;
    for (const Designation& d : family.designations) {
        auto at = std::find_if(sizes.begin(), sizes.end(),
                               [&](const auto& s) { return s.first == d.size; });
        if (at == sizes.end()) {
            pugi::xml_node size = type.append_child("ThreadSize");
            addText(size, "Size", d.size);
            sizes.emplace_back(d.size, size);
            at = sizes.end() - 1;
        }
        pugi::xml_node node = at->second.append_child("Designation");
        addText(node, "ThreadDesignation", d.designation);
        addText(node, "CTD", d.designation);
        addText(node, family.inch ? "TPI" : "Pitch", numberText(d.pitch));
        for (const Thread& t : d.threads) {
            pugi::xml_node thread = node.append_child("Thread");
            const bool internal = t.side == ThreadSide::Internal;
            addText(thread, "Gender", internal ? "internal" : "external");
            addText(thread, "Class", t.className);
            addText(thread, "MajorDia", numberText(t.major));
            addText(thread, "PitchDia", numberText(t.pitch));
            addText(thread, "MinorDia", numberText(t.minor));
            if (internal) addText(thread, "TapDrill", t.tapDrill ? numberText(*t.tapDrill) : "");
        }
    }
    std::ostringstream text;
    doc.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    out.text = text.str();

    // Parsed back before it is handed out: a text the parser refuses, or one that does not
    // hold every thread, is an error.
    pugi::xml_document back;
    const pugi::xml_parse_result parsed = back.load_buffer(out.text.data(), out.text.size());
    std::size_t threads = 0;
    if (parsed) {
        for (pugi::xml_node size : back.child("ThreadType").children("ThreadSize")) {
            for (pugi::xml_node d : size.children("Designation")) {
                for (pugi::xml_node t : d.children("Thread")) {
                    (void)t;
                    ++threads;
                }
            }
        }
    }
    if (!parsed) {
        out.error = std::string("the thread file does not parse back: ") + parsed.description();
    } else if (threads != threadCount(family)) {
        out.error = "the thread file parses back with " + numberText(static_cast<double>(threads)) +
                    " of " + numberText(static_cast<double>(threadCount(family))) + " threads";
    }
    if (!out.ok()) out.text.clear();
    return out;
}

Exported inventorCsv(const Family& family) {
    Exported out;
    out.error = familyFault(family);
    if (!out.ok()) return out;
    std::string text = "Size,Designation,CTD,";
    text += family.inch ? "TPI" : "Pitch";
    for (const char* side : {"External", "Internal"}) {
        text += ',';
        text += side;
        text += " class";
        for (const char* limit :
             {"major max", "major min", "pitch max", "pitch min", "minor max", "minor min"}) {
            text += ',';
            text += side;
            text += ' ';
            text += limit;
        }
    }
    text += ",Tap drill\n";
    for (const Designation& d : family.designations) {
        std::vector<const Thread*> external, internal;
        for (const Thread& t : d.threads) {
            (t.side == ThreadSide::External ? external : internal).push_back(&t);
        }
        const std::size_t rows = std::max(external.size(), internal.size());
        for (std::size_t i = 0; i < rows; ++i) {
            std::string row = csvCell(d.size) + ',' + csvCell(d.designation) + ',' +
                              csvCell(d.designation) + ',' + numberText(d.pitch);
            const Thread* ext = i < external.size() ? external[i] : nullptr;
            const Thread* in = i < internal.size() ? internal[i] : nullptr;
            addCsvClass(row, ext);
            addCsvClass(row, in);
            row += ',';
            if (in != nullptr && in->tapDrill) row += numberText(*in->tapDrill);
            text += row + '\n';
        }
    }
    out.text = std::move(text);
    return out;
}

}  // namespace torveld::query::cad
