// Reference data: the 23 thread series, their size tables, limit tables and the drill chart.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torveld {

struct LimitTable;

// A series is named by its fixed identifier; the values are not the order of the
// selector buttons and are only ever compared for equality.
using SeriesId = std::int32_t;

namespace series {
inline constexpr SeriesId UNC = 0;
inline constexpr SeriesId UNF = 1;
inline constexpr SeriesId UNEF = 2;
inline constexpr SeriesId UN = 3;
inline constexpr SeriesId UNS = 4;
inline constexpr SeriesId UNJ = 5;
inline constexpr SeriesId UNJC = 6;
inline constexpr SeriesId UNJF = 7;
inline constexpr SeriesId UNJEF = 8;
inline constexpr SeriesId NPT = 9;
inline constexpr SeriesId NPTF = 10;
inline constexpr SeriesId NPSM = 11;
inline constexpr SeriesId NPSL = 12;
inline constexpr SeriesId ACME = 13;
inline constexpr SeriesId STUB_ACME = 14;
inline constexpr SeriesId ISO_COARSE = 15;
inline constexpr SeriesId ISO_FINE = 16;
inline constexpr SeriesId UNM = 17;
inline constexpr SeriesId BSW = 18;
inline constexpr SeriesId BSF = 19;
inline constexpr SeriesId BA = 20;
inline constexpr SeriesId UNC_STI = 21;
inline constexpr SeriesId UNF_STI = 22;
inline constexpr SeriesId G = 23;   // British parallel pipe threads, ISO 228-1
inline constexpr SeriesId R = 24;   // British taper pipe threads R, Rc and Rp, ISO 7-1
inline constexpr SeriesId TR = 25;  // metric trapezoidal threads Tr, ISO 2901 to 2904
inline constexpr int kCount = 26;
}  // namespace series

// The grouping of series that share their tables' layouts and their limits of size.
enum class SeriesFamily {
    Unified,       // UNC, UNF, UNEF, UN
    UNS,           // UNS
    UNJ,           // UNJ, UNJC, UNJF, UNJEF
    TaperPipe,     // NPT, NPTF
    StraightPipe,  // NPSM, NPSL
    Acme,          // ACME, STUB ACME
    IsoMetric,     // ISO COARSE, ISO FINE
    UNM,           // UNM
    Whitworth,     // BSW, BSF
    BA,            // BA
    ThreadInsert,  // UNC-STI, UNF-STI
    BritishPipe,   // G
    BritishTaper,  // R, Rc, Rp
    Trapezoidal,   // Tr
};

// The profile a series is calculated with: which multiples of the pitch give its heights,
// flats, radii and wire values.
enum class ThreadForm {
    Unified60,  // UNC, UNF, UNEF, UN, UNS, ISO COARSE, ISO FINE
    NPSM,
    NPSL,
    UNJ,  // UNJ, UNJC, UNJF, UNJEF
    UNM,
    TaperPipe,  // NPT, NPTF
    Acme29,
    StubAcme,
    Whitworth55,  // BSW, BSF, and the British parallel pipe thread G
    BA47,
    InsertTapping,   // UNC-STI, UNF-STI
    BritishTaper55,  // R, Rc (and Rp) of ISO 7-1: the 55 degree form laid on the 1:16 cone
    Trapezoidal30,   // metric trapezoidal Tr (ISO 2901)
};

// The 17 ways the main window and the data sheet show a series' results.
enum class DisplayFamily {
    Unified,  // UNC, UNF, UNEF, UN
    IsoCoarse,
    IsoFine,
    UNS,
    UNJ,  // UNJ, UNJC, UNJF, UNJEF
    Acme,
    StubAcme,
    TaperPipe,  // NPT, NPTF
    NPSM,
    NPSL,
    UNM,
    Whitworth,  // BSW, BSF
    BA,
    ThreadInsert,  // UNC-STI, UNF-STI
    BritishPipe,   // G
    BritishTaper,  // R, Rc, Rp: a pipe arrangement of their own
    Trapezoidal,   // Tr
};

enum class PitchUnit { ThreadsPerInch, Millimetres };

// One row of a size table: the designation and the pitch, both as the user sees them.
struct SizeEntry {
    const char* designation;
    const char* pitchText;
};

struct SizeTable {
    const char* name;
    const SizeEntry* rows;
    int rowCount;
};

struct ThreadSeries {
    SeriesId id;
    const char* name;  // caption of the selector button and series code
    SeriesFamily family;
    ThreadForm form;
    DisplayFamily display;
    // The numeric data is in millimetres when the pitch is, and for the British pipe threads G
    // and R, whose standards count threads per inch and give millimetres.
    PitchUnit pitchUnit;
    const SizeTable* sizeTable;
    const LimitTable* firstTable;
    const LimitTable* secondTable;  // nullptr where the series has one table
};

// What the calculation receives for one size of one series.
struct SizeRow {
    std::string_view designation;
    std::string_view pitchText;
    double pitchInches;
};

bool isValidSeries(SeriesId id);

// The catalogue record of a series; `id` must be valid.
const ThreadSeries& seriesById(SeriesId id);

// Row count of the size table of a series (0 for an invalid id).
int sizeCount(SeriesId id);

// The size row `row` of a series; both must be in range.
SizeRow sizeRow(SeriesId id, int row);

// Reads the leading decimal number of a text ("20" -> 20, "0.080" -> 0.08, ".0135" -> 0.0135,
// "NO DATA" -> 0), the way drill diameters and pitch texts are read.
double leadingNumber(std::string_view text);

// The number a pitch text denotes: a mixed number "4 1/2" is the sum of its parts.
double pitchTextValue(std::string_view text);

// The entry text of the size list: two blanks, designation, " - ", pitch text.
std::string sizeListEntry(const SizeEntry& entry);

}  // namespace torveld
