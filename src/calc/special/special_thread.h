// Special threads: limits of size of any diameter, pitch and class by the standards' formulas.
//
// Covered: Unified UN/UNC/UNF/UNEF/UNS (ASME B1.1, classes 1A, 2A, 3A, 1B, 2B, 3B), UNJ
// (ASME B1.15, classes 3A and 3B), ISO general-purpose metric (ISO 965-1: any grade and
// position e, g, h, G, H the tolerance tables hold; a pitch the pitch-diameter tables do not
// list for the diameter range takes those tolerances from the standard's formula), general-
// purpose Acme (ASME B1.5, 2G, 3G, 4G, 5G), Stub Acme (ASME B1.8, 2G) and metric trapezoidal
// Tr (ISO 2903: 7H, 8H, 9H, 7e, 8e, 8c, 9c where the tolerance tables hold their values; the
// ISO 2902 sizes and any diameter and pitch the tables cover). UNC, UNF and UNEF
// (and UNJC, UNJF, UNJEF) are their listed sizes; UN is its constant pitches at any diameter
// their series cover; UNS, UNJS and UNJ any size. Inch threads are computed in inches, metric
// threads in millimetres; every limit is given with the number of decimals the standard writes
// it to. A thread or class outside what the standard covers is refused with the reason, in one
// sentence, never estimated.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace torveld::special {

enum class Series {
    UNC,
    UNF,
    UNEF,
    UN,
    UNS,
    UNJC,
    UNJF,
    UNJEF,
    UNJ,
    UNJS,
    Metric,  // ISO general-purpose metric, "M"
    Acme,
    StubAcme,
    Trapezoidal,  // ISO metric trapezoidal, "Tr"
};

// "UNC", "UNF", "UNEF", "UN", "UNS", "UNJC", "UNJF", "UNJEF", "UNJ", "UNJS", "M", "ACME",
// "STUB ACME" (upper case, as the size lists write them), "Tr" (as ISO 2903 writes it).
std::string_view seriesCode(Series series);
// The standard whose formulas give its limits: "ASME B1.1", "ASME B1.15", "ISO 965-1",
// "ASME B1.5" (Acme), "ASME B1.8" (Stub Acme), "ISO 2903" (Tr).
std::string_view standardOf(Series series);
// The series of a code; the UNR designations "UNRC", "UNRF", "UNREF", "UNR" and "UNRS" read as
// their UN series: B1.1 gives them the same limits of size and only prescribes the rounded root
// of the external thread.
std::optional<Series> seriesFromCode(std::string_view code);

// Inch series take the diameter in inches and the pitch in threads per inch; "M" and "Tr" take
// both in millimetres. A multiple-start thread (Tr40x14(P7): lead 14 mm, pitch 7 mm) has its
// pitch and its number of starts; the lead is starts x pitch. Only "Tr" takes more than one
// start, and ISO 2903 gives its classes no limits here (see calculate).
struct SpecialThread {
    Series series = Series::UNS;
    double majorDiameter = 0.0;  // basic major diameter
    double pitch = 0.0;          // threads per inch, or the pitch in millimetres for "M", "Tr"
    int starts = 1;              // number of starts
};

enum class Unit { Inch, Millimetre };
enum class Side { External, Internal };

// A limit as the standard writes it: `units` of the last of `decimals` places (0.2489 in is
// 2489 units of 4 decimals, the 3-place 0.196 in is 196 units of 3 decimals).
struct Limit {
    std::int64_t units = 0;
    int decimals = 4;

    double value() const;
    std::string text() const;  // "0.2489", "0.196", "9.968": fixed, '.' whatever the locale

    bool operator==(const Limit&) const = default;
};

// The limits of one class of one side. Values the standard does not give are absent.
struct ClassLimits {
    std::string name;  // the class as the standard writes it: "2A", "4g6g", "5H", "2G"
    Side side = Side::External;
    std::string refusal;  // why this class has no limits; empty when it has
    std::optional<Limit> majorMax, majorMin, pitchMax, pitchMin, minorMax, minorMin;
    // External threads whose standard gives no minor-diameter limit: the reference value the
    // limit tables show (Unified: maximum major diameter - 1.226869 P; ISO: d3 min =
    // d2 min - 0.616025 P).
    std::optional<Limit> minorRef;

    bool ok() const { return refusal.empty(); }
};

struct Result {
    std::string refusal;  // why the thread itself is refused; empty when it is computed
    Unit unit = Unit::Inch;
    std::vector<ClassLimits> classes;  // in the order asked; Acme classes give both sides
    std::string provenance;            // the standard, the formulas and the rounding rule applied

    bool ok() const { return refusal.empty(); }
};

// The classes computed when none are named: Unified 1A 2A 3A 1B 2B 3B; UNJ 3A 3B; metric 6g 6H;
// Acme 2G 3G 4G 5G; Stub Acme 2G; trapezoidal 7e 7H.
std::vector<std::string_view> defaultClasses(Series series);

// The limits of `thread` for each class named (text as the standard writes it, e.g. "2A",
// "4g6g", "6H", "3G", "7e"), or for the default classes when `classes` is empty. A thread of
// other than one start is refused, except a Tr thread, whose every class is then refused with
// the reason (ISO 2903's multiple-start tolerances are not held).
Result calculate(const SpecialThread& thread, std::span<const std::string_view> classes = {});

}  // namespace torveld::special
