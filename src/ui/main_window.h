// The main window's logic: start-up, the event handler and refresh cycle, the unit switch and
// the result display, on the platform's windowing operations. It owns the Selection, the unit
// mode, the ThreadResults and the record of the texts it shows; the data sheet is made from
// that record, the information window from the selection and the unit mode. It finds a thread
// by its designation (the find box, Ctrl+F or "/", and `find`), and keeps the special sizes
// found for the session.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control_texts.h"
#include "data_sheet.h"
#include "find_box.h"
#include "info_window.h"
#include "measure_window.h"
#include "number_format.h"
#include "pipe_layout.h"
#include "print_preview.h"
#include "result_display.h"
#include "special_sizes.h"
#include "tap_drill_guide.h"
#include "thread_report.h"
#include "thread_results.h"
#include "windowing.h"

namespace torveld {

// What a find did: the canonical designation found, or the one-line reason it was not.
struct FindOutcome {
    bool found = false;
    std::string canonical;  // canonical designation of what is now shown (when found)
    std::string message;    // why nothing changed (when not found), one line
    // What the find box says when found: what is shown, and the classes named that the window
    // does not display ("Shown: M10x1.25; 6e is not displayed here, the query computes it").
    std::string shown;
};

class MainWindow : public platform::EventHandler {
  public:
    MainWindow(platform::Windowing& windowing, platform::PrintPreview& printing);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Opens the main window centred on the screen, creates its controls, selects UNC and its
    // first size, fills the drill chart and the size list, calculates, displays and shows the
    // controls. Runs once; the event loop follows.
    void startUp();
    // After the event loop: closes the information window if it is open, then the main window.
    void shutDown();

    // platform::EventHandler
    void onBackgroundPress(platform::WindowHandle window) override;
    void onControlEvent(platform::WindowHandle window, int controlId, int code) override;
    // Tips of the captions, the buttons and the drill-chart rows (tips.h).
    std::string tipText(platform::WindowHandle window, int controlId, int row) override;
    // A value field's context menu: its number in the other unit (copy_display.h).
    std::vector<platform::MenuEntry> menuEntries(platform::WindowHandle window,
                                                 int controlId) override;

    // Refresh cycle after a change of series: layout, size list (size 0), calculation, display.
    void refreshForSeries();
    // Inch or metric display: rewrites the drill-chart diameters and redisplays without a new
    // calculation. Nothing happens when the mode is already the target.
    void setUnitMode(DisplayUnit target);
    // Writes the results of the current Selection into the window.
    void showResults();
    void applyPipeLayout(Arrangement pipe);
    void applyScrewLayout();

    // Finds a designation as the find box does: on success the series and size are shown exactly
    // as a click on the series radio and a pick in the size list would (the pipe arrangement
    // included); a special size joins its series' size list at the end, marked, and is selected.
    // On failure nothing changes. Usable without any find box open (torveld-query calls it),
    // on any windowing after startUp(), one that draws nothing included; after CLOSE it finds
    // nothing.
    // `canonical` is the designation as read, with the classes and hand it names (the window
    // shows its series' usual classes whatever they are). The designation is read with the
    // series on show preferred where several hold the size ("1/2-14" in NPT shows NPT). Each
    // designation found goes to the front of findHistory(); the find box, when open, shows the
    // outcome.
    FindOutcome find(std::string_view text);
    // Ctrl+F and "/": opens the find box over the main window, or brings it to the top.
    void openFindBox();
    // MEASURE and Ctrl+M: opens the MEASURE window for the size shown, or brings it to the top.
    void openMeasureWindow();

    // The last ten designations found, most recent first, each once: what the find box offers.
    const std::vector<std::string>& findHistory() const { return findHistory_; }
    // The text of the last find and what came of it (none before the first).
    struct LastFind {
        std::string text;
        FindOutcome outcome;
    };
    const std::optional<LastFind>& lastFind() const { return lastFind_; }
    const FindBox& findBox() const { return findBox_; }

    // State, for printing, the information window and tests.
    // `sizeIndex` is the position in the size list: a row of the series' size table, or, past
    // its rows, a special size found in this session (specialSize() says which).
    const Selection& selection() const { return selection_; }
    // The special size on show, with the designation it was found by and its report; none while
    // a size of the tables is shown.
    const std::optional<SpecialSizeShown>& specialSize() const { return special_; }
    // The special sizes found in a series this session, in the order of its size list.
    const std::vector<SpecialSizeShown>& specialSizes(SeriesId id) const;
    const UnitMode& unitMode() const { return mode_; }
    // The report of what is shown: the selection's size with its series' usual classes.
    const ThreadReport& report() const { return report_; }
    // The results of the selection; every value empty when it could not be calculated.
    const ThreadResults& results() const { return report_.values; }
    bool calculated() const { return report_.calculated; }
    int guideStartIndex() const { return guide_ ? guide_->guideStartIndex() : 0; }
    // The texts of the main window's controls as this side wrote them last.
    const ControlTexts& texts() const { return texts_; }
    // What PRINT prints now.
    DataSheetInput sheetInput() const;
    // What Ctrl+C puts on the clipboard now: the whole display as a table (copy_display.h).
    std::string displayTable() const;
    platform::WindowHandle window() const { return window_; }
    platform::Windowing& windowing() const { return windowing_; }
    platform::PrintPreview& printing() const { return printing_; }
    const InfoWindow& infoWindow() const { return info_; }
    const MeasureWindow& measureWindow() const { return measure_; }
    // True from CLOSE (or shutDown) on: no event is handled any more.
    bool ended() const { return ended_; }

  private:
    void createMainWindow();
    void fillMainWindow();
    void fillDrillChart();
    void calculate();
    void handleControl(int controlId, int code);
    void seriesChosen(SeriesId id);
    void sizePicked();
    // The size at list position `position` shown: the calculation and the display.
    void showSize(int position);
    // The size-list entry at `position`: as a pick of the user's would.
    void pickSize(int position);
    // The work of find(): shows what the text names, or says why not.
    FindOutcome findDesignation(std::string_view text);
    void showFound(SeriesId id, int position);
    // The entries the size list adds after the rows of the table: the special sizes found.
    std::vector<std::string> specialEntries(SeriesId id) const;
    // The notes the information window adds.
    std::vector<std::string> infoNote() const;
    // After a size change: the information window's note follows the size, if it changed.
    void refreshInfoNote();
    void exitPipeLayout();
    void syncRadios();
    WindowWriter windowWriter() { return WindowWriter{windowing_, window_, &texts_}; }
    // Shows or hides every main-window control whose id lies in [first, last].
    void showRange(int first, int last, bool visible);
    // PRINT: the data sheet of what the window shows now.
    void printSheet();
    // Ctrl+C: the display table on the clipboard.
    void copyDisplay();

    platform::Windowing& windowing_;
    platform::PrintPreview& printing_;
    platform::WindowHandle window_ = 0;
    Selection selection_;
    SeriesId previousSeries_ = series::UNC;
    UnitMode mode_ = UnitMode::inch();
    ThreadReport report_;
    ControlTexts texts_;
    FieldValues values_;  // the numbers behind the fields of texts_
    std::optional<TapDrillGuide> guide_;
    InfoWindow info_;
    FindBox findBox_;
    MeasureWindow measure_;
    std::array<std::vector<SpecialSizeShown>, series::kCount> specials_;
    std::optional<SpecialSizeShown> special_;
    std::vector<std::string> findHistory_;
    std::optional<LastFind> lastFind_;
    bool ended_ = false;
};

}  // namespace torveld
