#include "pipe_layout.h"

#include <string>

#include "control_ids.h"
#include "control_table.h"

namespace torveld {

using namespace ids;
using platform::Rect;

namespace {

struct Placement {
    int id;
    Rect rect;
    const char* caption;  // nullptr keeps the caption
};

// External grid and middle row of the pipe arrangement.
constexpr Placement kPipeUpper[] = {
    {kInternalHeader, {105, 195, 470, 28}, nullptr},
    {kExtMajorCaption, {75, 45, 125, 18}, nullptr},
    {kExtPitchCaption, {205, 45, 145, 18}, nullptr},
    {kExtMinorCaption, {395, 45, 170, 18}, nullptr},
    {kExtPitchMaxCaption, {220, 61, 115, 18}, nullptr},
    {kExtMinor1Caption, {360, 61, 115, 18}, nullptr},
    {kWiresMaxCaption, {485, 61, 115, 18}, nullptr},
    {kExtHeightCaption, {63, 135, 65, 18}, nullptr},
    {kExtFlatCaption, {169, 135, 65, 18}, nullptr},
    {kPipeExtFlatCaption, {169, 120, 130, 18}, nullptr},
    {kPipeExtFlatMinCaption, {234, 135, 65, 18}, nullptr},
    {kPitchCaption, {335, 135, 75, 18}, nullptr},
    {kBestWireCaption, {442, 135, 75, 18}, nullptr},
    {kConstantCaption, {523, 135, 125, 18}, nullptr},
    {kExtNormalMajorMin, {100, 77, 75, 25}, nullptr},
    {kExtNormalPitchMax, {240, 77, 75, 25}, nullptr},
    {kExtNormalMinor1, {380, 77, 75, 25}, nullptr},
    {kExtNormalWiresMax, {505, 77, 75, 25}, nullptr},
    {kExtHeight, {58, 151, 75, 25}, nullptr},
    {kExtFlat, {169, 151, 65, 25}, nullptr},
    {kPipeExtFlatMin, {234, 151, 65, 25}, nullptr},
    {kPitch, {335, 151, 75, 25}, nullptr},
    {kBestWire, {442, 151, 75, 25}, nullptr},
    {kConstant, {548, 151, 75, 25}, nullptr},
};

// Internal fields and the lists of the pipe arrangement.
constexpr Placement kPipeLower[] = {
    {kIntNormalMinorMin, {53, 266, 75, 25}, nullptr},
    {kIntNormalMinorMax, {155, 266, 75, 25}, nullptr},
    {kIntHeight, {257, 266, 75, 25}, nullptr},
    {kIntFlat, {364, 266, 65, 25}, nullptr},
    {kPipeIntFlatMin, {430, 266, 65, 25}, nullptr},
    {kPipeTapDepth, {532, 266, 65, 25}, nullptr},
    {kIntMinorCaption, {58, 235, 167, 18}, nullptr},
    {kIntMinorMinCaption, {48, 250, 85, 18}, nullptr},
    {kIntMinorMaxCaption, {140, 250, 105, 18}, nullptr},
    {kIntHeightCaption, {262, 250, 65, 18}, nullptr},
    {kPipeIntFlatCaption, {364, 235, 135, 18}, nullptr},
    {kIntFlatCaption, {364, 250, 65, 18}, nullptr},
    {kPipeIntFlatMinCaption, {430, 250, 65, 18}, nullptr},
    {kTapDepthCaption, {517, 250, 95, 18}, nullptr},
    {kDrillChart, {270, 340, 172, 203}, nullptr},
    {kDrillChartCaption, {270, 324, 173, 18}, nullptr},
    {kEngagementList, {5, 340, 260, 203}, nullptr},
    {kEngagementCaption, {5, 324, 260, 18}, nullptr},
};

// The captions each pipe arrangement writes over its places: the gauge values of NPT and NPTF,
// and those of R, Rc and Rp (the diameters at the gauge plane, the pitch diameter at the small
// end of the pipe, the radius of the rounded crests and roots, the parallel Rp's minor
// diameter, the tolerance of the internal gauge plane). Each lists the same controls, so that
// either arrangement writes all of them whatever was shown before.
struct Caption {
    int id;
    const char* npt;
    const char* britishTaper;
};
constexpr Caption kPipeCaptions[] = {
    {kExtMajorCaption, "PIPE DIAMETER", "GAUGE DIAMETER"},
    {kExtPitchCaption, "MAJOR DIAMETER", "MINOR DIAMETER"},
    {kExtMinorCaption, "PITCH DIAMETER", "PITCH DIAMETER"},
    {kExtPitchMaxCaption, "END OF PIPE", "GAUGE PLANE"},
    {kExtMinor1Caption, "E1 GAGE NOTCH", "GAUGE PLANE"},
    {kWiresMaxCaption, "E0 END OF PIPE", "END OF PIPE"},
    {kExtFlatCaption, "MAX", "CREST"},
    {kPipeExtFlatCaption, "FLAT AT CREST", "RADIUS"},
    {kPipeExtFlatMinCaption, "MIN", "ROOT"},
    {kConstantCaption, "CONSTANT (2 WIRE)", "CONSTANT"},
    {kIntMinorCaption, "MINOR DIAMETER", "Rp MINOR DIAMETER"},
    {kIntMinorMinCaption, "FACE OF PART", "MIN"},
    {kIntMinorMaxCaption, "K0 END OF PIPE", "MAX"},
    {kIntHeightCaption, "HEIGHT", "HEIGHT"},
    {kIntFlatCaption, "MAX", "CREST"},
    {kPipeIntFlatCaption, "FLAT AT CREST", "RADIUS"},
    {kPipeIntFlatMinCaption, "MIN", "ROOT"},
    {kTapDepthCaption, "TAP DEPTH (REF)", "GAUGE PLANE +/-"},
    {kEngagementCaption, "   L1 - L4 LENGTHS", "   GAUGE LENGTHS"},
    {kPipeExit, "Exit NPT", "Exit R"},
};

// Collapsed in the pipe arrangement, before the upper placements.
// clang-format off
constexpr int kCollapsedUpper[] = {
    kExtNormalMajorMax, kExtNormalMajorMean, kExtCloseMajorMax, kExtCloseMajorMin,
    kExtCloseMajorMean, kExtNormalPitchMin, kExtClosePitchMax, kExtClosePitchMin,
    kExtNormalMinor2, kExtCloseMinor1, kExtCloseMinor2, kExtNormalWiresMin,
    kExtCloseWiresMax, kExtCloseWiresMin,
    kRadius1, kRadius2,
    kExtMajorMaxCaption, kExtMajorMinCaption, kExtMajorMeanCaption, kExtPitchMinCaption,
    kExtMinor2Caption, kWiresMinCaption, kOverWiresCaption, kRadiiCaption,
    kRadius1Caption, kRadius2Caption, kThreadTypeCaption,
    kExtNormalLabel, kExtCloseLabel,
};

// Collapsed in the screw arrangement: the controls of the pipe arrangement only.
constexpr int kPipeOnly[] = {
    kPipeExtFlatMin, kPipeIntFlatMin, kPipeTapDepth, kPipeExtFlatCaption, kPipeExtFlatMinCaption,
    kTapDepthCaption, kPipeIntFlatCaption, kPipeIntFlatMinCaption, kPipeExit,
};
// clang-format on

// The screw arrangement moves three middle-row captions a little off their creation places.
constexpr Placement kScrewExceptions[] = {
    {kExtHeightCaption, {80, 139, 70, 18}, nullptr},
    {kBestWireCaption, {315, 139, 78, 18}, nullptr},
    {kConstantCaption, {400, 139, 78, 18}, nullptr},
};

constexpr Placement kScrewCaptions[] = {
    {kExtMajorCaption, {}, "MAJOR DIAMETER"},
    {kExtPitchCaption, {}, "PITCH DIAMETER"},
    {kExtMinorCaption, {}, "MINOR DIAMETER"},
    {kExtMajorMinCaption, {}, "MIN"},
    {kExtPitchMaxCaption, {}, "MAX"},
    {kExtMinor1Caption, {}, "MAX"},
    {kWiresMaxCaption, {}, "MAX"},
    {kConstantCaption, {}, "CONSTANT"},
    {kExtFlatCaption, {}, "FLAT"},
    {kIntFlatCaption, {}, "FLAT"},
    {kIntMinorMaxCaption, {}, "MAX"},
    {kIntMinorMinCaption, {}, "MIN"},
    {kEngagementCaption, {}, "ENGAGEMENT"},
};

void collapse(LayoutTarget& out, int id) {
    out.rect(id, Rect{});
}

void place(LayoutTarget& out, const Placement& p) {
    out.rect(p.id, p.rect);
    if (p.caption) out.text(p.id, p.caption);
}

// The main window itself.
class WindowTarget : public LayoutTarget {
  public:
    explicit WindowTarget(const WindowWriter& out) : out_(out) {}
    void rect(int id, Rect rect) override { out_.rect(id, rect); }
    void text(int id, std::string_view text) override { out_.text(id, text); }
    void show(int id, bool visible) override {
        out_.windowing.showControl(out_.window, id, visible);
    }
    void check(int id, bool checked) override { out_.windowing.setRadio(out_.window, id, checked); }

