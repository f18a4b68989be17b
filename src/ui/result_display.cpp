#include "result_display.h"

#include <optional>

#include "control_ids.h"
#include "control_table.h"
#include "lengths_list.h"
#include "tap_drill_guide.h"

namespace torveld {

using namespace ids;

namespace {

using R = ClassRecord;
using L = Limit;
using T = ThreadResults;

constexpr const char* kNone = "--";
constexpr const char* kNoClass = "---";  // the close classes STUB ACME does not have

constexpr FieldPair kExtNormalRow[] = {
    {kExtNormalMajorMax, {R::ExtNormal, L::MajorMax}},
    {kExtNormalMajorMin, {R::ExtNormal, L::MajorMin}},
    {kExtNormalMajorMean, {R::ExtNormal, L::MajorMean}},
    {kExtNormalPitchMax, {R::ExtNormal, L::PitchMax}},
    {kExtNormalPitchMin, {R::ExtNormal, L::PitchMin}},
    {kExtNormalWiresMax, {R::ExtNormal, L::WiresMax}},
    {kExtNormalWiresMin, {R::ExtNormal, L::WiresMin}},
};
constexpr FieldPair kExtCloseRow[] = {
    {kExtCloseMajorMax, {R::ExtClose, L::MajorMax}},
    {kExtCloseMajorMin, {R::ExtClose, L::MajorMin}},
    {kExtCloseMajorMean, {R::ExtClose, L::MajorMean}},
    {kExtClosePitchMax, {R::ExtClose, L::PitchMax}},
    {kExtClosePitchMin, {R::ExtClose, L::PitchMin}},
    {kExtCloseWiresMax, {R::ExtClose, L::WiresMax}},
    {kExtCloseWiresMin, {R::ExtClose, L::WiresMin}},
};
constexpr FieldPair kIntNormalRow[] = {
    {kIntNormalMinorMin, {R::IntNormal, L::MinorMin}},
    {kIntNormalMinorMax, {R::IntNormal, L::MinorMax}},
    {kIntNormalMinorMean, {R::IntNormal, L::MinorMean}},
    {kIntNormalPitchMin, {R::IntNormal, L::PitchMin}},
    {kIntNormalPitchMax, {R::IntNormal, L::PitchMax}},
    {kIntNormalMajorMin, {R::IntNormal, L::MajorMin}},
};
constexpr FieldPair kIntCloseRow[] = {
    {kIntCloseMinorMin, {R::IntClose, L::MinorMin}},
    {kIntCloseMinorMax, {R::IntClose, L::MinorMax}},
    {kIntCloseMinorMean, {R::IntClose, L::MinorMean}},
    {kIntClosePitchMin, {R::IntClose, L::PitchMin}},
    {kIntClosePitchMax, {R::IntClose, L::PitchMax}},
    {kIntCloseMajorMin, {R::IntClose, L::MajorMin}},
};
constexpr FieldPair kMiddleRow[] = {
    {kExtHeight, &T::extHeight},   {kExtFlat, &T::extFlat},           {kPitch, &T::pitch},
    {kBestWire, &T::bestWire, +1}, {kConstant, &T::wireConstant, +1},
};

// The two minor-diameter columns of the external grid ("REF" or "MAX", then "MIN"), for the
// normal and the close row; {} is a field without a value.
enum class Minor {
    Reference,     // the reference minor, no minimum
    Limits,        // maximum and minimum
    IsoReference,  // nothing, then the reference minor (which ISO gives as the minimum)
};
constexpr FieldPair kMinorReference[2][2] = {
    {{kExtNormalMinor1, {R::ExtNormal, L::MinorRef}}, {kExtNormalMinor2, {}}},
    {{kExtCloseMinor1, {R::ExtClose, L::MinorRef}}, {kExtCloseMinor2, {}}},
};
constexpr FieldPair kMinorLimits[2][2] = {
    {{kExtNormalMinor1, {R::ExtNormal, L::MinorMax}},
     {kExtNormalMinor2, {R::ExtNormal, L::MinorMin}}},
    {{kExtCloseMinor1, {R::ExtClose, L::MinorMax}}, {kExtCloseMinor2, {R::ExtClose, L::MinorMin}}},
};
constexpr FieldPair kMinorIsoReference[2][2] = {
    {{kExtNormalMinor1, {}}, {kExtNormalMinor2, {R::ExtNormal, L::MinorRef}}},
    {{kExtCloseMinor1, {}}, {kExtCloseMinor2, {R::ExtClose, L::MinorRef}}},
};

// The maximum internal major diameter, beside each internal row.
constexpr FieldPair kIntNormalMajorMaxCell[] = {{kIntNormalMajorMax, {R::IntNormal, L::MajorMax}}};
constexpr FieldPair kIntCloseMajorMaxCell[] = {{kIntCloseMajorMax, {R::IntClose, L::MajorMax}}};

// The two radius fields of the middle row.
enum class Radii {
    CrestRoot,     // "RADII": crest and root radius
    RootLimits,    // "ROOT RADIUS": maximum and minimum of the controlled root radius
    MaxCrestRoot,  // "MAX RADII": the largest crest and root radius (trapezoidal R1, R2)
};
constexpr FieldPair kCrestRoot[] = {{kRadius1, &T::crestRadius}, {kRadius2, &T::rootRadius}};
constexpr FieldPair kRootLimits[] = {{kRadius1, &T::rootRadiusMax}, {kRadius2, &T::rootRadiusMin}};
constexpr FieldPair kMaxCrestRoot[] = {{kRadius1, &T::crestRadius}, {kRadius2, &T::rootRadiusMax}};

// The two fields beside the internal grid.
enum class Extras {
    HeightFlat,       // thread height and flat
    Countersink,      // the insert tapping's countersink diameters, one place fewer
    HeightClearance,  // thread height and the crest clearance ac (trapezoidal)
};
constexpr FieldPair kHeightFlat[] = {{kIntHeight, &T::intHeight}, {kIntFlat, &T::intFlat}};
constexpr FieldPair kCountersink[] = {{kIntHeight, &T::csinkMin, -1}, {kIntFlat, &T::csinkMax, -1}};
constexpr FieldPair kHeightClearance[] = {{kIntHeight, &T::intHeight},
                                          {kIntFlat, &T::crestClearance}};

std::span<const FieldPair> radiiCells(Radii radii) {
    switch (radii) {
        case Radii::RootLimits:
            return kRootLimits;
        case Radii::MaxCrestRoot:
            return kMaxCrestRoot;
        case Radii::CrestRoot:
            break;
    }
    return kCrestRoot;
}

std::span<const FieldPair> extraCells(Extras extras) {
    switch (extras) {
        case Extras::Countersink:
            return kCountersink;
        case Extras::HeightClearance:
            return kHeightClearance;
        case Extras::HeightFlat:
            break;
    }
    return kHeightFlat;
}

// NPT and NPTF: the fields the pipe arrangement shows; its captions are the arrangement's.
constexpr FieldPair kTaperPipe[] = {
    {kExtNormalMajorMin, &T::pipeOD},
    {kExtNormalPitchMax, &T::majorAtPipeEnd},
    {kExtNormalMinor1, &T::e1},
    {kExtNormalWiresMax, &T::e0},
    {kExtHeight, &T::extHeight},
    {kExtFlat, &T::extCrestFlatMax},
    {kPipeExtFlatMin, &T::extCrestFlatMin},
    {kPitch, &T::pitch},
    {kBestWire, &T::bestWire, +1},
    {kConstant, &T::wireConstant, +1},
    {kIntNormalMinorMin, &T::minorAtFace},
    {kIntNormalMinorMax, &T::k0},
    {kIntHeight, &T::intHeight},
    {kIntFlat, &T::intCrestFlatMax},
    {kPipeIntFlatMin, &T::intCrestFlatMin},
    {kPipeTapDepth, &T::tapDepth},
};

// R, Rc and Rp: the same places, captioned by their arrangement: the gauge diameter, the minor
// and pitch diameters at the gauge plane, the pitch diameter at the end of the pipe; the radius
// of the rounded crests and roots; the parallel Rp's minor diameter, the tolerance of the gauge
// plane of Rc and Rp.
constexpr FieldPair kBritishTaper[] = {
    {kExtNormalMajorMin, &T::gaugeDiameter},
    {kExtNormalPitchMax, &T::gaugeMinorDiameter},
    {kExtNormalMinor1, &T::gaugePitchDiameter},
    {kExtNormalWiresMax, &T::smallEndPitchDiameter},
    {kExtHeight, &T::extHeight},
    {kExtFlat, &T::crestRadius},
    {kPipeExtFlatMin, &T::rootRadius},
    {kPitch, &T::pitch},
    {kBestWire, &T::bestWire, +1},
    {kConstant, &T::wireConstant, +1},
    {kIntNormalMinorMin, {R::IntNormal, L::MinorMin}},
    {kIntNormalMinorMax, {R::IntNormal, L::MinorMax}},
    {kIntHeight, &T::intHeight},
    {kIntFlat, &T::crestRadius},
    {kPipeIntFlatMin, &T::rootRadius},
    {kPipeTapDepth, &T::gaugePlaneTolerance},
};

// The class labels beside the four grid rows: the classes the records hold.
enum class Labels {
    None,   // ISO FINE sets its own with its grids; the pipe arrangement hides them
    Fixed,  // in the label rectangles, a four-letter class ("4g6g") in a wider one
    Wide,   // in the wider label rectangles
};

// How a family is shown: one row per family.
struct FamilyDisplay {
    DisplayFamily family;
    Minor minor;
    Radii radii;
    Extras extras;
    bool closeClass;         // false: the close rows read "---"
    bool effectiveDiameter;  // British: "EFFECTIVE DIAMETER" for "PITCH DIAMETER"
    Labels labels;
};

using F = DisplayFamily;
using M = Minor;
using Ra = Radii;
using X = Extras;
using Lb = Labels;

// clang-format off
constexpr FamilyDisplay kFamilies[] = {
    //  family          minor            radii          extras          close  eff.   labels
    {F::Unified,      M::Reference,    Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::IsoCoarse,    M::IsoReference, Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::IsoFine,      M::IsoReference, Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::None},
    {F::UNS,          M::Reference,    Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::UNJ,          M::Limits,       Ra::RootLimits, X::HeightFlat,  true,  false, Lb::Fixed},
    {F::Acme,         M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::StubAcme,     M::Limits,       Ra::CrestRoot,  X::HeightFlat,  false, false, Lb::Fixed},
    {F::TaperPipe,    M::Reference,    Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::None},
    {F::NPSM,         M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::NPSL,         M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::UNM,          M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::Whitworth,    M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  true,  Lb::Wide},
    {F::BA,           M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  true,  Lb::Wide},
    {F::ThreadInsert, M::Reference,    Ra::CrestRoot,  X::Countersink, true,  false, Lb::Fixed},
    {F::BritishPipe,  M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::Fixed},
    {F::BritishTaper, M::Reference,    Ra::CrestRoot,  X::HeightFlat,  true,  false, Lb::None},
    {F::Trapezoidal,  M::Limits,       Ra::MaxCrestRoot, X::HeightClearance, true, false, Lb::Fixed},
};
// clang-format on

constexpr bool indexedByFamily() {
    for (std::size_t i = 0; i < std::size(kFamilies); ++i) {
        if (static_cast<std::size_t>(kFamilies[i].family) != i) return false;
    }
    return true;
}
static_assert(indexedByFamily(), "kFamilies must be indexed by DisplayFamily");

const FamilyDisplay& displayOf(DisplayFamily family) {
    return kFamilies[static_cast<std::size_t>(family)];
}

// The minor-diameter cells of the normal (row 0) or close (row 1) external row.
std::span<const FieldPair> minorCells(Minor minor, int row) {
    switch (minor) {
        case Minor::Reference:
            return kMinorReference[row];
        case Minor::Limits:
            return kMinorLimits[row];
        case Minor::IsoReference:
            return kMinorIsoReference[row];
    }
    return {};
}

void writeCaptions(const FieldWriter& out, const FamilyDisplay& d) {
    const bool insert = d.extras == Extras::Countersink;
    const bool rootLimits = d.radii == Radii::RootLimits;
    out.texts({kExtPitchCaption, kIntPitchCaption},
              d.effectiveDiameter ? "EFFECTIVE DIAMETER" : "PITCH DIAMETER");
    out.text(kIntMinorCaption, insert ? "MINOR DIAMETER AFTER TAPPING" : "MINOR DIAMETER");
    out.text(kIntHeightCaption, insert ? "CSINK MIN" : "HEIGHT");
    out.text(kIntFlatCaption, insert                                ? "CSINK MAX"
                              : d.extras == Extras::HeightClearance ? "CLEARANCE"
                                                                    : "FLAT");
    out.text(kRadiiCaption, rootLimits                       ? "ROOT RADIUS"
                            : d.radii == Radii::MaxCrestRoot ? "MAX RADII"
                                                             : "RADII");
    out.text(kRadius1Caption, rootLimits ? "MAX" : "CREST");
    out.text(kRadius2Caption, rootLimits ? "MIN" : "ROOT");
    if (d.family == DisplayFamily::IsoFine) return;  // the metric fine display writes the rest
    out.text(kExtMinor1Caption, d.minor == Minor::Limits ? "MAX" : "REF");
    out.text(kExtMinor2Caption, "MIN");
    out.text(kEngagementCaption, "ENGAGEMENT");
}

// The close rows show the values of the class their record holds; a record without a class
// (ISO COARSE above M41 has no close internal class) shows none, and a series without close
// classes (STUB ACME) marks them "---".
void writeGrids(const FieldWriter& out, const FamilyDisplay& d, const RecordClasses& records) {
    const auto close = [&](ClassRecord record) {
        if (!d.closeClass) return RowShows::NoClass;
        return records[static_cast<std::size_t>(record)].name.empty() ? RowShows::None
                                                                      : RowShows::Values;
    };
    const RowShows closeExternal = close(ClassRecord::ExtClose);
    const RowShows closeInternal = close(ClassRecord::IntClose);
    writeRow(out, kExtNormalRow, RowShows::Values);
    writeRow(out, minorCells(d.minor, 0), RowShows::Values);
    writeRow(out, kExtCloseRow, closeExternal);
    writeRow(out, minorCells(d.minor, 1), closeExternal);
    writeRow(out, kMiddleRow, RowShows::Values);
    writeRow(out, radiiCells(d.radii), RowShows::Values);
    writeRow(out, kIntNormalRow, RowShows::Values);
    writeRow(out, kIntNormalMajorMaxCell, RowShows::Values);
    writeRow(out, kIntCloseRow, closeInternal);
    writeRow(out, kIntCloseMajorMaxCell, closeInternal);
    writeRow(out, extraCells(d.extras), RowShows::Values);
}

constexpr platform::Rect kLabelRect[4] = {
    {15, 80, 25, 18}, {15, 105, 25, 18}, {15, 285, 25, 18}, {15, 310, 25, 18}};
constexpr platform::Rect kWideLabelRect[4] = {
    {2, 80, 38, 18}, {2, 105, 38, 18}, {2, 285, 38, 18}, {2, 310, 38, 18}};
constexpr int kLabelIds[4] = {kExtNormalLabel, kExtCloseLabel, kIntNormalLabel, kIntCloseLabel};

// A label of four letters does not fit the narrow rectangle.
bool needsWideLabel(std::string_view label) {
    return label.size() >= 4;
}

void writeLabels(const FieldWriter& out, const RecordClasses& records, bool wide) {
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string_view label = records[i].label();
        out.rect(kLabelIds[i], wide || needsWideLabel(label) ? kWideLabelRect[i] : kLabelRect[i]);
        out.text(kLabelIds[i], label);
    }
}

}  // namespace

