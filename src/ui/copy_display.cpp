#include "copy_display.h"

#include <span>
#include <string_view>
#include <vector>

#include "control_ids.h"
#include "display_texts.h"
#include "drill_chart.h"

namespace torveld {

using namespace ids;

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Lines of tab-separated cells. A tab or line break inside a text would break the table's
// shape; it becomes a blank.
class Table {
  public:
    void line(const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i != 0) text_ += '\t';
            for (const char c : cells[i]) text_ += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
        }
        text_ += '\n';
    }
    void blank() { text_ += '\n'; }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

// A column heading: a caption and the caption over it (0: none), read as one text.
struct Heading {
    int over;
    int caption;
};

// One field and its heading.
struct Single {
    Heading heading;
    int field;
};

// The external grid: headings, then the class label and the cells of each row.
constexpr Heading kExternalHeadings[] = {
    {kExtMajorCaption, kExtMajorMaxCaption},  {kExtMajorCaption, kExtMajorMinCaption},
    {kExtMajorCaption, kExtMajorMeanCaption}, {kExtPitchCaption, kExtPitchMaxCaption},
    {kExtPitchCaption, kExtPitchMinCaption},  {kExtMinorCaption, kExtMinor1Caption},
    {kExtMinorCaption, kExtMinor2Caption},    {kOverWiresCaption, kWiresMaxCaption},
    {kOverWiresCaption, kWiresMinCaption},
};
constexpr int kExternalLabels[] = {kExtNormalLabel, kExtCloseLabel};
constexpr int kExternalCells[2][9] = {
    {kExtNormalMajorMax, kExtNormalMajorMin, kExtNormalMajorMean, kExtNormalPitchMax,
     kExtNormalPitchMin, kExtNormalMinor1, kExtNormalMinor2, kExtNormalWiresMax,
     kExtNormalWiresMin},
    {kExtCloseMajorMax, kExtCloseMajorMin, kExtCloseMajorMean, kExtClosePitchMax, kExtClosePitchMin,
     kExtCloseMinor1, kExtCloseMinor2, kExtCloseWiresMax, kExtCloseWiresMin},
};

// The internal grid, with the internal height and flat beside its upper row (0: no cell).
constexpr Heading kInternalHeadings[] = {
    {kIntMinorCaption, kIntMinorMinCaption},
    {kIntMinorCaption, kIntMinorMaxCaption},
    {kIntMinorCaption, kIntMinorMeanCaption},
    {kIntPitchCaption, kIntPitchMinCaption},
    {kIntPitchCaption, kIntPitchMaxCaption},
    {kIntMajorCaption, kIntMajorMinCaption},
    {kIntMajorCaption, kIntMajorMaxCaption},
    {0, kIntHeightCaption},
    {0, kIntFlatCaption},
};
constexpr int kInternalLabels[] = {kIntNormalLabel, kIntCloseLabel};
constexpr int kInternalCells[2][9] = {
    {kIntNormalMinorMin, kIntNormalMinorMax, kIntNormalMinorMean, kIntNormalPitchMin,
     kIntNormalPitchMax, kIntNormalMajorMin, kIntNormalMajorMax, kIntHeight, kIntFlat},
    {kIntCloseMinorMin, kIntCloseMinorMax, kIntCloseMinorMean, kIntClosePitchMin, kIntClosePitchMax,
     kIntCloseMajorMin, kIntCloseMajorMax, 0, 0},
};

// The middle row between the grids.
constexpr Single kMiddleRow[] = {
    {{0, kExtHeightCaption}, kExtHeight},
    {{0, kExtFlatCaption}, kExtFlat},
    {{0, kPitchCaption}, kPitch},
    {{0, kBestWireCaption}, kBestWire},
    {{0, kConstantCaption}, kConstant},
    {{kRadiiCaption, kRadius1Caption}, kRadius1},
    {{kRadiiCaption, kRadius2Caption}, kRadius2},
};

// The fields of the pipe arrangement under the captions it gives them.
constexpr Single kPipeExternal[] = {
    {{0, kExtMajorCaption}, kExtNormalMajorMin},
    {{kExtPitchCaption, kExtPitchMaxCaption}, kExtNormalPitchMax},
    {{kExtMinorCaption, kExtMinor1Caption}, kExtNormalMinor1},
    {{kExtMinorCaption, kWiresMaxCaption}, kExtNormalWiresMax},
    {{0, kExtHeightCaption}, kExtHeight},
    {{kPipeExtFlatCaption, kExtFlatCaption}, kExtFlat},
    {{kPipeExtFlatCaption, kPipeExtFlatMinCaption}, kPipeExtFlatMin},
    {{0, kPitchCaption}, kPitch},
    {{0, kBestWireCaption}, kBestWire},
    {{0, kConstantCaption}, kConstant},
};
constexpr Single kPipeInternal[] = {
    {{kIntMinorCaption, kIntMinorMinCaption}, kIntNormalMinorMin},
    {{kIntMinorCaption, kIntMinorMaxCaption}, kIntNormalMinorMax},
    {{0, kIntHeightCaption}, kIntHeight},
    {{kPipeIntFlatCaption, kIntFlatCaption}, kIntFlat},
    {{kPipeIntFlatCaption, kPipeIntFlatMinCaption}, kPipeIntFlatMin},
    {{0, kTapDepthCaption}, kPipeTapDepth},
};

