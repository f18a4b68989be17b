// The three-wire method with any usable wire: the formula cards' constants, the published worked
// examples, the lead-angle term's published sizes, verdicts against published class limits, the
// taper formula at a plane of an NPT thread, and the refusals (tests/data/measure, provenance in
// tests/data/README.md).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "measure_test_support.h"
#include "over_wires.h"

namespace torveld {
namespace {

using measure::ClassVerdict;
using measure::FormKind;
using measure::LeadAngle;
using measure::PitchClass;
using measure::Side;
using measure::Unit;
using measure::Verdict;
using measure::WireFormula;
using measure::WireThread;
using testing::halfUnitOf;
using testing::numberOf;
using testing::PublishedTable;
using testing::Row;

// The pitch of a data row (threads per inch or millimetres) and its unit.
struct Pitch {
    double value;
    Unit unit;
};
Pitch pitchOf(const Row& row) {
    if (!row.at("tpi").empty()) return {1.0 / numberOf(row, "tpi"), Unit::Inch};
    return {numberOf(row, "pitch_mm"), Unit::Millimetre};
}

// A thread of one external class whose pitch-diameter limits are both `e`.
WireThread threadAt(const measure::WireForm& form, Pitch p, double e) {
    WireThread t;
    t.form = &form;
    t.unit = p.unit;
    t.pitch = p.value;
    const double height = form.pitchFactor() * p.value;
    t.majorDiameter = e + height;
    t.minorDiameter = e - height;
    PitchClass c;
    c.pitchMax = c.pitchMin = e;
    t.classes = {c};
    return t;
}

measure::WireInput wireInput(double wire, std::optional<double> reading = std::nullopt,
                             double plane = 0.0, LeadAngle lead = LeadAngle::FormDefault) {
    return {wire, reading, plane, lead};
}

const measure::WireForm& parallelForm(const Row& row) {
    const measure::WireForm* form = measure::wireFormOf(numberOf(row, "angle"), FormKind::Parallel);
    EXPECT_NE(form, nullptr);
    return form != nullptr ? *form : measure::forms::kSixty;
}

TEST(WireForms, FactorsAreTheFormulaCards) {
    const PublishedTable table("measure/wire_constants.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("angle"));
        const measure::WireForm& form = parallelForm(row);
        // The cards round or cut at their last place, and the 55 degree best wire 0.563692 is
        // a unit and a bit above P / (2 cos 27.5) = 0.5636910: two units of the last place.
        const auto near = [&](double value, const char* field) {
            EXPECT_NEAR(value, numberOf(row, field), 4.0 * halfUnitOf(row, field)) << field;
        };
        near(form.wireFactor(), "wire_factor");
        near(form.pitchFactor(), "pitch_factor");
        near(form.bestWire(), "best_wire");
        if (!row.at("smallest_wire").empty()) {
            EXPECT_EQ(form.smallestBasis, measure::Basis::Published);
            EXPECT_DOUBLE_EQ(form.smallestWire, numberOf(row, "smallest_wire"));
            EXPECT_DOUBLE_EQ(form.largestWire, numberOf(row, "largest_wire"));
        } else {
            EXPECT_NE(form.smallestBasis, measure::Basis::Published);
            EXPECT_NE(form.largestBasis, measure::Basis::Published);
        }
        // Every wire range holds its best wire.
        EXPECT_LT(form.smallestWire, form.bestWire());
        EXPECT_GT(form.largestWire, form.bestWire());
    }
}

TEST(WireForms, EveryCatalogueFormHasARowOrAReason) {
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const ThreadSeries& s = seriesById(id);
        std::string_view why;
        const measure::WireForm* form = measure::wireFormOf(s.form, &why);
        EXPECT_TRUE(form != nullptr || !why.empty()) << s.name;
        if (form == nullptr) continue;
        EXPECT_EQ(form->kind == FormKind::Taper,
                  s.family == SeriesFamily::TaperPipe || s.family == SeriesFamily::BritishTaper)
            << s.name;
        EXPECT_LT(form->smallestWire, form->bestWire()) << s.name;
        EXPECT_GT(form->largestWire, form->bestWire()) << s.name;
    }
    // The forms that join the catalogue later are rows already.
    EXPECT_EQ(measure::wireFormOf(55.0, FormKind::Parallel), &measure::forms::kFiftyFive);
    EXPECT_EQ(measure::wireFormOf(55.0, FormKind::Taper), &measure::forms::kFiftyFiveTaper);
    EXPECT_EQ(measure::wireFormOf(30.0, FormKind::Parallel), &measure::forms::kTrapezoidal);
    EXPECT_EQ(measure::wireFormOf(29.0, FormKind::Taper), nullptr);
    EXPECT_EQ(measure::wireFormOf(45.0, FormKind::Parallel), nullptr);
}

TEST(OverWires, PublishedBestWires) {
    const PublishedTable table("measure/best_wires.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("thread"));
        const Pitch p = pitchOf(row);
        const double best = numberOf(row, "best_wire");
        const measure::WireResult r = measure::measureOverWires(
            threadAt(parallelForm(row), p, 20.0 * p.value), wireInput(best));
        ASSERT_TRUE(r.ok()) << r.refusal;
        EXPECT_NEAR(r.bestWire, best, halfUnitOf(row, "best_wire"));
    }
}

// Both ways: the reading a published pitch diameter gives with the wire used, and the pitch
// diameter the published reading means (within the reading's last decimal).
TEST(OverWires, PublishedWorkedExamples) {
    const PublishedTable table("measure/wire_examples.csv");
    ASSERT_FALSE(table.failed());
    ASSERT_GE(table.rows().size(), 3u);
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("thread"));
        const Pitch p = pitchOf(row);
        const double e = numberOf(row, "pitch_diameter");
        const double reading = numberOf(row, "reading");
        const double tolerance = halfUnitOf(row, "reading");
        const WireThread thread = threadAt(parallelForm(row), p, e);
        const measure::WireResult limits =
            measure::measureOverWires(thread, wireInput(numberOf(row, "wire")));
        ASSERT_TRUE(limits.ok()) << limits.refusal;
        EXPECT_EQ(limits.formula, WireFormula::General);
        ASSERT_EQ(limits.classes.size(), 1u);
        EXPECT_NEAR(limits.classes[0].wiresMax, reading, tolerance);
        const measure::WireResult judged =
            measure::measureOverWires(thread, wireInput(numberOf(row, "wire"), reading));
        ASSERT_TRUE(judged.ok()) << judged.refusal;
        ASSERT_TRUE(judged.pitchDiameter.has_value());
        EXPECT_NEAR(*judged.pitchDiameter, e, tolerance + 1e-9);
    }
}

