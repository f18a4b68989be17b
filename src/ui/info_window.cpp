#include "info_window.h"

#include <cmath>

namespace torveld {

namespace {

using namespace platform;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kButtonBackground{245, 245, 245};
constexpr int kBaseFontPoints = 8;
constexpr int kBold = 700;
constexpr int kColumnWidth = 285;

// Centres a length on the screen, the half pixel of an odd difference going to the even
// neighbour.
int centred(int screen, int length) {
    return static_cast<int>(std::nearbyint((screen - length) / 2.0));
}

}  // namespace

bool InfoWindow::isOpen() const {
    return open_ && windowing_.isWindowOpen(handle_);
}

void InfoWindow::showFor(SeriesId series, const UnitMode& mode,
                         const std::vector<std::string>& note) {
    if (isOpen()) {
        windowing_.showWindow(handle_, ShowState::Normal);
        windowing_.bringToTop(handle_);
        return;
    }
    open();
    fill(series, mode, note);
}

void InfoWindow::refresh(SeriesId series, const UnitMode& mode,
                         const std::vector<std::string>& note) {
    if (isOpen()) fill(series, mode, note);
}

void InfoWindow::close() {
    if (isOpen()) windowing_.closeWindow(handle_);
    open_ = false;
    handle_ = 0;
    note_.clear();
}

void InfoWindow::onBackgroundPress(WindowHandle window) {
    if (!owns(window)) return;
    windowing_.bringToTop(handle_);
    windowing_.beginMove(handle_);
}

void InfoWindow::onControlEvent(WindowHandle window, int controlId, int) {
    if (owns(window) && controlId == kCloseId) close();
}

void InfoWindow::open() {
    const Size screen = windowing_.screenSize();
    const Rect rect{centred(screen.width, kWidth), centred(screen.height, kHeight), kWidth,
                    kHeight};
    // Built hidden, without a title bar; it is shown once its controls exist.
    handle_ = windowing_.createWindow(
        WindowSpec{"", rect, kBackground, true, FontSpec{"Tahoma", kBaseFontPoints + 1, kBold}});
    windowing_.setWindowBackground(handle_, kBackground);

    windowing_.createControl(handle_, ControlSpec{ControlKind::ListView,
                                                  "",
                                                  {6, 6, 300, 430},
                                                  style::kBorder | style::kReportView |
                                                      style::kSingleSelect | style::kNoHeader,
                                                  kListId});
    windowing_.setControlFont(handle_, kListId, FontSpec{"Tahoma", kBaseFontPoints + 1, kBold});

    windowing_.createControl(
        handle_,
        ControlSpec{ControlKind::Button, "CLOSE", {127, 450, 60, 22}, style::kVisible, kCloseId});
    windowing_.setControlFont(handle_, kCloseId, FontSpec{"Tahoma", kBaseFontPoints, kBold});
    windowing_.setControlColours(handle_, kCloseId, kBlack, kButtonBackground);
    windowing_.setWindowText(handle_, "Thread Info");
    // Escape closes the window as its CLOSE button does.
    windowing_.bindKey(handle_, KeyChord{keys::kEscape, false}, kCloseId);

    windowing_.showWindow(handle_, ShowState::Normal);
    windowing_.showControl(handle_, kListId, true);
    open_ = true;
}

void InfoWindow::fill(SeriesId series, const UnitMode& mode, const std::vector<std::string>& note) {
    note_ = note;
    windowing_.viewClear(handle_, kListId);
    windowing_.viewAddColumn(handle_, kListId, 0, "", kColumnWidth);
    const SeriesDescription lines = buildDescription(series, mode, note);
    for (size_t row = 0; row < lines.size(); ++row) {
        windowing_.viewAddRow(handle_, kListId, static_cast<int>(row), lines[row]);
    }
    // A series change made in the main window brings the description to the front.
    windowing_.bringToTop(handle_);
}

}  // namespace torveld
