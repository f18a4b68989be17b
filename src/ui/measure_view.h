// What the MEASURE window shows, without a window: a pure function of the thread report of the
// size shown, the unit of display and what was entered (the wire, the reading and the plane; the
// lead-angle choice; what a caliper and a pitch gauge told). The over-wire limits, the pitch
// diameter and verdicts come from reportOverWires, the gauges from reportGauges, so that the
// window and torveld-query give the same answers for the same report.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "identify.h"
#include "number_format.h"
#include "over_wires.h"
#include "thread_report.h"
#include "typed_number.h"

namespace torveld {

// A pitch as it was entered: threads per inch or millimetres.
struct EnteredPitch {
    double value = 0;
    PitchUnit unit = PitchUnit::ThreadsPerInch;
    bool operator==(const EnteredPitch&) const = default;
};

// What was entered into the window, as read: lengths in inches; none where nothing is entered.
// A part whose last entry could not be read keeps its earlier values and says why.
struct MeasureInputs {
    // Over wires.
    std::optional<double> wire, reading, plane;
    measure::LeadAngle leadAngle = measure::LeadAngle::FormDefault;
    std::string wireError;  // why the last entry of the part was not taken; empty when it was
    // Naming a thread.
    measure::Side side = measure::Side::External;
    std::optional<double> diameter;
    std::optional<EnteredPitch> pitch;
    std::optional<measure::FormKind> taper;
    std::optional<double> angle;
    std::string identifyError;

    bool operator==(const MeasureInputs&) const = default;
};

// The over-wire part and the gauges for the size shown.
struct MeasureView {
    std::string header;        // "1/4-20 UNC      INCHES"
    bool taper = false;        // a taper pipe thread: the PLANE entry is shown
    bool leadAngleOn = false;  // the lead-angle term is applied (chosen, or the form's own)
    // The wires table: CLASS, MAX, MIN (over the wire entered), VERDICT, FROM MAX, FROM MIN.
    std::vector<std::vector<std::string>> wireRows;
    std::string wireMessage;  // the pitch diameter, the formula used, a refusal ...
    // The gauges table: CLASS, GAUGE, SIZE; then what the standard says of them.
    std::vector<std::vector<std::string>> gaugeRows;
    std::string gaugeNote;
};

MeasureView measureView(const ThreadReport& report, const UnitMode& mode,
                        const MeasureInputs& inputs);

// The identification of what was entered, in the unit of display (none while the diameter or
// the pitch is missing or an entry could not be read), and the canonical designation of each
// candidate (what SHOW finds).
struct IdentifyResult {
    std::optional<measure::Identification> identification;
    std::vector<std::string> designations;  // by identification->candidates
    std::vector<std::string> classes;       // the class each was compared with ("2A")
};
IdentifyResult identifyEntered(const MeasureInputs& inputs, const UnitMode& mode);

// The candidate list's entries ("1  3/4-10 UNC  2A  WITHIN  TIED"), and the note of candidate
// `index` (or the reason there is no candidate, or what to type).
std::vector<std::string> candidateEntries(const IdentifyResult& result, const UnitMode& mode);
std::string candidateNote(const IdentifyResult& result, const MeasureInputs& inputs, int index);

// A typed length read in the unit of display (a bare number) or its own, as inches; the text
// shown back with its unit ("0.0289 in").
struct EnteredLength {
    std::optional<double> inches;  // none: the entry was empty
    std::string shown;
    std::string error;
};
EnteredLength enterLength(std::string_view typed, const UnitMode& mode);

// The same for a pitch (a bare number: threads per inch in inches, millimetres in millimetres)
// and a flank angle (degrees).
struct EnteredPitchText {
    std::optional<EnteredPitch> pitch;
    std::string shown;
    std::string error;
};
EnteredPitchText enterPitch(std::string_view typed, const UnitMode& mode);
struct EnteredAngle {
    std::optional<double> degrees;
    std::string shown;
    std::string error;
};
EnteredAngle enterAngle(std::string_view typed);

// The message lines of the window break at this many characters.
inline constexpr std::size_t kMeasureColumns = 50;

}  // namespace torveld
