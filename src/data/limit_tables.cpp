// The 33 limit tables: name, layout, size and unit of each, over the generated cell arrays.
//
// Layouts (columns, 0-based):
//   UN10   ext major max, min; ext pitch max, min; ext minor max (REF); int minor min (both
//          classes), int minor max; int pitch min (both classes), int pitch max; int major min
//   UN7    close class: ext major max, min; ext pitch max, min; ext minor max (REF); int minor
//          max; int pitch max
//   UNJ9   ext major max (= int major min); ext major min; ext pitch max (= int pitch min); ext
//          pitch min; ext minor max; int minor min, max; int pitch max; ext minor min
//   PIPE7  pipe OD; K0; L1; L3 (NPT) or shoulder length (NPTF); a per-pitch length the program
//          does not read; L4 (NPT) or overall internal length (NPTF, 0 where none); length added
//          to L1 for the tap depth
//   NPSM9  ext major max, min; ext pitch max, min; int minor min, max; int pitch min, max; pipe OD
//   NPSL7  ext major max; ext pitch max, min; int minor min; int pitch min, max; pipe OD
//   ACME12 ext major max, min; 2G ext pitch max, min; ext minor max; int minor min, max; int
//          pitch min; 2G int pitch max; int major min; 2G ext minor min; int major max
//   ACME4  4G ext pitch max, min; 4G int pitch max; 4G ext minor min
//   STUB13 as ACME12 for the one class; column 12 (0.6506 P) not read
//   UNM12  ext major, pitch, minor (max, min); int minor, pitch, major (min, max)
//   BASIC3 basic major, effective, minor diameter
//   STI8   countersink min, max; int pitch min; int pitch max (3B), (2B); int minor min, max
//          after tapping; int major
//   GPIPE10 (G, ISO 228-1, mm) basic d, d2, d1; P (3 places); h; TD2; Td2 class A; Td2 class B;
//          TD1; Td
//   RPIPE18 (R / Rc / Rp, ISO 7-1, mm; columns 7, 11 and 17 in turns, read with stored()) basic
//          d, d2, d1 at the gauge plane; P; h; gauge length; T1/2; T1/2 turns; gauge length max,
//          min; T2/2 (internal gauge plane); T2/2 turns; Rp diameter tolerance (+/-); minimum
//          useful thread for the basic, maximum, minimum gauge length; fitting allowance; its
//          turns
//   TR11   (Tr 7e/7H, ISO 2903, mm) ext major max, min; ext pitch max, min; ext minor max, min;
//          int minor min, max; int pitch min, max; int major min (D4)
#include "limit_tables.h"

#include "generated/bsp_tr_cells.h"
#include "generated/limit_table_cells.h"

