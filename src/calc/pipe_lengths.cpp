#include "pipe_lengths.h"

namespace torveld::pipe_lengths {

std::vector<Line> lengthsList(SeriesId id, const ThreadResults& r) {
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
