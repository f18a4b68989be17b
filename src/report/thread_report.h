// The thread report: one model of a thread. For one size of one series (a table row or a special
// size) and the classes asked for, or the series' usual ones, it holds everything Torveld knows
// about that thread, as numbers in inches with their names: what it is, its classes and their
// limits, the profile, the wires, the tap drill, the taper pipe values, where the limits come
// from and the notes to show with them. Every output is a view of a report: the window's
// display, the data sheet, the copy table, the tips, the information window's note and
// torveld-query. Plain C++ over the calculation; no window.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "class_arrangement.h"
#include "designation.h"
#include "limit_tables.h"
#include "series.h"
#include "tap_drill.h"
#include "thread_results.h"

namespace torveld {

enum class ThreadSide { External, Internal };

// What the thread is.
struct ReportIdentity {
    SeriesId series = series::UNC;
    std::string designation;       // canonical, as asked: "1/4-20 UNC-2A"
    std::string sizeDesignation;   // canonical, the size alone: "1/4-20 UNC"
    std::string size;              // as the size list writes it: "1/4 - 20", "M42 - 1"
    std::optional<int> sizeIndex;  // the row of the series' size table; none for a special size
    std::string_view standard;     // "ASME B1.1", "ISO 965-1", ...
    // The pitch as threads per inch, where the series counts it so (20, 11.5).
    std::optional<double> threadsPerInch;
    // The number of starts: more than one for a multi-start thread, whose lead is starts x pitch.
    int starts = 1;

    bool tabulated() const { return sizeIndex.has_value(); }
    std::string_view seriesName() const { return seriesById(series).name; }
};

// One class of fit: its name as the standard writes it, its side and its limits of size in
// inches. A limit the class does not have is empty: external classes have no minor mean, internal
// ones no minor reference and no over-wire limits.
struct ReportClass {
    std::string name;  // "2A", "6g", "4g6g", "Med", "NPSL", "2G"
    ThreadSide side = ThreadSide::External;
    // The record (grid row) that shows the class in the window; none for a class the window does
    // not show, computed for the report by the standard's formulas.
    std::optional<ClassRecord> record;
    Length majorMax, majorMin, majorMean;
    Length pitchMax, pitchMin;
    // The external minor that the standard gives for reference only (Unified: maximum major less
    // 1.226869 P; ISO: d3 min), where it gives no limits.
    Length minorRef;
    Length minorMax, minorMin, minorMean;
    // The measurement over three best-size wires: the pitch-diameter limits plus the constant.
    Length wiresMax, wiresMin;
    // A rounded-root (UNR) external thread: its maximum minor diameter, for reference.
    Length unrMinorMax;
    // The places its source writes the limits with, in the source's unit.
    int decimals = 4;
    bool millimetres = false;
    // Where the limits come from: the project's limit tables, first table first; or, for a class
    // the standard's formulas computed, the index of the report's `computations` that says how.
    std::span<const LimitTable* const> tables;
    int computation = -1;

    bool computed() const { return computation >= 0; }
    // Whether the class has a limit of size (a mean or an over-wire value alone is none).
    bool hasLimits() const;
};

// The profile of the thread, multiples of the pitch by its form.
struct ReportProfile {
    double pitch = 0;
    std::optional<double> threadsPerInch;  // where the series counts its pitch so
    Length externalHeight, externalFlat, internalHeight, internalFlat;
    Length crestRadius, rootRadius;
    Length rootRadiusMax, rootRadiusMin;    // the controlled root radius of UNJ; Tr's R2 max
    Length countersinkMin, countersinkMax;  // the tapped hole of a thread insert
    Length crestClearance;                  // Tr: ac, between a crest and the mating root
    Length lead;                            // a multi-start thread: starts x pitch
    std::optional<int> starts;              // a multi-start thread
};

struct ReportWires {
    Length bestWire;
    Length constant;  // what the best-size wires add to the pitch diameter
};

// The drill for each percentage of thread (100 down to 50).
struct EngagementEntry {
    int percent = 0;
    double diameter = 0;
};

struct ReportTapDrill {
    // The basic major diameter the engagement list works from; none for a series without the list.
    Length basicMajor;
    std::vector<EngagementEntry> engagement;
    // The diameter the guide drill is sought for and what it is ("K0", "minor diameter min of 3B");
    // none without values.
    Length target;
    std::string targetName;
    tap_drill::GuideDrill guide;

