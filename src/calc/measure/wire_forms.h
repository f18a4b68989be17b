// Inspection: the thread forms as the three-wire method sees them. A form is a row of a table:
// its flank angle, whether it lies on a 1:16 taper, its crest and root, and the range of wires
// that rest on its flanks. The catalogue's forms map to rows by ThreadForm; forms the catalogue
// does not hold yet (the 55 degree parallel and taper pipe threads, the 30 degree trapezoidal
// thread) are rows of the same table, found by flank angle and kind.
#pragma once

#include <optional>
#include <string_view>

#include "series.h"

namespace torveld::measure {

enum class FormKind {
    Parallel,
    Taper,  // 1 in 16 on the diameter (NPT, NPTF, R)
};

enum class Crest { Flat, Rounded };
enum class Root {
    Flat,             // flat, or rounded at will (UN, UNR)
    Rounded,          // rounded by the form (Whitworth, BA, UNM)
    ControlledRadius  // a root radius the standard controls, minor raised (UNJ)
};

// How firmly a wire factor is known.
enum class Basis {
    Published,  // the wire makers' tables
    Derived,    // by the rule that reproduces the published factors of the 60 and 29 degree forms
    Open        // derived by a rule that does not reproduce a published factor: not confirmed
};

struct WireForm {
    std::string_view name;  // "60 degree", "55 degree taper", ...
    double includedAngle;   // degrees: 60, 55, 47.5, 29, 30
    FormKind kind;
    Crest crest;
    Root root;
    // The smallest and largest wire, multiples of the pitch. The smallest has its top flush with
    // the crests (a smaller one sits below them, and the anvils rest on the thread); the largest
    // touches the flanks at the edge of the crest (a larger one does not touch the flanks).
    double smallestWire;
    Basis smallestBasis;
    double largestWire;
    Basis largestBasis;
    // Whether the lead-angle term is applied when the caller does not choose (Acme, Stub Acme
    // and trapezoidal threads: coarse pitches whose lead angle matters).
    bool leadAngleByDefault;
    // Where the wire range comes from, one sentence.
    std::string_view wireRangeSource;

    // Half the included angle, radians.
    double halfAngle() const;
    // The best wire, touching the flanks at the pitch line: P / (2 cos a), multiple of P.
    double bestWire() const;
    // 1 + csc a and (cot a) / 2 of the three-wire formula.
    double wireFactor() const;
    double pitchFactor() const;
};

// The form rows, in table order.
namespace forms {
extern const WireForm kSixty;           // UN, UNS, UNR, ISO M, NPSM, NPSL
extern const WireForm kSixtyUnj;        // UNJ: controlled root radius
extern const WireForm kSixtyUnm;        // UNM: rounded root
extern const WireForm kSixtyTaper;      // NPT, NPTF
extern const WireForm kFiftyFive;       // BSW, BSF; BSP parallel (G)
extern const WireForm kFiftyFiveTaper;  // BSP taper (R, Rc)
extern const WireForm kFortySevenHalf;  // BA
extern const WireForm kAcme;            // ACME
extern const WireForm kStubAcme;        // STUB ACME
extern const WireForm kTrapezoidal;     // ISO metric trapezoidal Tr
}  // namespace forms

// The row of a catalogue form; nullptr for a form that is not measured over wires (the
// screw-thread-insert tapped hole is an internal thread only), with the reason in `why`.
const WireForm* wireFormOf(ThreadForm form, std::string_view* why = nullptr);

// The row a flank angle and kind name: 60, 55, 47.5, 29 or 30 degrees within 0.25 degree;
// nullptr for any other angle and for a taper of an angle no taper thread has (only 60 and 55).
const WireForm* wireFormOf(double includedAngle, FormKind kind);

// Whether the series is a taper thread (NPT, NPTF, R), measured over wires at a plane given by
// its distance from the small end.
bool isTaperSeries(SeriesId series);

}  // namespace torveld::measure
