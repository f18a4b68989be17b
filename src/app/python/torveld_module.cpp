// The Python module `torveld`: the command-line query's answers and the inspector's
// calculations for scripts. A view of thread reports like torveld-query: `lookup` answers a
// designation with the query's own answer (`to_dict()` is the query's JSON line, read by
// Python's json), `identify` and `over_wires` call torveld_measure. No window, no Qt.
//
// The names are a contract (extend, never change): lookup, series, sizes, identify, over_wires,
// Thread (designation, series, size, unit, tabulated, to_dict, to_json), DesignationError.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "designation.h"
#include "identify.h"
#include "measure_keys.h"
#include "over_wires.h"
#include "query_output.h"
#include "query_session.h"
#include "thread_report.h"

namespace py = pybind11;
using namespace py::literals;

namespace torveld::python {

namespace {

// Bad input of any kind: the reader's, the engine's or the measurement's one-sentence reason.
struct DesignationError {
    std::string message;
};

DisplayUnit unitOf(const std::string& name) {
    if (name == "inch" || name == "in") return DisplayUnit::Inch;
    if (name == "mm") return DisplayUnit::Metric;
    throw py::value_error("unit must be \"inch\" or \"mm\", not \"" + name.substr(0, 20) + "\"");
}

measure::Unit measureUnit(DisplayUnit unit) {
    return unit == DisplayUnit::Metric ? measure::Unit::Millimetre : measure::Unit::Inch;
}

// A length as the answers round it: five places in inches, four in millimetres (the best
// wire's places), through its text so that it carries no binary noise.
double rounded(double value, measure::Unit unit) {
    char text[64];
    const int places = unit == measure::Unit::Inch ? 5 : 4;
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places).ptr;
    double back = value;
    std::from_chars(text, end, back);
    return back == 0 ? 0.0 : back;  // no -0.0
}

py::object loads(const std::string& json) {
    return py::module_::import("json").attr("loads")(json);
}

query::Answer answerOrRaise(const std::string& text, std::optional<std::string> unit) {
    const query::Session session;
    std::optional<DisplayUnit> u;
    if (unit) u = unitOf(*unit);
    query::Outcome outcome = session.answer(text, u);
    if (auto* failure = std::get_if<query::Failure>(&outcome)) {
        throw DesignationError{failure->reason};
    }
    return std::get<query::Answer>(std::move(outcome));
}

SeriesId seriesOrRaise(const std::string& name) {
    const std::optional<SeriesId> id = query::seriesByName(name);
    if (!id) throw DesignationError{"no series named \"" + name.substr(0, 60) + "\""};
    return *id;
}

py::list seriesList() {
    py::list out;
    for (const SeriesId id : query::seriesInRadioOrder()) {
        py::dict d;
        d["series"] = seriesById(id).name;
        d["sizes"] = sizeCount(id);
        d["unit"] = query::unitName(query::tableUnit(id));
        out.append(d);
    }
    return out;
}

py::list sizesOf(const std::string& name) {
    const SeriesId id = seriesOrRaise(name);
    py::list out;
    for (int row = 0; row < sizeCount(id); ++row) {
        out.append(std::string(designation::ofSize(id, row).canonical.view()));
    }
    return out;
}

// The canonical designation and the size-list text of a candidate.
std::pair<std::string, std::string> candidateTexts(const measure::Candidate& c) {
    designation::Designation d;
    if (c.special) {
        d.series = c.series;
        d.sizeIndex = -1;
        d.special = designation::SpecialSize{c.special->majorDiameter, c.special->pitch};
        d = designation::sizeOnly(d);
    } else {
        d = designation::ofSize(c.series, c.row);
    }
    const designation::SizeTexts texts = designation::sizeTexts(d);
    return {std::string(d.canonical.view()),
            std::string(texts.size.view()) + " - " + std::string(texts.pitch.view())};
}

py::list identifyThread(std::optional<double> major, std::optional<double> minor,
                        std::optional<double> pitch, std::optional<double> tpi,
                        std::optional<std::string> unit, std::optional<bool> taper,
                        std::optional<double> angle) {
    if (major.has_value() == minor.has_value()) {
        throw py::value_error("give one of major= (an external thread) and minor= (internal)");
    }
    if (pitch.has_value() == tpi.has_value()) {
        throw py::value_error("give one of pitch= (millimetres) and tpi= (threads per inch)");
    }
    measure::IdentifyInput in;
    in.side = major ? measure::Side::External : measure::Side::Internal;
    in.diameter = major ? *major : *minor;
    in.pitch = pitch ? *pitch : *tpi;
    in.pitchUnit = pitch ? PitchUnit::Millimetres : PitchUnit::ThreadsPerInch;
    in.unit = measureUnit(unitOf(unit.value_or(pitch ? "mm" : "inch")));
    if (taper) in.taper = *taper ? measure::FormKind::Taper : measure::FormKind::Parallel;
    in.flankAngle = angle;
    const measure::Identification found = measure::identify(in);
    if (!found.ok()) throw DesignationError{found.refusal};
    py::list out;
    int rank = 0;
    for (const measure::Candidate& c : found.candidates) {
        const auto [designation, size] = candidateTexts(c);
        py::dict d;
        d["rank"] = ++rank;
        d["designation"] = designation;
        d["series"] = seriesById(c.series).name;
        d["size"] = size;
        d["tabulated"] = !c.special.has_value();
        d["distance"] = rounded(c.distance, found.unit);
        d["distanceInTolerance"] = std::round(c.tolerances * 100) / 100;
        d["withinLimits"] = c.within;
        d["note"] = c.note;
        out.append(d);
    }
    return out;
}

// The thread of an answer for the three-wire method, its classes those the answer names.
measure::WireThread wireThreadOf(const query::Answer& a, measure::Unit unit) {
    const ThreadReport& r = a.report;
    std::array<std::string, 4> names;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::string(r.records[i].name);
    measure::WireThreadResult base =
        measure::wireThreadOf(r.identity.series, r.values, names, unit);
    if (!base.ok()) throw DesignationError{base.refusal};
    if (base.thread.taper) return base.thread;
    const double scale = unit == measure::Unit::Millimetre ? 25.4 : 1.0;
    base.thread.classes.clear();
    for (const ReportClass& c : r.classes) {
        if (!c.pitchMax || !c.pitchMin) continue;
        measure::PitchClass p;
        p.cls.record = c.record;
        p.cls.name = c.name;
        p.side = c.side == ThreadSide::External ? measure::Side::External : measure::Side::Internal;
        p.pitchMax = *c.pitchMax * scale;
        p.pitchMin = *c.pitchMin * scale;
        base.thread.classes.push_back(p);
    }
    return base.thread;
}

py::dict overWires(const std::string& text, double wire, std::optional<double> reading,
                   std::optional<std::string> unit, double plane, std::optional<bool> leadAngle) {
    const query::Answer a = answerOrRaise(text, unit);
    const measure::Unit u = measureUnit(a.unit);
    measure::WireInput in;
    in.wire = wire;
    in.reading = reading;
    in.plane = plane;
    if (leadAngle)
        in.leadAngle = *leadAngle ? measure::LeadAngle::Included : measure::LeadAngle::Neglected;
    const measure::WireResult result = measure::measureOverWires(wireThreadOf(a, u), in);
    if (!result.ok()) throw DesignationError{result.refusal};
    py::dict out, limits, verdicts;
    out["designation"] = a.designation;
    out["unit"] = query::unitName(a.unit);
    out["wire"] = wire;
    out["formula"] = result.formulaText;
    for (const measure::ClassVerdict& c : result.classes) {
        if (c.side != measure::Side::External) continue;
        // The one class of a taper pipe thread is named by its series, as NPSL's is.
        const py::str name(c.cls.name.empty() ? a.series : c.cls.name);
        limits[name] = py::dict("max"_a = rounded(c.wiresMax, u), "min"_a = rounded(c.wiresMin, u));
        if (result.pitchDiameter) {
            verdicts[name] =
                py::dict("within"_a = c.verdict == measure::Verdict::Within,
                         "verdict"_a = std::string(measure::keyOf(c.verdict)),
                         "fromMax"_a = rounded(c.fromMax, u), "fromMin"_a = rounded(c.fromMin, u));
        }
    }
    out["overWires"] = limits;
    if (result.pitchDiameter) {
        out["pitchDiameter"] = rounded(*result.pitchDiameter, u);
        out["verdict"] = verdicts;
    }
    return out;
}

}  // namespace

}  // namespace torveld::python