namespace torveld {

double LimitTable::read(int row, int column) const {
    const double value = stored(row, column);
    return millimetres ? value / 25.4 : value;
}

namespace limits {

namespace {
template <int R, int C>
constexpr LimitTable table(const char* name, LimitLayout layout, bool millimetres,
                           const float (&cells)[R][C], const char* provenance) {
    return LimitTable{name, layout, R, C, millimetres, &cells[0][0], provenance};
}
}  // namespace

const LimitTable uncFirst = table("UNC 2A/2B", LimitLayout::UN10, false, generated::kUncFirstCells,
                                  generated::kUncFirstProvenance);
const LimitTable uncSecond = table("UNC 3A/3B", LimitLayout::UN7, false, generated::kUncSecondCells,
                                   generated::kUncSecondProvenance);
const LimitTable unfFirst = table("UNF 2A/2B", LimitLayout::UN10, false, generated::kUnfFirstCells,
                                  generated::kUnfFirstProvenance);
const LimitTable unfSecond = table("UNF 3A/3B", LimitLayout::UN7, false, generated::kUnfSecondCells,
                                   generated::kUnfSecondProvenance);
const LimitTable unefFirst = table("UNEF 2A/2B", LimitLayout::UN10, false,
                                   generated::kUnefFirstCells, generated::kUnefFirstProvenance);
const LimitTable unefSecond = table("UNEF 3A/3B", LimitLayout::UN7, false,
                                    generated::kUnefSecondCells, generated::kUnefSecondProvenance);
const LimitTable unFirst = table("UN 2A/2B", LimitLayout::UN10, false, generated::kUnFirstCells,
                                 generated::kUnFirstProvenance);
const LimitTable unSecond = table("UN 3A/3B", LimitLayout::UN7, false, generated::kUnSecondCells,
                                  generated::kUnSecondProvenance);
const LimitTable uns =
    table("UNS 2A/2B", LimitLayout::UN10, false, generated::kUnsCells, generated::kUnsProvenance);
const LimitTable unj =
    table("UNJ 3A/3B", LimitLayout::UNJ9, false, generated::kUnjCells, generated::kUnjProvenance);
const LimitTable unjc = table("UNJC 3A/3B", LimitLayout::UNJ9, false, generated::kUnjcCells,
                              generated::kUnjcProvenance);
const LimitTable unjf = table("UNJF 3A/3B", LimitLayout::UNJ9, false, generated::kUnjfCells,
                              generated::kUnjfProvenance);
const LimitTable unjef = table("UNJEF 3A/3B", LimitLayout::UNJ9, false, generated::kUnjefCells,
                               generated::kUnjefProvenance);
const LimitTable npt =
    table("NPT", LimitLayout::PIPE7, false, generated::kNptCells, generated::kNptProvenance);
const LimitTable nptf =
    table("NPTF", LimitLayout::PIPE7, false, generated::kNptfCells, generated::kNptfProvenance);
const LimitTable npsm =
    table("NPSM", LimitLayout::NPSM9, false, generated::kNpsmCells, generated::kNpsmProvenance);
const LimitTable npsl =
    table("NPSL", LimitLayout::NPSL7, false, generated::kNpslCells, generated::kNpslProvenance);
const LimitTable acmeFirst = table("ACME 2G", LimitLayout::ACME12, false,
                                   generated::kAcmeFirstCells, generated::kAcmeFirstProvenance);
const LimitTable acmeSecond = table("ACME 4G", LimitLayout::ACME4, false,
                                    generated::kAcmeSecondCells, generated::kAcmeSecondProvenance);
const LimitTable stubAcme = table("STUB ACME", LimitLayout::STUB13, false,
                                  generated::kStubAcmeCells, generated::kStubAcmeProvenance);
const LimitTable isoCoarseFirst =
    table("ISO COARSE 6g/6H", LimitLayout::UN10, true, generated::kIsoCoarseFirstCells,
          generated::kIsoCoarseFirstProvenance);
const LimitTable isoCoarseSecond =
    table("ISO COARSE close", LimitLayout::UN7, true, generated::kIsoCoarseSecondCells,
          generated::kIsoCoarseSecondProvenance);
const LimitTable isoFineFirst =
    table("ISO FINE 6g/6H", LimitLayout::UN10, true, generated::kIsoFineFirstCells,
          generated::kIsoFineFirstProvenance);
const LimitTable isoFineSecond =
    table("ISO FINE close", LimitLayout::UN7, true, generated::kIsoFineSecondCells,
          generated::kIsoFineSecondProvenance);
const LimitTable unm =
    table("UNM", LimitLayout::UNM12, true, generated::kUnmCells, generated::kUnmProvenance);
const LimitTable bsw =
    table("BSW basic", LimitLayout::BASIC3, false, generated::kBswCells, generated::kBswProvenance);
const LimitTable bsf =
    table("BSF basic", LimitLayout::BASIC3, false, generated::kBsfCells, generated::kBsfProvenance);
const LimitTable ba =
    table("BA basic", LimitLayout::BASIC3, true, generated::kBaCells, generated::kBaProvenance);
const LimitTable uncSti = table("UNC-STI", LimitLayout::STI8, false, generated::kUncStiCells,
                                generated::kUncStiProvenance);
const LimitTable unfSti = table("UNF-STI", LimitLayout::STI8, false, generated::kUnfStiCells,
                                generated::kUnfStiProvenance);
const LimitTable gPipe =
    table("G", LimitLayout::GPIPE10, true, generated::kGCells, generated::kGProvenance);
const LimitTable rPipe =
    table("R/Rc/Rp", LimitLayout::RPIPE18, true, generated::kRCells, generated::kRProvenance);
const LimitTable trapezoidal =
    table("Tr 7e/7H", LimitLayout::TR11, true, generated::kTrCells, generated::kTrProvenance);

const LimitTable* const kAll[33] = {&uncFirst,
                                    &uncSecond,
                                    &unfFirst,
                                    &unfSecond,
                                    &unefFirst,
                                    &unefSecond,
                                    &unFirst,
                                    &unSecond,
                                    &uns,
                                    &unj,
                                    &unjc,
                                    &unjf,
                                    &unjef,
                                    &npt,
                                    &nptf,
                                    &npsm,
                                    &npsl,
                                    &acmeFirst,
                                    &acmeSecond,
                                    &stubAcme,
                                    &isoCoarseFirst,
                                    &isoCoarseSecond,
                                    &isoFineFirst,
                                    &isoFineSecond,
                                    &unm,
                                    &bsw,
                                    &bsf,
                                    &ba,
                                    &uncSti,
                                    &unfSti,
                                    &gPipe,
                                    &rPipe,
                                    &trapezoidal};

// The series offers M12 x 1.5 and M35 x 1.5 in 6g/6H only, so their close-class rows hold no
// value (the generator writes "nothing where the series offers no closer class").
const RowWithoutValues kRowsWithoutValues[2] = {{&isoFineSecond, 22}, {&isoFineSecond, 37}};

}  // namespace limits
}  // namespace torveld
