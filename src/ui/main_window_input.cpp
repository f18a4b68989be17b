// The main window's keys, tips and context menus.
#include "control_table.h"
#include "copy_display.h"
#include "main_keys.h"
#include "main_window.h"
#include "tips.h"

namespace torveld {

void bindMainWindowKeys(platform::Windowing& windowing, platform::WindowHandle window) {
    for (const auto& [key, id] : kMainWindowKeys) windowing.bindKey(window, key, id);
}

std::string MainWindow::tipText(platform::WindowHandle window, int controlId, int row) {
    if (ended_ || window_ == 0 || window != window_) return {};
    if (controlId == ids::kDrillChart) {
        return tips::drillTip(row, report_, mode_);
    }
    const ControlDef* control = findControl(controlId);
    if (control == nullptr) return {};
    if (control->kind == platform::ControlKind::Button) return tips::buttonTip(controlId);
    if (control->kind != platform::ControlKind::Label) return {};
    return tips::captionTip(windowing_.controlText(window_, controlId), selection_.series);
}

std::vector<platform::MenuEntry> MainWindow::menuEntries(platform::WindowHandle window,
                                                         int controlId) {
    if (ended_ || window_ == 0 || window != window_) return {};
    std::vector<platform::MenuEntry> entries;
    if (auto entry = otherUnitEntry(values_, texts_, controlId, mode_)) {
        entries.push_back(std::move(*entry));
    }
    return entries;
}

}  // namespace torveld
