#include "thread_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "drill_chart.h"
#include "special_size.h"
#include "special_thread.h"
#include "thread_calculator.h"

namespace torveld {

namespace {

constexpr double kMmPerInch = 25.4;

using R = ClassRecord;

bool hasEngagementList(DisplayFamily family) {
    switch (family) {
        case DisplayFamily::Unified:
        case DisplayFamily::IsoCoarse:
        case DisplayFamily::IsoFine:
        case DisplayFamily::UNS:
        case DisplayFamily::UNJ:
            return true;
        default:
            return false;
    }
}

// A class of a record, with its limits as the record holds them.
ReportClass classOfRecord(const ThreadResults& v, ClassRecord record, std::string_view name) {
    ReportClass c;
    c.name = name;
    c.record = record;
    if (isExternal(record)) {
        const ExternalLimits& e = record == R::ExtNormal ? v.extNormal : v.extClose;
        c.side = ThreadSide::External;
        c.majorMax = e.majorMax;
        c.majorMin = e.majorMin;
        c.majorMean = e.majorMean;
        c.pitchMax = e.pitchMax;
        c.pitchMin = e.pitchMin;
        c.minorRef = e.minorRef;
        c.minorMax = e.minorMax;
        c.minorMin = e.minorMin;
        c.wiresMax = e.wiresMax;
        c.wiresMin = e.wiresMin;
    } else {
        const InternalLimits& i = record == R::IntNormal ? v.intNormal : v.intClose;
        c.side = ThreadSide::Internal;
        c.majorMax = i.majorMax;
        c.majorMin = i.majorMin;
        c.pitchMax = i.pitchMax;
        c.pitchMin = i.pitchMin;
        c.minorMax = i.minorMax;
        c.minorMin = i.minorMin;
        c.minorMean = i.minorMean;
    }
    return c;
}

// The usual classes: those of the records that hold a class with limits, in record order; a
// name met again on the same side (an unlabelled one class) adds the limits it lacks.
void addUsualClasses(ThreadReport& r, bool fromTables, int computation) {
    const SeriesId series = r.identity.series;
    for (int index = 0; index < 4; ++index) {
        const auto record = static_cast<ClassRecord>(index);
        const std::string_view name = r.records[static_cast<std::size_t>(index)].name;
        if (name.empty()) continue;
        ReportClass c = classOfRecord(r.values, record, name);
        if (!c.hasLimits()) continue;
        const auto same = std::find_if(r.classes.begin(), r.classes.end(), [&](const auto& o) {
            return o.side == c.side && o.name == c.name;
        });
        if (same != r.classes.end()) continue;
        if (fromTables) {
            c.tables = limitSources(series, record);
            const bool mm = !c.tables.empty() && c.tables.front()->millimetres;
            c.millimetres = mm;
            c.decimals = mm ? 3 : 4;
        } else {
            c.computation = computation;
        }
        r.classes.push_back(std::move(c));
    }
}

// The engagement list and the guide drill, with the target the guide drill was chosen for.
void fillTapDrill(ThreadReport& r) {
    const SeriesId series = r.identity.series;
    const ThreadResults& v = r.values;
    ReportTapDrill& t = r.tapDrill;
    const DisplayFamily family = seriesById(series).display;
    t.basicMajor = engagementMajor(family, v);
    if (hasEngagementList(family)) {
        const auto lines = tap_drill::engagementLines(t.basicMajor.value_or(0.0), v.pitch);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            t.engagement.push_back({tap_drill::kPercentages[k], lines[k].diameter});
        }
    }
    t.target = tap_drill::guideTarget(series, v);
    if (t.target) {
        const std::optional<ClassRecord> record = tap_drill::guideRecord(series, v);
        if (!record) {
            t.targetName = "K0";
        } else {
            t.targetName = "minor diameter min";
            const std::string_view name = r.records[static_cast<std::size_t>(*record)].name;
            if (!name.empty()) {
                t.targetName += " of ";
                t.targetName += name;
            }
        }
    }
    t.guide = tap_drill::findGuideDrillFor(series, t.target.value_or(0.0));
}

ReportIdentity identityOfRow(SeriesId series, int row) {
    ReportIdentity id;
    id.series = series;
    id.standard = standardOf(series);
    if (row < 0 || row >= sizeCount(series)) return id;
    const designation::Designation d = designation::ofSize(series, row);
    id.designation = d.canonical.view();
    id.sizeDesignation = id.designation;
    const SizeRow size = sizeRow(series, row);
    id.size = size.designation;
    id.size += " - ";
    id.size += size.pitchText;
    id.sizeIndex = row;
    if (seriesById(series).pitchUnit == PitchUnit::ThreadsPerInch) {
        id.threadsPerInch = pitchTextValue(size.pitchText);
    }
    return id;
}

// The engine's series for a series of the tables; none where the engine computes nothing.
std::optional<special::Series> engineSeries(SeriesId id) {
    if (seriesById(id).family == SeriesFamily::IsoMetric) return special::Series::Metric;
    return special::seriesFromCode(seriesById(id).name);
}

Length inches(const std::optional<special::Limit>& limit, special::Unit unit) {
    if (!limit) return std::nullopt;
    const double value = limit->value();
    return unit == special::Unit::Millimetre ? value / kMmPerInch : value;
}

Length mean(const Length& a, const Length& b) {
    if (!a || !b) return std::nullopt;
    return (*a + *b) * 0.5;
}

// A class of the engine, in inches, with its means and over-wire limits as a record's.
ReportClass engineClass(const special::ClassLimits& c, special::Unit unit, const ThreadResults& v,
                        int computation) {
    ReportClass out;
    out.name = c.name;
    out.side = c.side == special::Side::External ? ThreadSide::External : ThreadSide::Internal;
    out.majorMax = inches(c.majorMax, unit);
    out.majorMin = inches(c.majorMin, unit);
    out.pitchMax = inches(c.pitchMax, unit);
    out.pitchMin = inches(c.pitchMin, unit);
    out.minorMax = inches(c.minorMax, unit);
    out.minorMin = inches(c.minorMin, unit);
    out.millimetres = unit == special::Unit::Millimetre;
    int decimals = 0;
    for (const auto* l : {&c.majorMax, &c.majorMin, &c.pitchMax, &c.pitchMin, &c.minorMax,
                          &c.minorMin, &c.minorRef}) {
        if (*l) decimals = std::max(decimals, (*l)->decimals);
    }
    out.decimals = decimals;
    if (out.side == ThreadSide::External) {
        out.minorRef = inches(c.minorRef, unit);
        out.majorMean = mean(out.majorMax, out.majorMin);
        if (v.wireConstant) {
            if (out.pitchMax) out.wiresMax = *out.pitchMax + *v.wireConstant;
            if (out.pitchMin) out.wiresMin = *out.pitchMin + *v.wireConstant;
        }
    } else {
        out.minorMean = mean(out.minorMin, out.minorMax);
    }
    out.computation = computation;
    return out;
}

std::string sideText(ThreadSide side) {
    return side == ThreadSide::External ? " external" : " internal";
}

// The classes a designation names, each with its side, the external first.
std::vector<std::pair<ThreadSide, std::string>> namedClasses(const designation::Designation& d) {
    std::vector<std::pair<ThreadSide, std::string>> named;
    // The taper pipe threads have no class limits (NPTF classes 1 and 2 gauge the same
    // dimensions).
    if (seriesById(d.series).family == SeriesFamily::TaperPipe) return named;
    // R and Rc are gauged, not held to limits of size; Rp has the one class with limits.
    switch (d.taperThread) {
        case designation::TaperPipeThread::Rp:
            named.emplace_back(ThreadSide::Internal, "Rp");
            return named;
        case designation::TaperPipeThread::R:
        case designation::TaperPipeThread::Rc:
        case designation::TaperPipeThread::None:
            break;
    }
    if (d.externalClass) named.emplace_back(ThreadSide::External, d.externalClass->text().view());
    if (d.internalClass) named.emplace_back(ThreadSide::Internal, d.internalClass->text().view());
    return named;
}

// Replaces the usual classes by those the designation names: a usual class as it is, any other
// computed by the standard's formulas. The reason when one cannot be given.
std::optional<std::string> takeNamedClasses(ThreadReport& r, const designation::Designation& d) {
    // The taper threads R and Rc: their values are the gauge values, with no class.
    if (d.taperThread == designation::TaperPipeThread::R ||
        d.taperThread == designation::TaperPipeThread::Rc) {
        r.classes.clear();
        return std::nullopt;
    }
    const auto named = namedClasses(d);
    if (named.empty()) return std::nullopt;
    std::vector<ReportClass> usual = std::move(r.classes);
    r.classes.clear();
    std::vector<std::string> computed;
    for (const auto& entry : named) {
        // (Clang 14, the fuzzers' compiler, captures no structured binding.)
        const auto& [side, name] = entry;
        const auto it = std::find_if(usual.begin(), usual.end(), [&](const ReportClass& c) {
            return c.side == entry.first && c.name == entry.second;
        });
        if (it != usual.end()) {
            r.classes.push_back(*it);
        } else if (std::find(computed.begin(), computed.end(), name) == computed.end()) {
            computed.push_back(name);
        }
    }
    if (computed.empty()) return std::nullopt;

    auto series = engineSeries(d.series);
    // A size the UNJ table does not hold is, in ASME B1.15's terms, a UNJS thread.
    if (d.isSpecial() && series == special::Series::UNJ) series = special::Series::UNJS;
    const auto size = d.isSpecial() ? d.special : designation::basicSize(d.series, d.sizeIndex);
    if (!series || !size) {
        std::string why = "class ";
        why += computed.front();
        why += " of ";
        why += seriesById(d.series).name;
        why += " is neither in the tables nor computed by the standard's formulas";
        return why;
    }
    std::vector<std::string_view> names(computed.begin(), computed.end());
    const special::Result result =
        special::calculate({*series, size->majorDiameter, size->pitch}, names);
    if (!result.ok()) return result.refusal;
    const int computation = static_cast<int>(r.computations.size());
    r.computations.push_back(result.provenance);
    for (const special::ClassLimits& c : result.classes) {
        if (!c.ok()) return c.refusal;
        ReportClass added = engineClass(c, result.unit, r.values, computation);
        // A class the window shows on one side keeps it; the engine gives the other (an Acme
        // class is of both sides).
        if (r.findClass(added.side, added.name) != nullptr) continue;
        r.classes.push_back(std::move(added));
    }
    // The external classes first, each side in the order named.
    std::stable_partition(r.classes.begin(), r.classes.end(),
                          [](const ReportClass& c) { return c.side == ThreadSide::External; });
    return std::nullopt;
}

// The shortest text of a length in millimetres, to the micrometre: "14", "4.5".
std::string millimetreText(double mm) {
    std::array<char, 32> digits{};
    const double rounded = std::round(mm * 1000.0) / 1000.0;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), rounded).ptr;
    return std::string(digits.data(), end);
}

