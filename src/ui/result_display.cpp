#include "result_display.h"

#include <optional>

#include "control_ids.h"
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
    CrestRoot,   // "RADII": crest and root radius
    RootLimits,  // "ROOT RADIUS": maximum and minimum of the controlled root radius
};
constexpr FieldPair kCrestRoot[] = {{kRadius1, &T::crestRadius}, {kRadius2, &T::rootRadius}};
constexpr FieldPair kRootLimits[] = {{kRadius1, &T::rootRadiusMax}, {kRadius2, &T::rootRadiusMin}};

// The two fields beside the internal grid.
enum class Extras {
    HeightFlat,   // thread height and flat
    Countersink,  // the insert tapping's countersink diameters, one place fewer
};
constexpr FieldPair kHeightFlat[] = {{kIntHeight, &T::intHeight}, {kIntFlat, &T::intFlat}};
constexpr FieldPair kCountersink[] = {{kIntHeight, &T::csinkMin, -1}, {kIntFlat, &T::csinkMax, -1}};

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

// The class labels beside the four grid rows.
enum class Labels {
    None,            // ISO FINE sets its own with its grids; the pipe arrangement hides them
    Fixed,           // the four texts of the family
    Wide,            // the four texts, in the wider label rectangles
    IsoCoarseBands,  // by the major diameter
};

// What goes into the engagement list.
enum class Engagement {
    InternalMajor,  // drills for the internal major minimum as basic major diameter
    ExternalMajor,  // drills for the close external major maximum (UNJ)
    PipeLengths,    // L1 to L4
    NoData,
};

// How a family is shown: one row per family.
struct FamilyDisplay {
    DisplayFamily family;
    Minor minor;
    Radii radii;
    Extras extras;
    bool closeClass;               // false: the close rows read "---"
    bool effectiveDiameter;        // British: "EFFECTIVE DIAMETER" for "PITCH DIAMETER"
    bool closeInternalByPitchMax;  // the close internal row shows only with its pitch maximum
    Labels labels;
    const char* labelTexts[4];
    Engagement engagement;
};

using F = DisplayFamily;
using M = Minor;
using Ra = Radii;
using X = Extras;
using Lb = Labels;
using E = Engagement;

// clang-format off
constexpr FamilyDisplay kFamilies[] = {
    //  family          minor            radii          extras          close  eff.   ISO   labels              label texts                       engagement
    {F::Unified,      M::Reference,    Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::Fixed,          {"2A", "3A", "2B", "3B"},          E::InternalMajor},
    {F::IsoCoarse,    M::IsoReference, Ra::CrestRoot,  X::HeightFlat,  true,  false, true,  Lb::IsoCoarseBands, {"", "", "", ""},                  E::InternalMajor},
    {F::IsoFine,      M::IsoReference, Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::None,           {"", "", "", ""},                  E::InternalMajor},
    {F::UNS,          M::Reference,    Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::Fixed,          {"2A", "3A", "2B", "3B"},          E::InternalMajor},
    {F::UNJ,          M::Limits,       Ra::RootLimits, X::HeightFlat,  true,  false, false, Lb::Fixed,          {"2A", "3A", "2B", "3B"},          E::ExternalMajor},
    {F::Acme,         M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::Fixed,          {"2G", "4G", "2G", "4G"},          E::NoData},
    {F::StubAcme,     M::Limits,       Ra::CrestRoot,  X::HeightFlat,  false, false, false, Lb::Fixed,          {"", "", "", ""},                  E::NoData},
    {F::TaperPipe,    M::Reference,    Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::None,           {"", "", "", ""},                  E::PipeLengths},
    {F::NPSM,         M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::Fixed,          {"2A", "3A", "2B", "3B"},          E::NoData},
    {F::NPSL,         M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::Fixed,          {"", "", "", ""},                  E::NoData},
    {F::UNM,          M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  false, false, Lb::Fixed,          {"", "", "", ""},                  E::NoData},
    {F::Whitworth,    M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  true,  false, Lb::Wide,           {"Med", "Close", "Med", "Close"},  E::NoData},
    {F::BA,           M::Limits,       Ra::CrestRoot,  X::HeightFlat,  true,  true,  false, Lb::Wide,           {"Norm", "Close", "Norm", "Close"}, E::NoData},
    {F::ThreadInsert, M::Reference,    Ra::CrestRoot,  X::Countersink, true,  false, false, Lb::Fixed,          {"2A", "3A", "2B", "3B"},          E::NoData},
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
    out.text(kIntFlatCaption, insert ? "CSINK MAX" : "FLAT");
    out.text(kRadiiCaption, rootLimits ? "ROOT RADIUS" : "RADII");
    out.text(kRadius1Caption, rootLimits ? "MAX" : "CREST");
    out.text(kRadius2Caption, rootLimits ? "MIN" : "ROOT");
    if (d.family == DisplayFamily::IsoFine) return;  // the metric fine display writes the rest
    out.text(kExtMinor1Caption, d.minor == Minor::Limits ? "MAX" : "REF");
    out.text(kExtMinor2Caption, "MIN");
    out.text(kEngagementCaption, "ENGAGEMENT");
}

