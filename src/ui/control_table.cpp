#include "control_table.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "control_ids.h"

namespace torveld {

namespace {

using K = platform::ControlKind;
using B = Background;
namespace s = platform::style;

// Id, kind, caption, left/top/width/height, style, background, font size (points).
// 432 keeps the platform's default font. The drill chart (347) keeps the list's default
// background; its text background is set when it is filled.
// clang-format off
constexpr ControlDef kControls[] = {
    {432, K::Label, "", {577, 295, 153, 48}, s::kVisible | s::kCentred, B::Window, 0},
    {397, K::Button, "HIDE", {665, 493, 62, 25}, 0, B::Field, 9},
    {398, K::Button, "CLOSE", {665, 520, 62, 25}, 0, B::Field, 9},
    {434, K::Button, "INFO", {665, 466, 62, 25}, 0, B::Field, 9},
    {442, K::Button, "PRINT", {665, 439, 62, 25}, 0, B::Field, 9},
    {347, K::ListView, "", {180, 375, 172, 171}, s::kBorder | s::kReportView | s::kSingleSelect, B::ListDefault, 9},
    {395, K::Label, "TAP DRILL GUIDE", {180, 359, 173, 18}, s::kCentred, B::Window, 9},
    {349, K::TextBox, "", {127, 7, 470, 28}, s::kCentred | s::kReadOnly, B::Field, 11},
    {350, K::TextBox, "", {127, 210, 470, 28}, s::kCentred | s::kReadOnly, B::Field, 11},
    {435, K::Label, "", {450, 504, 195, 25}, s::kCentred, B::Title, 13},
    {348, K::ListBox, "", {15, 375, 145, 171}, s::kNotify, B::Field, 9},
    {396, K::Label, "ENGAGEMENT", {15, 359, 145, 18}, s::kCentred, B::Window, 9},
    {393, K::Label, "THREAD TYPE", {369, 345, 290, 18}, s::kCentred, B::Window, 9},
    {302, K::DropDown, "Thread Size", {584, 326, 140, 222}, s::kVScroll, B::Field, 9},
    {394, K::Label, "THREAD SIZE", {584, 310, 141, 18}, s::kCentred, B::Window, 9},
    {399, K::Radio, "INCHES", {459, 470, 70, 22}, s::kGroupStart, B::Window, 8},
    {400, K::Radio, "MILLIMETERS", {529, 470, 109, 22}, 0, B::Window, 8},
    {401, K::Radio, "UNC", {375, 363, 65, 20}, s::kGroupStart, B::Window, 9},
    {402, K::Radio, "UNF", {375, 383, 65, 20}, 0, B::Window, 9},
    {403, K::Radio, "UNEF", {375, 403, 65, 20}, 0, B::Window, 9},
    {406, K::Radio, "UNJ", {375, 423, 65, 20}, 0, B::Window, 9},
    {407, K::Radio, "UNJC", {375, 443, 65, 20}, 0, B::Window, 9},
    {408, K::Radio, "UNJF", {375, 463, 65, 20}, 0, B::Window, 9},
    {409, K::Radio, "UNJEF", {375, 483, 70, 20}, 0, B::Window, 9},
    {404, K::Radio, "UN", {375, 503, 65, 20}, 0, B::Window, 9},
    {405, K::Radio, "UNS", {375, 523, 65, 20}, 0, B::Window, 9},
    {416, K::Radio, "UNM", {442, 363, 65, 20}, 0, B::Window, 9},
    {422, K::Radio, "UNC-STI", {442, 383, 80, 20}, 0, B::Window, 9},
    {423, K::Radio, "UNF-STI", {442, 403, 80, 20}, 0, B::Window, 9},
    {412, K::Radio, "ACME", {442, 423, 65, 20}, 0, B::Window, 9},
    {413, K::Radio, "STUB ACME", {442, 443, 100, 20}, 0, B::Window, 9},
    {410, K::Radio, "NPT", {534, 363, 65, 20}, 0, B::Window, 9},
    {418, K::Radio, "NPTF", {534, 383, 65, 20}, 0, B::Window, 9},
    {411, K::Radio, "NPSM", {534, 403, 65, 20}, 0, B::Window, 9},
    {417, K::Radio, "NPSL", {534, 423, 65, 20}, 0, B::Window, 9},
    {414, K::Radio, "ISO COARSE", {601, 363, 95, 20}, 0, B::Window, 9},
    {415, K::Radio, "ISO FINE", {601, 383, 80, 20}, 0, B::Window, 9},
    {419, K::Radio, "BSW", {601, 403, 65, 20}, 0, B::Window, 9},
    {420, K::Radio, "BSF", {601, 423, 60, 20}, 0, B::Window, 9},
    {421, K::Radio, "BA", {601, 443, 55, 20}, 0, B::Window, 9},
    {303, K::TextBox, "", {41, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {306, K::TextBox, "", {41, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {304, K::TextBox, "", {117, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {307, K::TextBox, "", {117, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {305, K::TextBox, "", {193, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {308, K::TextBox, "", {193, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {309, K::TextBox, "", {269, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {311, K::TextBox, "", {269, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {310, K::TextBox, "", {345, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {312, K::TextBox, "", {345, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {313, K::TextBox, "", {421, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {315, K::TextBox, "", {421, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {314, K::TextBox, "", {497, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {316, K::TextBox, "", {497, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {317, K::TextBox, "", {573, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {319, K::TextBox, "", {573, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {318, K::TextBox, "", {649, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {320, K::TextBox, "", {649, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {321, K::TextBox, "", {60, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {322, K::TextBox, "", {145, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {323, K::TextBox, "", {230, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {324, K::TextBox, "", {315, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {325, K::TextBox, "", {400, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {326, K::TextBox, "", {505, 170, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {327, K::TextBox, "", {585, 170, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {328, K::TextBox, "", {41, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {331, K::TextBox, "", {41, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {329, K::TextBox, "", {117, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {332, K::TextBox, "", {117, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {330, K::TextBox, "", {193, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {333, K::TextBox, "", {193, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {334, K::TextBox, "", {269, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {336, K::TextBox, "", {269, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {335, K::TextBox, "", {345, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {337, K::TextBox, "", {345, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {338, K::TextBox, "", {421, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {340, K::TextBox, "", {421, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {339, K::TextBox, "", {497, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {341, K::TextBox, "", {497, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {342, K::TextBox, "", {581, 265, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {343, K::TextBox, "", {652, 265, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {353, K::Label, "MAJOR DIAMETER", {41, 43, 227, 18}, s::kCentred, B::Window, 9},
    {354, K::Label, "PITCH DIAMETER", {269, 43, 151, 18}, s::kCentred, B::Window, 9},
    {355, K::Label, "MINOR DIAMETER", {421, 43, 151, 18}, s::kCentred, B::Window, 9},
    {356, K::Label, "OVER WIRES", {573, 43, 151, 18}, s::kCentred, B::Window, 9},
    {363, K::Label, "MAX", {41, 59, 75, 18}, s::kCentred, B::Window, 8},
    {364, K::Label, "MIN", {117, 59, 75, 18}, s::kCentred, B::Window, 8},
    {365, K::Label, "MEAN", {193, 59, 75, 18}, s::kCentred, B::Window, 8},
    {366, K::Label, "MAX", {269, 59, 75, 18}, s::kCentred, B::Window, 8},
    {367, K::Label, "MIN", {345, 59, 75, 18}, s::kCentred, B::Window, 8},
    {368, K::Label, "REF", {421, 59, 75, 18}, s::kCentred, B::Window, 8},
    {369, K::Label, "MIN", {497, 59, 75, 18}, s::kCentred, B::Window, 8},
    {370, K::Label, "MAX", {573, 59, 75, 18}, s::kCentred, B::Window, 8},
    {371, K::Label, "MIN", {649, 59, 75, 18}, s::kCentred, B::Window, 8},
    {351, K::Label, "2A", {15, 80, 25, 18}, s::kCentred, B::Window, 8},
    {352, K::Label, "3A", {15, 105, 25, 18}, s::kCentred, B::Window, 8},
    {358, K::Label, "HEIGHT", {60, 139, 70, 18}, s::kCentred, B::Window, 8},
    {359, K::Label, "FLAT", {145, 139, 70, 18}, s::kCentred, B::Window, 8},
    {360, K::Label, "PITCH", {230, 139, 70, 18}, s::kCentred, B::Window, 8},
    {361, K::Label, "BEST WIRE", {311, 139, 78, 18}, s::kCentred, B::Window, 8},
    {362, K::Label, "CONSTANT", {396, 139, 78, 18}, s::kCentred, B::Window, 8},
    {357, K::Label, "RADII", {505, 138, 150, 18}, s::kCentred, B::Window, 9},
    {372, K::Label, "CREST", {505, 154, 70, 18}, s::kCentred, B::Window, 8},
    {373, K::Label, "ROOT", {585, 154, 70, 18}, s::kCentred, B::Window, 8},
    {376, K::Label, "MINOR DIAMETER", {41, 248, 227, 18}, s::kCentred, B::Window, 9},
    {377, K::Label, "PITCH DIAMETER", {269, 248, 151, 18}, s::kCentred, B::Window, 9},
    {378, K::Label, "MAJOR DIAMETER", {421, 248, 151, 18}, s::kCentred, B::Window, 9},
    {379, K::Label, "MIN", {41, 264, 75, 18}, s::kCentred, B::Window, 8},
    {380, K::Label, "MAX", {117, 264, 75, 18}, s::kCentred, B::Window, 8},
    {381, K::Label, "MEAN", {193, 264, 75, 18}, s::kCentred, B::Window, 8},
    {382, K::Label, "MIN", {269, 264, 75, 18}, s::kCentred, B::Window, 8},
    {383, K::Label, "MAX", {345, 264, 75, 18}, s::kCentred, B::Window, 8},
    {384, K::Label, "MIN", {421, 264, 75, 18}, s::kCentred, B::Window, 8},
    {385, K::Label, "MAX", {497, 264, 75, 18}, s::kCentred, B::Window, 8},
    {386, K::Label, "HEIGHT", {581, 249, 70, 18}, s::kCentred, B::Window, 8},
    {387, K::Label, "FLAT", {652, 249, 70, 18}, s::kCentred, B::Window, 8},
    {374, K::Label, "2B", {15, 285, 25, 18}, s::kCentred, B::Window, 8},
    {375, K::Label, "3B", {15, 310, 25, 18}, s::kCentred, B::Window, 8},
    {433, K::Button, "", {0, 0, 0, 0}, 0, B::Field, 14},
    {345, K::TextBox, "", {0, 0, 0, 0}, s::kVisible | s::kCentred | s::kReadOnly, B::Field, 9},
    {344, K::TextBox, "", {0, 0, 0, 0}, s::kVisible | s::kCentred | s::kReadOnly, B::Field, 9},
    {346, K::TextBox, "", {0, 0, 0, 0}, s::kVisible | s::kCentred | s::kReadOnly, B::Field, 9},
    {389, K::Label, "MIN", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 8},
    {388, K::Label, "MIN", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 8},
    {390, K::Label, "FLAT AT CREST", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 9},
    {391, K::Label, "FLAT AT CREST", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 9},
    {392, K::Label, "TAP DEPTH (REF)", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 8},
};
// clang-format on

// SeriesId -> selector radio id (the radios stand in another order than the SeriesIds).
constexpr std::array<int, series::kCount> kSeriesRadio = {
    401,  // UNC
    402,  // UNF
    403,  // UNEF
    404,  // UN
    405,  // UNS
    406,  // UNJ
    407,  // UNJC
    408,  // UNJF
    409,  // UNJEF
    410,  // NPT
    418,  // NPTF
    411,  // NPSM
    417,  // NPSL
    412,  // ACME
    413,  // STUB ACME
    414,  // ISO COARSE
    415,  // ISO FINE
    416,  // UNM
    419,  // BSW
    420,  // BSF
    421,  // BA
    422,  // UNC-STI
    423,  // UNF-STI
};

platform::Rgb backgroundColour(Background b) {
    switch (b) {
        case Background::Title:
            return colours::kTitle;
        case Background::Field:
        case Background::ListDefault:
            return colours::kField;
        case Background::Window:
            break;
    }
    return colours::kWindow;
}

}  // namespace

std::span<const ControlDef> mainControls() {
    return kControls;
}

const ControlDef* findControl(int id) {
    const auto it = std::find_if(std::begin(kControls), std::end(kControls),
                                 [id](const ControlDef& c) { return c.id == id; });
    return it == std::end(kControls) ? nullptr : &*it;
}

platform::FontSpec mainFont(int points) {
    return platform::FontSpec{main_window::kFontFace, points, main_window::kFontWeight};
}

void createMainControls(platform::Windowing& windowing, platform::WindowHandle window) {
    for (const ControlDef& c : kControls) {
        windowing.createControl(window, {c.kind, c.caption, c.rect, c.style, c.id});
        if (c.background != Background::ListDefault) {
            windowing.setControlColours(window, c.id, colours::kText,
                                        backgroundColour(c.background));
        }
    }
    for (const ControlDef& c : kControls) {
        if (c.fontSize == 0 || c.id == ids::kTitle || c.id == ids::kPipeExit) continue;
        windowing.setControlFont(window, c.id, mainFont(c.fontSize));
    }
}

int seriesRadioId(SeriesId id) {
    return isValidSeries(id) ? kSeriesRadio[static_cast<size_t>(id)] : 0;
}

std::optional<SeriesId> seriesOfRadio(int controlId) {
    for (SeriesId id = 0; id < series::kCount; ++id) {
        if (kSeriesRadio[static_cast<size_t>(id)] == controlId) return id;
    }
    return std::nullopt;
}

}  // namespace torveld
