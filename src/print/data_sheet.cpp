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

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kPlain = 1;
constexpr int kEmphasised = 5;  // plain plus the emphasis flag 4
constexpr int kLeft = 0;
constexpr int kCentre = 1;

// Page layout, in inches (single precision throughout, as the layout variables are).
constexpr float kLineStep = 1.0f / 6.0f;
constexpr float kBlankStep = 1.0f / 8.5f;
constexpr float kNarrowLineStep = 1.0f / 7.0f;
constexpr float kNarrowBlankStep = 1.0f / 9.5f;
constexpr float kInternalOffset = 3.0f;  // the internal block repeats the external rows lower
constexpr std::array<float, 10> kColumnX = {0.92f, 1.72f, 2.62f, 3.52f, 4.72f,
                                            5.62f, 6.92f, 7.82f, 8.97f, 9.87f};
constexpr float kBaseSize = 8.0f;
constexpr float kNoteStep = 1.0f / 8.0f;

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
    Sheet(PrintPreview& preview, int doc, const DataSheetInput& input)
        : preview_(preview), doc_(doc), input_(input), t_(input.texts) {}

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
    // A column caption as printed: one space before the window's text.
    static std::string spaced(const std::string& text) {
        std::string caption = " ";
        caption += text;
        return caption;
    }
    // Item `index` of the engagement list; an index the list does not hold reads empty.
    std::string item(int index) const {
        const auto i = static_cast<std::size_t>(index);
        return index >= 0 && i < t_.engagement.size() ? t_.engagement[i] : std::string();
    }
    bool inchDisplay() const { return input_.unitMode.unitFactor == 1.0; }

    void drillExcerpt(const DrillBox& box);
    void description(float x, float top);
    void specialNote();
    void end() { preview_.dpEndDoc(doc_, platform::kEndDocShowPreview); }

    PrintPreview& preview_;
    int doc_;
    const DataSheetInput& input_;
    const SheetTexts& t_;
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
    centred(5.5f, y, t_.external.title);
    centred(5.5f, y + kInternalOffset, t_.internal.title);

    y += 3 * s_;
    font(kEmphasised, kBaseSize + 3);
    constexpr std::array<float, 4> groupX = {2.65f, 5.15f, 7.35f, 9.4f};
    for (size_t i = 0; i < t_.external.groups.size(); ++i) {
        centred(groupX[i], y, t_.external.groups[i]);
    }
    for (size_t i = 0; i < t_.internal.groups.size(); ++i) {
        centred(groupX[i], y + kInternalOffset, t_.internal.groups[i]);
    }

    // Column captions carry a leading space, except the third ("MEAN").
    const auto columnCaption = [](const std::string& text, size_t column) {
        return column == 2 ? text : spaced(text);
    };
    y += 2 * s_;
    font(kEmphasised, kBaseSize + 2);
    centred(0.9f, y, "CLASS");
    for (size_t i = 0; i < t_.external.columns.size(); ++i) {
        centred(X[i + 1], y, columnCaption(t_.external.columns[i], i));
    }

    font(kEmphasised, kBaseSize + 2);
    constexpr std::array<float, 5> geometryCaptionX = {1.7f, 2.85f, 3.9f, 5.12f, 6.55f};
    for (size_t i = 0; i < t_.geometryCaptions.size(); ++i) {
        centred(geometryCaptionX[i], y + g, t_.geometryCaptions[i]);
    }
    centred(8.65f, y + g - 1.5f * s_ + 0.1f, t_.radiiCaption);
    centred(8.1f, y + g + 0.1f, t_.crestCaption);
    centred(9.25f, y + g + 0.1f, t_.rootCaption);

    g += 1.5f * s_;
    font(kPlain, kBaseSize + 2);
    constexpr std::array<float, 5> geometryValueX = {1.65f, 2.85f, 3.85f, 5.1f, 6.55f};
    for (size_t i = 0; i < t_.geometryValues.size(); ++i) {
        centred(geometryValueX[i], y + g, t_.geometryValues[i]);
    }
    centred(8.08f, y + g + 0.1f, t_.crestValue);
    centred(9.23f, y + g + 0.1f, t_.rootValue);

    font(kEmphasised, kBaseSize + 2);
    centred(0.9f, y + kInternalOffset, "CLASS");
    for (size_t i = 0; i < t_.internal.columns.size(); ++i) {
        centred(X[i + 1], y + kInternalOffset, columnCaption(t_.internal.columns[i], i));
    }

    font(kPlain, kBaseSize + 2);
    for (size_t r = 0; r < 2; ++r) {
        y += 1.5f * s_;
        centred(X[0], y, t_.external.classes[r]);
        for (size_t i = 0; i < t_.external.rows[r].size(); ++i) {
            centred(X[i + 1], y, t_.external.rows[r][i]);
        }
        centred(X[0], y + kInternalOffset, t_.internal.classes[r]);
        for (size_t i = 0; i < t_.internal.rows[r].size(); ++i) {
            centred(X[i + 1], y + kInternalOffset, t_.internal.rows[r][i]);
        }
        // The thread height and flat stand once, on the first internal class's row.
        if (r == 0) {
            centred(X[8], y + kInternalOffset, t_.internalHeight);
            centred(X[9], y + kInternalOffset, t_.internalFlat);
        }
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

    specialNote();
    end();
}

