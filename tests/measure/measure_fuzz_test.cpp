// Any input to the inspection calculations: seeded random threads, wires, readings, planes,
// identification measurements and gauge requests, with telling values, NaN, infinities,
// negative and huge numbers. Nothing crashes or hangs (run under the sanitizers); an answer is
// either a refusal with its reason and nothing else, or finite numbers that keep their rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "gauges.h"
#include "identify.h"
#include "over_wires.h"

namespace torveld {
namespace {

using measure::Side;
using measure::Unit;

class Source {
  public:
    explicit Source(unsigned seed) : rng_(seed) {}

    unsigned pick(unsigned n) { return static_cast<unsigned>(rng_() % n); }

    // Mostly plausible lengths around `scale`, sometimes anything.
    double length(double scale) {
        using L = std::numeric_limits<double>;
        static const double kOdd[] = {
            0.0,     -0.0,           -1.0,          1e-300,         1e300,
            -1e300,  L::quiet_NaN(), L::infinity(), -L::infinity(), L::denorm_min(),
            L::max()};
        if (pick(8) == 0) return kOdd[pick(std::size(kOdd))];
        std::uniform_real_distribution<double> spread(0.0, 2.0);
        return scale * spread(rng_);
    }

  private:
    std::mt19937 rng_;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool finite(double v) {
    return std::isfinite(v);
}

measure::WireThread randomThread(Source& s) {
    if (s.pick(3) != 0) {
        const SeriesId id = static_cast<SeriesId>(s.pick(series::kCount + 2)) - 1;
        const int rows = sizeCount(id);
        const int row = static_cast<int>(s.pick(static_cast<unsigned>(rows + 2))) - 1;
        const measure::WireThreadResult t = measure::wireThreadOf(id, row);
        if (t.ok()) return t.thread;
        EXPECT_FALSE(t.refusal.empty());
    }
    namespace f = measure::forms;
    static const measure::WireForm* const kForms[] = {
        &f::kSixty,          &f::kSixtyTaper,     &f::kFiftyFive,
        &f::kFiftyFiveTaper, &f::kFortySevenHalf, &f::kAcme,
        &f::kStubAcme,       &f::kTrapezoidal,    nullptr};
    measure::WireThread t;
    t.form = kForms[s.pick(std::size(kForms))];
    t.unit = s.pick(2) ? Unit::Inch : Unit::Millimetre;
    t.pitch = s.length(0.1);
    t.starts = static_cast<int>(s.pick(5)) - 1;
    t.majorDiameter = s.length(1.0);
    t.minorDiameter = s.length(0.8);
    t.threadHeight = s.length(0.05);
    for (unsigned i = s.pick(4); i > 0; --i) {
        measure::PitchClass c;
        c.side = s.pick(3) ? Side::External : Side::Internal;
        c.pitchMax = s.length(0.9);
        c.pitchMin = c.pitchMax - s.length(0.01);
        t.classes.push_back(c);
    }
    if (t.form != nullptr && t.form->kind == measure::FormKind::Taper && s.pick(4) != 0) {
        t.taper = measure::TaperThread{s.length(0.8), s.length(0.005), 1.0, s.length(1.0)};
    }
    return t;
}

TEST(MeasureInput, RandomWireMeasurementsKeepTheirRules) {
    Source s(20240917);
    int judged = 0;
    for (int i = 0; i < 20000; ++i) {
        SCOPED_TRACE(i);
        const measure::WireThread t = randomThread(s);
        const double scale = t.pitch > 0.0 && t.pitch < 10.0 ? t.pitch : 0.05;
        measure::WireInput in;
        in.wire = s.length(0.6 * scale);
        // Mostly a wire near the best one and a reading near the over-wire limits.
        if (t.form != nullptr && s.pick(3) != 0)
            in.wire = t.form->bestWire() * t.pitch * (0.8 + 0.4 * s.length(0.5));
        in.plane = s.length(0.4);
        in.leadAngle = static_cast<measure::LeadAngle>(s.pick(3));
        const measure::WireResult limits = measure::measureOverWires(t, in);
        if (s.pick(4) != 0 && limits.ok() && !limits.classes.empty()) {
            const double m = limits.classes.front().wiresMax;
            in.reading = m + (s.length(0.01 * scale) - 0.01 * scale);
        } else if (s.pick(2) != 0) {
            in.reading = s.length(t.majorDiameter > 0 ? t.majorDiameter : 1.0);
        }
        const measure::WireResult r = measure::measureOverWires(t, in);
        if (!r.ok()) {
            ASSERT_TRUE(r.classes.empty());
            ASSERT_FALSE(r.pitchDiameter.has_value());
            continue;
        }
        ASSERT_FALSE(r.formulaText.empty());
        ASSERT_TRUE(finite(r.bestWire) && finite(r.smallestWire) && finite(r.largestWire));
        ASSERT_GE(in.wire, r.smallestWire * (1.0 - 1e-9));
        ASSERT_LE(in.wire, r.largestWire * (1.0 + 1e-9));
        ASSERT_EQ(r.classes.size(), t.taper ? 1u : t.classes.size());
        if (r.pitchDiameter) {
            ASSERT_TRUE(finite(*r.pitchDiameter) && *r.pitchDiameter > 0.0);
            ++judged;
        }
        for (const measure::ClassVerdict& v : r.classes) {
            if (v.side == Side::Internal) {
                ASSERT_FALSE(v.refusal.empty());
                ASSERT_EQ(v.verdict, measure::Verdict::NotJudged);
                continue;
            }
            ASSERT_TRUE(finite(v.wiresMax) && finite(v.wiresMin));
            ASSERT_GE(v.wiresMax, v.wiresMin);
            if (!r.pitchDiameter) continue;
            ASSERT_TRUE(finite(v.fromMax) && finite(v.fromMin));
            const measure::Verdict expected = v.fromMax < 0.0   ? measure::Verdict::AboveMax
                                              : v.fromMin < 0.0 ? measure::Verdict::BelowMin
                                                                : measure::Verdict::Within;
            ASSERT_EQ(v.verdict, expected);
        }
    }
    // The random threads reach the verdicts, not only the refusals.
    std::printf("%d of 20000 readings judged\n", judged);
    EXPECT_GT(judged, 2000);
}

TEST(MeasureInput, RandomIdentificationsKeepTheirRules) {
    Source s(20240918);
    int answered = 0;
    for (int i = 0; i < 600; ++i) {
        SCOPED_TRACE(i);
        measure::IdentifyInput in;
        in.side = s.pick(2) ? Side::External : Side::Internal;
        in.unit = s.pick(2) ? Unit::Inch : Unit::Millimetre;
        in.diameter = s.length(in.unit == Unit::Inch ? 1.5 : 40.0);
        in.pitchUnit = s.pick(2) ? PitchUnit::ThreadsPerInch : PitchUnit::Millimetres;
        in.pitch = s.length(in.pitchUnit == PitchUnit::ThreadsPerInch ? 20.0 : 1.5);
        if (s.pick(3) == 0)
            in.taper = s.pick(2) ? measure::FormKind::Taper : measure::FormKind::Parallel;
        static const double kAngles[] = {60.0, 55.0, 47.5, 29.0, 30.0, 45.0, -5.0, 400.0, kNaN};
        if (s.pick(3) == 0) in.flankAngle = kAngles[s.pick(std::size(kAngles))];
        const measure::Identification id = measure::identify(in);
        if (!id.ok()) {
            ASSERT_TRUE(id.candidates.empty());
            continue;
        }
        ASSERT_EQ(id.tied == 0, id.candidates.empty());
        if (!id.candidates.empty()) ++answered;
        double last = 0.0;
        for (const measure::Candidate& c : id.candidates) {
            ASSERT_TRUE(finite(c.distance) && finite(c.tolerance) && finite(c.tolerances));
            ASSERT_GE(c.distance, last - 1e-12);
            ASSERT_GT(c.tolerance, 0.0);
            ASSERT_LE(c.min, c.max);
            last = c.distance;
        }
    }
    std::printf("%d of 600 identifications named a candidate\n", answered);
    EXPECT_GT(answered, 30);
}

TEST(MeasureInput, RandomGaugeRequestsAnswerOrRefuse) {
    Source s(20240919);
    for (int i = 0; i < 3000; ++i) {
        const SeriesId id = static_cast<SeriesId>(s.pick(series::kCount + 4)) - 2;
        const int row = static_cast<int>(s.pick(300)) - 2;
        const measure::GaugeSet set = measure::gaugesOf(id, row);
        if (!set.ok()) {
            ASSERT_TRUE(set.classes.empty() && !set.taper);
            continue;
        }
        for (const measure::ClassGauges& c : set.classes)
            for (const measure::Gauge& g : c.gauges) ASSERT_TRUE(finite(g.size) && g.size > 0.0);
        SpecialSizeInput special{id, s.length(1.0), s.length(20.0), {"2A", "3A", "2B", "3B"}};
        const measure::GaugeSet other = measure::gaugesOfSpecial(special);
        ASSERT_TRUE(other.ok() || !other.refusal.empty());
    }
}

}  // namespace
}  // namespace torveld
