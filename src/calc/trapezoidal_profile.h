// Thread calculations: the basic profile of the metric trapezoidal threads Tr (ISO 2901, basic
// dimensions ISO 2904), 30 degree flank angle. Inches, as the rest of the calculation.
#pragma once

#include <optional>

namespace torveld::trapezoidal {

// Over-wire measurement of the 30 degree form: best wire 0.517638 P; E = M - W (1 + csc 15)
// + P/2 cot 15, so the wire constant of the best wire is 4.863703 x 0.517638 P - 1.866025 P.
inline constexpr double kBestWire = 0.517638;
inline constexpr double kWireMultiplier = 4.863703;  // 1 + csc 15 degrees
inline constexpr double kWireOffset = 1.866025;      // cot 15 degrees / 2
inline constexpr double kOverlapHeight = 0.5;        // H1, x P

struct BasicProfile {
    double pitch;
    double crestClearance;  // ac
    double overlapHeight;   // H1 = 0.5 P
    double threadHeight;    // h3 = H4 = H1 + ac
    double pitchDiameter;   // d2 = D2 = d - 0.5 P
    double externalMinor;   // d3 = d - P - 2 ac
    double internalMinor;   // D1 = d - P
    double internalMajor;   // D4 = d + 2 ac
    double crestRadiusMax;  // R1 max = 0.5 ac
    double rootRadiusMax;   // R2 max = ac
};

// The crest clearance ac (inches) of a pitch (inches) of the ISO 2903 tolerance tables: 0.15 mm
// for P 1.5 mm, 0.25 mm for P 2 to 5 mm, 0.5 mm for 6 to 12, 1 mm for 14 to 44; nothing for a
// pitch the tables do not hold.
std::optional<double> crestClearance(double pitch);

// The basic profile of a thread of major diameter `majorDiameter` and pitch `pitch` (inches);
// nothing where the pitch has no crest clearance or the diameter is not positive.
std::optional<BasicProfile> basicProfile(double majorDiameter, double pitch);

}  // namespace torveld::trapezoidal
