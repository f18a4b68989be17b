// The three-wire method with any usable wire: the formula cards' constants, the published worked
// examples and best wires, the lead-angle term's published sizes, verdicts against published
// class limits, the taper formula at a plane of an NPT and an R thread, and the refusals
// (tests/data/measure, provenance in tests/data/README.md).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "measure_keys.h"
#include "measure_test_support.h"
#include "over_wires.h"

namespace torveld {
namespace {

using measure::ClassVerdict;
using measure::FormKind;
using measure::LeadAngle;
using measure::Side;
using measure::Unit;
using measure::WireFormula;
using measure::WireThread;
using testing::halfUnitOf;
using testing::numberOf;
using testing::PublishedTable;
using testing::Row;

// A thread of a data row's flank angle ("angle") and pitch ("tpi" or "pitch_mm"), parallel, of
// one external class whose pitch-diameter limits are both `e`.
WireThread threadAt(const Row& row, double e) {
    WireThread t;
    t.form = measure::wireFormOf(numberOf(row, "angle"), FormKind::Parallel);
    EXPECT_NE(t.form, nullptr) << row.at("angle");
    if (t.form == nullptr) t.form = &measure::forms::kSixty;
    const bool inch = !row.at("tpi").empty();
    t.unit = inch ? Unit::Inch : Unit::Millimetre;
    t.pitch = inch ? 1.0 / numberOf(row, "tpi") : numberOf(row, "pitch_mm");
    const double height = t.form->pitchFactor() * t.pitch;
    t.majorDiameter = e + height;
    t.minorDiameter = e - height;
    measure::PitchClass c;
    c.pitchMax = c.pitchMin = e;
    t.classes = {c};
    return t;
}

measure::WireInput wireInput(double wire, std::optional<double> reading = std::nullopt,
                             double plane = 0.0, LeadAngle lead = LeadAngle::FormDefault) {
    return {wire, reading, plane, lead};
}

// The table row of a data row's "series", "size" and pitch field, as a thread to measure.
WireThread tableThread(const Row& row, const std::string& pitchField,
                       std::optional<Unit> unit = std::nullopt) {
    const auto id = testing::seriesNamed(row.at("series"));
    const auto size = id ? testing::rowOf(*id, row.at("size"), row.at(pitchField)) : std::nullopt;
    EXPECT_TRUE(size.has_value()) << row.at("series") << " " << row.at("size");
    const measure::WireThreadResult t =
        measure::wireThreadOf(id.value_or(0), size.value_or(-1), unit);
    EXPECT_TRUE(t.ok()) << t.refusal;
    return t.thread;
}

// A class's verdict and distances as a data row gives them; the row's verdict word begins the
// verdict's key ("above", "above-max"). The distances are differences of two rounded values: two
// units of their last place.
void expectVerdict(const ClassVerdict& v, const Row& row) {
    EXPECT_EQ(measure::keyOf(v.verdict).rfind(row.at("verdict"), 0), 0u) << row.at("verdict");
    EXPECT_NEAR(v.fromMax, numberOf(row, "from_max"), 2.0 * halfUnitOf(row, "from_max"));
    EXPECT_NEAR(v.fromMin, numberOf(row, "from_min"), 2.0 * halfUnitOf(row, "from_min"));
}

TEST(WireForms, FactorsAreTheFormulaCards) {
    const PublishedTable table("measure/wire_constants.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("angle"));
        const auto* found = measure::wireFormOf(numberOf(row, "angle"), FormKind::Parallel);
        ASSERT_NE(found, nullptr);
        const measure::WireForm& form = *found;
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
        // Every wire range holds its best wire.
        EXPECT_LT(form->smallestWire, form->bestWire()) << s.name;
        EXPECT_GT(form->largestWire, form->bestWire()) << s.name;
    }
    // By angle (the parallel forms are found by angle in FactorsAreTheFormulaCards).
    EXPECT_EQ(measure::wireFormOf(55.0, FormKind::Taper), &measure::forms::kFiftyFiveTaper);
    EXPECT_EQ(measure::wireFormOf(29.0, FormKind::Taper), nullptr);
    EXPECT_EQ(measure::wireFormOf(45.0, FormKind::Parallel), nullptr);
}

// Both ways: the reading a published pitch diameter gives with the wire used, and the pitch
// diameter the published reading means (within the reading's last decimal); and the best wire
// where the source names it.
TEST(OverWires, PublishedWorkedExamples) {
    const PublishedTable table("measure/wire_examples.csv");
    ASSERT_FALSE(table.failed());
    ASSERT_GE(table.rows().size(), 3u);
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("thread"));
        const double e = numberOf(row, "pitch_diameter");
        const double reading = numberOf(row, "reading");
        const double tolerance = halfUnitOf(row, "reading");
        const WireThread thread = threadAt(row, e);
        const measure::WireResult limits =
            measure::measureOverWires(thread, wireInput(numberOf(row, "wire")));
        ASSERT_TRUE(limits.ok()) << limits.refusal;
        EXPECT_EQ(limits.formula, WireFormula::General);
        ASSERT_EQ(limits.classes.size(), 1u);
        EXPECT_NEAR(limits.classes[0].wiresMax, reading, tolerance);
        if (!row.at("best_wire").empty()) {
            EXPECT_NEAR(limits.bestWire, numberOf(row, "best_wire"), halfUnitOf(row, "best_wire"));
        }
        const measure::WireResult judged =
            measure::measureOverWires(thread, wireInput(numberOf(row, "wire"), reading));
        ASSERT_TRUE(judged.ok()) << judged.refusal;
        ASSERT_TRUE(judged.pitchDiameter.has_value());
        EXPECT_NEAR(*judged.pitchDiameter, e, tolerance + 1e-9);
    }
}

