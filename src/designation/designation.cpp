#include "designation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "lexer.h"
#include "size_index.h"

namespace torveld::designation {

namespace {

using detail::kMicro;
using detail::lower;
using detail::numberSizeDiameter;
using detail::rowsOf;
using detail::RowValues;
using detail::Token;
using detail::TokenKind;

// ---------------------------------------------------------------------------------------------
// Small helpers

struct Span {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::size_t end() const { return offset + length; }
};

Span spanOf(const Token& t) {
    return {t.offset, t.length};
}

Span cover(Span a, Span b) {
    if (a.length == 0) return b;
    if (b.length == 0) return a;
    const std::size_t start = std::min(a.offset, b.offset);
    return {start, std::max(a.end(), b.end()) - start};
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsLower(std::string_view text, std::string_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lower(text[i]) != lowerWord[i]) return false;
    }
    return true;
}

using ShortText = FixedText<48>;

// A value in millionths as a decimal: at least `minDecimals` places, no trailing zeros beyond
// them, and no "0" before the point when `dropLeadingZero` and the value is below one.
template <std::size_t N>
void appendMicro(FixedText<N>& out, std::int64_t micro, int minDecimals, bool dropLeadingZero) {
    const std::int64_t whole = micro / kMicro;
    std::int64_t fraction = micro % kMicro;
    char digits[8];
    int places = 6;
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    while (places > minDecimals && digits[places - 1] == '0') --places;
    if (!(whole == 0 && dropLeadingZero && places > 0)) {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
        out.append(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    }
    if (places > 0) {
        out.append('.');
        out.append(std::string_view(digits, static_cast<std::size_t>(places)));
    }
}

std::string numberText(std::size_t n) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, n).ptr;
    return std::string(buffer, end);
}

// "a", "a or b", "a, b or c"
std::string joinList(const std::vector<std::string>& items, std::string_view conjunction) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            if (i + 1 == items.size()) {
                text += ' ';
                text += conjunction;
                text += ' ';
            } else {
                text += ", ";
            }
        }
        text += items[i];
    }
    return text;
}

std::string seriesName(SeriesId id) {
    return seriesById(id).name;
}

bool isMetric(SeriesId id) {
    return seriesById(id).family == SeriesFamily::IsoMetric;
}

bool isGradedSeries(SeriesId id) {  // the standard coarse, fine and extra-fine series
    return id == series::UNC || id == series::UNF || id == series::UNEF;
}

