// Thread calculations: the Selection, the ThreadResults record and its class-limit records.
#pragma once

#include <string>

#include "series.h"

namespace torveld {

// The current choice of the user: a series and a row of its size table.
struct Selection {
    SeriesId series = series::UNC;
    int sizeIndex = 0;
    std::string seriesCode = "UNC";  // caption of the series button ("NPT" also for NPTF)
    std::string headerText;          // designation " - " pitchText "  " series code
};

// One class of external thread; inches.
struct ExternalLimits {
    double majorMax = 0, majorMin = 0, majorMean = 0;
    double pitchMax = 0, pitchMin = 0;
    double minorRef = 0, minorMax = 0, minorMin = 0;
    double wiresMax = 0, wiresMin = 0;

    bool operator==(const ExternalLimits&) const = default;
};

// One class of internal thread; inches.
struct InternalLimits {
    double minorMin = 0, minorMax = 0, minorMean = 0;
    double pitchMin = 0, pitchMax = 0;
    double majorMin = 0, majorMax = 0;

    bool operator==(const InternalLimits&) const = default;
};

// Everything computed for the current Selection, in inches. A calculation writes the fields its
// series computes and leaves the others as they were; the display shows only the former.
struct ThreadResults {
    double pitch = 0;
    double bestWire = 0, wireOffset = 0, wireConstant = 0;
    double extHeight = 0, intHeight = 0, extFlat = 0, intFlat = 0;
    double crestRadius = 0, rootRadius = 0, rootRadiusMax = 0, rootRadiusMin = 0;
    ExternalLimits extNormal, extClose;
    InternalLimits intNormal, intClose;
    double csinkMin = 0, csinkMax = 0;
    // Taper pipe threads (NPT, NPTF).
    double pipeOD = 0, majorAtPipeEnd = 0, e0 = 0, e1 = 0, k0 = 0, minorAtFace = 0, tapDepth = 0;
    double l1 = 0, l2 = 0, l3 = 0, l4 = 0, shoulderLength = 0;
    double extCrestFlatMax = 0, extCrestFlatMin = 0, intCrestFlatMax = 0, intCrestFlatMin = 0;

    bool operator==(const ThreadResults&) const = default;
};

}  // namespace torveld
