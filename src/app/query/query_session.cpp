#include "query_session.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "control_ids.h"
#include "control_table.h"
#include "display_texts.h"
#include "thread_measuring.h"
#include "typed_number.h"
#include "wire_forms.h"

namespace torveld::query {

namespace {

// The number a window text denotes (".2489" is 0.2489); the texts are the formatter's own,
// '.' whatever the locale.
double numberOf(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

char foldName(char c) {
    if (c == '-' || c == '_') return ' ';
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// The reference minor of an external class stands where the window shows it: ISO's d3 min in the
// minimum column, the Unified REF in the maximum column.
SizeLimit referenceMinorAt(SeriesId series) {
    return seriesById(series).family == SeriesFamily::IsoMetric ? SizeLimit::MinorMin
                                                                : SizeLimit::MinorMax;
}

ClassLimits limitsOf(const ReportClass& c, const Answer& a) {
    ClassLimits out{c.name, {}, {}};
    const Length* limits[] = {&c.majorMax, &c.majorMin, &c.pitchMax,
                              &c.pitchMin, &c.minorMax, &c.minorMin};
    for (std::size_t i = 0; i < std::size(limits); ++i) {
        if (*limits[i]) out.values[i] = a.length(**limits[i]);
    }
    if (c.unrMinorMax) out.unrMinorMax = a.length(*c.unrMinorMax);
    if (c.minorRef && c.side == ThreadSide::External) {
        auto& at = out.values[static_cast<std::size_t>(referenceMinorAt(a.report.identity.series))];
        if (!at) at = a.length(*c.minorRef);
    }
    return out;
}

// Adds `name` to the provenance entry of `table` (or of the computation), in order of first use.
// A table is known by its name; computations by their statement.
void addProvenance(std::vector<Provenance>& entries, const std::optional<std::string>& table,
                   const std::string& source, const std::string& name) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const Provenance& p) {
        return p.table == table && (table || p.source == source);
    });
    if (it == entries.end()) {
        entries.push_back({{}, table, source});
        it = entries.end() - 1;
    }
    if (std::find(it->classes.begin(), it->classes.end(), name) == it->classes.end()) {
        it->classes.push_back(name);
    }
}

measure::Unit measureUnitOf(DisplayUnit unit) {
    return unit == DisplayUnit::Metric ? measure::Unit::Millimetre : measure::Unit::Inch;
}

// The gauges of the report's classes, each under its name, or its name and side where the name
// stands on both sides.
Gauging gaugingOf(const ThreadReport& r, DisplayUnit unit) {
    Gauging g;
    g.set = reportGauges(r, measureUnitOf(unit));
    for (const measure::ClassGauges& c : g.set.classes) {
        const bool bothSides = std::any_of(g.set.classes.begin(), g.set.classes.end(),
                                           [&](const measure::ClassGauges& o) {
                                               return o.side != c.side && o.cls.name == c.cls.name;
                                           });
        std::string key = c.cls.name;
        if (bothSides) key += c.side == measure::Side::External ? " external" : " internal";
        g.keys.push_back(std::move(key));
    }
    return g;
}

}  // namespace

bool ClassLimits::empty() const {
    return std::none_of(values.begin(), values.end(), [](const auto& v) { return v.has_value(); });
}

LimitValue Answer::length(double inches, int placesOffset) const {
    LimitValue v;
    v.text = formatLength(inches, mode(), placesOffset);
    v.value = numberOf(v.text);
    return v;
}

DisplayUnit tableUnit(SeriesId id) {
    return seriesById(id).firstTable->millimetres ? DisplayUnit::Metric : DisplayUnit::Inch;
}

std::optional<SeriesId> seriesByName(std::string_view name) {
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const std::string_view caption = seriesById(id).name;
        if (caption.size() == name.size() &&
            std::equal(caption.begin(), caption.end(), name.begin(),
                       [](char a, char b) { return foldName(a) == foldName(b); })) {
            return id;
        }
    }
    return std::nullopt;
}

std::vector<SeriesId> seriesInRadioOrder() {
    std::vector<SeriesId> order;
    for (int radio = ids::kFirstSeriesRadio; radio <= ids::kLastSeriesRadio; ++radio) {
        if (const auto id = seriesOfRadio(radio)) order.push_back(*id);
    }
    return order;
}