TEST(OverWires, LeadAngleTermHasItsPublishedSize) {
    const PublishedTable table("measure/lead_angle.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("thread"));
        const measure::WireForm& form = parallelForm(row);
        const Pitch p = pitchOf(row);
        const WireThread thread = threadAt(form, p, numberOf(row, "pitch_diameter"));
        const double wire = form.bestWire() * p.value;
        const measure::WireResult limits = measure::measureOverWires(
            thread, wireInput(wire, std::nullopt, 0.0, LeadAngle::Neglected));
        ASSERT_TRUE(limits.ok()) << limits.refusal;
        const double reading = limits.classes.at(0).wiresMax;
        const measure::WireResult plain =
            measure::measureOverWires(thread, wireInput(wire, reading, 0.0, LeadAngle::Neglected));
        const measure::WireResult term =
            measure::measureOverWires(thread, wireInput(wire, reading, 0.0, LeadAngle::Included));
        ASSERT_TRUE(plain.ok() && term.ok());
        EXPECT_EQ(plain.formula, WireFormula::General);
        EXPECT_EQ(term.formula, WireFormula::LeadAngle);
        EXPECT_NE(term.formulaText.find("open"), std::string::npos) << term.formulaText;
        EXPECT_NEAR(*plain.pitchDiameter - *term.pitchDiameter, numberOf(row, "term"),
                    halfUnitOf(row, "term"));
        EXPECT_NEAR(-term.leadAngleTerm, numberOf(row, "term"), halfUnitOf(row, "term"));
        // The 29 degree forms take the term unless the caller chooses; the 60 degree form not.
        const measure::WireResult chosen =
            measure::measureOverWires(thread, wireInput(wire, reading));
        EXPECT_EQ(chosen.formula,
                  form.includedAngle < 45.0 ? WireFormula::LeadAngle : WireFormula::General);
    }
}