// Under the display box, in the free corner right of THREAD INFO: the first line emphasised.
void Sheet::specialNote() {
    if (input_.specialNote.empty()) return;
    float y = 7.38f;
    bool first = true;
    for (const std::string& line : input_.specialNote) {
        font(first ? kEmphasised : kPlain, kBaseSize);
        left(8.7f, y, line);
        y += kNoteStep;
        first = false;
    }
}

void Sheet::drawPipe() {
    rect(10.5f, 0.5f, 0.5f, 2.99f);
    rect(10.5f, 3.14f, 0.5f, 4.75f);

    font(kPlain, kBaseSize + 5);
    rect(10.5f, 4.98f, 8.5f, 5.43f);
    centred(9.5f, 5.08f, inchDisplay() ? "INCH DISPLAY" : "METRIC DISPLAY");

    font(kEmphasised, kBaseSize + 7);
    centred(5.5f, 0.75f, t_.external.title);
    centred(5.5f, 3.386f, t_.internal.title);

    font(kEmphasised, kBaseSize + 3);
    centred(2.78f, 1.25f, t_.external.groups[0]);
    centred(4.88f, 1.25f, t_.external.groups[1]);
    centred(7.6f, 1.25f, t_.external.groups[2]);
    centred(4.15f, 2.125f, t_.externalCrestFlatCaption);
    centred(2.56f, 3.89f, t_.internal.groups[0]);
    centred(6.84f, 3.89f, t_.internalCrestFlatCaption);

    font(kEmphasised, kBaseSize + 2);
    centred(4.88f, 1.52f, spaced(t_.external.columns[3]));
    centred(6.88f, 1.52f, spaced(t_.external.columns[5]));
    centred(8.33f, 1.52f, t_.external.columns[7]);
    centred(2.31f, 2.4f, t_.geometryCaptions[0]);
    centred(3.76f, 2.4f, t_.geometryCaptions[1]);
    centred(4.54f, 2.4f, t_.externalFlatMinCaption);
    centred(5.79f, 2.4f, t_.geometryCaptions[2]);
    centred(7.04f, 2.4f, t_.geometryCaptions[3]);
    centred(8.69f, 2.4f, t_.geometryCaptions[4]);

    font(kPlain, kBaseSize + 2);
    centred(2.31f, 2.67f, t_.geometryValues[0]);
    centred(3.76f, 2.67f, t_.geometryValues[1]);
    centred(4.54f, 2.67f, t_.externalFlatMin);
    centred(5.79f, 2.67f, t_.geometryValues[2]);
    centred(7.04f, 2.67f, t_.geometryValues[3]);
    centred(8.69f, 2.67f, t_.geometryValues[4]);

    font(kEmphasised, kBaseSize + 2);
    centred(1.86f, 4.16f, spaced(t_.internal.columns[0]));
    centred(3.25f, 4.16f, spaced(t_.internal.columns[1]));
    centred(5.0f, 4.16f, t_.internal.columns[7]);
    centred(6.45f, 4.16f, spaced(t_.internal.columns[8]));
    centred(7.24f, 4.16f, spaced(t_.internalFlatMinCaption));
    centred(8.94f, 4.16f, spaced(t_.tapDepthCaption));

    font(kPlain, kBaseSize + 2);
    centred(2.78f, 1.8f, t_.external.rows[0][1]);
    centred(4.88f, 1.8f, t_.external.rows[0][3]);
    centred(6.88f, 1.8f, t_.external.rows[0][5]);
    centred(8.33f, 1.8f, t_.external.rows[0][7]);
    centred(1.86f, 4.44f, t_.internal.rows[0][0]);
    centred(3.25f, 4.44f, t_.internal.rows[0][1]);
    centred(5.0f, 4.44f, t_.internalHeight);
    centred(6.45f, 4.44f, t_.internalFlat);
    centred(7.24f, 4.44f, t_.internalFlatMin);
    centred(8.94f, 4.44f, t_.tapDepth);

    rect(4.25f, 5.5f, 1.0f, 8.0f);
    font(kPlain, kBaseSize + 3);
    centred(2.625f, 5.25f, t_.lengthsCaption);
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

int printDataSheet(PrintPreview& preview, const DataSheetInput& input) {
    using namespace platform::start_doc;
    const int doc = preview.dpStartDoc(kNoParent, "Thread Data", kNoFile, kOptionA, kOptionB,
                                       kOptionC, kOptionD, kOptionE);
    if (doc < 1) return doc;
    Sheet sheet(preview, doc, input);
    if (isValidSeries(input.series) &&
        (seriesById(input.series).display == DisplayFamily::TaperPipe ||
         seriesById(input.series).display == DisplayFamily::BritishTaper)) {
        sheet.drawPipe();
    } else {
        sheet.drawScrew();
    }
    return doc;
}

}  // namespace torveld
