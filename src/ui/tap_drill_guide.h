// The tap-drill guide on the main window: the "ENGAGEMENT" list of drill diameters for 100 down
// to 50 percent of thread, and the recommended drill selected in the drill chart. The choice of
// drill and the diameters are calculated below the window (tap_drill.h) and carried by the
// thread report; this shows them.
#pragma once

#include <string>
#include <vector>

#include "number_format.h"
#include "tap_drill.h"
#include "thread_report.h"
#include "windowing.h"

namespace torveld {

// The engagement list: an empty line, then one line per percentage, its prefix and the drill
// diameter in the unit mode.
std::vector<std::string> engagementItems(const std::vector<EngagementEntry>& entries,
                                         const UnitMode& mode);

class TapDrillGuide {
  public:
    TapDrillGuide(platform::Windowing& windowing, platform::WindowHandle window)
        : windowing_(windowing), window_(window) {}

    // Selects the guide drill in the drill chart with about a lead's worth of rows visible below
    // it, sets the guide start index and shows the chart.
    void selectGuideDrill(const tap_drill::GuideDrill& drill);

    // The drill-chart row at which the printed drill excerpt begins; 0 before the first guide.
    int guideStartIndex() const { return guideStartIndex_; }
    // The drill-chart row of the guide drill selected last; 0 before the first guide.
    int guideRow() const { return guideRow_; }

  private:
    platform::Windowing& windowing_;
    platform::WindowHandle window_;
    int guideStartIndex_ = 0;
    int guideRow_ = 0;
};

}  // namespace torveld
