// Cell arrays of the 30 limit tables, row after row (see limit_tables.h for the layouts), and
// the provenance of each.
#pragma once

namespace torveld::generated {

extern const float kUncFirstCells[33][10];
extern const float kUncSecondCells[33][7];
extern const float kUnfFirstCells[24][10];
extern const float kUnfSecondCells[24][7];
extern const float kUnefFirstCells[25][10];
extern const float kUnefSecondCells[25][7];
extern const float kUnFirstCells[237][10];
extern const float kUnSecondCells[237][7];
extern const float kUnsCells[115][10];
extern const float kUnjCells[139][9];
extern const float kUnjcCells[33][9];
extern const float kUnjfCells[24][9];
extern const float kUnjefCells[25][9];
extern const float kNptCells[19][7];
extern const float kNptfCells[19][7];
extern const float kNpsmCells[15][9];
extern const float kNpslCells[18][7];
extern const float kAcmeFirstCells[23][12];
extern const float kAcmeSecondCells[23][4];
extern const float kStubAcmeCells[23][13];
extern const float kIsoCoarseFirstCells[40][10];
extern const float kIsoCoarseSecondCells[40][7];
extern const float kIsoFineFirstCells[70][10];
extern const float kIsoFineSecondCells[70][7];
extern const float kUnmCells[14][12];
extern const float kBswCells[30][3];
extern const float kBsfCells[30][3];
extern const float kBaCells[17][3];
extern const float kUncStiCells[22][8];
extern const float kUnfStiCells[20][8];

// Where the values of each table come from: the source, edition, formulas and rounding, as the
// header of its generated file states them, and the notes on the table's own cells.
extern const char* const kUncFirstProvenance;
extern const char* const kUncSecondProvenance;
extern const char* const kUnfFirstProvenance;
extern const char* const kUnfSecondProvenance;
extern const char* const kUnefFirstProvenance;
extern const char* const kUnefSecondProvenance;
extern const char* const kUnFirstProvenance;
extern const char* const kUnSecondProvenance;
extern const char* const kUnsProvenance;
extern const char* const kUnjProvenance;
extern const char* const kUnjcProvenance;
extern const char* const kUnjfProvenance;
extern const char* const kUnjefProvenance;
extern const char* const kNptProvenance;
extern const char* const kNptfProvenance;
extern const char* const kNpsmProvenance;
extern const char* const kNpslProvenance;
extern const char* const kAcmeFirstProvenance;
extern const char* const kAcmeSecondProvenance;
extern const char* const kStubAcmeProvenance;
extern const char* const kIsoCoarseFirstProvenance;
extern const char* const kIsoCoarseSecondProvenance;
extern const char* const kIsoFineFirstProvenance;
extern const char* const kIsoFineSecondProvenance;
extern const char* const kUnmProvenance;
extern const char* const kBswProvenance;
extern const char* const kBsfProvenance;
extern const char* const kBaProvenance;
extern const char* const kUncStiProvenance;
extern const char* const kUnfStiProvenance;

}  // namespace torveld::generated
