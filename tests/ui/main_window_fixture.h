// A started main window on the headless platform, with helpers that act as the user would.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "control_table.h"
#include "headless_windowing.h"
#include "main_window.h"
#include "recording_print_preview.h"

namespace torveld::testing {

class MainWindowTest : public ::testing::Test {
  protected:
    explicit MainWindowTest(platform::Size screen = {1024, 768}) : ui(screen) {}

    void SetUp() override {
        main.startUp();
        ui.attach(&main);
    }

    platform::WindowHandle win() const { return main.window(); }
    const platform::HeadlessControl& control(int id) const {
        const platform::HeadlessControl* c = ui.control(win(), id);
        if (!c) throw std::runtime_error("no control " + std::to_string(id));
        return *c;
    }
    std::string text(int id) const { return ui.controlText(win(), id); }
    const std::vector<std::string>& items(int id) const { return control(id).items; }
    bool checked(int id) const { return ui.radioChecked(win(), id); }

    void click(int id) { ui.click(win(), id); }
    void select(int id, int position) { ui.select(win(), id, position); }
    // Picks a series by its radio, then a size from the size list.
    void choose(SeriesId series, int sizeIndex) {
        click(seriesRadioId(series));
        if (sizeIndex != 0) select(302, sizeIndex);
    }

    // Every listed field holds exactly its expected text.
    void expectTexts(const std::map<int, std::string>& expected) const {
        for (const auto& [id, value] : expected) {
            EXPECT_EQ(text(id), value) << "control " << id;
        }
    }

    // The radios that are on, among the series radios 401..423.
    std::vector<int> checkedSeriesRadios() const {
        std::vector<int> on;
        for (int id = 401; id <= 423; ++id) {
            if (checked(id)) on.push_back(id);
        }
        return on;
    }

    platform::HeadlessWindowing ui;
    platform::RecordingPrintPreview printing;
    MainWindow main{ui, printing};
};

}  // namespace torveld::testing