// "2 starts, lead 14 mm": a multi-start trapezoidal thread lacks the limits that depend on the
// widened pitch-diameter tolerances of several starts.
ReportNote multiStartNote(int starts, double pitch) {
    ReportNote note;
    note.kind = ReportNote::Kind::MultiStart;
    note.text = millimetreText(starts) + " starts, lead " + millimetreText(starts * pitch) + " mm";
    note.reason =
        "the pitch-diameter tolerances of a multi-start thread are widened by factors not held, "
        "so d2 min, d3 min and D2 max are not given";
    return note;
}

// A special size: its limits by the engine for the classes its series shows, its geometry by the
// same formulas as a table row.
ReportOutcome specialReport(const designation::Designation& d) {
    const std::string canonical(d.canonical.view());
    if (!d.special || !isValidSeries(d.series)) return canonical + ": not a special size";
    const bool metric = seriesById(d.series).pitchUnit == PitchUnit::Millimetres;
    const double diameter = d.special->majorDiameter;
    const double pitch = d.special->pitch;
    const std::array<std::string, 4> classes =
        specialClasses(d.series, metric ? pitch / kMmPerInch : 1.0 / pitch,
                       metric ? diameter / kMmPerInch : diameter);
    const SpecialCalculation calculation =
        calculateSpecial({d.series, diameter, pitch, classes, d.starts});
    if (!calculation.results) return canonical + ": " + calculation.refusal;

    ThreadReport r;
    r.identity.series = d.series;
    r.identity.standard = standardOf(d.series);
    r.identity.designation = canonical;
    r.identity.sizeDesignation = designation::sizeOnly(d).canonical.view();
    const designation::SizeTexts texts = designation::sizeTexts(d);
    r.identity.size = texts.size.view();
    r.identity.size += " - ";
    r.identity.size += texts.pitch.view();
    if (!metric) r.identity.threadsPerInch = pitch;
    r.identity.starts = d.starts;
    r.calculated = true;
    r.values = *calculation.results;
    if (d.series == series::ISO_FINE) {
        // ISO FINE chooses its arrangement from the minimum major diameters of both internal
        // records, the basic major for every H class; a record without a class keeps it too, so
        // that the classes are arranged as they were chosen.
        const double basic = diameter / kMmPerInch;
        if (!r.values.intNormal.majorMin) r.values.intNormal.majorMin = basic;
        if (!r.values.intClose.majorMin) r.values.intClose.majorMin = basic;
    }
    r.records = recordClasses(d.series, r.values);
    r.computations.push_back(calculation.limits.provenance);
    addUsualClasses(r, false, 0);
    fillTapDrill(r);

    r.notes.push_back({ReportNote::Kind::ComputedByFormulas, std::string(r.identity.standard), {}});
    if (d.starts > 1) r.notes.push_back(multiStartNote(d.starts, pitch));
    for (int index = 0; index < 4; ++index) {
        const std::string& name = classes[static_cast<std::size_t>(index)];
        if (name.empty()) continue;
        const bool external = isExternal(static_cast<ClassRecord>(index));
        for (const special::ClassLimits& c : calculation.limits.classes) {
            const bool sameSide = (c.side == special::Side::External) == external;
            if (c.name == name && sameSide && !c.ok()) {
                r.notes.push_back(
                    {ReportNote::Kind::ClassWithoutLimits,
                     name + sideText(external ? ThreadSide::External : ThreadSide::Internal),
                     c.refusal});
            }
        }
    }
    return r;
}

