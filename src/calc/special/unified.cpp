// Unified inch threads (ASME B1.1) and UNJ (ASME B1.15): limits of size of any diameter and pitch
// by the standards' formulas, in the rounding order of the published tables.
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "decimal_round.h"
#include "series.h"
#include "standards.h"

namespace torveld::special::detail {

namespace {

constexpr double kSmallestDiameter = 0.060;  // No. 0
constexpr double kLargestDiameter = 6.0;
constexpr double kCoarsestTpi = 4.0;
constexpr double kFinestTpi = 80.0;
constexpr double kThreePlacesFrom = 0.138;  // No. 6: internal minor diameters to 3 places
constexpr double kSame = 1e-9;

bool isUnj(Series s) {
    return s == Series::UNJC || s == Series::UNJF || s == Series::UNJEF || s == Series::UNJ ||
           s == Series::UNJS;
}

// The Unified series whose size list a series is bound to (UNJC has the UNC sizes, ...), or
// none for the special series UNS and UNJS.
std::optional<SeriesId> sizeListOf(Series s) {
    switch (s) {
        case Series::UNC:
        case Series::UNJC:
            return series::UNC;
        case Series::UNF:
        case Series::UNJF:
            return series::UNF;
        case Series::UNEF:
        case Series::UNJEF:
            return series::UNEF;
        case Series::UN:
        case Series::UNJ:
            return series::UN;
        default:
            return std::nullopt;
    }
}

// The base series of the length-of-engagement rule ("UNC" for UNJC, ...).
std::string_view baseCode(Series s) {
    switch (s) {
        case Series::UNJC:
            return "UNC";
        case Series::UNJF:
            return "UNF";
        case Series::UNJEF:
            return "UNEF";
        case Series::UNJ:
            return "UN";
        case Series::UNJS:
            return "UNS";
        default:
            return seriesCode(s);
    }
}

// B1.1 tabulates UNC, UNF and the 4-, 6- and 8-thread UN series on a length of engagement equal
// to the diameter, and UNEF, the finer UN series and UNS on nine pitches.
bool onNinePitches(Series s, double tpi) {
    const std::string_view base = baseCode(s);
    if (base == "UNC" || base == "UNF") return false;
    if (base == "UN")
        return !(std::fabs(tpi - 4.0) < kSame || std::fabs(tpi - 6.0) < kSame ||
                 std::fabs(tpi - 8.0) < kSame);
    return true;
}

// Groups of sizes of the series on nine pitches: the diameter term of the pitch-diameter
// tolerance is the nominal diameter of the group, B1.1's tabulation (the published 1A to 3B rows
// up to 4 in; the handbook rows of 5 3/4 in for the sizes over 4 in). Largest size of the group
// (inclusive) and its nominal diameter.
struct ToleranceGroup {
    double largest;
    double nominal;
};
constexpr ToleranceGroup kGroups[] = {
    {0.22, 0.19}, {0.3125, 0.25}, {0.4375, 0.375}, {0.5625, 0.5}, {0.6875, 0.625}, {0.875, 0.75},
    {1.125, 1.0}, {1.375, 1.25},  {1.625, 1.5},    {1.875, 1.75}, {2.25, 2.0},     {2.75, 2.5},
    {3.25, 3.0},  {3.75, 3.5},    {4.0, 4.0},      {6.0, 6.0},
};

double toleranceDiameter(Series s, double d, double tpi) {
    if (!onNinePitches(s, tpi) || d < kGroups[0].nominal - kSame) return d;
    for (const ToleranceGroup& g : kGroups)
        if (d <= g.largest + kSame) return g.nominal;
    return d;  // not reached: larger diameters are refused
}

// The diameter of a size-list designation: "1/4", "1 3/8", ".390", "1.0625", a whole number of
// inches, or a number size (0 to 12: 0.060 + 0.013 n in). UN writes whole inches only; elsewhere
// an integer with 24 threads per inch or finer is a number size ("1-64" is No. 1, "1-8" one
// inch).
double designationInches(std::string_view text, double tpi, SeriesId id) {
    double total = 0.0;
    bool fraction = false;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string_view part = text.substr(0, blank);
        const std::size_t slash = part.find('/');
        if (slash == std::string_view::npos) {
            total += leadingNumber(part);
        } else {
            fraction = true;
            const double denominator = leadingNumber(part.substr(slash + 1));
            if (denominator > 0.0) total += leadingNumber(part.substr(0, slash)) / denominator;
        }
        if (blank == std::string_view::npos) break;
        text.remove_prefix(blank + 1);
    }
    const bool integer = !fraction && std::floor(total) == total;
    if (integer && id != series::UN && tpi >= 24.0 && total <= 12.0) return 0.060 + 0.013 * total;
    return total;
}

// A size of one of the Unified size lists, read once: its series, pitch, diameter and
// designation text.
struct ListedSize {
    SeriesId id;
    double tpi;
    double inches;
    std::string_view designation;
};

const std::vector<ListedSize>& listedSizes() {
    static const std::vector<ListedSize> sizes = [] {
        std::vector<ListedSize> all;
        for (const SeriesId id : {series::UNC, series::UNF, series::UNEF, series::UN, series::UNJC,
                                  series::UNJF, series::UNJEF}) {
            for (int r = 0; r < sizeCount(id); ++r) {
                const SizeRow row = sizeRow(id, r);
                const double tpi = pitchTextValue(row.pitchText);
                all.push_back(
                    {id, tpi, designationInches(row.designation, tpi, id), row.designation});
            }
        }
        return all;
    }();
    return sizes;
}

// The designation of the size of a list with this diameter and pitch, or none.
std::optional<std::string_view> listedSize(SeriesId id, double d, double tpi) {
    for (const ListedSize& size : listedSizes())
        if (size.id == id && std::fabs(size.tpi - tpi) < kSame && std::fabs(size.inches - d) < 1e-6)
            return size.designation;
    return std::nullopt;
}

bool inSizeList(SeriesId id, double d, double tpi) {
    return listedSize(id, d, tpi).has_value();
}

// The constant-pitch series of B1.1 (4-UN to 32-UN) and the diameters each covers: from the
// smallest to the largest size with that pitch in the size lists of UNC, UNF, UNEF and UN
// (src/data), inches. B1.1 places the UNC, UNF and UNEF sizes of a pitch in its constant-pitch
// series, so they bound it too (20-UN starts at 1/4-20 UNC). The test
// SpecialUnified.ConstantPitchRangesAreThoseOfTheSizeLists checks them against the lists.
struct ConstantPitch {
    double tpi;
    double smallest;
    double largest;
};
constexpr ConstantPitch kConstantPitches[] = {
    {4.0, 2.5, 6.0},      // 2 1/2-4 UNC to 6-4 UN
    {6.0, 1.375, 5.0},    // 1 3/8-6 UNC to 5-6 UN
    {8.0, 1.0, 4.0},      // 1-8 UNC to 4-8 UN
    {12.0, 0.5625, 6.0},  // 9/16-12 UNC to 6-12 UN
    {16.0, 0.375, 6.0},   // 3/8-16 UNC to 6-16 UN
    {20.0, 0.25, 3.0},    // 1/4-20 UNC to 3-20 UN
    {28.0, 0.216, 1.5},   // No. 12-28 UNF to 1 1/2-28 UN
    {32.0, 0.138, 1.0},   // No. 6-32 UNC to 1-32 UN
};

const ConstantPitch* constantPitch(double tpi) {
    for (const ConstantPitch& c : kConstantPitches)
        if (std::fabs(c.tpi - tpi) < kSame) return &c;
    return nullptr;
}

struct UnifiedClass {
    int grade = 0;  // 1, 2 or 3
    Side side = Side::External;
    std::string name;
};

std::optional<UnifiedClass> parseClass(std::string_view text) {
    if (text.size() != 2 || text[0] < '1' || text[0] > '3') return std::nullopt;
    const char letter = text[1];
    UnifiedClass c;
    c.grade = text[0] - '0';
    if (letter == 'A' || letter == 'a') {
        c.side = Side::External;
    } else if (letter == 'B' || letter == 'b') {
        c.side = Side::Internal;
    } else {
        return std::nullopt;
    }
    c.name = {text[0], c.side == Side::External ? 'A' : 'B'};
    return c;
}

// Factor of the class 2A pitch-diameter tolerance.
double classFactor(const UnifiedClass& c) {
    if (c.side == Side::External) return c.grade == 1 ? 1.5 : c.grade == 2 ? 1.0 : 0.75;
    return c.grade == 1 ? 1.95 : c.grade == 2 ? 1.3 : 0.975;
}

// Internal minor-diameter tolerance of B1.1, unrounded: 1B and 2B, and 3B.
double minorTolerance(double d, double tpi, int grade) {
    const double p = 1.0 / tpi;
    const double formula = 0.05 * std::pow(p, 2.0 / 3.0) + 0.03 * p / d - 0.002;
    if (grade < 3) {
        const double floor = 0.25 * p - 0.4 * p * p;
        if (d < 0.25) return std::fmin(std::fmax(formula, floor), 0.394 * p);
        return tpi >= 4.0 - kSame ? floor : 0.15 * p;
    }
    const double floor = tpi >= 13.0 - kSame ? 0.23 * p - 1.5 * p * p : 0.120 * p;
    return std::fmin(std::fmax(formula, floor), 0.394 * p);
}

Limit four(std::int64_t units) {
    return Limit{units, 4};
}

constexpr const char* kConstantPitchList = "4, 6, 8, 12, 16, 20, 28 and 32 threads per inch";

// "1/4-20" / "1.1-8": the size as asked, for the refusal texts.
std::string sizeText(double d, double tpi) {
    std::string text = inchText(d);
    text += '-';
    text += numberText(tpi);
    return text;
}

// How a thread is computed: by the rules of `series` (UNJ outside its constant-pitch series by
// those of UNJS), with `note` saying why where that is not plain.
// "the 12-UN constant-pitch series"
std::string constantSeriesText(double tpi) {
    std::string text = "the ";
    text += numberText(tpi);
    text += "-UN constant-pitch series";
    return text;
}

// "9/16 to 6 in": the diameters the size lists give a constant pitch.
std::string constantRangeText(const ConstantPitch& constant) {
    std::string text = inchText(constant.smallest);
    text += " to ";
    text += inchText(constant.largest);
    text += " in";
    return text;
}

struct Rules {
    Series series;
    std::string note;
};

std::string refusalOfRange(Series s, double d, double tpi, Rules& rules) {
    std::string text;
    rules = {s, {}};
    if (tpi < kCoarsestTpi - kSame || tpi > kFinestTpi + kSame) {
        text = numberText(tpi);
        text +=
            " threads per inch is outside ASME B1.1, which gives Unified threads from 4 to 80 "
            "threads per inch";
        return text;
    }
    if (d < kSmallestDiameter - kSame || d > kLargestDiameter + kSame) {
        text = "a basic major diameter of ";
        text += numberText(d);
        text +=
            " in is outside ASME B1.1, which gives Unified threads from 0.060 in (No. 0) to "
            "6 in";
        return text;
    }
    if (1.0 / tpi > d / 4.0 + kSame) {
        text = numberText(tpi);
        text += " threads per inch is too coarse for ";
        text += numberText(d);
        text +=
            " in: no Unified thread has a pitch above a quarter of its diameter (the coarsest, "
            "No. 6-32 UNC, has 0.23)";
        return text;
    }
    const bool unj = isUnj(s);
    if (s == Series::UN || s == Series::UNJ) {
        // A size of the coarse, fine or extra-fine series is that series' thread.
        constexpr std::pair<SeriesId, SeriesId> kGraded[] = {{series::UNC, series::UNJC},
                                                             {series::UNF, series::UNJF},
                                                             {series::UNEF, series::UNJEF}};
        for (const auto& [un, unjList] : kGraded) {
            if (!inSizeList(un, d, tpi)) continue;
            const SeriesId id = unj ? unjList : un;
            text = sizeText(d, tpi);
            text += " is a ";
            text += torveld::seriesById(id).name;
            text += unj ? " size of ASME B1.15: ask for " : " size of ASME B1.1: ask for ";
            text += listedSize(id, d, tpi).value_or(std::string_view());
            text += '-';
            text += numberText(tpi);
            text += ' ';
            text += torveld::seriesById(id).name;
            return text;
        }
        const ConstantPitch* constant = constantPitch(tpi);
        const bool covered = constant != nullptr && d >= constant->smallest - kSame &&
                             d <= constant->largest + kSame;
        if (covered) {
            if (!inSizeList(series::UN, d, tpi)) {
                rules.note = sizeText(d, tpi);
                rules.note += " is a special diameter of ";
                rules.note += constantSeriesText(tpi);
                rules.note += ", which the size lists give from ";
                rules.note += constantRangeText(*constant);
            }
            return text;
        }
        if (unj) {
            // UNJ admits any size: outside a constant-pitch series it is the special series.
            rules.series = Series::UNJS;
            rules.note = sizeText(d, tpi);
            rules.note +=
                constant == nullptr ? " has no constant pitch of UNJ (" : " lies outside ";
            if (constant == nullptr) {
                rules.note += kConstantPitchList;
                rules.note += ')';
            } else {
                rules.note += constantSeriesText(tpi);
                rules.note += " (";
                rules.note += constantRangeText(*constant);
                rules.note += ')';
            }
            rules.note += ", so it is computed as UNJS, the special series";
            return text;
        }
        if (constant == nullptr) {
            text = "UN has the constant pitches ";
            text += kConstantPitchList;
            text += ": a special diameter-pitch combination such as ";
            text += sizeText(d, tpi);
            text += " is UNS";
            return text;
        }
        text = constantSeriesText(tpi);
        text += " covers ";
        text += constantRangeText(*constant);
        text += ", so ";
        text += sizeText(d, tpi);
        text += " is not a UN thread: a special diameter-pitch combination is UNS";
        return text;
    }
    if (const auto list = sizeListOf(s); list && !inSizeList(*list, d, tpi)) {
        text = sizeText(d, tpi);
        text += " is not a ";
        text += seriesCode(s);
        text += unj ? " size of ASME B1.15: a special size is UNJS, or UNJ with a constant pitch ("
                    : " size of ASME B1.1: a special size is UNS, or UN with a constant pitch (";
        text += kConstantPitchList;
        text += ')';
        return text;
    }
    return text;
}

}  // namespace

