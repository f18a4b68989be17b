// Information window text: the plain-language description of a thread series (classes of fit,
// geometric characteristics, typical applications), one entry per row of the info list.
#pragma once

#include <string>
#include <vector>

#include "number_format.h"
#include "series.h"

namespace torveld {

// The lines of a description, top to bottom. Blank lines are real (empty) rows; leading spaces
// centre the headings and indent the paragraphs. Texts are UTF-8.
using SeriesDescription = std::vector<std::string>;

// The degree sign of the angle lines (U+00B0).
inline constexpr const char* kDegreeSign = "\u00B0";

// The description of series `id`; only the two plating figures depend on the unit mode. An id
// that names no series gives an empty description.
SeriesDescription buildDescription(SeriesId id, const UnitMode& mode);

// The description with the lines of `note` under the title lines, after a blank line (a special
// size's note: its values are computed, not taken from the tables). An empty note adds nothing.
SeriesDescription buildDescription(SeriesId id, const UnitMode& mode,
                                   const std::vector<std::string>& note);

}  // namespace torveld
