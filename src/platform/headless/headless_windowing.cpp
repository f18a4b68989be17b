#include "headless_windowing.h"

#include <algorithm>

namespace torveld::platform {

namespace {

bool isList(const HeadlessControl& c) {
    return c.kind == ControlKind::DropDown || c.kind == ControlKind::ListBox ||
           c.kind == ControlKind::HistoryEntry;
}

}  // namespace

HeadlessWindow* HeadlessWindowing::find(WindowHandle window) {
    for (auto& w : windows_) {
        if (w.handle == window) return &w;
    }
    return nullptr;
}

const HeadlessWindow* HeadlessWindowing::window(WindowHandle window) const {
    for (const auto& w : windows_) {
        if (w.handle == window) return &w;
    }
    return nullptr;
}

HeadlessControl* HeadlessWindowing::find(WindowHandle window, int id) {
    HeadlessWindow* w = find(window);
    if (!w || !w->open) return nullptr;
    auto it = w->controls.find(id);
    return it == w->controls.end() ? nullptr : &it->second;
}

const HeadlessControl* HeadlessWindowing::find(WindowHandle window, int id) const {
    const HeadlessWindow* w = this->window(window);
    if (!w || !w->open) return nullptr;
    auto it = w->controls.find(id);
    return it == w->controls.end() ? nullptr : &it->second;
}

const HeadlessControl* HeadlessWindowing::control(WindowHandle window, int id) const {
    return find(window, id);
}

WindowHandle HeadlessWindowing::createWindow(const WindowSpec& spec) {
    HeadlessWindow w;
    w.handle = static_cast<WindowHandle>(windows_.size()) + 1;
    w.title = spec.title;
    w.rect = spec.rect;
    w.background = spec.background;
    w.popup = spec.popup;
    w.controlFont = spec.controlFont;
    w.zOrder = nextZ_++;
    windows_.push_back(std::move(w));
    return windows_.back().handle;
}

void HeadlessWindowing::closeWindow(WindowHandle window) {
    if (HeadlessWindow* w = find(window)) {
        w->open = false;
        w->state = ShowState::Hidden;
    }
}

bool HeadlessWindowing::isWindowOpen(WindowHandle window) const {
    const HeadlessWindow* w = this->window(window);
    return w && w->open;
}

void HeadlessWindowing::showWindow(WindowHandle window, ShowState state) {
    HeadlessWindow* w = find(window);
    if (w && w->open) w->state = state;
}

void HeadlessWindowing::bringToTop(WindowHandle window) {
    HeadlessWindow* w = find(window);
    if (w && w->open) w->zOrder = nextZ_++;
}

void HeadlessWindowing::beginMove(WindowHandle window) {
    HeadlessWindow* w = find(window);
    if (w && w->open) ++w->moveStarts;
}

void HeadlessWindowing::dragBy(WindowHandle window, int dx, int dy) {
    HeadlessWindow* w = find(window);
    if (w && w->open) {
        w->rect.left += dx;
        w->rect.top += dy;
    }
}

void HeadlessWindowing::setWindowBackground(WindowHandle window, Rgb colour) {
    HeadlessWindow* w = find(window);
    if (w && w->open) w->background = colour;
}

void HeadlessWindowing::setWindowText(WindowHandle window, std::string_view text) {
    HeadlessWindow* w = find(window);
    if (w && w->open) w->title = std::string(text);
}

Rect HeadlessWindowing::windowRect(WindowHandle window) const {
    const HeadlessWindow* w = this->window(window);
    return w ? w->rect : Rect{};
}

void HeadlessWindowing::createControl(WindowHandle window, const ControlSpec& spec) {
    HeadlessWindow* w = find(window);
    if (!w || !w->open) return;
    HeadlessControl c;
    c.kind = spec.kind;
    c.id = spec.id;
    c.text = spec.caption;
    c.rect = spec.rect;
    c.style = spec.style;
    c.visible = (spec.style & style::kVisible) != 0;
    if (!w->controls.count(spec.id)) w->creationOrder.push_back(spec.id);
    w->controls[spec.id] = std::move(c);
}

void HeadlessWindowing::setControlColours(WindowHandle window, int id, Rgb text, Rgb background) {
    if (HeadlessControl* c = find(window, id)) c->colours = std::make_pair(text, background);
}

void HeadlessWindowing::setControlFont(WindowHandle window, int id, const FontSpec& font) {
    if (HeadlessControl* c = find(window, id)) c->font = font;
}

void HeadlessWindowing::setControlText(WindowHandle window, int id, std::string_view text) {
    if (HeadlessControl* c = find(window, id)) c->text = std::string(text);
}

std::string HeadlessWindowing::controlText(WindowHandle window, int id) const {
    const HeadlessControl* c = find(window, id);
    return c ? c->text : std::string();
}

void HeadlessWindowing::showControl(WindowHandle window, int id, bool visible) {
    if (HeadlessControl* c = find(window, id)) c->visible = visible;
}

void HeadlessWindowing::setControlRect(WindowHandle window, int id, Rect rect) {
    if (HeadlessControl* c = find(window, id)) c->rect = rect;
}

void HeadlessWindowing::listClear(WindowHandle window, int id) {
    HeadlessControl* c = find(window, id);
    if (!c || !isList(*c)) return;
    c->items.clear();
    c->selected = -1;
}

void HeadlessWindowing::listAppend(WindowHandle window, int id, std::string_view text) {
    HeadlessControl* c = find(window, id);
    if (c && isList(*c)) c->items.emplace_back(text);
}

int HeadlessWindowing::listCount(WindowHandle window, int id) const {
    const HeadlessControl* c = find(window, id);
    return c && isList(*c) ? static_cast<int>(c->items.size()) : 0;
}

void HeadlessWindowing::listDelete(WindowHandle window, int id, int position) {
    HeadlessControl* c = find(window, id);
    if (!c || !isList(*c) || position < 0 || position >= static_cast<int>(c->items.size())) return;
    c->items.erase(c->items.begin() + position);
    if (c->selected == position) {
        c->selected = -1;
    } else if (c->selected > position) {
        --c->selected;
    }
}

void HeadlessWindowing::listSelect(WindowHandle window, int id, int position) {
    HeadlessControl* c = find(window, id);
    if (!c || !isList(*c)) return;
    c->selected = position >= 0 && position < static_cast<int>(c->items.size()) ? position : -1;
    // A history entry's chosen entry becomes its text.
    if (c->kind == ControlKind::HistoryEntry && c->selected >= 0) {
        c->text = c->items[static_cast<std::size_t>(c->selected)];
    }
}

int HeadlessWindowing::listSelected(WindowHandle window, int id) const {
    const HeadlessControl* c = find(window, id);
    return c && isList(*c) ? c->selected : -1;
}

std::string HeadlessWindowing::listItem(WindowHandle window, int id, int position) const {
    const HeadlessControl* c = find(window, id);
    if (!c || !isList(*c) || position < 0 || position >= static_cast<int>(c->items.size())) {
        return {};
    }
    return c->items[static_cast<size_t>(position)];
}

void HeadlessWindowing::listSetEntryHeight(WindowHandle window, int id, int pixels) {
    HeadlessControl* c = find(window, id);
    if (c && isList(*c)) c->entryHeight = pixels;
}

void HeadlessWindowing::viewClear(WindowHandle window, int id) {
    HeadlessControl* c = find(window, id);
    if (!c || c->kind != ControlKind::ListView) return;
    c->rows.clear();
    c->columns.clear();
    c->selected = -1;
    c->topRow = 0;
}

void HeadlessWindowing::viewAddColumn(WindowHandle window, int id, int index,
                                      std::string_view caption, int width) {
    HeadlessControl* c = find(window, id);
    if (!c || c->kind != ControlKind::ListView) return;
    const auto at = static_cast<size_t>(std::clamp(index, 0, static_cast<int>(c->columns.size())));
    c->columns.insert(c->columns.begin() + static_cast<long>(at),
                      std::make_pair(std::string(caption), width));
}

void HeadlessWindowing::viewAddRow(WindowHandle window, int id, int index,
                                   std::string_view firstCell) {
    HeadlessControl* c = find(window, id);
    if (!c || c->kind != ControlKind::ListView) return;
    const auto at = static_cast<size_t>(std::clamp(index, 0, static_cast<int>(c->rows.size())));
    std::vector<std::string> row(std::max<size_t>(1, c->columns.size()));
    row[0] = std::string(firstCell);
    c->rows.insert(c->rows.begin() + static_cast<long>(at), std::move(row));
}

void HeadlessWindowing::viewSetCell(WindowHandle window, int id, int row, int column,
                                    std::string_view text) {
    HeadlessControl* c = find(window, id);
    if (!c || c->kind != ControlKind::ListView) return;
    if (row < 0 || row >= static_cast<int>(c->rows.size()) || column < 0 || column > 63) return;
    auto& cells = c->rows[static_cast<size_t>(row)];
    if (static_cast<size_t>(column) >= cells.size()) cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = std::string(text);
}

void HeadlessWindowing::viewAddRows(WindowHandle window, int id, int index,
                                    const std::vector<std::vector<std::string>>& rows) {
    const HeadlessControl* c = find(window, id);
    if (!c || c->kind != ControlKind::ListView || index < 0) return;
    const int at = std::min(index, static_cast<int>(c->rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = at + static_cast<int>(i);
        const std::vector<std::string>& cells = rows[i];
        viewAddRow(window, id, row, cells.empty() ? std::string_view() : cells.front());
        for (std::size_t column = 1; column < cells.size(); ++column) {
            viewSetCell(window, id, row, static_cast<int>(column), cells[column]);
        }
    }
}

void HeadlessWindowing::viewSetColumn(WindowHandle window, int id, int column, int firstRow,
                                      const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        viewSetCell(window, id, firstRow + static_cast<int>(i), column, texts[i]);
    }
}

void HeadlessWindowing::viewSelectRow(WindowHandle window, int id, int row) {
    HeadlessControl* c = find(window, id);
    if (!c || c->kind != ControlKind::ListView) return;
    c->selected = row >= 0 && row < static_cast<int>(c->rows.size()) ? row : -1;
}

int HeadlessWindowing::visibleRows(const HeadlessControl& view) {
    return listview::wholeRows(view.rect.height, (view.style & style::kNoHeader) == 0);
}

void HeadlessWindowing::viewEnsureVisible(WindowHandle window, int id, int row) {
    HeadlessControl* c = find(window, id);
    if (!c || c->kind != ControlKind::ListView) return;
    const int count = static_cast<int>(c->rows.size());
    if (row < 0 || row >= count) return;
    const int shown = visibleRows(*c);
    if (row < c->topRow) {
        c->topRow = row;
    } else if (row >= c->topRow + shown) {
        c->topRow = row - shown + 1;
    }
    c->topRow = std::clamp(c->topRow, 0, std::max(0, count - shown));
}

void HeadlessWindowing::viewSetTextBackground(WindowHandle window, int id, Rgb colour) {
    HeadlessControl* c = find(window, id);
    if (c && c->kind == ControlKind::ListView) c->textBackground = colour;
}

void HeadlessWindowing::setRadio(WindowHandle window, int id, bool on) {
    HeadlessControl* c = find(window, id);
    if (c && c->kind == ControlKind::Radio) c->checked = on;
}

bool HeadlessWindowing::radioChecked(WindowHandle window, int id) const {
    const HeadlessControl* c = find(window, id);
    return c && c->kind == ControlKind::Radio && c->checked;
}

void HeadlessWindowing::messageBox(WindowHandle, std::string_view caption, std::string_view text,
                                   MessageIcon icon) {
    messageBoxes_.push_back({std::string(caption), std::string(text), icon});
}

void HeadlessWindowing::bindKey(WindowHandle window, KeyChord key, int controlId) {
    HeadlessWindow* w = find(window);
    if (!w || !w->open) return;
    auto& keys = w->keys;
    keys.erase(std::remove_if(keys.begin(), keys.end(),
                              [&](const auto& binding) { return binding.first == key; }),
               keys.end());
    if (controlId != 0) keys.emplace_back(key, controlId);
}

void HeadlessWindowing::setFocus(WindowHandle window, int id) {
    HeadlessWindow* w = find(window);
    if (w && w->open) w->focus = id;
}

bool HeadlessWindowing::key(WindowHandle window, KeyChord key) {
    const HeadlessWindow* w = find(window);
    if (!handler_ || !w || !w->open) return false;
    int target = 0;
    for (const auto& [bound, id] : w->keys) {
        if (bound == key) target = id;
    }
    if (target == 0 && key == KeyChord{keys::kReturn, false}) {
        const HeadlessControl* focused = find(window, w->focus);
        if (focused && focused->kind == ControlKind::HistoryEntry && focused->visible) {
            // Return in a history entry's line.
            handler_->onControlEvent(window, focused->id, notify::kEntered);
            return true;
        }
        if (focused && focused->kind == ControlKind::Button && focused->visible) {
            target = focused->id;
        }
        if (focused && focused->kind == ControlKind::ListBox && focused->visible &&
            (focused->style & style::kNotify) != 0) {
            handler_->onControlEvent(window, focused->id, notify::kActivated);
            return true;
        }
    }
    // The handler may bind keys anew, so the click comes after the look-up.
    return target != 0 && click(window, target);
}

bool HeadlessWindowing::activate(WindowHandle window, int id, int position) {
    HeadlessWindow* w = find(window);
    HeadlessControl* c = find(window, id);
    if (!handler_ || !w || !w->open || !c || c->kind != ControlKind::ListBox || !c->visible ||
        (c->style & style::kNotify) == 0 || position < 0 ||
        position >= static_cast<int>(c->items.size())) {
        return false;
    }
    w->focus = id;
    c->selected = position;
    handler_->onControlEvent(window, id, notify::kSelectionChanged);
    handler_->onControlEvent(window, id, notify::kActivated);
    return true;
}

bool HeadlessWindowing::type(WindowHandle window, int id, std::string_view text) {
    HeadlessWindow* w = find(window);
    HeadlessControl* c = find(window, id);
    if (!w || !c || !c->visible) return false;
    const bool editable = c->kind == ControlKind::HistoryEntry ||
                          (c->kind == ControlKind::TextBox && (c->style & style::kReadOnly) == 0);
    if (!editable) return false;
    w->focus = id;
    c->text = std::string(text);
    return true;
}

std::string HeadlessWindowing::tip(WindowHandle window, int id, int row) {
    const HeadlessControl* c = find(window, id);
    if (!handler_ || !c || !c->visible || c->rect.width <= 0 || c->rect.height <= 0) return {};
    const bool onRow =
        c->kind == ControlKind::ListView && row >= 0 && row < static_cast<int>(c->rows.size());
    return handler_->tipText(window, id, onRow ? row : -1);
}

std::vector<MenuEntry> HeadlessWindowing::menu(WindowHandle window, int id) {
    const HeadlessControl* c = find(window, id);
    if (!handler_ || !c || c->kind != ControlKind::TextBox || (c->style & style::kReadOnly) == 0 ||
        !c->visible || c->rect.width <= 0 || c->rect.height <= 0) {
        return {};
    }
    return handler_->menuEntries(window, id);
}

bool HeadlessWindowing::chooseMenuEntry(WindowHandle window, int id, int index) {
    const std::vector<MenuEntry> entries = menu(window, id);
    if (index < 0 || index >= static_cast<int>(entries.size())) return false;
    clipboard_ = entries[static_cast<std::size_t>(index)].clipboardText;
    return true;
}

void HeadlessWindowing::runEventLoop(EventHandler& handler) {
    handler_ = &handler;
    loopEnded_ = false;
    while (!loopEnded_ && source_ && source_()) {
    }
    loopEnded_ = true;
}

bool HeadlessWindowing::click(WindowHandle window, int id) {
    HeadlessWindow* w = find(window);
    if (!handler_ || !w || !w->open) return false;
    HeadlessControl* c = find(window, id);
    if (c && c->kind == ControlKind::Radio) {
        // The group runs from its group-start radio to the next group start, in creation order.
        const auto& order = w->creationOrder;
        const auto self = std::find(order.begin(), order.end(), id);
        auto first = self;
        while (first != order.begin() && !(w->controls[*first].style & style::kGroupStart)) --first;
        for (auto it = first; it != order.end(); ++it) {
            HeadlessControl& other = w->controls[*it];
            if (it != first && (other.style & style::kGroupStart)) break;
            if (other.kind == ControlKind::Radio) other.checked = false;
        }
        c->checked = true;
    }
    handler_->onControlEvent(window, id, notify::kClicked);
    return true;
}

bool HeadlessWindowing::select(WindowHandle window, int id, int position) {
    HeadlessWindow* w = find(window);
    if (!handler_ || !w || !w->open) return false;
    if (HeadlessControl* c = find(window, id)) {
        if (isList(*c)) {
            listSelect(window, id, position);
        } else if (c->kind == ControlKind::ListView) {
            viewSelectRow(window, id, position);
        }
    }
    handler_->onControlEvent(window, id, notify::kSelectionChanged);
    return true;
}

bool HeadlessWindowing::notify(WindowHandle window, int id, int code) {
    HeadlessWindow* w = find(window);
    if (!handler_ || !w || !w->open) return false;
    handler_->onControlEvent(window, id, code);
    return true;
}

bool HeadlessWindowing::press(WindowHandle window) {
    HeadlessWindow* w = find(window);
    if (!handler_ || !w || !w->open) return false;
    handler_->onBackgroundPress(window);
    return true;
}

}  // namespace torveld::platform
