// Special sizes in the main window: a size no table holds, named in a series that admits any
// size (UNS, UN with its constant pitches, UNJ, ISO FINE for "M", ACME, STUB ACME). It joins its
// series' size list at the end, marked, and is shown, switched between units and printed like
// any other size; the data headers name it, and the information window and the data sheet say
// that its values are computed by the standard's formulas rather than taken from its tables.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "designation.h"
#include "special_thread.h"
#include "thread_results.h"

namespace torveld {

// A special size as the window shows it.
struct SpecialSizeShown {
    // The designation as it was found last: its canonical text, the classes and hand it named
    // (which do not change the window: it shows its series' usual classes).
    designation::Designation designation;
    // What the special-thread engine gave: the limits of each class shown, a class it refused
    // with the reason, and the provenance (standard, formulas, rounding).
    special::Result limits;
    // The class in each class record, in the order of ClassRecord (upper and lower external,
    // upper and lower internal); "" for a record without a class.
    std::array<std::string, 4> classes;
    // The values shown, in inches, as for a table row.
    ThreadResults results;
    // The size and pitch as the size list writes them ("11/16" and "24", "M42" and "1").
    std::string sizeText;
    std::string pitchText;
};

// The classes whose limits each class record shows for a special size of `series`, as its tables
// hold them (UNS 2A and 2B; UN 2A, 3A, 2B, 3B; UNJ 3A and 3B in the lower rows; ACME 2G and 4G;
// STUB ACME 2G; ISO FINE by its arrangements), for the pitch and basic major diameter in inches.
// Every name is "" for a series without special sizes.
std::array<std::string, 4> specialClasses(SeriesId series, double pitch, double basicMajor);

// Computes the special size a designation names, or says in one line why it cannot be shown.
std::variant<SpecialSizeShown, std::string> computeSpecialSize(const designation::Designation& d);

// Whether two special sizes are the same size of the same series.
bool sameSize(const SpecialSizeShown& a, const designation::Designation& d);

// The size-list entry: "  11/16 - 24  special", so that the entries of the table stay as they
// are and typing "11/16" in the list still finds it.
std::string specialListEntry(const SpecialSizeShown& s);

// The header text: "11/16 - 24  UNS  SPECIAL".
std::string specialHeaderText(const SpecialSizeShown& s);

// What a tip calls it: "special size 11/16 - 24  UNS".
std::string specialSizeName(const SpecialSizeShown& s);

// The standard whose formulas give a series' special sizes: "ASME B1.1", "ASME B1.15",
// "ISO 965-1", "ASME B1.5", "ASME B1.8"; empty for a series without special sizes.
std::string_view specialStandard(SeriesId series);

// The lines the information window adds under its title for a special size, and the lines the
// data sheet prints: that the values are computed for a special size, by which standard, and
// which classes have no limits.
std::vector<std::string> specialInfoNote(const SpecialSizeShown& s);
std::vector<std::string> specialSheetNote(const SpecialSizeShown& s);

}  // namespace torveld
