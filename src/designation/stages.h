// The stages of reading a designation and what passes between them (designation.h is the
// contract; this header is of src/designation alone):
//   lexer.cpp         the text: tokens
//   reading.cpp       the tokens: what was written (Parsed), in the order size, pitch, series,
//                     class, hand; series_words.cpp holds the words of the series
//   class_rules.cpp   the classes written: the classes of the series, or why not
//   resolving.cpp     what was written: a table row or a special size (resolver.h), and the
//                     nearest sizes when there is neither
//   canonical.cpp     a designation: its canonical text
//   messages.cpp      the error texts
//   notes.cpp         the sentences of the reading notes
// designation.cpp chains them.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "designation.h"
#include "lexer.h"
#include "size_index.h"

namespace torveld::designation::detail {

// ---------------------------------------------------------------------------------------------
// Small helpers

// A part of the input, in bytes.
struct Span {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::size_t end() const { return offset + length; }
};

inline Span spanOf(const Token& t) {
    return {t.offset, t.length};
}

inline Span cover(Span a, Span b) {
    if (a.length == 0) return b;
    if (b.length == 0) return a;
    const std::size_t start = std::min(a.offset, b.offset);
    return {start, std::max(a.end(), b.end()) - start};
}

inline char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool equalsLower(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lower(text[i]) != lowerWord[i]) return false;
    }
    return true;
}

using ShortText = FixedText<48>;
// A text made of the input, which never needs to be cut.
using InputText = FixedText<kMaxInputBytes>;

inline std::string seriesName(SeriesId id) {
    return seriesById(id).name;
}

inline bool isMetric(SeriesId id) {
    return seriesById(id).family == SeriesFamily::IsoMetric;
}

inline bool isGradedSeries(SeriesId id) {  // the standard coarse, fine and extra-fine series
    return id == series::UNC || id == series::UNF || id == series::UNEF;
}

