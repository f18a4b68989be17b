#include "thread_calculator.h"

#include <cmath>

#include "limit_tables.h"
#include "limits_of_size.h"
#include "profile_constants.h"

namespace torveld {

namespace {

void setIf(double& field, const std::optional<double>& factor, double pitch) {
    if (factor) field = *factor * pitch;
}

// Best wire and wire constant, then heights, flats and radii: each a multiple of the pitch.
void applyProfile(const ProfileConstants& k, ThreadResults& r) {
    const double p = r.pitch;
    if (k.bestWire && k.wireOffset && k.wireMultiplier) {
        r.bestWire = *k.bestWire * p;
        r.wireOffset = *k.wireOffset * p;
        r.wireConstant = *k.wireMultiplier * r.bestWire - r.wireOffset;
    }
    setIf(r.extHeight, k.extHeight, p);
    setIf(r.intHeight, k.intHeight, p);
    setIf(r.extFlat, k.extFlat, p);
    setIf(r.intFlat, k.intFlat, p);
    setIf(r.crestRadius, k.crestRadius, p);
    setIf(r.rootRadius, k.rootRadius, p);
    setIf(r.rootRadiusMax, k.rootRadiusMax, p);
    setIf(r.rootRadiusMin, k.rootRadiusMin, p);
}

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
    r.l4 = column5;
    r.e0 = d - (0.05 * d + 1.1) * p;
    r.e1 = r.e0 + 0.0625 * l1;
    r.minorAtFace = l1 * 0.0625 + k0;
    r.k0 = k0;
    r.tapDepth = l1 + column6;
    r.l1 = l1;
    if (id == series::NPT) {
        r.l3 = column3;
    } else {
        r.shoulderLength = column3;
    }
    r.l2 = (d * 0.8 + 6.8) * p;
}

}  // namespace

bool ThreadCalculator::calculate() {
    if (!run()) {
        // No number of an earlier size may stay behind under the header of this one.
        results_ = ThreadResults{};
        return false;
    }
    return true;
}

bool ThreadCalculator::run() {
    const SeriesId id = selection_.series;
    const int row = selection_.sizeIndex;
    if (!isValidSeries(id)) return false;
    const ThreadForm form = seriesById(id).form;
    if (row < 0 || row >= sizeCount(id)) return false;
    if (!limits_of_size::tablesHoldRow(id, row)) return false;
    const SizeRow size = sizeRow(id, row);
    // A mixed-number pitch text ("4 1/2", "11 1/2") is the sum of its parts.
    const double pitch = size.pitchInches;
    if (!std::isfinite(pitch) || pitch <= 0.0) return false;

    ThreadResults& r = results_;
    r.pitch = pitch;
    applyProfile(profileConstants(form), r);
    if (form == ThreadForm::TaperPipe) {
        applyPipeCrestFlats(id, pitchTextValue(size.pitchText), r);
    }
    limits_of_size::apply(id, row, r);
    limits_of_size::applyOverWires(id, r);
    if (form == ThreadForm::TaperPipe) applyPipeValues(id, row, r);
    return true;
}

}  // namespace torveld
