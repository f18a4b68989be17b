// Designations that name no size, or are not understood: the message, the part of the input at
// fault, the nearest sizes and where the size could be computed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "designation.h"

namespace torveld::designation {
namespace {

namespace s = torveld::series;

struct Case {
    const char* input;
    const char* fault;  // the part of the input the error points at
    const char* message;
    std::vector<std::string> nearest = {};
    std::vector<SeriesId> specialSeries = {};
};

void expectError(const Case& c) {
    SCOPED_TRACE(c.input);
    const std::string input = c.input;
    const Result r = read(input);
    ASSERT_FALSE(r.ok()) << r.designation().canonical.view();
    const Error& e = r.error();
    EXPECT_EQ(e.message, c.message);
    ASSERT_LE(e.offset + e.length, input.size());
    EXPECT_EQ(input.substr(e.offset, e.length), c.fault);
    EXPECT_EQ(e.nearest, c.nearest);
    EXPECT_EQ(e.specialSeries, c.specialSeries);
}

TEST(Errors, ASizeTheSeriesDoesNotHoldNamesTheNearestSizes) {
    const Case kCases[] = {
        {"1/4-21 UNC",
         "21",
         "UNC has no 1/4-21; 1/4 UNC is 20 threads per inch; 1/4-21 can be computed as a "
         "special size in UNS",
         {"1/4-20 UNC"},
         {s::UNS}},
        {"1/2-15 NPT",
         "15",
         "NPT has no 1/2-15; 1/2 NPT is 14 threads per inch",
         {"1/2-14 NPT"},
         {}},
        {"5/8-24 UNC",
         "24",
         "UNC has no 5/8-24; 5/8 UNC is 11 threads per inch; 5/8-24 is a size of UNEF and UNJEF; "
         "5/8-24 can be computed as a special size in UNS",
         {"5/8-24 UNEF", ".6250-24 UNJEF", "5/8-11 UNC"},
         {s::UNS}},
        {"5/8-14 UN",
         "14",
         "UN has the constant pitches 4, 6, 8, 12, 16, 20, 28 and 32 threads per inch; 5/8-14 "
         "can be computed as a special size in UNS",
         {},
         {s::UNS}},
        {"13/16-10 UNC",
         "13/16-10",
         "UNC has no 13/16-10; the nearest are 3/4-10 UNC and 7/8-9 UNC; 13/16-10 can be "
         "computed as a special size in UNS",
         {"3/4-10 UNC", "7/8-9 UNC"},
         {s::UNS}},
        {"13/16-16 UNF",
         "13/16-16",
         "UNF has no 13/16-16; the nearest are 3/4-16 UNF and 7/8-14 UNF; 13/16-16 is a size of "
         "UN and UNJ; 13/16-16 can be computed as a special size in UN or UNS",
         {"13/16-16 UN", ".8125-16 UNJ", "3/4-16 UNF", "7/8-14 UNF"},
         {s::UN, s::UNS}},
        {"13/16 UNC",
         "13/16",
         "UNC has no 13/16 size; the nearest are 3/4-10 UNC and 7/8-9 UNC; with its pitch it can "
         "be computed as a special size in UNS",
         {"3/4-10 UNC", "7/8-9 UNC"},
         {s::UNS}},
        {"3/16 UNS",
         "3/16",
         "UNS has no 3/16 size; the nearest is 10-28 UNS; with its pitch it can be computed as a "
         "special size in UNS",
         {"10-28 UNS"},
         {s::UNS}},
        {".4375-24 UNJF",
         "24",
         "UNJF has no .4375-24; .4375 UNJF is 20 threads per inch; .4375-24 is a size of UNS; "
         ".4375-24 can be computed as a special size in UNJ",
         {"7/16-24 UNS", ".4375-20 UNJF"},
         {s::UNJ}},
        {"1/4-21",
         "1/4-21",
         "no size table holds 1/4-21; the nearest are 1/4-20 UNC, 1/4-28 UNF and 1/4-32 UNEF; "
         "1/4-21 can be computed as a special size in UNS",
         {"1/4-20 UNC", "1/4-28 UNF", "1/4-32 UNEF"},
         {s::UNS}},
        {"10x1.5",
         "10x1.5",
         "no size table holds 10x1.5; a metric size is written with M, as in M10x1.5; the "
         "nearest are 10-24 UNC and 10-32 UNF; 10x1.5 can be computed as a special size in UNS",
         {"10-24 UNC", "10-32 UNF"},
         {s::UNS}},
        {"1/4-2 UNC", "2", "UNC has no 1/4-2; 1/4 UNC is 20 threads per inch", {"1/4-20 UNC"}, {}},
        {"M13",
         "M13",
         "M13 is in neither metric table; the nearest are M12 and M14; with its pitch it can be "
         "computed as a special size in ISO FINE",
         {"M12", "M14"},
         {s::ISO_FINE}},
        {"M13 ISO FINE",
         "M13",
         "ISO FINE has no M13 size; the nearest are M12x1 and M14x1.5; with its pitch it can "
         "be computed as a special size in ISO FINE",
         {"M12x1", "M14x1.5"},
         {s::ISO_FINE}},
        {"0.32 UNM",
         "0.32",
         "UNM has no 0.32 size; the nearest are 0.30 UNM and 0.35 UNM",
         {"0.30 UNM", "0.35 UNM"},
         {}},
        {"2-0.9 BA", "0.9", "BA has no 2-0.9; 2 BA is 0.810 mm pitch", {"2 BA"}, {}},
        {"17 BA", "17", "BA has no 17 size; the nearest is 16 BA", {"16 BA"}, {}},
        {"1/4-20 UNF STI",
         "20",
         "UNF-STI has no 1/4-20; 1/4 UNF-STI is 28 threads per inch; 1/4-20 is a size of UNC, "
         "UNJC, BSW and UNC-STI",
         {"1/4-20 UNC", ".2500-20 UNJC", "1/4-20 BSW", "1/4-20 UNC-STI", "1/4-28 UNF-STI"},
         {}},
    };
    for (const Case& c : kCases) expectError(c);
}

TEST(Errors, AmbiguousSizesListTheCandidates) {
    const Case kCases[] = {
        {"1 UNC",
         "1",
         "1 UNC names 2 sizes: 1-64 UNC and 1-8 UNC; give the pitch",
         {"1-64 UNC", "1-8 UNC"},
         {}},
        // G 1/2 and R 1/2 are 14 threads per inch too.
        {"1/2-14",
         "1/2-14",
         "1/2-14 is tabulated in UNS, NPT, NPTF, NPSM, NPSL, G and R; name the series, as in "
         "1/2-14 UNS",
         {"1/2-14 UNS", "1/2-14 NPT", "1/2-14 NPTF", "1/2-14 NPSM", "1/2-14 NPSL", "G 1/2",
          "R 1/2"},
         {}},
        {"1/4-19",
         "1/4-19",
         "1/4-19 is tabulated in G and R; name the series, as in G 1/4",
         {"G 1/4", "R 1/4"},
         {}},
        {"1/2-10",
         "1/2-10",
         "1/2-10 is tabulated in ACME and STUB ACME; name the series, as in 1/2-10 ACME",
         {"1/2-10 ACME", "1/2-10 STUB ACME"},
         {}},
        {"M10 ISO FINE",
         "M10",
         "M10 ISO FINE names 2 sizes: M10x0.75 and M10x1.25; give the pitch",
         {"M10x0.75", "M10x1.25"},
         {}},
        {"1 STI",
         "1",
         "1 STI names 3 sizes: 1-8 UNC-STI, 1-14 UNF-STI and 1-12 UNF-STI; give the pitch",
         {"1-8 UNC-STI", "1-14 UNF-STI", "1-12 UNF-STI"},
         {}},
        {"4-28 UNS",
         "4-28",
         "'4-28' may be number size 4 or 4 inches: write #4-28 UNS or 4.0000-28 UNS",
         {},
         {}},
        {"1-30 UNS",
         "1-30",
         "'1-30' may be number size 1 or 1 inch: write #1-30 UNS or 1.0000-30 UNS",
         {},
         {}},
    };
    for (const Case& c : kCases) expectError(c);

    // Too many to list: the first eight and a count.
    const Result r = read("1/4");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().nearest.size(), 8u);
    EXPECT_EQ(r.error().message.rfind("1/4 is tabulated in UNC, UNF, UNEF, UNS and others; give "
                                      "the pitch and the series, as in 1/4-20 UNC",
                                      0),
              0u)
        << r.error().message;
}

TEST(Errors, ClassesTheSeriesDoesNotHave) {
    const Case kCases[] = {
        {"1/4-20 UNC-5g",
         "5g",
         "'5g' is not a class here: the classes of UNC are 1A, 2A, 3A (external) and 1B, 2B, 3B "
         "(internal)",
         {},
         {}},
        {"1/4-20 UNC-4A",
         "4A",
         "'4A' is not a class here: the classes of UNC are 1A, 2A, 3A (external) and 1B, 2B, 3B "
         "(internal)",
         {},
         {}},
        {"1/4-20 UNC-2A/3A",
         "2A/3A",
         "'2A/3A' names two external classes; a pair is one of each, as in 2A/2B",
         {},
         {}},
        {".4375-16 UNJ-2A",
         "2A",
         "'2A' is not a class here: UNJ threads have the classes 3A (external) and 3B (internal)",
         {},
         {}},
        {"1/4-20 UNC-STI-2A",
         "2A",
         "'2A' is not a class here: a thread-insert tapping is an internal thread of class 2B "
         "or 3B",
         {},
         {}},
        {"3/4-6 STUB ACME-3G",
         "3G",
         "'3G' is not a class here: STUB ACME has the one class 2G",
         {},
         {}},
        {"3/4-6 ACME-7C",
         "7C",
         "'7C' is not a class here: the Acme classes are 2G to 5G (general purpose) and 2C to 6C "
         "(centralizing)",
         {},
         {}},
        {"3/4-6 ACME-2G/3G",
         "2G/3G",
         "an Acme class applies to both threads; write one, as in 2G",
         {},
         {}},
        {"1/8-27 NPT-1", "1", "NPT takes no class (NPTF has classes 1 and 2)", {}, {}},
        {"1/8-27 NPTF-3",
         "3",
         "'3' is not a class here: NPTF has classes 1 and 2, as in 1/8-27 NPTF-1",
         {},
         {}},
        {"1/4 BSW-2A", "2A", "BSW takes no class", {}, {}},
        {"M10-5g",
         "5g",
         "'5g': the major-diameter grades of an external thread are 4, 6 and 8, as in 5g6g",
         {},
         {}},
        {"M10-7g7g",
         "7g7g",
         "'7g7g': the major-diameter grades of an external thread are 4, 6 and 8",
         {},
         {}},
        {"M10-2g",
         "2g",
         "'2g': the pitch-diameter grades of an external thread run from 3 to 9",
         {},
         {}},
        {"M10-3H", "3H", "'3H': the grades of an internal thread run from 4 to 8", {}, {}},
        {"M10-6k",
         "6k",
         "'6k' is not an ISO tolerance class: its letter is e, f, g, h (external) or G, H "
         "(internal), as in 6g or 6H",
         {},
         {}},
        {"M10-5g6h",
         "5g6h",
         "'5g6h' is not an ISO tolerance class: both grades take the same letter, as in 5g6g",
         {},
         {}},
        {"M10-6g/6e",
         "6g/6e",
         "'6g/6e' names two external classes; a fit is written internal/external, as in 6H/6g",
         {},
         {}},
        {"M10-2.5g",
         "2.5",
         "'2.5' is not a class; a class is a grade and a letter, as in 2A, 6g or 2G",
         {},
         {}},
    };
    for (const Case& c : kCases) expectError(c);
}

TEST(Errors, WhatIsNotUnderstoodAndWhere) {
    const Case kCases[] = {
        {"UNC 1/4-20", "UNC", "the size comes first, then the series, as in 1/4-20 UNC", {}, {}},
        {"thread",
         "thread",
         "'thread' is not a size; a designation starts with its size, as in 1/4-20 UNC, #10-32 "
         "UNF or M10x1.5",
         {},
         {}},
        {"1/4-20 UMC", "UMC", "'UMC' is not a thread series; did you mean UNC?", {}, {}},
        {"1/4-20 UNRC-2B",
         "2B",
         "UNR is an external thread; the internal thread is 1/4-20 UNC-2B",
         {},
         {}},
        {"M10 UNC", "M10", "M10 is a metric size; UNC sizes are in inches", {}, {}},
        {"M1 UNM",
         "M1",
         "M1 is a metric size; UNM sizes are written in millimetres without M, "
         "as in 0.30 UNM",
         {},
         {}},
        {"M2 BA", "M2", "M2 is a metric size; BA sizes are numbers, as in 2 BA", {}, {}},
        {"#10 NPT", "#10", "#10 is a number size; NPT has none", {}, {}},
        {"#14-20 UNC", "#14", "number sizes run from 0 to 12; #14 is none", {}, {}},
        {"M1/2", "M1/2", "a metric size is written in millimetres, as in M10 or M1.6", {}, {}},
        {"1/0-20 UNC", "1/0", "'1/0' has 0 below the line", {}, {}},
        {"1.5/4-20 UNC",
         "1.5/4",
         "'1.5/4' is not a fraction; a fraction is written with whole numbers, as in 5/16",
         {},
         {}},
        {"1 5/4-7 UNC",
         "1 5/4",
         "'1 5/4': the fraction of a mixed number lies between 0 and 1, as in 1 1/4",
         {},
         {}},
        {"13/8-6 UNC",
         "13/8",
         "'13/8' is more than one; write it as a mixed number, 1 5/8, or did you mean 1 3/8?",
         {},
         {}},
        {"11/4-7 ACME",
         "11/4",
         "'11/4' is more than one; write it as a mixed number, 2 3/4, or did you mean 1 1/4?",
         {},
         {}},
        {"4/2-13 UNC", "4/2", "'4/2' is more than one; write it as a mixed number, 2", {}, {}},
        {"0/4-20 UNC", "0/4", "'0/4' is zero", {}, {}},
        {"2 0/1 UNC",
         "2 0/1",
         "'2 0/1': the fraction of a mixed number lies between 0 and 1, as in 1 1/4",
         {},
         {}},
        {"1/4-20 UNC 2A extra", "extra", "'extra' after the designation is not understood", {}, {}},
        {"1/4-20 UNC UNF", "UNF", "'UNF' after the designation is not understood", {}, {}},
        {"1/2-13 UNC-2ALH LH", "LH", "the hand is given twice", {}, {}},
        {"1/4-20 UNC class", "class", "expected a class after 'class', as in class 2A", {}, {}},
        {"1/4-20 UNC-2A/", "/", "expected a second class after '/', as in 2A/2B or 6H/6g", {}, {}},
        {"1/4-20 UNJ STI", "STI", "STI follows UNC or UNF, as in 1/4-20 UNC-STI", {}, {}},
        {"M10x", "x", "expected the pitch after 'x', as in M10x1.25", {}, {}},
        {"No. UNC", "No. UNC", "expected a number size after 'No', as in #10", {}, {}},
        {"", "", "the designation is empty; write one as 1/4-20 UNC, 10-32 UNF or M10x1.5", {}, {}},
        {" \t ",
         " \t ",
         "the designation is empty; write one as 1/4-20 UNC, 10-32 UNF or M10x1.5",
         {},
         {}},
    };
    for (const Case& c : kCases) expectError(c);
}

TEST(Errors, SpecialSizesThatCannotBeComputed) {
    const Case kCases[] = {
        {"1/3-20 UNS",
         "1/3",
         "a special size is written as a decimal of at most six places; 1/3 has none",
         {},
         {}},
        {"1/4-20 1/3 UNS",
         "20 1/3",
         "a pitch is written as a decimal of at most six places; 20 1/3 has none",
         {},
         {}},
        {"1/4-0 UNS", "0", "a pitch of zero is no thread", {}, {}},
        {"M0x1", "M0", "a size of zero is no thread", {}, {}},
        {"M10-6", "M10-6", "'M10x6': the pitch is more than half the diameter", {}, {}},
        {"1/4-7 ACME", "1/4-7", "'1/4-7': the pitch is more than half the diameter", {}, {}},
    };
    for (const Case& c : kCases) expectError(c);
}

// A message quotes at most 60 characters of what was typed: a longer part is cut after its 60th
// character (a UTF-8 sequence counts as one) and followed by "...", the part at fault still
// pointed at whole.
TEST(Errors, LongInputIsQuotedToItsFirstSixtyCharacters) {
    const auto rep = [](const char* part, int n) {
        std::string out;
        while (n-- > 0) out += part;
        return out;
    };
    const std::string extra = rep("extra", 14), thread = rep("thread", 12),
                      sixty = rep("abcdef", 10);
    const std::string digits = "1234567" + rep("8", 63);
    const std::string times = rep("\u00D7a", 38);  // 76 characters in 114 bytes
    const std::string afterClass = "1/4-20 UNC-2A " + extra, afterSeries = "1/4-20 UNC " + times;
    const std::string zerosUnc = rep("0", 31) + "1/4-" + rep("0", 30) + "21 UNC";
    const std::string timesQuoted =
        "'" + rep("\u00D7a", 30) + "...' after the designation is not understood";
    const Case kCases[] = {
        {afterClass.c_str(), extra.c_str(),
         "'extraextraextraextraextraextraextraextraextraextraextraextra...' after the designation "
         "is not understood"},
        {thread.c_str(), thread.c_str(),
         "'threadthreadthreadthreadthreadthreadthreadthreadthreadthread...' is not a size; a "
         "designation starts with its size, as in 1/4-20 UNC, #10-32 UNF or M10x1.5"},
        {digits.c_str(), digits.c_str(),
         "'123456788888888888888888888888888888888888888888888888888888...' is too large a number "
         "for a thread"},
        {afterSeries.c_str(), times.c_str(), timesQuoted.c_str()},
        // The size and pitch as read, quoted twice.
        {zerosUnc.c_str(),
         "00000000000000000000000000000021",
         "UNC has no 00000000000000000000000000000001/4-0000000000000000000000000...; 1/4 UNC is "
         "20 threads per inch; 00000000000000000000000000000001/4-0000000000000000000000000... can "
         "be computed as a special size in UNS",
         {"1/4-20 UNC"},
         {s::UNS}},
        // Sixty characters are quoted whole.
        {sixty.c_str(), sixty.c_str(),
         "'abcdefabcdefabcdefabcdefabcdefabcdefabcdefabcdefabcdefabcdef' is not a size; a "
         "designation starts with its size, as in 1/4-20 UNC, #10-32 UNF or M10x1.5"},
    };
    for (const Case& c : kCases) expectError(c);
}

// UNR names the external thread: an internal class is refused, naming what to write; the
// errors of a size UN, UNR or their tables do not hold name the series as written.
TEST(Errors, UnrNamesTheExternalThreadOnly) {
    const Case kCases[] = {
        {"1/4-20 UNR-2B LH", "2B",
         "UNR is an external thread; the internal thread is 1/4-20 UNC-2B-LH"},
        {"1/4-20 UNRC-2A/2B", "2A/2B",
         "UNR is an external thread; the internal thread is 1/4-20 UNC-2B, the external "
         "1/4-20 UNRC-2A"},
        {"3/8-24 UNRF 3B/3A", "3B/3A",
         "UNR is an external thread; the internal thread is 3/8-24 UNF-3B, the external "
         "3/8-24 UNRF-3A"},
        {"11/16-24 UNRS-3B", "3B",
         "UNR is an external thread; the internal thread is 11/16-24 UNS-3B"},
        {"1/4-20 UNRC-STI", "UNRC-STI",
         "UNR is an external thread and a thread-insert tapping an internal one; write UNC-STI or "
         "UNF-STI, as in 1/4-20 UNC-STI"},
        {"1/4-21 UNRC",
         "21",
         "UNRC has no 1/4-21; 1/4 UNRC is 20 threads per inch; 1/4-21 can be computed as a "
         "special size in UNRS",
         {"1/4-20 UNRC"},
         {s::UNS}},
        {"1/4-24 UNR",
         "24",
         "UNR has the constant pitches 4, 6, 8, 12, 16, 20, 28 and 32 threads per inch; 1/4-24 "
         "can be computed as a special size in UNRS",
         {},
         {s::UNS}},
        {"4-28 UNRS", "4-28",
         "'4-28' may be number size 4 or 4 inches: write #4-28 UNRS or 4.0000-28 UNRS"},
        {"1/4-20 UNRX", "UNRX", "'UNRX' is not a thread series; did you mean UNR?"},
        // Without the pitch, the graded series' sizes are the candidates.
        {"1/4 UN",
         "1/4",
         "1/4 UN names 3 sizes: 1/4-20 UNC, 1/4-28 UNF and 1/4-32 UNEF; give the pitch",
         {"1/4-20 UNC", "1/4-28 UNF", "1/4-32 UNEF"}},
        {"1/4 UNR",
         "1/4",
         "1/4 UNR names 3 sizes: 1/4-20 UNRC, 1/4-28 UNRF and 1/4-32 UNREF; give the pitch",
         {"1/4-20 UNRC", "1/4-28 UNRF", "1/4-32 UNREF"}},
    };
    for (const Case& c : kCases) expectError(c);
}

TEST(Errors, BritishPipeThreads) {
    const Case kCases[] = {
        {"G 1/2-11", "11", "G has no 1/2-11; G 1/2 is 14 threads per inch", {"G 1/2"}},
        {"G 1/2 C", "C",
         "'C' is not a class here: G has the external classes A and B; the internal thread has "
         "one class, not written"},
        {"G 1/2 A/B", "A/B",
         "'A/B' names two classes: G has the external classes A and B; the internal thread has "
         "one class, not written"},
        {"Rp 1/2 A", "A", "Rp takes no class"},
        // ISO 7-1 leaves out sizes that ISO 228-1 has.
        {"R 5/8",
         "5/8",
         "R has no 5/8 size; the nearest are R 1/2 and R 3/4; 5/8 is a size of G, the parallel "
         "pipe thread",
         {"G 5/8", "R 1/2", "R 3/4"}},
        {"Rc 1 1/8",
         "1 1/8",
         "Rc has no 1 1/8 size; the nearest are Rc 1 and Rc 1 1/4; 1 1/8 is a size of G, the "
         "parallel pipe thread",
         {"G 1 1/8", "Rc 1", "Rc 1 1/4"}},
        {"G 7", "7", "G has no 7 size; the nearest is G 6", {"G 6"}},
        {"ISO 7-1 G 1/2", "ISO 7-1 G",
         "'ISO 7-1 G': ISO 7-1 is the standard of R, Rc and Rp, not of G"},
        {"EN 10226-1 1/2", "EN 10226-1",
         "EN 10226-1 is followed by the thread, as in EN 10226-1 R 1/2"},
        {"1/2 BSP", "BSP",
         "'BSP' is not a thread series; BSP is written G (parallel, BSPP) or R (taper, BSPT), as "
         "in G 1/2 or R 1/2"},
        {"BSP 1/2", "BSP",
         "'BSP' is not a thread series; BSP is written G (parallel, BSPP) or R (taper, BSPT), as "
         "in G 1/2 or R 1/2"},
        {"1/2 BSPPP", "BSPPP", "'BSPPP' is not a thread series; did you mean BSPP?"},
        {"Rd 1/2", "Rd", "'Rd' is not a thread series; did you mean Rc?"},
        {"G", "G", "expected the size after 'G', as in G 1/2"},
        {"EN 10226-1 Rp", "Rp", "expected the size after 'Rp', as in Rp 1/2"},
        {"G 1/2 BSPP", "BSPP", "'BSPP': the series is already given, 'G'"},
    };
    for (const Case& c : kCases) expectError(c);
}

TEST(Errors, TrapezoidalThreads) {
    const Case kCases[] = {
        {"Tr21",
         "Tr21",
         "Tr has no Tr21 size; the nearest are Tr20x4 and Tr22x5; with its pitch it can be "
         "computed as a special size in Tr",
         {"Tr20x4", "Tr22x5"},
         {s::TR}},
        {"Tr20x12", "Tr20x12", "'Tr20x12': the pitch is more than half the diameter"},
        {"Tr1/2", "Tr1/2", "a trapezoidal size is written in millimetres, as in Tr20x4"},
        {"M20x4 Tr", "M20",
         "M20 is a metric size; a trapezoidal size is written without M, as in Tr20x4"},
        {"Trr20x4", "Trr", "'Trr' is not a thread series; did you mean Tr?"},
        {"Tr", "Tr", "expected the size after 'Tr', as in Tr20x4"},
        // Classes.
        {"Tr20x4-6g", "6g",
         "'6g' is not a trapezoidal class: its letter is e or c (external) or H (internal), as "
         "in 7e or 7H"},
        {"Tr20x4-7e7e", "7e7e", "'7e7e' is not a trapezoidal class: it has one grade, as in 7e"},
        {"Tr20x4-6e", "6e", "'6e': the trapezoidal grades are 7, 8 and 9"},
        {"Tr20x4-7", "7",
         "'7' is not a trapezoidal class: its letter is e or c (external) or H "
         "(internal), as in 7e or 7H"},
        {"Tr20x4-7e/8c", "7e/8c",
         "'7e/8c' names two external classes; a fit is written internal/external, as in 7H/7e"},
        // Multi-start threads.
        {"Tr40x15(P7)", "Tr40x15(P7)",
         "'Tr40x15(P7)': the lead 15 is not a whole number of pitches 7"},
        {"Tr40x14(P0)", "0", "a pitch of zero is no thread"},
        {"Tr40x0(P7)", "0", "a lead of zero is no thread"},
        {"Tr40x1400(P1)", "Tr40x1400(P1)",
         "'Tr40x1400(P1)' has 1400 starts; a thread has at most 99"},
        {"Tr40x42(P21)", "Tr40x42(P21)",
         "'Tr40x42(P21)': the pitch is more than half the diameter"},
        {"Tr40x14(P7", "(P7", "expected ')' after the pitch, as in Tr40x14(P7)"},
        {"M10x1(P0.5)", "(P0.5)",
         "'(P0.5)': a lead and its pitch are written for a multi-start trapezoidal thread, as in "
         "Tr40x14(P7)"},
    };
    for (const Case& c : kCases) expectError(c);
}

// A one-letter word is one slip from G and from R: no evidence of either.
TEST(Errors, NoSuggestionOfAOneLetterSeries) {
    const Result r = read("1/2 Q");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().message.rfind("'Q' is not a thread series; the series are UNC, ", 0), 0u)
        << r.error().message;
}

