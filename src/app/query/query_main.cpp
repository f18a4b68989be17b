// torveld-query: the limits of size of thread designations, as the Torveld window shows them,
// on the command line, from the thread report of each; no window is started.
//
//   torveld-query [--inch|--mm] [--format text|json|csv] [--provenance]
//                 [--wire W [--reading M] [--plane X] [--lead-angle|--no-lead-angle]]
//                 DESIGNATION...
//   torveld-query --series NAME [--inch|--mm] [--format csv|json|text]
//   torveld-query --list-series [--format text|json|csv]
//   torveld-query --identify --major D|--minor D --pitch P|--tpi N [--taper|--parallel]
//                 [--angle A] [--inch|--mm] [--format text|json|csv]
//
// Exit status 0 when every designation was answered, 2 when one was not (each reported on
// standard error in one line) or the series is unknown; a usage error keeps CLI11's status.
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "query_identify.h"
#include "query_output.h"
#include "query_session.h"

namespace {

using namespace torveld;
using namespace torveld::query;

constexpr int kNotAnswered = 2;

Format formatOf(const std::string& name) {
    if (name == "json") return Format::Json;
    if (name == "csv") return Format::Csv;
    return Format::Text;
}

// Writes the answers in `format`; reports the failures. True when there was none.
bool writeOutcomes(std::vector<Outcome> outcomes, Format format, bool provenance) {
    bool allAnswered = true;
    std::vector<Answer> answers;
    for (Outcome& outcome : outcomes) {
        if (const auto* failure = std::get_if<Failure>(&outcome)) {
            std::cout.flush();
            std::cerr << errorLine(failure->input, failure->reason) << '\n';
            allAnswered = false;
            continue;
        }
        Answer& answer = std::get<Answer>(outcome);
        if (format == Format::Json) {
            writeJson(std::cout, answer);
        } else if (format == Format::Text) {
            writeText(std::cout, answer, provenance);
        } else {
            answers.push_back(std::move(answer));
        }
    }
    if (format == Format::Csv) writeCsv(std::cout, answers);
    return allAnswered;
}

// The identification's candidates in `format`, or its failure on standard error.
int writeIdentification(const IdentifyRequest& request, Format format) {
    const auto outcome = identifyAnswer(request);
    if (const auto* failure = std::get_if<Failure>(&outcome)) {
        std::cerr << errorLine(failure->input, failure->reason) << '\n';
        return kNotAnswered;
    }
    const Identified& answer = std::get<Identified>(outcome);
    if (format == Format::Json) {
        writeIdentifyJson(std::cout, answer);
    } else if (format == Format::Csv) {
        writeIdentifyCsv(std::cout, answer);
    } else {
        writeIdentifyText(std::cout, answer);
    }
    std::cout.flush();
    return 0;
}

std::string seriesNames() {
    std::string names;
    for (SeriesId id : seriesInRadioOrder()) {
        if (!names.empty()) names += ", ";
        names += seriesById(id).name;
    }
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    CLI::App app{
        "The limits of size of screw threads from their designations, with the texts the "
        "Torveld window shows for them and where the values come from.",
        "torveld-query"};
    app.set_version_flag("--version", std::string(TORVELD_VERSION));

    bool inch = false, mm = false, list = false, provenance = false;
    std::string format, seriesName;
    std::vector<std::string> designations;
    CLI::Option* inchFlag = app.add_flag("--inch", inch, "Inches, whatever the series' table");
    CLI::Option* mmFlag =
        app.add_flag("--mm", mm, "Millimetres, whatever the series' table")->excludes(inchFlag);
    app.add_option("--format", format,
                   "text (readable blocks; the default), json (one object per line) or csv (a "
                   "header row and one row per size; the default of --series)")
        ->check(CLI::IsMember({"text", "json", "csv"}));
    app.add_flag("--provenance", provenance,
                 "In the text format, the whole statement of where each class's limits come from");
    CLI::Option* seriesOption = app.add_option(
        "--series", seriesName, "Every size of a series, by its caption (\"UNC\", \"ISO FINE\")");
    CLI::Option* listFlag =
        app.add_flag("--list-series", list, "The series, their number of sizes and table unit")
            ->excludes(seriesOption);
    CLI::Option* designationOption =
        app.add_option(
               "DESIGNATION", designations,
               "Thread designations (\"1/4-20 UNC-2A\", \"M10x1.25-6g\", \".6875-24 UNS-2A\")")
            ->excludes(seriesOption)
            ->excludes(listFlag);

    // The measurement over wires of each designation's external classes.
    std::string wire, reading, plane;
    bool leadAngle = false, noLeadAngle = false;
    CLI::Option* wireOption =
        app.add_option("--wire", wire,
                       "Measured over three wires of this mean diameter (\"0.02887\", "
                       "\".0289in\", \"0.733mm\"): each external class's over-wire limits")
            ->excludes(seriesOption)
            ->excludes(listFlag);
    app.add_option("--reading", reading,
                   "The reading over the wires: the pitch diameter it means and each external "
                   "class's verdict")
        ->needs(wireOption);
    app.add_option("--plane", plane,
                   "Taper pipe threads: the distance of the wires from the small end")
        ->needs(wireOption);
    CLI::Option* leadFlag =
        app.add_flag("--lead-angle", leadAngle, "With the lead-angle term")->needs(wireOption);
    app.add_flag("--no-lead-angle", noLeadAngle,
                 "Without the lead-angle term (the default but for Acme and Stub Acme)")
        ->needs(wireOption)
        ->excludes(leadFlag);

    // Naming a thread from measurements.
    bool identifyFlag = false, taper = false, parallel = false;
    std::string major, minor, pitch, tpi, angle;
    CLI::Option* identifyOption =
        app.add_flag("--identify", identifyFlag,
                     "Name a thread from measurements: the candidates of every series, best "
                     "first")
            ->excludes(seriesOption)
            ->excludes(listFlag)
            ->excludes(designationOption)
            ->excludes(wireOption);
    CLI::Option* majorOption =
        app.add_option("--major", major, "The major diameter of an external thread (caliper)")
            ->needs(identifyOption);
    app.add_option("--minor", minor, "The minor diameter of an internal thread")
        ->needs(identifyOption)
        ->excludes(majorOption);
    CLI::Option* pitchOption =
        app.add_option("--pitch", pitch, "The pitch in millimetres (pitch gauge)")
            ->needs(identifyOption);
    app.add_option("--tpi", tpi, "The pitch in threads per inch")
        ->needs(identifyOption)
        ->excludes(pitchOption);
    CLI::Option* taperFlag =
        app.add_flag("--taper", taper, "The thread is taper")->needs(identifyOption);
    app.add_flag("--parallel", parallel, "The thread is parallel")
        ->needs(identifyOption)
        ->excludes(taperFlag);
    app.add_option("--angle", angle, "The included flank angle in degrees (55, 60, 29 ...)")
        ->needs(identifyOption);
    app.footer(
        "Without --inch or --mm a size is given in the unit of its series' table: millimetres "
        "for ISO metric, UNM and BA, inches for the rest; a number typed with its unit "
        "(\"9.98mm\", \".373in\") is read in that unit, otherwise in the answer's. An "
        "identification is answered in the unit its diameter is typed with, else in "
        "millimetres for --pitch and inches for --tpi.\n"
        "Exit status: 0 when every designation was answered; 2 when one was not (each on "
        "standard error as torveld-query: \"TEXT\": REASON, the others still answered) or the "
        "series is unknown.");
    (void)mmFlag;

    try {
        app.parse(argc, argv);
        if (identifyFlag) {
            if (major.empty() && minor.empty()) throw CLI::RequiredError("--major or --minor");
            if (pitch.empty() && tpi.empty()) throw CLI::RequiredError("--pitch or --tpi");
        } else if (designations.empty() && seriesName.empty() && !list) {
            throw CLI::RequiredError("DESIGNATION, --series or --list-series");
        }
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }

    std::optional<DisplayUnit> unit;
    if (inch) unit = DisplayUnit::Inch;
    if (mm) unit = DisplayUnit::Metric;

    if (list) {
        writeSeriesList(std::cout, formatOf(format));
        return 0;
    }
    if (identifyFlag) {
        IdentifyRequest request;
        const bool internal = app.count("--minor") > 0;
        request.side = internal ? measure::Side::Internal : measure::Side::External;
        request.diameter = internal ? minor : major;
        const bool millimetres = app.count("--pitch") > 0;
        request.pitch = millimetres ? pitch : tpi;
        request.pitchUnit = millimetres ? PitchUnit::Millimetres : PitchUnit::ThreadsPerInch;
        if (taper) request.taper = measure::FormKind::Taper;
        if (parallel) request.taper = measure::FormKind::Parallel;
        if (app.count("--angle") > 0) request.angle = angle;
        request.unit = unit;
        return writeIdentification(request, formatOf(format));
    }
    std::optional<WireRequest> wires;
    if (app.count("--wire") > 0) {
        wires.emplace();
        wires->wire = wire;
        if (app.count("--reading") > 0) wires->reading = reading;
        if (app.count("--plane") > 0) wires->plane = plane;
        if (leadAngle) wires->leadAngle = measure::LeadAngle::Included;
        if (noLeadAngle) wires->leadAngle = measure::LeadAngle::Neglected;
        // A number that cannot be read in any unit is no measurement of any designation.
        for (const std::optional<std::string>& typed :
             {std::optional<std::string>(wires->wire), wires->reading, wires->plane}) {
            if (!typed) continue;
            const std::string error = typedNumberError(*typed);
            if (error.empty()) continue;
            std::cerr << errorLine(*typed, error) << '\n';
            return kNotAnswered;
        }
    }
    const Session session;
    if (!seriesName.empty() || app.count("--series") > 0) {
        const std::optional<SeriesId> id = seriesByName(seriesName);
        if (!id) {
            std::string reason = "no series of that name; the series are ";
            reason += seriesNames();
            std::cerr << errorLine(seriesName, reason) << '\n';
            return kNotAnswered;
        }
        const Format written = format.empty() ? Format::Csv : formatOf(format);
        const bool ok =
            writeOutcomes(session.seriesAnswers(
                              *id, unit, written == Format::Csv ? Texts::Omitted : Texts::Included),
                          written, provenance);
        std::cout.flush();
        return ok ? 0 : kNotAnswered;
    }
    std::vector<Outcome> outcomes;
    outcomes.reserve(designations.size());
    for (const std::string& text : designations) {
        outcomes.push_back(session.answer(text, unit, wires));
    }
    const bool ok = writeOutcomes(std::move(outcomes), formatOf(format), provenance);
    std::cout.flush();
    return ok ? 0 : kNotAnswered;
}
