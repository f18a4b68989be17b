// The classes of fit written, against the classes each series has: Unified 1A-3A and 1B-3B (UNJ
// 3A/3B, thread inserts 2B/3B), Acme 2G-5G and 2C-6C (STUB ACME 2G), NPTF 1 and 2, the ISO
// tolerance classes, G's external classes A and B, the trapezoidal classes of ISO 2903.
#include "stages.h"

namespace torveld::designation::detail {

namespace {

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
            case SeriesFamily::BritishPipe:
                return britishPipe(d);
            case SeriesFamily::Trapezoidal:
                return trapezoidal(d);
            case SeriesFamily::BritishTaper:
                return fail(named_.span, std::string(seriesText(id, false, d.taperThread).view()) +
                                             " takes no class");
            default:
                return fail(named_.span, seriesName(id) + " takes no class");
        }
    }

  private:
    std::string quoted(Span s) const { return detail::quoted(input_, s); }
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

    // ISO 228-1: the external thread is of class A or B; the internal thread has the one class,
    // which a designation does not name.
    bool britishPipe(Designation& d) {
        const char* const rule =
            "G has the external classes A and B; the internal thread has one class, not written";
        if (named_.count != 1) {
            return fail(named_.span, quoted(named_.span) + " names two classes: " + rule);
        }
        const ClassPart& part = named_.parts[0];
        const char letter = lower(part.letter);
        if (part.grade != 0 || (letter != 'a' && letter != 'b')) {
            return fail(part.span, quoted(part.span) + " is not a class here: " + rule);
        }
        d.externalClass = ThreadClass{0, upper(letter), 0};
        return true;
    }

    // ISO 2903: grades 7, 8 and 9, positions e and c (external) and H (internal). ISO 2903 has no
    // internal position but H and no external one but e and c, so the letter's case does not
    // matter; a class has one grade. Whether the tables hold a class is the calculation's matter.
    bool trapezoidal(Designation& d) {
        bool external[2] = {};
        for (int i = 0; i < named_.count; ++i) {
            const ClassPart& part = named_.parts[i];
            const char letter = lower(part.letter);
            if (letter != 'e' && letter != 'c' && letter != 'h') {
                return fail(part.span, quoted(part.span) +
                                           " is not a trapezoidal class: its letter is e or c "
                                           "(external) or H (internal), as in 7e or 7H");
            }
            if (part.crestGrade != 0) {
                return fail(part.span, quoted(part.span) +
                                           " is not a trapezoidal class: it has one grade, as "
                                           "in 7e");
            }
            if (part.grade < 7 || part.grade > 9) {
                return fail(part.span,
                            quoted(part.span) + ": the trapezoidal grades are 7, 8 and 9");
            }
            external[i] = letter != 'h';
        }
        if (named_.count == 2 && external[0] == external[1]) {
            return fail(named_.span, quoted(named_.span) + " names two " +
                                         (external[0] ? "external" : "internal") +
                                         " classes; a fit is written internal/external, as in "
                                         "7H/7e");
        }
        for (int i = 0; i < named_.count; ++i) {
            const ClassPart& part = named_.parts[i];
            if (external[i]) {
                d.externalClass = ThreadClass{part.grade, lower(part.letter), 0};
            } else {
                d.internalClass = ThreadClass{part.grade, 'H', 0};
            }
        }
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

}  // namespace

bool applyClasses(std::string_view input, const ClassesNamed& named, SeriesId id, Designation& d,
                  Error& error) {
    ClassRules rules(input, named);
    return rules.apply(id, d, error);
}

}  // namespace torveld::designation::detail
