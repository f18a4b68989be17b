#include "control_texts.h"

#include "control_ids.h"

namespace torveld {

namespace {
const std::string kEmpty;

bool inRange(int id) {
    return id >= ControlTexts::kFirstId && id <= ControlTexts::kLastId;
}
}  // namespace

const std::string& ControlTexts::text(int id) const {
    return inRange(id) ? texts_[static_cast<std::size_t>(id - kFirstId)] : kEmpty;
}

void ControlTexts::setText(int id, std::string_view text) {
    if (inRange(id)) texts_[static_cast<std::size_t>(id - kFirstId)].assign(text);
}

void WindowWriter::text(int id, std::string_view text) const {
    windowing.setControlText(window, id, text);
    if (record != nullptr) record->setText(id, text);
}

void WindowWriter::texts(std::initializer_list<int> ids, std::string_view text) const {
    for (int id : ids) this->text(id, text);
}

void WindowWriter::rect(int id, platform::Rect rect) const {
    windowing.setControlRect(window, id, rect);
}

void WindowWriter::engagement(const std::vector<std::string>& items) const {
    windowing.listClear(window, ids::kEngagementList);
    for (const std::string& item : items) windowing.listAppend(window, ids::kEngagementList, item);
    if (record != nullptr) record->setEngagement(items);
}

}  // namespace torveld
