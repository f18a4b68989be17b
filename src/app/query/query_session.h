// The command-line query's answers: a thread designation turned into what the main window shows
// for it and the limits of size of its classes, as numbers with their provenance. The window
// runs on the headless platform (started once per session); each designation selects its series
// and size there as the user would, so that the fields are exactly the window's texts and the
// unit is the window's unit switch. Classes the window does not show, and special sizes, are
// computed by the special-thread engine.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "designation.h"
#include "headless_windowing.h"
#include "main_window.h"
#include "recording_print_preview.h"
#include "result_display.h"
#include "series.h"

namespace torveld::query {

// The limits a class may have, in this order: majorMax, majorMin, pitchMax, pitchMin, minorMax,
// minorMin (SizeLimit's order).
inline constexpr std::array<std::string_view, 6> kLimitNames = {"majorMax", "majorMin", "pitchMax",
                                                                "pitchMin", "minorMax", "minorMin"};

// One limit in the answer's unit: the text as the window writes it (".2489", "9.968") and the
// number that text denotes.
struct LimitValue {
    double value = 0;
    std::string text;
};

// The limits of one class of one side; a limit the size does not have is empty.
struct ClassLimits {
    std::string name;  // as the window labels it ("2A", "6g", "Med"), or as the standard names it
    std::array<std::optional<LimitValue>, 6> values;  // by SizeLimit

    bool empty() const;
};

// Where the limits of some classes come from: a limit table of the project (its name and the
// statement it carries), or, for a class computed for this answer, the standard and formula the
// engine applied (no table).
struct Provenance {
    std::vector<std::string> classes;
    std::optional<std::string> table;
    std::string source;
};

struct Answer {
    std::string input;
    std::string designation;       // canonical
    std::string series;            // the series' radio caption ("ISO FINE")
    std::string size;              // the size-list text without its leading blanks
    std::optional<int> sizeIndex;  // the row of the series' size list; none for a special size
    bool tabulated = true;         // false for a special size
    DisplayUnit unit = DisplayUnit::Inch;
    std::vector<std::pair<int, std::string>> fields;  // control id and text, 303 to 392, shown
    std::vector<ClassLimits> external, internal;
    std::vector<Provenance> provenance;
};

// A designation that could not be answered, and why (one sentence).
struct Failure {
    std::string input;
    std::string reason;
};

using Outcome = std::variant<Answer, Failure>;

// The first and last control id of the fields an answer reports.
inline constexpr int kFirstField = 303;
inline constexpr int kLastField = 392;

// The unit a series' own table is in: millimetres for ISO metric, UNM and BA, else inches.
DisplayUnit tableUnit(SeriesId id);

// A series by its radio caption, letter case, blanks, '-' and '_' aside ("iso fine", "UNC_STI").
std::optional<SeriesId> seriesByName(std::string_view name);

// The 23 series in the order of their radios.
std::vector<SeriesId> seriesInRadioOrder();

class Session {
  public:
    // Starts the main window on the headless platform.
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The answer for one designation in `unit` (the series' table unit when none), or why there
    // is none. Answers do not depend on the designations answered before.
    Outcome answer(std::string_view text, std::optional<DisplayUnit> unit = std::nullopt);

    // The answers for every size of a series, in the order of its size list.
    std::vector<Outcome> seriesAnswers(SeriesId id, std::optional<DisplayUnit> unit = std::nullopt);

    const MainWindow& window() const { return main_; }
    const platform::HeadlessWindowing& windowing() const { return windowing_; }

  private:
    // Puts the size of `d` on show in the window; Failed (with the reason) when it cannot.
    enum class Shown { Shown, Failed };
    Shown show(const designation::Designation& d, std::string& reason);
    void setUnit(DisplayUnit unit);
    Outcome answerShown(std::string_view input, const designation::Designation& d,
                        DisplayUnit unit);

    platform::HeadlessWindowing windowing_;
    platform::RecordingPrintPreview printing_;
    MainWindow main_;
};

}  // namespace torveld::query
