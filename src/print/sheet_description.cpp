#include "sheet_description.h"

#include <utility>

namespace torveld {

namespace {

constexpr Advance S = Advance::Line;
constexpr Advance B = Advance::Blank;

class Builder {
  public:
    explicit Builder(const UnitMode& mode) : mode_(mode) {}

    Builder& line(std::string text, Advance advance) {
        lines_.push_back({std::move(text), advance});
        return *this;
    }
    Builder& blank() { return line("", B); }

    // An empty line, then the included angle of the profile.
    Builder& angle(const char* degrees) {
        return blank().line(std::string("thread profile included angle = ") + degrees + "\u00B0",
                            B);
    }

    // An empty line, then the pitch-diameter growth for each .001 in of plating. The second
    // line ends the group with `last` (no step when it ends the description).
    Builder& plating(double change, Advance last = Advance::None) {
        blank().line("pitch diameter changes " + formatLength(change, mode_) + " with", S);
        return line("each " + formatLength(0.001, mode_) + " of plating buildup", last);
    }

    // The four class lines of a series with two external and two internal classes.
    Builder& classes(const char* ext2, const char* ext3, const char* int2, const char* int3,
                     Advance last) {
        return line(ext2, S).line(ext3, S).line(int2, S).line(int3, last);
    }

    SheetDescription done(bool narrow = false) { return {std::move(lines_), narrow}; }

