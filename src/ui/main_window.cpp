// Start-up, the first filling of the main window, the result display and shut-down.
#include "main_window.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "control_ids.h"
#include "control_table.h"
#include "copy_display.h"
#include "drill_chart.h"
#include "main_keys.h"
#include "pipe_layout.h"
#include "sheet_input.h"
#include "size_list.h"

namespace torveld {

namespace {

// The nearest whole number, a half going to the even neighbour.
int roundHalfEven(double value) {
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0);
    return static_cast<int>(rounded);
}

constexpr const char* kTitleText = "TORVELD 2.1";

}  // namespace

MainWindow::MainWindow(platform::Windowing& windowing, platform::PrintPreview& printing)
    : windowing_(windowing),
      printing_(printing),
      info_(windowing),
      findBox_(windowing),
      measure_(windowing) {}

void MainWindow::startUp() {
    if (window_ != 0) return;
    mode_ = UnitMode::inch();
    createMainWindow();
    guide_.emplace(windowing_, window_);
    createMainControls(windowing_, window_);
    bindMainWindowKeys(windowing_, window_);
    texts_ = ControlTexts{};
    values_ = FieldValues{};
    for (const ControlDef& c : mainControls()) texts_.setText(c.id, c.caption);

    selection_ = Selection{series::UNC, 0};
    previousSeries_ = series::UNC;

    fillMainWindow();
}

void MainWindow::createMainWindow() {
    const platform::Size screen = windowing_.screenSize();
    const platform::Rect rect{roundHalfEven((screen.width - main_window::kWidth) * 0.5),
                              roundHalfEven((screen.height - main_window::kHeight) * 0.5),
                              main_window::kWidth, main_window::kHeight};
    // Most controls show the base font one point up (88 of 127); they start with it.
    window_ = windowing_.createWindow({main_window::kTitle, rect, colours::kWindow, false,
                                       mainFont(main_window::kBaseFontSize + 1)});
    windowing_.showWindow(window_, platform::ShowState::Hidden);
    windowing_.setWindowBackground(window_, colours::kWindow);
    windowing_.showWindow(window_, platform::ShowState::Normal);
}

void MainWindow::fillDrillChart() {
    windowing_.viewAddColumn(window_, ids::kDrillChart, 0, "    DRILL", 75);
    windowing_.viewAddColumn(window_, ids::kDrillChart, 1, "DIAMETER", 81);
    // All 747 rows in one call: the name and the diameter of each drill, then the end row.
    std::vector<std::vector<std::string>> rows;
    rows.reserve(drill_chart::kEndRow + 1);
    for (int row = 0; row < drill_chart::kEndRow; ++row) {
        rows.push_back({drill_chart::row(row).drillName,
                        drillDiameterText(drill_chart::diameter(row), DrillTextMode::StartUp)});
    }
    const DrillRow& end = drill_chart::row(drill_chart::kEndRow);
    rows.push_back({end.drillName, end.decimalInch});
    windowing_.viewAddRows(window_, ids::kDrillChart, 0, rows);
}

void MainWindow::fillMainWindow() {
    fillDrillChart();
    fillSizeList(windowing_, window_, selection_.series);
    windowing_.listSetEntryHeight(window_, ids::kSizeList, 15);
    windowing_.listSetEntryHeight(window_, ids::kEngagementList, 16);
    windowing_.viewSetTextBackground(window_, ids::kDrillChart, colours::kField);

    windowing_.listSelect(window_, ids::kSizeList, 0);
    windowing_.setRadio(window_, ids::kInches, true);
    windowing_.setRadio(window_, ids::kUncRadio, true);
    windowing_.setControlFont(window_, ids::kTitle, mainFont(main_window::kBaseFontSize + 5));
    windowWriter().text(ids::kTitle, kTitleText);

    calculate();
    showResults();

    windowing_.showControl(window_, ids::kSizePanel, true);
    windowing_.showControl(window_, ids::kTitle, true);
    showRange(ids::kSizeList, ids::kIntFlat, true);
    showRange(ids::kDrillChart, ids::kIntFlatCaption, true);
    showRange(ids::kThreadTypeCaption, ids::kMillimeters, true);
    showRange(ids::kFirstSeriesRadio, ids::kLastSeriesRadio, true);
    windowing_.showControl(window_, ids::kPrint, true);
    windowing_.showControl(window_, ids::kMeasure, true);
    windowing_.showControl(window_, ids::kInfo, true);
    windowing_.showControl(window_, ids::kPipeExit, true);
    windowing_.setControlFont(window_, ids::kPipeExit, mainFont(main_window::kBaseFontSize + 6));
}

void MainWindow::showRange(int first, int last, bool visible) {
    for (int id = first; id <= last; ++id) {
        if (findControl(id)) windowing_.showControl(window_, id, visible);
    }
}

void MainWindow::shutDown() {
    if (window_ == 0) return;
    ended_ = true;
    // The information window, the find box and the MEASURE window, when they are open, close
    // before the main window.
    info_.close();
    findBox_.close();
    measure_.close();
    if (windowing_.isWindowOpen(window_)) windowing_.closeWindow(window_);
}

void MainWindow::calculate() {
    // A position past the table's rows is a special size found earlier: computed then, kept.
    const int rows = sizeCount(selection_.series);
    const std::vector<SpecialSizeShown>& specials = specialSizes(selection_.series);
    const int special = selection_.sizeIndex - rows;
    if (special >= 0 && special < static_cast<int>(specials.size())) {
        special_ = specials[static_cast<std::size_t>(special)];
        report_ = special_->report;
        return;
    }
    special_.reset();
    // Without values (a row the tables cannot give) every value is empty: no number of an
    // earlier size stays behind under the header of this one.
    report_ = tableReport(selection_.series, selection_.sizeIndex);
}

void MainWindow::showResults() {
    if (window_ == 0 || !isValidSeries(selection_.series)) return;
    DisplayFrame frame = displayFrame(report_, mode_);
    const tap_drill::GuideDrill guide = frame.guide;
    applyFrame(std::move(frame), windowWriter(), &values_);
    guide_->selectGuideDrill(guide);
    // The MEASURE window follows the size and the unit shown.
    measure_.refresh(report_, mode_);
}

DataSheetInput MainWindow::sheetInput() const {
    return torveld::sheetInput(report_, mode_);
}

std::string MainWindow::displayTable() const {
    return torveld::displayTable(report_, mode_);
}

void MainWindow::copyDisplay() {
    windowing_.setClipboardText(displayTable());
}

void MainWindow::printSheet() {
    const int document = printDataSheet(printing_, sheetInput());
    if (document < 1) {
        // The handle the print preview gave, written without the locale.
        char digits[16];
        const auto written = std::to_chars(digits, digits + sizeof digits, document);
        std::string text = "Error Creating  ";
        text.append(digits, written.ptr);
        windowing_.messageBox(window_, "Info", text, platform::MessageIcon::Warning);
    }
}

void MainWindow::applyPipeLayout(Arrangement pipe) {
    torveld::applyPipeLayout(windowWriter(), pipe);
}

void MainWindow::applyScrewLayout() {
    torveld::applyScrewLayout(windowWriter());
}

}  // namespace torveld
