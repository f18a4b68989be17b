// The scripted headless driver: starts the system on the headless platform and reads commands,
// one per line, that inject user events and dump the recorded state as JSON.
//
//   screen W H        screen size, only before the first other command (default 1024 768)
//   click ID          control event of main-window control ID, notification code 0
//   select ID POS     sets the selection of list control ID to POS, then code 1
//   notify ID CODE    a control event of ID with that code, nothing else
//   press             a left-button press on the main window's background
//   info close        CLOSE in the information window
//   print fail        the next document start of the print preview fails
//   find TEXT         finds the designation TEXT (the rest of the line after "find" and one
//                     blank, as typed) as Return in the find box does: in the open box, typed
//                     into its line; else straight away. What came of it shows in the dump.
//   measure open      opens the MEASURE window, as MEASURE (click 443) and Ctrl+M do
//   measure close     CLOSE in the MEASURE window
//   measure click ID  a click of control ID of the MEASURE window (its radios and buttons)
//   measure ENTRY TEXT  types TEXT (the rest of the line after the entry's name and one blank)
//                     into the entry and presses Return there; ENTRY is wire, reading, plane,
//                     diameter, pitch or angle
//   measure choose N  a double-click on candidate N (0 the first) of the MEASURE window's list:
//                     shows that size in the main window
//   dump              the whole state as one line of JSON on standard output
//
// Unknown or malformed commands write one line "error: <reason>" to the error stream and change
// nothing. End of input ends the event loop as CLOSE does; after CLOSE every command but dump
// answers "error: closed".
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>

namespace torveld::driver {

struct Screen {
    int width;
    int height;
};
struct Click {
    int id;
};
struct Select {
    int id;
    int position;
};
struct Notify {
    int id;
    int code;
};
struct Press {};
struct InfoClose {};
struct PrintFail {};
struct Find {
    std::string text;
};
struct Measure {
    enum class Action { Open, Close, Click, Type, Choose };
    Action action = Action::Open;
    int id = 0;        // Click: the control; Type: the entry (MeasureWindow's ids)
    int position = 0;  // Choose: the candidate
    std::string text;  // Type
};
struct Dump {};
struct Blank {};  // an empty or all-blank line: no command
struct Malformed {
    std::string reason;
};

using Command = std::variant<Blank, Screen, Click, Select, Notify, Press, InfoClose, PrintFail,
                             Dump, Malformed, Find, Measure>;

// The words of the MEASURE window's entries in the measure command, and their control ids.
struct MeasureEntryWord {
    std::string_view word;
    int id;
};
extern const MeasureEntryWord kMeasureEntries[6];

// Lines longer than this are refused whole.
inline constexpr std::size_t kMaxLineLength = 1024;

// One command from one line (without its line end).
Command parseCommand(std::string_view line);

// Reads one line of at most kMaxLineLength characters into `line`; a longer line is consumed
// to its end and reported through `tooLong`. Returns false at the end of input.
bool readLine(std::istream& in, std::string& line, bool& tooLong);

class ScriptDriver {
  public:
    ScriptDriver(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    // Runs a whole session: start-up, the commands of `in`, shut-down.
    void run(std::istream& in);

  private:
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace torveld::driver
