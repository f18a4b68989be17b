#include "info_description.h"

#include <optional>
#include <utility>

namespace torveld {

namespace {

using Paragraph = std::vector<std::string>;
using Section = std::vector<Paragraph>;

struct TitleLine {
    int indent;
    const char* text;
};

// One description before it is laid out: title lines, then the sections the series has.
struct Outline {
    std::vector<TitleLine> titles;
    std::optional<Section> classes;  // NPT, NPTF and NPSL have none
    Section geometric;
    Section applications;
    int geometricIndent = 10;
    int applicationsIndent = 15;
};

constexpr int kClassesIndent = 23;

std::string spaces(int count) {
    return std::string(static_cast<size_t>(count), ' ');
}

// The included angle of the profile, written as the standards give it: 60, 29, 55 or 47.5.
Paragraph angle(const char* degrees) {
    return {std::string("thread profile included angle = ") + degrees + kDegreeSign};
}

// The pitch-diameter growth for each .001 in of plating, in the unit of display.
Paragraph plating(double change, const UnitMode& mode) {
    return {"pitch diameter changes " + formatLength(change, mode) + " with",
            "each " + formatLength(0.001, mode) + " of plating buildup"};
}

const Paragraph kUnifiedClasses = {"2A = medium fit external", "3A = close fit external",
                                   "2B = medium fit internal", "3B = close fit internal"};
const Paragraph kMediumClasses = {"2A = medium fit external", "2B = medium fit internal"};
const Paragraph kUnjClasses = {"3A = close fit external", "3B = close fit internal"};
const Paragraph kInsertClasses = {"2B = medium fit internal", "3B = close fit internal"};
const Paragraph kMetricClasses = {
    "6g = medium fit external",        "4g6g = close fit external (some)",
    "4h = close fit external (some)",  "5H = medium fit internal (some)",
    "6H = medium fit internal (some)", "4H = close fit internal"};
const Paragraph kWhitworthClasses = {"medium fit external", "close fit external",
                                     "medium fit internal", "close fit internal"};

// Applications shared by several series.
const Paragraph kRapidAssembly = {"for rapid assembly or disassembly"};
const Paragraph kCorrosion = {"when corrosion or damage are possible"};
const Paragraph kHarderMale = {"when the male thread is made from a",
                               "harder material than the female thread"};
const Paragraph kStrength = {"when greater strength and fatigue", "resistance are required"};
const Paragraph kShortEngagement = {"when length of engagement is short"};
const Paragraph kThinWalled = {"when threading thin-walled material"};
const Paragraph kFineAdjustment = {"when fine adjustments are needed"};
const Paragraph kMaxStrength = {"when maximum strength and fatigue", "resistance are required"};
const Paragraph kAerospace = {"widely used in aerospace designs"};
const Paragraph kMiniature = {"general purpose use in watches,",
                              "instruments, and miniature mechanisms"};
const Paragraph kTransverse = {"to produce transverse motion on", "mechanical mechanisms"};
const Paragraph kHeavyLoads = {"to transmit heavy loads without",
                               "causing excessive radial bursting", "pressure in the nut"};
const Paragraph kInsertStrength = {"increase strength of internal threads",
                                   "in materials of low shear strength"};
const Paragraph kInsertRepeat = {"allow repeated assembly and disassembly",
                                 "without significant thread wear"};
const Paragraph kInsertRepair = {"permanent repair of damaged", "internal threads"};

const Paragraph kTaper = {"OD/ID taper = 3/4\" per foot (included)"};
const Paragraph kRootRadius = {"have controlled root radius on", "external threads"};
const Paragraph kMinorDiameter = {"have increased minor diameter on", "internal threads"};

Section unifiedGeometric(const UnitMode& mode) {
    return {angle("60"), plating(0.004, mode)};
}

Section unjGeometric(const UnitMode& mode) {
    return {angle("60"), kRootRadius, kMinorDiameter, plating(0.004, mode)};
}

Section insertGeometric(const UnitMode& mode) {
    return {angle("60"),
            plating(0.004, mode),
            {std::string("120") + kDegreeSign + " countersink recommended"}};
}

std::optional<Outline> outline(SeriesId id, const UnitMode& mode) {
    using namespace series;
    switch (id) {
        case UNC:
            return Outline{{{8, "UNC - UNIFIED COARSE PITCH SERIES"}},
                           Section{kUnifiedClasses},
                           unifiedGeometric(mode),
                           {kRapidAssembly, kCorrosion, kHarderMale}};
        case UNF:
            return Outline{{{9, "UNF - UNIFIED FINE PITCH SERIES"}},
                           Section{kUnifiedClasses},
                           unifiedGeometric(mode),
                           {kStrength, kShortEngagement, kThinWalled, kFineAdjustment}};
        case UNEF:
            return Outline{{{3, "UNEF - UNIFIED EXTRA-FINE PITCH SERIES"}},
                           Section{kUnifiedClasses},
                           unifiedGeometric(mode),
                           {kStrength,
                            kShortEngagement,
                            {"when threading thin-walled material,",
                             "including nuts, ferrules, and couplings,"},
                            kFineAdjustment}};
        case UN:
            return Outline{{{7, "UN - UNIFIED CONSTANT PITCH SERIES"}},
                           Section{kUnifiedClasses},
                           unifiedGeometric(mode),
                           {{"used where the Unified COARSE, FINE,",
                             "and EXTRA-FINE series are not optimal"}}};
        case UNS:
            return Outline{{{12, "UNS - UNIFIED SPECIAL SERIES"},
                            {12, "SPECIAL DIAMETERS, PITCHES,"},
                            {12, "AND LENGTHS OF ENGAGEMENT"}},
                           Section{kMediumClasses},
                           unifiedGeometric(mode),
                           {{"used where standard combinations of",
                             "diameter, pitch, and length of engagement", "are not optimal"}},
                           11,
                           16};
        case UNJ:
            return Outline{
                {{5, "UNJ - UNIFIED CONSTANT PITCH SERIES"}, {13, "CONTROLLED ROOT RADIUS"}},
                Section{kUnjClasses},
                unjGeometric(mode),
                {kMaxStrength, kAerospace}};
        case UNJC:
            return Outline{
                {{5, "UNJC - UNIFIED COARSE PITCH SERIES"}, {13, "CONTROLLED ROOT RADIUS"}},
                Section{kUnjClasses},
                unjGeometric(mode),
                {kMaxStrength, kRapidAssembly, kCorrosion, kHarderMale, kAerospace}};
        case UNJF:
            return Outline{
                {{8, "UNJF - UNIFIED FINE PITCH SERIES"}, {13, "CONTROLLED ROOT RADIUS"}},
                Section{kUnjClasses},
                unjGeometric(mode),
                {kMaxStrength, kShortEngagement, kThinWalled, kFineAdjustment, kAerospace}};
        case UNJEF:
            return Outline{
                {{2, "UNJEF - UNIFIED EXTRA-FINE PITCH SERIES"}, {13, "CONTROLLED ROOT RADIUS"}},
                Section{kUnjClasses},
                unjGeometric(mode),
                {kMaxStrength, kShortEngagement, kThinWalled, kFineAdjustment, kAerospace}};
        case NPT:
            return Outline{
                {{5, "NPT - AMERICAN NATIONAL STANDARD"}, {17, "TAPER PIPE THREAD"}},
                std::nullopt,
                {kTaper, angle("60"), plating(0.004, mode)},
                {{"pipe fittings and valves"}, {"requires a sealer for pressure-tight joints"}}};
        case NPTF:
            return Outline{
                {{4, "NPTF - AMERICAN NATIONAL STANDARD"}, {10, "DRYSEAL TAPER PIPE THREAD"}},
                std::nullopt,
                {kTaper, angle("60"), plating(0.004, mode)},
                {{"pipe fittings and valves"},
                 {"does not requires a sealer", "for pressure-tight joints"}}};
        case NPSM:
            return Outline{
                {{5, "NPSM - AMERICAN NATIONAL STANDARD"},
                 {5, "STRAIGHT PIPE THREAD FOR FIXTURES"},
                 {8, "FREE-FITTING MECHANICAL JOINTS"}},
                Section{kMediumClasses},
                {angle("60"),
                 plating(0.004, mode),
                 {"the dimensions of the external minor", "diameter and internal major diameter",
                  "are those produced by commercial tooling"}},
                {{"thread joints for mechanical assemblies",
                  "where there is no internal pressure"}}};
        case NPSL:
            return Outline{{{5, "NPSL - AMERICAN NATIONAL STANDARD"},
                            {5, "STRAIGHT PIPE THREAD FOR LOCKNUTS"},
                            {7, "LOOSE-FITTING MECHANICAL JOINTS"}},
                           std::nullopt,
                           {angle("60"),
                            plating(0.004, mode),
                            {"the external major diameter is determined",
                             "by the diameter of commercial pipe, which", "may vary"},
                            {"the external minor diameter and the",
                             "internal major and minor diameters vary", "with the pitch diameter"}},
                           {{"thread joints for mechanical assemblies",
                             "or locknuts, where there is no internal", "pressure"}}};
        case ACME:
            return Outline{{{9, "ACME - GENERAL PURPOSE SERIES"}},
                           Section{{"2G = medium fit external", "4G = close fit external",
                                    "2G = medium fit internal", "4G = close fit internal"}},
                           {angle("29"), plating(0.008, mode)},
                           {kTransverse, kHeavyLoads}};
        case STUB_ACME:
            return Outline{{{16, "ACME - STUB SERIES"}},
                           Section{{"not applicable"}},
                           {angle("29"), plating(0.008, mode)},
                           {{"where a shallow thread height is",
                             "required because of mechanical or", "metallurgical considerations"},
                            kTransverse,
                            kHeavyLoads}};
        case ISO_COARSE:
            return Outline{{{25, "ISO COARSE"}, {11, "METRIC COARSE PITCH SERIES"}},
                           Section{kMetricClasses},
                           unifiedGeometric(mode),
                           {kRapidAssembly, kCorrosion, kHarderMale}};
        case ISO_FINE:
            return Outline{{{29, "ISO FINE"}, {15, "METRIC FINE PITCH SERIES"}},
                           Section{kMetricClasses},
                           unifiedGeometric(mode),
                           {kStrength, kShortEngagement, kThinWalled, kFineAdjustment}};
        case UNM:
            return Outline{{{8, "UNM - UNIFIED MINIATURE SERIES"}},
                           Section{{"not applicable"}},
                           unifiedGeometric(mode),
                           {kMiniature}};
        case BSW:
            return Outline{{{4, "BSW - BRITISH STANDARD WHITWORTH"}, {17, "COARSE PITCH SERIES"}},
                           Section{kWhitworthClasses},
                           {angle("55"), plating(0.0044, mode)},
                           {kRapidAssembly, kCorrosion, kHarderMale}};
        case BSF:
            return Outline{{{4, "BSF - BRITISH STANDARD WHITWORTH"}, {19, "FINE PITCH SERIES"}},
                           Section{kWhitworthClasses},
                           {angle("55"), plating(0.0044, mode)},
                           {kStrength, kShortEngagement, kThinWalled, kFineAdjustment}};
        case BA:
            return Outline{{{31, "BA"}, {2, "BRITISH ASSOCIATION STANDARD SERIES"}},
                           Section{{"normal fit external", "close fit external",
                                    "normal fit internal", "close fit internal"}},
                           {angle("47.5"), plating(0.005, mode)},
                           {kMiniature}};
        case UNC_STI:
            return Outline{{{27, "UNC-STI"},
                            {12, "SCREW THREAD INSERT FOR"},
                            {10, "UNIFIED COARSE PITCH SERIES"}},
                           Section{kInsertClasses},
                           insertGeometric(mode),
                           {kInsertStrength, kInsertRepeat, kInsertRepair, kRapidAssembly}};
        case UNF_STI:
            return Outline{
                {{27, "UNF-STI"},
                 {12, "SCREW THREAD INSERT FOR"},
                 {12, "UNIFIED FINE PITCH SERIES"}},
                Section{kInsertClasses},
                insertGeometric(mode),
                {kInsertStrength, kInsertRepeat, kInsertRepair, kShortEngagement, kFineAdjustment}};
        case G:
            return Outline{
                {{4, "G - BRITISH STANDARD PIPE THREAD"}, {4, "PARALLEL FASTENING THREAD (BSPP)"}},
                Section{{"B = medium fit external", "A = close fit external",
                         "one internal class (G)"}},
                {angle("55"),
                 {"crests and roots rounded, r = 0.137329 P"},
                 {"does not seal on the thread: a gasket",
                  "or an O-ring at the face seals the joint"},
                 plating(0.0044, mode)},
                {{"pipe fittings, valves and hydraulic", "connections, sealed at the face"},
                 {"G mates with G; a taper R screwed into", "G does not make a sealed joint"}}};
        case R:
            return Outline{
                {{4, "R - BRITISH STANDARD PIPE THREAD"},
                 {5, "TAPER SEALING THREAD (BSPT)"},
                 {11, "ISO 7-1, EN 10226-1, BS 21"}},
                Section{{"R = taper external", "Rc = taper internal", "Rp = parallel internal"}},
                {{"taper 1 in 16 on the diameter"},
                 angle("55"),
                 {"seals on the thread, with a sealant", "or tape on the flanks"},
                 plating(0.0044, mode)},
                {{"pipes, fittings and valves for water,", "gas and oil"},
                 {"R mates with Rc or with Rp; never", "with G for a pressure-tight joint"}}};
        case TR:
            return Outline{
                {{5, "Tr - METRIC TRAPEZOIDAL THREAD"}, {9, "ISO 2901 TO 2904 (DIN 103)"}},
                Section{{"7e = medium fit external", "7H = medium fit internal",
                         "8e, 8c, 9c, 8H, 9H where the tables", "hold them"}},
                {angle("30"),
                 {"a crest clearance ac between each", "crest and the mating root"},
                 {"multi-start threads: the lead is the", "pitch times the starts"},
                 plating(0.0077, mode)},
                {kTransverse, kHeavyLoads, {"lead screws of lathes, vices and presses"}}};
        default:
            return std::nullopt;
    }
}

// Two blank lines, the heading, a blank line, then the paragraphs one blank line apart.
void appendSection(SeriesDescription& lines, int indent, const char* heading,
                   const Section& paragraphs) {
    lines.emplace_back();
    lines.emplace_back();
    lines.push_back(spaces(indent) + heading);
    lines.emplace_back();
    for (size_t p = 0; p < paragraphs.size(); ++p) {
        if (p > 0) lines.emplace_back();
        for (const auto& text : paragraphs[p]) lines.push_back("  " + text);
    }
}

}  // namespace

SeriesDescription buildDescription(SeriesId id, const UnitMode& mode) {
    const std::optional<Outline> o = outline(id, mode);
    if (!o) return {};
    SeriesDescription lines;
    for (const auto& title : o->titles) lines.push_back(spaces(title.indent) + title.text);
    if (o->classes) appendSection(lines, kClassesIndent, "CLASSES OF FIT", *o->classes);
    appendSection(lines, o->geometricIndent, "GEOMETRIC CHARACTERISTICS", o->geometric);
    appendSection(lines, o->applicationsIndent, "TYPICAL APPLICATIONS", o->applications);
    return lines;
}

SeriesDescription buildDescription(SeriesId id, const UnitMode& mode,
                                   const std::vector<std::string>& note) {
    SeriesDescription lines = buildDescription(id, mode);
    if (note.empty() || lines.empty()) return lines;
    std::size_t titles = 0;
    while (titles < lines.size() && !lines[titles].empty()) ++titles;
    SeriesDescription noted(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(titles));
    noted.emplace_back();
    noted.insert(noted.end(), note.begin(), note.end());
    noted.insert(noted.end(), lines.begin() + static_cast<std::ptrdiff_t>(titles), lines.end());
    return noted;
}

}  // namespace torveld