  private:
    const WindowWriter& out_;
};

// The controls of a started window, as data.
class Arranged : public LayoutTarget {
  public:
    Arranged() {
        for (const ControlDef& c : mainControls()) {
            if (ArrangedControl* a = at(c.id)) {
                *a = ArrangedControl{
                    c.caption, c.rect,
                    (c.style & platform::style::kVisible) != 0 || shownAtStartUp(c.id)};
            }
        }
    }
    void rect(int id, Rect rect) override {
        if (ArrangedControl* a = at(id)) a->rect = rect;
    }
    void text(int id, std::string_view text) override {
        if (ArrangedControl* a = at(id)) a->text = text;
    }
    void show(int id, bool visible) override {
        if (ArrangedControl* a = at(id)) a->visible = visible;
    }
    void check(int, bool) override {}
    const ArrangedControls& controls() const { return controls_; }

  private:
    ArrangedControl* at(int id) {
        if (id < ControlTexts::kFirstId || id > ControlTexts::kLastId) return nullptr;
        return &controls_[static_cast<std::size_t>(id - ControlTexts::kFirstId)];
    }
    ArrangedControls controls_{};
};

// Controls that the screw arrangement puts back on their creation rectangles: the grid cells
// and middle-row fields, the lists, the internal header, the class labels and every caption.
bool restoredByScrewLayout(int id) {
    return (id >= kExtNormalMajorMax && id <= kIntFlat) || id == kDrillChart ||
           id == kEngagementList || id == kInternalHeader ||
           (id >= kExtNormalLabel && id <= kIntFlatCaption) || id == kThreadTypeCaption ||
           id == kDrillChartCaption || id == kEngagementCaption;
}

}  // namespace

Arrangement arrangementOf(SeriesId series) {
    if (!isValidSeries(series)) return Arrangement::Screw;
    switch (seriesById(series).display) {
        case DisplayFamily::TaperPipe:
            return Arrangement::Npt;
        case DisplayFamily::BritishTaper:
            return Arrangement::BritishTaper;
        default:
            return Arrangement::Screw;
    }
}

void applyPipeLayout(LayoutTarget& out, Arrangement pipe) {
    for (int id : kCollapsedUpper) collapse(out, id);
    for (int id = kFirstSeriesRadio; id <= kLastSeriesRadio; ++id) out.show(id, false);
    for (const Placement& p : kPipeUpper) place(out, p);

    for (int id = kIntNormalMinorMin; id <= kIntFlat; ++id) collapse(out, id);
    for (int id = kIntMinorCaption; id <= kIntFlatCaption; ++id) collapse(out, id);
    for (int id : {kIntNormalLabel, kIntCloseLabel, kDrillChart, kDrillChartCaption,
                   kEngagementList, kEngagementCaption}) {
        collapse(out, id);
    }
    for (const Placement& p : kPipeLower) place(out, p);
    out.rect(kPipeExit, {468, 390, 160, 60});
    for (const Caption& c : kPipeCaptions) {
        out.text(c.id, pipe == Arrangement::BritishTaper ? c.britishTaper : c.npt);
    }
}

void applyScrewLayout(LayoutTarget& out) {
    for (int id : kPipeOnly) collapse(out, id);
    for (const ControlDef& c : mainControls()) {
        if (restoredByScrewLayout(c.id)) out.rect(c.id, c.rect);
    }
    for (const Placement& p : kScrewExceptions) out.rect(p.id, p.rect);
    for (const Placement& p : kScrewCaptions) out.text(p.id, p.caption);
    out.check(kUncRadio, true);
    out.check(kNptRadio, false);
    out.check(kNptfRadio, false);
    for (int id = kFirstSeriesRadio; id <= kLastSeriesRadio; ++id) out.show(id, true);
}

void applyPipeLayout(const WindowWriter& out, Arrangement pipe) {
    WindowTarget target(out);
    applyPipeLayout(target, pipe);
}

void applyScrewLayout(const WindowWriter& out) {
    WindowTarget target(out);
    applyScrewLayout(target);
}

const ArrangedControls& arrangedControls(Arrangement arrangement) {
    static const ArrangedControls screw = Arranged().controls();
    const auto piped = [](Arrangement pipe) {
        Arranged arranged;
        applyPipeLayout(arranged, pipe);
        return arranged.controls();
    };
    static const ArrangedControls npt = piped(Arrangement::Npt);
    static const ArrangedControls britishTaper = piped(Arrangement::BritishTaper);
    switch (arrangement) {
        case Arrangement::Npt:
            return npt;
        case Arrangement::BritishTaper:
            return britishTaper;
        case Arrangement::Screw:
            break;
    }
    return screw;
}

}  // namespace torveld
