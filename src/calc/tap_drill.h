// Thread calculations: the tap-drill guide, free of any window. The engagement list gives the
// drill diameter for 100 % down to 50 % of thread; the guide drill is the drill-chart row the
// system recommends for the internal thread.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "series.h"
#include "thread_results.h"

namespace torveld::tap_drill {

// Percentages of thread, in display order.
inline constexpr std::array<int, 9> kPercentages{100, 90, 80, 75, 70, 65, 60, 55, 50};

// Targets at or below this diameter (inches) take the smallest drill, row 0.
inline constexpr double kSmallestTarget = 0.0138;
// Targets above this diameter (inches) have no drill: the "NO DATA" row.
inline constexpr double kLargestTarget = 4.625;

struct EngagementLine {
    const char* prefix;  // "  100%  -   ", "    90%  -   ", ...
    double diameter;     // inches; the display multiplies by its unit factor and formats
};

// The prefix of engagement line `k` ("  100%  -   " for k = 0); empty past the ninth.
std::string linePrefix(std::size_t k);

// The nine engagement lines for a basic major diameter D and pitch P (inches): the drill for
// n percent of thread is D - 0.013 x (n x P), that is D - 1.3 P at 100 percent.
std::array<EngagementLine, 9> engagementLines(double basicMajor, double pitch);

// The percentage of thread that a drill of diameter d gives on a thread of basic major D and
// pitch P (inches): the engagement lines read backwards, n = (D - d) / (0.013 x P). Above 100
// for a drill smaller than the 100 percent drill, below 0 for one larger than D; NaN when P is
// not above 0 or a value is not finite.
double percentageOfThread(double basicMajor, double pitch, double drill);

// The class record whose minor minimum the guide drill is sought for: the normal-class internal
// record for UNS, STUB ACME, NPSM, NPSL and UNM, the close-class one for all others; where the
// close record holds no minor minimum (a size without that class, as the special ISO FINE sizes
// of one internal class), the normal one, so that the guide follows the internal class shown.
// None for NPT and NPTF, which go by k0.
std::optional<ClassRecord> guideRecord(SeriesId id, const ThreadResults& results);

// The diameter the guide drill is sought for: k0 for NPT and NPTF, else the minor minimum of the
// guide record.
Length guideTarget(SeriesId id, const ThreadResults& results);

// Rows the drill chart is scrolled ahead of the guide drill: 11 for NPT, NPTF and R (the taper
// pipe threads' sheet prints twelve drills), 9 otherwise.
// The data sheet prints lead + 1 rows from the guide start index.
int scrollLead(SeriesId id);

struct GuideDrill {
    int leadRow;     // select and make visible first, so rows below the guide drill show
    int guideRow;    // then select and make visible: the recommended drill
    int startIndex;  // guide start index: first row of the printed drill excerpt
};

// The guide drill for the series' target: the drill standing just before the first drill at
// or above the target, walking the chart in its order. Without a target (no results) the guide
// stands at the top of the chart. Every row returned exists.
GuideDrill findGuideDrill(SeriesId id, const ThreadResults& results);
GuideDrill findGuideDrillFor(SeriesId id, double target);

}  // namespace torveld::tap_drill
