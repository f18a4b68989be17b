#include "data_sheet.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "drill_chart.h"
#include "sheet_description.h"

namespace torveld {

namespace {

using platform::PrintPreview;
using platform::WindowHandle;
using platform::Windowing;

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kPlain = 1;
constexpr int kEmphasised = 5;  // plain plus the emphasis flag 4
constexpr int kLeft = 0;
constexpr int kCentre = 1;

// Main-window controls the sheet copies.
namespace field {
constexpr int kExternalTitle = 349;
constexpr int kInternalTitle = 350;
constexpr std::array<int, 4> kExternalGroupCaptions = {353, 354, 355, 356};
constexpr std::array<int, 9> kExternalColumnCaptions = {363, 364, 365, 366, 367,
                                                        368, 369, 370, 371};
constexpr std::array<int, 2> kExternalClassLabels = {351, 352};
constexpr std::array<int, 9> kExternalRow1 = {303, 304, 305, 309, 310, 313, 314, 317, 318};
constexpr std::array<int, 9> kExternalRow2 = {306, 307, 308, 311, 312, 315, 316, 319, 320};
constexpr std::array<int, 5> kGeometryCaptions = {358, 359, 360, 361, 362};
constexpr std::array<int, 5> kGeometryValues = {321, 322, 323, 324, 325};
constexpr int kRadiiCaption = 357;
constexpr int kCrestCaption = 372;
constexpr int kRootCaption = 373;
constexpr int kCrestValue = 326;
constexpr int kRootValue = 327;
constexpr std::array<int, 3> kInternalGroupCaptions = {376, 377, 378};
constexpr std::array<int, 9> kInternalColumnCaptions = {379, 380, 381, 382, 383,
                                                        384, 385, 386, 387};
constexpr std::array<int, 2> kInternalClassLabels = {374, 375};
constexpr std::array<int, 7> kInternalRow1 = {328, 329, 330, 334, 335, 338, 339};
constexpr std::array<int, 7> kInternalRow2 = {331, 332, 333, 336, 337, 340, 341};
constexpr int kInternalHeight = 342;
constexpr int kInternalFlat = 343;
constexpr int kExternalCrestFlatCaption = 390;
constexpr int kInternalCrestFlatCaption = 391;
constexpr int kGeometryExtraCaption = 389;
constexpr int kInternalExtraCaption = 388;
constexpr int kTapDepthCaption = 392;
constexpr int kGeometryExtraValue = 345;
constexpr int kInternalExtraValue1 = 344;
constexpr int kInternalExtraValue2 = 346;
constexpr int kEngagementList = 348;
}  // namespace field

// Page layout, in inches (single precision throughout, as the layout variables are).
constexpr float kLineStep = 1.0f / 6.0f;
constexpr float kBlankStep = 1.0f / 8.5f;
constexpr float kNarrowLineStep = 1.0f / 7.0f;
constexpr float kNarrowBlankStep = 1.0f / 9.5f;
constexpr float kInternalOffset = 3.0f;  // the internal block repeats the external rows lower
constexpr std::array<float, 10> kColumnX = {0.92f, 1.72f, 2.62f, 3.52f, 4.72f,
                                            5.62f, 6.92f, 7.82f, 8.97f, 9.87f};
constexpr float kBaseSize = 8.0f;

// Where the tap-drill excerpt of a layout goes.
struct DrillBox {
    int rows;
    float top;
    float nameX;
    float noDataX;
    std::array<float, 4> diameterX;  // for diameter texts of 4, 5, 6 and 7 characters
};

class Sheet {
  public:
    Sheet(PrintPreview& preview, int doc, const Windowing& windowing, WindowHandle main,
          const DataSheetInput& input)
        : preview_(preview), doc_(doc), windowing_(windowing), main_(main), input_(input) {}

    void drawScrew();
    void drawPipe();

  private:
    void rect(float x1, float y1, float x2, float y2) {
        preview_.dpRect(doc_, x1, y1, x2, y2, 2.0f, kWhite, kBlack);
    }
    void font(int style, float points) { preview_.dpFont(doc_, style, points, kBlack, "Verdana"); }
    void centred(float x, float y, std::string_view text) {
        preview_.dpText(doc_, x, y, kCentre, text);
    }
    void left(float x, float y, std::string_view text) { preview_.dpText(doc_, x, y, kLeft, text); }
    std::string text(int id) const { return windowing_.controlText(main_, id); }
    // A column caption as printed: one space before the field's text.
    std::string spaced(int id) const {
        std::string caption = " ";
        caption += text(id);
        return caption;
    }
    // Item `index` of the engagement list; an index the list does not hold reads empty.
    std::string item(int index) const {
        return windowing_.listItem(main_, field::kEngagementList, index);
    }
    bool inchDisplay() const { return input_.unitMode.unitFactor == 1.0; }

