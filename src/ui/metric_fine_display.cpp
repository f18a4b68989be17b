// ISO FINE: the classes shown depend on the pitch and the internal major diameter. Every bound is
// a millimetre figure divided by 25.4 and compared with the inch results in double precision;
// "equals" is exact equality of those doubles (the table values are converted the same way).
#include <array>
#include <optional>

#include "control_ids.h"
#include "result_display.h"

namespace torveld {

using namespace ids;

namespace {

enum class Arrangement { None, A, B, C, D };

constexpr double mm(double millimetres) {
    return millimetres / mmPerInch;
}

Arrangement chooseArrangement(double p, double n, double c) {
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
using R = ClassRecord;
using L = Limit;

// The reference minor, which ISO gives as the minimum, in the second minor column of each
// external row; the first minor column shows nothing.
constexpr FieldPair kNormalMinor[] = {{kExtNormalMinor2, {R::ExtNormal, L::MinorRef}}};
constexpr FieldPair kCloseMinor[] = {{kExtCloseMinor2, {R::ExtClose, L::MinorRef}}};
constexpr FieldPair kHeightFlat[] = {{kIntHeight, &ThreadResults::intHeight},
                                     {kIntFlat, &ThreadResults::intFlat}};

RowShows shown(bool values) {
    return values ? RowShows::Values : RowShows::None;
}

// The class rows below the upper external one, and which of them show values.
struct ClassRows {
    bool lowerExternal, upperInternal, lowerInternal;
};

void writeClassRows(const FieldWriter& out, ClassRows rows) {
    writeRow(out, rows::kExtClose, shown(rows.lowerExternal));
    writeRow(out, kCloseMinor, shown(rows.lowerExternal));
    writeRow(out, rows::kIntNormal, shown(rows.upperInternal));
    writeRow(out, rows::kIntClose, shown(rows.lowerInternal));
}

// What every arrangement writes: label geometry, the upper external row and the middle row.
void writeShared(const FieldWriter& out, Arrangement arrangement) {
    out.rect(kExtNormalLabel, {15, 80, 25, 18});
    out.text(kExtNormalLabel, "6g");
    out.rect(kExtCloseLabel, arrangement == Arrangement::D ? platform::Rect{2, 105, 38, 18}
                                                           : platform::Rect{15, 105, 25, 18});
    out.rect(kIntNormalLabel, {15, 285, 25, 18});
    out.rect(kIntCloseLabel, {15, 310, 25, 18});
    out.text(kExtMinor1Caption, "REF");
    out.text(kExtMinor2Caption, "MIN");
    out.texts({kExtNormalMinor1, kExtCloseMinor1}, kNone);
    writeRow(out, rows::kExtNormal, RowShows::Values);
    writeRow(out, kNormalMinor, RowShows::Values);
    writeRow(out, rows::kMiddle, RowShows::Values);
    writeRow(out, kHeightFlat, RowShows::Values);
}

// Arrangement C: the internal classes follow the pitch. The tables hold the pitches 0.25, 0.35
// and 0.5 mm and up there; a pitch between them (a special size's 0.3, 0.4 or 0.45 mm) takes the
// classes of the next smaller tabulated pitch.
std::array<const char*, 2> internalClassesByPitch(double p) {
    if (p <= mm(0.34)) return {"5H", "4H"};
    if (p <= mm(0.49)) return {"6H", "4H"};
    return {"6H", "5H"};
}

std::array<const char*, 4> labelsOf(Arrangement arrangement, double pitch) {
    switch (arrangement) {
        case Arrangement::A:  // 0.2 mm pitches: 4h and 4H only below 6g
            return {"6g", "4h", "", "4H"};
        case Arrangement::B:  // M12x1.5 and M35x1.5: 6g and 6H only
            return {"6g", "", "6H", ""};
        case Arrangement::C: {
            const auto internal = internalClassesByPitch(pitch);
            return {"6g", "4h", internal[0], internal[1]};
        }
        case Arrangement::D:
            return {"6g", "4g6g", "6H", ""};
        case Arrangement::None:
            break;
    }
    return {"", "", "", ""};
}

}  // namespace

std::optional<std::array<const char*, 4>> metricFineClasses(double pitch, double normalMajorMin,
                                                            double closeMajorMin) {
    const Arrangement arrangement = chooseArrangement(pitch, normalMajorMin, closeMajorMin);
    if (arrangement == Arrangement::None) return std::nullopt;
    return labelsOf(arrangement, pitch);
}

void writeMetricFineResults(const FieldWriter& out) {
    out.text(kEngagementCaption, "ENGAGEMENT");
    out.texts({kRadius1, kRadius2, kIntNormalMajorMax, kIntCloseMajorMax}, kNone);

    const ThreadResults& r = out.results;
    const Arrangement arrangement = chooseArrangement(r.pitch, r.intNormal.majorMin.value_or(0.0),
                                                      r.intClose.majorMin.value_or(0.0));
    if (arrangement == Arrangement::None) return;
    writeShared(out, arrangement);
    const std::array<const char*, 4> labels = labelsOf(arrangement, r.pitch);
    out.text(kExtCloseLabel, labels[1]);
    out.text(kIntNormalLabel, labels[2]);
    out.text(kIntCloseLabel, labels[3]);
    // A row shows values where it has a class; B leaves the internal close row's, and A the
    // internal normal row's, without a label and without values.
    writeClassRows(out, {*labels[1] != '\0', *labels[2] != '\0', *labels[3] != '\0'});
}

}  // namespace torveld
