// The tap-drill guide on the main window: the "ENGAGEMENT" list of drill diameters for 100 down
// to 50 percent of thread, and the recommended drill selected in the drill chart. The choice of
// drill and the diameters are calculated in src/calc (tap_drill.h); this class shows them.
#pragma once

#include "number_format.h"
#include "thread_results.h"
#include "windowing.h"

namespace torveld {

class TapDrillGuide {
  public:
    TapDrillGuide(platform::Windowing& windowing, platform::WindowHandle window,
                  const Selection& selection, const ThreadResults& results, const UnitMode& mode)
        : windowing_(windowing),
          window_(window),
          selection_(selection),
          results_(results),
          mode_(mode) {}

    // Clears the engagement list, adds an empty line, then one line per percentage: its prefix
    // and the drill diameter for basic major diameter `basicMajor` in the current unit mode
    // (0 without results).
    void fillEngagementList(const Length& basicMajor);

    // Selects the guide drill of the selected series in the drill chart with about a lead's
    // worth of rows visible below it, sets the guide start index and shows the chart.
    void selectGuideDrill();

    // The drill-chart row at which the printed drill excerpt begins; 0 before the first guide.
    int guideStartIndex() const { return guideStartIndex_; }

  private:
    platform::Windowing& windowing_;
    platform::WindowHandle window_;
    const Selection& selection_;
    const ThreadResults& results_;
    const UnitMode& mode_;
    int guideStartIndex_ = 0;
};

}  // namespace torveld
