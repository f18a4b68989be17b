// The family of threads a CAD export writes, from thread reports: which reports, which classes,
// the one number of each diameter and the checks every thread passes before a file is made.
#include "cad_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "query_output.h"

namespace torveld::query::cad {

namespace {

constexpr int kFirstSortOrder = 100;

// `value` rounded to `places` decimals through its text, so that a mean of two limits carries
// no binary noise (0.9485, never 0.94850000000000001).
double rounded(double value, int places) {
    char text[64];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    double back = value;
    std::from_chars(text, written.ptr, back);
    return back;
}

int placesOf(const LimitValue& v) {
    const std::size_t point = v.text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(v.text.size() - point - 1);
}

// The one number of a diameter with these limits; none without a limit. A diameter with one
// limit (the internal major's minimum, the Unified external minor's reference) is that limit.
std::optional<double> chosen(const std::optional<LimitValue>& max,
                             const std::optional<LimitValue>& min, ThreadSide side,
                             ValueChoice choice) {
    if (!max || !min) {
        if (max) return max->value;
        if (min) return min->value;
        return std::nullopt;
    }
    const bool external = side == ThreadSide::External;
    switch (choice) {
        case ValueChoice::MaxMaterial:
            return external ? max->value : min->value;
        case ValueChoice::MinMaterial:
            return external ? min->value : max->value;
        case ValueChoice::Mean:
            break;
    }
    return rounded((max->value + min->value) / 2, std::max(placesOf(*max), placesOf(*min)) + 1);
}

std::string_view sideName(ThreadSide side) {
    return side == ThreadSide::External ? "external" : "internal";
}

// The size part of a size-list text: "1/4 - 20" -> "1/4".
std::string sizeOf(const std::string& sizeListText) {
    const std::size_t dash = sizeListText.rfind(" - ");
    return dash == std::string::npos ? sizeListText : sizeListText.substr(0, dash);
}

// The size as the size list writes it, a number size marked so: the Unified lists write No. 2
// and 2 in alike ("2 - 56", "2 - 4 1/2"), and a family's sizes must differ.
std::string sizeText(const Answer& a) {
    std::string size = sizeOf(a.report.identity.size);
    const bool digits = !size.empty() && std::all_of(size.begin(), size.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || a.unit != DisplayUnit::Inch) return size;
    constexpr double kLargestNumberSize = 0.25;  // No. 12 is 0.216 in
    for (const auto* side : {&a.external, &a.internal}) {
        for (const ClassLimits& c : *side) {
            for (const auto& v : c.values) {
                if (v && v->value >= kLargestNumberSize) return size;
            }
        }
    }
    return "#" + size;
}

// The classes `names` asks for on the size of `report`: those it holds, the others computed for
// the size by reading "SIZE-CLASS". A class that cannot be had is a message.
std::vector<ReportClass> namedClasses(const ThreadReport& report,
                                      const std::vector<std::string>& names,
                                      std::vector<std::string>& messages) {
    std::vector<ReportClass> out;
    for (const std::string& name : names) {
        bool found = false;
        for (const ReportClass& c : report.classes) {
            if (c.name != name) continue;
            out.push_back(c);
            found = true;
        }
        if (found) continue;
        const std::string text = report.identity.sizeDesignation + "-" + name;
        const designation::Result read = designation::read(text);
        std::string reason;
        if (read) {
            ReportOutcome computed = makeReport(read.designation());
            if (auto* r = std::get_if<ThreadReport>(&computed)) {
                for (ReportClass& c : r->classes) {
                    if (c.name == name) out.push_back(std::move(c));
                }
                continue;
            }
            reason = std::get<std::string>(computed);
        } else {
            reason = read.error().message;
        }
        messages.push_back("left out " + text + ": " + reason);
    }
    return out;
}

// The threads of one class of an answer; a thread without a number for a diameter is a message.
void addThread(Designation& d, const ClassLimits& c, ThreadSide side, const Answer& a,
               ValueChoice choice, std::vector<std::string>& messages) {
    const auto& v = c.values;
    Thread t;
    t.className = c.name;
    t.side = side;
    t.majorMax = v[0];
    t.majorMin = v[1];
    t.pitchMax = v[2];
    t.pitchMin = v[3];
    t.minorMax = v[4];
    t.minorMin = v[5];
    const std::optional<double> major = chosen(t.majorMax, t.majorMin, side, choice);
    const std::optional<double> pitch = chosen(t.pitchMax, t.pitchMin, side, choice);
    const std::optional<double> minor = chosen(t.minorMax, t.minorMin, side, choice);
    if (!major || !pitch || !minor) {
        const std::string_view missing = !major ? "major" : !pitch ? "pitch" : "minor";
        messages.push_back("left out " + d.designation + " " + c.name + " " +
                           std::string(sideName(side)) + ": it has no " + std::string(missing) +
                           " diameter limit");
        return;
    }
    t.major = *major;
    t.pitch = *pitch;
    t.minor = *minor;
    if (side == ThreadSide::Internal) {
        if (const Length drill = a.report.tapDrill.drillDiameter()) {
            t.tapDrill = a.length(*drill).value;
        }
    }
    const bool duplicate = std::any_of(d.threads.begin(), d.threads.end(), [&](const Thread& o) {
        return o.className == t.className && o.side == t.side;
    });
    if (!duplicate) d.threads.push_back(std::move(t));
}

// The pitch as the file writes it: threads per inch in an inch family, millimetres else.
double pitchOf(const ThreadReport& r, bool inch) {
    if (inch) return r.identity.threadsPerInch.value_or(rounded(1.0 / r.values.pitch, 4));
    return rounded(r.values.pitch * 25.4, 4);
}

int sortOrderOf(SeriesId id) {
    const std::vector<SeriesId> order = seriesInRadioOrder();
    const auto at = std::find(order.begin(), order.end(), id);
    return kFirstSortOrder + static_cast<int>(at - order.begin());
}

}  // namespace

double flankAngle(ThreadForm form) {
    switch (form) {
        case ThreadForm::Whitworth55:
        case ThreadForm::BritishTaper55:
            return 55;
        case ThreadForm::BA47:
            return 47.5;
        case ThreadForm::Acme29:
        case ThreadForm::StubAcme:
            return 29;
        case ThreadForm::Trapezoidal30:
            return 30;
        case ThreadForm::Unified60:
        case ThreadForm::NPSM:
        case ThreadForm::NPSL:
        case ThreadForm::UNJ:
        case ThreadForm::UNM:
        case ThreadForm::TaperPipe:
        case ThreadForm::InsertTapping:
            break;
    }
    return 60;
}

bool isTaper(ThreadForm form) {
    return form == ThreadForm::TaperPipe || form == ThreadForm::BritishTaper55;
}

std::string threadFault(const Thread& t) {
    const std::string who = t.className + " " + std::string(sideName(t.side)) + ": ";
    const double diameters[] = {t.major, t.pitch, t.minor};
    for (const double d : diameters) {
        if (!std::isfinite(d) || d <= 0) return who + "a diameter is not a positive number";
    }
    const auto text = [](double value) {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return std::string(digits, end);
    };
    if (!(t.pitch < t.major)) {
        return who + "pitch diameter " + text(t.pitch) + " is not below major diameter " +
               text(t.major);
    }
    if (!(t.minor < t.pitch)) {
        return who + "minor diameter " + text(t.minor) + " is not below pitch diameter " +
               text(t.pitch);
    }
    return {};
}

FamilyResult familyOf(const Request& rq) {
    FamilyResult out;
    std::vector<ThreadReport> reports;
    if (rq.series) {
        for (int row = 0; row < sizeCount(*rq.series); ++row) {
            reports.push_back(tableReport(*rq.series, row));
        }
    }
    for (const std::string& text : rq.designations) {
        const designation::Result read = designation::read(text);
        if (!read) {
            out.error = errorLine(text, read.error().message);
            return out;
        }
        ReportOutcome report = makeReport(read.designation());
        if (const auto* reason = std::get_if<std::string>(&report)) {
            out.error = errorLine(text, *reason);
            return out;
        }
        reports.push_back(std::get<ThreadReport>(std::move(report)));
    }

    // The parallel threads only: one unit and one flank angle per file.
    std::vector<SeriesId> seen;
    std::vector<const ThreadReport*> kept;
    for (const ThreadReport& r : reports) {
        const SeriesId id = r.identity.series;
        const bool first = std::find(seen.begin(), seen.end(), id) == seen.end();
        if (first) seen.push_back(id);
        if (isTaper(seriesById(id).form)) {
            if (first) {
                out.messages.push_back("left out " + std::string(r.identity.seriesName()) +
                                       ": a taper thread; the format describes parallel threads");
            }
            continue;
        }
        if (!r.calculated) {
            out.messages.push_back("left out " + r.identity.designation + ": it has no values");
            continue;
        }
        kept.push_back(&r);
    }
    if (kept.empty()) {
        out.error = "nothing to export: every thread asked for was left out";
        return out;
    }
    const SeriesId firstSeries = kept.front()->identity.series;
    Family& f = out.family;
    f.inch = tableUnit(firstSeries) == DisplayUnit::Inch;
    f.angle = flankAngle(seriesById(firstSeries).form);
    f.sortOrder = sortOrderOf(firstSeries);
    std::vector<std::string_view> names;
    for (const ThreadReport* r : kept) {
        const SeriesId id = r->identity.series;
        if ((tableUnit(id) == DisplayUnit::Inch) != f.inch) {
            out.error = "a thread file holds one unit: " + std::string(r->identity.seriesName()) +
                        " and " + std::string(seriesById(firstSeries).name) +
                        " are in different units; export them separately";
            return out;
        }
        if (flankAngle(seriesById(id).form) != f.angle) {
            out.error =
                "a thread file holds one flank angle: " + std::string(r->identity.seriesName()) +
                " and " + std::string(seriesById(firstSeries).name) +
                " differ; export them separately";
            return out;
        }
        const std::string_view name = r->identity.seriesName();
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    std::string joined;
    for (const std::string_view name : names) {
        if (!joined.empty()) joined += ' ';
        joined += name;
    }
    f.name = "Torveld " + (rq.name.empty() ? joined : rq.name) + " " + rq.version;

    for (const ThreadReport* r : kept) {
        ThreadReport report = *r;
        if (!rq.classes.empty()) report.classes = namedClasses(report, rq.classes, out.messages);
        const DisplayUnit unit = f.inch ? DisplayUnit::Inch : DisplayUnit::Metric;
        const std::string canonical = report.identity.sizeDesignation;
        const Answer a = answerOf(std::move(report), canonical, unit, Texts::Omitted);
        auto at = std::find_if(f.designations.begin(), f.designations.end(),
                               [&](const Designation& d) { return d.designation == canonical; });
        if (at == f.designations.end()) {
            f.designations.push_back({sizeText(a), canonical, pitchOf(a.report, f.inch), {}});
            at = f.designations.end() - 1;
        }
        for (const ClassLimits& c : a.external) {
            addThread(*at, c, ThreadSide::External, a, rq.value, out.messages);
        }
        for (const ClassLimits& c : a.internal) {
            addThread(*at, c, ThreadSide::Internal, a, rq.value, out.messages);
        }
        if (at->threads.empty()) f.designations.erase(at);
    }
    if (f.designations.empty()) {
        out.error = "nothing to export: every thread asked for was left out";
    }
    return out;
}

Exported exportThreads(const Request& request, FileFormat format) {
    FamilyResult family = familyOf(request);
    Exported out;
    if (family.error.empty()) {
        out =
            format == FileFormat::Fusion360 ? fusionXml(family.family) : inventorCsv(family.family);
    } else {
        out.error = std::move(family.error);
    }
    out.messages.insert(out.messages.begin(), family.messages.begin(), family.messages.end());
    return out;
}

}  // namespace torveld::query::cad