void writeGrids(const FieldWriter& out, const FamilyDisplay& d) {
    const RowShows close = d.closeClass ? RowShows::Values : RowShows::NoClass;
    const RowShows closeInternal =
        d.closeInternalByPitchMax && !out.results.intClose.pitchMax ? RowShows::None : close;
    writeRow(out, kExtNormalRow, RowShows::Values);
    writeRow(out, minorCells(d.minor, 0), RowShows::Values);
    writeRow(out, kExtCloseRow, close);
    writeRow(out, minorCells(d.minor, 1), close);
    writeRow(out, kMiddleRow, RowShows::Values);
    writeRow(out,
             d.radii == Radii::RootLimits ? std::span<const FieldPair>(kRootLimits)
                                          : std::span<const FieldPair>(kCrestRoot),
             RowShows::Values);
    writeRow(out, kIntNormalRow, RowShows::Values);
    writeRow(out, kIntNormalMajorMaxCell, RowShows::Values);
    writeRow(out, kIntCloseRow, closeInternal);
    writeRow(out, kIntCloseMajorMaxCell, close);
    writeRow(out,
             d.extras == Extras::Countersink ? std::span<const FieldPair>(kCountersink)
                                             : std::span<const FieldPair>(kHeightFlat),
             RowShows::Values);
}

constexpr platform::Rect kLabelRect[4] = {
    {15, 80, 25, 18}, {15, 105, 25, 18}, {15, 285, 25, 18}, {15, 310, 25, 18}};
constexpr platform::Rect kWideLabelRect[4] = {
    {2, 80, 38, 18}, {2, 105, 38, 18}, {2, 285, 38, 18}, {2, 310, 38, 18}};
constexpr int kLabelIds[4] = {kExtNormalLabel, kExtCloseLabel, kIntNormalLabel, kIntCloseLabel};

void writeLabels(const FieldWriter& out, const platform::Rect (&rects)[4],
                 const char* const (&texts)[4]) {
    for (int i = 0; i < 4; ++i) {
        out.rect(kLabelIds[i], rects[i]);
        out.text(kLabelIds[i], texts[i]);
    }
}

