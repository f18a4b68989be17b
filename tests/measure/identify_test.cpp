// Naming a thread from a caliper and a pitch gauge: the cases of the fitting makers'
// identification guides and the close pairs they warn about (tests/data/measure/
// identify_cases.csv, the expected limits from the published tables named there), the ranking
// and cut-off rules on every case, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "identify.h"
#include "measure_keys.h"
#include "measure_test_support.h"

namespace torveld {
namespace {

using measure::Candidate;
using measure::FormKind;
using measure::Identification;
using measure::IdentifyInput;
using measure::Separator;
using measure::Side;
using measure::Unit;
using testing::numberOf;
using testing::PublishedTable;
using testing::Row;

// "UNC 1/4", "ISO FINE special 42x1".
std::string nameOf(const Candidate& c) {
    if (!isValidSeries(c.series)) return "?";
    std::string name = seriesById(c.series).name;
    name += ' ';
    if (c.row >= 0) return name + std::string(sizeRow(c.series, c.row).designation);
    std::ostringstream text;
    text << "special " << c.special->majorDiameter << 'x' << c.special->pitch;
    return name + text.str();
}

std::vector<std::string> words(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string word;
    while (std::getline(in, word, separator))
        if (!word.empty()) out.push_back(word);
    return out;
}

// Whether `separators` holds the separator whose machine key is `key` ("flank-angle").
bool holds(const std::vector<Separator>& separators, const std::string& key) {
    return std::any_of(separators.begin(), separators.end(),
                       [&](Separator s) { return measure::keyOf(s) == key; });
}

IdentifyInput inputOf(const Row& row) {
    IdentifyInput in;
    in.side = row.at("side") == "internal" ? Side::Internal : Side::External;
    in.diameter = numberOf(row, "diameter");
    in.unit = row.at("unit") == "mm" ? Unit::Millimetre : Unit::Inch;
    in.pitch = numberOf(row, "pitch");
    in.pitchUnit =
        row.at("pitch_unit") == "mm" ? PitchUnit::Millimetres : PitchUnit::ThreadsPerInch;
    if (row.at("taper") == "taper") in.taper = FormKind::Taper;
    if (row.at("taper") == "parallel") in.taper = FormKind::Parallel;
    if (!row.at("angle").empty()) in.flankAngle = numberOf(row, "angle");
    return in;
}

const Candidate* find(const Identification& id, const std::string& name) {
    for (const Candidate& c : id.candidates)
        if (nameOf(c) == name) return &c;
    return nullptr;
}

// The ranking and cut-off rules, on any answer.
void expectRanked(const Identification& id, const IdentifyInput& in) {
    const double resolution =
        measure::kCaliperResolutionInch * (in.unit == Unit::Millimetre ? 25.4 : 1.0);
    for (std::size_t i = 0; i < id.candidates.size(); ++i) {
        const Candidate& c = id.candidates[i];
        SCOPED_TRACE(nameOf(c));
        EXPECT_LE(std::fabs(c.pitchDifference), measure::kPitchMatch);
        EXPECT_EQ(c.within, c.distance == 0.0);
        const double limit = c.worn
                                 ? measure::kWornTolerances * c.tolerance
                                 : std::max(measure::kOversizeTolerances * c.tolerance, resolution);
        EXPECT_LE(c.distance, limit * (1.0 + 1e-9));
        EXPECT_EQ(c.tied, i < static_cast<std::size_t>(id.tied));
        if (i == 0) continue;
        const Candidate& before = id.candidates[i - 1];
        EXPECT_LE(before.distance, c.distance + 1e-12);
        if (before.distance == c.distance) {
            // A tabulated size before a special one; a graded series before the others.
            EXPECT_FALSE(before.special && !c.special);
        }
    }
}

TEST(Identify, CasesOfTheIdentificationGuides) {
    const PublishedTable table("measure/identify_cases.csv");
    ASSERT_FALSE(table.failed());
    ASSERT_GE(table.rows().size(), 10u);
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("case"));
        const IdentifyInput in = inputOf(row);
        const Identification id = measure::identify(in);
        ASSERT_TRUE(id.ok()) << id.refusal;
        expectRanked(id, in);
        if (!row.at("first_series").empty()) {
            ASSERT_FALSE(id.candidates.empty());
            const Candidate& first = id.candidates.front();
            EXPECT_EQ(nameOf(first), row.at("first_series") + " " + row.at("first_size"));
            EXPECT_EQ(first.within, row.at("first_within") == "yes");
            EXPECT_EQ(first.worn, row.at("first_worn") == "yes");
            EXPECT_TRUE(first.tied);
        }
        const std::string& tied = row.at("tied");
        if (tied == "many") {
            EXPECT_GT(id.tied, 1);
            EXPECT_FALSE(id.tieNote.empty());
        } else if (!tied.empty()) {
            EXPECT_EQ(id.tied, static_cast<int>(numberOf(row, "tied")));
        }
        EXPECT_NE(id.tieNote.find(row.at("tie_note")), std::string::npos) << id.tieNote;
        for (const std::string& name : words(row.at("tied_with"), ';')) {
            const Candidate* c = find(id, name);
            ASSERT_NE(c, nullptr) << name;
            EXPECT_TRUE(c->tied) << name;
            EXPECT_NE(c->note.find(row.at("note")), std::string::npos) << c->note;
            for (const std::string& key : words(row.at("separators"), ' '))
                EXPECT_TRUE(holds(c->separators, key)) << name << " " << key << ": " << c->note;
            for (const std::string& key : words(row.at("not_separators"), ' '))
                EXPECT_FALSE(holds(c->separators, key)) << name << " " << key << ": " << c->note;
        }
        for (const std::string& name : words(row.at("absent"), ';'))
            EXPECT_EQ(find(id, name), nullptr) << name;
    }
}

// Refused, with nothing else: no diameter or pitch, a flank angle no angle can be. A flank angle
// no thread has is an answer with no candidate and the reason.
TEST(Identify, RefusesMeaninglessInput) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double diameter, pitch;
        PitchUnit unit;
        std::optional<double> angle;
        const char* says;  // part of the refusal, or of the note of an answer with no candidate
    } cases[] = {
        {0.0, 20, PitchUnit::ThreadsPerInch, {}, "diameter must be a positive number"},
        {-1.0, 20, PitchUnit::ThreadsPerInch, {}, "diameter must be a positive number"},
        {nan, 20, PitchUnit::ThreadsPerInch, {}, "diameter must be a positive number"},
        {0.25, 0, PitchUnit::ThreadsPerInch, {}, "threads per inch must be a positive number"},
        {0.25, nan, PitchUnit::Millimetres, {}, "pitch"},
        {0.25, 20, PitchUnit::ThreadsPerInch, 200.0, "between 0 and 180"},
        {0.25, 20, PitchUnit::ThreadsPerInch, 45.0, "No thread of the catalogue"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const Identification id = measure::identify(
            {Side::External, c.diameter, Unit::Inch, c.pitch, c.unit, std::nullopt, c.angle});
        EXPECT_TRUE(id.candidates.empty());
        EXPECT_EQ(id.tied, 0);
        EXPECT_EQ(id.ok(), c.angle == 45.0);
        EXPECT_NE((id.ok() ? id.note : id.refusal).find(c.says), std::string::npos)
            << id.refusal << id.note;
    }
}

}  // namespace
}  // namespace torveld
