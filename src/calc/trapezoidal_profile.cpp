#include "trapezoidal_profile.h"

#include <cmath>

#include "trapezoidal_tolerances.h"

namespace torveld::trapezoidal {

std::optional<double> crestClearance(double pitch) {
    const double millimetres = pitch * 25.4;
    for (const iso2903::PitchRow& row : iso2903::pitchRows()) {
        if (std::fabs(row.pitchUm / 1000.0 - millimetres) < 1e-6)
            return row.crestClearanceUm / 1000.0 / 25.4;
    }
    return std::nullopt;
}

std::optional<BasicProfile> basicProfile(double majorDiameter, double pitch) {
    const std::optional<double> ac = crestClearance(pitch);
    if (!ac || !std::isfinite(majorDiameter) || majorDiameter <= 0.0) return std::nullopt;
    BasicProfile b{};
    b.pitch = pitch;
    b.crestClearance = *ac;
    b.overlapHeight = kOverlapHeight * pitch;
    b.threadHeight = b.overlapHeight + *ac;
    b.pitchDiameter = majorDiameter - 0.5 * pitch;
    b.externalMinor = majorDiameter - pitch - 2.0 * *ac;
    b.internalMinor = majorDiameter - pitch;
    b.internalMajor = majorDiameter + 2.0 * *ac;
    b.crestRadiusMax = 0.5 * *ac;
    b.rootRadiusMax = *ac;
    return b;
}

}  // namespace torveld::trapezoidal
