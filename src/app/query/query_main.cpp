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
//   torveld-query --export fusion360|inventor-csv (--series NAME | DESIGNATION...)
//                 [--classes LIST] [--value mean|max-material|min-material] [--output FILE]
//
// Exit status 0 when every designation was answered, 2 when one was not (each reported on
// standard error in one line) or the series is unknown; a usage error keeps CLI11's status.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cad_export.h"
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

// Writes `text` to `path` whole or not at all: into a neighbour first, renamed over it when
// every byte is written.
bool writeWhole(const std::string& path, const std::string& text) {
    const std::string part = path + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::remove(part.c_str());
            return false;
        }
    }
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        return false;
    }
    return true;
}

// --export: one thread file of the series or the designations, to standard output or `output`.
int exportFile(const cad::Request& request, const std::string& format, const std::string& output) {
    const cad::Exported file = cad::exportThreads(
        request, format == "fusion360" ? cad::FileFormat::Fusion360 : cad::FileFormat::InventorCsv);
    for (std::string message : file.messages) {
        // A class name is quoted as typed: control characters are not written to the terminal.
        for (char& c : message) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
        }
        std::cerr << "torveld-query: " << message << '\n';
    }
    if (!file.ok()) {
        // The designations' errors come quoted already.
        if (file.error.rfind("torveld-query: ", 0) == 0) {
            std::cerr << file.error << '\n';
        } else {
            std::cerr << "torveld-query: " << file.error << '\n';
        }
        return kNotAnswered;
    }
    if (output.empty()) {
        std::cout << file.text;
        std::cout.flush();
        return 0;
    }
    if (!writeWhole(output, file.text)) {
        std::cerr << errorLine(output, "the file cannot be written") << '\n';
        return kNotAnswered;
    }
    return 0;
}

std::vector<std::string> classList(const std::string& list) {
    std::vector<std::string> names;
    std::string name;
    for (const char c : list + ",") {
        if (c == ',' || c == ' ') {
            if (!name.empty()) names.push_back(name);
            name.clear();
        } else {
            name += c;
        }
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
    std::string exportFormat, classes, value, output, familyName;
    CLI::Option* exportOption =
        app.add_option("--export", exportFormat,
                       "A thread file for a CAD program, of --series NAME or the designations: "
                       "fusion360 (thread-definition XML for Fusion 360's ThreadData folder) or "
                       "inventor-csv (rows of Inventor's thread spreadsheet)")
            ->check(CLI::IsMember({"fusion360", "inventor-csv"}))
            ->excludes(listFlag)
            ->excludes(inchFlag)
            ->excludes(mmFlag)
            ->excludes(wireOption)
            ->excludes(identifyOption);
    app.add_option("--classes", classes,
                   "With --export: the classes to write, by name, separated by commas "
                   "(\"2A,3A,2B,3B\", \"4g6g,6H\"); a class the tables lack is computed")
        ->needs(exportOption);
    app.add_option("--value", value,
                   "With --export fusion360: each diameter as the mean of the class's limits "
                   "(mean, the default), its maximum-material or its minimum-material limit")
        ->check(CLI::IsMember({"mean", "max-material", "min-material"}))
        ->needs(exportOption);
    app.add_option("--output", output,
                   "With --export: the file to write, whole or not at all (default: standard "
                   "output)")
        ->needs(exportOption);
    app.add_option("--name", familyName,
                   "With --export: the family's name between \"Torveld\" and the version "
                   "(default: the series)")
        ->check(
            [](const std::string& name) {
                for (const char c : name) {
                    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
                        return std::string("the name holds a control character");
                    }
                }
                return std::string();
            },
            "printable")
        ->needs(exportOption);
    app.footer(
        "Without --inch or --mm a size is given in the unit of its series' table: millimetres "
        "for ISO metric, UNM and BA, inches for the rest; a number typed with its unit "
        "(\"9.98mm\", \".373in\") is read in that unit, otherwise in the answer's. An "
        "identification is answered in the unit its diameter is typed with, else in "
        "millimetres for --pitch and inches for --tpi.\n"
        "Exit status: 0 when every designation was answered; 2 when one was not (each on "
        "standard error as torveld-query: \"TEXT\": REASON, the others still answered) or the "
        "series is unknown.\n"
        "--export writes one thread file, or nothing and status 2 when a thread fails its check "
        "or nothing is left to write; what it leaves out (taper threads, classes without a "
        "limit of a diameter) is said on standard error.");
    (void)mmFlag;

    try {
        app.parse(argc, argv);
        if (identifyFlag) {
            if (major.empty() && minor.empty()) throw CLI::RequiredError("--major or --minor");
            if (pitch.empty() && tpi.empty()) throw CLI::RequiredError("--pitch or --tpi");
        } else if (designations.empty() && seriesName.empty() && !list) {
            throw CLI::RequiredError("DESIGNATION, --series or --list-series");
        }
        if (!exportFormat.empty() && app.count("--format") > 0) {
            throw CLI::ExcludesError("--export", "--format");
        }
        if (exportFormat.empty() && !designations.empty() && app.count("--series") > 0) {
            throw CLI::ExcludesError("DESIGNATION", "--series");
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
    std::optional<SeriesId> series;
    if (app.count("--series") > 0) {
        series = seriesByName(seriesName);
        if (!series) {
            std::string reason = "no series of that name; the series are ";
            reason += seriesNames();
            std::cerr << errorLine(seriesName, reason) << '\n';
            return kNotAnswered;
        }
    }
    if (!exportFormat.empty()) {
        cad::Request request;
        request.series = series;
        request.designations = designations;
        request.classes = classList(classes);
        request.value = value == "max-material"   ? cad::ValueChoice::MaxMaterial
                        : value == "min-material" ? cad::ValueChoice::MinMaterial
                                                  : cad::ValueChoice::Mean;
        request.name = familyName;
        request.version = TORVELD_VERSION_SHORT;
        return exportFile(request, exportFormat, output);
    }
    const Session session;
    if (!seriesName.empty() || app.count("--series") > 0) {
        const std::optional<SeriesId> id = series;
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