class Reader {
  public:
    explicit Reader(const ControlTexts& texts) : texts_(texts) {}

    std::string text(int id) const { return std::string(trimmed(texts_.text(id))); }
    std::string heading(Heading h) const {
        std::string text = h.over != 0 ? this->text(h.over) : std::string();
        const std::string caption = this->text(h.caption);
        if (!text.empty() && !caption.empty()) text += ' ';
        text += caption;
        return text;
    }
    // A field as shown; empty for one without a value.
    std::string cell(int id) const {
        if (id == 0) return {};
        std::string value = text(id);
        return value == "--" || value == "---" ? std::string() : value;
    }

    void grid(Table& table, const char* name, std::span<const Heading> headings,
              const int (&labels)[2], const int (&cells)[2][9]) const {
        std::vector<std::string> line{name};
        for (const Heading& h : headings) line.push_back(heading(h));
        table.line(line);
        for (int row = 0; row < 2; ++row) {
            line = {text(labels[row])};
            for (const int id : cells[row]) line.push_back(cell(id));
            table.line(line);
        }
    }
    void singles(Table& table, std::span<const Single> fields) const {
        for (const Single& s : fields) table.line({heading(s.heading), cell(s.field)});
    }

  private:
    const ControlTexts& texts_;
};

// One line of the engagement or lengths list as cells: "  100%  -   .1850" gives "100%" and
// ".1850"; "  L1 = .2280   (3.90 THREADS)" gives "L1", ".2280" and "3.90 THREADS"; a line of
// words stays one cell.
std::vector<std::string> listCells(std::string_view item) {
    item = trimmed(item);
    std::size_t at = item.find(" = ");
    if (at == std::string_view::npos) at = item.find(" - ");
    if (at == std::string_view::npos) return {std::string(item)};
    std::vector<std::string> cells{std::string(trimmed(item.substr(0, at)))};
    const std::string_view rest = trimmed(item.substr(at + 3));
    const std::size_t open = rest.find('(');
    if (open != std::string_view::npos && rest.back() == ')') {
        cells.emplace_back(trimmed(rest.substr(0, open)));
        cells.emplace_back(trimmed(rest.substr(open + 1, rest.size() - open - 2)));
    } else {
        cells.emplace_back(rest);
    }
    return cells;
}

}  // namespace

std::string displayTable(const DisplayTableInput& input) {
    const Reader read(input.texts);
    Table table;
    table.line({std::string(input.designation), input.mode.isMetric() ? "millimetres" : "inches"});
    table.blank();

    const bool pipe = isValidSeries(input.series) &&
                      (seriesById(input.series).display == DisplayFamily::TaperPipe ||
                       seriesById(input.series).display == DisplayFamily::BritishTaper);
    if (pipe) {
        table.line({"EXTERNAL"});
        read.singles(table, kPipeExternal);
        table.blank();
        table.line({"INTERNAL"});
        read.singles(table, kPipeInternal);
    } else {
        read.grid(table, "EXTERNAL", kExternalHeadings, kExternalLabels, kExternalCells);
        table.blank();
        read.singles(table, kMiddleRow);
        table.blank();
        read.grid(table, "INTERNAL", kInternalHeadings, kInternalLabels, kInternalCells);
    }
    table.blank();

    table.line({read.text(kEngagementCaption)});
    for (const std::string& item : input.texts.engagement()) {
        if (!trimmed(item).empty()) table.line(listCells(item));
    }
    table.blank();

    std::vector<std::string> guide{read.text(kDrillChartCaption)};
    if (input.guideRow >= 0 && input.guideRow < drill_chart::kRowCount) {
        guide.emplace_back(drill_chart::row(input.guideRow).drillName);
        if (input.guideRow != drill_chart::kEndRow) {
            const DrillTextMode mode =
                input.mode.isMetric() ? DrillTextMode::Metric : DrillTextMode::StartUp;
            guide.emplace_back(
                trimmed(drillDiameterText(drill_chart::diameter(input.guideRow), mode)));
        }
    }
    table.line(guide);
    return table.take();
}

std::string displayTable(const ThreadReport& report, const UnitMode& mode) {
    const ControlTexts texts = windowTexts(report, mode);
    return displayTable({texts, report.identity.series, report.identity.sizeDesignation, mode,
                         report.tapDrill.guide.guideRow});
}

std::optional<platform::MenuEntry> otherUnitEntry(const FieldValues& values,
                                                  const ControlTexts& texts, int id,
                                                  const UnitMode& mode) {
    const std::optional<FieldValues::Value> value = values.at(id);
    // The number must still be what the field shows.
    if (!value || texts.text(id) != formatLength(value->inches, mode, value->placesOffset)) {
        return std::nullopt;
    }
    const bool metric = mode.isMetric();
    const UnitMode other = metric ? UnitMode::inch() : UnitMode::metric();
    return platform::MenuEntry{metric ? "Copy in inches" : "Copy in millimetres",
                               formatLength(value->inches, other, value->placesOffset)};
}

}  // namespace torveld
