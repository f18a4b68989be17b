// Cell arrays of the British pipe thread tables (G, R) and the trapezoidal 7e/7H table, row after
// row (see limit_tables.h for the layouts), and the provenance of each; written by
// tools/bsp_tr/generate.py.
#pragma once

namespace torveld::generated {

extern const float kGCells[24][10];
extern const float kRCells[15][18];
extern const float kTrCells[185][11];

extern const char* const kGProvenance;
extern const char* const kRProvenance;
extern const char* const kTrProvenance;

}  // namespace torveld::generated
