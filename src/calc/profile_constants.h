// Thread calculations: the multiples of the pitch that give the profile and wire values of each
// thread form, and the crest flats of the taper pipe threads.
#pragma once

#include <optional>

#include "series.h"
#include "thread_results.h"

namespace torveld {

// One row per thread form. Every value is a multiple of the pitch P; an empty value means the
// form does not compute that field (its display cell shows "--").
struct ProfileConstants {
    ThreadForm form;
    // Over-wire measurement: bestWire = bestWire x P, wireOffset = wireOffset x P,
    // wireConstant = wireMultiplier x bestWire - wireOffset.
    std::optional<double> bestWire, wireOffset, wireMultiplier;
    std::optional<double> extHeight, intHeight;
    std::optional<double> extFlat, intFlat;
    std::optional<double> crestRadius, rootRadius;
    std::optional<double> rootRadiusMax, rootRadiusMin;
};

// The constants of a form (the form of a series is a column of its catalogue record).
const ProfileConstants& profileConstants(ThreadForm form);

// Writes the profile and wire values of `form` into `r`, from `r.pitch`: best wire, wire offset
// and wire constant, heights, flats and radii; a value the form does not compute stays empty.
// Trapezoidal30 also gets its heights h3 = H4 = 0.5 P + ac and the maximum radii R1 (crestRadius)
// and R2 (rootRadiusMax) from the crest clearance of its pitch.
void applyProfile(ThreadForm form, ThreadResults& r);

// Crest truncation flats of the taper pipe threads, as multiples of P, by threads per inch.
// For NPT the external and internal flats are the same, and so are they for NPTF.
struct PipeCrestFlats {
    double threadsPerInch;
    double nptMax, nptMin;
    double nptfMax, nptfMin;
};

// The crest flats for a thread count of the NPT/NPTF size tables (27, 18, 14, 11.5 or 8);
// nullptr for any other count.
const PipeCrestFlats* pipeCrestFlats(double threadsPerInch);

}  // namespace torveld
