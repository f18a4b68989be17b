#include "control_texts.h"

#include "control_ids.h"

namespace torveld {

void WindowWriter::texts(std::initializer_list<int> ids, std::string_view text) const {
    for (int id : ids) this->text(id, text);
}

void WindowWriter::rect(int id, platform::Rect rect) const {
    windowing.setControlRect(window, id, rect);
}

void WindowWriter::engagement(std::vector<std::string> items) const {
    windowing.listClear(window, ids::kEngagementList);
    for (const std::string& item : items) windowing.listAppend(window, ids::kEngagementList, item);
    if (record != nullptr) record->setEngagement(std::move(items));
}

}  // namespace torveld
