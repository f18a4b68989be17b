// Thread calculations: the Selection, the ThreadResults record and its class-limit records.
// Numbers only: the texts the window and the data sheet show are made from these in src/ui.
#pragma once

#include <optional>

#include "series.h"

namespace torveld {

// The current choice of the user: a series and a row of its size table.
struct Selection {
    SeriesId series = series::UNC;
    int sizeIndex = 0;
};

// A length in inches, or none: the series does not have the value, or its tables hold none for
// the size (a table cell of 0 is no value, never a length of 0).
using Length = std::optional<double>;

// One class of external thread.
struct ExternalLimits {
    Length majorMax, majorMin, majorMean;
    Length pitchMax, pitchMin;
    Length minorRef, minorMax, minorMin;
    Length wiresMax, wiresMin;

    bool operator==(const ExternalLimits&) const = default;
};

// One class of internal thread.
struct InternalLimits {
    Length minorMin, minorMax, minorMean;
    Length pitchMin, pitchMax;
    Length majorMin, majorMax;

    bool operator==(const InternalLimits&) const = default;
};

// Everything computed for one size of one series. A value the series does not compute, or that
// its tables do not hold for the size, is empty; `pitch` is always set.
struct ThreadResults {
    double pitch = 0;
    Length bestWire, wireOffset, wireConstant;
    Length extHeight, intHeight, extFlat, intFlat;
    Length crestRadius, rootRadius, rootRadiusMax, rootRadiusMin;
    ExternalLimits extNormal, extClose;
    InternalLimits intNormal, intClose;
    Length csinkMin, csinkMax;
    // Taper pipe threads (NPT, NPTF).
    Length pipeOD, majorAtPipeEnd, e0, e1, k0, minorAtFace, tapDepth;
    Length l1, l2, l3, l4, shoulderLength;
    Length extCrestFlatMax, extCrestFlatMin, intCrestFlatMax, intCrestFlatMin;
    // British taper pipe threads R, Rc, Rp (ISO 7-1): the basic diameters at the gauge plane and
    // the pitch diameter at the small end of the external thread (the basic gauge length from
    // the gauge plane, on the 1:16 taper), the gauge length of R with its tolerance +/- T1/2, the
    // tolerance +/- T2/2 of the gauge plane of Rc and Rp, the diametral tolerance of Rp, the
    // useful thread of R for the basic, maximum and minimum gauge length, the fitting allowance;
    // the three values ISO 7-1 also gives in turns of thread, as counts of turns.
    Length gaugeDiameter, gaugePitchDiameter, gaugeMinorDiameter, smallEndPitchDiameter;
    Length gaugeLength, gaugeLengthTolerance, gaugeLengthMax, gaugeLengthMin;
    Length gaugePlaneTolerance, rpDiameterTolerance;
    Length usefulThreadMin, usefulThreadMinAtMaxGauge, usefulThreadMinAtMinGauge;
    Length fittingAllowance;
    std::optional<double> gaugeLengthToleranceTurns, gaugePlaneToleranceTurns,
        fittingAllowanceTurns;
    // Metric trapezoidal threads: the crest clearance ac between the external and the internal
    // thread (ISO 2901).
    Length crestClearance;

    bool operator==(const ThreadResults&) const = default;
};

// The four class records: the normal (upper) and close (lower) class of each side.
enum class ClassRecord { ExtNormal, ExtClose, IntNormal, IntClose };

// The limits a class record may hold. External records have no minor mean; internal records
// have no minor reference and no over-wire limits.
enum class Limit {
    MajorMax,
    MajorMin,
    MajorMean,
    PitchMax,
    PitchMin,
    MinorRef,
    MinorMax,
    MinorMin,
    MinorMean,
    WiresMax,
    WiresMin,
};

// The limit of a class record; nullptr where that record has no such limit.
Length* limitOf(ThreadResults& r, ClassRecord record, Limit limit);
const Length* limitOf(const ThreadResults& r, ClassRecord record, Limit limit);

// One value of ThreadResults named as data, so that tables of (column, field) pairs can say
// where a table column or a window field goes: a limit of a class record, a length of the
// thread as a whole, or the pitch. A default ResultField names no value at all.
class ResultField {
  public:
    constexpr ResultField() = default;
    constexpr ResultField(ClassRecord record, Limit limit)
        : record_(record), limit_(limit), isLimit_(true) {}
    constexpr ResultField(Length ThreadResults::*length) : length_(length) {}
    constexpr ResultField(double ThreadResults::*number) : number_(number) {}

    // The value in `r` (empty where the record has no such limit).
    Length of(const ThreadResults& r) const {
        if (number_ != nullptr) return r.*number_;
        if (length_ != nullptr) return r.*length_;
        const Length* value = isLimit_ ? limitOf(r, record_, limit_) : nullptr;
        return value != nullptr ? *value : Length{};
    }
    // Whether this names a limit of a class record, and which.
    constexpr bool isLimit() const { return isLimit_; }
    constexpr ClassRecord record() const { return record_; }
    constexpr Limit limit() const { return limit_; }
    // The field to write in `r`; nullptr for the pitch and for a limit the record lacks.
    Length* in(ThreadResults& r) const {
        if (number_ != nullptr) return nullptr;
        if (length_ != nullptr) return &(r.*length_);
        return isLimit_ ? limitOf(r, record_, limit_) : nullptr;
    }

  private:
    ClassRecord record_ = ClassRecord::ExtNormal;
    Limit limit_ = Limit::MajorMax;
    bool isLimit_ = false;
    Length ThreadResults::*length_ = nullptr;
    double ThreadResults::*number_ = nullptr;
};

}  // namespace torveld
