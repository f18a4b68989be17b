#include "special_sizes.h"

#include "result_display.h"

namespace torveld {

namespace {

using Kind = ReportNote::Kind;

bool computedByFormulas(const ThreadReport& r) {
    for (const ReportNote& n : r.notes) {
        if (n.kind == Kind::ComputedByFormulas) return true;
    }
    return false;
}

}  // namespace

bool sameSize(const SpecialSizeShown& a, const designation::Designation& d) {
    return a.designation.series == d.series && a.designation.special == d.special;
}

std::string specialListEntry(const SpecialSizeShown& s) {
    std::string text = "  ";
    text += s.report.identity.size;
    text += "  special";
    return text;
}

std::string tipSizeName(const ThreadReport& report) {
    if (report.identity.tabulated() || report.identity.size.empty()) return headerText(report);
    std::string text = "special size ";
    text += report.identity.size;
    text += "  ";
    text += report.identity.seriesName();
    return text;
}

std::vector<std::string> infoNote(const ThreadReport& r) {
    std::vector<std::string> lines;
    if (!computedByFormulas(r)) return lines;
    lines.push_back("  SPECIAL SIZE  " + r.identity.size);
    lines.emplace_back("  the values are computed by the");
    std::string formulas = "  formulas of ";
    formulas += r.identity.standard;
    formulas += "; they are";
    lines.push_back(formulas);
    lines.emplace_back("  not taken from the standard's tables");
    for (const ReportNote& n : r.notes) {
        if (n.kind == Kind::ClassWithoutLimits)
            lines.push_back("  " + n.text + ": no limits computed");
        if (n.kind == Kind::MultiStart) {
            lines.push_back("  MULTI-START  " + n.text);
            lines.emplace_back("  d2 min, d3 min and D2 max are not");
            lines.emplace_back("  given: the tolerances of several");
            lines.emplace_back("  starts are not held");
        }
    }
    return lines;
}

std::vector<std::string> sheetNote(const ThreadReport& r) {
    std::vector<std::string> lines;
    if (!computedByFormulas(r)) return lines;
    lines.emplace_back("SPECIAL SIZE:");
    lines.emplace_back("values computed by the");
    std::string formulas(r.identity.standard);
    formulas += " formulas, not";
    lines.push_back(formulas);
    lines.emplace_back("taken from its tables");
    for (const ReportNote& n : r.notes) {
        if (n.kind == Kind::ClassWithoutLimits) lines.push_back("no " + n.text);
        if (n.kind == Kind::MultiStart) {
            lines.push_back(n.text + ":");
            lines.emplace_back("no d2 min, d3 min, D2 max");
        }
    }
    return lines;
}

}  // namespace torveld
