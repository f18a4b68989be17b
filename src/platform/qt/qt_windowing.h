// The windowing operations on Qt 6 Widgets: frameless top-level windows holding the controls at
// their pixel rectangles (device-independent pixels, so Qt scales whole windows on high-density
// screens), with control events delivered to the system's event handler.
#pragma once

#include <memory>

#include "windowing.h"

class QWidget;

namespace torveld::platform::qt {

class QtWindowing final : public Windowing {
  public:
    // Uses the running QApplication, or starts one when there is none.
    QtWindowing();
    ~QtWindowing() override;
    QtWindowing(const QtWindowing&) = delete;
    QtWindowing& operator=(const QtWindowing&) = delete;

    Size screenSize() const override;

    WindowHandle createWindow(const WindowSpec& spec) override;
    void closeWindow(WindowHandle window) override;
    bool isWindowOpen(WindowHandle window) const override;
    void showWindow(WindowHandle window, ShowState state) override;
    void bringToTop(WindowHandle window) override;
    void beginMove(WindowHandle window) override;
    void setWindowBackground(WindowHandle window, Rgb colour) override;
    void setWindowText(WindowHandle window, std::string_view text) override;
    Rect windowRect(WindowHandle window) const override;

    void createControl(WindowHandle window, const ControlSpec& spec) override;
    void setControlColours(WindowHandle window, int id, Rgb text, Rgb background) override;
    void setControlFont(WindowHandle window, int id, const FontSpec& font) override;
    void setControlText(WindowHandle window, int id, std::string_view text) override;
    std::string controlText(WindowHandle window, int id) const override;
    void showControl(WindowHandle window, int id, bool visible) override;
    void setControlRect(WindowHandle window, int id, Rect rect) override;

    void listClear(WindowHandle window, int id) override;
    void listAppend(WindowHandle window, int id, std::string_view text) override;
    int listCount(WindowHandle window, int id) const override;
    void listDelete(WindowHandle window, int id, int position) override;
    void listSelect(WindowHandle window, int id, int position) override;
    int listSelected(WindowHandle window, int id) const override;
    std::string listItem(WindowHandle window, int id, int position) const override;
    void listSetEntryHeight(WindowHandle window, int id, int pixels) override;

    void viewClear(WindowHandle window, int id) override;
    void viewAddColumn(WindowHandle window, int id, int index, std::string_view caption,
                       int width) override;
    void viewAddRow(WindowHandle window, int id, int index, std::string_view firstCell) override;
    void viewAddRows(WindowHandle window, int id, int index,
                     const std::vector<std::vector<std::string>>& rows) override;
    void viewSetColumn(WindowHandle window, int id, int column, int firstRow,
                       const std::vector<std::string>& texts) override;
    void viewSetCell(WindowHandle window, int id, int row, int column,
                     std::string_view text) override;
    void viewSelectRow(WindowHandle window, int id, int row) override;
    void viewEnsureVisible(WindowHandle window, int id, int row) override;
    void viewSetTextBackground(WindowHandle window, int id, Rgb colour) override;

    void setRadio(WindowHandle window, int id, bool on) override;
    bool radioChecked(WindowHandle window, int id) const override;

    void bindKey(WindowHandle window, KeyChord key, int controlId) override;
    void setClipboardText(std::string_view text) override;

    void messageBox(WindowHandle owner, std::string_view caption, std::string_view text,
                    MessageIcon icon) override;

    void runEventLoop(EventHandler& handler) override;
    void endEventLoop() override;

    // The handler that receives events outside runEventLoop too (tests deliver input with
    // QTest and no running loop); nullptr drops events.
    void setEventHandler(EventHandler* handler);
    // The top-level widget of a window and the widget of a control, for tests and screenshots;
    // nullptr when unknown.
    QWidget* windowWidget(WindowHandle window) const;
    QWidget* controlWidget(WindowHandle window, int id) const;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace torveld::platform::qt
