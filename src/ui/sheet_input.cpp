#include "sheet_input.h"

#include <algorithm>

#include "control_ids.h"
#include "display_texts.h"
#include "special_sizes.h"

namespace torveld {

using namespace ids;

namespace {

template <std::size_t N>
std::array<std::string, N> textsOf(const ControlTexts& texts, const int (&controls)[N]) {
    std::array<std::string, N> out;
    for (std::size_t i = 0; i < N; ++i) out[i] = texts.text(controls[i]);
    return out;
}

// Where each text of the sheet stands in the main window.
constexpr int kExternalGroups[] = {kExtMajorCaption, kExtPitchCaption, kExtMinorCaption,
                                   kOverWiresCaption};
constexpr int kExternalColumns[] = {kExtMajorMaxCaption, kExtMajorMinCaption, kExtMajorMeanCaption,
                                    kExtPitchMaxCaption, kExtPitchMinCaption, kExtMinor1Caption,
                                    kExtMinor2Caption,   kWiresMaxCaption,    kWiresMinCaption};
constexpr int kExternalClasses[] = {kExtNormalLabel, kExtCloseLabel};
constexpr int kExternalRow1[] = {kExtNormalMajorMax, kExtNormalMajorMin, kExtNormalMajorMean,
                                 kExtNormalPitchMax, kExtNormalPitchMin, kExtNormalMinor1,
                                 kExtNormalMinor2,   kExtNormalWiresMax, kExtNormalWiresMin};
constexpr int kExternalRow2[] = {kExtCloseMajorMax, kExtCloseMajorMin, kExtCloseMajorMean,
                                 kExtClosePitchMax, kExtClosePitchMin, kExtCloseMinor1,
                                 kExtCloseMinor2,   kExtCloseWiresMax, kExtCloseWiresMin};
constexpr int kInternalGroups[] = {kIntMinorCaption, kIntPitchCaption, kIntMajorCaption};
constexpr int kInternalColumns[] = {kIntMinorMinCaption, kIntMinorMaxCaption, kIntMinorMeanCaption,
                                    kIntPitchMinCaption, kIntPitchMaxCaption, kIntMajorMinCaption,
                                    kIntMajorMaxCaption, kIntHeightCaption,   kIntFlatCaption};
constexpr int kInternalClasses[] = {kIntNormalLabel, kIntCloseLabel};
constexpr int kInternalRow1[] = {kIntNormalMinorMin, kIntNormalMinorMax, kIntNormalMinorMean,
                                 kIntNormalPitchMin, kIntNormalPitchMax, kIntNormalMajorMin,
                                 kIntNormalMajorMax};
constexpr int kInternalRow2[] = {kIntCloseMinorMin, kIntCloseMinorMax, kIntCloseMinorMean,
                                 kIntClosePitchMin, kIntClosePitchMax, kIntCloseMajorMin,
                                 kIntCloseMajorMax};
constexpr int kGeometryCaptions[] = {kExtHeightCaption, kExtFlatCaption, kPitchCaption,
                                     kBestWireCaption, kConstantCaption};
constexpr int kGeometryValues[] = {kExtHeight, kExtFlat, kPitch, kBestWire, kConstant};

}  // namespace

DataSheetInput sheetInput(const ThreadReport& report, const UnitMode& mode) {
    DataSheetInput input = sheetInput(windowTexts(report, mode), report.identity.series, mode,
                                      report.tapDrill.guide.startIndex);
    input.specialNote = sheetNote(report);
    return input;
}

DataSheetInput sheetInput(const ControlTexts& texts, SeriesId series, const UnitMode& mode,
                          int guideStartIndex) {
    DataSheetInput input{series, mode, guideStartIndex, {}, {}};
    SheetTexts& t = input.texts;
    const auto text = [&](int id) { return texts.text(id); };

    t.external.title = text(kExternalHeader);
    t.external.groups = textsOf(texts, kExternalGroups);
    t.external.columns = textsOf(texts, kExternalColumns);
    t.external.classes = textsOf(texts, kExternalClasses);
    t.external.rows = {textsOf(texts, kExternalRow1), textsOf(texts, kExternalRow2)};
    t.internal.title = text(kInternalHeader);
    t.internal.groups = textsOf(texts, kInternalGroups);
    t.internal.columns = textsOf(texts, kInternalColumns);
    t.internal.classes = textsOf(texts, kInternalClasses);
    t.internal.rows = {textsOf(texts, kInternalRow1), textsOf(texts, kInternalRow2)};

    t.geometryCaptions = textsOf(texts, kGeometryCaptions);
    t.geometryValues = textsOf(texts, kGeometryValues);
    t.radiiCaption = text(kRadiiCaption);
    t.crestCaption = text(kRadius1Caption);
    t.rootCaption = text(kRadius2Caption);
    t.crestValue = text(kRadius1);
    t.rootValue = text(kRadius2);
    t.internalHeight = text(kIntHeight);
    t.internalFlat = text(kIntFlat);

    t.externalCrestFlatCaption = text(kPipeExtFlatCaption);
    t.internalCrestFlatCaption = text(kPipeIntFlatCaption);
    t.externalFlatMinCaption = text(kPipeExtFlatMinCaption);
    t.externalFlatMin = text(kPipeExtFlatMin);
    t.internalFlatMinCaption = text(kPipeIntFlatMinCaption);
    t.internalFlatMin = text(kPipeIntFlatMin);
    t.tapDepthCaption = text(kTapDepthCaption);
    t.tapDepth = text(kPipeTapDepth);

    t.engagement = texts.engagement();
    // The lengths list's caption as the pipe arrangement writes it, without its leading blanks.
    const std::string& lengths = text(kEngagementCaption);
    t.lengthsCaption = lengths.substr(std::min(lengths.size(), lengths.find_first_not_of(' ')));
    return input;
}

}  // namespace torveld
