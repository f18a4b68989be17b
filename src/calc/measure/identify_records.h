// Identification records of the catalogue's sizes (internal to torveld_measure): the tabulated
// sizes, and the special sizes next to a measurement.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "identify.h"

namespace torveld::measure::detail {

// The record of a size of series `id` from its results (inches); `row` -1 and `special` set for a
// special size. None when the size has no class a caliper reading can be compared with.
std::optional<SizeRecord> recordOf(SeriesId id, int row, const std::optional<SpecialSize>& special,
                                   const ThreadResults& results,
                                   const std::array<std::string, 4>& classNames);

// The flank profile of a catalogue form, for the identification: the wire form's row; the
// tapped hole of a screw-thread insert has the 60 degree profile.
const WireForm* profileOf(ThreadForm form);

// The measured values in inches, and the filters of the input.
struct Measured {
    Side side = Side::External;
    double diameter = 0;  // inches
    double pitch = 0;     // inches
    std::optional<FormKind> taper;
    std::optional<double> flankAngle;
};

// Whether a form passes the stated taper and flank angle.
bool formMatches(const WireForm& form, const Measured& m);

// Appends the special sizes next to the measurement: for each series whose formulas admit any
// size, the nominal diameters of its grid just below and above the measurement (inch series:
// the number sizes, then sixteenths from 1/4 in; millimetre series: half millimetres under
// 10 mm, whole ones from there), at its standard pitches within kPitchMatch of the measured one.
// A size that a record of `existing` or an earlier special already holds (same form, pitch and
// basic pitch diameter: 1.1-8 is UN, not also UNS) is left out.
void appendSpecialRecords(const Measured& m, std::span<const SizeRecord> existing,
                          std::vector<SizeRecord>& out);

}  // namespace torveld::measure::detail
