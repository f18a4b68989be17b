// The main window's controls as data: kind, caption, rectangle, style, colours and font of every
// control, in creation order, and the series of each selector radio.
#pragma once

#include <optional>
#include <span>

#include "series.h"
#include "windowing.h"

namespace torveld {

namespace colours {
inline constexpr platform::Rgb kText{0, 0, 0};
inline constexpr platform::Rgb kWindow{180, 180, 180};  // window, labels and radios
inline constexpr platform::Rgb kField{245, 245, 245};   // text boxes, buttons and lists
inline constexpr platform::Rgb kTitle{195, 195, 195};
}  // namespace colours

namespace main_window {
inline constexpr int kWidth = 800;
inline constexpr int kHeight = 550;
inline constexpr const char* kTitle = "Threads";
inline constexpr const char* kFontFace = "Tahoma";
inline constexpr int kFontWeight = 700;  // bold
inline constexpr int kBaseFontSize = 8;
}  // namespace main_window

enum class Background { Window, Field, Title, ListDefault };

struct ControlDef {
    int id;
    platform::ControlKind kind;
    const char* caption;
    platform::Rect rect;
    unsigned style;
    Background background;
    int fontSize;  // points; 0 keeps the platform's default font
};

// Every control of the main window, in creation order.
std::span<const ControlDef> mainControls();

// The definition of a control id, or nullptr for an id that is not a main-window control.
const ControlDef* findControl(int id);

// Creates every control of the table in order, each followed by its colours, then sets the
// fonts of all but the title (435) and the pipe exit button (433), whose fonts start-up sets
// later.
void createMainControls(platform::Windowing& windowing, platform::WindowHandle window);

// The controls start-up shows, in the order it shows them, as ranges of ids (every control whose
// id lies in a range); the others are shown by their creation style or not at all.
struct IdRange {
    int first;
    int last;
};
std::span<const IdRange> shownAtStartUpRanges();
bool shownAtStartUp(int id);

// The Tahoma bold font of the main window at `points`.
platform::FontSpec mainFont(int points);

// The selector radio of a series (401..423), and the series of a radio id.
int seriesRadioId(SeriesId id);
std::optional<SeriesId> seriesOfRadio(int controlId);

}  // namespace torveld
