// Thread designations as people write them ("1/4-20 UNC-2A", "M10x1.25-6g", "1/2 NPT", "2 BA",
// "G 1/2 A", "Rc 1/2", "Tr20x4-7e"): read from UTF-8 text, resolved against the size tables of
// the 26 series, and written back in one canonical form. Plain standard C++ over the reference
// data; no windowing.
//
// Reading
//   Letter case, blanks, "x", "X" or "×" (U+00D7), and "-", "–" (U+2013), "—" or "−" do not
//   matter; nor do a no-break space, a byte order mark or the fraction slash "⁄". A
//   designation is: a size, an optional pitch, an optional series, an optional class and an
//   optional hand, in this order; G, R, Rc, Rp and Tr are also written before the size, as
//   their standards write them ("G 1/2", "Rc 1/2", "Tr20x4"), perhaps after the standard of R
//   or G ("EN 10226-1 R 1/2", "ISO 7-1 R 1/2", "BS 21 R 1/2", "ISO 228-1 G 1/2").
//   - Size: a fraction "5/16", a mixed number "1 1/4" (also "1-1/4" and "1¼"), a whole number
//     "10", a number size "#10" or "No. 10", a decimal ".250", "0.30" or "1,6", a metric size
//     "M10", a trapezoidal size in millimetres "Tr20", "Tr20.5". Decimals match fractions by
//     value: ".250" is 1/4, ".190" is No. 10.
//   - Pitch: after "-", "x" or a blank: threads per inch ("20", "4 1/2", "11.5") or, for the
//     metric series, millimetres ("1.25", optionally followed by "mm"). A multi-start
//     trapezoidal thread gives its lead, then its pitch: "Tr40x14(P7)" (also "Tr40x14P7") is
//     lead 14, pitch 7, two starts; the lead is a whole number (at most 99) of pitches.
//   - Series: UNC UNF UNEF UN UNS UNJ UNJC UNJF UNJEF NPT NPTF NPSM NPSL ACME, STUB ACME,
//     ISO COARSE, ISO FINE (or ISO), UNM BSW BSF BA, UNC-STI, UNF-STI (or STI), and the
//     rounded-root UNR UNRC UNRF UNREF UNRS, with or without a blank or "-" before it
//     ("1/4-20UNC2B"); G, R, Rc, Rp, Tr (before or after the size) and the trade names BSPP
//     (G, ReadingNote::TradeNameBspp) and BSPT (R, ReadingNote::TradeNameBspt), after it.
//   - Class, after "-", a blank, nothing or the word "class": Unified 1A-3A / 1B-3B (UNJ 3A/3B,
//     thread inserts 2B/3B), a pair "2A/2B"; ISO tolerance classes "6g", "5g6g", "6H", "6H/6g";
//     Acme 2G-5G and 2C-6C (STUB ACME 2G); NPTF class 1 or 2; G's external classes A and B
//     ("G 1/2 A", "G1/2B", "G 1/2-A": the internal thread has one class, never written); the
//     trapezoidal grades 7, 8, 9 with e, c (external) or H (internal) in either case ("7e",
//     "8c", "7H", a fit "7H/7e"), the calculation deciding which have limits; R, Rc and Rp take
//     none. The ISO position letter keeps the standard's meaning of its case: e, f, g, h
//     external, G, H internal; in a pair whose case does not tell the sides ("6H/6G"), the
//     first is the internal class, as ISO writes a fit.
//     A class the tables do not hold (1/4-20 UNC-1A) is a valid designation; its limits are a
//     matter for the calculation.
//   - Hand: "LH" or "RH" (default), also "left hand"; after a blank or "-", or glued to the
//     class ("2ALH").
//   At most kMaxInputBytes bytes are read; reading is linear in the input, allocates nothing
//   when it succeeds, and never recurses.
//
// Resolving
//   - A size is looked up by value in the size tables of the series named (a BA size by its
//     number; 1/8-40 is No. 5-40, both 0.125 in). Without a series, every inch series is
//     searched (ISO metric for an "M" size); when several hold the size, a size of UNC, UNF or
//     UNEF is taken if it is the only one there (1/4-20 is UNC, 10-32 is UNF); otherwise the
//     designation is ambiguous and the error lists the candidates. The preferredSeries of
//     ReadOptions wins over that rule when it holds exactly one candidate.
//   - A whole number up to 12 in a Unified, UNS, UNJ or thread-insert table is a number size or
//     inches, whichever row the pitch selects ("1-64 UNC" is No. 1, "1-8 UNC" one inch).
//   - Without a pitch, a series that holds the size once gives it ("1/2 NPT", "1/4 BSW",
//     "M10" is ISO COARSE, "M5.5" the one ISO FINE M5.5, "G 1/2"); a Tr diameter is its
//     normal pitch, the first of its rows ("Tr20" is Tr20x4). A pitch written for G or R must
//     be the table's ("G 1/2-14"); another is an error saying the table's. An "M" size with a
//     pitch is searched in both metric tables whatever ISO series is named: the pitch tells
//     coarse from fine.
//   - A size written UN that the UN table does not hold is that of UNC, UNF or UNEF where one
//     of them holds it ("4-4 UN" is 4-4 UNC, "1/4-20 UN-2A" 1/4-20 UNC-2A), as B1.1 names the
//     sizes of the graded series; likewise UNJ and UNJC, UNJF, UNJEF ("1-8 UNJ" is
//     1.0000-8 UNJC). The designation notes it (ReadingNote::GradedSize).
//   - UNR, UNRC, UNRF, UNREF and UNRS name the external thread of UN, UNC, UNF, UNEF and UNS
//     with a rounded root (roundedRoot, ReadingNote::RoundedRoot): the same rows and special
//     sizes, and external classes only; an internal class is an error naming the internal
//     thread to write instead ("1/4-20 UNRC-2B": 1/4-20 UNC-2B).
//   - R, Rc and Rp are series R (taperThread says which; "BSPT" is R). A size of ISO 228-1
//     that ISO 7-1 lacks ("R 5/8") is an error naming the nearest R sizes and G's.
//   - Special sizes: a size no table holds is computed later in a series that admits any size:
//     UNS, UN with one of its constant pitches (4, 6, 8, 12, 16, 20, 28, 32 tpi), UNJ, ACME,
//     STUB ACME, ISO metric (as ISO FINE) and Tr (whose range the calculation decides; a
//     multi-start thread is always a special size, `starts` above one). It needs its pitch, a
//     diameter with at most six decimals, and a pitch at most half the diameter. A whole number up
//     to 12 that no row reads is read by its pitch: a number size at 24 tpi or finer, else inches;
//     where both fit (1 to 6 at 24 to 32 tpi, "4-28 UNS") the error asks for "#4-28" or
//     "4.0000-28".
//   - Every other size is an error naming the nearest tabulated sizes and, where the size can
//     be computed, the series in which it can.
//
// Canonical form (the size and pitch texts of the tables, the series name as the selector
// shows it, then "-class" and "-LH"; G, R and Tr put the series first, as their standards):
//   Unified, UNS, pipe, Acme, BSW, BSF, thread inserts   1/4-20 UNC-2A, 10-32 UNF,
//       1 1/4-7 UNC-2A/2B, 2-4 1/2 UNC, 1-11 1/2 NPT, 1/8-27 NPTF-1, 3/4-6 ACME-2G,
//       1/2-10 STUB ACME, 1/4-20 BSW, 1/4-20 UNC-STI-3B, 1/2-13 UNC-2A-LH
//   UNJ family (decimal sizes, as the tables)            .8750-9 UNJC-3A, 1.0000-16 UNJ
//   ISO metric (coarse pitch left out)                   M10, M10-6g, M10x1.25-6H/6g, M8x1-LH
//   UNM and BA (one pitch per size, left out)            0.30 UNM, 2 BA
//   G, R, Rc, Rp (series first, one pitch per size       G 1/2, G 1/2 A, G 1 1/4 B, R 1/2,
//       left out, G's class after a blank)               Rc 1/2, Rp 1/2-LH, G 1/2 A-LH
//   Tr (series first, the pitch always written)          Tr20x4, Tr20x4-7e, Tr20x4-7H/7e,
//       Tr20x4-7e-LH, Tr21x4, Tr40x14(P7)-7e
//   Special sizes as their series' table writes sizes: a fraction or mixed number where the
//   diameter is a whole number of 64ths, else decimals (four places at least, the leading
//   zero dropped below one inch); UNJ in decimals as its tables; metric in plain decimals.
//   A whole number that would read back as a number size keeps its decimals:
//       11/16-24 UNS-2A, 3/4-10 ACME-2G, .3950-27 UNS, 1.0000-28 UNS, .6875-20 UNJ-3A,
//       M42x1-6g, M28.5x0.6-6H, Tr20.5x4
//   The rounded-root series keep their name, a size of a graded series written UNR taking
//   that series' (1/4-20 UNRC-2A, 3/8-24 UNRF, 11/16-24 UNRS-2A, 1.3000-8 UNR).
//   A class pair is written external/internal for the inch series ("2A/2B") and
//   internal/external for ISO metric and Tr ("6H/6g", "7H/7e"), as each is written in its
//   trade. Reading the canonical text gives the same designation and the same text again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "series.h"

