// ISO general-purpose metric threads: limits of size from the basic profile (ISO 68-1) and the
// ISO 965-1 deviations and tolerances, in millimetres.
//
// The pitch-diameter tolerances Td2 and TD2 come from ISO 965-1 Tables 5 and 6 wherever they
// list the pitch for the diameter range. A pitch of the standard's series that the tables do not
// list for the range (M28.5x0.6: the range over 22.4 up to 45 mm lists 1 to 4.5 mm) takes them
// from the formula the tables were made from (iso_formula.h), in the grades the tables give for
// that pitch in the nearest range that lists it. A pitch coarser than the coarsest the tables list
// for the range is too coarse for the diameter and refused; finer pitches are computed down to
// the series' 0.2 mm.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

#include "decimal_round.h"
#include "iso_formula.h"
#include "standard_tables.h"
#include "standards.h"

namespace torveld::special {

namespace iso {

namespace {
// The R40 preferred numbers 1.00 ... 9.50, in hundredths.
constexpr int kR40[40] = {100, 106, 112, 118, 125, 132, 140, 150, 160, 170, 180, 190, 200, 212,
                          224, 236, 250, 265, 280, 300, 315, 335, 355, 375, 400, 425, 450, 475,
                          500, 530, 560, 600, 630, 670, 710, 750, 800, 850, 900, 950};
constexpr double kExternalFactor[] = {0.5, 0.63, 0.8, 1.0, 1.25, 1.6, 2.0};  // grades 3-9
constexpr double kInternalFactor[] = {0.85, 1.06, 1.32, 1.7, 2.12};          // grades 4-8
}  // namespace

int r40(double micrometres) {
    if (!(micrometres > 0.0)) return 0;
    const long step = std::lround(40.0 * std::log10(micrometres));
    long decade = step / 40;
    long index = step % 40;
    if (index < 0) {
        index += 40;
        --decade;
    }
    const int preferred = kR40[index];  // hundredths of 10^decade
    if (decade < 2) {
        // Under 100 um: whole micrometres, half way to the even one (10.6 -> 11, 37.5 -> 38,
        // 42.5 -> 42, as the tables write R40 4.25), never 0.
        long divisor = 1;
        for (long k = decade; k < 2 && divisor < 1000000L; ++k) divisor *= 10;
        long whole = preferred / divisor;
        const long rest = preferred % divisor;
        if (2 * rest > divisor || (2 * rest == divisor && (whole & 1) != 0)) ++whole;
        return static_cast<int>(std::max(1L, whole));
    }
    long value = preferred;
    for (long k = 2; k < decade && value < 100000000L; ++k) value *= 10;
    return static_cast<int>(value);
}

double td2GradeSix(double pitch, double rangeOver, double rangeUpto) {
    return 90.0 * std::pow(pitch, 0.4) * std::pow(std::sqrt(rangeOver * rangeUpto), 0.1);
}

int pitchTolerance(bool internal, int grade, int td2GradeSixRounded) {
    if (internal) {
        if (grade < 4 || grade > 8) return 0;
        return r40(kInternalFactor[grade - 4] * td2GradeSixRounded);
    }
    if (grade < 3 || grade > 9) return 0;
    if (grade == 6) return td2GradeSixRounded;
    return r40(kExternalFactor[grade - 3] * td2GradeSixRounded);
}

}  // namespace iso

namespace detail {

namespace {

constexpr double kSame = 1e-9;

// The diameter ranges of ISO 965-1 Tables 5 and 6 (over, up to and including), micrometres.
struct Range {
    int overUm;
    int uptoUm;
};
constexpr Range kRanges[] = {{990, 1400},    {1400, 2800},    {2800, 5600},
                             {5600, 11200},  {11200, 22400},  {22400, 45000},
                             {45000, 90000}, {90000, 180000}, {180000, 355000}};

int rangeIndexOfDiameter(double d) {
    for (int i = 0; i < static_cast<int>(std::size(kRanges)); ++i)
        if (d > kRanges[i].overUm / 1000.0 + kSame && d <= kRanges[i].uptoUm / 1000.0 + kSame)
            return i;
    return -1;
}

int rangeIndexOfRow(const tables::RangeRow& row) {
    for (int i = 0; i < static_cast<int>(std::size(kRanges)); ++i)
        if (kRanges[i].overUm == row.overUm) return i;
    return -1;
}

// A tolerance class as ISO 965-1 writes it: "6g" (pitch and crest diameter in grade 6), or
// "4g6g" / "5H6H" (pitch-diameter grade first, then the crest diameter: the major diameter of an
// external thread, the minor diameter of an internal one).
struct MetricClass {
    int pitchGrade = 0;
    int crestGrade = 0;
    char position = 0;  // e f g h external, G H internal
};

bool isGrade(char c) {
    return c >= '1' && c <= '9';
}

bool isPosition(char c) {
    return c == 'e' || c == 'f' || c == 'g' || c == 'h' || c == 'G' || c == 'H';
}

std::optional<MetricClass> parseClass(std::string_view text, std::string& why) {
    MetricClass c;
    if ((text.size() != 2 && text.size() != 4) || !isGrade(text[0]) || !isPosition(text[1]) ||
        (text.size() == 4 && (!isGrade(text[2]) || !isPosition(text[3])))) {
        why =
            "not an ISO metric tolerance class: write a grade and a position letter, as 6g, "
            "4g6g, 6H or 5H6H";
        return std::nullopt;
    }
    c.pitchGrade = text[0] - '0';
    c.position = text[1];
    c.crestGrade = text.size() == 4 ? text[2] - '0' : c.pitchGrade;
    if (text.size() == 4 && text[3] != text[1]) {
        why =
            "the two grades of one class share one position letter (as in 4g6g or 5H6H), so "
            "this is not a class";
        return std::nullopt;
    }
    return c;
}

const tables::PitchRow* pitchRow(double p) {
    for (const tables::PitchRow& row : tables::pitchRows())
        if (std::fabs(row.pitchUm / 1000.0 - p) < kSame) return &row;
    return nullptr;
}

// The pitch-diameter tolerances of one side (Td2 external, TD2 internal) for the thread: the
// table's row where it lists the pitch for the diameter range, else the formula, in the grades
// of the row of the nearest range that lists the pitch.
struct PitchDiameterTolerance {
    const tables::RangeRow* listed = nullptr;    // the table's row, or none: the formula
    const tables::RangeRow* gradesOf = nullptr;  // formula: the row whose grades are given
    int gradeSix = 0;                            // formula: Td2(6), rounded to R40

