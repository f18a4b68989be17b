// The find box "Find Thread": a small pop-up beside the main window in its style, with a line to
// type a designation into (its drop-down offers the last ten designations found), a message
// line, FIND and CLOSE. Return in the line or FIND asks the main window to find the text;
// Escape or CLOSE closes the box. The box only shows: the main window finds, keeps the list of
// designations found and tells the box what came of it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "windowing.h"

namespace torveld {

class FindBox {
  public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 118;
    static constexpr const char* kTitle = "Find Thread";
    // Control ids inside the box.
    static constexpr int kCaptionId = 1;
    static constexpr int kEntryId = 2;
    static constexpr int kMessageId = 3;
    static constexpr int kFindId = 4;
    static constexpr int kCloseId = 5;
    // What the message line says before the first find.
    static constexpr const char* kHint =
        "Type a designation: 1/4-20 UNC-2A, M10x1.25, 11/16-24 UNS";
    // The message line breaks its text into lines of at most this many characters.
    static constexpr std::size_t kMessageColumns = 62;

    explicit FindBox(platform::Windowing& windowing) : windowing_(windowing) {}
    FindBox(const FindBox&) = delete;
    FindBox& operator=(const FindBox&) = delete;

    // True while the box exists (one the platform closed behind our back counts as closed).
    bool isOpen() const;
    platform::WindowHandle handle() const { return isOpen() ? handle_ : 0; }
    bool owns(platform::WindowHandle window) const { return window != 0 && window == handle(); }

    // Where the box opens beside the main window `mainWindow` on a screen of `screen`, so that
    // it leaves the values it shows to be read: outside the main window against its bottom
    // edge, else its top, right or left edge, centred along that edge and moved into the screen
    // where it would reach past it; the first of these that covers the least of the main window
    // (nothing, where the screen has room). The main window's values fill it from edge to edge
    // in either arrangement (the header starts 7 pixels below its top, the lists' last whole
    // rows end 9 or 12 pixels above its bottom), so where every place covers some of the
    // window, the one covering the least of it covers the fewest values; below comes first,
    // where only the lists' last rows are.
    static platform::Rect place(platform::Rect mainWindow, platform::Size screen);

    // Ctrl+F and "/": opens the box beside the main window's rectangle (`place`) with an empty
    // line, the hint and `history` in its drop-down; when it is open already, restores it and
    // brings it to the top as it is.
    void show(platform::Rect mainWindow, const std::vector<std::string>& history);
    // Escape, CLOSE and program exit.
    void close();

    // A press on the box's background starts a move.
    void onBackgroundPress(platform::WindowHandle window);
    // The box's events: CLOSE closes it; Return in the line and FIND give the text to find.
    std::optional<std::string> onControlEvent(platform::WindowHandle window, int controlId,
                                              int code);

    // After a find: the line is emptied for the next designation, the message says what is
    // shown (`shown`, "Shown: 1/4-20 UNC-2A"), and the drop-down offers `history`.
    void showFound(const std::string& shown, const std::vector<std::string>& history);
    // After a find that changed nothing: the line keeps the text, the message says why.
    void showError(const std::string& message);

    // The text of the line and of the message line, as the box wrote or the user typed them.
    std::string text() const;
    std::string message() const;

  private:
    void open(platform::Rect mainWindow);
    void fillHistory(const std::vector<std::string>& history);
    void setMessage(const std::string& message);

    platform::Windowing& windowing_;
    platform::WindowHandle handle_ = 0;
    bool open_ = false;
    std::string message_;
};

// `text` broken at blanks into lines of at most `columns` characters joined by '\n'; a longer
// word keeps a line of its own.
std::string wrapLines(const std::string& text, std::size_t columns);

}  // namespace torveld