Answer answerOf(ThreadReport report, std::string_view input, DisplayUnit unit, Texts texts) {
    Answer a;
    a.input = input;
    a.unit = unit;
    a.report = std::move(report);
    const ThreadReport& r = a.report;
    a.designation = r.identity.designation;
    a.series = r.identity.seriesName();
    a.size = r.identity.size;
    a.sizeIndex = r.identity.sizeIndex;
    a.tabulated = r.identity.tabulated();
    for (const ReportClass& c : r.classes) {
        (c.side == ThreadSide::External ? a.external : a.internal).push_back(limitsOf(c, a));
    }
    a.gauges = gaugingOf(r, unit);
    a.statements = texts == Texts::Included;
    if (texts == Texts::Omitted) return a;
    a.fields = shownTexts(r, a.mode(), kFirstField, kLastField);
    // Provenance: the classes of the tables first, then those computed for the answer.
    for (const bool computed : {false, true}) {
        for (const ReportClass& c : r.classes) {
            if (c.computed() != computed) continue;
            if (computed) {
                addProvenance(a.provenance, std::nullopt,
                              r.computations[static_cast<std::size_t>(c.computation)], c.name);
                continue;
            }
            for (const LimitTable* table : c.tables) {
                addProvenance(a.provenance, std::string(table->name), table->provenance, c.name);
            }
        }
    }
    return a;
}

std::string typedNumberError(std::string_view typed) {
    return measure::readTyped(typed).error;
}

std::variant<Measurement, std::string> measurementOf(const Answer& a, const WireRequest& q) {
    const measure::Unit unit = measureUnitOf(a.unit);
    const auto length = [&](const std::string& typed, const char* what,
                            double& into) -> std::optional<std::string> {
        const measure::TypedValue v = measure::readLength(typed, unit, unit);
        if (!v.ok()) return std::string(what) + ": " + v.error;
        into = *v.value;
        return std::nullopt;
    };
    Measurement m;
    measure::WireInput input;
    input.leadAngle = q.leadAngle;
    if (auto why = length(q.wire, "the wire", input.wire)) return *why;
    if (q.reading) {
        double reading = 0;
        if (auto why = length(*q.reading, "the reading", reading)) return *why;
        input.reading = reading;
    }
    const SeriesId series = a.report.identity.series;
    const bool taper = measure::isTaperSeries(series);
    if (taper) {
        if (!q.plane) {
            return "a taper pipe thread is measured over wires at a plane: give the distance of "
                   "the wires from its small end (--plane)";
        }
        if (auto why = length(*q.plane, "the plane", input.plane)) return *why;
        m.plane = input.plane;
        m.taperKey = seriesById(series).name;
    } else if (q.plane) {
        return "a parallel thread is measured anywhere along it: --plane is for the taper pipe "
               "threads";
    }
    m.wire = input.wire;
    m.result = reportOverWires(a.report, input, unit);
    if (!m.result.ok()) return m.result.refusal;
    return m;
}

Outcome Session::answer(std::string_view text, std::optional<DisplayUnit> unit,
                        const std::optional<WireRequest>& wires) const {
    const designation::Result read = designation::read(text);
    if (!read) return Failure{std::string(text), read.error().message};
    const designation::Designation& d = read.designation();
    ReportOutcome report = makeReport(d);
    if (const auto* reason = std::get_if<std::string>(&report)) {
        return Failure{std::string(text), *reason};
    }
    Answer a = answerOf(std::get<ThreadReport>(std::move(report)), text,
                        unit.value_or(tableUnit(d.series)));
    if (wires) {
        auto m = measurementOf(a, *wires);
        if (const auto* reason = std::get_if<std::string>(&m)) {
            return Failure{std::string(text), *reason};
        }
        a.measurement = std::get<Measurement>(std::move(m));
    }
    return a;
}

std::vector<Outcome> Session::seriesAnswers(SeriesId id, std::optional<DisplayUnit> unit,
                                            Texts texts) const {
    std::vector<Outcome> answers;
    const int count = sizeCount(id);
    answers.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        const designation::Designation d = designation::ofSize(id, row);
        answers.push_back(answerOf(tableReport(id, row), d.canonical.view(),
                                   unit.value_or(tableUnit(id)), texts));
    }
    return answers;
}

}  // namespace torveld::query