    // The tolerance of `grade` (micrometres), 0 where none is given.
    int of(bool internal, int grade) const {
        const int index = grade - 3;
        if (index < 0 || index >= 7) return 0;
        if (listed != nullptr) return listed->grade[index];
        if (gradesOf == nullptr || gradesOf->grade[index] == 0) return 0;
        return iso::pitchTolerance(internal, grade, gradeSix);
    }
};

PitchDiameterTolerance pitchDiameterTolerance(std::span<const tables::RangeRow> rows, int range,
                                              int pitchUm, int gradeSix) {
    PitchDiameterTolerance t;
    int nearest = 100;
    for (const tables::RangeRow& row : rows) {
        if (row.pitchUm != pitchUm) continue;
        const int distance = std::abs(rangeIndexOfRow(row) - range);
        if (distance == 0) {
            t.listed = &row;
            return t;
        }
        if (distance < nearest) {
            nearest = distance;
            t.gradesOf = &row;
        }
    }
    t.gradeSix = gradeSix;
    return t;
}

std::string micrometresText(int um) {
    std::string text = numberText(um, 0);
    text += " \u00b5m";
    return text;
}

// "ISO 965-1 gives no grade 8 pitch-diameter tolerance (Td2) of external threads with P 0.6 mm
// at 28.5 mm".
std::string gradeRefusal(const char* what, int grade, double p, double d) {
    std::string text = "ISO 965-1 gives no grade ";
    text += static_cast<char>('0' + grade);
    text += ' ';
    text += what;
    text += " with P ";
    text += numberText(p, 3);
    text += " mm";
    if (d > 0.0) {
        text += " at ";
        text += numberText(d, 4);
        text += " mm";
    }
    return text;
}

Limit three(double mm) {
    return Limit{roundToUnits(mm, 3), 3};
}

std::string rangeText(const Range& r) {
    std::string text = "over ";
    text += numberText(r.overUm / 1000.0, 3);
    text += " up to ";
    text += numberText(r.uptoUm / 1000.0, 3);
    text += " mm";
    return text;
}

// Why the thread itself is refused, or "".
std::string refusalOfThread(double d, double p, const tables::PitchRow* byPitch, int range) {
    std::string text;
    if (byPitch == nullptr) {
        text = numberText(p, 4);
        text +=
            " mm is not a pitch of ISO metric threads, whose pitches are 0.2, 0.25, 0.3, 0.35, "
            "0.4, 0.45, 0.5, 0.6, 0.7, 0.75, 0.8, 1, 1.25, 1.5, 1.75, 2, 2.5, 3, 3.5, 4, 4.5, 5, "
            "5.5, 6 and 8 mm (ISO 965-1 gives no tolerances for other pitches)";
        return text;
    }
    if (range < 0) {
        text = "ISO 965-1 gives tolerances for diameters over 0.99 mm up to 355 mm only, not for ";
        text += numberText(d, 4);
        text += " mm";
        return text;
    }
    int coarsest = 0;
    for (const tables::RangeRow& row : tables::externalPitchRows())
        if (rangeIndexOfRow(row) == range && row.pitchUm > coarsest) coarsest = row.pitchUm;
    if (byPitch->pitchUm > coarsest) {
        text = "P ";
        text += numberText(p, 3);
        text += " mm is too coarse for a diameter of ";
        text += numberText(d, 4);
        text += " mm: ISO 965-1 gives pitches up to ";
        text += numberText(coarsest / 1000.0, 3);
        text += " mm for diameters ";
        text += rangeText(kRanges[range]);
    }
    return text;
}

}  // namespace

void metric(const SpecialThread& thread, std::span<const std::string_view> classes,
            Result& result) {
    const double d = thread.majorDiameter;
    const double p = thread.pitch;
    result.unit = Unit::Millimetre;
    const tables::PitchRow* byPitch = pitchRow(p);
    const int range = rangeIndexOfDiameter(d);
    result.refusal = refusalOfThread(d, p, byPitch, range);
    if (!result.ok()) return;

    const Range& r = kRanges[range];
    const double td2Raw = iso::td2GradeSix(p, r.overUm / 1000.0, r.uptoUm / 1000.0);
    const int td2Six = iso::r40(td2Raw);
    const PitchDiameterTolerance external =
        pitchDiameterTolerance(tables::externalPitchRows(), range, byPitch->pitchUm, td2Six);
    const PitchDiameterTolerance internal =
        pitchDiameterTolerance(tables::internalPitchRows(), range, byPitch->pitchUm, td2Six);
    // The formula's values used, for the provenance: "Td2(6) 106 um".
    std::string formulaUsed;
    const auto noteFormula = [&](const char* symbol, int grade, int value) {
        std::string item = symbol;
        item += '(';
        item += static_cast<char>('0' + grade);
        item += ") ";
        item += micrometresText(value);
        if (formulaUsed.find(item) != std::string::npos) return;
        if (!formulaUsed.empty()) formulaUsed += ", ";
        formulaUsed += item;
    };

    const double d2 = d - 0.649519 * p;
    const double d1 = d - 1.082532 * p;
    for (const std::string_view text : classes) {
        ClassLimits& out = result.classes.emplace_back();
        out.name = std::string(text);
        const std::optional<MetricClass> c = parseClass(text, out.refusal);
        if (!c) continue;
        const char position = c->position;
        out.side = (position == 'G' || position == 'H') ? Side::Internal : Side::External;
        if (out.side == Side::External) {
            int es = 0;
            if (position == 'f') {
                out.refusal =
                    "tolerance position f cannot be given: this program holds no trustworthy "
                    "copy of the f deviations of ISO 965-1 (the only copy at hand repeats the e "
                    "row)";
                continue;
            }
            if (position == 'e') {
                es = byPitch->esE;
                if (es == 0) {
                    out.refusal =
                        "ISO 965-1 gives tolerance position e for pitches of 0.5 mm and "
                        "coarser only";
                    continue;
                }
            } else if (position == 'g') {
                es = byPitch->esG;
            }
            const int td2 = external.of(false, c->pitchGrade);
            const int td = c->crestGrade == 4   ? byPitch->td[0]
                           : c->crestGrade == 6 ? byPitch->td[1]
                           : c->crestGrade == 8 ? byPitch->td[2]
                                                : 0;
            if (td2 == 0) {
                out.refusal = gradeRefusal("pitch-diameter tolerance (Td2) of external threads",
                                           c->pitchGrade, p, d);
                continue;
            }
            if (td == 0) {
                out.refusal = gradeRefusal("major-diameter tolerance (Td) of external threads",
                                           c->crestGrade, p, 0.0);
                continue;
            }
            if (external.listed == nullptr) noteFormula("Td2", c->pitchGrade, td2);
            const double upper = es / 1000.0;
            const double pitchMin = d2 + upper - td2 / 1000.0;
            out.majorMax = three(d + upper);
            out.majorMin = three(d + upper - td / 1000.0);
            out.pitchMax = three(d2 + upper);
            out.pitchMin = three(pitchMin);
            out.minorRef = three(pitchMin - 0.616025 * p);
            continue;
        }
        const int lower = position == 'G' ? -byPitch->esG : 0;
        const int tD2 = internal.of(true, c->pitchGrade);
        const int tD1 =
            c->crestGrade >= 4 && c->crestGrade <= 8 ? byPitch->td1[c->crestGrade - 4] : 0;
        if (tD2 == 0) {
            out.refusal = gradeRefusal("pitch-diameter tolerance (TD2) of internal threads",
                                       c->pitchGrade, p, d);
            continue;
        }
        if (tD1 == 0) {
            out.refusal = gradeRefusal("minor-diameter tolerance (TD1) of internal threads",
                                       c->crestGrade, p, 0.0);
            continue;
        }
        if (internal.listed == nullptr) noteFormula("TD2", c->pitchGrade, tD2);
        const double ei = lower / 1000.0;
        out.minorMin = three(d1 + ei);
        out.minorMax = three(d1 + ei + tD1 / 1000.0);
        out.pitchMin = three(d2 + ei);
        out.pitchMax = three(d2 + ei + tD2 / 1000.0);
        out.majorMin = three(d + ei);
    }

    std::string& why = result.provenance;
    why = "ISO 965-1 general-purpose metric M";
    why += numberText(d, 4);
    why += 'x';
    why += numberText(p, 4);
    why +=
        ": basic d2 = D2 = d - 0.649519 P, D1 = d - 1.082532 P (ISO 68-1); deviations es/EI of "
        "ISO 965-1 Table 1, tolerances Td, TD1 of Tables 3 and 4 by pitch, Td2, TD2 of Tables 5 "
        "and 6 for the diameter range and pitch; external d max = d + es, d min = d max - Td, "
        "d2 max = d2 + es, d2 min = d2 max - Td2, d3 min = d2 min - 0.616025 P (root radius "
        "0.125 P); internal D1 min = D1 + EI, D1 max = D1 min + TD1, D2 min = D2 + EI, D2 max = "
        "D2 min + TD2, D min = d + EI.";
    if (external.listed == nullptr || internal.listed == nullptr) {
        why += " Pitch-diameter tolerances by formula: Tables 5 and 6 list no P ";
        why += numberText(p, 3);
        why += " mm for diameters ";
        why += rangeText(r);
        why +=
            ", so Td2 and TD2 are computed by the formula the tables were made from, Td2(6) = "
            "90 P^0.4 d^0.1 \u00b5m with d = ";
        why += numberText(std::sqrt(r.overUm / 1000.0 * r.uptoUm / 1000.0), 3);
        why += " mm (the geometric mean of ";
        why += numberText(r.overUm / 1000.0, 3);
        why += " and ";
        why += numberText(r.uptoUm / 1000.0, 3);
        why += " mm) = ";
        why += numberText(td2Raw, 1);
        why += " \u00b5m, rounded to the R40 series: ";
        why += micrometresText(td2Six);
        why +=
            "; Td2 of grades 3, 4, 5, 7, 8, 9 = 0.5, 0.63, 0.8, 1.25, 1.6, 2 x Td2(6) and TD2 of "
            "grades 4 to 8 = 0.85, 1.06, 1.32, 1.7, 2.12 x Td2(6), each rounded to R40 (nearest "
            "on the logarithmic scale, whole \u00b5m under 100); in the grades the tables give for "
            "P ";
        why += numberText(p, 3);
        why += " mm ";
        const tables::RangeRow* from =
            external.gradesOf != nullptr ? external.gradesOf : internal.gradesOf;
        if (from != nullptr) why += rangeText(kRanges[rangeIndexOfRow(*from)]);
        why += " (the nearest range that lists it)";
        if (!formulaUsed.empty()) {
            why += "; used here: ";
            why += formulaUsed;
        }
        why +=
            ". The tables' own values differ from the formula's in about one cell in nine (hand "
            "adjustments), so these tolerances may differ from a value the standard would "
            "tabulate.";
    }
    why += " Rounding: each limit from the unrounded basic diameters to 0.001 mm. Millimetres.";
}

}  // namespace detail

}  // namespace torveld::special
