// The event handler of the main window, the refresh cycle after a change of series, the unit
// switch and the exit from the pipe layout.
#include <optional>
#include <string>
#include <vector>

#include "control_ids.h"
#include "control_table.h"
#include "drill_chart.h"
#include "main_window.h"
#include "size_list.h"

namespace torveld {

void MainWindow::onBackgroundPress(platform::WindowHandle window) {
    if (!ended_ && info_.owns(window)) {
        info_.onBackgroundPress(window);
        return;
    }
    if (!ended_ && findBox_.owns(window)) {
        findBox_.onBackgroundPress(window);
        return;
    }
    if (!ended_ && measure_.owns(window)) {
        measure_.onBackgroundPress(window);
        return;
    }
    if (ended_ || window_ == 0 || window != window_ || !windowing_.isWindowOpen(window_)) return;
    // The window has no title bar: a press on its background moves it.
    windowing_.bringToTop(window_);
    windowing_.beginMove(window_);
}

void MainWindow::onControlEvent(platform::WindowHandle window, int controlId, int code) {
    // The information window handles the events of its own window.
    if (!ended_ && info_.owns(window)) {
        info_.onControlEvent(window, controlId, code);
        return;
    }
    // The find box asks for a find (Return in its line, FIND); the rest it handles itself.
    if (!ended_ && findBox_.owns(window)) {
        if (const std::optional<std::string> text =
                findBox_.onControlEvent(window, controlId, code)) {
            find(*text);
        }
        return;
    }
    // The MEASURE window asks to show a candidate, as the find box finds a designation.
    if (!ended_ && measure_.owns(window)) {
        if (const std::optional<std::string> designation =
                measure_.onControlEvent(window, controlId, code, report_, mode_)) {
            const FindOutcome outcome = find(*designation);
            if (!outcome.found) measure_.showError(outcome.message);
        }
        return;
    }
    if (ended_ || window_ == 0 || window != window_ || !windowing_.isWindowOpen(window_)) return;
    handleControl(controlId, code);
    if (!ended_) syncRadios();
}

void MainWindow::handleControl(int controlId, int code) {
    switch (controlId) {
        case ids::kClose:
            // The loop ends; shutDown closes the windows.
            ended_ = true;
            windowing_.endEventLoop();
            return;
        case ids::kHide:
            windowing_.showWindow(window_, platform::ShowState::Minimised);
            return;
        case ids::kPrint:
            printSheet();
            return;
        case ids::kCopyDisplay:
            copyDisplay();
            return;
        case ids::kInfo:
            info_.showFor(selection_.series, mode_, infoNote());
            return;
        case ids::kFind:
            openFindBox();
            return;
        case ids::kMeasure:
            openMeasureWindow();
            return;
        case ids::kPipeExit:
            exitPipeLayout();
            return;
        case ids::kInches:
            setUnitMode(DisplayUnit::Inch);
            return;
        case ids::kMillimeters:
            setUnitMode(DisplayUnit::Metric);
            return;
        case ids::kSizeList:
            if (code == platform::notify::kSelectionChanged) sizePicked();
            return;
        default:
            // A series radio acts whatever its notification code; other ids raise no action.
            if (const auto id = seriesOfRadio(controlId)) seriesChosen(*id);
            return;
    }
}

void MainWindow::seriesChosen(SeriesId id) {
    if (id == selection_.series) return;
    selection_.series = id;
    refreshForSeries();
}

void MainWindow::sizePicked() {
    const int position = windowing_.listSelected(window_, ids::kSizeList);
    const int entries =
        sizeCount(selection_.series) + static_cast<int>(specialSizes(selection_.series).size());
    if (position < 0 || position >= entries) {
        // A cleared or impossible selection names no size: keep the current one.
        windowing_.listSelect(window_, ids::kSizeList, selection_.sizeIndex);
        return;
    }
    showSize(position);
}

void MainWindow::showSize(int position) {
    selection_.sizeIndex = position;
    calculate();
    showResults();
    refreshInfoNote();
}

void MainWindow::refreshForSeries() {
    if (window_ == 0 || !isValidSeries(selection_.series)) return;
    if (arrangementOf(previousSeries_) != Arrangement::Screw) applyScrewLayout();
    if (const Arrangement pipe = arrangementOf(selection_.series); pipe != Arrangement::Screw) {
        applyPipeLayout(pipe);
    }
    selection_.sizeIndex = 0;
    fillSizeList(windowing_, window_, selection_.series, specialEntries(selection_.series));
    calculate();
    showResults();
    info_.refresh(selection_.series, mode_, infoNote());
    previousSeries_ = selection_.series;
}

void MainWindow::setUnitMode(DisplayUnit target) {
    if (window_ == 0) return;
    DrillTextMode drillText = DrillTextMode::Metric;
    if (target == DisplayUnit::Inch) {
        if (mode_.unitFactor != mmPerInch) return;
        mode_ = UnitMode::inch();
        drillText = DrillTextMode::BackToInch;
    } else {
        if (mode_.unitFactor != 1.0) return;
        mode_ = UnitMode::metric();
    }
    std::vector<std::string> diameters;
    diameters.reserve(drill_chart::kEndRow);
    for (int row = 0; row < drill_chart::kEndRow; ++row) {
        diameters.push_back(drillDiameterText(drill_chart::diameter(row), drillText));
    }
    windowing_.viewSetColumn(window_, ids::kDrillChart, 1, 0, diameters);
    showResults();
    info_.refresh(selection_.series, mode_, infoNote());
}

void MainWindow::exitPipeLayout() {
    showRange(ids::kSizeList, ids::kEngagementCaption, false);
    showRange(ids::kFirstSeriesRadio, ids::kLastSeriesRadio, false);
    selection_.series = series::UNC;
    refreshForSeries();
    applyScrewLayout();
    // The screw layout puts "MAX" over the first minor-diameter column; UNC shows a reference
    // value there, so the display writes its own captions once more.
    showResults();
    showRange(ids::kSizeList, ids::kLastSeriesRadio, true);
}

void MainWindow::syncRadios() {
    // Whatever the event, exactly the selected series' radio and the current unit's radio are on
    // (a click on a hidden radio or a bare notification must not leave two series checked).
    const int selected = seriesRadioId(selection_.series);
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const int radio = seriesRadioId(id);
        if (windowing_.radioChecked(window_, radio) != (radio == selected)) {
            windowing_.setRadio(window_, radio, radio == selected);
        }
    }
    const bool metric = mode_.isMetric();
    if (windowing_.radioChecked(window_, ids::kInches) == metric) {
        windowing_.setRadio(window_, ids::kInches, !metric);
    }
    if (windowing_.radioChecked(window_, ids::kMillimeters) != metric) {
        windowing_.setRadio(window_, ids::kMillimeters, metric);
    }
}

}  // namespace torveld