// The maximum minor diameter of a rounded-root (UNR) external thread, for reference, as ASME B1.1
// tabulates it: the UN basic minor D - 1.082532 P to four places, less the allowance and H/8
// (0.108253 P), that is the maximum major less 1.190785 P, rounded as the tables are.
void addRoundedRootMinor(ThreadReport& r, const designation::Designation& d) {
    const auto size = d.isSpecial() ? d.special : designation::basicSize(d.series, d.sizeIndex);
    if (!size || !(size->pitch > 0.0)) return;
    const double basic = size->majorDiameter;
    const double p = 1.0 / size->pitch;
    const auto round4 = [](double v) { return std::nearbyint(v * 1e4) / 1e4; };
    for (ReportClass& c : r.classes) {
        if (c.side != ThreadSide::External || !c.majorMax) continue;
        const double allowance = round4(basic - *c.majorMax);
        c.unrMinorMax = round4(round4(basic - 1.082532 * p) - allowance - 0.108253 * p);
    }
}

}  // namespace

Length engagementMajor(DisplayFamily family, const ThreadResults& v) {
    if (!hasEngagementList(family)) return std::nullopt;
    return family == DisplayFamily::UNJ ? v.extClose.majorMax : v.intNormal.majorMin;
}

bool ReportClass::hasLimits() const {
    return majorMax || majorMin || pitchMax || pitchMin || minorRef || minorMax || minorMin;
}

