#include "query_identify.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>

#include "identify.h"
#include "query_output.h"
#include "thread_measuring.h"
#include "typed_number.h"

namespace torveld::query {

namespace {

// The request as the options that made it: "--major 0.747 --tpi 10".
std::string requestText(const IdentifyRequest& q) {
    std::string text = q.side == measure::Side::External ? "--major " : "--minor ";
    text += q.diameter;
    text += q.pitchUnit == PitchUnit::ThreadsPerInch ? " --tpi " : " --pitch ";
    text += q.pitch;
    if (q.taper) text += *q.taper == measure::FormKind::Taper ? " --taper" : " --parallel";
    if (q.angle) {
        text += " --angle ";
        text += *q.angle;
    }
    return text;
}

// The unit of the answer: asked for, else the diameter's own, else the pitch's.
DisplayUnit unitOf(const IdentifyRequest& q, const measure::TypedNumber& diameter) {
    if (q.unit) return *q.unit;
    if (diameter.unit == measure::TypedUnit::Inch) return DisplayUnit::Inch;
    if (diameter.unit == measure::TypedUnit::Millimetre) return DisplayUnit::Metric;
    return q.pitchUnit == PitchUnit::Millimetres ? DisplayUnit::Metric : DisplayUnit::Inch;
}

LimitValue lengthValue(double inches, DisplayUnit unit, int placesOffset) {
    LimitValue v;
    v.text = formatLength(inches, UnitMode::of(unit), placesOffset);
    std::from_chars(v.text.data(), v.text.data() + v.text.size(), v.value);
    return v;
}

LimitValue fixedValue(double value, int places) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    LimitValue v;
    if (ec == std::errc{}) v.text.assign(buffer, end);
    std::from_chars(v.text.data(), v.text.data() + v.text.size(), v.value);
    return v;
}

std::string wholeText(int value) {
    char buffer[16];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// A window text as a number a spreadsheet reads: ".0031" -> "0.0031".
std::string withZero(const std::string& text) {
    return !text.empty() && text.front() == '.' ? "0" + text : text;
}

std::string csvCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::variant<Identified, Failure> identifyAnswer(const IdentifyRequest& q) {
    Identified answer;
    answer.input = requestText(q);
    const auto fail = [&](std::string reason) -> std::variant<Identified, Failure> {
        return Failure{answer.input, std::move(reason)};
    };
    const measure::TypedResult diameter = measure::readTyped(q.diameter);
    if (!diameter.ok()) return fail("the diameter: " + diameter.error);
    answer.unit = unitOf(q, *diameter.number);
    const measure::Unit unit =
        answer.unit == DisplayUnit::Metric ? measure::Unit::Millimetre : measure::Unit::Inch;

    measure::IdentifyInput input;
    input.side = q.side;
    input.unit = unit;
    const measure::TypedValue d = measure::readLength(q.diameter, unit, unit);
    if (!d.ok()) return fail("the diameter: " + d.error);
    input.diameter = *d.value;
    const measure::TypedPitch pitch = measure::readPitch(q.pitch, q.pitchUnit);
    if (!pitch.ok()) return fail("the pitch: " + pitch.error);
    input.pitch = *pitch.value;
    input.pitchUnit = pitch.unit;
    input.taper = q.taper;
    if (q.angle) {
        const measure::TypedValue angle = measure::readAngle(*q.angle);
        if (!angle.ok()) return fail("the flank angle: " + angle.error);
        input.flankAngle = *angle.value;
    }

    const measure::Identification id = measure::identify(input);
    if (!id.ok()) return fail(id.refusal);
    if (id.candidates.empty()) return fail(id.note);
    const double toInches = unit == measure::Unit::Millimetre ? 1.0 / mmPerInch : 1.0;
    for (const measure::Candidate& c : id.candidates) {
        CandidateRow row;
        row.designation = candidateDesignation(c);
        if (row.designation.empty()) continue;  // a special size its series does not write
        row.rank = static_cast<int>(answer.candidates.size()) + 1;
        row.series = seriesById(c.series).name;
        row.size = candidateSize(c);
        row.tabulated = c.row >= 0;
        row.distance = lengthValue(c.distance * toInches, answer.unit, +1);
        row.tolerances = fixedValue(c.tolerances, 2);
        row.within = c.within;
        row.note = c.note;
        row.className = candidateClass(c);
        row.tied = c.tied && id.tied > 1;
        answer.candidates.push_back(std::move(row));
    }
    if (answer.candidates.empty()) return fail(id.note.empty() ? "no candidate" : id.note);
    answer.tieNote = id.tieNote;
    return answer;
}

void writeIdentifyJson(std::ostream& out, const Identified& a) {
    for (const CandidateRow& c : a.candidates) {
        nlohmann::ordered_json j;
        j["rank"] = c.rank;
        j["designation"] = c.designation;
        j["series"] = c.series;
        j["size"] = c.size;
        j["tabulated"] = c.tabulated;
        j["distance"] = c.distance.value;
        j["distanceInTolerance"] = c.tolerances.value;
        j["withinLimits"] = c.within;
        j["note"] = c.note;
        j["class"] = c.className;
        j["tied"] = c.tied;
        j["unit"] = unitName(a.unit);
        out << j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    }
}

void writeIdentifyCsv(std::ostream& out, const Identified& a) {
    out << "rank,designation,series,size,tabulated,distance,distanceInTolerance,withinLimits,"
           "note,class,tied,unit\n";
    for (const CandidateRow& c : a.candidates) {
        out << wholeText(c.rank) << ',' << csvCell(c.designation) << ',' << csvCell(c.series) << ','
            << csvCell(c.size) << ',' << (c.tabulated ? "true" : "false") << ','
            << withZero(c.distance.text) << ',' << c.tolerances.text << ','
            << (c.within ? "true" : "false") << ',' << csvCell(c.note) << ','
            << csvCell(c.className) << ',' << (c.tied ? "true" : "false") << ',' << unitName(a.unit)
            << '\n';
    }
}

void writeIdentifyText(std::ostream& out, const Identified& a) {
    out << "Candidates for " << a.input << " ("
        << (a.unit == DisplayUnit::Metric ? "millimetres" : "inches") << "), best first\n";
    for (const CandidateRow& c : a.candidates) {
        std::string row = "  ";
        row += padded(wholeText(c.rank), 4);
        row += padded(c.designation, 24);
        row += padded(c.className, 7);
        row += padded(c.within ? "within" : "outside", 9);
        row += padded(c.distance.text, 10);
        row += padded(c.tolerances.text + " tol", 11);
        row += c.tied ? "tied" : "";
        while (!row.empty() && row.back() == ' ') row.pop_back();
        out << row << '\n' << "        " << c.note << '\n';
    }
    if (!a.tieNote.empty()) out << "  " << a.tieNote << '\n';
    out << '\n';
}

}  // namespace torveld::query
