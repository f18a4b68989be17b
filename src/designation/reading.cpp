// Reading: one pass over the tokens, in the order size, pitch, series, class, hand, into what
// was written (Parsed). Nothing is looked up in the size tables here.
#include "stages.h"

namespace torveld::designation::detail {

namespace {

class Reader {
  public:
    Reader(std::string_view input, const Token* tokens, std::size_t count)
        : input_(input), tokens_(tokens), count_(count) {}

    bool parse(Parsed& p) {
        if (!parsePrefix(p) || !parseSize(p)) return false;
        if (peek().kind == TokenKind::InchMark) next();
        if (!parsePitch(p) || !parseSeries(p) || !parseClass(p) || !parseSti(p) || !parseHand(p))
            return false;
        const Token& rest = peek();
        if (rest.kind != TokenKind::End) {
            const Token& last = tokens_[count_ - 2];
            const std::size_t end = std::size_t{last.offset} + last.length;
            const Span span{rest.offset, end - rest.offset};
            return fail(span, quoted(span) + " after the designation is not understood");
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
    std::string quoted(Span s) const { return detail::quoted(input_, s); }
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
        return fail(span, improperFractionMessage(quoted(span), text(numeratorToken), numerator,
                                                  denominator));
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

    static ShortText lowerText(std::string_view s) {
        ShortText word;
        for (char c : s) word.append(lower(c));
        return word;
    }

    // The standard a drawing may write before the thread: "EN 10226-1", "ISO 7-1", "BS 21".
    const StandardWord* standardAhead(std::size_t& tokens) const {
        const Token& w = peek();
        const Token& n = peek(1);
        if (w.kind != TokenKind::Word || n.kind != TokenKind::Number || !n.integer) return nullptr;
        for (const StandardWord& sw : standardWords()) {
            if (!isWord(w, sw.word) || n.micro != sw.number * kMicro) continue;
            if (sw.part == 0) {
                tokens = 2;
                return &sw;
            }
            const Token& part = peek(3);
            if (peek(2).kind == TokenKind::Dash && part.kind == TokenKind::Number && part.integer &&
                part.micro == sw.part * kMicro) {
                tokens = 4;
                return &sw;
            }
        }
        return nullptr;
    }

    // What stands before the size: a standard and the series its standard writes first
    // ("EN 10226-1 R 1/2", "G 1/2", "Rc 1/2", "Tr20x4").
    bool parsePrefix(Parsed& p) {
        std::size_t tokens = 0;
        const StandardWord* standard = standardAhead(tokens);
        Span standardSpan;
        if (standard) {
            standardSpan = cover(spanOf(peek()), spanOf(peek(tokens - 1)));
            pos_ += tokens;
        }
        const Token& w = peek();
        const Alias* a = w.kind == TokenKind::Word ? findAlias(lowerText(text(w)).view()) : nullptr;
        if (!a || !a->beforeSize) {
            if (!standard) return true;
            return fail(standardSpan, std::string(standard->text) +
                                          " is followed by the thread, as in " +
                                          std::string(standard->text) +
                                          (standard->id == series::G ? " G 1/2" : " R 1/2"));
        }
        if (standard && standard->id != a->id) {
            const Span span = cover(standardSpan, spanOf(w));
            return fail(span, quoted(span) + ": " + std::string(standard->text) +
                                  " is the standard of " +
                                  (standard->id == series::G ? "G" : "R, Rc and Rp") + ", not of " +
                                  seriesName(a->id));
        }
        const Token& n = peek(1);
        if (n.kind != TokenKind::Number && n.kind != TokenKind::Fraction) {
            const std::string example =
                a->id == series::TR
                    ? std::string("Tr20x4")
                    : std::string(seriesText(a->id, false, a->taper).view()) + " 1/2";
            return fail(spanOf(w),
                        "expected the size after " + quoted(spanOf(w)) + ", as in " + example);
        }
        next();
        p.series = seriesNamed(*a, spanOf(w));
        p.series.beforeSize = true;
        return true;
    }

    // "Tr20", "Tr20.5": millimetres, as the sizes of ISO 2902.
    bool parseTrapezoidalSize(Parsed& p) {
        SizeAsked& size = p.size;
        const Token& n = next();
        size.value.span = cover(p.series.span, spanOf(n));
        const char* const rule = "a trapezoidal size is written in millimetres, as in Tr20x4";
        if (n.kind != TokenKind::Number) return fail(size.value.span, rule);
        if (peek().kind == TokenKind::Slash) {
            return fail(cover(size.value.span, spanOf(peek(1))), rule);
        }
        size.kind = n.integer ? SizeKind::Whole : SizeKind::Value;
        size.value.micro = n.micro;
        size.value.whole = n.integer;
        size.value.number = n.integer ? static_cast<int>(n.micro / kMicro) : -1;
        size.value.text.append("Tr");
        for (char c : text(n)) size.value.text.append(c == ',' ? '.' : c);
        return true;
    }

    bool parseSize(Parsed& p) {
        SizeAsked& size = p.size;
        if (p.series.beforeSize && p.series.id == series::TR) return parseTrapezoidalSize(p);
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
            const ShortText word = lowerText(text(t));
            if (findAlias(word.view())) {
                return fail(spanOf(t), "the size comes first, then the series, as in 1/4-20 UNC");
            }
            // A slip in a series written before the size: "Trr20x4", "BSP 1/2".
            const Token& n = peek(1);
            const Alias* near = nearestAlias(word.view());
            if ((n.kind == TokenKind::Number || n.kind == TokenKind::Fraction) &&
                ((near && near->beforeSize) || isBspWord(word.view()))) {
                return failUnknownSeries(t, word.view());
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
        // "14P7": the lead of a multi-start thread and its pitch.
        if (equalsLower(s, "p") && peek(k + 2).kind == TokenKind::Number) return false;
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
        const bool millimetres =
            p.size.kind == SizeKind::Metric || (p.series.beforeSize && p.series.id == series::TR);
        if (millimetres && isWord(peek(), "mm")) next();
        return parseStartPitch(p);
    }

    // The pitch of a multi-start thread after its lead: "(P7)", also without the brackets.
    bool parseStartPitch(Parsed& p) {
        const bool open = peek().kind == TokenKind::Open;
        const std::size_t k = open ? 1 : 0;
        if (!isWord(peek(k), "p") || peek(k + 1).kind != TokenKind::Number) return true;
        StartPitchAsked& start = p.startPitch;
        start.span = spanOf(peek());
        pos_ += k + 1;
        start.present = true;
        if (!readValue(start.value, false)) return false;
        start.span = cover(start.span, start.value.span);
        if (open) {
            if (peek().kind != TokenKind::Close) {
                return fail(cover(start.span, spanOf(peek())),
                            "expected ')' after the pitch, as in Tr40x14(P7)");
            }
            start.span = cover(start.span, spanOf(next()));
        }
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
        const ShortText first = lowerText(text(w));
        if (p.series.beforeSize) {
            // The series came before the size; a word here is its class, or not understood.
            if (!findAlias(first.view())) return true;
            return fail(spanOf(w), quoted(spanOf(w)) + ": the series is already given, " +
                                       quoted(p.series.span));
        }
        // Two words: "STUB ACME", "ISO FINE", "UNC-STI".
        const std::size_t k2 = peek(k + 1).kind == TokenKind::Dash ? k + 2 : k + 1;
        const Token& w2 = peek(k2);
        if (w2.kind == TokenKind::Word) {
            ShortText joined = first;
            for (char c : text(w2)) joined.append(lower(c));
            if (const Alias* a = findTwoWordAlias(joined.view())) {
                pos_ += k2 + 1;
                p.series = seriesNamed(*a, cover(spanOf(w), spanOf(w2)));
                return true;
            }
        }
        if (const Alias* a = findAlias(first.view())) {
            pos_ += k + 1;
            p.series = seriesNamed(*a, spanOf(w));
            return true;
        }
        // The hand glued to the series: "UNCLH".
        if (first.size() > 2) {
            if (const Alias* a = findAlias(first.view().substr(0, first.size() - 2))) {
                if (takeHandSuffix(w, first.size() - 2, p)) {
                    pos_ += k + 1;
                    p.series = seriesNamed(*a, Span{w.offset, first.size() - 2u});
                    return true;
                }
            }
        }
        return failUnknownSeries(w, first.view());
    }

    static bool isBspWord(std::string_view lowerWord) { return lowerWord == "bsp"; }

    bool failUnknownSeries(const Token& w, std::string_view word) {
        return fail(spanOf(w), unknownSeriesMessage(quoted(spanOf(w)), word));
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

    // A class of one letter, as the British pipe threads write it ("A", "B"), perhaps with the
    // hand glued to it ("ALH").
    bool isLetterClass(const Token& w) const {
        if (w.kind != TokenKind::Word) return false;
        const std::string_view s = text(w);
        return s.size() == 1 || (s.size() == 3 && isHandSuffix(s.substr(1)));
    }

    bool parseLetterClassPart(ClassPart& part, Parsed& p) {
        const Token& w = next();
        part.span = spanOf(w);
        part.letter = text(w)[0];
        if (text(w).size() > 1) {
            takeHandSuffix(w, 1, p);
            part.span.length = 1;
        }
        return true;
    }

    bool parseLetterClasses(Parsed& p) {
        ClassesNamed& c = p.cls;
        parseLetterClassPart(c.parts[0], p);
        c.count = 1;
        c.span = c.parts[0].span;
        if (peek().kind == TokenKind::Slash && !p.hand.present && isLetterClass(peek(1))) {
            next();
            parseLetterClassPart(c.parts[1], p);
            c.count = 2;
            c.span = cover(c.span, c.parts[1].span);
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
        const bool pipe = p.series.group == SeriesGroup::One &&
                          (p.series.id == series::G || p.series.id == series::R);
        if (pipe && isLetterClass(peek(k))) {
            pos_ += k;
            return parseLetterClasses(p);
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
        if (s.roundedRoot) {
            return fail(cover(s.span, spanOf(w)),
                        "UNR is an external thread and a thread-insert tapping an internal one; "
                        "write UNC-STI or UNF-STI, as in 1/4-20 UNC-STI");
        }
        if (s.group == SeriesGroup::None) {
            s = {SeriesGroup::Sti, -1, false, spanOf(w)};
        } else if (s.group == SeriesGroup::One && s.id == series::UNC) {
            s = {SeriesGroup::One, series::UNC_STI, false, cover(s.span, spanOf(w))};
        } else if (s.group == SeriesGroup::One && s.id == series::UNF) {
            s = {SeriesGroup::One, series::UNF_STI, false, cover(s.span, spanOf(w))};
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

}  // namespace

bool parse(std::string_view input, const Token* tokens, std::size_t count, Parsed& parsed,
           Error& error) {
    Reader reader(input, tokens, count);
    if (reader.parse(parsed)) return true;
    error = reader.takeError();
    return false;
}

}  // namespace torveld::designation::detail
