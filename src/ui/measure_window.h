// The MEASURE window "Measure Thread": a pop-up beside the main window in the style of the
// information window, for the size the main window shows. Three parts:
//
// - OVER WIRES: the wire used, the reading over the wires and, for a taper pipe thread, the
//   distance of the wires from its small end (PLANE), typed in either unit ("0.02887",
//   ".0289 in", "0.733 mm"; a bare number in the unit shown); Return in any of them or JUDGE
//   reads all three. The table gives each class's over-wire limits for that wire and, with a
//   reading, its verdict and how far the pitch diameter lies from each limit (positive inside);
//   the line under it the pitch diameter, the formula used and what was refused. LEAD ANGLE
//   TERM OFF / ON chooses the formula (on by default for Acme and Stub Acme).
// - GAUGES: the GO / NOT GO thread and plain gauges of every class with pitch-diameter limits,
//   with the acceptance rule and the gauge maker's tolerances that are not included; the L1
//   gauges of a taper pipe thread.
// - NAME A THREAD: the major diameter of an external thread (MAJOR) or the minor diameter of an
//   internal one (MINOR), the pitch (20 tpi, 1.5 mm; a bare number in threads per inch while
//   inches are shown, in millimetres while millimetres are), taper or parallel and the flank
//   angle where known; Return in any of them or NAME lists the candidates of every series,
//   best first. Choosing one shows its note; Return or a double-click on it, or SHOW, shows that
//   size in the main window as the find box does.
//
// It follows the size shown: when the main window's size, series or unit changes, its over-wire
// values, verdicts and gauges follow. Escape closes it, as CLOSE does. An entry that cannot be
// read changes nothing; the part says why.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "measure_view.h"
#include "number_format.h"
#include "thread_report.h"
#include "windowing.h"

namespace torveld {

class MeasureWindow {
  public:
    static constexpr int kWidth = 740;
    static constexpr int kHeight = 600;
    static constexpr const char* kTitle = "Measure Thread";
    // Control ids inside the window.
    static constexpr int kHeaderId = 1;        // label: the size shown and the unit
    static constexpr int kWiresCaptionId = 2;  // "OVER WIRES"
    static constexpr int kWireCaptionId = 3;   // "WIRE"
    static constexpr int kWireEntryId = 4;     // history entry: the wire
    static constexpr int kReadingCaptionId = 5;
    static constexpr int kReadingEntryId = 6;   // history entry: the reading over the wires
    static constexpr int kPlaneCaptionId = 7;   // shown for taper pipe threads only
    static constexpr int kPlaneEntryId = 8;     // history entry: the wires' distance from the
                                                // small end
    static constexpr int kJudgeId = 9;          // button "JUDGE"
    static constexpr int kLeadCaptionId = 10;   // "LEAD ANGLE TERM"
    static constexpr int kLeadOffId = 11;       // radio "OFF"
    static constexpr int kLeadOnId = 12;        // radio "ON"
    static constexpr int kWiresListId = 13;     // list view: CLASS, MAX, MIN (over the wire),
                                                // VERDICT, FROM MAX, FROM MIN
    static constexpr int kWiresMessageId = 14;  // label: pitch diameter, formula, refusal
    static constexpr int kGaugesCaptionId = 15;
    static constexpr int kGaugesListId = 16;       // list view: CLASS, GAUGE, SIZE
    static constexpr int kGaugesNoteId = 17;       // label: acceptance rule, gauge tolerances
    static constexpr int kIdentifyCaptionId = 20;  // "NAME A THREAD"
    static constexpr int kMajorId = 21;            // radio "MAJOR (EXTERNAL)"
    static constexpr int kMinorId = 22;            // radio "MINOR (INTERNAL)"
    static constexpr int kDiameterCaptionId = 23;
    static constexpr int kDiameterEntryId = 24;  // history entry: the measured diameter
    static constexpr int kPitchCaptionId = 25;
    static constexpr int kPitchEntryId = 26;  // history entry: the pitch
    static constexpr int kAnyFormId = 27;     // radio "ANY FORM"
    static constexpr int kParallelId = 28;    // radio "PARALLEL"
    static constexpr int kTaperId = 29;       // radio "TAPER"
    static constexpr int kAngleCaptionId = 30;
    static constexpr int kAngleEntryId = 31;     // history entry: the flank angle
    static constexpr int kNameId = 32;           // button "NAME"
    static constexpr int kCandidatesId = 33;     // list box: the candidates, best first
    static constexpr int kCandidateNoteId = 34;  // label: the chosen candidate's note
    static constexpr int kShowId = 35;           // button "SHOW"
    static constexpr int kCloseId = 36;          // button "CLOSE"
    // How many earlier entries each entry's drop-down offers.
    static constexpr std::size_t kHistorySize = 8;

