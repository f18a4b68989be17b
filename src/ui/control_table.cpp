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
using namespace ids;

// Id, kind, caption, left/top/width/height, style, background, font size (points).
// The size panel keeps the platform's default font. The drill chart keeps the list's default
// background; its text background is set when it is filled.
// clang-format off
constexpr ControlDef kControls[] = {
    {kSizePanel, K::Label, "", {577, 295, 153, 48}, s::kVisible | s::kCentred, B::Window, 0},
    {kHide, K::Button, "HIDE", {665, 493, 62, 25}, 0, B::Field, 9},
    {kClose, K::Button, "CLOSE", {665, 520, 62, 25}, 0, B::Field, 9},
    {kInfo, K::Button, "INFO", {665, 466, 62, 25}, 0, B::Field, 9},
    {kPrint, K::Button, "PRINT", {665, 439, 62, 25}, 0, B::Field, 9},
    {kMeasure, K::Button, "MEASURE", {733, 439, 62, 25}, 0, B::Field, 9},
    {kDrillChart, K::ListView, "", {180, 375, 172, 171}, s::kBorder | s::kReportView | s::kSingleSelect, B::ListDefault, 9},
    {kDrillChartCaption, K::Label, "TAP DRILL GUIDE", {180, 359, 173, 18}, s::kCentred, B::Window, 9},
    {kExternalHeader, K::TextBox, "", {127, 7, 470, 28}, s::kCentred | s::kReadOnly, B::Field, 11},
    {kInternalHeader, K::TextBox, "", {127, 210, 470, 28}, s::kCentred | s::kReadOnly, B::Field, 11},
    {kTitle, K::Label, "", {450, 504, 195, 25}, s::kCentred, B::Title, 13},
    {kEngagementList, K::ListBox, "", {15, 375, 145, 171}, s::kNotify, B::Field, 9},
    {kEngagementCaption, K::Label, "ENGAGEMENT", {15, 359, 145, 18}, s::kCentred, B::Window, 9},
    {kThreadTypeCaption, K::Label, "THREAD TYPE", {369, 345, 290, 18}, s::kCentred, B::Window, 9},
    {kSizeList, K::DropDown, "Thread Size", {584, 326, 140, 222}, s::kVScroll, B::Field, 9},
    {kSizeCaption, K::Label, "THREAD SIZE", {584, 310, 141, 18}, s::kCentred, B::Window, 9},
    {kInches, K::Radio, "INCHES", {459, 470, 70, 22}, s::kGroupStart, B::Window, 8},
    {kMillimeters, K::Radio, "MILLIMETERS", {529, 470, 109, 22}, 0, B::Window, 8},
    {kUncRadio, K::Radio, "UNC", {375, 363, 65, 20}, s::kGroupStart, B::Window, 9},
    {kUnfRadio, K::Radio, "UNF", {375, 383, 65, 20}, 0, B::Window, 9},
    {kUnefRadio, K::Radio, "UNEF", {375, 403, 65, 20}, 0, B::Window, 9},
    {kUnjRadio, K::Radio, "UNJ", {375, 423, 65, 20}, 0, B::Window, 9},
    {kUnjcRadio, K::Radio, "UNJC", {375, 443, 65, 20}, 0, B::Window, 9},
    {kUnjfRadio, K::Radio, "UNJF", {375, 463, 65, 20}, 0, B::Window, 9},
    {kUnjefRadio, K::Radio, "UNJEF", {375, 483, 70, 20}, 0, B::Window, 9},
    {kUnRadio, K::Radio, "UN", {375, 503, 65, 20}, 0, B::Window, 9},
    {kUnsRadio, K::Radio, "UNS", {375, 523, 65, 20}, 0, B::Window, 9},
    {kUnmRadio, K::Radio, "UNM", {442, 363, 65, 20}, 0, B::Window, 9},
    {kUncStiRadio, K::Radio, "UNC-STI", {442, 383, 80, 20}, 0, B::Window, 9},
    {kUnfStiRadio, K::Radio, "UNF-STI", {442, 403, 80, 20}, 0, B::Window, 9},
    {kAcmeRadio, K::Radio, "ACME", {442, 423, 65, 20}, 0, B::Window, 9},
    {kStubAcmeRadio, K::Radio, "STUB ACME", {442, 443, 100, 20}, 0, B::Window, 9},
    {kNptRadio, K::Radio, "NPT", {534, 363, 65, 20}, 0, B::Window, 9},
    {kNptfRadio, K::Radio, "NPTF", {534, 383, 65, 20}, 0, B::Window, 9},
    {kNpsmRadio, K::Radio, "NPSM", {534, 403, 65, 20}, 0, B::Window, 9},
    {kNpslRadio, K::Radio, "NPSL", {534, 423, 65, 20}, 0, B::Window, 9},
    {kIsoCoarseRadio, K::Radio, "ISO COARSE", {601, 363, 95, 20}, 0, B::Window, 9},
    {kIsoFineRadio, K::Radio, "ISO FINE", {601, 383, 80, 20}, 0, B::Window, 9},
    {kBswRadio, K::Radio, "BSW", {601, 403, 65, 20}, 0, B::Window, 9},
    {kBsfRadio, K::Radio, "BSF", {601, 423, 60, 20}, 0, B::Window, 9},
    {kBaRadio, K::Radio, "BA", {601, 443, 55, 20}, 0, B::Window, 9},
    {kGRadio, K::Radio, "G", {703, 363, 60, 20}, 0, B::Window, 9},
    {kRRadio, K::Radio, "R", {703, 383, 60, 20}, 0, B::Window, 9},
    {kTrRadio, K::Radio, "Tr", {703, 403, 60, 20}, 0, B::Window, 9},
    {kExtNormalMajorMax, K::TextBox, "", {41, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtCloseMajorMax, K::TextBox, "", {41, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalMajorMin, K::TextBox, "", {117, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtCloseMajorMin, K::TextBox, "", {117, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalMajorMean, K::TextBox, "", {193, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtCloseMajorMean, K::TextBox, "", {193, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalPitchMax, K::TextBox, "", {269, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtClosePitchMax, K::TextBox, "", {269, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalPitchMin, K::TextBox, "", {345, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtClosePitchMin, K::TextBox, "", {345, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalMinor1, K::TextBox, "", {421, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtCloseMinor1, K::TextBox, "", {421, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalMinor2, K::TextBox, "", {497, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtCloseMinor2, K::TextBox, "", {497, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalWiresMax, K::TextBox, "", {573, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtCloseWiresMax, K::TextBox, "", {573, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtNormalWiresMin, K::TextBox, "", {649, 75, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtCloseWiresMin, K::TextBox, "", {649, 100, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtHeight, K::TextBox, "", {60, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtFlat, K::TextBox, "", {145, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kPitch, K::TextBox, "", {230, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kBestWire, K::TextBox, "", {315, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kConstant, K::TextBox, "", {400, 155, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kRadius1, K::TextBox, "", {505, 170, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kRadius2, K::TextBox, "", {585, 170, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntNormalMinorMin, K::TextBox, "", {41, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntCloseMinorMin, K::TextBox, "", {41, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntNormalMinorMax, K::TextBox, "", {117, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntCloseMinorMax, K::TextBox, "", {117, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntNormalMinorMean, K::TextBox, "", {193, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntCloseMinorMean, K::TextBox, "", {193, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntNormalPitchMin, K::TextBox, "", {269, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntClosePitchMin, K::TextBox, "", {269, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntNormalPitchMax, K::TextBox, "", {345, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntClosePitchMax, K::TextBox, "", {345, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntNormalMajorMin, K::TextBox, "", {421, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntCloseMajorMin, K::TextBox, "", {421, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntNormalMajorMax, K::TextBox, "", {497, 280, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntCloseMajorMax, K::TextBox, "", {497, 305, 75, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntHeight, K::TextBox, "", {581, 265, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kIntFlat, K::TextBox, "", {652, 265, 70, 25}, s::kCentred | s::kReadOnly, B::Field, 9},
    {kExtMajorCaption, K::Label, "MAJOR DIAMETER", {41, 43, 227, 18}, s::kCentred, B::Window, 9},
    {kExtPitchCaption, K::Label, "PITCH DIAMETER", {269, 43, 151, 18}, s::kCentred, B::Window, 9},
    {kExtMinorCaption, K::Label, "MINOR DIAMETER", {421, 43, 151, 18}, s::kCentred, B::Window, 9},
    {kOverWiresCaption, K::Label, "OVER WIRES", {573, 43, 151, 18}, s::kCentred, B::Window, 9},
    {kExtMajorMaxCaption, K::Label, "MAX", {41, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kExtMajorMinCaption, K::Label, "MIN", {117, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kExtMajorMeanCaption, K::Label, "MEAN", {193, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kExtPitchMaxCaption, K::Label, "MAX", {269, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kExtPitchMinCaption, K::Label, "MIN", {345, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kExtMinor1Caption, K::Label, "REF", {421, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kExtMinor2Caption, K::Label, "MIN", {497, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kWiresMaxCaption, K::Label, "MAX", {573, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kWiresMinCaption, K::Label, "MIN", {649, 59, 75, 18}, s::kCentred, B::Window, 8},
    {kExtNormalLabel, K::Label, "2A", {15, 80, 25, 18}, s::kCentred, B::Window, 8},
    {kExtCloseLabel, K::Label, "3A", {15, 105, 25, 18}, s::kCentred, B::Window, 8},
    {kExtHeightCaption, K::Label, "HEIGHT", {60, 139, 70, 18}, s::kCentred, B::Window, 8},
    {kExtFlatCaption, K::Label, "FLAT", {145, 139, 70, 18}, s::kCentred, B::Window, 8},
    {kPitchCaption, K::Label, "PITCH", {230, 139, 70, 18}, s::kCentred, B::Window, 8},
    {kBestWireCaption, K::Label, "BEST WIRE", {311, 139, 78, 18}, s::kCentred, B::Window, 8},
    {kConstantCaption, K::Label, "CONSTANT", {396, 139, 78, 18}, s::kCentred, B::Window, 8},
    {kRadiiCaption, K::Label, "RADII", {505, 138, 150, 18}, s::kCentred, B::Window, 9},
    {kRadius1Caption, K::Label, "CREST", {505, 154, 70, 18}, s::kCentred, B::Window, 8},
    {kRadius2Caption, K::Label, "ROOT", {585, 154, 70, 18}, s::kCentred, B::Window, 8},
    {kIntMinorCaption, K::Label, "MINOR DIAMETER", {41, 248, 227, 18}, s::kCentred, B::Window, 9},
    {kIntPitchCaption, K::Label, "PITCH DIAMETER", {269, 248, 151, 18}, s::kCentred, B::Window, 9},
    {kIntMajorCaption, K::Label, "MAJOR DIAMETER", {421, 248, 151, 18}, s::kCentred, B::Window, 9},
    {kIntMinorMinCaption, K::Label, "MIN", {41, 264, 75, 18}, s::kCentred, B::Window, 8},
    {kIntMinorMaxCaption, K::Label, "MAX", {117, 264, 75, 18}, s::kCentred, B::Window, 8},
    {kIntMinorMeanCaption, K::Label, "MEAN", {193, 264, 75, 18}, s::kCentred, B::Window, 8},
    {kIntPitchMinCaption, K::Label, "MIN", {269, 264, 75, 18}, s::kCentred, B::Window, 8},
    {kIntPitchMaxCaption, K::Label, "MAX", {345, 264, 75, 18}, s::kCentred, B::Window, 8},
    {kIntMajorMinCaption, K::Label, "MIN", {421, 264, 75, 18}, s::kCentred, B::Window, 8},
    {kIntMajorMaxCaption, K::Label, "MAX", {497, 264, 75, 18}, s::kCentred, B::Window, 8},
    {kIntHeightCaption, K::Label, "HEIGHT", {581, 249, 70, 18}, s::kCentred, B::Window, 8},
    {kIntFlatCaption, K::Label, "FLAT", {652, 249, 70, 18}, s::kCentred, B::Window, 8},
    {kIntNormalLabel, K::Label, "2B", {15, 285, 25, 18}, s::kCentred, B::Window, 8},
    {kIntCloseLabel, K::Label, "3B", {15, 310, 25, 18}, s::kCentred, B::Window, 8},
    {kPipeExit, K::Button, "", {0, 0, 0, 0}, 0, B::Field, 14},
    {kPipeExtFlatMin, K::TextBox, "", {0, 0, 0, 0}, s::kVisible | s::kCentred | s::kReadOnly, B::Field, 9},
    {kPipeIntFlatMin, K::TextBox, "", {0, 0, 0, 0}, s::kVisible | s::kCentred | s::kReadOnly, B::Field, 9},
    {kPipeTapDepth, K::TextBox, "", {0, 0, 0, 0}, s::kVisible | s::kCentred | s::kReadOnly, B::Field, 9},
    {kPipeExtFlatMinCaption, K::Label, "MIN", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 8},
    {kPipeIntFlatMinCaption, K::Label, "MIN", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 8},
    {kPipeExtFlatCaption, K::Label, "FLAT AT CREST", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 9},
    {kPipeIntFlatCaption, K::Label, "FLAT AT CREST", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 9},
    {kTapDepthCaption, K::Label, "TAP DEPTH (REF)", {0, 0, 0, 0}, s::kVisible | s::kCentred, B::Window, 8},
};
// clang-format on

// SeriesId -> selector radio id (the radios stand in another order than the SeriesIds).
constexpr std::array<int, series::kCount> kSeriesRadio = {
    kUncRadio,      kUnfRadio,       kUnefRadio,    kUnRadio,   kUnsRadio,  kUnjRadio,  kUnjcRadio,
    kUnjfRadio,     kUnjefRadio,     kNptRadio,     kNptfRadio, kNpsmRadio, kNpslRadio, kAcmeRadio,
    kStubAcmeRadio, kIsoCoarseRadio, kIsoFineRadio, kUnmRadio,  kBswRadio,  kBsfRadio,  kBaRadio,
    kUncStiRadio,   kUnfStiRadio,    kGRadio,       kRRadio,    kTrRadio,
};

constexpr IdRange kShownAtStartUp[] = {
    {kSizePanel, kSizePanel},
    {kTitle, kTitle},
    {kSizeList, kIntFlat},
    {kDrillChart, kIntFlatCaption},
    {kThreadTypeCaption, kMillimeters},
    {kFirstSeriesRadio, kLastSeriesRadio},
    {kPrint, kPrint},
    {kMeasure, kMeasure},
    {kInfo, kInfo},
    {kPipeExit, kPipeExit},
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

std::span<const IdRange> shownAtStartUpRanges() {
    return kShownAtStartUp;
}

bool shownAtStartUp(int id) {
    return std::any_of(std::begin(kShownAtStartUp), std::end(kShownAtStartUp),
                       [id](const IdRange& r) { return id >= r.first && id <= r.last; }) &&
           findControl(id) != nullptr;
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
