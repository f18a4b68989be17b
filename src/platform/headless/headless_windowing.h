// Headless platform: an in-memory windowing system that records every window and control, for
// tests and scripted runs; events are injected by the caller.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "windowing.h"

namespace torveld::platform {

struct HeadlessControl {
    ControlKind kind = ControlKind::Label;
    int id = 0;
    std::string text;
    Rect rect;
    unsigned style = 0;
    bool visible = false;
    std::optional<FontSpec> font;
    std::optional<std::pair<Rgb, Rgb>> colours;        // text, background
    bool checked = false;                              // radios
    std::vector<std::string> items;                    // drop-down, list box, history entry
    int selected = -1;                                 // the lists and list view
    int entryHeight = 0;                               // the lists
    std::vector<std::pair<std::string, int>> columns;  // list view: caption, width
    std::vector<std::vector<std::string>> rows;        // list view cells
    int topRow = 0;                                    // list view: first row shown
    std::optional<Rgb> textBackground;                 // list view
};

struct HeadlessWindow {
    WindowHandle handle = 0;
    std::string title;
    Rect rect;
    Rgb background;
    bool popup = false;
    FontSpec controlFont;
    bool open = true;
    ShowState state = ShowState::Hidden;
    int zOrder = 0;                              // larger is nearer the top
    int moveStarts = 0;                          // interactive moves begun from a press
    std::vector<std::pair<KeyChord, int>> keys;  // bound keys and their controls
    int focus = 0;                               // the control with the keyboard focus, or 0
    std::vector<int> creationOrder;
    std::map<int, HeadlessControl> controls;
};

class HeadlessWindowing : public Windowing {
  public:
    explicit HeadlessWindowing(Size screen = {1024, 768}) : screen_(screen) {}

    // Windowing
    Size screenSize() const override { return screen_; }
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
    void setClipboardText(std::string_view text) override { clipboard_ = std::string(text); }
    void messageBox(WindowHandle owner, std::string_view caption, std::string_view text,
                    MessageIcon icon) override;
    // Takes events from the event source until it runs dry or `endEventLoop` is called.
    void runEventLoop(EventHandler& handler) override;
    void endEventLoop() override { loopEnded_ = true; }

    // Event injection, as a user would cause them. Each returns false when no handler is
    // attached or the window does not exist (nothing is delivered then).
    void attach(EventHandler* handler) { handler_ = handler; }
    // A click: a radio turns itself on and the others of its group off, then the control
    // event with code 0 is delivered (also for ids that name no control).
    bool click(WindowHandle window, int id);
    // Sets the selection of a list control (out of range clears it, as the native list does),
    // then delivers the control event with code 1.
    bool select(WindowHandle window, int id, int position);
    // Delivers a control event with the given code and nothing else.
    bool notify(WindowHandle window, int id, int code);
    // A left-button press on the window's background.
    bool press(WindowHandle window);
    // Gives a control of the window the keyboard focus (0: none).
    void setFocus(WindowHandle window, int id);
    // The user replaces the text of a shown line that takes typing (a history entry, a text box
    // that is not read-only) by `text`, the control taking the focus; no event, as typing sends
    // none. False for any other control.
    bool type(WindowHandle window, int id, std::string_view text);
    // A key pressed while the window is active: a bound key clicks its control (as `click`);
    // Return presses the button that has the focus, in a history entry that has it sends
    // notify::kEntered, in a list box that reports its selection notify::kActivated. False when
    // nothing is delivered.
    bool key(WindowHandle window, KeyChord key);
    // A double-click on entry `position` of a shown list box that reports its selection: the
    // list takes the focus, the entry becomes the selection (code 1, as the first click), then
    // notify::kActivated. False for any other control or a position out of range.
    bool activate(WindowHandle window, int id, int position);
    // The tip the handler gives for a control (row -1) or a list-view row, as the pointer
    // resting there would ask it; empty for a control that is hidden or has no size, and
    // without a handler. A row outside the list view asks for the control itself.
    std::string tip(WindowHandle window, int id, int row = -1);
    // The entries the handler adds to the context menu of a read-only text box, as a right
    // click there would ask them; none for a control of another kind, one that is hidden or
    // has no size, and without a handler.
    std::vector<MenuEntry> menu(WindowHandle window, int id);
    // Chooses entry `index` of that menu: its text goes on the clipboard. False when the menu
    // has no such entry.
    bool chooseMenuEntry(WindowHandle window, int id, int index);
    // Moves a window as a completed drag would.
    void dragBy(WindowHandle window, int dx, int dy);

    // The event source of `runEventLoop`: called once per step, returns false when exhausted.
    void setEventSource(std::function<bool()> source) { source_ = std::move(source); }
    bool loopEnded() const { return loopEnded_; }

    // Inspection.
    const HeadlessWindow* window(WindowHandle window) const;
    const HeadlessControl* control(WindowHandle window, int id) const;
    // Windows in creation order.
    const std::vector<HeadlessWindow>& windows() const { return windows_; }
    // Rows of a list view that fit its rectangle whole.
    static int visibleRows(const HeadlessControl& view);

    struct MessageBoxRecord {
        std::string caption;
        std::string text;
        MessageIcon icon;
    };
    const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }
    // The text last put on the clipboard; empty before any.
    const std::string& clipboard() const { return clipboard_; }

  private:
    HeadlessWindow* find(WindowHandle window);
    HeadlessControl* find(WindowHandle window, int id);
    const HeadlessControl* find(WindowHandle window, int id) const;

    Size screen_;
    std::vector<HeadlessWindow> windows_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::string clipboard_;
    EventHandler* handler_ = nullptr;
    std::function<bool()> source_;
    bool loopEnded_ = false;
    int nextZ_ = 1;
};

}  // namespace torveld::platform
