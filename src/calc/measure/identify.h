// Inspection: naming an unknown thread from what a caliper and a pitch gauge tell (the outside
// diameter of a male thread or the inside diameter of a female one, the pitch, and where known
// whether it is taper or parallel and its flank angle).
//
// Every series of the catalogue is searched, by its form, with its tabulated sizes and, for the
// series whose formulas admit any size (calculateSpecial: UNS, UN, UNJ, ISO FINE, ACME, STUB
// ACME), the special sizes next to the measurement: the nominal diameters of a grid just below
// and above it (inch series: the number sizes, then sixteenths from 1/4 in; ISO: half
// millimetres under 10 mm, whole ones from there), at the series' standard pitches near the
// measured one (whole and half threads per inch; the pitches of ISO 965-1), where no tabulated
// size of the same form, pitch and basic pitch diameter exists. The rules:
//
// - Pitch. A candidate's pitch matches when it lies within kPitchMatch (2.5 per cent) of the
//   measured pitch: over ten threads, the length a pitch gauge is read on, that is a quarter of
//   a pitch, and a gauge blade so far off rocks visibly. Pitches 5.8 per cent apart (1.5 mm and
//   16 threads per inch) are told apart; pitches closer than 2.5 per cent (1.25 mm and 20 threads
//   per inch, 1.6 per cent) are not, and both kinds of thread are candidates.
// - Diameter. A candidate is compared with each of its classes' limits of the measured diameter
//   (the external major, the internal minor; a taper pipe thread's major from the hand-tight
//   plane to the pipe's outside diameter, or its minor at the face, within one turn either way)
//   and takes the class the measurement lies nearest. Worn or damaged crests read small (a male
//   thread's major, a female thread's minor reads large): a measurement up to kWornTolerances (3)
//   of the class's own tolerance beyond the limit on that side is kept, one further is not; the
//   other way a caliper's error is allowed, kOversizeTolerances (1) tolerance and at least the
//   caliper's resolution.
// - Rank. By the distance from the limits in the measured unit (0 within); at the same distance
//   a tabulated size before a special one, a graded series (UNC, UNF, UNEF) before the others,
//   the nearer pitch, then catalogue order.
// - Ties. Candidates whose distances differ from the first's by no more than the caliper's
//   resolution (kCaliperResolutionInch, 0.001 in) cannot be told apart by the measurements
//   given; the result says so and names what would: the flank angle, the crest or root shape,
//   taper or parallel, a longer pitch count, a finer diameter reading, a reading over wires.
//
// The caller writes the designation texts; a candidate names its series and table row, or its
// special size in the series' own units.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "over_wires.h"
#include "wire_forms.h"

namespace torveld::measure {

inline constexpr double kPitchMatch = 0.025;
inline constexpr double kWornTolerances = 3.0;
inline constexpr double kOversizeTolerances = 1.0;
inline constexpr double kCaliperResolutionInch = 0.001;
// A stated flank angle matches a form within this many degrees (29 and 30 are not told apart).
inline constexpr double kAngleMatch = 2.0;

struct IdentifyInput {
    Side side = Side::External;  // External: the major diameter measured; Internal: the minor
    double diameter = 0;
    Unit unit = Unit::Inch;  // of the diameter, and of the distances in the answer
    double pitch = 0;
    PitchUnit pitchUnit = PitchUnit::ThreadsPerInch;  // whatever the series
    std::optional<FormKind> taper;                    // when known
    std::optional<double> flankAngle;                 // included angle, degrees, when known
};

// What the distance of a candidate is counted in.
enum class ToleranceBasis {
    CrestDiameter,  // the class's major (external) or minor (internal) tolerance
    PitchDiameter,  // the series gives no tolerance of that diameter: the pitch-diameter one
    TaperTurns      // taper pipe threads: two turns (one either way) on the 1:16 cone, P / 8
};

// The limits of the diameter a caliper reads, of one class of one side, and its pitch-diameter
// limits (for a taper thread at the gauge plane). Inches.
struct CaliperClass {
    ClassRef cls;
    double min = 0, max = 0;
    double tolerance = 0;
    ToleranceBasis basis = ToleranceBasis::CrestDiameter;
    double pitchMin = 0, pitchMax = 0;
};

// A special size in the units of its series: inches and threads per inch, or millimetres.
struct SpecialSize {
    double majorDiameter = 0;
    double pitch = 0;