namespace rows {
const std::span<const FieldPair> kExtNormal = kExtNormalRow;
const std::span<const FieldPair> kExtClose = kExtCloseRow;
const std::span<const FieldPair> kIntNormal = kIntNormalRow;
const std::span<const FieldPair> kIntClose = kIntCloseRow;
const std::span<const FieldPair> kMiddle = kMiddleRow;
}  // namespace rows

void FieldWriter::text(int id, std::string_view text) const {
    DisplayWrite& w = frame.writes.emplace_back();
    w.id = id;
    w.text = text;
}

void FieldWriter::texts(std::initializer_list<int> ids, std::string_view text) const {
    for (int id : ids) this->text(id, text);
}

void FieldWriter::value(int id, const Length& inches, int placesOffset) const {
    if (!inches) {
        text(id, kNone);
        return;
    }
    DisplayWrite& w = frame.writes.emplace_back();
    w.id = id;
    w.text = formatLength(*inches, mode, placesOffset);
    w.value = FieldValues::Value{*inches, placesOffset};
}

void FieldWriter::value(int id, const ResultField& field, int placesOffset) const {
    const Length inches = field.of(results);
    value(id, inches, placesOffset);
    if (inches) frame.writes.back().source = FieldSource{field, placesOffset};
}

void FieldWriter::rect(int id, platform::Rect rect) const {
    DisplayWrite& w = frame.writes.emplace_back();
    w.id = id;
    w.isRect = true;
    w.rect = rect;
}

