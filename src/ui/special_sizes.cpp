#include "special_sizes.h"

#include "number_format.h"
#include "result_display.h"
#include "special_size.h"

namespace torveld {

namespace {

// The classes shown whose record the engine left empty: "6H internal", in record order.
std::vector<std::string> refusedClasses(const SpecialSizeShown& s) {
    std::vector<std::string> refused;
    for (int index = 0; index < 4; ++index) {
        const std::string& name = s.classes[static_cast<std::size_t>(index)];
        if (name.empty()) continue;
        const auto record = static_cast<ClassRecord>(index);
        const bool external = record == ClassRecord::ExtNormal || record == ClassRecord::ExtClose;
        for (const special::ClassLimits& c : s.limits.classes) {
            const bool sameSide = (c.side == special::Side::External) == external;
            if (c.name == name && sameSide && !c.ok()) {
                refused.push_back(name + (external ? " external" : " internal"));
            }
        }
    }
    return refused;
}

std::string sizeAndPitch(const SpecialSizeShown& s) {
    std::string text = s.sizeText;
    text += " - ";
    text += s.pitchText;
    return text;
}

}  // namespace

std::array<std::string, 4> specialClasses(SeriesId series, double pitch, double basicMajor) {
    switch (series) {
        case series::UNS:
            return {"2A", "", "2B", ""};
        case series::UN:
            return {"2A", "3A", "2B", "3B"};
        case series::UNJ:
            return {"", "3A", "", "3B"};
        case series::ACME:
            return {"2G", "4G", "2G", "4G"};
        case series::STUB_ACME:
            return {"2G", "", "2G", ""};
        case series::ISO_FINE: {
            // Internal H positions: both internal rows have the basic major as their minimum.
            const auto classes = metricFineClasses(pitch, basicMajor, basicMajor);
            if (!classes) break;
            return {(*classes)[0], (*classes)[1], (*classes)[2], (*classes)[3]};
        }
        default:
            break;
    }
    return {};
}

std::variant<SpecialSizeShown, std::string> computeSpecialSize(const designation::Designation& d) {
    const std::string canonical(d.canonical.view());
    if (!d.special || !isValidSeries(d.series)) return canonical + ": not a special size";
    const bool metric = seriesById(d.series).pitchUnit == PitchUnit::Millimetres;
    const double diameter = d.special->majorDiameter;
    const double pitch = d.special->pitch;
    SpecialSizeShown s;
    s.designation = d;
    s.classes = specialClasses(d.series, metric ? pitch / mmPerInch : 1.0 / pitch,
                               metric ? diameter / mmPerInch : diameter);
    const SpecialCalculation calculation = calculateSpecial({d.series, diameter, pitch, s.classes});
    if (!calculation.results) return canonical + ": " + calculation.refusal;
    s.limits = calculation.limits;
    s.results = *calculation.results;
    if (d.series == series::ISO_FINE) {
        // ISO FINE chooses its arrangement from the minimum major diameters of both internal
        // rows, the basic major for every H class; a row without a class keeps it too, so that
        // the display arranges the classes they were chosen by.
        const double basic = diameter / mmPerInch;
        if (!s.results.intNormal.majorMin) s.results.intNormal.majorMin = basic;
        if (!s.results.intClose.majorMin) s.results.intClose.majorMin = basic;
    }
    const designation::SizeTexts texts = designation::sizeTexts(d);
    s.sizeText = std::string(texts.size.view());
    s.pitchText = std::string(texts.pitch.view());
    return s;
}

bool sameSize(const SpecialSizeShown& a, const designation::Designation& d) {
    return a.designation.series == d.series && a.designation.special == d.special;
}

std::string specialListEntry(const SpecialSizeShown& s) {
    std::string text = "  ";
    text += sizeAndPitch(s);
    text += "  special";
    return text;
}

std::string specialHeaderText(const SpecialSizeShown& s) {
    std::string text = sizeAndPitch(s);
    text += "  ";
    text += seriesById(s.designation.series).name;
    text += "  SPECIAL";
    return text;
}

std::string specialSizeName(const SpecialSizeShown& s) {
    std::string text = "special size ";
    text += sizeAndPitch(s);
    text += "  ";
    text += seriesById(s.designation.series).name;
    return text;
}

std::string_view specialStandard(SeriesId series) {
    const std::optional<special::Series> engineSeries = specialSeriesOf(series);
    return engineSeries ? special::standardOf(*engineSeries) : std::string_view();
}

std::vector<std::string> specialInfoNote(const SpecialSizeShown& s) {
    std::vector<std::string> lines;
    std::string title = "  SPECIAL SIZE  ";
    title += sizeAndPitch(s);
    lines.push_back(title);
    lines.emplace_back("  the values are computed by the");
    std::string formulas = "  formulas of ";
    formulas += specialStandard(s.designation.series);
    formulas += "; they are";
    lines.push_back(formulas);
    lines.emplace_back("  not taken from the standard's tables");
    for (const std::string& refused : refusedClasses(s)) {
        std::string line = "  ";
        line += refused;
        line += ": no limits computed";
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> specialSheetNote(const SpecialSizeShown& s) {
    std::vector<std::string> lines;
    lines.emplace_back("SPECIAL SIZE:");
    lines.emplace_back("values computed by the");
    std::string formulas(specialStandard(s.designation.series));
    formulas += " formulas, not";
    lines.push_back(formulas);
    lines.emplace_back("taken from its tables");
    for (const std::string& refused : refusedClasses(s)) {
        std::string line = "no ";
        line += refused;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace torveld