std::string_view ReportTapDrill::drillName() const {
    if (guide.guideRow < 0 || guide.guideRow >= drill_chart::kRowCount) return {};
    return drill_chart::row(guide.guideRow).drillName;
}

Length ReportTapDrill::drillDiameter() const {
    if (guide.guideRow < 0 || guide.guideRow >= drill_chart::kEndRow) return std::nullopt;
    return drill_chart::diameter(guide.guideRow);
}

ReportProfile ThreadReport::profile() const {
    const ThreadResults& v = values;
    ReportProfile p;
    p.pitch = v.pitch;
    p.threadsPerInch = identity.threadsPerInch;
    p.externalHeight = v.extHeight;
    p.externalFlat = v.extFlat;
    p.internalHeight = v.intHeight;
    p.internalFlat = v.intFlat;
    p.crestRadius = v.crestRadius;
    p.rootRadius = v.rootRadius;
    p.rootRadiusMax = v.rootRadiusMax;
    p.rootRadiusMin = v.rootRadiusMin;
    p.countersinkMin = v.csinkMin;
    p.countersinkMax = v.csinkMax;
    p.crestClearance = v.crestClearance;
    if (identity.starts > 1) {
        p.starts = identity.starts;
        p.lead = identity.starts * v.pitch;
    }
    return p;
}

