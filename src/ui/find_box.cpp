#include "find_box.h"

#include "control_table.h"
#include "window_place.h"

namespace torveld {

namespace {

using namespace platform;

constexpr int kBold = 700;
constexpr int kBasePoints = 8;

FontSpec font(int points) {
    return FontSpec{main_window::kFontFace, points, kBold};
}

}  // namespace

std::string wrapLines(const std::string& text, std::size_t columns) {
    std::string wrapped;
    std::size_t lineLength = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::size_t length = end - start;
        if (lineLength > 0 && lineLength + 1 + length > columns) {
            wrapped += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            wrapped += ' ';
            ++lineLength;
        }
        wrapped.append(text, start, length);
        lineLength += length;
        at = end;
    }
    return wrapped;
}

bool FindBox::isOpen() const {
    return open_ && windowing_.isWindowOpen(handle_);
}

void FindBox::show(Rect mainWindow, const std::vector<std::string>& history) {
    if (isOpen()) {
        windowing_.showWindow(handle_, ShowState::Normal);
        windowing_.bringToTop(handle_);
        return;
    }
    open(mainWindow);
    fillHistory(history);
}

Rect FindBox::place(Rect mainWindow, Size screen) {
    return besideMainWindow(mainWindow, screen, kWidth, kHeight);
}

void FindBox::open(Rect mainWindow) {
    const Rect rect = place(mainWindow, windowing_.screenSize());
    // Built hidden, without a title bar, in the main window's grey, Tahoma bold and fields.
    handle_ = windowing_.createWindow(
        WindowSpec{kTitle, rect, colours::kWindow, true, font(kBasePoints + 1)});
    windowing_.setWindowBackground(handle_, colours::kWindow);
    const auto add = [&](ControlKind kind, const char* caption, Rect r, unsigned styleWord, int id,
                         Rgb background, int points) {
        windowing_.createControl(handle_, ControlSpec{kind, caption, r, styleWord, id});
        windowing_.setControlColours(handle_, id, colours::kText, background);
        windowing_.setControlFont(handle_, id, font(points));
    };
    add(ControlKind::Label, "DESIGNATION", {10, 7, 226, 18}, style::kVisible, kCaptionId,
        colours::kWindow, kBasePoints + 1);
    // The rectangle holds the dropped list of ten entries of 16 pixels under the line.
    add(ControlKind::HistoryEntry, "", {10, 25, 226, 24 + 10 * 16},
        style::kVisible | style::kVScroll, kEntryId, colours::kField, kBasePoints + 1);
    windowing_.listSetEntryHeight(handle_, kEntryId, 16);
    add(ControlKind::Button, "FIND", {242, 25, 80, 24}, style::kVisible, kFindId, colours::kField,
        kBasePoints + 1);
    add(ControlKind::Button, "CLOSE", {330, 25, 80, 24}, style::kVisible, kCloseId, colours::kField,
        kBasePoints + 1);
    // Four lines of message under the line and the buttons.
    add(ControlKind::Label, "", {10, 56, 400, 58}, style::kVisible, kMessageId, colours::kWindow,
        kBasePoints);
    windowing_.setWindowText(handle_, kTitle);
    // Escape closes the box as its CLOSE button does.
    windowing_.bindKey(handle_, KeyChord{keys::kEscape, false}, kCloseId);
    windowing_.showWindow(handle_, ShowState::Normal);
    windowing_.bringToTop(handle_);
    open_ = true;
    setMessage(kHint);
}

void FindBox::close() {
    if (isOpen()) windowing_.closeWindow(handle_);
    open_ = false;
    handle_ = 0;
    message_.clear();
}

void FindBox::onBackgroundPress(WindowHandle window) {
    if (!owns(window)) return;
    windowing_.bringToTop(handle_);
    windowing_.beginMove(handle_);
}

std::optional<std::string> FindBox::onControlEvent(WindowHandle window, int controlId, int code) {
    if (!owns(window)) return std::nullopt;
    if (controlId == kCloseId) {
        close();
        return std::nullopt;
    }
    const bool entered = controlId == kEntryId && code == notify::kEntered;
    if (entered || controlId == kFindId) return text();
    return std::nullopt;
}

void FindBox::showFound(const std::string& shown, const std::vector<std::string>& history) {
    if (!isOpen()) return;
    fillHistory(history);
    windowing_.setControlText(handle_, kEntryId, "");
    setMessage(shown);
}

void FindBox::showError(const std::string& message) {
    if (isOpen()) setMessage(message);
}

std::string FindBox::text() const {
    return isOpen() ? windowing_.controlText(handle_, kEntryId) : std::string();
}

std::string FindBox::message() const {
    return isOpen() ? message_ : std::string();
}

void FindBox::fillHistory(const std::vector<std::string>& history) {
    windowing_.listClear(handle_, kEntryId);
    for (const std::string& designation : history) {
        windowing_.listAppend(handle_, kEntryId, designation);
    }
}

void FindBox::setMessage(const std::string& message) {
    message_ = message;
    windowing_.setControlText(handle_, kMessageId, wrapLines(message, kMessageColumns));
}

}  // namespace torveld