  private:
    const UnitMode& mode_;
    std::vector<SheetLine> lines_;
};

SheetDescription unified(const char* title, const UnitMode& mode) {
    return Builder(mode)
        .line(title, B)
        .blank()
        .classes("2A = medium fit external", "3A = close fit external", "2B = medium fit internal",
                 "3B = close fit internal", B)
        .angle("60")
        .plating(0.004)
        .done();
}

SheetDescription unj(const char* title, const UnitMode& mode) {
    return Builder(mode)
        .line(title, S)
        .line("CONTROLLED ROOT RADIUS", B)
        .blank()
        .line("3A = close fit external", S)
        .line("3B = close fit internal", B)
        .angle("60")
        .blank()
        .line("controlled root radius external threads", B)
        .blank()
        .line("increased internal minor diameter", B)
        .plating(0.004)
        .done();
}

SheetDescription taperPipe(const char* kind, const UnitMode& mode) {
    return Builder(mode)
        .line("AMERICAN NATIONAL STANDARD", S)
        .line(kind, B)
        .blank()
        .line("OD/ID taper = 3/4\" per foot (included)", B)
        .angle("60")
        .plating(0.004)
        .done();
}

SheetDescription metric(const char* title, const UnitMode& mode) {
    return Builder(mode)
        .line(title, B)
        .blank()
        .line("6g = medium fit external", S)
        .line("4g6g = close fit external (some)", S)
        .line("4h = close fit external (some)", S)
        .line("5H = medium fit internal (some)", S)
        .line("6H = medium fit internal (some)", S)
        .line("4H = close fit internal", B)
        .angle("60")
        .plating(0.004)
        .done();
}

SheetDescription whitworth(const char* pitches, const UnitMode& mode) {
    return Builder(mode)
        .line("BRITISH STANDARD WHITWORTH", S)
        .line(pitches, B)
        .blank()
        .classes("medium fit external", "close fit external", "medium fit internal",
                 "close fit internal", S)
        .angle("55")
        .plating(0.0044)
        .done();
}

SheetDescription insert(const char* series, const UnitMode& mode) {
    return Builder(mode)
        .line("SCREW THREAD INSERT FOR", S)
        .line(series, B)
        .blank()
        .line("2B = medium fit internal", S)
        .line("3B = close fit internal", S)
        .angle("60")
        .plating(0.004)
        .done();
}

}  // namespace

SheetDescription sheetDescription(SeriesId id, const UnitMode& mode) {
    using namespace series;
    switch (id) {
        case UNC:
            return unified("UNIFIED COARSE PITCH SERIES", mode);
        case UNF:
            return unified("UNIFIED FINE PITCH SERIES", mode);
        case UNEF:
            return unified("UNIFIED EXTRA-FINE PITCH SERIES", mode);
        case UN:
            return unified("UNIFIED CONSTANT PITCH SERIES", mode);
        case UNS:
            return Builder(mode)
                .line("UNIFIED SPECIAL SERIES", S)
                .line("SPECIAL DIAMETERS, PITCHES,", S)
                .line("AND LENGTHS OF ENGAGEMENT", B)
                .blank()
                .line("2A = medium fit external", S)
                .line("2B = medium fit internal", B)
                .angle("60")
                .plating(0.004)
                .done();
        case UNJ:
            return unj("UNIFIED CONSTANT PITCH SERIES", mode);
        case UNJC:
            return unj("UNIFIED COARSE PITCH SERIES", mode);
        case UNJF:
            return unj("UNIFIED FINE PITCH SERIES", mode);
        case UNJEF:
            return unj("UNIFIED EXTRA-FINE PITCH SERIES", mode);
        case UNM:
            return Builder(mode)
                .line("UNIFIED MINIATURE SERIES", B)
                .angle("60")
                .plating(0.004)
                .done();
        case ACME:
            return Builder(mode)
                .line("GENERAL PURPOSE SERIES", B)
                .blank()
                .classes("2G = medium fit external", "4G = close fit external",
                         "2G = medium fit internal", "4G = close fit internal", B)
                .angle("29")
                .plating(0.008)
                .done();
        case STUB_ACME:
            return Builder(mode).line("STUB SERIES", B).angle("29").plating(0.008).done();
        case NPT:
            return taperPipe("TAPER PIPE THREAD", mode);
        case NPTF:
            return taperPipe("DRYSEAL TAPER PIPE THREAD", mode);
        case NPSM:
            return Builder(mode)
                .line("AMERICAN NATIONAL STANDARD", S)
                .line("STRAIGHT PIPE THREAD FOR FIXTURES", S)
                .line("FREE-FITTING MECHANICAL JOINTS", B)
                .blank()
                .line("2A = medium fit external", S)
                .line("2B = medium fit internal", B)
                .angle("60")
                .plating(0.004)
                .done();
        case NPSL:
            return Builder(mode)
                .line("AMERICAN NATIONAL STANDARD", S)
                .line("STRAIGHT PIPE THREAD FOR LOCKNUTS", S)
                .line("LOOSE-FITTING MECHANICAL JOINTS", B)
                .angle("60")
                .plating(0.004, B)
                .blank()
                .line("the external major diameter is determined", S)
                .line("by the diameter of commercial pipe", B)
                .blank()
                .line("the external minor diameter and the", S)
                .line("internal major and minor diameters vary", S)
                .line("with the pitch diameter", Advance::None)
                .done(true);
        case ISO_COARSE:
            return metric("METRIC COARSE PITCH SERIES", mode);
        case ISO_FINE:
            return metric("METRIC FINE PITCH SERIES", mode);
        case BSW:
            return whitworth("COARSE PITCH SERIES", mode);
        case BSF:
            return whitworth("FINE PITCH SERIES", mode);
        case BA:
            return Builder(mode)
                .line("BRITISH ASSOCIATION STANDARD SERIES", B)
                .blank()
                .classes("normal fit external", "close fit external", "normal fit internal",
                         "close fit internal", S)
                .angle("47.5")
                .plating(0.005)
                .done();
        case UNC_STI:
            return insert("UNIFIED COARSE PITCH SERIES", mode);
        case UNF_STI:
            return insert("UNIFIED FINE PITCH SERIES", mode);
        case G:
            return Builder(mode)
                .line("BRITISH STANDARD PIPE THREAD", S)
                .line("PARALLEL, ISO 228-1 (BSPP)", B)
                .blank()
                .line("B = medium fit external", S)
                .line("A = close fit external", S)
                .line("one internal class (G)", B)
                .angle("55")
                .blank()
                .line("seals at the face, not on the thread", B)
                .plating(0.0044)
                .done();
        case R:
            return Builder(mode)
                .line("BRITISH STANDARD PIPE THREAD", S)
                .line("TAPER, ISO 7-1 (BSPT)", B)
                .blank()
                .line("R = taper external", S)
                .line("Rc = taper internal, Rp = parallel internal", B)
                .blank()
                .line("taper 1 in 16 on the diameter", B)
                .angle("55")
                .blank()
                .line("R mates with Rc or Rp, never with G", B)
                .plating(0.0044)
                .done();
        case TR:
            return Builder(mode)
                .line("METRIC TRAPEZOIDAL THREAD", S)
                .line("ISO 2901 TO 2904", B)
                .blank()
                .line("7e = medium fit external", S)
                .line("7H = medium fit internal", B)
                .angle("30")
                .plating(0.0077)
                .done();
        default:
            return {};
    }
}

}  // namespace torveld