    bool operator==(const SpecialSize&) const = default;
};

// One size as the identification compares it. The catalogue's are made once from the tables
// (catalogueRecords); a caller may add sizes of its own (a series the catalogue does not hold
// yet) and search them with the second `identify`.
struct SizeRecord {
    SeriesId series = -1;
    int row = -1;  // table row, -1 for a special size
    std::optional<SpecialSize> special;
    const WireForm* form = nullptr;  // flank angle, taper, crest and root
    double pitch = 0;                // inches
    bool graded = false;             // UNC, UNF, UNEF
    // Crest flats (NPT, NPTF), inches: two sizes of one form whose flats differ are told apart
    // by their crests.
    std::optional<double> crestFlatMin, crestFlatMax;
    std::vector<CaliperClass> external, internal;
};

enum class Position { Within, BelowMin, AboveMax };

enum class Separator {
    FlankAngle,  // different flank angles: a thread-angle gauge, the pitch gauge's profile
    CrestShape,  // flat or rounded crests, or different crest flats
    RootShape,   // a controlled root radius (UNJ) or a rounded root
    Taper,       // taper or parallel: a caliper at both ends, a straight edge
    Pitch,       // pitches closer than a pitch gauge tells: count threads over a longer length
    Diameter,    // diameter ranges that do not overlap: a finer reading (micrometer)
    WireReading  // pitch diameters a reading over wires separates
};

struct Candidate {
    SeriesId series = -1;
    int row = -1;  // table row, or -1 for a special size
    std::optional<SpecialSize> special;
    ClassRef cls;             // the class the measurement was compared with
    double min = 0, max = 0;  // its limits of the measured diameter, in the measured unit
    Position position = Position::Within;
    double distance = 0;    // from the limits, in the measured unit; 0 within
    double tolerance = 0;   // the class's tolerance, in the measured unit
    double tolerances = 0;  // distance / tolerance
    ToleranceBasis toleranceBasis = ToleranceBasis::CrestDiameter;
    bool within = false;         // within the class's limits
    bool worn = false;           // outside on the side worn crests read
    double pitchDifference = 0;  // (candidate pitch - measured pitch) / measured pitch
    // Whether it cannot be told apart from the first candidate by the measurements given, and if
    // so what would tell it apart; the first candidate is tied with itself.
    bool tied = false;
    std::vector<Separator> separators;
    std::string note;  // one or two sentences: where it lies, why it is kept, what separates it
};

struct Identification {
    std::string refusal;  // bad input; empty otherwise
    Unit unit = Unit::Inch;
    std::vector<Candidate> candidates;  // ranked, best first
    // How many of the first candidates cannot be told apart (1: the first stands alone; 0: no
    // candidate), what would tell them apart, and in words.
    int tied = 0;
    std::vector<Separator> separators;
    std::string tieNote;
    std::string note;   // no candidate: why
    std::string basis;  // the tolerances and cut-offs used

    bool ok() const { return refusal.empty(); }
};

// The catalogue's tabulated sizes as identification records, made on the first call.
const std::vector<SizeRecord>& catalogueRecords();

// Candidates from the catalogue and its special sizes.
Identification identify(const IdentifyInput& input);

// Candidates from `records`, and (when `specialSizes`) the catalogue's special sizes next to the
// measurement that no record already holds.
Identification identify(const IdentifyInput& input, std::span<const SizeRecord> records,
                        bool specialSizes);

}  // namespace torveld::measure
