#include "lengths_list.h"

#include "pipe_lengths.h"

namespace torveld {

std::vector<std::string> lengthsItems(SeriesId series, const ThreadResults& results,
                                      const UnitMode& mode) {
    using pipe_lengths::LineKind;
    const std::vector<pipe_lengths::Line> lines = pipe_lengths::lengthsList(series, results);
    std::vector<std::string> items;
    items.reserve(lines.size());
    for (const pipe_lengths::Line& line : lines) {
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
            case LineKind::LengthWithTurns:
                text = std::string(line.text) + formatLength(line.length, mode) + "   (" +
                       formatFixed("%d#.##", line.turns) + " TURNS)";
                break;
        }
        items.push_back(std::move(text));
    }
    return items;
}

}  // namespace torveld
