// ISO FINE: the classes shown depend on the pitch and the internal major diameter (the report's
// records hold the arrangement's classes); the grids show a row's values where it has a class.
#include "control_ids.h"
#include "result_display.h"

namespace torveld {

using namespace ids;

namespace {

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

bool holdsClass(const RecordClasses& records, R record) {
    return !records[static_cast<std::size_t>(record)].name.empty();
}

// What every arrangement writes: label geometry, the upper external row and the middle row. The
// lower external label is wider where it names two classes ("4g6g").
void writeShared(const FieldWriter& out, const RecordClasses& records) {
    const bool wide = records[static_cast<std::size_t>(R::ExtClose)].name.size() >= 4;
    out.rect(kExtNormalLabel, {15, 80, 25, 18});
    out.text(kExtNormalLabel, records[static_cast<std::size_t>(R::ExtNormal)].name);
    out.rect(kExtCloseLabel,
             wide ? platform::Rect{2, 105, 38, 18} : platform::Rect{15, 105, 25, 18});
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

}  // namespace

void writeMetricFineResults(const FieldWriter& out, const RecordClasses& records) {
    out.text(kEngagementCaption, "ENGAGEMENT");
    out.texts({kRadius1, kRadius2, kIntNormalMajorMax, kIntCloseMajorMax}, kNone);
    // No arrangement applies: no class in any record.
    if (!holdsClass(records, R::ExtNormal)) return;
    writeShared(out, records);
    out.text(kExtCloseLabel, records[static_cast<std::size_t>(R::ExtClose)].name);
    out.text(kIntNormalLabel, records[static_cast<std::size_t>(R::IntNormal)].name);
    out.text(kIntCloseLabel, records[static_cast<std::size_t>(R::IntClose)].name);
    // A row shows values where it has a class; M12x1.5 and M35x1.5 leave the internal close
    // row's, and the 0.2 mm pitches the internal normal row's, without a label and without
    // values.
    writeRow(out, rows::kExtClose, shown(holdsClass(records, R::ExtClose)));
    writeRow(out, kCloseMinor, shown(holdsClass(records, R::ExtClose)));
    writeRow(out, rows::kIntNormal, shown(holdsClass(records, R::IntNormal)));
    writeRow(out, rows::kIntClose, shown(holdsClass(records, R::IntClose)));
}

}  // namespace torveld
