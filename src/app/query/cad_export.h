// Thread definitions for CAD programs, made from thread reports: a family of threads (one
// series, or the sizes of some designations) with one thread per class and side, each diameter
// one number, as Fusion 360's thread-definition XML holds them, or the max/min pairs of
// Inventor's thread spreadsheet as CSV rows. Every thread is checked before a file is written
// (major > pitch > minor on both sides), and the XML is parsed back; a failure is an error and
// no text at all, never a partial file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "query_session.h"

namespace torveld::query::cad {

enum class FileFormat { Fusion360, InventorCsv };

// The one number a diameter of a thread is written as.
enum class ValueChoice {
    Mean,         // the mean of the class's limits (what the CAD program's own files hold)
    MaxMaterial,  // external maximum, internal minimum
    MinMaterial   // external minimum, internal maximum
};

// What to export: every size of a series, or the sizes of designations; the classes by name
// (empty: those the designation names, or the series' usual ones).
struct Request {
    std::optional<SeriesId> series;
    std::vector<std::string> designations;
    std::vector<std::string> classes;
    ValueChoice value = ValueChoice::Mean;
    // The family's name between "Torveld" and the version; empty: the series name (designations
    // of several series: their names joined by blanks).
    std::string name;
    std::string version;  // "2.2": versions the family's name
};

// One class of one side with its limits in the file's unit and the numbers written.
struct Thread {
    std::string className;
    ThreadSide side = ThreadSide::External;
    std::optional<LimitValue> majorMax, majorMin, pitchMax, pitchMin, minorMax, minorMin;
    double major = 0, pitch = 0, minor = 0;  // by the ValueChoice
    std::optional<double> tapDrill;          // internal threads: the guide drill
};

// One pitch of one size: its canonical designation and its threads.
struct Designation {
    std::string size;         // as the size list writes it: "1/4", "M10", "1 1/8"
    std::string designation;  // canonical, without classes: "1/4-20 UNC", "M10x1.25"
    double pitch = 0;         // millimetres in a millimetre family, threads per inch in an inch one
    std::vector<Thread> threads;
};

struct Family {
    std::string name;  // "Torveld UNC 2.2"
    bool inch = true;
    double angle = 60;  // included flank angle, degrees
    int sortOrder = 0;
    std::vector<Designation> designations;  // in size-list order
};

// A file's text, or why there is none; `messages` say what was left out and why.
struct Exported {
    std::string text;
    std::string error;
    std::vector<std::string> messages;

    bool ok() const { return error.empty(); }
};

// The included flank angle of a form (60, 55, 47.5, 29, 30) and whether it lies on a taper.
double flankAngle(ThreadForm form);
bool isTaper(ThreadForm form);

// The family a request names, with the messages on what it leaves out; or an error.
struct FamilyResult {
    Family family;
    std::string error;
    std::vector<std::string> messages;
};
FamilyResult familyOf(const Request& request);

// Why a thread cannot be modelled ("6H internal: pitch 8.10 is not above minor 8.20"); empty
// when its diameters are in order.
std::string threadFault(const Thread& thread);

// The family as Fusion 360's thread-definition XML, checked and parsed back; or an error.
Exported fusionXml(const Family& family);

// The family as rows of Inventor's thread spreadsheet: a header row, then one row per
// designation and pair of classes (the n-th external beside the n-th internal).
Exported inventorCsv(const Family& family);

// The request exported in `format`.
Exported exportThreads(const Request& request, FileFormat format);

}  // namespace torveld::query::cad