std::optional<ReportBritishTaper> ThreadReport::britishTaper() const {
    const ThreadResults& v = values;
    if (seriesById(identity.series).family != SeriesFamily::BritishTaper || !v.gaugeDiameter) {
        return std::nullopt;
    }
    const auto at = [](const Length& l) { return l.value_or(0.0); };
    ReportBritishTaper t;
    t.gaugeDiameter = at(v.gaugeDiameter);
    t.gaugePitchDiameter = at(v.gaugePitchDiameter);
    t.gaugeMinorDiameter = at(v.gaugeMinorDiameter);
    t.smallEndPitchDiameter = at(v.smallEndPitchDiameter);
    t.gaugeLength = at(v.gaugeLength);
    t.gaugeLengthTolerance = at(v.gaugeLengthTolerance);
    t.gaugeLengthMax = at(v.gaugeLengthMax);
    t.gaugeLengthMin = at(v.gaugeLengthMin);
    t.gaugeLengthToleranceTurns = at(v.gaugeLengthToleranceTurns);
    t.gaugePlaneTolerance = at(v.gaugePlaneTolerance);
    t.gaugePlaneToleranceTurns = at(v.gaugePlaneToleranceTurns);
    t.rpDiameterTolerance = at(v.rpDiameterTolerance);
    t.usefulThreadMin = at(v.usefulThreadMin);
    t.usefulThreadMinAtMaxGauge = at(v.usefulThreadMinAtMaxGauge);
    t.usefulThreadMinAtMinGauge = at(v.usefulThreadMinAtMinGauge);
    t.fittingAllowance = at(v.fittingAllowance);
    t.fittingAllowanceTurns = at(v.fittingAllowanceTurns);
    return t;
}

ReportWires ThreadReport::wires() const {
    return {values.bestWire, values.wireConstant};
}

std::optional<ReportPipe> ThreadReport::pipe() const {
    if (seriesById(identity.series).family != SeriesFamily::TaperPipe) return std::nullopt;
    const ThreadResults& v = values;
    ReportPipe p;
    p.pipeDiameter = v.pipeOD;
    p.majorAtPipeEnd = v.majorAtPipeEnd;
    p.e0 = v.e0;
    p.e1 = v.e1;
    p.k0 = v.k0;
    p.minorAtFace = v.minorAtFace;
    p.tapDepth = v.tapDepth;
    const auto length = [&](const Length& l) -> std::optional<PipeLength> {
        if (!l || !(v.pitch > 0.0)) return std::nullopt;
        return PipeLength{*l, *l / v.pitch};
    };
    p.l1 = length(v.l1);
    p.l2 = length(v.l2);
    p.l3 = length(v.l3);
    p.l4 = length(v.l4);
    p.shoulderLength = v.shoulderLength;
    p.externalCrestFlatMax = v.extCrestFlatMax;
    p.externalCrestFlatMin = v.extCrestFlatMin;
    p.internalCrestFlatMax = v.intCrestFlatMax;
    p.internalCrestFlatMin = v.intCrestFlatMin;
    return p;
}

