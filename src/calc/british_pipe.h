// Thread calculations: the British Standard Pipe threads, parallel G (ISO 228-1) and taper
// R / Rc / Rp (ISO 7-1, EN 10226-1, BS 21), from the tables limits::gPipe and limits::rPipe
// (rows parallel to size_tables::kG and kR). Lengths in inches, as the rest of the calculation.
#pragma once

#include <optional>

#include "thread_results.h"

namespace torveld::british_pipe {

// The G profile is the 55 degree Whitworth form of BSW and BSF (ThreadForm::Whitworth55):
// h = 0.640327 P, r = 0.137329 P. The taper form of R and Rc is laid on the cone and has
// slightly different constants (ThreadForm::BritishTaper55):
inline constexpr double kTaperTriangleHeight = 0.960237;  // H, x P
inline constexpr double kTaperThreadHeight = 0.640327;    // h, x P
inline constexpr double kTaperRadius = 0.137278;          // crest and root radius r, x P
// The taper of R and Rc: 1 in 16 on the diameter.
inline constexpr double kTaperOnDiameter = 1.0 / 16.0;

// G: the limits of size of one size. ISO 228-1 gives one internal class and two external
// classes, A and B, with the same maximum material limits (the basic profile, no allowance):
//   external d2 from d2 - T (A) or d2 - 2T (B) to d2; d from d - Td to d; minor at most d1
//   internal D2 from D2 to D2 + TD2; D1 from D1 to D1 + TD1; major at least D
// Means, wire limits and the minor minimum of the external classes are not set.
struct ParallelLimits {
    ExternalLimits classA, classB;
    InternalLimits internal;
};

// The limits of row `row` of the G table; nothing for a row out of range.
std::optional<ParallelLimits> parallelLimits(int row);

// R / Rc / Rp: everything ISO 7-1 tabulates for one size. Lengths in inches; the values the
// standard also gives in turns of thread have their number of turns beside them.
struct TaperValues {
    double pitch;  // 1 / threads per inch, exactly
    double threadHeight;
    // The basic diameters at the gauge plane (those of the G size).
    double gaugeDiameter, gaugePitchDiameter, gaugeMinorDiameter;
    // External R: the gauge length from the small end, its tolerance +/- T1/2, maximum, minimum.
    double gaugeLength, gaugeLengthTolerance, gaugeLengthMax, gaugeLengthMin;
    double gaugeLengthToleranceTurns;
    // Internal Rc and Rp: the tolerance +/- T2/2 of the axial position of the gauge plane.
    double gaugePlaneTolerance;
    double gaugePlaneToleranceTurns;
    // Rp: each of D, D2, D1 is the basic value +/- this.
    double rpDiameterTolerance;
    // The minimum useful thread length of the external thread for the basic, the maximum and the
    // minimum gauge length: gauge length + fitting allowance.
    double usefulThreadMin, usefulThreadMinAtMaxGauge, usefulThreadMinAtMinGauge;
    // The useful thread beyond the gauge plane needed for assembly with an internal thread at its
    // upper limit of tolerance.
    double fittingAllowance;
    double fittingAllowanceTurns;
};

// The values of row `row` of the R table; nothing for a row out of range.
std::optional<TaperValues> taperValues(int row);

// Rp, the parallel internal thread that mates with R: D, D2 and D1 each basic +/- the Rp
// diameter tolerance (not the G internal class). Nothing for a row out of range.
std::optional<InternalLimits> rpLimits(int row);

}  // namespace torveld::british_pipe
