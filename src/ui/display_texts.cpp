#include "display_texts.h"

#include <algorithm>
#include <array>

#include "pipe_layout.h"
#include "result_display.h"

namespace torveld {

namespace {

const ArrangedControls& arrangedFor(const ThreadReport& report) {
    return arrangedControls(arrangementOf(report.identity.series));
}

}  // namespace

ControlTexts windowTexts(const ThreadReport& report, const UnitMode& mode) {
    ControlTexts texts;
    const ArrangedControls& arranged = arrangedFor(report);
    for (int id = ControlTexts::kFirstId; id <= ControlTexts::kLastId; ++id) {
        texts.setText(id, arranged[static_cast<std::size_t>(id - ControlTexts::kFirstId)].text);
    }
    DisplayFrame frame = displayFrame(report, mode);
    for (const DisplayWrite& w : frame.writes) {
        if (w.isRect) continue;
        texts.setText(w.id, w.text);
        if (w.source) texts.setSource(w.id, *w.source);
    }
    texts.setEngagement(std::move(frame.engagement));
    return texts;
}

std::vector<std::pair<int, std::string>> shownTexts(const ThreadReport& report,
                                                    const UnitMode& mode, int first, int last) {
    // The texts as views of the arrangement's captions and the frame's writes, the last write
    // of a control winning, without a record of every control.
    const ArrangedControls& arranged = arrangedFor(report);
    std::array<std::string_view, ControlTexts::kLastId - ControlTexts::kFirstId + 1> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = arranged[i].text;
    const DisplayFrame frame = displayFrame(report, mode);
    for (const DisplayWrite& w : frame.writes) {
        if (!w.isRect && w.id >= ControlTexts::kFirstId && w.id <= ControlTexts::kLastId) {
            texts[static_cast<std::size_t>(w.id - ControlTexts::kFirstId)] = w.text;
        }
    }
    std::vector<std::pair<int, std::string>> shown;
    shown.reserve(static_cast<std::size_t>(std::max(0, last - first + 1)));
    for (int id = std::max(first, ControlTexts::kFirstId);
         id <= std::min(last, ControlTexts::kLastId); ++id) {
        const std::size_t i = static_cast<std::size_t>(id - ControlTexts::kFirstId);
        if (arranged[i].shown()) shown.emplace_back(id, texts[i]);
    }
    return shown;
}

}  // namespace torveld
