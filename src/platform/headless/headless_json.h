// Headless platform: the whole recorded state as one JSON object, for the scripted driver.
#pragma once

#include <nlohmann/json.hpp>

#include "headless_windowing.h"
#include "recording_print_preview.h"

namespace torveld::platform {

// {"main": W, "info": I, "messageBoxes": [...], "prints": [...]}. The main window is the first
// window created; the information window is the latest one titled "Thread Info".
nlohmann::json stateToJson(const HeadlessWindowing& windowing,
                           const RecordingPrintPreview& printing);

// One window with its controls (W of the dump).
nlohmann::json windowToJson(const HeadlessWindow& window);

// A single-precision value as the shortest decimal that reads back as the same float.
double shortestDecimal(float value);

}  // namespace torveld::platform