    // The guide drill's chart name ("4.95mm") and diameter in inches (none for "NO DATA").
    std::string_view drillName() const;
    Length drillDiameter() const;
};

// A length of the taper pipe joint and its length in threads.
struct PipeLength {
    double length = 0;
    double threads = 0;
};

// NPT and NPTF: the diameters at the gauge planes and the lengths of the joint.
struct ReportPipe {
    Length pipeDiameter;    // outside diameter of the pipe
    Length majorAtPipeEnd;  // major diameter at the end of the pipe
    Length e0, e1, k0;
    Length minorAtFace;  // minor diameter at the face of the part
    Length tapDepth;
    std::optional<PipeLength> l1, l2, l3, l4;
    Length shoulderLength;  // NPTF
    Length externalCrestFlatMax, externalCrestFlatMin, internalCrestFlatMax, internalCrestFlatMin;
};

// R, Rc, Rp (ISO 7-1): the gauge-plane diameters, the gauge length of R with its tolerance, the
// gauge plane of Rc and Rp, Rp's diametral tolerance, the useful thread lengths of R and the
// fitting allowance; the values the standard also gives in turns with their turns.
struct ReportBritishTaper {
    double gaugeDiameter = 0, gaugePitchDiameter = 0, gaugeMinorDiameter = 0;
    double smallEndPitchDiameter = 0;
    double gaugeLength = 0, gaugeLengthTolerance = 0, gaugeLengthMax = 0, gaugeLengthMin = 0;
    double gaugeLengthToleranceTurns = 0;
    double gaugePlaneTolerance = 0, gaugePlaneToleranceTurns = 0;
    double rpDiameterTolerance = 0;
    double usefulThreadMin = 0, usefulThreadMinAtMaxGauge = 0, usefulThreadMinAtMinGauge = 0;
    double fittingAllowance = 0, fittingAllowanceTurns = 0;
};

// A note the views print with the values.
struct ReportNote {
    enum class Kind {
        ComputedByFormulas,  // a special size: the values are computed by the standard's formulas
        ClassWithoutLimits,  // `text` names a class shown without limits ("6H internal"), `reason`
                             // says why
        Reading,             // how the designation was read (`text`, one sentence)
        MultiStart,  // a multi-start thread: `text` its starts and lead ("2 starts, lead 14 mm"),
                     // `reason` the limits it lacks and why
    };
    Kind kind = Kind::Reading;
    std::string text;
    std::string reason;

    bool operator==(const ReportNote&) const = default;
};

struct ThreadReport {
    ReportIdentity identity;
    // Whether there are values; a size the calculation cannot run for has none (every value
    // empty), and its views show no number at all.
    bool calculated = false;
    // The values in the window's arrangement: every length and the four class records.
    ThreadResults values;
    // The class each record holds.
    RecordClasses records{};
    // The classes asked for in the order asked (external first), or the usual ones with limits in
    // record order: the named limits every view but the window's grid reads.
    std::vector<ReportClass> classes;
    // For classes computed by the standard's formulas: the standard, the formulas and the
    // rounding applied, one statement per computation.
    std::vector<std::string> computations;
    ReportTapDrill tapDrill;
    std::vector<ReportNote> notes;

    ReportProfile profile() const;
    ReportWires wires() const;
    // NPT and NPTF only.
    std::optional<ReportPipe> pipe() const;
    // R, Rc and Rp only.
    std::optional<ReportBritishTaper> britishTaper() const;
    // The class of `side` named `name`, if the report holds it.
    const ReportClass* findClass(ThreadSide side, std::string_view name) const;
};

// The report of a table row with the series' usual classes; a row the tables cannot give values
// for (or out of range) is reported without values.
ThreadReport tableReport(SeriesId series, int row);

// The report of what a designation names: its table row or special size, with the classes it
// names (none: the usual ones). Or, in one line, why there is none: a special size the engine
// refuses, a class it cannot compute.
using ReportOutcome = std::variant<ThreadReport, std::string>;
ReportOutcome makeReport(const designation::Designation& d);

// The same size with the series' usual classes, whatever classes the designation names: what
// the window shows for it.
ReportOutcome usualReport(const designation::Designation& d);

// The report of the same size with the classes `d` names: a usual class as the report holds it,
// any other computed by the standard's formulas; or why one cannot be given.
ReportOutcome withNamedClasses(ThreadReport usual, const designation::Designation& d);

// The diameter the engagement list of a display family works from: the internal major minimum
// (Unified, UNS and ISO metric), the close external major maximum (UNJ); none for a family
// without the list.
Length engagementMajor(DisplayFamily family, const ThreadResults& values);

// The standard a series follows: "ASME B1.1", "ISO 965-1", ...
std::string_view standardOf(SeriesId series);

}  // namespace torveld