    void drillExcerpt(const DrillBox& box);
    void description(float x, float top);
    void end() { preview_.dpEndDoc(doc_, 4); }

    PrintPreview& preview_;
    int doc_;
    const Windowing& windowing_;
    WindowHandle main_;
    const DataSheetInput& input_;
    float s_ = kLineStep;
};

void Sheet::drawScrew() {
    float y = 0.75f;
    float g = 1.1f;
    const auto& X = kColumnX;

    rect(10.5f, 0.5f, 0.5f, 3.35f);
    rect(10.5f, 3.5f, 0.5f, 5.5f);

    font(kPlain, kBaseSize + 5);
    if (inchDisplay()) {
        rect(10.5f, 6.78f, 8.7f, 7.23f);
        centred(9.6f, 6.88f, "INCH DISPLAY");
    } else {
        rect(10.55f, 6.78f, 8.6f, 7.23f);
        centred(9.55f, 6.88f, "METRIC DISPLAY");
    }

    font(kEmphasised, kBaseSize + 7);
    centred(5.5f, y, text(field::kExternalTitle));
    centred(5.5f, y + kInternalOffset, text(field::kInternalTitle));

    y += 3 * s_;
    font(kEmphasised, kBaseSize + 3);
    constexpr std::array<float, 4> groupX = {2.65f, 5.15f, 7.35f, 9.4f};
    for (size_t i = 0; i < field::kExternalGroupCaptions.size(); ++i) {
        centred(groupX[i], y, text(field::kExternalGroupCaptions[i]));
    }
    for (size_t i = 0; i < field::kInternalGroupCaptions.size(); ++i) {
        centred(groupX[i], y + kInternalOffset, text(field::kInternalGroupCaptions[i]));
    }

    // Column captions carry a leading space, except the third ("MEAN").
    const auto columnCaption = [&](int id, size_t column) {
        return column == 2 ? text(id) : spaced(id);
    };
    y += 2 * s_;
    font(kEmphasised, kBaseSize + 2);
    centred(0.9f, y, "CLASS");
    for (size_t i = 0; i < field::kExternalColumnCaptions.size(); ++i) {
        centred(X[i + 1], y, columnCaption(field::kExternalColumnCaptions[i], i));
    }

    font(kEmphasised, kBaseSize + 2);
    constexpr std::array<float, 5> geometryCaptionX = {1.7f, 2.85f, 3.9f, 5.12f, 6.55f};
    for (size_t i = 0; i < field::kGeometryCaptions.size(); ++i) {
        centred(geometryCaptionX[i], y + g, text(field::kGeometryCaptions[i]));
    }
    centred(8.65f, y + g - 1.5f * s_ + 0.1f, text(field::kRadiiCaption));
    centred(8.1f, y + g + 0.1f, text(field::kCrestCaption));
    centred(9.25f, y + g + 0.1f, text(field::kRootCaption));

    g += 1.5f * s_;
    font(kPlain, kBaseSize + 2);
    constexpr std::array<float, 5> geometryValueX = {1.65f, 2.85f, 3.85f, 5.1f, 6.55f};
    for (size_t i = 0; i < field::kGeometryValues.size(); ++i) {
        centred(geometryValueX[i], y + g, text(field::kGeometryValues[i]));
    }
    centred(8.08f, y + g + 0.1f, text(field::kCrestValue));
    centred(9.23f, y + g + 0.1f, text(field::kRootValue));

    font(kEmphasised, kBaseSize + 2);
    centred(0.9f, y + kInternalOffset, "CLASS");
    for (size_t i = 0; i < field::kInternalColumnCaptions.size(); ++i) {
        centred(X[i + 1], y + kInternalOffset, columnCaption(field::kInternalColumnCaptions[i], i));
    }

    y += 1.5f * s_;
    font(kPlain, kBaseSize + 2);
    centred(X[0], y, text(field::kExternalClassLabels[0]));
    for (size_t i = 0; i < field::kExternalRow1.size(); ++i) {
        centred(X[i + 1], y, text(field::kExternalRow1[i]));
    }
    centred(X[0], y + kInternalOffset, text(field::kInternalClassLabels[0]));
    for (size_t i = 0; i < field::kInternalRow1.size(); ++i) {
        centred(X[i + 1], y + kInternalOffset, text(field::kInternalRow1[i]));
    }
    centred(X[8], y + kInternalOffset, text(field::kInternalHeight));
    centred(X[9], y + kInternalOffset, text(field::kInternalFlat));

    y += 1.5f * s_;
    centred(X[0], y, text(field::kExternalClassLabels[1]));
    for (size_t i = 0; i < field::kExternalRow2.size(); ++i) {
        centred(X[i + 1], y, text(field::kExternalRow2[i]));
    }
    centred(X[0], y + kInternalOffset, text(field::kInternalClassLabels[1]));
    for (size_t i = 0; i < field::kInternalRow2.size(); ++i) {
        centred(X[i + 1], y + kInternalOffset, text(field::kInternalRow2[i]));
    }

    rect(2.3f, 6.1f, 0.5f, 7.9f);
    font(kPlain, kBaseSize + 3);
    left(0.8f, 5.85f, "ENGAGEMENT");
    font(kPlain, kBaseSize + 2);
    y = 6.2f;
    for (int i = 1; i <= 9; ++i) {
        left(0.6f, y, item(i));
        y += s_;
    }

    rect(4.65f, 6.1f, 2.5f, 7.9f);
    font(kPlain, kBaseSize + 3);
    left(2.8f, 5.85f, "TAP DRILL GUIDE");
    font(kPlain, kBaseSize + 2);
    drillExcerpt({10, 6.15f, 2.7f, 3.705f, {4.05f, 3.935f, 3.82f, 3.705f}});

    rect(8.4f, 6.0f, 4.85f, 8.0f);
    font(kPlain, kBaseSize + 3);
    left(5.85f, 5.75f, "THREAD INFO");
    font(kPlain, kBaseSize + 2);
    description(4.92f, 6.05f);

    end();
}

void Sheet::drawPipe() {
    rect(10.5f, 0.5f, 0.5f, 2.99f);
    rect(10.5f, 3.14f, 0.5f, 4.75f);

    font(kPlain, kBaseSize + 5);
    rect(10.5f, 4.98f, 8.5f, 5.43f);
    centred(9.5f, 5.08f, inchDisplay() ? "INCH DISPLAY" : "METRIC DISPLAY");

    font(kEmphasised, kBaseSize + 7);
    centred(5.5f, 0.75f, text(field::kExternalTitle));
    centred(5.5f, 3.386f, text(field::kInternalTitle));

    font(kEmphasised, kBaseSize + 3);
    centred(2.78f, 1.25f, text(field::kExternalGroupCaptions[0]));
    centred(4.88f, 1.25f, text(field::kExternalGroupCaptions[1]));
    centred(7.6f, 1.25f, text(field::kExternalGroupCaptions[2]));
    centred(4.15f, 2.125f, text(field::kExternalCrestFlatCaption));
    centred(2.56f, 3.89f, text(field::kInternalGroupCaptions[0]));
    centred(6.84f, 3.89f, text(field::kInternalCrestFlatCaption));

    font(kEmphasised, kBaseSize + 2);
    centred(4.88f, 1.52f, spaced(field::kExternalColumnCaptions[3]));
    centred(6.88f, 1.52f, spaced(field::kExternalColumnCaptions[5]));
    centred(8.33f, 1.52f, text(field::kExternalColumnCaptions[7]));
    centred(2.31f, 2.4f, text(field::kGeometryCaptions[0]));
    centred(3.76f, 2.4f, text(field::kGeometryCaptions[1]));
    centred(4.54f, 2.4f, text(field::kGeometryExtraCaption));
    centred(5.79f, 2.4f, text(field::kGeometryCaptions[2]));
    centred(7.04f, 2.4f, text(field::kGeometryCaptions[3]));
    centred(8.69f, 2.4f, text(field::kGeometryCaptions[4]));

    font(kPlain, kBaseSize + 2);
    centred(2.31f, 2.67f, text(field::kGeometryValues[0]));
    centred(3.76f, 2.67f, text(field::kGeometryValues[1]));
    centred(4.54f, 2.67f, text(field::kGeometryExtraValue));
    centred(5.79f, 2.67f, text(field::kGeometryValues[2]));
    centred(7.04f, 2.67f, text(field::kGeometryValues[3]));
    centred(8.69f, 2.67f, text(field::kGeometryValues[4]));

    font(kEmphasised, kBaseSize + 2);
    centred(1.86f, 4.16f, spaced(field::kInternalColumnCaptions[0]));
    centred(3.25f, 4.16f, spaced(field::kInternalColumnCaptions[1]));
    centred(5.0f, 4.16f, text(field::kInternalColumnCaptions[7]));
    centred(6.45f, 4.16f, spaced(field::kInternalColumnCaptions[8]));
    centred(7.24f, 4.16f, spaced(field::kInternalExtraCaption));
    centred(8.94f, 4.16f, spaced(field::kTapDepthCaption));

    font(kPlain, kBaseSize + 2);
    centred(2.78f, 1.8f, text(field::kExternalRow1[1]));
    centred(4.88f, 1.8f, text(field::kExternalRow1[3]));
    centred(6.88f, 1.8f, text(field::kExternalRow1[5]));
    centred(8.33f, 1.8f, text(field::kExternalRow1[7]));
    centred(1.86f, 4.44f, text(field::kInternalRow1[0]));
    centred(3.25f, 4.44f, text(field::kInternalRow1[1]));
    centred(5.0f, 4.44f, text(field::kInternalHeight));
    centred(6.45f, 4.44f, text(field::kInternalFlat));
    centred(7.24f, 4.44f, text(field::kInternalExtraValue1));
    centred(8.94f, 4.44f, text(field::kInternalExtraValue2));

    rect(4.25f, 5.5f, 1.0f, 8.0f);
    font(kPlain, kBaseSize + 3);
    centred(2.625f, 5.25f, "L1 - L4 LENGTHS");
    font(kPlain, kBaseSize + 2);
    float y = 5.7f;
    for (int i = 1; i <= 15; ++i) {
        left(1.1f, y, item(i));
        y += s_;
    }

    rect(6.56f, 5.9f, 4.44f, 8.0f);
    font(kPlain, kBaseSize + 3);
    centred(5.5f, 5.65f, "TAP DRILL GUIDE");
    font(kPlain, kBaseSize + 2);
    drillExcerpt({12, 5.95f, 4.64f, 5.645f, {5.945f, 5.83f, 5.715f, 5.6f}});

    rect(10.1f, 5.9f, 6.75f, 8.0f);
    font(kPlain, kBaseSize + 3);
    centred(8.425f, 5.65f, "THREAD INFO");
    font(kPlain, kBaseSize + 2);
    description(6.85f, 5.95f);

    end();
}

// The drill-chart rows from the guide start index on: all names first, then all diameters,
// right-aligned by their character count. Rows past the end of the chart (which the guide never
// asks for) are printed blank.
void Sheet::drillExcerpt(const DrillBox& box) {
    const auto rowY = [&](int n) { return box.top + static_cast<float>(n) * s_; };
    const auto inChart = [](long long i) { return i >= 0 && i < drill_chart::kRowCount; };
    const long long first = input_.guideStartIndex;
    for (int n = 0; n < box.rows; ++n) {
        const long long i = first + n;
        left(box.nameX, rowY(n), inChart(i) ? drill_chart::row(static_cast<int>(i)).drillName : "");
    }
    for (int n = 0; n < box.rows; ++n) {
        const long long i = first + n;
        if (!inChart(i)) continue;
        if (i == drill_chart::kEndRow) {
            left(box.noDataX, rowY(n), "NO DATA");
            continue;
        }
        const double inches = leadingNumber(drill_chart::row(static_cast<int>(i)).decimalInch);
        const std::string t = formatLength(inches, input_.unitMode);
        if (t.size() >= 4 && t.size() <= 7) left(box.diameterX[t.size() - 4], rowY(n), t);
    }
}

void Sheet::description(float x, float top) {
    const SheetDescription d = sheetDescription(input_.series, input_.unitMode);
    const float lineStep = d.narrowSteps ? kNarrowLineStep : s_;
    const float blankStep = d.narrowSteps ? kNarrowBlankStep : kBlankStep;
    float y = top;
    for (const SheetLine& line : d.lines) {
        left(x, y, line.text);
        if (line.advance == Advance::Line) y += lineStep;
        if (line.advance == Advance::Blank) y += blankStep;
    }
}

}  // namespace

bool printDataSheet(PrintPreview& preview, Windowing& windowing, WindowHandle mainWindow,
                    const DataSheetInput& input) {
    const int doc = preview.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    if (doc < 1) {
        windowing.messageBox(mainWindow, "Info", "Error Creating  " + std::to_string(doc),
                             platform::MessageIcon::Warning);
        return false;
    }
    Sheet sheet(preview, doc, windowing, mainWindow, input);
    if (input.series == series::NPT || input.series == series::NPTF) {
        sheet.drawPipe();
    } else {
        sheet.drawScrew();
    }
    return true;
}

}  // namespace torveld