struct ClassOfTable {
    const char* name;
    ClassRecord record;
};
constexpr ClassOfTable kClasses[] = {
    {"2A", ClassRecord::ExtNormal}, {"3A", ClassRecord::ExtClose}, {"6g", ClassRecord::ExtNormal}};

std::optional<ClassRecord> recordNamed(const std::string& name) {
    for (const ClassOfTable& c : kClasses)
        if (name == c.name) return c.record;
    return std::nullopt;
}

Verdict verdictNamed(const std::string& text) {
    if (text == "within") return Verdict::Within;
    if (text == "above") return Verdict::AboveMax;
    if (text == "below") return Verdict::BelowMin;
    return Verdict::NotJudged;
}

// Readings on table rows whose published limits the expected distances are taken from; the
// expected pitch diameters are the card formula's, worked by hand.
TEST(OverWires, VerdictsAgainstPublishedLimits) {
    const PublishedTable table("measure/wire_verdicts.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("series") + " " + row.at("size") + " " + row.at("class") + " " +
                     row.at("reading"));
        const auto id = testing::seriesNamed(row.at("series"));
        ASSERT_TRUE(id.has_value());
        const auto size = testing::rowOf(*id, row.at("size"), row.at("pitch"));
        ASSERT_TRUE(size.has_value());
        const measure::WireThreadResult thread = measure::wireThreadOf(*id, *size);
        ASSERT_TRUE(thread.ok()) << thread.refusal;
        const measure::WireResult r = measure::measureOverWires(
            thread.thread, wireInput(numberOf(row, "wire"), numberOf(row, "reading")));
        ASSERT_TRUE(r.ok()) << r.refusal;
        EXPECT_NEAR(*r.pitchDiameter, numberOf(row, "pitch_diameter"),
                    halfUnitOf(row, "pitch_diameter"));
        const auto record = recordNamed(row.at("class"));
        ASSERT_TRUE(record.has_value());
        const ClassVerdict* v = nullptr;
        for (const ClassVerdict& c : r.classes)
            if (c.cls.record == *record) v = &c;
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->verdict, verdictNamed(row.at("verdict")));
        EXPECT_NEAR(v->fromMax, numberOf(row, "from_max"), 2.0 * halfUnitOf(row, "from_max"));
        EXPECT_NEAR(v->fromMin, numberOf(row, "from_min"), 2.0 * halfUnitOf(row, "from_min"));
        // Internal classes are listed, never judged.
        for (const ClassVerdict& c : r.classes) {
            if (c.side != Side::Internal) continue;
            EXPECT_EQ(c.verdict, Verdict::NotJudged);
            EXPECT_NE(c.refusal.find("balls or pins"), std::string::npos);
        }
    }
}

