#include "thread_calculator.h"

#include <array>
#include <cmath>

#include "british_pipe.h"
#include "limit_tables.h"
#include "limits_of_size.h"
#include "profile_constants.h"
#include "trapezoidal_profile.h"

namespace torveld {

namespace {

// The last NPT and NPTF size row (4 inch pipe) whose tap depth the tables give.
constexpr int kLastTapDepthRow = 13;

void applyPipeCrestFlats(SeriesId id, double threadsPerInch, ThreadResults& r) {
    const PipeCrestFlats* flats = pipeCrestFlats(threadsPerInch);
    if (flats == nullptr) return;
    const bool npt = id == series::NPT;
    const double max = (npt ? flats->nptMax : flats->nptfMax) * r.pitch;
    const double min = (npt ? flats->nptMin : flats->nptfMin) * r.pitch;
    r.extCrestFlatMax = r.intCrestFlatMax = max;
    r.extCrestFlatMin = r.intCrestFlatMin = min;
}

// Diameters and lengths of the taper pipe joint; the taper is 1 in 16 on the diameter.
void applyPipeValues(SeriesId id, int row, ThreadResults& r) {
    const LimitTable& table = *seriesById(id).firstTable;
    const double p = r.pitch;
    const double d = table.read(row, 0);
    const double k0 = table.read(row, 1);
    const double l1 = table.read(row, 2);
    const double column3 = table.read(row, 3);
    const double column5 = table.read(row, 5);
    const double column6 = table.read(row, 6);

    r.pipeOD = d;
    // The major cone of the external thread meets the pipe outside diameter at the end of the
    // overall external thread length. The NPTF table holds the internal thread length in that
    // column (0 from 3 1/2 inch up), but the dryseal external thread is cut on the same pipe to
    // the same length, so NPTF takes the NPT length of the same pipe size: NPT and NPTF of one
    // size show the same major diameter at the end of the pipe.
    const double externalLength =
        id == series::NPT ? column5 : seriesById(series::NPT).firstTable->read(row, 5);
    r.majorAtPipeEnd = d - externalLength * 0.0625;
    // L4: the overall external (NPT) or internal (NPTF) thread length; a 0 is no length.
    if (column5 > 0.0) r.l4 = column5;
    const double e0 = d - (0.05 * d + 1.1) * p;
    r.e0 = e0;
    r.e1 = e0 + 0.0625 * l1;
    r.minorAtFace = l1 * 0.0625 + k0;
    r.k0 = k0;
    // The tap depth is given through the 4 inch pipe (size row 13).
    if (row <= kLastTapDepthRow) r.tapDepth = l1 + column6;
    r.l1 = l1;
    if (id == series::NPT) {
        r.l3 = column3;
    } else {
        r.shoulderLength = column3;
    }
    r.l2 = (d * 0.8 + 6.8) * p;
}

// R, Rc, Rp: everything ISO 7-1 tabulates for the size; the pitch diameter at the small end of
// the external thread lies the basic gauge length below the gauge plane on the 1:16 taper.
void applyBritishTaperValues(int row, ThreadResults& r) {
    const std::optional<british_pipe::TaperValues> v = british_pipe::taperValues(row);
    if (!v) return;
    r.gaugeDiameter = v->gaugeDiameter;
    r.gaugePitchDiameter = v->gaugePitchDiameter;
    r.gaugeMinorDiameter = v->gaugeMinorDiameter;
    r.smallEndPitchDiameter =
        v->gaugePitchDiameter - v->gaugeLength * british_pipe::kTaperOnDiameter;
    r.gaugeLength = v->gaugeLength;
    r.gaugeLengthTolerance = v->gaugeLengthTolerance;
    r.gaugeLengthMax = v->gaugeLengthMax;
    r.gaugeLengthMin = v->gaugeLengthMin;
    r.gaugePlaneTolerance = v->gaugePlaneTolerance;
    r.rpDiameterTolerance = v->rpDiameterTolerance;
    r.usefulThreadMin = v->usefulThreadMin;
    r.usefulThreadMinAtMaxGauge = v->usefulThreadMinAtMaxGauge;
    r.usefulThreadMinAtMinGauge = v->usefulThreadMinAtMinGauge;
    r.fittingAllowance = v->fittingAllowance;
    r.gaugeLengthToleranceTurns = v->gaugeLengthToleranceTurns;
    r.gaugePlaneToleranceTurns = v->gaugePlaneToleranceTurns;
    r.fittingAllowanceTurns = v->fittingAllowanceTurns;
}

}  // namespace

std::optional<ThreadResults> calculate(const Selection& selection) {
    const SeriesId id = selection.series;
    const int row = selection.sizeIndex;
    if (!isValidSeries(id)) return std::nullopt;
    if (row < 0 || row >= sizeCount(id)) return std::nullopt;
    if (!limits_of_size::tablesHoldRow(id, row)) return std::nullopt;
    const SizeRow size = sizeRow(id, row);
    // A mixed-number pitch text ("4 1/2", "11 1/2") is the sum of its parts.
    const double pitch = size.pitchInches;
    if (!std::isfinite(pitch) || pitch <= 0.0) return std::nullopt;

    const ThreadForm form = seriesById(id).form;
    ThreadResults r;
    r.pitch = pitch;
    applyProfile(form, r);
    if (form == ThreadForm::TaperPipe) applyPipeCrestFlats(id, pitchTextValue(size.pitchText), r);
    limits_of_size::apply(id, row, r);
    limits_of_size::applyOverWires(r);
    if (form == ThreadForm::TaperPipe) applyPipeValues(id, row, r);
    if (form == ThreadForm::BritishTaper55) applyBritishTaperValues(row, r);
    if (form == ThreadForm::Trapezoidal30) r.crestClearance = trapezoidal::crestClearance(pitch);
    return r;
}

std::span<const LimitTable* const> limitSources(SeriesId id, ClassRecord record) {
    static const auto sources = [] {
        std::array<std::vector<const LimitTable*>, series::kCount * 4> all;
        for (SeriesId s = 0; s < series::kCount; ++s) {
            for (int r = 0; r < 4; ++r) {
                all[static_cast<std::size_t>(s * 4 + r)] =
                    limits_of_size::sourcesOf(s, static_cast<ClassRecord>(r));
            }
        }
        return all;
    }();
    if (!isValidSeries(id)) return {};
    return sources[static_cast<std::size_t>(id * 4 + static_cast<int>(record))];
}

bool ThreadCalculator::calculate() {
    std::optional<ThreadResults> results = torveld::calculate(selection_);
    results_ = results.value_or(ThreadResults{});
    return results.has_value();
}

}  // namespace torveld