namespace torveld::designation {

// Longest input read; longer input is an error that says so.
inline constexpr std::size_t kMaxInputBytes = 128;

// A short text held in place, without allocation.
template <std::size_t N>
class FixedText {
    static_assert(N < 256);

  public:
    std::string_view view() const noexcept { return {bytes_, size_}; }
    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    // Appends the whole text, or nothing and false when it would not fit.
    bool append(std::string_view text) noexcept {
        if (text.size() > N - size_) return false;
        if (!text.empty()) std::memcpy(bytes_ + size_, text.data(), text.size());
        size_ = static_cast<std::uint8_t>(size_ + text.size());
        return true;
    }
    bool append(char c) noexcept { return append(std::string_view(&c, 1)); }
    friend bool operator==(const FixedText& a, const FixedText& b) noexcept {
        return a.view() == b.view();
    }

  private:
    char bytes_[N] = {};
    std::uint8_t size_ = 0;
};

using CanonicalText = FixedText<64>;

enum class Hand : std::uint8_t { Right, Left };

// A class of fit as named in a designation.
struct ThreadClass {
    // Unified 1-3; ISO the pitch-diameter tolerance grade (3-9); Acme 2-6; NPTF 1 or 2; Tr 7-9;
    // 0 for G, whose classes are letters.
    std::uint8_t grade = 0;
    // 'A' external or 'B' internal (Unified); 'e', 'f', 'g', 'h' external or 'G', 'H' internal
    // (ISO tolerance position); 'G' general purpose or 'C' centralizing (Acme); 0 for NPTF;
    // 'A' or 'B' of the external G thread; 'e', 'c' external or 'H' internal (Tr).
    char position = 0;
    // ISO only: the grade of the crest diameter (major for external, minor for internal
    // threads); equal to grade when the class is written with one grade ("6g"). 0 otherwise.
    std::uint8_t crestGrade = 0;

