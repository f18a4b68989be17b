#include "designation_properties.h"

#include <cmath>

#include "designation.h"

namespace torveld::robustness {

namespace {

using designation::Designation;
using designation::ReadOptions;
using designation::Result;

std::string describe(const Designation& d) {
    std::string text = "'";
    text += d.canonical.view();
    text += "'";
    return text;
}

std::string checkDesignation(const Designation& d) {
    if (!isValidSeries(d.series)) return "invalid series in " + describe(d);
    if (d.isSpecial() != (d.sizeIndex == -1))
        return "special and size index disagree in " + describe(d);
    if (!d.isSpecial() && (d.sizeIndex < 0 || d.sizeIndex >= sizeCount(d.series)))
        return "size index out of range in " + describe(d);
    if (d.isSpecial() &&
        !(std::isfinite(d.special->majorDiameter) && d.special->majorDiameter > 0 &&
          std::isfinite(d.special->pitch) && d.special->pitch > 0))
        return "special size not positive in " + describe(d);
    if (d.canonical.empty()) return "empty canonical text";
    if ((d.series == series::R) != (d.taperThread != designation::TaperPipeThread::None))
        return "the taper thread and the series disagree in " + describe(d);
    if (d.starts < 1 || (d.starts > 1 && !(d.isSpecial() && d.series == series::TR)))
        return "a number of starts that no thread has in " + describe(d);
    if (d.roundedRoot && d.internalClass) return "an internal class with UNR in " + describe(d);
    if (d.roundedRoot != d.notes.has(designation::ReadingNote::RoundedRoot))
        return "the rounded root without its note in " + describe(d);
    for (const std::string& note : designation::readingNotes(d)) {
        if (note.empty() || note.find('{') != std::string::npos)
            return "a reading note of " + describe(d) + " is not written out: '" + note + "'";
    }
    const Result again = designation::read(d.canonical.view());
    if (!again.ok()) return describe(d) + " does not read back: " + again.error().message;
    const Designation& e = again.designation();
    if (e.series != d.series || e.sizeIndex != d.sizeIndex || e.special != d.special ||
        e.externalClass != d.externalClass || e.internalClass != d.internalClass ||
        e.hand != d.hand || e.roundedRoot != d.roundedRoot || e.taperThread != d.taperThread ||
        e.starts != d.starts)
        return describe(d) + " reads back as another designation, " + describe(e);
    if (!(e.canonical == d.canonical)) return describe(d) + " reads back as " + describe(e);
    return "";
}

std::string check(std::string_view input, const ReadOptions& options) {
    const Result r = designation::read(input, options);
    if (r.ok()) return checkDesignation(r.designation());
    const designation::Error& e = r.error();
    if (e.message.empty()) return "an error without message";
    if (e.offset > input.size() || e.length > input.size() - e.offset)
        return "error '" + e.message + "' points outside the input";
    for (const std::string& text : e.nearest) {
        const Result near = designation::read(text);
        if (!near.ok() || near.designation().isSpecial() ||
            near.designation().canonical.view() != text)
            return "the nearest size '" + text + "' of '" + e.message +
                   "' is no canonical tabulated size";
    }
    for (const SeriesId id : e.specialSeries) {
        if (!isValidSeries(id)) return "invalid special series in '" + e.message + "'";
    }
    return "";
}

}  // namespace

std::string checkDesignationInput(std::string_view input) {
    std::string failure = check(input, {});
    if (!failure.empty()) return failure;
    ReadOptions options;
    options.preferredSeries = static_cast<SeriesId>(input.size() % series::kCount);
    return check(input, options);
}

}  // namespace torveld::robustness
