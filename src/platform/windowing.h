// Platform interfaces: the windowing and print-preview operations the system calls, by control id.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torveld::platform {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// What the user does with them beyond clicks: a button with the keyboard focus is pressed by
// Space or Return; typing in a drop-down list chooses the next entry that starts with the typed
// text, the entries' leading blanks ignored, as a choice of the user's (code 1).
//
// A history entry is a line the user types into, with a drop-down list of earlier entries:
// choosing one of them makes it the text (code 1), and Return or Enter in the line sends
// notify::kEntered. Its text is the control text (setControlText, controlText); the list
// operations fill the drop-down: listSelect makes the entry at the position the text, listClear
// and listAppend leave the text as it is.
enum class ControlKind { Label, TextBox, Button, Radio, DropDown, ListBox, ListView, HistoryEntry };

// Style words of a control; combine with |.
namespace style {
inline constexpr unsigned kVisible = 1u << 0;     // visible from creation
inline constexpr unsigned kCentred = 1u << 1;     // text centred
inline constexpr unsigned kReadOnly = 1u << 2;    // the user cannot type
inline constexpr unsigned kGroupStart = 1u << 3;  // first radio of a group
inline constexpr unsigned kBorder = 1u << 4;
inline constexpr unsigned kVScroll = 1u << 5;
inline constexpr unsigned kNotify = 1u << 6;      // list box reports selection changes
inline constexpr unsigned kReportView = 1u << 7;  // list view in report (columns) view
inline constexpr unsigned kSingleSelect = 1u << 8;
inline constexpr unsigned kNoHeader = 1u << 9;  // list view without its column header
}  // namespace style

// The list view (report view) as the system's windows were laid out with it, in the window's
// font: rows of 16 pixels under a header of 20 (none with style::kNoHeader), inside a border of
// 2 on each side. The tap-drill guide counts on the number of whole rows this gives to bring
// the guide drill to the top row; every platform shows exactly as many, and nothing of the next
// row: the room under the last whole row stays blank.
namespace listview {
inline constexpr int kRowHeight = 16;
inline constexpr int kHeaderHeight = 20;
inline constexpr int kBorder = 2;
// The rows a list view of `height` pixels shows whole, with or without its header; at least 1.
constexpr int wholeRows(int height, bool header = true) {
    const int rows = (height - 2 * kBorder - (header ? kHeaderHeight : 0)) / kRowHeight;
    return rows > 1 ? rows : 1;
}
}  // namespace listview

struct ControlSpec {
    ControlKind kind = ControlKind::Label;
    std::string caption;
    Rect rect;
    unsigned style = 0;
    int id = 0;
};

struct FontSpec {
    std::string face;
    int points = 0;
    int weight = 400;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

enum class ShowState { Hidden, Normal, Minimised };

enum class MessageIcon { Warning, Information, Error };

// A window is named by a handle the platform gives out; 0 is never a window.
using WindowHandle = int;

struct WindowSpec {
    std::string title;
    Rect rect;
    Rgb background;
    bool popup = false;  // a secondary top-level window without parent
    // The font the window's controls start with, before setControlFont gives one its own; an
    // empty face keeps the platform's default.
    FontSpec controlFont{};
};

// Keys a window binds to its controls (bindKey): a capital letter 'A' to 'Z' stands for its
// key, '/' for the slash, the named keys have codes of their own.
namespace keys {
inline constexpr int kSlash = '/';
inline constexpr int kEscape = 0x100;
inline constexpr int kReturn = 0x101;
inline constexpr int kF1 = 0x110;  // F2 to F12 follow
}  // namespace keys

struct KeyChord {
    int key = 0;
    bool ctrl = false;  // with the Ctrl key held
    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// Notification codes the handlers tell apart.
namespace notify {
inline constexpr int kClicked = 0;           // buttons and radios
inline constexpr int kSelectionChanged = 1;  // drop-down and list box
inline constexpr int kEntered = 2;           // history entry: Return or Enter in its line
// A list box that reports its selection (style::kNotify): Return or Enter while it has the
// focus, or a double-click on an entry (which the first click has chosen, code 1).
inline constexpr int kActivated = 3;
}  // namespace notify

// An entry the window's logic adds to the context menu of a control: choosing it puts
// `clipboardText` on the clipboard.
struct MenuEntry {
    std::string label;
    std::string clipboardText;
    friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
};

class EventHandler {
  public:
    virtual ~EventHandler() = default;
    // A left-button press on the window's background, not on a control.
    virtual void onBackgroundPress(WindowHandle window) = 0;
    // A control event: control id and notification code.
    virtual void onControlEvent(WindowHandle window, int controlId, int code) = 0;
    // The tip shown while the pointer rests on a control (row -1) or on a row of a list view;
    // empty for none. The platform asks each time it is about to show a tip.
    virtual std::string tipText(WindowHandle window, int controlId, int row) {
        (void)window;
        (void)controlId;
        (void)row;
        return {};
    }
    // The entries the handler adds to the context menu of a read-only text box, after the
    // platform's own "Copy" and before its "Select All"; none for none. The platform asks each
    // time the menu is about to open.
    virtual std::vector<MenuEntry> menuEntries(WindowHandle window, int controlId) {
        (void)window;
        (void)controlId;
        return {};
    }
};

// Every operation names its window and control; an unknown window or control id is ignored
// by setters and reads as empty / -1 / false by getters.
class Windowing {
  public:
    virtual ~Windowing() = default;