    // As written in the canonical designation: "2A", "6g", "5g6g", "6H", "2G", "1", "A", "7e".
    FixedText<8> text() const;
    friend bool operator==(const ThreadClass&, const ThreadClass&) = default;
};

// A size that no table holds, named in a series that admits any size.
struct SpecialSize {
    double majorDiameter = 0;  // basic major diameter: inches, or millimetres for ISO metric, Tr
    double pitch = 0;          // threads per inch, or millimetres for ISO metric and Tr (the
                               // pitch, not the lead, of a multi-start thread)
    friend bool operator==(const SpecialSize&, const SpecialSize&) = default;
};

// How a text was read, where that is more than the canonical text says; readingNotes() gives
// one sentence for each. A new note is an enumerator here and its sentence in notes.cpp.
enum class ReadingNote : std::uint8_t {
    GradedSize,     // a size of UNC, UNF or UNEF written UN (of UNJC, UNJF or UNJEF written UNJ)
    RoundedRoot,    // UNR, UNRC, UNRF, UNREF, UNRS: the Unified thread with the rounded root
    TradeNameBspp,  // "BSPP": the trade name of G (ISO 228-1)
    TradeNameBspt,  // "BSPT": the trade name of R (ISO 7-1)
    kCount,
};

// The three threads of the British taper pipe series (ISO 7-1, EN 10226-1): the external taper
// R, the internal taper Rc and the internal parallel Rp; None for every other series.
enum class TaperPipeThread : std::uint8_t { None, R, Rc, Rp };

// A set of reading notes, held in place.
class ReadingNotes {
    static_assert(static_cast<unsigned>(ReadingNote::kCount) <= 16);

