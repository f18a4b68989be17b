// The formulas from which ISO 965-1 made its pitch-diameter tolerance tables (internal to
// torveld_special). The engine uses them only where Tables 5 and 6 list no value for the
// diameter range and pitch: the tables carry hand adjustments the formulas do not reproduce.
#pragma once

namespace torveld::special::iso {

// A tolerance in micrometres rounded to the Renard R40 series as ISO 965-1 rounds its tables:
// nearest on the logarithmic scale (the step k = round(40 log10 x), then the preferred number of
// that step: 1.00, 1.06, 1.12 ... 9.50 times a power of ten), whole micrometres under 100 (a
// half to the even one: 42.5 -> 42, 47.5 -> 48).
int r40(double micrometres);

// The external pitch-diameter tolerance Td2 of grade 6 before rounding, micrometres:
// 90 P^0.4 d^0.1, d the geometric mean of the diameter range's limits (mm).
double td2GradeSix(double pitch, double rangeOver, double rangeUpto);

// The pitch-diameter tolerance of `grade` from the rounded grade-6 Td2 (micrometres): external
// Td2 = 0.5, 0.63, 0.8, 1, 1.25, 1.6, 2 x Td2(6) for grades 3 to 9, internal TD2 = 0.85, 1.06,
// 1.32, 1.7, 2.12 x Td2(6) for grades 4 to 8, each rounded to R40 (grade-6 Td2 is the value
// itself); 0 for a grade without a factor.
int pitchTolerance(bool internal, int grade, int td2GradeSixRounded);

}  // namespace torveld::special::iso