inline bool isConstantPitch(std::int64_t tpiMicro) {
    for (const int tpi : {4, 6, 8, 12, 16, 20, 28, 32}) {
        if (tpiMicro == tpi * kMicro) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// What was read, before it is looked up

enum class SizeKind : std::uint8_t {
    Whole,     // "10", "1": inches, or a number size where a table says so
    Numbered,  // "#10", "No. 10"
    Value,     // "1/4", "1 1/4", ".250"
    Metric,    // "M10"
};

struct NumberRead {
    std::int64_t micro = 0;
    bool exact = true;  // false for a fraction with no exact decimal (1/3)
    bool whole = false;
    int number = -1;  // the whole number written
    Span span;
    InputText text;  // as it will be quoted in messages: "1 1/4", ".250"
};

struct SizeAsked {
    SizeKind kind = SizeKind::Value;
    NumberRead value;
};

struct PitchAsked {
    bool present = false;
    bool afterTimes = false;  // written after "x", as a metric pitch is
    NumberRead value;
};

// The pitch of a multi-start thread after its lead: "(P7)" of "Tr40x14(P7)".
struct StartPitchAsked {
    bool present = false;
    NumberRead value;
    Span span;  // "(P7)" whole
};

enum class SeriesGroup : std::uint8_t { None, One, Sti, Iso };

struct SeriesNamed {
    SeriesGroup group = SeriesGroup::None;
    SeriesId id = -1;
    bool roundedRoot = false;  // UNR, UNRC ...: the Unified series id, with the rounded root
    Span span;
    TaperPipeThread taper = TaperPipeThread::None;  // R, Rc or Rp of series::R
    bool tradeName = false;                         // BSPP, BSPT
    bool beforeSize = false;                        // written before the size: "G 1/2", "Tr20x4"
};

struct ClassPart {
    std::uint8_t grade = 0;
    char letter = 0;  // as typed; 0 when none
    std::uint8_t crestGrade = 0;
    char crestLetter = 0;
    Span span;
};

struct ClassesNamed {
    int count = 0;
    ClassPart parts[2];
    Span span;
};

struct HandNamed {
    bool present = false;
    Hand hand = Hand::Right;
    Span span;
};

struct Parsed {
    SizeAsked size;
    PitchAsked pitch;
    StartPitchAsked startPitch;
    SeriesNamed series;
    ClassesNamed cls;
    HandNamed hand;
};

// ---------------------------------------------------------------------------------------------
// The words of the series (series_words.cpp)

struct Alias {
    std::string_view word;  // lower case, blanks and dashes left out
    SeriesGroup group;
    SeriesId id;
    bool roundedRoot = false;  // the series' external thread with the rounded root of UNR
    TaperPipeThread taper = TaperPipeThread::None;  // which thread of series::R
    bool tradeName = false;                         // a trade name (BSPP, BSPT), read with a note
    bool beforeSize = false;  // also written before the size, as its standard writes it ("G 1/2")
};

// What a word of the series names, at `span` of the input.
inline SeriesNamed seriesNamed(const Alias& a, Span span) {
    SeriesNamed s;
    s.group = a.group;
    s.id = a.id;
    s.roundedRoot = a.roundedRoot;
    s.span = span;
    s.taper = a.taper;
    s.tradeName = a.tradeName;
    return s;
}

// A standard written before the thread it names: "EN 10226-1 R 1/2", "ISO 228-1 G 1/2".
struct StandardWord {
    std::string_view word;  // lower case: "en", "iso", "bs"
    int number;             // 10226
    int part;               // 1; 0 where the standard has no parts (BS 21)
    SeriesId id;            // the series it standardises
    std::string_view text;  // "EN 10226-1"
};

// The standards of the series that drawings write before the thread.
std::span<const StandardWord> standardWords();

// Every word a series is written with.
std::span<const Alias> aliases();

// The series of a word (lower case, blanks and dashes left out), or none.
const Alias* findAlias(std::string_view lowerWord);

// The series written as two words whose words, joined, are `joined` ("stubacme" of
// "STUB ACME", "uncsti" of "UNC-STI"): one whose name has a blank or a dash. Else none.
const Alias* findTwoWordAlias(std::string_view joined);

// The series word nearest a word that names none, if it is near enough to be a slip.
const Alias* nearestAlias(std::string_view lowerWord);

// Whether a series has a rounded-root form (UN, UNC, UNF, UNEF, UNS).
bool hasRoundedRoot(SeriesId id);

// The name of a series as a designation writes it: "UNC", with the rounded root "UNRC", and the
// thread of the British taper series: "R", "Rc", "Rp".
FixedText<16> seriesText(SeriesId id, bool roundedRoot,
                         TaperPipeThread taper = TaperPipeThread::None);

// The series whose designations put the series before the size: G, R (Rc, Rp) and Tr.
inline bool seriesBeforeSize(SeriesId id) {
    return id == series::G || id == series::R || id == series::TR;
}

// The name an alias stands for: "UNRC", "STI", "ISO".
FixedText<16> aliasText(const Alias& a);

// ---------------------------------------------------------------------------------------------
// The stages

// Reads the tokens of `input` (lexed, ending in an End token) into `parsed`; false with `error`
// set when they are not a designation.
bool parse(std::string_view input, const Token* tokens, std::size_t count, Parsed& parsed,
           Error& error);

// Checks the classes named against series `id` and sets them in `d`; false with `error` set
// when the series does not have them.
bool applyClasses(std::string_view input, const ClassesNamed& named, SeriesId id, Designation& d,
                  Error& error);

// Looks up what was written in the size tables, or computes it as a special size.
Result resolve(std::string_view input, const Parsed& parsed, const ReadOptions& options);

// Writes the canonical text of `d`; a special size's diameter and pitch are given in
// millionths, as read.
void writeCanonical(Designation& d, std::int64_t specialSize, std::int64_t specialPitch);

// The canonical text of a table row, as an error lists it.
std::string canonicalOf(SeriesId series, int row);

// ---------------------------------------------------------------------------------------------
// Texts of the messages (messages.cpp)

std::string numberText(std::size_t n);

// "a", "a or b", "a, b or c"
std::string joinList(const std::vector<std::string>& items, std::string_view conjunction);

// A part of the input in single quotes, as a message quotes it (clipped).
std::string quoted(std::string_view input, Span span);

// "UNC, UNF, ... and UNF-STI"
std::string allSeriesNames();

// "'13/8' is more than one; write it as a mixed number, 1 5/8, or did you mean 1 3/8?": the
// fraction quoted, its numerator as typed, its value.
std::string improperFractionMessage(std::string_view quotedFraction, std::string_view numerator,
                                    std::int64_t numeratorValue, std::int64_t denominator);

// "'UMC' is not a thread series; did you mean UNC?": the word quoted and in lower case.
std::string unknownSeriesMessage(std::string_view quotedWord, std::string_view lowerWord);

Error errorAt(std::size_t offset, std::size_t length, std::string message);

}  // namespace torveld::designation::detail
