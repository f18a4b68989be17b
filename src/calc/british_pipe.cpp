#include "british_pipe.h"

#include "limit_tables.h"
#include "series.h"
#include "size_tables.h"

namespace torveld::british_pipe {

namespace {

// GPIPE10 columns.
enum GColumn { kD, kD2, kD1, kP, kH, kTD2, kTd2A, kTd2B, kTD1, kTd };

// RPIPE18 columns.
enum RColumn {
    kGaugeD,
    kGaugeD2,
    kGaugeD1,
    kPitch,  // 3 places; the calculation takes the exact pitch of the size table
    kHeight,
    kGaugeLength,
    kT1,
    kT1Turns,
    kGaugeMax,
    kGaugeMin,
    kT2,
    kT2Turns,
    kRp,
    kUsefulBasic,
    kUsefulMax,
    kUsefulMin,
    kFitting,
    kFittingTurns,
    kRColumns
};

bool holds(const LimitTable& table, LimitLayout layout, int columns, int row) {
    return table.layout == layout && table.columns >= columns && row >= 0 && row < table.rows;
}

ExternalLimits external(const LimitTable& t, int row, int tolerance) {
    ExternalLimits e;
    e.majorMax = t.read(row, kD);
    e.majorMin = t.read(row, kD) - t.read(row, kTd);
    e.pitchMax = t.read(row, kD2);
    e.pitchMin = t.read(row, kD2) - t.read(row, tolerance);
    e.minorMax = t.read(row, kD1);
    return e;
}

}  // namespace

std::optional<ParallelLimits> parallelLimits(int row) {
    const LimitTable& t = limits::gPipe;
    if (!holds(t, LimitLayout::GPIPE10, kTd + 1, row)) return std::nullopt;
    ParallelLimits l;
    l.classA = external(t, row, kTd2A);
    l.classB = external(t, row, kTd2B);
    l.internal.minorMin = t.read(row, kD1);
    l.internal.minorMax = t.read(row, kD1) + t.read(row, kTD1);
    l.internal.pitchMin = t.read(row, kD2);
    l.internal.pitchMax = t.read(row, kD2) + t.read(row, kTD2);
    l.internal.majorMin = t.read(row, kD);
    return l;
}

std::optional<TaperValues> taperValues(int row) {
    const LimitTable& t = limits::rPipe;
    if (!holds(t, LimitLayout::RPIPE18, kRColumns, row)) return std::nullopt;
    const auto turns = [&](int column) { return static_cast<double>(t.stored(row, column)); };
    TaperValues v{};
    // The exact pitch, 1 / n, not the table's 3-place millimetres.
    if (row >= size_tables::kR.rowCount) return std::nullopt;
    const double threadsPerInch = pitchTextValue(size_tables::kR.rows[row].pitchText);
    if (!(threadsPerInch > 0.0)) return std::nullopt;
    v.pitch = 1.0 / threadsPerInch;
    v.threadHeight = t.read(row, kHeight);
    v.gaugeDiameter = t.read(row, kGaugeD);
    v.gaugePitchDiameter = t.read(row, kGaugeD2);
    v.gaugeMinorDiameter = t.read(row, kGaugeD1);
    v.gaugeLength = t.read(row, kGaugeLength);
    v.gaugeLengthTolerance = t.read(row, kT1);
    v.gaugeLengthToleranceTurns = turns(kT1Turns);
    v.gaugeLengthMax = t.read(row, kGaugeMax);
    v.gaugeLengthMin = t.read(row, kGaugeMin);
    v.gaugePlaneTolerance = t.read(row, kT2);
    v.gaugePlaneToleranceTurns = turns(kT2Turns);
    v.rpDiameterTolerance = t.read(row, kRp);
    v.usefulThreadMin = t.read(row, kUsefulBasic);
    v.usefulThreadMinAtMaxGauge = t.read(row, kUsefulMax);
    v.usefulThreadMinAtMinGauge = t.read(row, kUsefulMin);
    v.fittingAllowance = t.read(row, kFitting);
    v.fittingAllowanceTurns = turns(kFittingTurns);
    return v;
}

std::optional<InternalLimits> rpLimits(int row) {
    const std::optional<TaperValues> v = taperValues(row);
    if (!v) return std::nullopt;
    const double tolerance = v->rpDiameterTolerance;
    InternalLimits l;
    l.minorMin = v->gaugeMinorDiameter - tolerance;
    l.minorMax = v->gaugeMinorDiameter + tolerance;
    l.pitchMin = v->gaugePitchDiameter - tolerance;
    l.pitchMax = v->gaugePitchDiameter + tolerance;
    l.majorMin = v->gaugeDiameter - tolerance;
    l.majorMax = v->gaugeDiameter + tolerance;
    return l;
}

}  // namespace torveld::british_pipe
