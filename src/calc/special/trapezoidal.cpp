// Metric trapezoidal threads Tr: limits of size from the basic profile (ISO 2901) and the ISO 2903
// deviations and tolerances held in src/data (iso2903::pitchRows, rangeRows), in millimetres.
//
// A thread is computed when its pitch is one of the tables and the tables hold a pitch-diameter
// row for its diameter range and pitch: the ISO 2902 sizes and any special diameter of those
// ranges. A class whose deviation or tolerance the tables do not hold (es of position c, most
// tolerances of grades 8 and 9) is refused, naming the missing value. ISO 2903 widens the
// pitch-diameter tolerances of multiple-start threads by factors no source at hand gives, so a
// thread of more than one start has the limits of its pitch that do not depend on them (d and
// d2 max, d3 max, D1, D2 min and D4) and none of the three that do (d2 min, d3 min, D2 max).
#include <cmath>
#include <cstdlib>
#include <string>

#include "decimal_round.h"
#include "standards.h"
#include "trapezoidal_tolerances.h"

namespace torveld::special::detail {

namespace {

constexpr double kSame = 1e-9;

const iso2903::PitchRow* pitchRow(double p) {
    for (const iso2903::PitchRow& row : iso2903::pitchRows())
        if (std::fabs(row.pitchUm / 1000.0 - p) < kSame) return &row;
    return nullptr;
}

bool inRange(double d, const iso2903::RangeRow& row) {
    return d > row.overUm / 1000.0 + kSame && d <= row.uptoUm / 1000.0 + kSame;
}

const iso2903::RangeRow* rangeRow(double d, int pitchUm) {
    for (const iso2903::RangeRow& row : iso2903::rangeRows())
        if (row.pitchUm == pitchUm && inRange(d, row)) return &row;
    return nullptr;
}

std::string millimetres(double mm) {
    std::string text = numberText(mm, 3);
    text += " mm";
    return text;
}

std::string rangeText(const iso2903::RangeRow& row) {
    std::string text = "diameters over ";
    text += numberText(row.overUm / 1000.0, 3);
    text += " up to ";
    text += millimetres(row.uptoUm / 1000.0);
    return text;
}

// Why the thread itself is refused, or "".
std::string refusalOfThread(double d, double p, const iso2903::PitchRow* byPitch,
                            const iso2903::RangeRow* byRange) {
    std::string text;
    if (byPitch == nullptr) {
        text = millimetres(p);
        text += " is not a pitch of the ISO 2903 tolerance tables, whose pitches are";
        const auto rows = iso2903::pitchRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            text += i == 0 ? " " : i + 1 == rows.size() ? " and " : ", ";
            text += numberText(rows[i].pitchUm / 1000.0, 3);
        }
        text += " mm";
        return text;
    }
    if (byRange != nullptr) return text;
    int over = 0;
    int upto = 0;
    const iso2903::RangeRow* rangeOfDiameter = nullptr;
    for (const iso2903::RangeRow& row : iso2903::rangeRows()) {
        if (over == 0 || row.overUm < over) over = row.overUm;
        if (row.uptoUm > upto) upto = row.uptoUm;
        if (inRange(d, row)) rangeOfDiameter = &row;
    }
    if (rangeOfDiameter == nullptr) {
        text = "the ISO 2903 tolerance tables cover diameters over ";
        text += numberText(over / 1000.0, 3);
        text += " up to ";
        text += millimetres(upto / 1000.0);
        text += " only, not ";
        text += millimetres(d);
        return text;
    }
    text = "the ISO 2903 tolerance tables give no pitch-diameter tolerance for P ";
    text += millimetres(p);
    text += " at ";
    text += rangeText(*rangeOfDiameter);
    return text;
}

// "the grade 8 pitch-diameter tolerance Td2 of external threads with P 7 mm at diameters over
// 22.4 up to 45 mm is not held: no source of it was found".
std::string gradeRefusal(const char* what, int grade, double p, const iso2903::RangeRow& row) {
    std::string text = "the grade ";
    text += static_cast<char>('0' + grade);
    text += ' ';
    text += what;
    text += " with P ";
    text += millimetres(p);
    text += " at ";
    text += rangeText(row);
    text += " is not held: no source of it was found";
    return text;
}

Limit three(double mm) {
    return Limit{roundToUnits(mm, 3), 3};
}

constexpr std::string_view kClasses[] = {"7H", "8H", "9H", "7e", "8e", "8c", "9c"};

bool isClass(std::string_view text) {
    for (const std::string_view c : kClasses)
        if (c == text) return true;
    return false;
}

void addNote(std::string& notes, const char* note) {
    if (note == nullptr || notes.find(note) != std::string::npos) return;
    if (!notes.empty()) notes += "; ";
    notes += note;
}

}  // namespace