    explicit MeasureWindow(platform::Windowing& windowing) : windowing_(windowing) {}
    MeasureWindow(const MeasureWindow&) = delete;
    MeasureWindow& operator=(const MeasureWindow&) = delete;

    // True while the window exists (one the platform closed behind our back counts as closed).
    bool isOpen() const;
    platform::WindowHandle handle() const { return isOpen() ? handle_ : 0; }
    bool owns(platform::WindowHandle window) const { return window != 0 && window == handle(); }

    // Where the window opens beside the main window (as the find box is placed).
    static platform::Rect place(platform::Rect mainWindow, platform::Size screen);

    // MEASURE and Ctrl+M: opens the window beside the main window for `report` in `mode`, with
    // what was entered before (kept while the program runs); when it is open already, restores
    // it and brings it to the top.
    void show(platform::Rect mainWindow, const ThreadReport& report, const UnitMode& mode);
    // After a change of the size, series or unit shown: the window follows, if it is open.
    void refresh(const ThreadReport& report, const UnitMode& mode);
    // Escape, CLOSE and program exit.
    void close();

    // A press on the window's background starts a move.
    void onBackgroundPress(platform::WindowHandle window);
    // The window's events, for the size shown; the canonical designation of a candidate to show
    // in the main window (SHOW, Return or a double-click in the list), or none.
    std::optional<std::string> onControlEvent(platform::WindowHandle window, int controlId,
                                              int code, const ThreadReport& report,
                                              const UnitMode& mode);
    // After a candidate could not be shown: its note says why.
    void showError(const std::string& message);

    // What was entered, as read, and what the window shows.
    const MeasureInputs& inputs() const { return inputs_; }
    const MeasureView& view() const { return view_; }
    const IdentifyResult& identification() const { return identified_; }
    // The candidate chosen in the list (0 when none was chosen), -1 without candidates.
    int chosenCandidate() const;

  private:
    void open(platform::Rect mainWindow);
    void readWires(const ThreadReport& report, const UnitMode& mode);
    void readIdentify(const UnitMode& mode);
    void identify(const UnitMode& mode);
    void apply(const ThreadReport& report, const UnitMode& mode);
    void fillCandidates(const UnitMode& mode);
    void writeCandidateNote();
    void syncRadios();
    void remember(int entryId, const std::string& shown);
    std::string entryText(int id) const;
    std::optional<std::string> chosenDesignation() const;

    platform::Windowing& windowing_;
    platform::WindowHandle handle_ = 0;
    bool open_ = false;
    MeasureInputs inputs_;
    MeasureView view_;
    IdentifyResult identified_;
    std::optional<UnitMode> identifiedIn_;  // the unit the candidates were worked out in
    int chosen_ = 0;
    std::string candidateMessage_;  // a candidate that could not be shown: why
    // The text of each entry as it was last entered (kept while the window is closed), and the
    // earlier entries its drop-down offers.
    std::map<int, std::string> entered_;
    std::map<int, std::vector<std::string>> history_;
};

}  // namespace torveld