// NPT 1/2-14 and R 1/2: the pitch diameter at the plane of the wires against E0 + x / 16 and
// the tolerance (NPT: the L1 gauge's one turn, P / 16; R: T1/2 / 16); E0 and L1 as published
// (ASME B1.20.1; ISO 7-1, E0 = d2 - gauge length / 16), the readings by hand.
TEST(OverWires, TaperThreadAtThePlaneOfTheWires) {
    const PublishedTable table("measure/taper_readings.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("series") + " " + row.at("size") + " at " + row.at("plane") + ", " +
                     row.at("reading"));
        const bool npt = row.at("series") == "NPT";
        const SeriesId id = npt ? series::NPT : series::R;
        const auto size = testing::rowOf(id, row.at("size"), row.at("tpi"));
        ASSERT_TRUE(size.has_value());
        const measure::WireThreadResult thread =
            measure::wireThreadOf(id, *size, npt ? Unit::Inch : Unit::Millimetre);
        ASSERT_TRUE(thread.ok()) << thread.refusal;
        ASSERT_TRUE(thread.thread.taper.has_value());
        EXPECT_NEAR(thread.thread.taper->e0, numberOf(row, "e0"), halfUnitOf(row, "e0"));
        const measure::WireResult r = measure::measureOverWires(
            thread.thread,
            wireInput(numberOf(row, "wire"), numberOf(row, "reading"), numberOf(row, "plane")));
        ASSERT_TRUE(r.ok()) << r.refusal;
        EXPECT_EQ(r.formula, WireFormula::Taper);
        if (npt) {
            EXPECT_NE(r.formulaText.find("1.00049"), std::string::npos);
        }
        EXPECT_NEAR(*r.pitchDiameter, numberOf(row, "pitch_diameter"),
                    halfUnitOf(row, "pitch_diameter"));
        ASSERT_EQ(r.classes.size(), 1u);
        EXPECT_EQ(r.classes[0].verdict, verdictNamed(row.at("verdict")));
        EXPECT_NEAR(r.classes[0].fromMax, numberOf(row, "from_max"),
                    2.0 * halfUnitOf(row, "from_max"));
        EXPECT_NEAR(r.classes[0].fromMin, numberOf(row, "from_min"),
                    2.0 * halfUnitOf(row, "from_min"));
    }
}

// What is refused, and the words that say why.
struct Refusal {
    const char* name;
    std::function<void(WireThread&, measure::WireInput&)> change;
    const char* because;  // part of the refusal
};

TEST(OverWires, RefusesWithTheReason) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // 1/4-20 UNC: the 60 degree range is 0.0253 to 0.0505 in.
    const Refusal cases[] = {
        {"wire below the smallest", [](WireThread&, measure::WireInput& in) { in.wire = 0.02; },
         "sits below the crests"},
        {"wire above the largest", [](WireThread&, measure::WireInput& in) { in.wire = 0.06; },
         "does not touch the flanks"},
        {"reading below the minor", [](WireThread&, measure::WireInput& in) { in.reading = 0.20; },
         "below the minor"},
        {"reading above the major", [](WireThread&, measure::WireInput& in) { in.reading = 0.32; },
         "above the major"},
        {"no wire", [](WireThread&, measure::WireInput& in) { in.wire = 0.0; }, "wire diameter"},
        {"NaN wire", [=](WireThread&, measure::WireInput& in) { in.wire = nan; }, "wire diameter"},
        {"negative reading", [](WireThread&, measure::WireInput& in) { in.reading = -0.26; },
         "reading"},
        {"infinite reading", [=](WireThread&, measure::WireInput& in) { in.reading = inf; },
         "reading"},
        {"no pitch", [](WireThread& t, measure::WireInput&) { t.pitch = 0.0; }, "pitch"},
        {"no form", [](WireThread& t, measure::WireInput&) { t.form = nullptr; }, "form"},
        {"starts", [](WireThread& t, measure::WireInput&) { t.starts = 0; }, "starts"},
        {"limits out of order",
         [](WireThread& t, measure::WireInput&) { t.classes[0].pitchMin = 1.0; }, "limits"},
        {"internal classes only",
         [](WireThread& t, measure::WireInput&) {
             std::erase_if(t.classes, [](const PitchClass& c) { return c.side == Side::External; });
         },
         "balls or pins"},
        {"taper data on a parallel thread",
         [](WireThread& t, measure::WireInput&) {
             t.taper = measure::TaperThread{0.2, 0.01, 1.0, std::nullopt};
         },
         "no taper"},
    };
    const auto uncRow = testing::rowOf(series::UNC, "1/4", "20");
    ASSERT_TRUE(uncRow.has_value());
    const measure::WireThreadResult unc = measure::wireThreadOf(series::UNC, *uncRow);
    ASSERT_TRUE(unc.ok());
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        WireThread t = unc.thread;
        measure::WireInput in = wireInput(0.028868, 0.2603);
        c.change(t, in);
        const measure::WireResult r = measure::measureOverWires(t, in);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.refusal.find(c.because), std::string::npos) << r.refusal;
        EXPECT_TRUE(r.classes.empty());
    }
}

