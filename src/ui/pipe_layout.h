// The arrangements of the main window: the screw arrangement of start-up, and the pipe
// arrangement of the taper pipe threads, built from the same controls by moving, resizing,
// recaptioning and collapsing them: NPT and NPTF with their gauge values E0, E1, K0 and L1 - L4,
// the British R, Rc and Rp (ISO 7-1) with the same places captioned for their gauge plane and
// gauge lengths. In the pipe arrangement the series radios are hidden and an exit button leads
// back.
#pragma once

#include <array>
#include <string_view>

#include "control_texts.h"
#include "series.h"
#include "windowing.h"

namespace torveld {

// What an arrangement does to the main window's controls.
class LayoutTarget {
  public:
    virtual ~LayoutTarget() = default;
    virtual void rect(int id, platform::Rect rect) = 0;
    virtual void text(int id, std::string_view text) = 0;
    virtual void show(int id, bool visible) = 0;
    virtual void check(int id, bool checked) = 0;
};

enum class Arrangement { Screw, Npt, BritishTaper };

// The arrangement a series is shown in: Npt for NPT and NPTF, BritishTaper for R, else Screw.
Arrangement arrangementOf(SeriesId series);

// A pipe arrangement (Npt or BritishTaper): both NPT series caption the exit button
// "Exit NPT", R "Exit R".
void applyPipeLayout(LayoutTarget& out, Arrangement pipe);
void applyScrewLayout(LayoutTarget& out);

// The same on the main window itself (and its record of texts).
void applyPipeLayout(const WindowWriter& out, Arrangement pipe);
void applyScrewLayout(const WindowWriter& out);

// A control of the main window as an arrangement leaves it: its caption, rectangle and whether it
// is shown (visible, with a rectangle that is not empty).
struct ArrangedControl {
    std::string_view text;
    platform::Rect rect{};
    bool visible = false;

    bool shown() const { return visible && rect.width > 0 && rect.height > 0; }
};

// Every main-window control id from ControlTexts::kFirstId to kLastId as a started window shows
// it in an arrangement (a pipe arrangement applied to it); before the result display writes its
// texts.
using ArrangedControls =
    std::array<ArrangedControl, ControlTexts::kLastId - ControlTexts::kFirstId + 1>;
const ArrangedControls& arrangedControls(Arrangement arrangement);

}  // namespace torveld
