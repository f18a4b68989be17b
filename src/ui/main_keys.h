// The keys of the main window: Ctrl+P prints (PRINT), F1 opens the information window (INFO),
// Ctrl+M the MEASURE window, Ctrl+F and "/" open the find box, Ctrl+Q ends the program as CLOSE
// does, and Ctrl+C copies
// the whole display (bound to an id of no control; a value field with a selection keeps Ctrl+C
// for its own copy). Tab, the arrow
// keys, Space and Return keep the meaning the platform gives them.
#pragma once

#include <array>
#include <utility>

#include "control_ids.h"
#include "windowing.h"

namespace torveld {

inline constexpr std::array<std::pair<platform::KeyChord, int>, 7> kMainWindowKeys{{
    {{'P', true}, ids::kPrint},
    {{'M', true}, ids::kMeasure},
    {{platform::keys::kF1, false}, ids::kInfo},
    {{'Q', true}, ids::kClose},
    {{'C', true}, ids::kCopyDisplay},
    {{'F', true}, ids::kFind},
    {{platform::keys::kSlash, false}, ids::kFind},
}};

// Binds the keys above in the main window.
void bindMainWindowKeys(platform::Windowing& windowing, platform::WindowHandle window);

}  // namespace torveld
