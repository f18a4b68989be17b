// The main window's logic: start-up, the event handler and refresh cycle, the unit switch and
// the result display, on the platform's windowing operations. It owns the Selection, the unit
// mode, the ThreadResults and the record of the texts it shows; the data sheet is made from
// that record, the information window from the selection and the unit mode.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "control_texts.h"
#include "data_sheet.h"
#include "info_window.h"
#include "number_format.h"
#include "print_preview.h"
#include "result_display.h"
#include "tap_drill_guide.h"
#include "thread_results.h"
#include "windowing.h"

namespace torveld {

enum class DisplayUnit { Inch, Metric };

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
    void applyPipeLayout();
    void applyScrewLayout();

    // State, for printing, the information window and tests.
    const Selection& selection() const { return selection_; }
    const UnitMode& unitMode() const { return mode_; }
    // The results of the selection; every value empty when it could not be calculated.
    const ThreadResults& results() const { return results_; }
    bool calculated() const { return calculated_; }
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
    void exitPipeLayout();
    void syncRadios();
    FieldWriter writer();
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
    ThreadResults results_;
    bool calculated_ = false;  // whether the last calculation ran for the selection
    ControlTexts texts_;
    FieldValues values_;  // the numbers behind the fields of texts_
    std::optional<TapDrillGuide> guide_;
    InfoWindow info_;
    bool ended_ = false;
};

}  // namespace torveld