const ReportClass* ThreadReport::findClass(ThreadSide side, std::string_view name) const {
    for (const ReportClass& c : classes) {
        if (c.side == side && c.name == name) return &c;
    }
    return nullptr;
}

ThreadReport tableReport(SeriesId series, int row) {
    ThreadReport r;
    if (!isValidSeries(series)) return r;
    r.identity = identityOfRow(series, row);
    const std::optional<ThreadResults> values = calculate(Selection{series, row});
    r.calculated = values.has_value();
    // No number of an earlier size may stay behind: without values every value is empty.
    r.values = values.value_or(ThreadResults{});
    r.records = recordClasses(series, r.values);
    addUsualClasses(r, true, -1);
    fillTapDrill(r);
    return r;
}

ReportOutcome usualReport(const designation::Designation& d) {
    ReportOutcome outcome;
    if (d.isSpecial()) {
        outcome = specialReport(d);
    } else if (!isValidSeries(d.series) || d.sizeIndex < 0 || d.sizeIndex >= sizeCount(d.series)) {
        return std::string(d.canonical.view()) + ": not a size of the tables";
    } else {
        outcome = tableReport(d.series, d.sizeIndex);
    }
    if (ThreadReport* r = std::get_if<ThreadReport>(&outcome)) {
        r->identity.designation = d.canonical.view();
        for (std::string& note : designation::readingNotes(d)) {
            r->notes.push_back({ReportNote::Kind::Reading, std::move(note), {}});
        }
    }
    return outcome;
}

ReportOutcome withNamedClasses(ThreadReport r, const designation::Designation& d) {
    r.identity.designation = d.canonical.view();
    if (std::optional<std::string> refusal = takeNamedClasses(r, d)) return *refusal;
    if (d.roundedRoot) addRoundedRootMinor(r, d);
    return r;
}

ReportOutcome makeReport(const designation::Designation& d) {
    ReportOutcome usual = usualReport(d);
    if (ThreadReport* r = std::get_if<ThreadReport>(&usual))
        return withNamedClasses(std::move(*r), d);
    return usual;
}

std::string_view standardOf(SeriesId series) {
    if (!isValidSeries(series)) return {};
    switch (seriesById(series).family) {
        case SeriesFamily::Unified:
        case SeriesFamily::UNS:
            return "ASME B1.1";
        case SeriesFamily::UNJ:
            return "ASME B1.15";
        case SeriesFamily::TaperPipe:
            return series == series::NPTF ? "ASME B1.20.3" : "ASME B1.20.1";
        case SeriesFamily::StraightPipe:
            return "ASME B1.20.1";
        case SeriesFamily::Acme:
            return series == series::STUB_ACME ? "ASME B1.8" : "ASME B1.5";
        case SeriesFamily::IsoMetric:
            return "ISO 965-1";
        case SeriesFamily::UNM:
            return "ASME B1.10M";
        case SeriesFamily::Whitworth:
            return "BS 84";
        case SeriesFamily::BA:
            return "BS 93";
        case SeriesFamily::ThreadInsert:
            return "ASME B18.29.1";
        case SeriesFamily::BritishPipe:
            return "ISO 228-1";
        case SeriesFamily::BritishTaper:
            return "ISO 7-1";
        case SeriesFamily::Trapezoidal:
            return "ISO 2903";
    }
    return {};
}

}  // namespace torveld
