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
            writeClassRows(out, {true, false, true});
            break;
        case Arrangement::B:  // M12x1.5 and M35x1.5: 6g and 6H only
            out.text(kExtCloseLabel, "");
            out.text(kIntNormalLabel, "6H");
            out.text(kIntCloseLabel, "");
            writeClassRows(out, {false, true, false});
            break;
        case Arrangement::C:
            out.text(kExtCloseLabel, "4h");
            writeInternalLabelsByPitch(out);
            writeClassRows(out, {true, true, true});
            break;
        case Arrangement::D:
            out.text(kExtCloseLabel, "4g6g");
            out.text(kIntNormalLabel, "6H");
            out.text(kIntCloseLabel, "");
            writeClassRows(out, {true, true, false});
            break;
        case Arrangement::None:
            break;
    }
}

}  // namespace torveld
