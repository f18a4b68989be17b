// The thread report: which class of fit each of the four class records of a size holds. The
// window shows the records as its grid rows (upper and lower external, upper and lower internal);
// this says what those rows are, so that every view names a class the same way.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "series.h"
#include "thread_results.h"

namespace torveld {

// The class a record holds: its name as the standard writes it ("2A", "6g", "4g6g", "Med", "2G";
// empty for a record without a class) and whether the standard names it. NPSL and UNM have one
// class their standards do not name (the series name stands for it) and Stub Acme one class,
// 2G, that ASME B1.8 gives no other: the window leaves their rows unlabelled.
struct RecordClass {
    std::string_view name;
    bool labelled = true;

    // The text beside the record's grid row.
    std::string_view label() const { return labelled ? name : std::string_view(); }
};

// Indexed by ClassRecord: ExtNormal, ExtClose, IntNormal, IntClose.
using RecordClasses = std::array<RecordClass, 4>;

// The classes of a size of `series` whose values are `values`: the series' usual classes, ISO
// COARSE by its major diameter, ISO FINE by its pitch and internal major diameters.
RecordClasses recordClasses(SeriesId series, const ThreadResults& values);

// The classes ISO FINE shows in its four records for a pitch and the minimum major diameters of
// the two internal records, all in inches ("" for a record without a class); none where no
// arrangement applies.
std::optional<std::array<const char*, 4>> metricFineClasses(double pitch, double normalMajorMin,
                                                            double closeMajorMin);

// The classes whose limits each record holds for a special size of `series`, as its tables hold
// them (UNS 2A and 2B; UN 2A, 3A, 2B, 3B; UNJ 3A and 3B in the lower records; ACME 2G and 4G;
// STUB ACME 2G; ISO FINE by its arrangements), for the pitch and basic major diameter in inches.
// Every name is "" for a series without special sizes.
std::array<std::string, 4> specialClasses(SeriesId series, double pitch, double basicMajor);

inline bool isExternal(ClassRecord record) {
    return record == ClassRecord::ExtNormal || record == ClassRecord::ExtClose;
}

}  // namespace torveld