bool isConstantPitch(std::int64_t tpiMicro) {
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
    ShortText text;  // as it will be quoted in messages: "1 1/4", ".250"
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

enum class SeriesGroup : std::uint8_t { None, One, Sti, Iso };

struct SeriesNamed {
    SeriesGroup group = SeriesGroup::None;
    SeriesId id = -1;
    Span span;
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
    SeriesNamed series;
    ClassesNamed cls;
    HandNamed hand;
};

struct Alias {
    std::string_view word;  // lower case, blanks and dashes left out
    SeriesGroup group;
    SeriesId id;
};

constexpr Alias kAliases[] = {
    {"unc", SeriesGroup::One, series::UNC},
    {"unf", SeriesGroup::One, series::UNF},
    {"unef", SeriesGroup::One, series::UNEF},
    {"un", SeriesGroup::One, series::UN},
    {"uns", SeriesGroup::One, series::UNS},
    {"unj", SeriesGroup::One, series::UNJ},
    {"unjc", SeriesGroup::One, series::UNJC},
    {"unjf", SeriesGroup::One, series::UNJF},
    {"unjef", SeriesGroup::One, series::UNJEF},
    {"npt", SeriesGroup::One, series::NPT},
    {"nptf", SeriesGroup::One, series::NPTF},
    {"npsm", SeriesGroup::One, series::NPSM},
    {"npsl", SeriesGroup::One, series::NPSL},
    {"acme", SeriesGroup::One, series::ACME},
    {"stubacme", SeriesGroup::One, series::STUB_ACME},
    {"isocoarse", SeriesGroup::One, series::ISO_COARSE},
    {"isofine", SeriesGroup::One, series::ISO_FINE},
    {"iso", SeriesGroup::Iso, -1},
    {"unm", SeriesGroup::One, series::UNM},
    {"bsw", SeriesGroup::One, series::BSW},
    {"bsf", SeriesGroup::One, series::BSF},
    {"ba", SeriesGroup::One, series::BA},
    {"uncsti", SeriesGroup::One, series::UNC_STI},
    {"unfsti", SeriesGroup::One, series::UNF_STI},
    {"sti", SeriesGroup::Sti, -1},
};

// Series written as two words ("STUB ACME", "ISO FINE", "UNC-STI").
bool isTwoWordAlias(std::string_view joined) {
    return joined == "stubacme" || joined == "isocoarse" || joined == "isofine" ||
           joined == "uncsti" || joined == "unfsti";
}

const Alias* findAlias(std::string_view lowerWord) {
    for (const Alias& a : kAliases) {
        if (a.word == lowerWord) return &a;
    }
    return nullptr;
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::size_t row[16];
    if (b.size() >= 16) return 99;
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string allSeriesNames() {
    std::vector<std::string> names;
    for (SeriesId id = 0; id < series::kCount; ++id) names.push_back(seriesName(id));
    return joinList(names, "and");
}

// ---------------------------------------------------------------------------------------------
// Reading: one pass over the tokens, in the order size, pitch, series, class, hand.

class Reader {
  public:
    Reader(std::string_view input, const Token* tokens, std::size_t count)
        : input_(input), tokens_(tokens), count_(count) {}

    bool parse(Parsed& p) {
        if (!parseSize(p)) return false;
        if (peek().kind == TokenKind::InchMark) next();
        if (!parsePitch(p) || !parseSeries(p) || !parseClass(p) || !parseSti(p) || !parseHand(p))
            return false;
        const Token& rest = peek();
        if (rest.kind != TokenKind::End) {
            const Token& last = tokens_[count_ - 2];
            const std::size_t end = std::size_t{last.offset} + last.length;
            const Span span{rest.offset, end - rest.offset};
            std::string message = "'";
            message += input_.substr(span.offset, span.length);
            message += "' after the designation is not understood";
            return fail(span, std::move(message));
        }
        return true;
    }

    Error takeError() { return std::move(error_); }

  private:
    const Token& peek(std::size_t ahead = 0) const {
        const std::size_t at = pos_ + ahead;
        return at < count_ ? tokens_[at] : tokens_[count_ - 1];
    }
    const Token& next() {
        const Token& t = peek();
        if (pos_ + 1 < count_) ++pos_;
        return t;
    }
    std::string_view text(const Token& t) const { return input_.substr(t.offset, t.length); }
    std::string quoted(Span s) const {
        std::string q = "'";
        q += input_.substr(s.offset, s.length);
        q += "'";
        return q;
    }
    bool isWord(const Token& t, std::string_view lowerWord) const {
        return t.kind == TokenKind::Word && equalsLower(text(t), lowerWord);
    }
    bool fail(Span span, std::string message) {
        error_.message = std::move(message);
        error_.offset = span.offset;
        error_.length = span.length;
        return false;
    }

    // "13/8": sizes over one are written as mixed numbers; a blank left out ("1 3/8") is the
    // likely slip, and reading 13/8 would give another size without a word.
    bool failImproper(Span span, const Token& numeratorToken, std::int64_t numerator,
                      std::int64_t denominator) {
        std::string message = quoted(span) + " is more than one; write it as a mixed number, " +
                              numberText(static_cast<std::size_t>(numerator / denominator));
        if (numerator % denominator != 0) {
            message += ' ' + numberText(static_cast<std::size_t>(numerator % denominator)) + '/' +
                       numberText(static_cast<std::size_t>(denominator));
        }
        const std::string_view digits = text(numeratorToken);
        if (digits.size() >= 2 && digits[0] != '0') {
            std::int64_t rest = 0;
            for (char c : digits.substr(1)) rest = rest * 10 + (c - '0');
            if (rest > 0 && rest < denominator) {
                message += ", or did you mean ";
                message += digits[0];
                message += ' ';
                message += digits.substr(1);
                message += '/';
                message += numberText(static_cast<std::size_t>(denominator));
                message += '?';
            }
        }
        return fail(span, std::move(message));
    }

    // A number, a fraction or a mixed number ("1 1/4", "1¼", and for a size "1-1/4").
    bool readValue(NumberRead& out, bool allowDashMixed) {
        const Token& a = next();
        out.span = spanOf(a);
        if (a.kind == TokenKind::Fraction) {
            out.micro = a.micro;
            out.text.append(numberText(a.numerator));
            out.text.append('/');
            out.text.append(numberText(a.denominator));
            return true;
        }
        const auto appendNumber = [&](const Token& t) {
            for (char c : text(t)) out.text.append(c == ',' ? '.' : c);
        };
        const auto integerOf = [](const Token& t) { return t.micro / kMicro; };
        if (peek().kind == TokenKind::Slash) {
            next();
            const Token& b = next();
            const Span span = cover(out.span, spanOf(b));
            if (!a.integer || b.kind != TokenKind::Number || !b.integer) {
                return fail(span, quoted(span) +
                                      " is not a fraction; a fraction is written with whole "
                                      "numbers, as in 5/16");
            }
            if (b.micro == 0) return fail(span, quoted(span) + " has 0 below the line");
            const std::int64_t numerator = integerOf(a), denominator = integerOf(b);
            if (numerator == 0) return fail(span, quoted(span) + " is zero");
            if (numerator >= denominator) return failImproper(span, a, numerator, denominator);
            out.exact = (numerator * kMicro) % denominator == 0;
            out.micro = numerator * kMicro / denominator;
            out.span = span;
            appendNumber(a);
            out.text.append('/');
            appendNumber(b);
            return true;
        }
        appendNumber(a);
        out.micro = a.micro;
        out.whole = a.integer;
        out.number = a.integer ? static_cast<int>(integerOf(a)) : -1;
        if (!a.integer) return true;
        // A mixed number: the whole number, then a proper fraction.
        std::int64_t numerator = 0, denominator = 0;
        Span end;
        if (peek().kind == TokenKind::Fraction) {
            const Token& f = next();
            numerator = f.numerator;
            denominator = f.denominator;
            end = spanOf(f);
        } else {
            std::size_t k = 0;
            if (peek().kind == TokenKind::Number && peek().spaceBefore) {
                k = 0;
            } else if (allowDashMixed && peek().kind == TokenKind::Dash &&
                       peek(1).kind == TokenKind::Number && peek(3).kind == TokenKind::Number &&
                       peek(3).integer && peek(1).integer && peek(1).micro < peek(3).micro) {
                k = 1;
            } else {
                return true;
            }
            const Token& c = peek(k);
            const Token& bar = peek(k + 1);
            const Token& d = peek(k + 2);
            if (!c.integer || bar.kind != TokenKind::Slash) return true;
            pos_ += k + 3;
            end = spanOf(d);
            const Span span = cover(out.span, end);
            if (d.kind != TokenKind::Number || !d.integer) {
                return fail(span, quoted(span) +
                                      " is not a mixed number; write the fraction with whole "
                                      "numbers, as in 1 1/4");
            }
            numerator = integerOf(c);
            denominator = integerOf(d);
            if (denominator == 0) return fail(span, quoted(span) + " has 0 below the line");
            if (numerator == 0 || numerator >= denominator) {
                return fail(span, quoted(span) +
                                      ": the fraction of a mixed number lies between 0 and 1, "
                                      "as in 1 1/4");
            }
        }
        out.exact = (numerator * kMicro) % denominator == 0;
        out.micro = a.micro + numerator * kMicro / denominator;
        out.whole = false;
        out.number = -1;
        out.span = cover(out.span, end);
        out.text.append(' ');
        out.text.append(numberText(static_cast<std::size_t>(numerator)));
        out.text.append('/');
        out.text.append(numberText(static_cast<std::size_t>(denominator)));
        return true;
    }

    bool parseSize(Parsed& p) {
        SizeAsked& size = p.size;
        const Token& t = peek();
        if (isWord(t, "m") && peek(1).kind == TokenKind::Number) {
            next();
            const Token& n = next();
            size.kind = SizeKind::Metric;
            size.value.micro = n.micro;
            size.value.span = cover(spanOf(t), spanOf(n));
            size.value.text.append('M');
            for (char c : text(n)) size.value.text.append(c == ',' ? '.' : c);
            if (peek().kind == TokenKind::Slash) {
                return fail(cover(size.value.span, spanOf(peek(1))),
                            "a metric size is written in millimetres, as in M10 or M1.6");
            }
            return true;
        }
        if (t.kind == TokenKind::Hash || isWord(t, "no") || isWord(t, "nr")) {
            next();
            if (t.kind == TokenKind::Word && peek().kind == TokenKind::Dot) next();
            const Token& n = next();
            size.kind = SizeKind::Numbered;
            size.value.span = cover(spanOf(t), spanOf(n));
            if (n.kind != TokenKind::Number || !n.integer) {
                return fail(size.value.span,
                            "expected a number size after " + quoted(spanOf(t)) + ", as in #10");
            }
            size.value.micro = n.micro;
            size.value.whole = true;
            size.value.number = static_cast<int>(n.micro / kMicro);
            size.value.text.append('#');
            size.value.text.append(text(n));
            return true;
        }
        if (t.kind == TokenKind::Number || t.kind == TokenKind::Fraction) {
            if (!readValue(size.value, true)) return false;
            size.kind = size.value.whole ? SizeKind::Whole : SizeKind::Value;
            return true;
        }
        if (t.kind == TokenKind::Word) {
            std::string word;
            for (char c : text(t)) word += lower(c);
            if (findAlias(word)) {
                return fail(spanOf(t), "the size comes first, then the series, as in 1/4-20 UNC");
            }
        }
        return fail(spanOf(t), quoted(spanOf(t)) +
                                   " is not a size; a designation starts with its size, as in "
                                   "1/4-20 UNC, #10-32 UNF or M10x1.5");
    }

    static bool isHandSuffix(std::string_view s) {
        return equalsLower(s, "lh") || equalsLower(s, "rh");
    }

    // A number glued to one letter ("6g", "2A", "6gLH"): a class, not a pitch.
    bool looksLikeClass(std::size_t k) const {
        const Token& n = peek(k);
        if (n.kind != TokenKind::Number) return false;
        const Token& w = peek(k + 1);
        if (w.kind != TokenKind::Word || w.spaceBefore) return false;
        const std::string_view s = text(w);
        return s.size() == 1 || (s.size() == 3 && isHandSuffix(s.substr(1)));
    }

    bool parsePitch(Parsed& p) {
        const Token& t = peek();
        const bool separator = t.kind == TokenKind::Dash || t.kind == TokenKind::Times;
        const std::size_t k = separator ? 1 : 0;
        const Token& n = peek(k);
        if (n.kind != TokenKind::Number && n.kind != TokenKind::Fraction) {
            if (t.kind == TokenKind::Times) {
                return fail(spanOf(t), "expected the pitch after 'x', as in M10x1.25");
            }
            return true;
        }
        if ((!separator && !n.spaceBefore) || looksLikeClass(k)) return true;
        pos_ += k;
        p.pitch.present = true;
        p.pitch.afterTimes = t.kind == TokenKind::Times;
        if (!readValue(p.pitch.value, false)) return false;
        if (p.size.kind == SizeKind::Metric && isWord(peek(), "mm")) next();
        return true;
    }

    // "LH" or "RH" glued to the end of a word ("2ALH", "UNCLH"), from `from` on.
    bool takeHandSuffix(const Token& w, std::size_t from, Parsed& p) {
        const std::string_view rest = text(w).substr(from);
        if (!isHandSuffix(rest)) return false;
        p.hand.present = true;
        p.hand.hand = lower(rest[0]) == 'l' ? Hand::Left : Hand::Right;
        p.hand.span = Span{w.offset + from, 2};
        return true;
    }

    bool isHandOrClassWord(const Token& t) const {
        return isWord(t, "lh") || isWord(t, "rh") || isWord(t, "left") || isWord(t, "right") ||
               isWord(t, "class") || isWord(t, "cl") || isWord(t, "sti");
    }

    bool parseSeries(Parsed& p) {
        const std::size_t k = peek().kind == TokenKind::Dash ? 1 : 0;
        const Token& w = peek(k);
        if (w.kind != TokenKind::Word) return true;
        if (isHandOrClassWord(w)) return true;
        ShortText first;
        for (char c : text(w)) first.append(lower(c));
        // Two words: "STUB ACME", "ISO FINE", "UNC-STI".
        const std::size_t k2 = peek(k + 1).kind == TokenKind::Dash ? k + 2 : k + 1;
        const Token& w2 = peek(k2);
        if (w2.kind == TokenKind::Word) {
            ShortText joined = first;
            for (char c : text(w2)) joined.append(lower(c));
            if (isTwoWordAlias(joined.view())) {
                const Alias* a = findAlias(joined.view());
                pos_ += k2 + 1;
                p.series = {a->group, a->id, cover(spanOf(w), spanOf(w2))};
                return true;
            }
        }
        if (const Alias* a = findAlias(first.view())) {
            pos_ += k + 1;
            p.series = {a->group, a->id, spanOf(w)};
            return true;
        }
        // The hand glued to the series: "UNCLH".
        if (first.size() > 2) {
            if (const Alias* a = findAlias(first.view().substr(0, first.size() - 2))) {
                if (takeHandSuffix(w, first.size() - 2, p)) {
                    pos_ += k + 1;
                    p.series = {a->group, a->id, Span{w.offset, first.size() - 2u}};
                    return true;
                }
            }
        }
        return failUnknownSeries(w, first.view());
    }

    bool failUnknownSeries(const Token& w, std::string_view word) {
        std::string message = quoted(spanOf(w)) + " is not a thread series";
        const std::string_view kRounded[][2] = {
            {"unrc", "UNC"}, {"unrf", "UNF"}, {"unref", "UNEF"}, {"unr", "UN"}, {"unrs", "UNS"}};
        for (const auto& r : kRounded) {
            if (word == r[0]) {
                message += "; it differs from ";
                message += r[1];
                message += " only in the rounded root of the external thread: write ";
                message += r[1];
                return fail(spanOf(w), std::move(message));
            }
        }
        const Alias* best = nullptr;
        std::size_t bestDistance = 99;
        for (const Alias& a : kAliases) {
            const std::size_t d = editDistance(word, a.word);
            if (d < bestDistance) {
                bestDistance = d;
                best = &a;
            }
        }
        const std::size_t allowed = word.size() <= 3 ? 1 : 2;
        if (best && bestDistance <= allowed) {
            message += "; did you mean ";
            message += best->group == SeriesGroup::One   ? seriesName(best->id)
                       : best->group == SeriesGroup::Sti ? std::string("STI")
                                                         : std::string("ISO");
            message += '?';
        } else {
            message += "; the series are " + allSeriesNames();
        }
        return fail(spanOf(w), std::move(message));
    }

    bool parseClassPart(ClassPart& part, Parsed& p) {
        const Token& n = next();
        part.span = spanOf(n);
        if (!n.integer || n.micro >= 10 * kMicro) {
            return fail(part.span, quoted(part.span) +
                                       " is not a class; a class is a grade and a letter, as in "
                                       "2A, 6g or 2G");
        }
        part.grade = static_cast<std::uint8_t>(n.micro / kMicro);
        const Token& w = peek();
        if (w.kind != TokenKind::Word || w.spaceBefore) return true;  // NPTF class 1 or 2
        next();
        part.span = cover(part.span, spanOf(w));
        part.letter = text(w)[0];
        if (text(w).size() > 1) {
            if (!takeHandSuffix(w, 1, p)) {
                return fail(part.span, quoted(part.span) +
                                           " is not a class; a class is a grade and a letter, "
                                           "as in 2A, 6g or 2G");
            }
            return true;
        }
        // ISO: the crest-diameter grade after the pitch-diameter grade, "5g6g".
        const Token& n2 = peek();
        const Token& w2 = peek(1);
        if (n2.kind == TokenKind::Number && !n2.spaceBefore && n2.integer &&
            n2.micro < 10 * kMicro && w2.kind == TokenKind::Word && !w2.spaceBefore) {
            next();
            next();
            part.span = cover(part.span, spanOf(w2));
            part.crestGrade = static_cast<std::uint8_t>(n2.micro / kMicro);
            part.crestLetter = text(w2)[0];
            if (text(w2).size() > 1 && !takeHandSuffix(w2, 1, p)) {
                return fail(part.span, quoted(part.span) + " is not a class");
            }
        }
        return true;
    }

    bool parseClass(Parsed& p) {
        std::size_t k = peek().kind == TokenKind::Dash ? 1 : 0;
        const Token& intro = peek(k);
        const bool introduced = isWord(intro, "class") || isWord(intro, "cl");
        if (introduced) {
            ++k;
            if (peek(k).kind == TokenKind::Dot) ++k;
        }
        if (peek(k).kind != TokenKind::Number) {
            if (introduced) {
                return fail(spanOf(intro),
                            "expected a class after " + quoted(spanOf(intro)) + ", as in class 2A");
            }
            return true;
        }
        pos_ += k;
        ClassesNamed& c = p.cls;
        if (!parseClassPart(c.parts[0], p)) return false;
        c.count = 1;
        c.span = c.parts[0].span;
        if (peek().kind == TokenKind::Slash && !p.hand.present) {
            const Token& bar = next();
            if (peek().kind != TokenKind::Number) {
                return fail(cover(spanOf(bar), spanOf(peek())),
                            "expected a second class after '/', as in 2A/2B or 6H/6g");
            }
            if (!parseClassPart(c.parts[1], p)) return false;
            c.count = 2;
            c.span = cover(c.span, c.parts[1].span);
        }
        return true;
    }

    // "STI" after the class: "1/4-20 UNC-2B STI".
    bool parseSti(Parsed& p) {
        const std::size_t k = peek().kind == TokenKind::Dash ? 1 : 0;
        const Token& w = peek(k);
        if (!isWord(w, "sti")) return true;
        SeriesNamed& s = p.series;
        if (s.group == SeriesGroup::None) {
            s = {SeriesGroup::Sti, -1, spanOf(w)};
        } else if (s.group == SeriesGroup::One && s.id == series::UNC) {
            s = {SeriesGroup::One, series::UNC_STI, cover(s.span, spanOf(w))};
        } else if (s.group == SeriesGroup::One && s.id == series::UNF) {
            s = {SeriesGroup::One, series::UNF_STI, cover(s.span, spanOf(w))};
        } else if (!(s.group == SeriesGroup::Sti ||
                     (s.group == SeriesGroup::One &&
                      (s.id == series::UNC_STI || s.id == series::UNF_STI)))) {
            return fail(spanOf(w), "STI follows UNC or UNF, as in 1/4-20 UNC-STI");
        }
        pos_ += k + 1;
        return true;
    }

    bool parseHand(Parsed& p) {
        const std::size_t k = peek().kind == TokenKind::Dash ? 1 : 0;
        const Token& w = peek(k);
        const bool left = isWord(w, "lh") || isWord(w, "left");
        const bool right = isWord(w, "rh") || isWord(w, "right");
        if (!left && !right) return true;
        if (p.hand.present) return fail(spanOf(w), "the hand is given twice");
        pos_ += k + 1;
        p.hand = {true, left ? Hand::Left : Hand::Right, spanOf(w)};
        if (isWord(w, "left") || isWord(w, "right")) {
            const std::size_t h = peek().kind == TokenKind::Dash ? 1 : 0;
            if (isWord(peek(h), "hand")) {
                p.hand.span = cover(p.hand.span, spanOf(peek(h)));
                pos_ += h + 1;
            }
        }
        return true;
    }

    std::string_view input_;
    const Token* tokens_;
    std::size_t count_;
    std::size_t pos_ = 0;
    Error error_;
};

// ---------------------------------------------------------------------------------------------
// Canonical text

template <std::size_t N>
void appendClasses(FixedText<N>& out, SeriesId id, const std::optional<ThreadClass>& external,
                   const std::optional<ThreadClass>& internal) {
    const SeriesFamily family = seriesById(id).family;
    const bool oneForBoth = family == SeriesFamily::Acme || id == series::NPTF;
    if (external && internal) {
        out.append('-');
        if (oneForBoth) {
            out.append(external->text().view());
        } else if (family == SeriesFamily::IsoMetric) {
            out.append(internal->text().view());
            out.append('/');
            out.append(external->text().view());
        } else {
            out.append(external->text().view());
            out.append('/');
            out.append(internal->text().view());
        }
    } else if (external) {
        out.append('-');
        out.append(external->text().view());
    } else if (internal) {
        out.append('-');
        out.append(internal->text().view());
    }
}

// A special inch size as its series' table writes sizes: a fraction in 64ths or a mixed number
// ("11/16", "1 3/16") where the size is one, else four decimals or more (".3950"); UNJ always
// in decimals. A whole number that would read back as a number size keeps its decimals
// ("1.0000-28 UNS"), so that the text reads back to the same size.
template <std::size_t N>
void appendInchSize(FixedText<N>& out, SeriesId id, std::int64_t micro, std::int64_t pitch) {
    if (seriesById(id).family != SeriesFamily::UNJ && (micro * 64) % kMicro == 0) {
        const std::int64_t whole = micro / kMicro;
        std::int64_t numerator = (micro % kMicro) * 64 / kMicro;
        std::int64_t denominator = 64;
        while (numerator != 0 && numerator % 2 == 0) {
            numerator /= 2;
            denominator /= 2;
        }
        char buffer[24];
        const auto put = [&](std::int64_t v) {
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
            out.append(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
        };
        if (numerator != 0) {
            if (whole > 0) {
                put(whole);
                out.append(' ');
            }
            put(numerator);
            out.append('/');
            put(denominator);
            return;
        }
        const bool readsAsNumberSize =
            detail::hasNumberSizes(id) && whole <= 12 && pitch >= 24 * kMicro;
        if (!readsAsNumberSize) {
            put(whole);
            return;
        }
    }
    appendMicro(out, micro, 4, true);
}

void writeCanonical(Designation& d, std::int64_t specialSize, std::int64_t specialPitch) {
    CanonicalText& out = d.canonical;
    out = CanonicalText{};
    const ThreadSeries& s = seriesById(d.series);
    if (d.sizeIndex >= 0) {
        const SizeEntry& e = s.sizeTable->rows[d.sizeIndex];
        out.append(e.designation);
        switch (s.family) {
            case SeriesFamily::IsoMetric:
                if (d.series == series::ISO_FINE) {
                    out.append('x');
                    out.append(e.pitchText);
                }
                break;
            case SeriesFamily::UNM:
            case SeriesFamily::BA:
                out.append(' ');
                out.append(s.name);
                break;
            default:
                out.append('-');
                out.append(e.pitchText);
                out.append(' ');
                out.append(s.name);
                break;
        }
    } else if (s.family == SeriesFamily::IsoMetric) {
        out.append('M');
        appendMicro(out, specialSize, 0, false);
        out.append('x');
        appendMicro(out, specialPitch, 0, false);
    } else {
        appendInchSize(out, d.series, specialSize, specialPitch);
        out.append('-');
        appendMicro(out, specialPitch, 0, false);
        out.append(' ');
        out.append(s.name);
    }
    appendClasses(out, d.series, d.externalClass, d.internalClass);
    if (d.hand == Hand::Left) out.append("-LH");
}

// ---------------------------------------------------------------------------------------------
// Classes

class ClassRules {
  public:
    ClassRules(std::string_view input, const ClassesNamed& named) : input_(input), named_(named) {}

    // Checks the classes against the series and sets them; false with `error` set otherwise.
    bool apply(SeriesId id, Designation& d, Error& error) {
        if (named_.count == 0) return true;
        error_ = &error;
        switch (seriesById(id).family) {
            case SeriesFamily::Unified:
            case SeriesFamily::UNS:
            case SeriesFamily::UNJ:
            case SeriesFamily::ThreadInsert:
                return unified(id, d);
            case SeriesFamily::Acme:
                return acme(id, d);
            case SeriesFamily::IsoMetric:
                return iso(d);
            case SeriesFamily::TaperPipe:
                if (id == series::NPTF) return nptf(d);
                return fail(named_.span, "NPT takes no class (NPTF has classes 1 and 2)");
            default:
                return fail(named_.span, seriesName(id) + " takes no class");
        }
    }

  private:
    std::string quoted(Span s) const {
        std::string q = "'";
        q += input_.substr(s.offset, s.length);
        q += "'";
        return q;
    }
    bool fail(Span span, std::string message) {
        error_->message = std::move(message);
        error_->offset = span.offset;
        error_->length = span.length;
        return false;
    }

    bool unified(SeriesId id, Designation& d) {
        const SeriesFamily family = seriesById(id).family;
        const int lowest = family == SeriesFamily::UNJ            ? 3
                           : family == SeriesFamily::ThreadInsert ? 2
                                                                  : 1;
        const int highest = 3;
        const bool externalAllowed = family != SeriesFamily::ThreadInsert;
        const auto rule = [&]() -> std::string {
            if (family == SeriesFamily::UNJ)
                return "UNJ threads have the classes 3A (external) and 3B (internal)";
            if (family == SeriesFamily::ThreadInsert)
                return "a thread-insert tapping is an internal thread of class 2B or 3B";
            return "the classes of " + seriesName(id) +
                   " are 1A, 2A, 3A (external) and 1B, 2B, 3B (internal)";
        };
        for (int i = 0; i < named_.count; ++i) {
            const ClassPart& part = named_.parts[i];
            const char letter = lower(part.letter);
            const bool valid = (letter == 'a' || letter == 'b') && part.crestGrade == 0 &&
                               part.grade >= lowest && part.grade <= highest &&
                               (externalAllowed || letter == 'b');
            if (!valid) {
                return fail(part.span, quoted(part.span) + " is not a class here: " + rule());
            }
            std::optional<ThreadClass>& slot = letter == 'a' ? d.externalClass : d.internalClass;
            if (slot) {
                return fail(named_.span, quoted(named_.span) + " names two " +
                                             (letter == 'a' ? "external" : "internal") +
                                             " classes; a pair is one of each, as in 2A/2B");
            }
            slot = ThreadClass{part.grade, upper(letter), 0};
        }
        return true;
    }

    bool acme(SeriesId id, Designation& d) {
        const bool stub = id == series::STUB_ACME;
        const char* const rule = stub ? "STUB ACME has the one class 2G"
                                      : "the Acme classes are 2G to 5G (general purpose) and 2C "
                                        "to 6C (centralizing)";
        if (named_.count != 1) {
            return fail(named_.span, "an Acme class applies to both threads; write one, as in 2G");
        }
        const ClassPart& part = named_.parts[0];
        const char letter = lower(part.letter);
        const bool valid = part.crestGrade == 0 &&
                           ((letter == 'g' && part.grade >= 2 && part.grade <= (stub ? 2 : 5)) ||
                            (letter == 'c' && !stub && part.grade >= 2 && part.grade <= 6));
        if (!valid) return fail(part.span, quoted(part.span) + " is not a class here: " + rule);
        d.externalClass = d.internalClass = ThreadClass{part.grade, upper(letter), 0};
        return true;
    }

    bool nptf(Designation& d) {
        const ClassPart& part = named_.parts[0];
        if (named_.count != 1 || part.letter != 0 || part.grade < 1 || part.grade > 2) {
            return fail(named_.span, quoted(named_.span) +
                                         " is not a class here: NPTF has classes 1 and 2, as in "
                                         "1/8-27 NPTF-1");
        }
        d.externalClass = d.internalClass = ThreadClass{part.grade, 0, 0};
        return true;
    }

    // ISO tolerance classes: external pitch grades 3 to 9 with major-diameter grades 4, 6 and
    // 8; internal pitch and minor-diameter grades 4 to 8; positions e, f, g, h and G, H.
    bool iso(Designation& d) {
        bool external[2] = {};
        for (int i = 0; i < named_.count; ++i) {
            const ClassPart& part = named_.parts[i];
            const char letter = lower(part.letter);
            if (letter != 'e' && letter != 'f' && letter != 'g' && letter != 'h') {
                return fail(part.span,
                            quoted(part.span) +
                                " is not an ISO tolerance class: its letter is e, f, g, h "
                                "(external) or G, H (internal), as in 6g or 6H");
            }
            if (part.crestGrade != 0 && part.crestLetter != part.letter) {
                return fail(part.span, quoted(part.span) +
                                           " is not an ISO tolerance class: both grades take "
                                           "the same letter, as in 5g6g");
            }
            external[i] = letter == 'e' || letter == 'f' || part.letter == letter;
        }
        if (named_.count == 2 && external[0] == external[1]) {
            const auto caseFree = [](char c) { return lower(c) == 'g' || lower(c) == 'h'; };
            if (!caseFree(named_.parts[0].letter) || !caseFree(named_.parts[1].letter)) {
                return fail(named_.span, quoted(named_.span) + " names two " +
                                             (external[0] ? "external" : "internal") +
                                             " classes; a fit is written internal/external, as "
                                             "in 6H/6g");
            }
            external[0] = false;  // a fit is written internal/external
            external[1] = true;
        }
        for (int i = 0; i < named_.count; ++i) {
            const ClassPart& part = named_.parts[i];
            const std::uint8_t crest = part.crestGrade ? part.crestGrade : part.grade;
            if (external[i]) {
                if (part.grade < 3 || part.grade > 9) {
                    return fail(part.span, quoted(part.span) +
                                               ": the pitch-diameter grades of an external "
                                               "thread run from 3 to 9");
                }
                if (crest != 4 && crest != 6 && crest != 8) {
                    std::string message = quoted(part.span) +
                                          ": the major-diameter grades of an external thread "
                                          "are 4, 6 and 8";
                    if (part.crestGrade == 0) {
                        message += ", as in ";
                        message += static_cast<char>('0' + part.grade);
                        message += lower(part.letter);
                        message += "6";
                        message += lower(part.letter);
                    }
                    return fail(part.span, std::move(message));
                }
                d.externalClass = ThreadClass{part.grade, lower(part.letter), crest};
            } else {
                if (part.grade < 4 || part.grade > 8 || crest < 4 || crest > 8) {
                    return fail(part.span, quoted(part.span) +
                                               ": the grades of an internal thread run from 4 "
                                               "to 8");
                }
                d.internalClass = ThreadClass{part.grade, upper(part.letter), crest};
            }
        }
        return true;
    }

    std::string_view input_;
    const ClassesNamed& named_;
    Error* error_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Resolving: the size tables, special sizes and the errors that name the nearest sizes

struct Hit {
    SeriesId series = -1;
    int row = -1;
};

struct SeriesList {
    SeriesId ids[series::kCount] = {};
    int count = 0;
    void add(SeriesId id) { ids[count++] = id; }
    bool contains(SeriesId id) const { return std::find(ids, ids + count, id) != ids + count; }
};

std::string canonicalOf(Hit h) {
    return std::string(ofSize(h.series, h.row).canonical.view());
}

class Resolver {
  public:
    Resolver(std::string_view input, const Parsed& p, const ReadOptions& options)
        : input_(input), p_(p), options_(options) {}

    Result resolve() {
        chooseSeries();
        if (!checkSizeKind()) return std::move(error_);
        search();
        Hit hit;
        if (total_ == 1) {
            hit = first_;
        } else if (total_ > 1) {
            if (isValidSeries(options_.preferredSeries) && preferredCount_ == 1) {
                hit = preferred_;
            } else if (p_.series.group == SeriesGroup::None && gradedCount_ == 1) {
                hit = graded_;
            } else {
                return ambiguous();
            }
        } else {
            const SeriesId target = specialTarget();
            if (target >= 0 && p_.pitch.present) return special(target);
            return notTabulated(target);
        }
        Designation d;
        d.series = hit.series;
        d.sizeIndex = hit.row;
        return finish(d, 0, 0);
    }

  private:
    bool metricDesignation() const {
        return p_.size.kind == SizeKind::Metric || p_.series.group == SeriesGroup::Iso ||
               (p_.series.group == SeriesGroup::One && isMetric(p_.series.id));
    }

    void chooseSeries() {
        const SeriesNamed& s = p_.series;
        if (metricDesignation() && (p_.pitch.present || s.group != SeriesGroup::One)) {
            // The pitch tells coarse from fine; without it "M10" is coarse.
            series_.add(series::ISO_COARSE);
            series_.add(series::ISO_FINE);
        } else if (s.group == SeriesGroup::One) {
            series_.add(s.id);
        } else if (s.group == SeriesGroup::Sti) {
            series_.add(series::UNC_STI);
            series_.add(series::UNF_STI);
        } else {
            for (SeriesId id = 0; id < series::kCount; ++id) {
                if (seriesById(id).pitchUnit == PitchUnit::ThreadsPerInch) series_.add(id);
            }
        }
    }

    bool fail(Span span, std::string message) {
        error_.message = std::move(message);
        error_.offset = span.offset;
        error_.length = span.length;
        return false;
    }

    const Span& sizeSpan() const { return p_.size.value.span; }
    Span askedSpan() const {
        return p_.pitch.present ? cover(sizeSpan(), p_.pitch.value.span) : sizeSpan();
    }

    // The size and pitch as asked, for messages: "1/4-21", "M10x1", "#10-30".
    std::string asked() const {
        std::string text(p_.size.value.text.view());
        if (p_.pitch.present) {
            text += metricDesignation() || p_.pitch.afterTimes ? 'x' : '-';
            text += p_.pitch.value.text.view();
        }
        return text;
    }

    std::string namedSeries() const {
        switch (p_.series.group) {
            case SeriesGroup::One:
                return seriesName(p_.series.id);
            case SeriesGroup::Sti:
                return "STI";
            case SeriesGroup::Iso:
                return "ISO";
            default:
                return "";
        }
    }

    bool checkSizeKind() {
        const SizeAsked& size = p_.size;
        const SeriesNamed& s = p_.series;
        const bool named = s.group == SeriesGroup::One || s.group == SeriesGroup::Sti;
        const SeriesId id = s.group == SeriesGroup::Sti ? series::UNC_STI : s.id;
        if (size.kind == SizeKind::Metric && named && !isMetric(id)) {
            std::string message = std::string(size.value.text.view()) + " is a metric size; ";
            if (id == series::UNM) {
                message += "UNM sizes are written in millimetres without M, as in 0.30 UNM";
            } else if (id == series::BA) {
                message += "BA sizes are numbers, as in 2 BA";
            } else {
                message += namedSeries() + " sizes are in inches";
            }
            return fail(sizeSpan(), std::move(message));
        }
        if (size.kind == SizeKind::Numbered) {
            if (named && id == series::BA) return true;
            if ((named || s.group == SeriesGroup::Iso) &&
                (s.group == SeriesGroup::Iso || !detail::hasNumberSizes(id))) {
                return fail(sizeSpan(), std::string(size.value.text.view()) +
                                            " is a number size; " + namedSeries() + " has none");
            }
            if (size.value.number > 12) {
                return fail(sizeSpan(), "number sizes run from 0 to 12; " +
                                            std::string(size.value.text.view()) + " is none");
            }
        }
        return true;
    }

    // The values the size can stand for in a series: inches or millimetres, and for a whole
    // number up to 12 also the number size.
    int sizeValues(SeriesId id, std::int64_t values[2]) const {
        const SizeAsked& size = p_.size;
        switch (size.kind) {
            case SizeKind::Numbered:
                values[0] =
                    id == series::BA ? size.value.micro : numberSizeDiameter(size.value.number);
                return 1;
            case SizeKind::Whole:
                values[0] = size.value.micro;
                if (detail::hasNumberSizes(id) && size.value.number <= 12) {
                    values[1] = numberSizeDiameter(size.value.number);
                    return 2;
                }
                return 1;
            default:
                values[0] = size.value.micro;
                return size.value.exact ? 1 : 0;
        }
    }

    bool sizeMatches(SeriesId id, const RowValues& row) const {
        std::int64_t values[2];
        const int n = sizeValues(id, values);
        for (int i = 0; i < n; ++i) {
            if (row.size == values[i]) return true;
        }
        return false;
    }

    bool pitchMatches(const RowValues& row) const {
        return !p_.pitch.present || (p_.pitch.value.exact && row.pitch == p_.pitch.value.micro);
    }

    void search() {
        for (int i = 0; i < series_.count; ++i) {
            const SeriesId id = series_.ids[i];
            if (id == series::ISO_FINE && !p_.pitch.present && total_ > 0) break;
            const auto rows = rowsOf(id);
            for (std::size_t r = 0; r < rows.size(); ++r) {
                if (!sizeMatches(id, rows[r]) || !pitchMatches(rows[r])) continue;
                const Hit h{id, static_cast<int>(r)};
                if (total_ == 0) first_ = h;
                if (total_ < kKept) hits_[total_] = h;
                ++total_;
                if (id == options_.preferredSeries) {
                    preferred_ = h;
                    ++preferredCount_;
                }
                if (isGradedSeries(id)) {
                    graded_ = h;
                    ++gradedCount_;
                }
            }
        }
    }

    Result ambiguous() {
        const int listed = std::min(total_, kKept);
        for (int i = 0; i < listed; ++i) error_.nearest.push_back(canonicalOf(hits_[i]));
        std::vector<std::string> names;
        for (int i = 0; i < listed; ++i) {
            const std::string name = seriesName(hits_[i].series);
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
        std::string message;
        std::string list = joinList(error_.nearest, "and");
        if (total_ > listed) list += " and " + numberText(total_ - listed) + " more";
        if (names.size() == 1 || p_.series.group != SeriesGroup::None) {
            const std::string series = names.size() == 1 ? names[0] : namedSeries();
            message = asked() + ' ' + series + " names " + numberText(total_) + " sizes: " + list +
                      "; give the pitch";
        } else {
            if (total_ > listed) names.push_back("others");
            message = asked() + " is tabulated in " + joinList(names, "and") + "; " +
                      (p_.pitch.present ? "name the series" : "give the pitch and the series") +
                      ", as in " + error_.nearest[0];
        }
        fail(askedSpan(), std::move(message));
        return std::move(error_);
    }

    // The series in which a size no table holds is computed: -1 where there is none.
    SeriesId specialTarget() const {
        if (metricDesignation()) return series::ISO_FINE;
        if (p_.series.group != SeriesGroup::One) return -1;
        switch (p_.series.id) {
            case series::UNS:
            case series::UN:
            case series::UNJ:
            case series::ACME:
            case series::STUB_ACME:
                return p_.series.id;
            default:
                return -1;
        }
    }

    Result special(SeriesId target) {
        std::int64_t diameter = 0;
        if (!specialSize(target, diameter, true)) return std::move(error_);
        const std::int64_t pitch = p_.pitch.value.micro;
        Designation result;
        result.series = target;
        result.special = SpecialSize{static_cast<double>(diameter) / static_cast<double>(kMicro),
                                     static_cast<double>(pitch) / static_cast<double>(kMicro)};
        return finish(result, diameter, pitch);
    }

    // Whether the size and pitch asked make a special size of `target`, and its diameter; the
    // error says why not when `report`.
    bool specialSize(SeriesId target, std::int64_t& diameter, bool report) {
        const auto reject = [&](Span span, std::string message) {
            if (report) fail(span, std::move(message));
            return false;
        };
        const SizeAsked& size = p_.size;
        const NumberRead& pitch = p_.pitch.value;
        const bool metric = isMetric(target);
        diameter = size.value.micro;
        if (size.kind == SizeKind::Numbered) {
            diameter = numberSizeDiameter(size.value.number);
        } else if (size.kind == SizeKind::Whole && !metric && detail::hasNumberSizes(target) &&
                   size.value.number <= 12) {
            // No table row tells: the pitch does, where only one reading is a thread.
            const int n = size.value.number;
            const bool numberFits = pitch.micro >= 24 * kMicro;
            const bool inchFits = n >= 1 && n <= 6 && pitch.micro <= 32 * kMicro;
            if (numberFits && inchFits) {
                const std::string p(pitch.text.view());
                return reject(askedSpan(),
                              "'" + asked() + "' may be number size " + numberText(n) + " or " +
                                  numberText(n) + (n == 1 ? " inch" : " inches") + ": write #" +
                                  numberText(n) + "-" + p + " " + seriesName(target) + " or " +
                                  numberText(n) + ".0000-" + p + " " + seriesName(target));
            }
            if (numberFits || n == 0) diameter = numberSizeDiameter(n);
        }
        if (!size.value.exact) {
            return reject(sizeSpan(),
                          "a special size is written as a decimal of at most six places; " +
                              std::string(size.value.text.view()) + " has none");
        }
        if (!pitch.exact) {
            return reject(pitch.span, "a pitch is written as a decimal of at most six places; " +
                                          std::string(pitch.text.view()) + " has none");
        }
        if (diameter == 0 || pitch.micro == 0) {
            return reject(
                diameter == 0 ? sizeSpan() : pitch.span,
                std::string(diameter == 0 ? "a size" : "a pitch") + " of zero is no thread");
        }
        if (target == series::UN && !isConstantPitch(pitch.micro)) {
            if (report) error_.specialSeries.push_back(series::UNS);
            return reject(pitch.span,
                          "UN has the constant pitches 4, 6, 8, 12, 16, 20, 28 and 32 threads "
                          "per inch; " +
                              asked() + " can be computed as a special size in UNS");
        }
        // The pitch of a thread is at most half its diameter (M1 0.25, 1/4-16 ACME and No. 1-64
        // come nearest among the tabulated sizes).
        const double pitchLength =
            metric ? static_cast<double>(pitch.micro) : 1e12 / static_cast<double>(pitch.micro);
        if (2.0 * pitchLength > static_cast<double>(diameter)) {
            return reject(askedSpan(),
                          "'" + asked() + "': the pitch is more than half the diameter");
        }
        return true;
    }

    Result finish(Designation& d, std::int64_t specialSize, std::int64_t specialPitch) {
        ClassRules rules(input_, p_.cls);
        if (!rules.apply(d.series, d, error_)) return std::move(error_);
        d.hand = p_.hand.hand;
        writeCanonical(d, specialSize, specialPitch);
        return d;
    }

    // Series where the size asked could be computed, for the error of a series that holds
    // only its tabulated sizes.
    void specialSeriesFor(SeriesId target) {
        std::vector<SeriesId>& out = error_.specialSeries;
        if (target >= 0) {
            out.push_back(target);
            return;
        }
        if (!p_.size.value.exact || p_.size.kind == SizeKind::Metric) return;
        const SeriesNamed& s = p_.series;
        const SeriesFamily family =
            s.group == SeriesGroup::One ? seriesById(s.id).family : SeriesFamily::Unified;
        if (s.group == SeriesGroup::Sti) return;
        SeriesId candidates[2] = {-1, -1};
        if (family == SeriesFamily::Unified) {
            candidates[0] = series::UN;
            candidates[1] = series::UNS;
        } else if (family == SeriesFamily::UNJ) {
            candidates[1] = series::UNJ;
        }
        for (const SeriesId id : candidates) {
            if (id < 0) continue;
            std::int64_t diameter = 0;
            // Without a pitch, the series where it could be computed once the pitch is given.
            if (p_.pitch.present ? specialSize(id, diameter, false) : id != series::UN) {
                out.push_back(id);
            }
        }
    }

    // Distance of a row's size from the size asked (signed, in the row's unit).
    bool sizeDistance(SeriesId id, const RowValues& row, std::int64_t& distance) const {
        std::int64_t values[2];
        const int n = sizeValues(id, values);
        if (n == 0) {
            values[0] = p_.size.value.micro;  // an inexact fraction, near enough to compare
        }
        bool found = false;
        for (int i = 0; i < std::max(n, 1); ++i) {
            const std::int64_t d = row.size - values[i];
            if (!found || std::llabs(d) < std::llabs(distance)) distance = d;
            found = true;
        }
        return found;
    }

    std::int64_t pitchDistance(const RowValues& row) const {
        return p_.pitch.present ? std::llabs(row.pitch - p_.pitch.value.micro) : 0;
    }

    // The nearest tabulated sizes in the series searched: the same size with other pitches,
    // or the nearest sizes below and above.
    std::vector<Hit> nearestSizes(const SeriesList& within, std::vector<Hit>& sameSize) const {
        struct Scored {
            Hit hit;
            std::int64_t distance;
            std::int64_t pitch;
        };
        std::vector<Scored> rows;
        for (int i = 0; i < within.count; ++i) {
            const SeriesId id = within.ids[i];
            const auto values = rowsOf(id);
            for (std::size_t r = 0; r < values.size(); ++r) {
                std::int64_t distance = 0;
                if (!sizeDistance(id, values[r], distance)) continue;
                rows.push_back({{id, static_cast<int>(r)}, distance, pitchDistance(values[r])});
            }
        }
        std::vector<Hit> nearest;
        std::vector<Scored> same;
        for (const Scored& s : rows) {
            if (s.distance == 0 && p_.size.value.exact) same.push_back(s);
        }
        std::stable_sort(same.begin(), same.end(),
                         [](const Scored& a, const Scored& b) { return a.pitch < b.pitch; });
        for (const Scored& s : same) sameSize.push_back(s.hit);
        for (std::size_t i = 0; i < same.size() && i < 4; ++i) nearest.push_back(same[i].hit);
        if (!nearest.empty()) return nearest;
        // The nearest size below and above, each with the pitch nearest the one asked.
        for (const bool below : {true, false}) {
            const Scored* best = nullptr;
            for (const Scored& s : rows) {
                if (below ? s.distance >= 0 : s.distance <= 0) continue;
                if (!best || std::llabs(s.distance) < std::llabs(best->distance) ||
                    (s.distance == best->distance && s.pitch < best->pitch)) {
                    best = &s;
                }
            }
            if (best) nearest.push_back(best->hit);
        }
        return nearest;
    }

    Result notTabulated(SeriesId target) {
        const SeriesNamed& s = p_.series;
        const bool none = s.group == SeriesGroup::None && !metricDesignation();
        SeriesList within;
        if (none) {  // the graded series say best what a size without series would be
            for (const SeriesId id : {series::UNC, series::UNF, series::UNEF}) within.add(id);
        } else if (s.group == SeriesGroup::One && !metricDesignation()) {
            within.add(s.id);
        } else {
            within = series_;
        }
        std::vector<Hit> sameSize;
        const std::vector<Hit> nearest = nearestSizes(within, sameSize);
        for (const Hit h : nearest) error_.nearest.push_back(canonicalOf(h));

        // The same size and pitch in another series: "1/4-28 is a UNF size".
        std::vector<std::string> elsewhere;
        if (p_.pitch.present && !none && !metricDesignation()) {
            for (SeriesId id = 0; id < series::kCount; ++id) {
                if (within.contains(id) || seriesById(id).pitchUnit != PitchUnit::ThreadsPerInch)
                    continue;
                const auto rows = rowsOf(id);
                for (std::size_t r = 0; r < rows.size(); ++r) {
                    if (sizeMatches(id, rows[r]) && pitchMatches(rows[r])) {
                        const std::string c = canonicalOf({id, static_cast<int>(r)});
                        error_.nearest.insert(
                            error_.nearest.begin() + static_cast<std::ptrdiff_t>(elsewhere.size()),
                            c);
                        elsewhere.push_back(seriesName(id));
                        break;
                    }
                }
            }
        }
        specialSeriesFor(target);

        std::string message;
        Span span = askedSpan();
        const std::string what = asked();
        if (none) {
            message = "no size table holds " + what;
            const std::string_view size = p_.size.value.text.view();
            if (p_.pitch.afterTimes && size.find_first_of("/ ") == std::string_view::npos) {
                message += "; a metric size is written with M, as in M";
                message += size;
                message += 'x';
                message += p_.pitch.value.text.view();
            }
        } else if (metricDesignation() && s.group != SeriesGroup::One) {
            message = what + " is in neither metric table";
        } else {
            message = namedSeries() + " has no " + what;
            if (!p_.pitch.present && sameSize.empty()) message += " size";
        }
        if (!none && s.group == SeriesGroup::One && !sameSize.empty() && p_.pitch.present) {
            // "1/4 UNC is 20 threads per inch"
            const SizeTable& table = *seriesById(s.id).sizeTable;
            std::vector<std::string> pitches;
            for (const Hit h : sameSize) {
                const std::string text = table.rows[h.row].pitchText;
                if (std::find(pitches.begin(), pitches.end(), text) == pitches.end())
                    pitches.push_back(text);
            }
            std::sort(pitches.begin(), pitches.end(),
                      [](const std::string& a, const std::string& b) {
                          return pitchTextValue(a) < pitchTextValue(b);
                      });
            message += "; ";
            message += table.rows[sameSize.front().row].designation;
            message += ' ' + namedSeries() + " is " + joinList(pitches, "or");
            message += seriesById(s.id).pitchUnit == PitchUnit::ThreadsPerInch ? " threads per inch"
                                                                               : " mm pitch";
            span = p_.pitch.value.span;
        } else if (!nearest.empty()) {
            std::vector<std::string> texts;
            for (const Hit h : nearest) texts.push_back(canonicalOf(h));
            message += (texts.size() == 1 ? "; the nearest is " : "; the nearest are ") +
                       joinList(texts, "and");
        }
        if (!elsewhere.empty()) {
            message += "; " + what + " is a size of " + joinList(elsewhere, "and");
        }
        if (!error_.specialSeries.empty()) {
            std::vector<std::string> names;
            for (const SeriesId id : error_.specialSeries) names.push_back(seriesName(id));
            if (p_.pitch.present) {
                message += "; " + what + " can be computed as a special size in ";
            } else {
                message += "; with its pitch it can be computed as a special size in ";
            }
            message += joinList(names, "or");
        }
        fail(span, std::move(message));
        return std::move(error_);
    }

    static constexpr int kKept = 8;

    std::string_view input_;
    const Parsed& p_;
    const ReadOptions& options_;
    SeriesList series_;
    Hit hits_[kKept];
    Hit first_, preferred_, graded_;
    int total_ = 0, preferredCount_ = 0, gradedCount_ = 0;
    Error error_;
};

Error errorAt(std::size_t offset, std::size_t length, std::string message) {
    Error e;
    e.message = std::move(message);
    e.offset = offset;
    e.length = length;
    return e;
}

}  // namespace

FixedText<8> ThreadClass::text() const {
    FixedText<8> out;
    out.append(static_cast<char>('0' + grade));
    if (position != 0) out.append(position);
    if (crestGrade != 0 && crestGrade != grade) {
        out.append(static_cast<char>('0' + crestGrade));
        out.append(position);
    }
    return out;
}

Result read(std::string_view utf8, const ReadOptions& options) {
    if (utf8.size() > kMaxInputBytes) {
        return errorAt(kMaxInputBytes, utf8.size() - kMaxInputBytes,
                       "the designation is " + numberText(utf8.size()) + " bytes long; at most " +
                           numberText(kMaxInputBytes) + " are read");
    }
    Token tokens[detail::kMaxTokens];
    std::size_t count = 0;
    detail::LexFailure failure;
    if (!detail::lex(utf8, tokens, count, failure)) {
        return errorAt(failure.offset, failure.length, std::move(failure.message));
    }
    if (count == 1) {
        return errorAt(0, utf8.size(),
                       "the designation is empty; write one as 1/4-20 UNC, 10-32 UNF or M10x1.5");
    }
    Reader reader(utf8, tokens, count);
    Parsed parsed;
    if (!reader.parse(parsed)) return reader.takeError();
    return Resolver(utf8, parsed, options).resolve();
}

Designation ofSize(SeriesId series, int row) {
    Designation d;
    d.series = series;
    d.sizeIndex = row;
    writeCanonical(d, 0, 0);
    return d;
}

Designation sizeOnly(const Designation& d) {
    Designation size = d;
    size.externalClass.reset();
    size.internalClass.reset();
    size.hand = Hand::Right;
    if (!isValidSeries(size.series)) return size;
    if (!size.special && (size.sizeIndex < 0 || size.sizeIndex >= sizeCount(size.series))) {
        return size;
    }
    // The reader keeps a special size to six places, so the millionths come back exactly.
    const auto micro = [](double value) {
        return std::llround(value * static_cast<double>(kMicro));
    };
    writeCanonical(size, size.special ? micro(size.special->majorDiameter) : 0,
                   size.special ? micro(size.special->pitch) : 0);
    return size;
}

std::optional<SpecialSize> basicSize(SeriesId series, int row) {
    if (!isValidSeries(series) || row < 0 || row >= sizeCount(series)) return std::nullopt;
    const SeriesFamily family = seriesById(series).family;
    if (family == SeriesFamily::TaperPipe || family == SeriesFamily::StraightPipe ||
        family == SeriesFamily::BA) {
        return std::nullopt;  // a nominal pipe size or a BA number, not a diameter
    }
    const auto rows = rowsOf(series);
    if (static_cast<std::size_t>(row) >= rows.size()) return std::nullopt;
    const detail::RowValues& v = rows[static_cast<std::size_t>(row)];
    if (v.size <= 0 || v.pitch <= 0) return std::nullopt;
    return SpecialSize{static_cast<double>(v.size) / detail::kMicro,
                       static_cast<double>(v.pitch) / detail::kMicro};
}

SizeTexts sizeTexts(const Designation& d) {
    SizeTexts texts;
    if (!isValidSeries(d.series)) return texts;
    if (!d.special) {
        if (d.sizeIndex < 0 || d.sizeIndex >= sizeCount(d.series)) return texts;
        const SizeEntry& e = seriesById(d.series).sizeTable->rows[d.sizeIndex];
        texts.size.append(e.designation);
        texts.pitch.append(e.pitchText);
        return texts;
    }
    // The reader keeps a special size to six places, so the millionths come back exactly.
    const auto micro = [](double value) {
        return std::llround(value * static_cast<double>(kMicro));
    };
    const std::int64_t size = micro(d.special->majorDiameter);
    const std::int64_t pitch = micro(d.special->pitch);
    if (seriesById(d.series).family == SeriesFamily::IsoMetric) {
        texts.size.append('M');
        appendMicro(texts.size, size, 0, false);
    } else {
        appendInchSize(texts.size, d.series, size, pitch);
    }
    appendMicro(texts.pitch, pitch, 0, false);
    return texts;
}

}  // namespace torveld::designation
