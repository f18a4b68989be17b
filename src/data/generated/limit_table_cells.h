// Cell arrays of the 30 limit tables, row after row (see limit_tables.h for the layouts).
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

}  // namespace torveld::generated
