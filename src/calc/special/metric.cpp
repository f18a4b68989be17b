// ISO general-purpose metric threads: limits of size from the basic profile (ISO 68-1) and the
// ISO 965-1 deviations and tolerances, in millimetres.
#include <cmath>
#include <string>

#include "decimal_round.h"
#include "standard_tables.h"
#include "standards.h"

namespace torveld::special::detail {

namespace {

constexpr double kSame = 1e-9;

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
        why = "not an ISO 965-1 tolerance class (grade and position: 6g, 4g6g, 6H, 5H6H)";
        return std::nullopt;
    }
    c.pitchGrade = text[0] - '0';
    c.position = text[1];
    c.crestGrade = text.size() == 4 ? text[2] - '0' : c.pitchGrade;
    if (text.size() == 4 && text[3] != text[1]) {
        why = "the pitch and crest diameters of one thread share one tolerance position";
        return std::nullopt;
    }
    return c;
}

const tables::PitchRow* pitchRow(double p) {
    for (const tables::PitchRow& row : tables::pitchRows())
        if (std::fabs(row.pitchUm / 1000.0 - p) < kSame) return &row;
    return nullptr;
}

const tables::RangeRow* rangeRow(std::span<const tables::RangeRow> rows, double d, double p) {
    for (const tables::RangeRow& row : rows)
        if (d > row.overUm / 1000.0 + kSame && d <= row.uptoUm / 1000.0 + kSame &&
            std::fabs(row.pitchUm / 1000.0 - p) < kSame)
            return &row;
    return nullptr;
}

// Tolerance of grade `grade` from a row of grades `first`.., or 0 where none is given.
int gradeValue(const int* grades, int count, int first, int grade) {
    const int index = grade - first;
    return index >= 0 && index < count ? grades[index] : 0;
}

std::string gradeRefusal(const char* what, int grade, double p) {
    std::string text = "ISO 965-1 gives no grade ";
    text += static_cast<char>('0' + grade);
    text += ' ';
    text += what;
    text += " for P ";
    text += numberText(p, 3);
    text += " mm";
    return text;
}

Limit three(double mm) {
    return Limit{roundToUnits(mm, 3), 3};
}

}  // namespace

void metric(const SpecialThread& thread, std::span<const std::string_view> classes,
            Result& result) {
    const double d = thread.majorDiameter;
    const double p = thread.pitch;
    result.unit = Unit::Millimetre;
    const tables::PitchRow* byPitch = pitchRow(p);
    if (byPitch == nullptr) {
        result.refusal = "ISO 965-1 tabulates no pitch of ";
        result.refusal += numberText(p, 4);
        result.refusal +=
            " mm (0.2 to 8 mm: 0.2, 0.25, 0.3, 0.35, 0.4, 0.45, 0.5, 0.6, 0.7, 0.75, "
            "0.8, 1, 1.25, 1.5, 1.75, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 8)";
        return;
    }
    if (d <= 0.99 + kSame || d > 355.0 + kSame) {
        result.refusal = "a basic major diameter of ";
        result.refusal += numberText(d, 4);
        result.refusal += " mm is outside the ISO 965-1 tolerance tables (over 0.99 up to 355 mm)";
        return;
    }
    const tables::RangeRow* external = rangeRow(tables::externalPitchRows(), d, p);
    const tables::RangeRow* internal = rangeRow(tables::internalPitchRows(), d, p);
    if (external == nullptr && internal == nullptr) {
        // The range the diameter falls in and the pitches ISO 965-1 gives there.
        std::string pitches;
        const tables::RangeRow* range = nullptr;
        for (const tables::RangeRow& row : tables::externalPitchRows()) {
            if (!(d > row.overUm / 1000.0 + kSame && d <= row.uptoUm / 1000.0 + kSame)) continue;
            range = &row;
            if (!pitches.empty()) pitches += ", ";
            pitches += numberText(row.pitchUm / 1000.0, 3);
        }
        result.refusal = "ISO 965-1 gives no tolerances for P ";
        result.refusal += numberText(p, 3);
        result.refusal += " mm in its diameter range";
        if (range != nullptr) {
            result.refusal += " over ";
            result.refusal += numberText(range->overUm / 1000.0, 3);
            result.refusal += " up to ";
            result.refusal += numberText(range->uptoUm / 1000.0, 3);
            result.refusal += " mm, which has P ";
            result.refusal += pitches;
            result.refusal += " mm";
        }
        return;
    }
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
                    "the f deviations of ISO 965-1 Table 1 are not held: the only "
                    "transcription at hand repeats its e row";
                continue;
            }
            if (position == 'e') {
                es = byPitch->esE;
                if (es == 0) {
                    out.refusal = "ISO 965-1 gives the e deviation from P 0.5 mm only";
                    continue;
                }
            } else if (position == 'g') {
                es = byPitch->esG;
            }
            const int td2 = external ? gradeValue(external->grade, 7, 3, c->pitchGrade) : 0;
            const int td = c->crestGrade == 4   ? byPitch->td[0]
                           : c->crestGrade == 6 ? byPitch->td[1]
                           : c->crestGrade == 8 ? byPitch->td[2]
                                                : 0;
            if (td2 == 0) {
                out.refusal =
                    gradeRefusal("external pitch-diameter tolerance Td2", c->pitchGrade, p);
                out.refusal += " at ";
                out.refusal += numberText(d, 4);
                out.refusal += " mm";
                continue;
            }
            if (td == 0) {
                out.refusal =
                    gradeRefusal("external major-diameter tolerance Td", c->crestGrade, p);
                continue;
            }
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
        const int tD2 = internal ? gradeValue(internal->grade, 7, 3, c->pitchGrade) : 0;
        const int tD1 = gradeValue(byPitch->td1, 5, 4, c->crestGrade);
        if (tD2 == 0) {
            out.refusal = gradeRefusal("internal pitch-diameter tolerance TD2", c->pitchGrade, p);
            out.refusal += " at ";
            out.refusal += numberText(d, 4);
            out.refusal += " mm";
            continue;
        }
        if (tD1 == 0) {
            out.refusal = gradeRefusal("internal minor-diameter tolerance TD1", c->crestGrade, p);
            continue;
        }
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
        "ISO 965-1 Table 1, tolerances Td, TD1, Td2, TD2 of Tables 3 to 6 for the diameter range "
        "and pitch; external d max = d + es, d min = d max - Td, d2 max = d2 + es, d2 min = "
        "d2 max - Td2, d3 min = d2 min - 0.616025 P (root radius 0.125 P); internal D1 min = "
        "D1 + EI, D1 max = D1 min + TD1, D2 min = D2 + EI, D2 max = D2 min + TD2, D min = d + "
        "EI. Rounding: each limit from the unrounded basic diameters to 0.001 mm. Millimetres.";
}

}  // namespace torveld::special::detail
