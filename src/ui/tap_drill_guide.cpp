#include "tap_drill_guide.h"

#include "control_ids.h"
#include "tap_drill.h"

namespace torveld {

std::vector<std::string> engagementItems(const Length& basicMajor, double pitch,
                                         const UnitMode& mode) {
    std::vector<std::string> items;
    items.reserve(tap_drill::kPercentages.size() + 1);
    items.emplace_back();
    for (const tap_drill::EngagementLine& line :
         tap_drill::engagementLines(basicMajor.value_or(0.0), pitch)) {
        items.push_back(std::string(line.prefix) + formatLength(line.diameter, mode));
    }
    return items;
}

void TapDrillGuide::selectGuideDrill(SeriesId series, const ThreadResults& results) {
    const tap_drill::GuideDrill drill = tap_drill::findGuideDrill(series, results);
    // Selecting the lead row first scrolls the rows below the guide drill into view; the list
    // holds one selection, so the guide row's selection replaces it.
    windowing_.viewSelectRow(window_, ids::kDrillChart, drill.leadRow);
    windowing_.viewEnsureVisible(window_, ids::kDrillChart, drill.leadRow);
    windowing_.viewSelectRow(window_, ids::kDrillChart, drill.guideRow);
    windowing_.viewEnsureVisible(window_, ids::kDrillChart, drill.guideRow);
    guideStartIndex_ = drill.startIndex;
    guideRow_ = drill.guideRow;
    windowing_.showControl(window_, ids::kDrillChart, true);
}

}  // namespace torveld