  public:
    void add(ReadingNote note) noexcept { bits_ = static_cast<std::uint16_t>(bits_ | bit(note)); }
    bool has(ReadingNote note) const noexcept { return (bits_ & bit(note)) != 0; }
    bool empty() const noexcept { return bits_ == 0; }
    friend bool operator==(const ReadingNotes&, const ReadingNotes&) = default;

  private:
    static constexpr std::uint16_t bit(ReadingNote note) noexcept {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(note));
    }
    std::uint16_t bits_ = 0;
};

struct Designation {
    SeriesId series = series::UNC;
    int sizeIndex = -1;                  // row of the series' size table; -1 for a special size
    std::optional<SpecialSize> special;  // set exactly when sizeIndex is -1
    // The classes named. An Acme or NPTF class applies to both threads and is set in both.
    std::optional<ThreadClass> externalClass;
    std::optional<ThreadClass> internalClass;
    Hand hand = Hand::Right;
    // UNR, UNRC, UNRF, UNREF, UNRS: the external thread of the Unified series (UN, UNC, UNF,
    // UNEF, UNS) with the rounded root of UNR; its limits of size are those of the series.
    bool roundedRoot = false;
    // R, Rc or Rp of the British taper pipe series (`series::R`); None elsewhere.
    TaperPipeThread taperThread = TaperPipeThread::None;
    // The number of starts of a multi-start thread ("Tr40x14(P7)": lead 14, pitch 7, two starts);
    // the lead is starts x pitch. A multi-start thread is a special size of its series.
    int starts = 1;
    // How the text was read: what the canonical text does not carry. Reading the canonical text
    // gives the same designation, but its notes may differ ("1/4-20 UN" is read with a note,
    // "1/4-20 UNC" without).
    ReadingNotes notes;
    CanonicalText canonical;

    bool isSpecial() const noexcept { return special.has_value(); }
};

struct Error {
    // One sentence, what is wrong and what would be right. It quotes at most 60 characters of
    // what was typed: a longer part is its first 60 characters and "...".
    std::string message;
    std::size_t offset = 0;  // byte offset and length, in the input, of the part at fault
    std::size_t length = 0;
    std::vector<std::string> nearest;     // canonical designations of the nearest tabulated sizes
    std::vector<SeriesId> specialSeries;  // where the size could be computed as a special size
};

struct ReadOptions {
    // When the series is not named and several series hold the size, this series is taken if
    // it holds exactly one of them (the find box passes the series on show). -1: none.
    SeriesId preferredSeries = -1;
};

// Either a designation or an error.
class Result {
  public:
    Result(Designation d) : value_(std::move(d)) {}
    Result(Error e) : value_(std::move(e)) {}
    bool ok() const noexcept { return value_.index() == 0; }
    explicit operator bool() const noexcept { return ok(); }
    const Designation& designation() const { return std::get<Designation>(value_); }
    const Error& error() const { return std::get<Error>(value_); }

  private:
    std::variant<Designation, Error> value_;
};

// Reads and resolves one designation.
Result read(std::string_view utf8, const ReadOptions& options = {});

// The notes on how `d` was read, one sentence each, in the order of ReadingNote: "1/4-20 UN
// reads as 1/4-20 UNC: ASME B1.1 lists 1/4-20 in UNC".
std::vector<std::string> readingNotes(const Designation& d);

// The designation of row `row` of a series, with no class and right hand; both must be valid.
Designation ofSize(SeriesId series, int row);

// The same size of the same series with no class and right hand, its canonical text written
// anew: "11/16-24 UNS" of "11/16-24 UNS-2A-LH".
Designation sizeOnly(const Designation& d);

// The basic major diameter and pitch of row `row` of a series, as a special size holds them
// (inches and threads per inch; millimetres for ISO metric, UNM and Tr), so that a class the
// tables do not hold can be computed for a tabulated size. None for the pipe series (G and R
// among them) and BA, whose rows name a nominal size or a number, and for a row out of range.
std::optional<SpecialSize> basicSize(SeriesId series, int row);

// The size and the pitch of a designation as a size list writes them: a table row's own texts
// ("1/4" and "20", "M10" and "1.5"); a special size's as its canonical text writes them ("11/16"
// and "24", ".6875" and "24", "M42" and "1", "Tr40" and "14(P7)": a multi-start thread's lead
// and pitch). No series, class or hand.
struct SizeTexts {
    FixedText<32> size;
    FixedText<16> pitch;
};
SizeTexts sizeTexts(const Designation& d);

}  // namespace torveld::designation
