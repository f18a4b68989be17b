#include "result_display.h"

#include <string>

#include "control_ids.h"

namespace torveld {

using namespace ids;

namespace {

constexpr const char* kNone = "--";
constexpr const char* kNoClass = "---";  // the close classes STUB ACME does not have

// The Unified display, on which every other family is a variation.
void writeUnified(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    out.value(kExtNormalMajorMax, r.extNormal.majorMax);
    out.value(kExtNormalMajorMin, r.extNormal.majorMin);
    out.value(kExtNormalMajorMean, r.extNormal.majorMean);
    out.value(kExtCloseMajorMax, r.extClose.majorMax);
    out.value(kExtCloseMajorMin, r.extClose.majorMin);
    out.value(kExtCloseMajorMean, r.extClose.majorMean);
    out.value(kExtNormalPitchMax, r.extNormal.pitchMax);
    out.value(kExtNormalPitchMin, r.extNormal.pitchMin);
    out.value(kExtClosePitchMax, r.extClose.pitchMax);
    out.value(kExtClosePitchMin, r.extClose.pitchMin);
    out.value(kExtNormalMinor1, r.extNormal.minorRef);
    out.value(kExtCloseMinor1, r.extClose.minorRef);
    out.texts({kExtNormalMinor2, kExtCloseMinor2}, kNone);
    out.value(kExtNormalWiresMax, r.extNormal.wiresMax);
    out.value(kExtNormalWiresMin, r.extNormal.wiresMin);
    out.value(kExtCloseWiresMax, r.extClose.wiresMax);
    out.value(kExtCloseWiresMin, r.extClose.wiresMin);

    out.value(kExtHeight, r.extHeight);
    out.value(kExtFlat, r.extFlat);
    out.value(kPitch, r.pitch);
    out.value(kBestWire, r.bestWire, +1);
    out.value(kConstant, r.wireConstant, +1);
    out.texts({kRadius1, kRadius2}, kNone);

    out.value(kIntNormalMinorMin, r.intNormal.minorMin);
    out.value(kIntNormalMinorMax, r.intNormal.minorMax);
    out.value(kIntNormalMinorMean, r.intNormal.minorMean);
    out.value(kIntCloseMinorMin, r.intClose.minorMin);
    out.value(kIntCloseMinorMax, r.intClose.minorMax);
    out.value(kIntCloseMinorMean, r.intClose.minorMean);
    out.value(kIntNormalPitchMin, r.intNormal.pitchMin);
    out.value(kIntNormalPitchMax, r.intNormal.pitchMax);
    out.value(kIntClosePitchMin, r.intClose.pitchMin);
    out.value(kIntClosePitchMax, r.intClose.pitchMax);
    out.value(kIntNormalMajorMin, r.intNormal.majorMin);
    out.value(kIntCloseMajorMin, r.intClose.majorMin);
    out.texts({kIntNormalMajorMax, kIntCloseMajorMax}, kNone);
    out.value(kIntHeight, r.intHeight);
    out.value(kIntFlat, r.intFlat);
}

// Every cell of the lower external row and of the lower internal row.
constexpr std::initializer_list<int> kExtCloseRow = {
    kExtCloseMajorMax, kExtCloseMajorMin, kExtCloseMajorMean, kExtClosePitchMax, kExtClosePitchMin,
    kExtCloseMinor1,   kExtCloseMinor2,   kExtCloseWiresMax,  kExtCloseWiresMin};
constexpr std::initializer_list<int> kIntCloseRow = {kIntCloseMinorMin,  kIntCloseMinorMax,
                                                     kIntCloseMinorMean, kIntClosePitchMin,
                                                     kIntClosePitchMax,  kIntCloseMajorMin};

void writeCloseRowsNone(const FieldWriter& out) {
    out.texts(kExtCloseRow, kNone);
    out.texts(kIntCloseRow, kNone);
}

// Minor-diameter columns that show maximum and minimum instead of a reference value.
void writeMinorLimits(const FieldWriter& out, bool closeRow) {
    const ThreadResults& r = out.results;
    out.value(kExtNormalMinor1, r.extNormal.minorMax);
    out.value(kExtNormalMinor2, r.extNormal.minorMin);
    if (closeRow) {
        out.value(kExtCloseMinor1, r.extClose.minorMax);
        out.value(kExtCloseMinor2, r.extClose.minorMin);
    }
}

void writeIsoCoarse(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    writeUnified(out);
    out.texts({kExtNormalMinor1, kExtCloseMinor1}, kNone);
    out.value(kExtNormalMinor2, r.extNormal.minorRef);
    out.value(kExtCloseMinor2, r.extClose.minorRef);
    // Sizes without a closer internal class have no pitch-diameter maximum for it.
    if (!r.intClose.pitchMax) out.texts(kIntCloseRow, kNone);
}

void writeUnj(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    writeUnified(out);
    out.texts({kExtNormalMajorMax, kExtNormalMajorMin, kExtNormalMajorMean, kExtNormalPitchMax,
               kExtNormalPitchMin, kExtNormalMinor1, kExtNormalWiresMax, kExtNormalWiresMin},
              kNone);
    out.value(kExtCloseMinor1, r.extClose.minorMax);
    out.value(kExtCloseMinor2, r.extClose.minorMin);
    out.value(kRadius1, r.rootRadiusMax);
    out.value(kRadius2, r.rootRadiusMin);
    out.texts({kIntNormalMinorMin, kIntNormalMinorMax, kIntNormalMinorMean, kIntNormalPitchMin,
               kIntNormalPitchMax, kIntNormalMajorMin},
              kNone);
}

void writeAcme(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    writeUnified(out);
    writeMinorLimits(out, true);
    out.value(kIntNormalMajorMax, r.intNormal.majorMax);
    out.value(kIntCloseMajorMax, r.intClose.majorMax);
}

void writeStubAcme(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    writeUnified(out);
    writeMinorLimits(out, false);
    out.value(kIntNormalMajorMax, r.intNormal.majorMax);
    out.texts(kExtCloseRow, kNoClass);
    out.texts(kIntCloseRow, kNoClass);
    out.text(kIntCloseMajorMax, kNoClass);
}

void writeNpsm(const FieldWriter& out) {
    writeUnified(out);
    writeCloseRowsNone(out);
    out.texts({kExtNormalMinor1, kExtNormalMinor2, kIntNormalMajorMin}, kNone);
}

void writeNpsl(const FieldWriter& out) {
    writeNpsm(out);
    out.texts({kExtNormalMajorMin, kExtNormalMajorMean, kExtHeight, kExtFlat, kIntNormalMinorMax,
               kIntNormalMinorMean, kIntHeight, kIntFlat},
              kNone);
}

void writeUnm(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    writeUnified(out);
    writeCloseRowsNone(out);
    writeMinorLimits(out, false);
    out.value(kRadius2, r.rootRadius);
    out.value(kIntNormalMajorMax, r.intNormal.majorMax);
}

// BSW, BSF and BA: both classes with minor limits, radii instead of flats.
void writeBritish(const FieldWriter& out, bool majorMaxima) {
    const ThreadResults& r = out.results;
    writeUnified(out);
    writeMinorLimits(out, true);
    out.texts({kExtFlat, kIntFlat}, kNone);
    out.value(kRadius1, r.crestRadius);
    out.value(kRadius2, r.rootRadius);
    if (majorMaxima) {
        out.value(kIntNormalMajorMax, r.intNormal.majorMax);
        out.value(kIntCloseMajorMax, r.intClose.majorMax);
    }
}

void writeThreadInsert(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    writeUnified(out);
    for (int id = kExtNormalMajorMax; id <= kExtCloseWiresMin; ++id) out.text(id, kNone);
    out.texts({kExtHeight, kExtFlat, kBestWire, kConstant, kRadius1, kRadius2}, kNone);
    out.texts({kIntNormalMajorMin, kIntCloseMajorMin}, kNone);
    out.value(kIntNormalMajorMax, r.intNormal.majorMax);
    out.value(kIntCloseMajorMax, r.intClose.majorMax);
    out.value(kIntHeight, r.csinkMin, -1);
    out.value(kIntFlat, r.csinkMax, -1);
}

// NPT and NPTF: the fields the pipe layout shows; captions are the layout's.
void writeTaperPipe(const FieldWriter& out) {
    const ThreadResults& r = out.results;
    out.value(kExtNormalMajorMin, r.pipeOD);
    out.value(kExtNormalPitchMax, r.majorAtPipeEnd);
    out.value(kExtNormalMinor1, r.e1);
    out.value(kExtNormalWiresMax, r.e0);
    out.value(kExtHeight, r.extHeight);
    out.value(kExtFlat, r.extCrestFlatMax);
    out.value(kPipeExtFlatMin, r.extCrestFlatMin);
    out.value(kPitch, r.pitch);
    out.value(kBestWire, r.bestWire, +1);
    out.value(kConstant, r.wireConstant, +1);
    out.value(kIntNormalMinorMin, r.minorAtFace);
    out.value(kIntNormalMinorMax, r.k0);
    out.value(kIntHeight, r.intHeight);
    out.value(kIntFlat, r.intCrestFlatMax);
    out.value(kPipeIntFlatMin, r.intCrestFlatMin);
    out.value(kPipeTapDepth, r.tapDepth);
}

void writeCaptions(const FieldWriter& out, DisplayFamily family) {
    using F = DisplayFamily;
    const bool british = family == F::Whitworth || family == F::BA;
    const bool insert = family == F::ThreadInsert;
    const bool unj = family == F::UNJ;
    out.texts({kExtPitchCaption, kIntPitchCaption},
              british ? "EFFECTIVE DIAMETER" : "PITCH DIAMETER");
    out.text(kIntMinorCaption, insert ? "MINOR DIAMETER AFTER TAPPING" : "MINOR DIAMETER");
    out.text(kIntHeightCaption, insert ? "CSINK MIN" : "HEIGHT");
    out.text(kIntFlatCaption, insert ? "CSINK MAX" : "FLAT");
    out.text(kRadiiCaption, unj ? "ROOT RADIUS" : "RADII");
    out.text(kRadius1Caption, unj ? "MAX" : "CREST");
    out.text(kRadius2Caption, unj ? "MIN" : "ROOT");
    if (family == F::IsoFine) return;  // the metric fine display writes the rest
    const bool reference =
        family == F::Unified || family == F::IsoCoarse || family == F::UNS || insert;
    out.text(kExtMinor1Caption, reference ? "REF" : "MAX");
    out.text(kExtMinor2Caption, "MIN");
    out.text(kEngagementCaption, "ENGAGEMENT");
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

void FieldWriter::text(int id, std::string_view text) const {
    windowing.setControlText(window, id, text);
}

void FieldWriter::texts(std::initializer_list<int> ids, std::string_view text) const {
    for (int id : ids) windowing.setControlText(window, id, text);
}

void FieldWriter::value(int id, const Length& inches, int placesOffset) const {
    windowing.setControlText(window, id,
                             inches ? formatLength(*inches, mode, placesOffset) : kNone);
}

void FieldWriter::rect(int id, platform::Rect rect) const {
    windowing.setControlRect(window, id, rect);
}

void writeResultFields(const FieldWriter& out, DisplayFamily family) {
    using F = DisplayFamily;
    if (family == F::TaperPipe) {
        writeTaperPipe(out);  // the pipe layout owns the captions
        return;
    }
    writeCaptions(out, family);
    switch (family) {
        case F::Unified:
            writeUnified(out);
            break;
        case F::IsoCoarse:
            writeIsoCoarse(out);
            break;
        case F::IsoFine:
            writeMetricFineResults(out);
            break;
        case F::UNS:
            writeUnified(out);
            writeCloseRowsNone(out);
            out.text(kExtNormalMinor2, kNone);
            break;
        case F::UNJ:
            writeUnj(out);
            break;
        case F::Acme:
            writeAcme(out);
            break;
        case F::StubAcme:
            writeStubAcme(out);
            break;
        case F::NPSM:
            writeNpsm(out);
            break;
        case F::NPSL:
            writeNpsl(out);
            break;
        case F::UNM:
            writeUnm(out);
            break;
        case F::Whitworth:
            writeBritish(out, true);
            break;
        case F::BA:
            writeBritish(out, false);
            break;
        case F::ThreadInsert:
            writeThreadInsert(out);
            break;
        case F::TaperPipe:
            break;
    }
}

void writeClassLabels(const FieldWriter& out, DisplayFamily family) {
    using F = DisplayFamily;
    switch (family) {
        case F::Unified:
        case F::UNS:
        case F::UNJ:
        case F::ThreadInsert:
        case F::NPSM:
            writeLabels(out, kLabelRect, {"2A", "3A", "2B", "3B"});
            break;
        case F::NPSL:
        case F::UNM:
        case F::StubAcme:
            writeLabels(out, kLabelRect, {"", "", "", ""});
            break;
        case F::Acme:
            writeLabels(out, kLabelRect, {"2G", "4G", "2G", "4G"});
            break;
        case F::Whitworth:
            writeLabels(out, kWideLabelRect, {"Med", "Close", "Med", "Close"});
            break;
        case F::BA:
            writeLabels(out, kWideLabelRect, {"Norm", "Close", "Norm", "Close"});
            break;
        case F::IsoCoarse:
            writeIsoCoarseLabels(out);
            break;
        case F::IsoFine:
        case F::TaperPipe:
            break;
    }
}

void setDataHeaders(platform::Windowing& windowing, platform::WindowHandle window,
                    DisplayFamily family, std::string_view header) {
    const std::string gap(10, ' ');
    windowing.setControlText(window, kInternalHeader, "INTERNAL DATA" + gap + std::string(header));
    const bool insert = family == DisplayFamily::ThreadInsert;
    windowing.setControlText(window, kExternalHeader,
                             insert ? std::string() : "EXTERNAL DATA" + gap + std::string(header));
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