void applyFrame(DisplayFrame&& frame, const WindowWriter& out, FieldValues* values) {
    for (DisplayWrite& w : frame.writes) {
        if (w.isRect) {
            out.rect(w.id, w.rect);
            continue;
        }
        out.text(w.id, w.text);
        if (w.source && out.record != nullptr) out.record->setSource(w.id, *w.source);
        if (values == nullptr) continue;
        if (w.value) {
            values->set(w.id, w.value->inches, w.value->placesOffset);
        } else {
            values->clear(w.id);
        }
    }
    out.engagement(std::move(frame.engagement));
}

void writeRow(const FieldWriter& out, std::span<const FieldPair> row, RowShows shows) {
    for (const FieldPair& pair : row) {
        switch (shows) {
            case RowShows::Values:
                out.value(pair.control, pair.field, pair.places);
                break;
            case RowShows::None:
                out.text(pair.control, kNone);
                break;
            case RowShows::NoClass:
                out.text(pair.control, kNoClass);
                break;
        }
    }
}

void writeResultFields(const FieldWriter& out, DisplayFamily family, const RecordClasses& records) {
    // The pipe arrangements own their captions.
    if (family == DisplayFamily::TaperPipe) {
        writeRow(out, kTaperPipe, RowShows::Values);
        return;
    }
    if (family == DisplayFamily::BritishTaper) {
        writeRow(out, kBritishTaper, RowShows::Values);
        return;
    }
    const FamilyDisplay& d = displayOf(family);
    writeCaptions(out, d);
    if (family == DisplayFamily::IsoFine) {
        writeMetricFineResults(out, records);
        return;
    }
    writeGrids(out, d, records);
}