void writeIsoCoarseLabels(const FieldWriter& out) {
    writeLabels(out, kLabelRect, {"", "", "", ""});
    const double major = out.results.extNormal.majorMax.value_or(0.0);
    if (major > 41 / mmPerInch) {
        out.rect(kExtCloseLabel, {2, 105, 38, 18});
        out.text(kExtNormalLabel, "6g");
        out.text(kExtCloseLabel, "4g6g");
        out.text(kIntNormalLabel, "6H");
    } else if (major >= 2.75 / mmPerInch) {
        writeLabels(out, kLabelRect, {"6g", "4h", "6H", "5H"});
    } else if (major > 1.2 / mmPerInch) {
        writeLabels(out, kLabelRect, {"6g", "4h", "6H", "4H"});
    } else {
        writeLabels(out, kLabelRect, {"6g", "4h", "5H", "4H"});
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

void FieldWriter::texts(std::initializer_list<int> ids, std::string_view text) const {
    for (int id : ids) this->text(id, text);
}

void FieldWriter::value(int id, const Length& inches, int placesOffset) const {
    if (!inches) {
        text(id, kNone);
        return;
    }
    text(id, formatLength(*inches, mode, placesOffset));
    if (values != nullptr) values->set(id, *inches, placesOffset);
}

void FieldWriter::value(int id, const ResultField& field, int placesOffset) const {
    const Length inches = field.of(results);
    value(id, inches, placesOffset);
    if (inches && record != nullptr) record->setSource(id, FieldSource{field, placesOffset});
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

void writeResultFields(const FieldWriter& out, DisplayFamily family) {
    if (family == DisplayFamily::TaperPipe) {
        writeRow(out, kTaperPipe, RowShows::Values);  // the pipe layout owns the captions
        return;
    }
    const FamilyDisplay& d = displayOf(family);
    writeCaptions(out, d);
    if (family == DisplayFamily::IsoFine) {
        writeMetricFineResults(out);
        return;
    }
    writeGrids(out, d);
}

void writeClassLabels(const FieldWriter& out, DisplayFamily family) {
    const FamilyDisplay& d = displayOf(family);
    switch (d.labels) {
        case Labels::Fixed:
            writeLabels(out, kLabelRect, d.labelTexts);
            break;
        case Labels::Wide:
            writeLabels(out, kWideLabelRect, d.labelTexts);
            break;
        case Labels::IsoCoarseBands:
            writeIsoCoarseLabels(out);
            break;
        case Labels::None:
            break;
    }
}

Length engagementMajor(DisplayFamily family, const ThreadResults& results) {
    switch (displayOf(family).engagement) {
        case Engagement::InternalMajor:
            return results.intNormal.majorMin;
        case Engagement::ExternalMajor:
            return results.extClose.majorMax;
        default:
            return std::nullopt;
    }
}

void writeEngagement(const FieldWriter& out, SeriesId series, DisplayFamily family) {
    const ThreadResults& r = out.results;
    switch (displayOf(family).engagement) {
        case Engagement::InternalMajor:
        case Engagement::ExternalMajor:
            out.out().engagement(engagementItems(engagementMajor(family, r), r.pitch, out.mode));
            break;
        case Engagement::PipeLengths:
            out.out().engagement(lengthsItems(series, r, out.mode));
            break;
        case Engagement::NoData:
            out.out().engagement({"", "         NO DATA"});
            break;
    }
}

void setDataHeaders(const WindowWriter& out, DisplayFamily family, std::string_view header) {
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

namespace {

using S = ThreadSide;
using SL = SizeLimit;

constexpr LimitCell kLimitCells[] = {
    {kExtNormalMajorMax, S::External, kExtNormalLabel, SL::MajorMax},
    {kExtNormalMajorMin, S::External, kExtNormalLabel, SL::MajorMin},
    {kExtNormalPitchMax, S::External, kExtNormalLabel, SL::PitchMax},
    {kExtNormalPitchMin, S::External, kExtNormalLabel, SL::PitchMin},
    {kExtNormalMinor1, S::External, kExtNormalLabel, SL::MinorMax},
    {kExtNormalMinor2, S::External, kExtNormalLabel, SL::MinorMin},
    {kExtCloseMajorMax, S::External, kExtCloseLabel, SL::MajorMax},
    {kExtCloseMajorMin, S::External, kExtCloseLabel, SL::MajorMin},
    {kExtClosePitchMax, S::External, kExtCloseLabel, SL::PitchMax},
    {kExtClosePitchMin, S::External, kExtCloseLabel, SL::PitchMin},
    {kExtCloseMinor1, S::External, kExtCloseLabel, SL::MinorMax},
    {kExtCloseMinor2, S::External, kExtCloseLabel, SL::MinorMin},
    {kIntNormalMajorMax, S::Internal, kIntNormalLabel, SL::MajorMax},
    {kIntNormalMajorMin, S::Internal, kIntNormalLabel, SL::MajorMin},
    {kIntNormalPitchMax, S::Internal, kIntNormalLabel, SL::PitchMax},
    {kIntNormalPitchMin, S::Internal, kIntNormalLabel, SL::PitchMin},
    {kIntNormalMinorMax, S::Internal, kIntNormalLabel, SL::MinorMax},
    {kIntNormalMinorMin, S::Internal, kIntNormalLabel, SL::MinorMin},
    {kIntCloseMajorMax, S::Internal, kIntCloseLabel, SL::MajorMax},
    {kIntCloseMajorMin, S::Internal, kIntCloseLabel, SL::MajorMin},
    {kIntClosePitchMax, S::Internal, kIntCloseLabel, SL::PitchMax},
    {kIntClosePitchMin, S::Internal, kIntCloseLabel, SL::PitchMin},
    {kIntCloseMinorMax, S::Internal, kIntCloseLabel, SL::MinorMax},
    {kIntCloseMinorMin, S::Internal, kIntCloseLabel, SL::MinorMin},
};

}  // namespace

std::span<const LimitCell> limitCells() {
    return kLimitCells;
}

std::string_view unlabelledClass(SeriesId series) {
    if (!isValidSeries(series)) return {};
    switch (seriesById(series).display) {
        case DisplayFamily::NPSL:
        case DisplayFamily::UNM:
            return seriesById(series).name;
        case DisplayFamily::StubAcme:
            return "2G";
        default:
            return {};
    }
}

std::string headerText(SeriesId id, int sizeIndex) {
    const std::string_view seriesCode = seriesById(id).name;
    if (sizeIndex < 0 || sizeIndex >= sizeCount(id)) return std::string(seriesCode);
    const SizeRow row = sizeRow(id, sizeIndex);
    std::string text(row.designation);
    text += " - ";
    text += row.pitchText;
    text += "  ";
    text += seriesCode;
    return text;
}

}  // namespace torveld