// With the best wire: its published size, and the lead-angle term's; the 29 degree forms take
// the term unless the caller chooses, the 60 degree form not.
TEST(OverWires, LeadAngleTermHasItsPublishedSize) {
    const PublishedTable table("measure/lead_angle.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("thread"));
        const WireThread thread = threadAt(row, numberOf(row, "pitch_diameter"));
        const double wire = numberOf(row, "best_wire");
        const auto over = [&](std::optional<double> reading, LeadAngle lead) {
            const measure::WireResult r =
                measure::measureOverWires(thread, wireInput(wire, reading, 0, lead));
            EXPECT_TRUE(r.ok()) << r.refusal;
            return r;
        };
        const measure::WireResult limits = over(std::nullopt, LeadAngle::Neglected);
        ASSERT_EQ(limits.classes.size(), 1u);
        EXPECT_NEAR(limits.bestWire, wire, halfUnitOf(row, "best_wire"));
        const double reading = limits.classes[0].wiresMax;
        const measure::WireResult plain = over(reading, LeadAngle::Neglected);
        const measure::WireResult term = over(reading, LeadAngle::Included);
        ASSERT_TRUE(plain.pitchDiameter && term.pitchDiameter);
        EXPECT_EQ(plain.formula, WireFormula::General);
        EXPECT_EQ(term.formula, WireFormula::LeadAngle);
        EXPECT_NE(term.formulaText.find("open"), std::string::npos) << term.formulaText;
        EXPECT_NEAR(*plain.pitchDiameter - *term.pitchDiameter, numberOf(row, "term"),
                    halfUnitOf(row, "term"));
        EXPECT_NEAR(-term.leadAngleTerm, numberOf(row, "term"), halfUnitOf(row, "term"));
        EXPECT_EQ(over(reading, LeadAngle::FormDefault).formula, thread.form->includedAngle < 45.0
                                                                     ? WireFormula::LeadAngle
                                                                     : WireFormula::General);
    }
}

// Readings on table rows whose published limits the expected distances are taken from; the
// expected pitch diameters are the card formula's, worked by hand.
TEST(OverWires, VerdictsAgainstPublishedLimits) {
    const PublishedTable table("measure/wire_verdicts.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("series") + " " + row.at("size") + " " + row.at("class") + " " +
                     row.at("reading"));
        const measure::WireResult r = measure::measureOverWires(
            tableThread(row, "pitch"), wireInput(numberOf(row, "wire"), numberOf(row, "reading")));
        ASSERT_TRUE(r.ok()) << r.refusal;
        EXPECT_NEAR(*r.pitchDiameter, numberOf(row, "pitch_diameter"),
                    halfUnitOf(row, "pitch_diameter"));
        const ClassRecord record =
            row.at("class") == "3A" ? ClassRecord::ExtClose : ClassRecord::ExtNormal;
        int judged = 0;
        for (const ClassVerdict& c : r.classes) {
            if (c.cls.record == record) {
                ++judged;
                expectVerdict(c, row);
            }
            // Internal classes are listed, never judged.
            if (c.side != Side::Internal) continue;
            EXPECT_EQ(c.verdict, measure::Verdict::NotJudged);
            EXPECT_NE(c.refusal.find("balls or pins"), std::string::npos);
        }
        EXPECT_EQ(judged, 1);
    }
}

