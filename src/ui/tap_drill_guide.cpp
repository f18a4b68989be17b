#include "tap_drill_guide.h"

#include <string>

#include "control_ids.h"
#include "tap_drill.h"

namespace torveld {

void TapDrillGuide::fillEngagementList(const Length& basicMajor) {
    windowing_.listClear(window_, ids::kEngagementList);
    windowing_.listAppend(window_, ids::kEngagementList, "");
    for (const tap_drill::EngagementLine& line :
         tap_drill::engagementLines(basicMajor.value_or(0.0), results_.pitch)) {
        windowing_.listAppend(window_, ids::kEngagementList,
                              std::string(line.prefix) + formatLength(line.diameter, mode_));
    }
}

void TapDrillGuide::selectGuideDrill() {
    const tap_drill::GuideDrill drill = tap_drill::findGuideDrill(selection_.series, results_);
    // Selecting the lead row first scrolls the rows below the guide drill into view; the list
    // holds one selection, so the guide row's selection replaces it.
    windowing_.viewSelectRow(window_, ids::kDrillChart, drill.leadRow);
    windowing_.viewEnsureVisible(window_, ids::kDrillChart, drill.leadRow);
    windowing_.viewSelectRow(window_, ids::kDrillChart, drill.guideRow);
    windowing_.viewEnsureVisible(window_, ids::kDrillChart, drill.guideRow);
    guideStartIndex_ = drill.startIndex;
    windowing_.showControl(window_, ids::kDrillChart, true);
}

}  // namespace torveld