    virtual Size screenSize() const = 0;

    // Windows are created hidden; `showWindow` makes them visible.
    virtual WindowHandle createWindow(const WindowSpec& spec) = 0;
    virtual void closeWindow(WindowHandle window) = 0;
    virtual bool isWindowOpen(WindowHandle window) const = 0;
    virtual void showWindow(WindowHandle window, ShowState state) = 0;
    virtual void bringToTop(WindowHandle window) = 0;
    // Starts an interactive move of the window by the mouse, from the press being handled.
    virtual void beginMove(WindowHandle window) = 0;
    virtual void setWindowBackground(WindowHandle window, Rgb colour) = 0;
    virtual void setWindowText(WindowHandle window, std::string_view text) = 0;
    virtual Rect windowRect(WindowHandle window) const = 0;

    virtual void createControl(WindowHandle window, const ControlSpec& spec) = 0;
    virtual void setControlColours(WindowHandle window, int id, Rgb text, Rgb background) = 0;
    virtual void setControlFont(WindowHandle window, int id, const FontSpec& font) = 0;
    virtual void setControlText(WindowHandle window, int id, std::string_view text) = 0;
    virtual std::string controlText(WindowHandle window, int id) const = 0;
    virtual void showControl(WindowHandle window, int id, bool visible) = 0;
    virtual void setControlRect(WindowHandle window, int id, Rect rect) = 0;

    // Drop-down list, list box and the drop-down of a history entry.
    virtual void listClear(WindowHandle window, int id) = 0;
    virtual void listAppend(WindowHandle window, int id, std::string_view text) = 0;
    virtual int listCount(WindowHandle window, int id) const = 0;
    virtual void listDelete(WindowHandle window, int id, int position) = 0;
    virtual void listSelect(WindowHandle window, int id, int position) = 0;
    virtual int listSelected(WindowHandle window, int id) const = 0;  // -1 for none
    virtual std::string listItem(WindowHandle window, int id, int position) const = 0;
    virtual void listSetEntryHeight(WindowHandle window, int id, int pixels) = 0;

    // List view in report mode.
    virtual void viewClear(WindowHandle window, int id) = 0;  // every row and column
    virtual void viewAddColumn(WindowHandle window, int id, int index, std::string_view caption,
                               int width) = 0;
    virtual void viewAddRow(WindowHandle window, int id, int index, std::string_view firstCell) = 0;
    virtual void viewSetCell(WindowHandle window, int id, int row, int column,
                             std::string_view text) = 0;
    // Many rows in one call: each row holds its cells from the first column on, and they go in
    // from `index` on (past the last row: at the end; below 0: not at all). The cells come out
    // as viewAddRow and viewSetCell would give them one by one.
    virtual void viewAddRows(WindowHandle window, int id, int index,
                             const std::vector<std::vector<std::string>>& rows) = 0;
    // One column's cells from `firstRow` on, as viewSetCell row by row would set them.
    virtual void viewSetColumn(WindowHandle window, int id, int column, int firstRow,
                               const std::vector<std::string>& texts) = 0;
    virtual void viewSelectRow(WindowHandle window, int id, int row) = 0;
    // Scrolls so that the row is shown whole.
    virtual void viewEnsureVisible(WindowHandle window, int id, int row) = 0;
    virtual void viewSetTextBackground(WindowHandle window, int id, Rgb colour) = 0;

    virtual void setRadio(WindowHandle window, int id, bool on) = 0;
    virtual bool radioChecked(WindowHandle window, int id) const = 0;

    // While the window is the active one, the key acts as a click on control `controlId`: a
    // button is pressed, a radio chosen, and an id of no control delivers its control event
    // with code 0. Binding a key again replaces its control; controlId 0 removes the binding.
    virtual void bindKey(WindowHandle window, KeyChord key, int controlId) = 0;

    // Puts a text on the clipboard of the desktop, for other programs to paste; a platform
    // without a clipboard ignores it.
    virtual void setClipboardText(std::string_view text) { (void)text; }

    virtual void messageBox(WindowHandle owner, std::string_view caption, std::string_view text,
                            MessageIcon icon) = 0;

    // Delivers events to the handler until `endEventLoop` is called.
    virtual void runEventLoop(EventHandler& handler) = 0;
    virtual void endEventLoop() = 0;
};

}  // namespace torveld::platform