void unified(const SpecialThread& thread, std::span<const std::string_view> classes,
             Result& result) {
    const Series s = thread.series;
    const double d = thread.majorDiameter;
    const double tpi = thread.pitch;
    result.unit = Unit::Inch;
    Rules rules{s, {}};
    result.refusal = refusalOfRange(s, d, tpi, rules);
    if (!result.ok()) return;

    const double p = 1.0 / tpi;
    const bool ninePitches = onNinePitches(rules.series, tpi);
    const double le = ninePitches ? 9.0 * p : d;
    const double dTerm = toleranceDiameter(rules.series, d, tpi);
    const double t2a =
        0.0015 * std::cbrt(dTerm) + 0.0015 * std::sqrt(le) + 0.015 * std::pow(p, 2.0 / 3.0);
    const std::int64_t allowance = roundToUnits(0.3 * t2a, 4);
    const std::int64_t basicPitch = roundToUnits(d - 0.649519 * p, 4);
    const std::int64_t basicMajor = roundToUnits(d, 4);
    const double basicMinor = d - 1.082532 * p;
    const bool unj = isUnj(s);

    for (const std::string_view text : classes) {
        ClassLimits& out = result.classes.emplace_back();
        out.name = std::string(text);
        const std::optional<UnifiedClass> c = parseClass(text);
        if (!c) {
            out.refusal =
                "not a class of Unified threads, which are 1A, 2A and 3A external, 1B, 2B and 3B "
                "internal";
            continue;
        }
        out.name = c->name;
        out.side = c->side;
        if (unj && c->grade != 3) {
            out.refusal = "ASME B1.15 gives UNJ threads in classes 3A and 3B only";
            continue;
        }
        const std::int64_t tolerance = roundToUnits(classFactor(*c) * t2a, 4);
        if (c->side == Side::External) {
            const std::int64_t es = c->grade == 3 ? 0 : allowance;
            const double majorFactor = c->grade == 1 ? 0.090 : 0.060;
            const std::int64_t majorMax = basicMajor - es;
            const std::int64_t pitchMax = basicPitch - es;
            const std::int64_t pitchMin = pitchMax - tolerance;
            out.majorMax = four(majorMax);
            out.majorMin = four(majorMax - roundToUnits(majorFactor * std::pow(p, 2.0 / 3.0), 4));
            out.pitchMax = four(pitchMax);
            out.pitchMin = four(pitchMin);
            if (unj) {
                // Root radius 0.18042 P to 0.15011 P, tangent to both flanks, below the 4-place
                // pitch limits.
                out.minorMax = four(roundToUnits(unitsToValue(pitchMax, 4) - 0.505182 * p, 4));
                out.minorMin = four(roundToUnits(unitsToValue(pitchMin, 4) - 0.565805 * p, 4));
            } else {
                out.minorRef = four(roundToUnits(unitsToValue(majorMax, 4) - 1.226869 * p, 4));
            }
            continue;
        }
        const std::int64_t minorTol = roundToUnits(minorTolerance(d, tpi, c->grade), 4);
        out.pitchMin = four(basicPitch);
        out.pitchMax = four(basicPitch + tolerance);
        out.majorMin = four(basicMajor);
        if (unj) {
            // The internal minor diameter of UNJ lies H/8 above the UN basic minor: D - 9H/8.
            const double minor = d - 0.974279 * p;
            out.minorMin = four(roundToUnits(minor, 4));
            out.minorMax = four(roundToUnits(minor + unitsToValue(minorTol, 4), 4));
            continue;
        }
        const std::int64_t minorMin = roundToUnits(basicMinor, 4);
        const std::int64_t minorMax = roundToUnits(basicMinor + unitsToValue(minorTol, 4), 4);
        if (d >= kThreePlacesFrom - kSame) {
            out.minorMin = Limit{unitsToThreePlaces(minorMin), 3};
            out.minorMax = c->grade == 3 ? four(minorMax) : Limit{unitsToThreePlaces(minorMax), 3};
        } else {
            out.minorMin = four(minorMin);
            out.minorMax = four(minorMax);
        }
    }

    std::string& why = result.provenance;
    why = unj ? "ASME B1.15 " : "ASME B1.1 ";
    why += seriesCode(s);
    why += ' ';
    why += numberText(d);
    why += '-';
    why += numberText(tpi);
    why += ": ";
    if (!rules.note.empty()) {
        why += rules.note;
        why += "; ";
    }
    why +=
        "class 2A pitch-diameter tolerance T2A = 0.0015 D^(1/3) + 0.0015 LE^(1/2) + "
        "0.015 P^(2/3) with LE = ";
    why += ninePitches ? "9P = " : "D = ";
    why += numberText(le);
    why += " in";
    if (dTerm != d) {
        why += " and D in the diameter term = ";
        why += numberText(dTerm);
        why += " in, the nominal diameter of the size's group as B1.1 tabulates the series on 9P";
    }
    why +=
        "; allowance 0.3 T2A (1A, 2A); class tolerances 1.5 (1A), 1 (2A), 0.75 (3A), 1.95 (1B), "
        "1.3 (2B), 0.975 (3B) x T2A; major-diameter tolerance 0.090 P^(2/3) (1A), "
        "0.060 P^(2/3) (2A, 3A); basic pitch diameter D - 0.649519 P; internal minor diameter "
        "from D - 1.082532 P with the B1.1 minor tolerance";
    if (unj) {
        why +=
            " raised by H/8 (D - 0.974279 P); external minor diameter from the pitch limits "
            "with the root radius 0.18042 P (max, - 0.505182 P) and 0.15011 P (min, "
            "- 0.565805 P)";
    } else {
        why += "; the REF minor diameter is the maximum major diameter - 1.226869 P";
    }
    why +=
        ". Rounding: T2A unrounded; each tolerance, the allowance and the basic diameters to 4 "
        "places, every limit their sum";
    if (!unj && d >= kThreePlacesFrom - kSame)
        why +=
            "; internal minor minimum and the 1B and 2B maximum to 3 places from the 4-place "
            "value";
    why += "; a value exactly half way goes to the even digit. Inches.";
}

}  // namespace torveld::special::detail
