// General-purpose Acme (ASME B1.5, classes 2G, 3G, 4G, 5G) and Stub Acme (ASME B1.8, class 2G),
// inches.
#include <algorithm>
#include <cmath>
#include <string>

#include "decimal_round.h"
#include "standard_tables.h"
#include "standards.h"

namespace torveld::special::detail {

namespace {

constexpr double kSame = 1e-9;
constexpr double kSmallestDiameter = 0.25;
constexpr double kLargestDiameter = 5.0;
constexpr double kCoarsestTpi = 2.0;
constexpr double kFinestTpi = 16.0;

// Pitch-diameter tolerance factor of (0.010 P^(1/2) + 0.002 D^(1/2)) by class.
double toleranceFactor(int grade) {
    switch (grade) {
        case 2:
            return 3.0;
        case 3:
            return 1.4;
        case 4:
            return 1.0;
        default:
            return 0.8;
    }
}

// B1.5 tabulates the external pitch-diameter allowance by ranges of nominal diameter
// (standard_tables.cpp). The first row whose range holds `d` (1/4 and 5/16 share one range, as
// do 3/8 and 7/16, with one allowance).
const tables::AcmeAllowanceRow& allowanceRow(double d) {
    const std::span<const tables::AcmeAllowanceRow> rows = tables::acmeAllowances();
    for (const tables::AcmeAllowanceRow& row : rows)
        if (d <= row.uptoSixteenths / 16.0 + kSame) return row;
    return rows.back();  // not reached: larger diameters are refused
}

// The external allowance of class `grade`, units of 0.0001 in; none for 5G.
std::int64_t allowance(const tables::AcmeAllowanceRow& row, int grade) {
    if (grade == 5) return 0;
    return grade == 2 ? row.allowance2G : grade == 3 ? row.allowance3G : row.allowance4G;
}

Limit four(std::int64_t units) {
    return Limit{units, 4};
}

// The basic thread height: 0.5 P (Acme), 0.3 P (Stub Acme).
double heightOf(bool stub, double p) {
    return stub ? 0.3 * p : 0.5 * p;
}

// The clearance at the minor diameter of the external and the major of the internal thread.
double clearanceOf(double tpi) {
    return tpi <= 10.0 + kSame ? 0.020 : 0.010;
}

// The pitch-diameter tolerance of class `grade`, unrounded.
double pitchTolerance(int grade, double d, double p) {
    return toleranceFactor(grade) * (0.010 * std::sqrt(p) + 0.002 * std::sqrt(d));
}

// The external minor-diameter tolerance: 1.5 x (Acme) or 1 x (Stub Acme) the pitch-diameter
// tolerance.
double minorToleranceFactor(bool stub) {
    return stub ? 1.0 : 1.5;
}

// B1.5 and B1.8 state no bound on the pitch for a diameter (the one limit found is a length of
// engagement of at most twice the diameter), and 5/8-6 and 3/4-5 Acme are sold, coarser than a
// quarter of the diameter. So the bound is what the formulas need: an external thread with a
// minor diameter, that is D - 2h - clearance less the minor tolerance of the widest class (2G)
// still positive at four places. It matters below 9/16 in only: 1/4 in down to about 4.9
// threads per inch, 1/2 in to about 2.3; Stub Acme 1/4 in to about 2.9. (The pitch diameters
// and minor diameters in order is checked for every class afterwards: special_thread.cpp.)
std::string refusalOfRange(bool stub, double d, double tpi) {
    std::string text;
    const char* standard = stub ? "ASME B1.8 (Stub Acme)" : "ASME B1.5 (Acme)";
    if (tpi < kCoarsestTpi - kSame || tpi > kFinestTpi + kSame) {
        text = numberText(tpi);
        text += " threads per inch is outside ";
        text += standard;
        text += ", which gives 16 to 2 threads per inch";
        return text;
    }
    if (d < kSmallestDiameter - kSame || d > kLargestDiameter + kSame) {
        text = "a basic major diameter of ";
        text += numberText(d);
        text += " in is outside ";
        text += standard;
        text += ", which gives 1/4 to 5 in";
        return text;
    }
    const double p = 1.0 / tpi;
    const double minorMin = d - 2.0 * heightOf(stub, p) - clearanceOf(tpi) -
                            minorToleranceFactor(stub) * pitchTolerance(2, d, p);
    if (roundToUnits(minorMin, 4) <= 0) {
        text = numberText(tpi);
        text += " threads per inch is too coarse for ";
        text += numberText(d);
        text += " in: the formulas of ";
        text += standard;
        text += stub ? " leave the external thread no minor diameter (D - 0.6 P - clearance - "
                       "the 2G pitch-diameter tolerance is "
                     : " leave the external thread no minor diameter (D - P - clearance - 1.5 x "
                       "the 2G pitch-diameter tolerance is ";
        text += unitsText(roundToUnits(minorMin, 4), 4);
        text += " in)";
    }
    return text;
}

}  // namespace

void acme(const SpecialThread& thread, std::span<const std::string_view> classes, Result& result) {
    const bool stub = thread.series == Series::StubAcme;
    const double d = thread.majorDiameter;
    const double tpi = thread.pitch;
    result.unit = Unit::Inch;
    result.refusal = refusalOfRange(stub, d, tpi);
    if (!result.ok()) return;

    const double p = 1.0 / tpi;
    const double height = heightOf(stub, p);
    const double clearance = clearanceOf(tpi);
    const std::int64_t crestTolerance = roundToUnits(std::fmax(0.05 * p, 0.005), 4);
    const std::int64_t basicPitch = roundToUnits(d - height, 4);
    const std::int64_t basicMajor = roundToUnits(d, 4);
    const double externalMinorMax = d - 2.0 * height - clearance;
    const double internalMinor = d - 2.0 * height;
    const tables::AcmeAllowanceRow& row = allowanceRow(d);
    bool anyAllowance = false;

    for (const std::string_view text : classes) {
        const bool known = text.size() == 2 && text[0] >= '2' && text[0] <= '5' &&
                           (text[1] == 'G' || text[1] == 'g');
        const int grade = known ? text[0] - '0' : 0;
        for (const Side side : {Side::External, Side::Internal}) {
            ClassLimits& out = result.classes.emplace_back();
            out.side = side;
            out.name = known ? std::string{text[0], 'G'} : std::string(text);
            if (!known) {
                out.refusal =
                    "not a class of general-purpose Acme threads, which are 2G, 3G, 4G and 5G";
                continue;
            }
            if (stub && grade != 2) {
                out.refusal = "Stub Acme threads (ASME B1.8) have class 2G only";
                continue;
            }
            const double tolerance = pitchTolerance(grade, d, p);
            if (side == Side::External) {
                const std::int64_t es = allowance(row, grade);
                anyAllowance = anyAllowance || es != 0;
                const std::int64_t pitchMax = basicPitch - es;
                out.majorMax = four(basicMajor);
                out.majorMin = four(basicMajor - crestTolerance);
                out.pitchMax = four(pitchMax);
                out.pitchMin = four(roundToUnits(unitsToValue(pitchMax, 4) - tolerance, 4));
                out.minorMax = four(roundToUnits(externalMinorMax, 4));
                out.minorMin = four(
                    roundToUnits(externalMinorMax - minorToleranceFactor(stub) * tolerance, 4));
                continue;
            }
            out.minorMin = four(roundToUnits(internalMinor, 4));
            out.minorMax = four(roundToUnits(internalMinor, 4) + crestTolerance);
            out.pitchMin = four(basicPitch);
            out.pitchMax = four(roundToUnits(d - height + tolerance, 4));
            out.majorMin = four(roundToUnits(d + clearance, 4));
            out.majorMax = four(roundToUnits(d + clearance + (stub ? tolerance : clearance), 4));
        }
    }

    std::string& why = result.provenance;
    why = stub ? "ASME B1.8 Stub Acme " : "ASME B1.5 general-purpose Acme ";
    why += numberText(d);
    why += '-';
    why += numberText(tpi);
    why += stub ? ": basic height 0.3 P, basic pitch diameter D - 0.3 P, minor D - 0.6 P; "
                : ": basic height 0.5 P, basic pitch diameter D - 0.5 P, minor D - P; ";
    why +=
        "pitch-diameter tolerance (external and internal) 3.0 (2G), 1.4 (3G), 1.0 (4G), "
        "0.8 (5G) x (0.010 P^(1/2) + 0.002 D^(1/2))";
    if (stub) why += " (Stub Acme: the 2G tolerance and allowance)";
    why +=
        "; external allowance 0.008, 0.006, 0.004 x D^(1/2) (2G, 3G, 4G; none for 5G) as B1.5 "
        "tabulates it by diameter range";
    if (anyAllowance) {
        // Which standard sizes' allowance was used, and the range that holds the diameter.
        std::string sizes;
        int sharing = 0;
        for (const tables::AcmeAllowanceRow& other : tables::acmeAllowances()) {
            if (other.uptoSixteenths != row.uptoSixteenths) continue;
            if (sharing++ > 0) sizes += " and ";
            sizes += inchText(other.diameterUnits / 10000.0);
        }
        const bool standard =
            std::fabs(static_cast<double>(basicMajor) / 1e4 - d) < kSame &&
            std::any_of(
                tables::acmeAllowances().begin(), tables::acmeAllowances().end(),
                [&](const tables::AcmeAllowanceRow& r) { return r.diameterUnits == basicMajor; });
        why += ": ";
        if (!standard) {
            why += "for ";
            why += numberText(d);
            why += " in, ";
        }
        why += "the range over ";
        why += inchText(row.overSixteenths / 16.0);
        why += " up to and including ";
        why += inchText(row.uptoSixteenths / 16.0);
        why += " in, that of the standard size";
        why += sharing > 1 ? "s " : " ";
        why += sizes;
        why += " in (2G ";
        why += unitsText(row.allowance2G, 4);
        if (!stub) {
            why += ", 3G ";
            why += unitsText(row.allowance3G, 4);
            why += ", 4G ";
            why += unitsText(row.allowance4G, 4);
        }
        why += ')';
    }
    why +=
        "; major-diameter and internal minor tolerance 0.05 P, at least 0.005; clearance "
        "0.020 (10 threads per inch and coarser) or 0.010; external minor max D - 2h - "
        "clearance, tolerance ";
    why += stub ? "the pitch-diameter tolerance" : "1.5 x the pitch-diameter tolerance";
    why += "; internal major D + clearance, plus ";
    why += stub ? "the pitch-diameter tolerance" : "the clearance again";
    why +=
        " for the maximum. Rounding: basic pitch diameter, allowance and 0.05 P to 4 places; "
        "the external pitch minimum from the 4-place maximum; the other limits from the "
        "unrounded values, to 4 places; a value exactly half way goes to the even digit. "
        "Inches.";
}

}  // namespace torveld::special::detail
