// torveld-query: the limits of size of thread designations, as the Torveld window shows them,
// on the command line, from the thread report of each; no window is started.
//
//   torveld-query [--inch|--mm] [--format text|json|csv] [--provenance] DESIGNATION...
//   torveld-query --series NAME [--inch|--mm] [--format csv|json|text]
//   torveld-query --list-series [--format text|json|csv]
//
// Exit status 0 when every designation was answered, 2 when one was not (each reported on
// standard error in one line) or the series is unknown; a usage error keeps CLI11's status.
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

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
bool writeOutcomes(const std::vector<Outcome>& outcomes, Format format, bool provenance) {
    bool allAnswered = true;
    std::vector<Answer> answers;
    for (const Outcome& outcome : outcomes) {
        if (const auto* failure = std::get_if<Failure>(&outcome)) {
            std::cout.flush();
            std::cerr << errorLine(failure->input, failure->reason) << '\n';
            allAnswered = false;
            continue;
        }
        const Answer& answer = std::get<Answer>(outcome);
        if (format == Format::Json) {
            writeJson(std::cout, answer);
        } else if (format == Format::Text) {
            writeText(std::cout, answer, provenance);
        } else {
            answers.push_back(answer);
        }
    }
    if (format == Format::Csv) writeCsv(std::cout, answers);
    return allAnswered;
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
    app.add_option("DESIGNATION", designations,
                   "Thread designations (\"1/4-20 UNC-2A\", \"M10x1.25-6g\", \".6875-24 UNS-2A\")")
        ->excludes(seriesOption)
        ->excludes(listFlag);
    app.footer(
        "Without --inch or --mm a size is given in the unit of its series' table: millimetres "
        "for ISO metric, UNM and BA, inches for the rest.\n"
        "Exit status: 0 when every designation was answered; 2 when one was not (each on "
        "standard error as torveld-query: \"TEXT\": REASON, the others still answered) or the "
        "series is unknown.");
    (void)mmFlag;

    try {
        app.parse(argc, argv);
        if (designations.empty() && seriesName.empty() && !list) {
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
    for (const std::string& text : designations) outcomes.push_back(session.answer(text, unit));
    const bool ok = writeOutcomes(outcomes, formatOf(format), provenance);
    std::cout.flush();
    return ok ? 0 : kNotAnswered;
}
