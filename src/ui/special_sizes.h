// Special sizes in the main window: a size no table holds, named in a series that admits any
// size (UNS, UN with its constant pitches, UNJ, ISO FINE for "M", ACME, STUB ACME). It joins its
// series' size list at the end, marked, and is shown, switched between units and printed like
// any other size; the data headers name it, and the information window and the data sheet say
// that its values are computed by the standard's formulas rather than taken from its tables.
#pragma once

#include <string>
#include <vector>

#include "designation.h"
#include "thread_report.h"

namespace torveld {

// A special size as the window shows it: the designation as it was found last (its canonical
// text, the classes and hand it named, which do not change the window: it shows its series'
// usual classes) and the report of the size with those usual classes.
struct SpecialSizeShown {
    designation::Designation designation;
    ThreadReport report;
};

// Whether two special sizes are the same size of the same series.
bool sameSize(const SpecialSizeShown& a, const designation::Designation& d);

// The size-list entry: "  11/16 - 24  special", so that the entries of the table stay as they
// are and typing "11/16" in the list still finds it.
std::string specialListEntry(const SpecialSizeShown& s);

// What a tip calls the size of a report: "special size 11/16 - 24  UNS", or the data header's
// text for a size of the tables.
std::string tipSizeName(const ThreadReport& report);

// The lines the information window adds under its title, and the lines the data sheet prints,
// for the notes of a report: that the values of a special size are computed, by which standard,
// and which classes have no limits. None for a size of the tables.
std::vector<std::string> infoNote(const ThreadReport& report);
std::vector<std::string> sheetNote(const ThreadReport& report);

}  // namespace torveld
