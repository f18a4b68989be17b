// What the main window shows, as a value: the text of every control and the items of the
// engagement list, as the window side wrote them last, and for each field that shows a number
// the result it shows. The window side writes through a
// WindowWriter, which sets the control and this record together; the data sheet (and any reader
// without a window) is made from the record, never by reading controls back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "thread_results.h"
#include "windowing.h"

namespace torveld {

// The result a field shows: the value of ThreadResults and the places added to the unit mode's
// when it was written.
struct FieldSource {
    ResultField field;
    int places = 0;
};

class ControlTexts {
  public:
    static constexpr int kFirstId = 302;
    static constexpr int kLastId = 443;  // MEASURE

    // The text of control `id`; empty for one never written or outside the main window's ids.
    const std::string& text(int id) const {
        static const std::string empty;
        return inRange(id) ? texts_[slot(id)] : empty;
    }
    void setText(int id, std::string_view text) {
        if (!inRange(id)) return;
        std::string& slot = texts_[this->slot(id)];
        if (slot != text) slot.assign(text);  // most captions are written again unchanged
        sources_[this->slot(id)].reset();
    }

    // The result the text of control `id` was written from; none for a text that is not a
    // number of the results ("--", captions, labels) or outside the main window's ids.
    const std::optional<FieldSource>& source(int id) const {
        static const std::optional<FieldSource> none;
        return inRange(id) ? sources_[slot(id)] : none;
    }
    // Notes the result behind the text just written into control `id`.
    void setSource(int id, const FieldSource& source) {
        if (inRange(id)) sources_[slot(id)] = source;
    }

    // The items of the engagement list, top to bottom.
    const std::vector<std::string>& engagement() const { return engagement_; }
    void setEngagement(std::vector<std::string> items) { engagement_ = std::move(items); }

  private:
    static bool inRange(int id) { return id >= kFirstId && id <= kLastId; }
    static std::size_t slot(int id) { return static_cast<std::size_t>(id - kFirstId); }

    std::array<std::string, kLastId - kFirstId + 1> texts_;
    std::array<std::optional<FieldSource>, kLastId - kFirstId + 1> sources_;
    std::vector<std::string> engagement_;
};

// Writes into the main window: each text to its control and, when a record is given, into it.
struct WindowWriter {
    platform::Windowing& windowing;
    platform::WindowHandle window;
    ControlTexts* record = nullptr;

    void text(int id, std::string_view text) const {
        windowing.setControlText(window, id, text);
        if (record != nullptr) record->setText(id, text);
    }
    void texts(std::initializer_list<int> ids, std::string_view text) const;
    void rect(int id, platform::Rect rect) const;
    // Empties the engagement list and appends `items`.
    void engagement(std::vector<std::string> items) const;
};

}  // namespace torveld