void trapezoidal(const SpecialThread& thread, std::span<const std::string_view> classes,
                 Result& result) {
    const double d = thread.majorDiameter;
    const double p = thread.pitch;
    result.unit = Unit::Millimetre;
    const iso2903::PitchRow* byPitch = pitchRow(p);
    const iso2903::RangeRow* byRange = byPitch ? rangeRow(d, byPitch->pitchUm) : nullptr;
    result.refusal = refusalOfThread(d, p, byPitch, byRange);
    if (!result.ok()) return;

    const double ac = byPitch->crestClearanceUm / 1000.0;
    const double d2 = d - 0.5 * p;
    const double d3 = d - p - 2.0 * ac;
    const double bigD1 = d - p;
    const double d4 = d + 2.0 * ac;
    std::string notes;
    addNote(notes, byPitch->note);
    for (const std::string_view text : classes) {
        ClassLimits& out = result.classes.emplace_back();
        out.name = std::string(text);
        if (!isClass(text)) {
            out.refusal =
                "not a tolerance class of ISO 2903 trapezoidal threads, whose classes are 7H, "
                "8H, 9H, 7e, 8e, 8c and 9c";
            continue;
        }
        const int grade = text[0] - '0';
        const char position = text[1];
        out.side = position == 'H' ? Side::Internal : Side::External;
        // ISO 2903 widens the pitch-diameter tolerances of multiple-start threads by factors
        // no source at hand gives: a multi-start thread has every limit that does not depend on
        // them (those of the pitch, as for one start), and none of those that do.
        const bool singleStart = thread.starts == 1;
        if (out.side == Side::External) {
            const int es = position == 'e' ? byPitch->esE : byPitch->esC;
            if (es == 0) {
                out.refusal = "the fundamental deviation es of position ";
                out.refusal += position;
                out.refusal += " for P ";
                out.refusal += millimetres(p);
                out.refusal += " is not held: no source of it was found";
                continue;
            }
            const int td2 = byRange->td2[grade - 7];
            if (td2 == 0) {
                out.refusal = gradeRefusal("pitch-diameter tolerance Td2 of external threads",
                                           grade, p, *byRange);
                continue;
            }
            if (grade != 7) addNote(notes, byRange->note);
            // Td3 = 1.25 Td2 + |es| in whole micrometres, a half upward.
            const int td3 = (5 * td2 + 4 * std::abs(es) + 2) / 4;
            const double upper = es / 1000.0;
            out.majorMax = three(d);
            out.majorMin = three(d - byPitch->tdMajor / 1000.0);
            out.pitchMax = three(d2 + upper);
            out.minorMax = three(d3);
            if (singleStart) {
                out.pitchMin = three(d2 + upper - td2 / 1000.0);
                out.minorMin = three(d3 - td3 / 1000.0);
            }
            continue;
        }
        const int tD2 = byRange->tD2[grade - 7];
        if (tD2 == 0) {
            out.refusal = gradeRefusal("pitch-diameter tolerance TD2 of internal threads", grade, p,
                                       *byRange);
            continue;
        }
        if (grade != 7) addNote(notes, byRange->note);
        out.minorMin = three(bigD1);
        out.minorMax = three(bigD1 + byPitch->tdMinor / 1000.0);
        out.pitchMin = three(d2);
        if (singleStart) out.pitchMax = three(d2 + tD2 / 1000.0);
        out.majorMin = three(d4);
    }

    std::string& why = result.provenance;
    why = "ISO 2903 metric trapezoidal Tr";
    why += numberText(d, 4);
    why += 'x';
    why += numberText(p, 4);
    if (thread.starts > 1) {
        why += " with ";
        why += numberText(thread.starts, 0);
        why += " starts (lead ";
        why += numberText(thread.starts * p, 4);
        why +=
            " mm): ISO 2903 widens the pitch-diameter tolerances of multiple-start threads by "
            "factors no source at hand gives, so the limits that depend on them (d2 min, d3 min "
            "and D2 max) are not given; the others are those of the pitch";
    }
    why += ": basic profile of ISO 2901 with the crest clearance ac = ";
    why += millimetres(ac);
    why +=
        ", d2 = D2 = d - 0.5 P, d3 = d - P - 2 ac, D1 = d - P, D4 = d + 2 ac; ISO 2903 "
        "deviations by pitch (EI of H = 0, es of e or c), Td and TD1 of grade 4 by pitch, Td2 and "
        "TD2 of the class's grade for the diameter range and pitch; d and d3 of position h: "
        "external d max = d, d min = d - Td, d2 max = d2 + es, d2 min = d2 max - Td2, d3 max = "
        "d3, d3 min = d3 - Td3 with Td3 = 1.25 Td2 + |es| rounded to whole \u00b5m, a half "
        "upward; internal D1 min = D1, D1 max = D1 + TD1, D2 min = D2, D2 max = D2 + TD2, D4 min "
        "= D4 (ISO 2903 gives D4 no upper limit).";
    if (!notes.empty()) {
        why += " Values of the tables used here: ";
        why += notes;
        why += '.';
    }
    why += " Rounding: each limit to 0.001 mm. Millimetres.";
}

}  // namespace torveld::special::detail
