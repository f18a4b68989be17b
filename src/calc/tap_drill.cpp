#include "tap_drill.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "drill_chart.h"

namespace torveld::tap_drill {

namespace {

constexpr std::array<const char*, 9> kPrefixes{
    "  100%  -   ",  "    90%  -   ", "    80%  -   ", "    75%  -   ", "    70%  -   ",
    "    65%  -   ", "    60%  -   ", "    55%  -   ", "    50%  -   ",
};

// The taper pipe threads, whose data sheet prints twelve drills: NPT, NPTF and R.
bool isTaperPipe(SeriesId id) {
    return id == series::NPT || id == series::NPTF || id == series::R;
}

// The first chart row at or above `target` in chart order (the chart is not sorted: "4.80mm"
// follows "12" although it is smaller), or -1. The running maximum of the diameters does not
// fall, so the first row whose running maximum reaches the target is that row, found by
// bisection instead of a walk over up to 746 rows.
int firstRowReaching(double target) {
    static const std::array<double, drill_chart::kEndRow> runningMax = [] {
        std::array<double, drill_chart::kEndRow> values{};
        double max = 0.0;
        for (int i = 0; i < drill_chart::kEndRow; ++i) {
            max = std::max(max, drill_chart::diameter(i));
            values[static_cast<std::size_t>(i)] = max;
        }
        return values;
    }();
    const auto it = std::lower_bound(runningMax.begin(), runningMax.end(), target);
    return it == runningMax.end() ? -1 : static_cast<int>(it - runningMax.begin());
}

}  // namespace

std::string linePrefix(std::size_t k) {
    return k < kPrefixes.size() ? std::string(kPrefixes[k]) : std::string();
}

std::array<EngagementLine, 9> engagementLines(double basicMajor, double pitch) {
    std::array<EngagementLine, 9> lines{};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const double n = kPercentages[k];
        lines[k] = EngagementLine{kPrefixes[k], basicMajor - 0.013 * (n * pitch)};
    }
    return lines;
}

double percentageOfThread(double basicMajor, double pitch, double drill) {
    if (!std::isfinite(basicMajor) || !std::isfinite(pitch) || !std::isfinite(drill) ||
        !(pitch > 0.0)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return (basicMajor - drill) / (0.013 * pitch);
}

std::optional<ClassRecord> guideRecord(SeriesId id, const ThreadResults& results) {
    switch (id) {
        case series::NPT:
        case series::NPTF:
            return std::nullopt;
        case series::UNS:
        case series::STUB_ACME:
        case series::NPSM:
        case series::NPSL:
        case series::UNM:
            return ClassRecord::IntNormal;
        default:
            return results.intClose.minorMin ? ClassRecord::IntClose : ClassRecord::IntNormal;
    }
}

Length guideTarget(SeriesId id, const ThreadResults& results) {
    const std::optional<ClassRecord> record = guideRecord(id, results);
    if (!record) return results.k0;
    return *record == ClassRecord::IntClose ? results.intClose.minorMin
                                            : results.intNormal.minorMin;
}

int scrollLead(SeriesId id) {
    return isTaperPipe(id) ? 11 : 9;
}

GuideDrill findGuideDrillFor(SeriesId id, double target) {
    const int lead = scrollLead(id);
    // The last start index whose excerpt of lead + 1 rows still ends within the chart.
    const int lastStart = drill_chart::kEndRow - lead;
    if (target <= kSmallestTarget) return GuideDrill{0, 0, 0};

    const int found = target <= kLargestTarget ? firstRowReaching(target) : -1;
    // Above the largest target, or no number at all (a NaN never compares): no drill.
    if (found < 0) return GuideDrill{drill_chart::kEndRow, drill_chart::kEndRow, lastStart};

    const int guide = std::max(found - 1, 0);
    return GuideDrill{std::min(guide + lead, static_cast<int>(drill_chart::kEndRow)), guide,
                      std::min(guide, lastStart)};
}

GuideDrill findGuideDrill(SeriesId id, const ThreadResults& results) {
    return findGuideDrillFor(id, guideTarget(id, results).value_or(0.0));
}

}  // namespace torveld::tap_drill
