#include "query_session.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "control_ids.h"
#include "control_table.h"
#include "number_format.h"
#include "special_thread.h"
#include "thread_calculator.h"

namespace torveld::query {

namespace {

constexpr int kLabelOfRecord[] = {ids::kExtNormalLabel, ids::kExtCloseLabel, ids::kIntNormalLabel,
                                  ids::kIntCloseLabel};

// The number a window text denotes (".2489" is 0.2489); the texts are the formatter's own,
// '.' whatever the locale.
double numberOf(std::string_view text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

LimitValue limitValue(double inches, const UnitMode& mode, int placesOffset = 0) {
    LimitValue v;
    v.text = formatLength(inches, mode, placesOffset);
    v.value = numberOf(v.text);
    return v;
}

UnitMode modeOf(DisplayUnit unit) {
    return unit == DisplayUnit::Metric ? UnitMode::metric() : UnitMode::inch();
}

char foldName(char c) {
    if (c == '-' || c == '_') return ' ';
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// A class of the window's grids: its side, the class record of its row and its limits.
struct ShownClass {
    ThreadSide side;
    ClassRecord record;
    ClassLimits limits;
};

// The classes the window shows with at least one limit, in the order of the grids' rows, their
// limits taken from the results behind the texts and rounded as the texts are.
std::vector<ShownClass> shownClasses(const MainWindow& main) {
    const ControlTexts& texts = main.texts();
    const SeriesId series = main.selection().series;
    std::vector<ShownClass> classes;
    for (const LimitCell& cell : limitCells()) {
        const std::optional<FieldSource>& source = texts.source(cell.control);
        if (!source || !source->field.isLimit()) continue;
        const Length inches = source->field.of(main.results());
        if (!inches) continue;
        std::string name = texts.text(cell.label);
        if (name.empty()) name = unlabelledClass(series);
        if (name.empty()) continue;  // a row the window does not name has no class to report
        auto it = std::find_if(classes.begin(), classes.end(), [&](const ShownClass& c) {
            return c.side == cell.side && c.limits.name == name;
        });
        if (it == classes.end()) {
            classes.push_back({cell.side, source->field.record(), ClassLimits{name, {}}});
            it = classes.end() - 1;
        }
        it->limits.values[static_cast<std::size_t>(cell.limit)] =
            limitValue(*inches, main.unitMode(), source->places);
    }
    return classes;
}

// The engine's series for a series of the tables; none where the engine computes nothing.
std::optional<special::Series> engineSeries(SeriesId id) {
    if (seriesById(id).family == SeriesFamily::IsoMetric) return special::Series::Metric;
    return special::seriesFromCode(seriesById(id).name);
}

// A class of the engine in the answer's unit, rounded as the window rounds. An external thread
// whose standard gives a reference minor diameter shows it as the window does: the Unified REF
// column is the maximum, ISO's d3 min the minimum.
ClassLimits engineClass(const special::ClassLimits& c, special::Series series, special::Unit unit,
                        const UnitMode& mode) {
    ClassLimits out{c.name, {}};
    const std::optional<special::Limit>* limits[] = {&c.majorMax, &c.majorMin, &c.pitchMax,
                                                     &c.pitchMin, &c.minorMax, &c.minorMin};
    const auto set = [&](SizeLimit at, const special::Limit& l) {
        const double inches = unit == special::Unit::Millimetre ? l.value() / mmPerInch : l.value();
        out.values[static_cast<std::size_t>(at)] = limitValue(inches, mode);
    };
    for (std::size_t i = 0; i < std::size(limits); ++i) {
        if (*limits[i]) set(static_cast<SizeLimit>(i), **limits[i]);
    }
    if (c.minorRef && c.side == special::Side::External) {
        const SizeLimit at =
            series == special::Series::Metric ? SizeLimit::MinorMin : SizeLimit::MinorMax;
        if (!out.values[static_cast<std::size_t>(at)]) set(at, *c.minorRef);
    }
    return out;
}

// Adds `name` to the provenance entry of `table` (or of the computation), in order of first use.
void addProvenance(std::vector<Provenance>& entries, const std::optional<std::string>& table,
                   const std::string& source, const std::string& name) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const Provenance& p) {
        return p.table == table && p.source == source;
    });
    if (it == entries.end()) {
        entries.push_back({{}, table, source});
        it = entries.end() - 1;
    }
    if (std::find(it->classes.begin(), it->classes.end(), name) == it->classes.end()) {
        it->classes.push_back(name);
    }
}

}  // namespace

bool ClassLimits::empty() const {
    return std::none_of(values.begin(), values.end(), [](const auto& v) { return v.has_value(); });
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

Session::Session() : main_(windowing_, printing_) {
    main_.startUp();
    windowing_.attach(&main_);
}

Session::~Session() {
    main_.shutDown();
}

Session::Shown Session::show(const designation::Designation& d, std::string& reason) {
    // As the user's find box: the series and size picked as a click and a pick would, a special
    // size joining its series' size list; a refusal leaves the window as it was.
    const FindOutcome found = main_.find(d.canonical.view());
    if (!found.found) {
        reason = found.message;
        return Shown::Failed;
    }
    const bool taken = d.isSpecial()
                           ? main_.specialSize().has_value()
                           : !main_.specialSize() && main_.selection().series == d.series &&
                                 main_.selection().sizeIndex == d.sizeIndex;
    if (!taken || main_.selection().series != d.series) {
        reason = "the window did not take the size";
        return Shown::Failed;
    }
    return Shown::Shown;
}

void Session::setUnit(DisplayUnit unit) {
    windowing_.click(main_.window(),
                     unit == DisplayUnit::Metric ? ids::kMillimeters : ids::kInches);
}

Outcome Session::answer(std::string_view text, std::optional<DisplayUnit> unit) {
    const designation::Result read = designation::read(text);
    if (!read) return Failure{std::string(text), read.error().message};
    const designation::Designation& d = read.designation();
    return answerShown(text, d, unit.value_or(tableUnit(d.series)));
}

std::vector<Outcome> Session::seriesAnswers(SeriesId id, std::optional<DisplayUnit> unit) {
    std::vector<Outcome> answers;
    const int count = sizeCount(id);
    answers.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        const designation::Designation d = designation::ofSize(id, row);
        answers.push_back(answerShown(d.canonical.view(), d, unit.value_or(tableUnit(id))));
    }
    return answers;
}