TEST(Errors, BytesThatAreNoPartOfADesignation) {
    const Case kCases[] = {
        {"1/4-20 UNC\x01",
         "\x01",
         "the control character 0x01 at byte 10 is not part of a designation",
         {},
         {}},
        {"1/4-20 UNC\xFF", "\xFF", "byte 0xFF at 10 is not UTF-8 text", {}, {}},
        {"1/4-20 \xC3", "\xC3", "byte 0xC3 at 7 is not UTF-8 text", {}, {}},
        {"1/4-20 \xC0\xAF", "\xC0", "byte 0xC0 at 7 is not UTF-8 text", {}, {}},      // overlong
        {"1/4-20 \xED\xA0\x80", "\xED", "byte 0xED at 7 is not UTF-8 text", {}, {}},  // surrogate
        {"1/4-20 UNC\u00B0", "\u00B0", "'\u00B0' is not part of a designation", {}, {}},
        {"1/4-20 UNC;", ";", "';' is not part of a designation", {}, {}},
        {"1234567-20", "1234567", "'1234567' is too large a number for a thread", {}, {}},
        {"0.1234567 UNM", "0.1234567", "'0.1234567' has more than six decimals", {}, {}},
    };
    for (const Case& c : kCases) expectError(c);
    // Zeros beyond the sixth decimal and before the first digit are no fault.
    EXPECT_EQ(read("0.30000000 UNM").designation().canonical.view(), "0.30 UNM");
    EXPECT_EQ(read("0000001/4-20 UNC").designation().canonical.view(), "1/4-20 UNC");
}

}  // namespace
}  // namespace torveld::designation