PYBIND11_MODULE(torveld, m) {
    using namespace torveld;
    using namespace torveld::python;
    m.doc() = "Torveld: limits of size of screw threads from their designations.";
    m.attr("__version__") = TORVELD_VERSION;
    static py::exception<DesignationError> error(m, "DesignationError", PyExc_ValueError);
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const DesignationError& e) {
            error(e.message.c_str());
        }
    });

    py::class_<query::Answer>(m, "Thread", "The answer for one thread designation.")
        .def_readonly("designation", &query::Answer::designation)
        .def_readonly("series", &query::Answer::series)
        .def_readonly("size", &query::Answer::size)
        .def_readonly("tabulated", &query::Answer::tabulated)
        .def_property_readonly(
            "unit", [](const query::Answer& a) { return std::string(query::unitName(a.unit)); })
        .def(
            "to_json", [](const query::Answer& a) { return query::jsonText(a); },
            "The answer as torveld-query --format json writes it.")
        .def(
            "to_dict", [](const query::Answer& a) { return loads(query::jsonText(a)); },
            "The answer as a dict with exactly the keys of the query's JSON.")
        .def("__repr__", [](const query::Answer& a) {
            return "<torveld.Thread " + a.designation + " (" +
                   std::string(query::unitName(a.unit)) + ")>";
        });

    m.def("lookup", &answerOrRaise, "designation"_a, py::kw_only(), "unit"_a = py::none(),
          "The answer for a designation, in unit \"inch\" or \"mm\" (default: the unit of its "
          "series' table). Raises DesignationError with the reader's message.");
    m.def("series", &seriesList, "The series: [{\"series\", \"sizes\", \"unit\"}], radio order.");
    m.def("sizes", &sizesOf, "series"_a,
          "The canonical designations of every size of a series, in size-list order.");
    m.def("identify", &identifyThread, py::kw_only(), "major"_a = py::none(),
          "minor"_a = py::none(), "pitch"_a = py::none(), "tpi"_a = py::none(),
          "unit"_a = py::none(), "taper"_a = py::none(), "angle"_a = py::none(),
          "Candidates for a thread measured: major= (external) or minor= (internal) in unit "
          "(default mm with pitch=, inch with tpi=), pitch= in mm or tpi=, taper=True/False, "
          "angle= the included flank angle; ranked, best first.");
    m.def("over_wires", &overWires, "designation"_a, "wire"_a, "reading"_a = py::none(),
          py::kw_only(), "unit"_a = py::none(), "plane"_a = 0.0, "lead_angle"_a = py::none(),
          "Over-wire limits of the external classes for a wire; with a reading, the pitch "
          "diameter it means and each class's verdict. Lengths in unit (default: the series' "
          "table); plane= for taper threads, the distance of the wires from the small end.");
}