TEST(OverWires, RefusesTaperReadingsBeyondSense) {
    const auto row = testing::rowOf(series::NPT, "1/2", "14");
    ASSERT_TRUE(row.has_value());
    const measure::WireThreadResult npt = measure::wireThreadOf(series::NPT, *row);
    ASSERT_TRUE(npt.ok());
    // Beyond the overall thread length L4 (0.7815 in).
    measure::WireResult r = measure::measureOverWires(npt.thread, wireInput(0.0412, 0.84, 0.9));
    EXPECT_NE(r.refusal.find("beyond the thread"), std::string::npos) << r.refusal;
    // A pitch diameter 0.1 in from the basic one at the plane, more than the thread height.
    r = measure::measureOverWires(npt.thread, wireInput(0.0412, 0.94, 0.32));
    EXPECT_NE(r.refusal.find("thread height"), std::string::npos) << r.refusal;
    r = measure::measureOverWires(npt.thread, wireInput(0.0412, 0.84, -1.0));
    EXPECT_FALSE(r.ok());
    // The taper formula has no lead-angle term: asked for, it is neglected and the note says so.
    r = measure::measureOverWires(npt.thread, wireInput(0.0412, 0.84, 0.32, LeadAngle::Included));
    ASSERT_TRUE(r.ok()) << r.refusal;
    EXPECT_EQ(r.formula, WireFormula::Taper);
    EXPECT_NE(r.note.find("no lead-angle term"), std::string::npos);
}

TEST(OverWires, FormsWithoutAWireMeasurement) {
    // The screw-thread-insert tapped holes are internal threads only.
    const measure::WireThreadResult sti = measure::wireThreadOf(series::UNC_STI, 0);
    EXPECT_FALSE(sti.ok());
    EXPECT_NE(sti.refusal.find("internal thread only"), std::string::npos) << sti.refusal;
    EXPECT_FALSE(measure::wireThreadOf(series::UNC, -1).ok());
    EXPECT_FALSE(measure::wireThreadOf(series::kCount, 0).ok());
    EXPECT_FALSE(measure::wireThreadOf(series::UNC, sizeCount(series::UNC)).ok());
}

// A special size keeps the class names it was computed in; its limits are the published UNS
// 2A / 2B values of the same size (UNS_2A2B.csv).
TEST(OverWires, SpecialSizeKeepsItsClassNames) {
    const PublishedTable uns("published/UNS_2A2B.csv");
    ASSERT_FALSE(uns.failed());
    const Row* row = uns.row("10-28 UNS");
    ASSERT_NE(row, nullptr);
    SpecialSizeInput input{
        series::UNS, numberOf(*row, "basic_major_in"), numberOf(*row, "tpi"), {"2A", "", "2B", ""}};
    const measure::WireThreadResult t = measure::wireThreadOfSpecial(input);
    ASSERT_TRUE(t.ok()) << t.refusal;
    ASSERT_EQ(t.thread.classes.size(), 2u);
    EXPECT_EQ(t.thread.classes[0].cls.name, "2A");
    EXPECT_EQ(t.thread.classes[0].cls.record, ClassRecord::ExtNormal);
    EXPECT_NEAR(t.thread.classes[0].pitchMax, numberOf(*row, "ext_pitch_max"), 5e-5);
    EXPECT_NEAR(t.thread.classes[0].pitchMin, numberOf(*row, "ext_pitch_min"), 5e-5);
    EXPECT_EQ(t.thread.classes[1].cls.name, "2B");
    EXPECT_EQ(t.thread.classes[1].side, Side::Internal);
    EXPECT_NEAR(t.thread.classes[1].pitchMin, numberOf(*row, "int_pitch_min"), 5e-5);
    SpecialSizeInput bad = input;
    bad.pitch = 0.0;
    EXPECT_FALSE(measure::wireThreadOfSpecial(bad).ok());
}

}  // namespace
}  // namespace torveld
