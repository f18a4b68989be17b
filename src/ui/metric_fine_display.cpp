// ISO FINE: the classes shown depend on the pitch and the internal major diameter. Every bound is
// a millimetre figure divided by 25.4 and compared with the inch results in double precision;
// "equals" is exact equality of those doubles (the table values are converted the same way).
#include "control_ids.h"
#include "result_display.h"

namespace torveld {

using namespace ids;

namespace {

enum class Arrangement { None, A, B, C, D };

constexpr double mm(double millimetres) {
    return millimetres / mmPerInch;
}

Arrangement chooseArrangement(const ThreadResults& r) {
    const double p = r.pitch;
    const double n = r.intNormal.majorMin.value_or(0.0);
    const double c = r.intClose.majorMin.value_or(0.0);
    if (p <= mm(0.21)) return Arrangement::A;
    if ((n == mm(12) && p == mm(1.5)) || (n == mm(35) && p == mm(1.5))) return Arrangement::B;
    if ((p > mm(0.24) && p < mm(0.6)) || p == mm(1.25) || (c <= mm(33) && p == mm(2.0)) ||
        (c < mm(23) && p == mm(1.5)) || (c <= mm(9) && p <= mm(1.0))) {
        return Arrangement::C;
    }
    if (p >= mm(2) || p < mm(1.5) || (c != mm(12) && c != mm(35) && p == mm(1.5))) {
        return Arrangement::D;
    }
    return Arrangement::None;
}

constexpr const char* kNone = "--";

void writeLowerExternal(const FieldWriter& out, bool values) {
    const ExternalLimits& e = out.results.extClose;
    if (!values) {
        out.texts({kExtCloseMajorMax, kExtCloseMajorMin, kExtCloseMajorMean, kExtClosePitchMax,
                   kExtClosePitchMin, kExtCloseMinor2, kExtCloseWiresMax, kExtCloseWiresMin},
                  kNone);
        return;
    }
    out.value(kExtCloseMajorMax, e.majorMax);
    out.value(kExtCloseMajorMin, e.majorMin);
    out.value(kExtCloseMajorMean, e.majorMean);
    out.value(kExtClosePitchMax, e.pitchMax);
    out.value(kExtClosePitchMin, e.pitchMin);
    out.value(kExtCloseMinor2, e.minorRef);
    out.value(kExtCloseWiresMax, e.wiresMax);
    out.value(kExtCloseWiresMin, e.wiresMin);
}

void writeUpperInternal(const FieldWriter& out, bool values) {
    const InternalLimits& i = out.results.intNormal;
    if (!values) {
        out.texts({kIntNormalMinorMin, kIntNormalMinorMax, kIntNormalMinorMean, kIntNormalPitchMin,
                   kIntNormalPitchMax, kIntNormalMajorMin},
                  kNone);
        return;
    }
    out.value(kIntNormalMinorMin, i.minorMin);
    out.value(kIntNormalMinorMax, i.minorMax);
    out.value(kIntNormalMinorMean, i.minorMean);
    out.value(kIntNormalPitchMin, i.pitchMin);
    out.value(kIntNormalPitchMax, i.pitchMax);
    out.value(kIntNormalMajorMin, i.majorMin);
}

void writeLowerInternal(const FieldWriter& out, bool values) {
    const InternalLimits& i = out.results.intClose;
    if (!values) {
        out.texts({kIntCloseMinorMin, kIntCloseMinorMax, kIntCloseMinorMean, kIntClosePitchMin,
                   kIntClosePitchMax, kIntCloseMajorMin},
                  kNone);
        return;
    }
    out.value(kIntCloseMinorMin, i.minorMin);
    out.value(kIntCloseMinorMax, i.minorMax);
    out.value(kIntCloseMinorMean, i.minorMean);
    out.value(kIntClosePitchMin, i.pitchMin);
    out.value(kIntClosePitchMax, i.pitchMax);
    out.value(kIntCloseMajorMin, i.majorMin);
}

// What every arrangement writes: label geometry, the upper external row and the middle row.
void writeShared(const FieldWriter& out, Arrangement arrangement) {
    const ThreadResults& r = out.results;
    out.rect(kExtNormalLabel, {15, 80, 25, 18});
    out.text(kExtNormalLabel, "6g");
    out.rect(kExtCloseLabel, arrangement == Arrangement::D ? platform::Rect{2, 105, 38, 18}
                                                           : platform::Rect{15, 105, 25, 18});
    out.rect(kIntNormalLabel, {15, 285, 25, 18});
    out.rect(kIntCloseLabel, {15, 310, 25, 18});
    out.text(kExtMinor1Caption, "REF");
    out.text(kExtMinor2Caption, "MIN");
    out.texts({kExtNormalMinor1, kExtCloseMinor1}, kNone);

    out.value(kExtNormalMajorMax, r.extNormal.majorMax);
    out.value(kExtNormalMajorMin, r.extNormal.majorMin);
    out.value(kExtNormalMajorMean, r.extNormal.majorMean);
    out.value(kExtNormalPitchMax, r.extNormal.pitchMax);
    out.value(kExtNormalPitchMin, r.extNormal.pitchMin);
    out.value(kExtNormalMinor2, r.extNormal.minorRef);
    out.value(kExtNormalWiresMax, r.extNormal.wiresMax);
    out.value(kExtNormalWiresMin, r.extNormal.wiresMin);

    out.value(kExtHeight, r.extHeight);
    out.value(kExtFlat, r.extFlat);
    out.value(kPitch, r.pitch);
    out.value(kBestWire, r.bestWire, +1);
    out.value(kConstant, r.wireConstant, +1);
    out.value(kIntHeight, r.intHeight);
    out.value(kIntFlat, r.intFlat);
}

// Arrangement C: the internal classes follow the pitch; other pitches keep the labels.
void writeInternalLabelsByPitch(const FieldWriter& out) {
    const double p = out.results.pitch;
    if (p < mm(0.26)) {
        out.text(kIntNormalLabel, "5H");
        out.text(kIntCloseLabel, "4H");
    } else if (p > mm(0.34) && p < mm(0.36)) {
        out.text(kIntNormalLabel, "6H");
        out.text(kIntCloseLabel, "4H");
    } else if (p > mm(0.49)) {
        out.text(kIntNormalLabel, "6H");
        out.text(kIntCloseLabel, "5H");
    }
}

}  // namespace

void writeMetricFineResults(const FieldWriter& out) {
    out.text(kEngagementCaption, "ENGAGEMENT");
    out.texts({kRadius1, kRadius2, kIntNormalMajorMax, kIntCloseMajorMax}, kNone);

    const Arrangement arrangement = chooseArrangement(out.results);
    if (arrangement == Arrangement::None) return;
    writeShared(out, arrangement);
    switch (arrangement) {
        case Arrangement::A:  // 0.2 mm pitches: 4h and 4H only below 6g
            out.text(kExtCloseLabel, "4h");
            out.text(kIntNormalLabel, "");
            out.text(kIntCloseLabel, "4H");
            writeLowerExternal(out, true);
            writeUpperInternal(out, false);
            writeLowerInternal(out, true);
            break;
        case Arrangement::B:  // M12x1.5 and M35x1.5: 6g and 6H only
            out.text(kExtCloseLabel, "");
            out.text(kIntNormalLabel, "6H");
            out.text(kIntCloseLabel, "");
            writeLowerExternal(out, false);
            writeUpperInternal(out, true);
            writeLowerInternal(out, false);
            break;
        case Arrangement::C:
            out.text(kExtCloseLabel, "4h");
            writeInternalLabelsByPitch(out);
            writeLowerExternal(out, true);
            writeUpperInternal(out, true);
            writeLowerInternal(out, true);
            break;
        case Arrangement::D:
            out.text(kExtCloseLabel, "4g6g");
            out.text(kIntNormalLabel, "6H");
            out.text(kIntCloseLabel, "");
            writeLowerExternal(out, true);
            writeUpperInternal(out, true);
            writeLowerInternal(out, false);
            break;
        case Arrangement::None:
            break;
    }
}

}  // namespace torveld