Outcome Session::answerShown(std::string_view input, const designation::Designation& d,
                             DisplayUnit unit) {
    std::string reason;
    const Shown shown = show(d, reason);
    if (shown == Shown::Failed) return Failure{std::string(input), reason};
    setUnit(unit);

    Answer a;
    a.input = input;
    a.designation = d.canonical.view();
    a.series = seriesById(d.series).name;
    a.unit = unit;
    a.tabulated = !d.isSpecial();
    const platform::WindowHandle window = main_.window();
    if (a.tabulated) a.sizeIndex = d.sizeIndex;
    if (const auto& special = main_.specialSize()) {
        // The size as the list writes it, without the list's mark of a special size.
        a.size = special->sizeText + " - " + special->pitchText;
    } else {
        const int position = windowing_.listSelected(window, ids::kSizeList);
        const std::string item = windowing_.listItem(window, ids::kSizeList, position);
        a.size = item.substr(std::min(item.size(), item.find_first_not_of(' ')));
    }
    for (int id = kFirstField; id <= kLastField; ++id) {
        const platform::HeadlessControl* c = windowing_.control(window, id);
        // A control hidden or collapsed (the pipe arrangement's) shows nothing; what it holds
        // is left from an earlier size.
        if (c == nullptr || !c->visible || c->rect.width <= 0 || c->rect.height <= 0) continue;
        a.fields.emplace_back(id, c->text);
    }

    // The classes named, side by side; none named: the window's, or the usual ones.
    std::vector<std::pair<ThreadSide, std::string>> named;
    if (d.externalClass) named.emplace_back(ThreadSide::External, d.externalClass->text().view());
    if (d.internalClass) named.emplace_back(ThreadSide::Internal, d.internalClass->text().view());
    const bool taperPipe = seriesById(d.series).family == SeriesFamily::TaperPipe;
    if (taperPipe) named.clear();  // NPTF classes 1 and 2 gauge the same dimensions

    // The classes the window shows: a table size's from its tables, a special size's computed by
    // the engine for the window.
    const std::vector<ShownClass> windowClasses = shownClasses(main_);
    const auto addShown = [&](const ShownClass& c) {
        (c.side == ThreadSide::External ? a.external : a.internal).push_back(c.limits);
        if (const auto& special = main_.specialSize()) {
            addProvenance(a.provenance, std::nullopt, special->limits.provenance, c.limits.name);
            return;
        }
        for (const LimitTable* table : limitSources(d.series, c.record)) {
            addProvenance(a.provenance, std::string(table->name), table->provenance, c.limits.name);
        }
    };

    std::vector<std::string> computed;  // classes the engine computes, as it names them
    if (named.empty()) {
        for (const ShownClass& c : windowClasses) addShown(c);
    } else {
        for (const auto& [side, name] : named) {
            const auto it = std::find_if(
                windowClasses.begin(), windowClasses.end(),
                [&](const ShownClass& c) { return c.side == side && c.limits.name == name; });
            if (it != windowClasses.end()) {
                addShown(*it);
            } else if (std::find(computed.begin(), computed.end(), name) == computed.end()) {
                computed.push_back(name);
            }
        }
    }
    if (computed.empty()) return a;

    auto series = engineSeries(d.series);
    // A size the UNJ table does not hold is, in ASME B1.15's terms, a UNJS thread.
    if (d.isSpecial() && series == special::Series::UNJ) series = special::Series::UNJS;
    const auto size = d.isSpecial() ? d.special : designation::basicSize(d.series, d.sizeIndex);
    if (!series || !size) {
        std::string why = "class ";
        why += computed.front();
        why += " of ";
        why += a.series;
        why += " is neither in the tables nor computed by the standard's formulas";
        return Failure{std::string(input), why};
    }
    std::vector<std::string_view> names(computed.begin(), computed.end());
    const special::Result result =
        special::calculate({*series, size->majorDiameter, size->pitch}, names);
    if (!result.ok()) return Failure{std::string(input), result.refusal};
    const UnitMode mode = modeOf(unit);
    for (const special::ClassLimits& c : result.classes) {
        if (!c.ok()) return Failure{std::string(input), c.refusal};
        // A class the window shows on one side keeps it; the engine gives the other (an Acme
        // class is of both sides).
        const ThreadSide side =
            c.side == special::Side::External ? ThreadSide::External : ThreadSide::Internal;
        std::vector<ClassLimits>& list = side == ThreadSide::External ? a.external : a.internal;
        if (std::any_of(list.begin(), list.end(),
                        [&](const ClassLimits& l) { return l.name == c.name; })) {
            continue;
        }
        list.push_back(engineClass(c, *series, result.unit, mode));
        addProvenance(a.provenance, std::nullopt, result.provenance, c.name);
    }
    return a;
}

}  // namespace torveld::query