// NPT 1/2-14 and R 1/2: the pitch diameter at the plane of the wires against E0 + x / 16 and
// the tolerance (NPT: the L1 gauge's one turn, P / 16; R: T1/2 / 16); E0 and L1 as published
// (ASME B1.20.1; ISO 7-1, E0 = d2 - gauge length / 16), the readings by hand. The taper formula
// has no lead-angle term: asked for, it is neglected and the note says so.
TEST(OverWires, TaperThreadAtThePlaneOfTheWires) {
    const PublishedTable table("measure/taper_readings.csv");
    ASSERT_FALSE(table.failed());
    for (const Row& row : table.rows()) {
        SCOPED_TRACE(row.at("series") + " " + row.at("size") + " at " + row.at("plane") + ", " +
                     row.at("reading"));
        const bool npt = row.at("series") == "NPT";
        const WireThread thread = tableThread(row, "tpi", npt ? Unit::Inch : Unit::Millimetre);
        ASSERT_TRUE(thread.taper.has_value());
        EXPECT_NEAR(thread.taper->e0, numberOf(row, "e0"), halfUnitOf(row, "e0"));
        for (const LeadAngle lead : {LeadAngle::FormDefault, LeadAngle::Included}) {
            const measure::WireResult r = measure::measureOverWires(
                thread, wireInput(numberOf(row, "wire"), numberOf(row, "reading"),
                                  numberOf(row, "plane"), lead));
            ASSERT_TRUE(r.ok()) << r.refusal;
            EXPECT_EQ(r.formula, WireFormula::Taper);
            if (npt) {
                EXPECT_NE(r.formulaText.find("1.00049"), std::string::npos);
            }
            if (lead == LeadAngle::Included) {
                EXPECT_NE(r.note.find("no lead-angle term"), std::string::npos) << r.note;
            }
            EXPECT_NEAR(*r.pitchDiameter, numberOf(row, "pitch_diameter"),
                        halfUnitOf(row, "pitch_diameter"));
            ASSERT_EQ(r.classes.size(), 1u);
            expectVerdict(r.classes[0], row);
        }
    }
}

// A thread left with its internal classes only.
void internalOnly(WireThread& t) {
    std::erase_if(t.classes, [](const measure::PitchClass& c) { return c.side == Side::External; });
}

// What is refused, and the words that say why, on 1/4-20 UNC (the 60 degree wire range 0.0253
// to 0.0505 in) and 1/2-14 NPT (the overall thread length L4 0.7815 in).
TEST(OverWires, RefusesWithTheReason) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        SeriesId series;
        double wire;
        std::optional<double> reading;
        double plane;
        const char* because;  // part of the refusal
        void (*change)(WireThread&);
    };
    constexpr double w = 0.028868;  // the best wire of 1/4-20
    const Case cases[] = {
        {series::UNC, 0.02, 0.2603, 0, "sits below the crests", nullptr},
        {series::UNC, 0.06, 0.2603, 0, "does not touch the flanks", nullptr},
        {series::UNC, w, 0.20, 0, "below the minor", nullptr},
        {series::UNC, w, 0.32, 0, "above the major", nullptr},
        {series::UNC, 0.0, 0.2603, 0, "wire diameter", nullptr},
        {series::UNC, nan, 0.2603, 0, "wire diameter", nullptr},
        {series::UNC, w, -0.26, 0, "the reading", nullptr},
        {series::UNC, w, inf, 0, "the reading", nullptr},
        {series::UNC, w, {}, 0, "the pitch", [](WireThread& t) { t.pitch = 0.0; }},
        {series::UNC, w, {}, 0, "no thread form", [](WireThread& t) { t.form = nullptr; }},
        {series::UNC, w, {}, 0, "starts", [](WireThread& t) { t.starts = 0; }},
        {series::UNC, w, {}, 0, "limits", [](WireThread& t) { t.classes[0].pitchMin = 1.0; }},
        {series::UNC, w, {}, 0, "no class with pitch", [](WireThread& t) { t.classes.clear(); }},
        {series::UNC, w, {}, 0, "balls or pins", internalOnly},
        {series::UNC, w, {}, 0, "no taper", [](WireThread& t) { t.taper.emplace(); }},
        {series::NPT, 0.0412, 0.84, 0.9, "beyond the thread", nullptr},
        // A pitch diameter 0.1 in from the basic one at the plane, more than the thread height.
        {series::NPT, 0.0412, 0.94, 0.32, "thread height", nullptr},
        {series::NPT, 0.0412, 0.84, -1.0, "from the small end must be 0 or more", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.because);
        const auto row = testing::rowOf(c.series, c.series == series::NPT ? "1/2" : "1/4",
                                        c.series == series::NPT ? "14" : "20");
        ASSERT_TRUE(row.has_value());
        measure::WireThreadResult t = measure::wireThreadOf(c.series, *row);
        ASSERT_TRUE(t.ok()) << t.refusal;
        if (c.change != nullptr) c.change(t.thread);
        const measure::WireResult r =
            measure::measureOverWires(t.thread, wireInput(c.wire, c.reading, c.plane));
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.refusal.find(c.because), std::string::npos) << r.refusal;
        EXPECT_TRUE(r.classes.empty());
    }
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
