#include "tips.h"

#include <array>
#include <charconv>
#include <cmath>

#include "control_ids.h"
#include "drill_chart.h"
#include "result_display.h"
#include "special_sizes.h"
#include "tap_drill.h"

namespace torveld::tips {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isTaperPipe(SeriesId id) {
    return id == series::NPT || id == series::NPTF;
}

std::string wholeNumber(double value) {
    std::array<char, 32> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(),
                                            std::floor(value + 0.5), std::chars_format::fixed, 0);
    return error == std::errc() ? std::string(digits.data(), end) : std::string("?");
}

// "7 (.2010 in)": the drill's name and its diameter in the unit shown.
std::string drillText(int row, const UnitMode& mode) {
    std::string text = drill_chart::row(row).drillName;
    text += " (";
    text += formatLength(drill_chart::diameter(row), mode);
    text += mode.isMetric() ? " mm)" : " in)";
    return text;
}

// "1/4 - 20 UNC": the header text with single blanks.
std::string sizeText(std::string_view header) {
    std::string text;
    for (const char c : header) {
        if (c != ' ' || text.empty() || text.back() != ' ') text += c;
    }
    return std::string(trimmed(text));
}

// The captions of the R, Rc and Rp arrangement and of the trapezoidal thread.
std::string britishTaperOrTrapezoidalTip(std::string_view text) {
    if (text == "GAUGE DIAMETER") {
        return "GAUGE DIAMETER: the basic diameters of the taper thread, which it has at its "
               "gauge plane.";
    }
    if (text == "GAUGE PLANE") {
        return "GAUGE PLANE: the basic diameter at the gauge plane, a gauge length from the "
               "small end of the external thread R and at the face of the internal thread Rc.";
    }
    if (text == "END OF PIPE") {
        return "END OF PIPE: the pitch diameter at the small end of the external thread, a "
               "gauge length before the gauge plane on the taper of 1 in 16 on the diameter.";
    }
    if (text == "Rp MINOR DIAMETER") {
        return "Rp MINOR DIAMETER: the limits of the minor diameter of the parallel internal "
               "thread Rp, which takes an external taper thread R.";
    }
    if (text == "GAUGE PLANE +/-") {
        return "GAUGE PLANE +/-: how far the gauge plane of the internal taper thread Rc may lie "
               "from the face of the part, either way.";
    }
    if (text == "GAUGE LENGTHS") {
        return "GAUGE LENGTHS: the gauge length of the external thread and its tolerance, the "
               "useful thread it needs and the fitting allowance, also in turns; last, the "
               "tolerance of the Rp diameters.";
    }
    if (text == "CLEARANCE") {
        return "CLEARANCE: the crest clearance ac, the gap between the crest of one thread and "
               "the root of the other at the basic sizes, at the major and at the minor "
               "diameter.";
    }
    if (text == "MAX RADII") {
        return "MAX RADII: the largest radius of the rounding at the crest (half the crest "
               "clearance) and at the root (the crest clearance) of the trapezoidal thread.";
    }
    return {};
}

}  // namespace

