// Size tables of the 23 series (22 tables: ACME and STUB ACME share one; NPT and NPTF hold the same
// texts).
#pragma once

#include "series.h"

namespace torveld::size_tables {
extern const SizeTable kUnc, kUnf, kUnef, kUn, kUns, kUnj, kUnjc, kUnjf, kUnjef;
extern const SizeTable kNpt, kNptf, kNpsm, kNpsl, kAcme, kIsoCoarse, kIsoFine, kUnm;
extern const SizeTable kBsw, kBsf, kBa, kUncSti, kUnfSti;
}  // namespace torveld::size_tables
