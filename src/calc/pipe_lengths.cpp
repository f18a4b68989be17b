#include "pipe_lengths.h"

namespace torveld::pipe_lengths {

namespace {

// R, Rc and Rp: the gauge length of R (its tolerance, in turns too, and its limits), the least
// useful thread of R for the basic, the largest and the smallest gauge length, the fitting
// allowance, and the diametral tolerance of the parallel Rp.
std::vector<Line> britishTaperList(const ThreadResults& r) {
    const Line empty{LineKind::Empty, "", 0.0};
    const auto only = [](const char* label, const Length& length) {
        return Line{LineKind::LengthOnly, label, length.value_or(0.0)};
    };
    const auto turns = [](const char* label, const Length& length,
                          const std::optional<double>& count) {
        return Line{LineKind::LengthWithTurns, label, length.value_or(0.0), count.value_or(0.0)};
    };
    const double pitch = r.pitch > 0.0 ? r.pitch : 1.0;
    return {
        empty,
        turns("  GAUGE LENGTH = ", r.gaugeLength, r.gaugeLength.value_or(0.0) / pitch),
        turns("  TOLERANCE +/- = ", r.gaugeLengthTolerance, r.gaugeLengthToleranceTurns),
        only("  MAX = ", r.gaugeLengthMax),
        only("  MIN = ", r.gaugeLengthMin),
        empty,
        only("  USEFUL THREAD MIN = ", r.usefulThreadMin),
        only("  AT MAX GAUGE LENGTH = ", r.usefulThreadMinAtMaxGauge),
        only("  AT MIN GAUGE LENGTH = ", r.usefulThreadMinAtMinGauge),
        turns("  FITTING ALLOWANCE = ", r.fittingAllowance, r.fittingAllowanceTurns),
        empty,
        only("  Rp DIAMETERS +/- = ", r.rpDiameterTolerance),
    };
}

}  // namespace

std::vector<Line> lengthsList(SeriesId id, const ThreadResults& r) {
    if (id == series::R) return britishTaperList(r);
    if (id != series::NPT && id != series::NPTF) return {};
    const Line empty{LineKind::Empty, "", 0.0};
    const auto text = [](const char* t) { return Line{LineKind::Text, t, 0.0}; };
    // Without results (no calculation) a length reads 0.
    const auto withThreads = [](const char* label, const Length& length) {
        return Line{LineKind::LengthWithThreads, label, length.value_or(0.0)};
    };

    std::vector<Line> lines{
        empty, withThreads("  L1 = ", r.l1), text("  LENGTH OF HAND ENGAGEMENT"),
        empty, withThreads("  L2 = ", r.l2), text("  LENGTH OF EFFECTIVE THREAD"),
        empty,
    };
    if (id == series::NPT) {
        lines.push_back(withThreads("  L3 = ", r.l3));
        lines.push_back(text("  LENGTH OF WRENCH TAKEUP"));
        lines.push_back(empty);
        lines.push_back(withThreads("  L4 = ", r.l4));
        lines.push_back(text("  OVERALL EXTERNAL THREAD LENGTH"));
    } else {
        lines.push_back(
            Line{LineKind::LengthOnly, "  SHOULDER LENGTH = ", r.shoulderLength.value_or(0.0)});
        lines.push_back(empty);
        lines.push_back(text("  OVERALL INTERNAL THREAD"));
        if (r.l4) {
            lines.push_back(withThreads("  LENGTH = ", r.l4));
        } else {
            lines.push_back(text("  LENGTH NOT AVAILABLE"));
        }
    }
    return lines;
}

}  // namespace torveld::pipe_lengths