std::string captionTip(std::string_view caption, SeriesId series) {
    const std::string_view text = trimmed(caption);
    if (text == "REF") {
        return "REF: the largest minor diameter of the external thread, given for reference "
               "only; it is not gauged.";
    }
    if (text == "BEST WIRE") {
        return "BEST WIRE: the wire diameter that touches the flanks at the pitch diameter, the "
               "size to measure over wires with.";
    }
    if (text == "CONSTANT" || text == "CONSTANT (2 WIRE)") {
        std::string tip(text);
        tip +=
            ": what the best-size wires add to the pitch diameter; the pitch diameter plus "
            "this constant is the measurement over wires.";
        return tip;
    }
    if (text == "OVER WIRES") {
        return "OVER WIRES: the limits of the measurement over three best-size wires, the "
               "pitch-diameter limits of each external class plus the constant.";
    }
    if (text == "ENGAGEMENT") {
        return "ENGAGEMENT: the drill diameter that gives each percentage of thread, from 100% "
               "(the major diameter less 1.3 pitches) down to 50%.";
    }
    if (text == "TAP DRILL GUIDE") {
        if (isTaperPipe(series)) {
            return "TAP DRILL GUIDE: the highlighted drill is the last one in the chart below "
                   "K0, the minor diameter at the end of the pipe.";
        }
        if (series == series::R) {
            return "TAP DRILL GUIDE: the highlighted drill is the last one in the chart below "
                   "the smallest minor diameter of the parallel internal thread Rp.";
        }
        return "TAP DRILL GUIDE: the highlighted drill is the last one in the chart below the "
               "smallest minor diameter of the internal thread; the ENGAGEMENT list gives the "
               "drill for a percentage of thread, and each drill's tip tells what it gives.";
    }
    if (text == "E0 END OF PIPE") {
        return "E0: the pitch diameter at the small end of the pipe, where the taper of 1 in 16 "
               "on the diameter begins.";
    }
    if (text == "E1 GAGE NOTCH") {
        return "E1: the pitch diameter at the gauge notch, L1 from the end of the pipe, where a "
               "joint made up by hand stands.";
    }
    if (text == "K0 END OF PIPE") {
        return "K0: the minor diameter at the small end of the pipe, which the tap-drill guide "
               "chooses its drill by.";
    }
    if (text == "L1 - L4 LENGTHS") {
        if (series == series::NPTF) {
            return "L1 is the length of hand engagement and L2 the length of effective thread, "
                   "each also in threads; the shoulder length and the overall length of the "
                   "internal thread follow.";
        }
        return "L1 is the length of hand engagement, L2 of effective thread, L3 of wrench "
               "take-up and L4 the overall length of the external thread, each also in threads.";
    }
    return britishTaperOrTrapezoidalTip(text);
}

std::string buttonTip(int controlId) {
    switch (controlId) {
        case ids::kPrint:
            return "Print the data sheet of this size (Ctrl+P)";
        case ids::kInfo:
            return "Describe the thread series (F1)";
        case ids::kMeasure:
            return "Judge a reading over wires, name a thread from measurements, gauge sizes "
                   "(Ctrl+M)";
        case ids::kClose:
            return "End the program (Ctrl+Q)";
        case ids::kHide:
            return "Minimise the window";
        default:
            return {};
    }
}

std::string drillTip(int row, const ThreadReport& report, const UnitMode& mode) {
    if (row == drill_chart::kEndRow) {
        return "NO DATA: the guide marks this row when the chart has no drill large enough for "
               "the size.";
    }
    if (row < 0 || row > drill_chart::kEndRow) return {};

    std::string tip = "Drill ";
    tip += drillText(row, mode);
    const ThreadResults& results = report.values;
    const std::optional<double> major = report.tapDrill.basicMajor;
    if (!major) {
        tip +=
            ": the percentage of thread is given only for the series with an ENGAGEMENT "
            "list.";
        return tip;
    }
    const double drill = drill_chart::diameter(row);
    const double percent = tap_drill::percentageOfThread(*major, results.pitch, drill);
    if (!report.calculated || std::isnan(percent)) {
        tip += ": no percentage of thread, this size has no values.";
        return tip;
    }
    const std::string size = sizeText(tipSizeName(report));
    if (percent < 0.0) {
        tip += " is larger than the major diameter of ";
        tip += size;
        tip += " and leaves no thread.";
    } else if (percent > 100.0) {
        tip += " is smaller than the 100% drill of ";
        tip += size;
        tip += " (";
        tip += formatLength(tap_drill::engagementLines(*major, results.pitch)[0].diameter, mode);
        tip += mode.isMetric() ? " mm)." : " in).";
    } else {
        tip += " gives ";
        tip += wholeNumber(percent);
        tip += "% of thread on ";
        tip += size;
        tip += ".";
    }
    return tip;
}

}  // namespace torveld::tips
