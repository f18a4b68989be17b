#include "tap_drill_guide.h"

#include "control_ids.h"

namespace torveld {

std::vector<std::string> engagementItems(const std::vector<EngagementEntry>& entries,
                                         const UnitMode& mode) {
    std::vector<std::string> items;
    items.reserve(entries.size() + 1);
    items.emplace_back();
    for (std::size_t k = 0; k < entries.size(); ++k) {
        items.push_back(tap_drill::linePrefix(k) + formatLength(entries[k].diameter, mode));
    }
    return items;
}

void TapDrillGuide::selectGuideDrill(const tap_drill::GuideDrill& drill) {
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