void writeClassLabels(const FieldWriter& out, DisplayFamily family, const RecordClasses& records) {
    switch (displayOf(family).labels) {
        case Labels::Fixed:
            writeLabels(out, records, false);
            break;
        case Labels::Wide:
            writeLabels(out, records, true);
            break;
        case Labels::None:
            break;
    }
}

void setDataHeaders(const FieldWriter& out, DisplayFamily family, std::string_view header) {
    std::string internal = "INTERNAL DATA";
    internal.append(10, ' ');
    internal += header;
    out.text(kInternalHeader, internal);
    // The insert tappings are internal threads only.
    if (family == DisplayFamily::ThreadInsert) {
        out.text(kExternalHeader, "");
        return;
    }
    std::string external = "EXTERNAL DATA";
    external.append(10, ' ');
    external += header;
    out.text(kExternalHeader, external);
}

std::string headerText(const ThreadReport& report) {
    const ReportIdentity& id = report.identity;
    if (id.size.empty()) return std::string(id.seriesName());
    std::string text = id.size;
    text += "  ";
    text += id.seriesName();
    if (!id.tabulated()) text += "  SPECIAL";
    return text;
}

DisplayFrame displayFrame(const ThreadReport& report, const UnitMode& mode) {
    DisplayFrame frame;
    frame.writes.reserve(128);
    const SeriesId series = report.identity.series;
    if (!isValidSeries(series)) return frame;
    const FieldWriter out{frame, mode, report.values};
    const DisplayFamily family = seriesById(series).display;

    writeResultFields(out, family, report.records);
    // A size the calculation could not run for shows no number at all, rather than zeros.
    if (!report.calculated) {
        for (int id = kExtNormalMajorMax; id <= kPipeTapDepth; ++id) {
            if (findControl(id)) out.text(id, kNone);
        }
    }
    if (family == DisplayFamily::TaperPipe || family == DisplayFamily::BritishTaper) {
        frame.engagement = lengthsItems(series, report.values, mode);
    } else if (!report.tapDrill.engagement.empty()) {
        frame.engagement = engagementItems(report.tapDrill.engagement, mode);
    } else {
        frame.engagement = {"", "         NO DATA"};
    }
    writeClassLabels(out, family, report.records);
    setDataHeaders(out, family, headerText(report));
    frame.guide = report.tapDrill.guide;
    return frame;
}

}  // namespace torveld
