// Tables of the standards that the special-thread formulas need (internal to torveld_special):
// the ISO 965-1 deviations and tolerances and the ASME B1.5 Acme pitch-diameter allowances.
#pragma once

#include <span>

namespace torveld::special::tables {

// ISO 965-1 Tables 1, 3 and 4 by pitch, micrometres; 0 where the standard gives no value.
struct PitchRow {
    int pitchUm;
    int esE;     // fundamental deviation e (negative; 0: not given below P 0.5)
    int esG;     // fundamental deviation g (negative); G is -g, h and H are 0
    int td1[5];  // internal minor-diameter tolerance TD1, grades 4 to 8
    int td[3];   // external major-diameter tolerance Td, grades 4, 6 and 8
};

// ISO 965-1 Tables 5 and 6 by diameter range (over, up to and including) and pitch,
// micrometres; grades 3 to 9, 0 where the standard gives no value.
struct RangeRow {
    int overUm;
    int uptoUm;
    int pitchUm;
    int grade[7];
};

// ASME B1.5 pitch-diameter allowances of the external thread, classes 2G, 3G and 4G, for the
// standard Acme diameters, units of 0.0001 in, and the range of nominal diameters (over, up to
// and including, sixteenths of an inch) for which B1.5 gives them.
struct AcmeAllowanceRow {
    int diameterUnits;
    int overSixteenths, uptoSixteenths;
    int allowance2G, allowance3G, allowance4G;
};

std::span<const PitchRow> pitchRows();
std::span<const RangeRow> externalPitchRows();  // Td2
std::span<const RangeRow> internalPitchRows();  // TD2
std::span<const AcmeAllowanceRow> acmeAllowances();

}  // namespace torveld::special::tables
