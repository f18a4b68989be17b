#include "lengths_list.h"

#include <string>

#include "control_ids.h"
#include "pipe_lengths.h"

namespace torveld {

void fillLengthsList(platform::Windowing& windowing, platform::WindowHandle window, SeriesId series,
                     const ThreadResults& results, const UnitMode& mode) {
    using pipe_lengths::LineKind;
    windowing.listClear(window, ids::kEngagementList);
    for (const pipe_lengths::Line& line : pipe_lengths::lengthsList(series, results)) {
        std::string text;
        switch (line.kind) {
            case LineKind::Empty:
                break;
            case LineKind::Text:
                text = line.text;
                break;
            case LineKind::LengthWithThreads:
                text = std::string(line.text) + formatLength(line.length, mode) + "   (" +
                       formatFixed("%d#.##", line.length / results.pitch) + " THREADS)";
                break;
            case LineKind::LengthOnly:
                text = std::string(line.text) + formatLength(line.length, mode);
                break;
        }
        windowing.listAppend(window, ids::kEngagementList, text);
    }
}

}  // namespace torveld
