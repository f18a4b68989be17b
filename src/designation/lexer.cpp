#include "lexer.h"

#include <charconv>

namespace torveld::designation::detail {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "'text' rest": a part of the input in quotes, then the rest of a message. (Built by appending:
// GCC 12 reports a false overlap on "'" + std::string at -O3.)
std::string quoted(std::string_view text, std::string_view rest) {
    std::string message = "'";
    message += clipped(text);
    message += '\'';
    message += rest;
    return message;
}

std::string hexByte(unsigned char byte) {
    char digits[3] = {};
    const char* const kHex = "0123456789ABCDEF";
    digits[0] = kHex[byte >> 4];
    digits[1] = kHex[byte & 15];
    std::string text = "0x";
    text += digits;
    return text;
}

std::string decimal(std::size_t value) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// Decodes one UTF-8 sequence at input[i]; 0 when it is not well formed (overlong forms and
// surrogates included).
std::size_t decode(std::string_view input, std::size_t i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(input[k]); };
    const unsigned char b0 = byte(i);
    std::size_t length = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > input.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

struct VulgarFraction {
    char32_t cp;
    std::uint8_t numerator, denominator;
};
constexpr VulgarFraction kFractions[] = {
    {U'\u00BC', 1, 4}, {U'\u00BD', 1, 2}, {U'\u00BE', 3, 4}, {U'\u215B', 1, 8},
    {U'\u215C', 3, 8}, {U'\u215D', 5, 8}, {U'\u215E', 7, 8},
};

}  // namespace

std::string clipped(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (characters == kQuotedCharacters) {
            std::string cut(text.substr(0, i));
            cut += "...";
            return cut;
        }
        ++characters;
    }
    return std::string(text);
}

bool lex(std::string_view input, Token* tokens, std::size_t& count, LexFailure& failure) {
    count = 0;
    bool space = false;
    const std::size_t n = input.size();
    const auto push = [&](TokenKind kind, std::size_t offset, std::size_t length) -> Token& {
        Token& t = tokens[count++];
        t = Token{};
        t.kind = kind;
        t.spaceBefore = space;
        t.offset = static_cast<std::uint16_t>(offset);
        t.length = static_cast<std::uint16_t>(length);
        space = false;
        return t;
    };
    const auto fail = [&](std::size_t offset, std::size_t length, std::string message) {
        failure.message = std::move(message);
        failure.offset = offset;
        failure.length = length;
        return false;
    };
    // "No.10": the point closes the word instead of opening a decimal.
    const auto afterNumberWord = [&]() {
        if (count == 0 || space) return false;
        const Token& w = tokens[count - 1];
        if (w.kind != TokenKind::Word || w.length != 2) return false;
        const char a = lower(input[w.offset]), b = lower(input[w.offset + 1]);
        return (a == 'n' && b == 'o') || (a == 'n' && b == 'r');
    };

    std::size_t i = 0;
    while (i < n) {
        const char c = input[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            space = true;
            ++i;
            continue;
        }
        if (isDigit(c) || (c == '.' && i + 1 < n && isDigit(input[i + 1]) && !afterNumberWord())) {
            const std::size_t start = i;
            std::int64_t whole = 0;
            int significant = 0;
            for (; i < n && isDigit(input[i]); ++i) {
                if (significant > 0 || input[i] != '0') ++significant;
                whole = whole * 10 + (input[i] - '0');
                if (significant > 6) {
                    while (i < n && (isDigit(input[i]) || input[i] == '.')) ++i;
                    return fail(start, i - start,
                                quoted(input.substr(start, i - start),
                                       " is too large a number for a thread"));
                }
            }
            bool integer = true;
            std::int64_t fraction = 0;
            const bool point = i < n && (input[i] == '.' || (input[i] == ',' && i > start));
            if (point && i + 1 < n && isDigit(input[i + 1])) {
                integer = false;
                ++i;
                int decimals = 0;
                for (; i < n && isDigit(input[i]); ++i, ++decimals) {
                    if (decimals < 6) {
                        fraction = fraction * 10 + (input[i] - '0');
                    } else if (input[i] != '0') {
                        while (i < n && isDigit(input[i])) ++i;
                        return fail(
                            start, i - start,
                            quoted(input.substr(start, i - start), " has more than six decimals"));
                    }
                }
                for (; decimals < 6; ++decimals) fraction *= 10;
            }
            Token& t = push(TokenKind::Number, start, i - start);
            t.micro = whole * 1'000'000 + fraction;
            t.integer = integer;
            continue;
        }
        if (isLetter(c)) {
            const std::size_t start = i;
            while (i < n && isLetter(input[i])) ++i;
            const bool times = i - start == 1 && lower(c) == 'x';
            push(times ? TokenKind::Times : TokenKind::Word, start, i - start);
            continue;
        }
        switch (c) {
            case '/':
                push(TokenKind::Slash, i, 1);
                ++i;
                continue;
            case '-':
                push(TokenKind::Dash, i, 1);
                ++i;
                continue;
            case '#':
                push(TokenKind::Hash, i, 1);
                ++i;
                continue;
            case '.':
                push(TokenKind::Dot, i, 1);
                ++i;
                continue;
            case '"':
                push(TokenKind::InchMark, i, 1);
                ++i;
                continue;
            case '(':
                push(TokenKind::Open, i, 1);
                ++i;
                continue;
            case ')':
                push(TokenKind::Close, i, 1);
                ++i;
                continue;
            default:
                break;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            if (byte < 0x20 || byte == 0x7F) {
                std::string message = "the control character ";
                message += hexByte(byte);
                message += " at byte ";
                message += decimal(i);
                message += " is not part of a designation";
                return fail(i, 1, std::move(message));
            }
            return fail(i, 1, quoted(std::string_view(&c, 1), " is not part of a designation"));
        }
        char32_t cp = 0;
        const std::size_t length = decode(input, i, cp);
        if (length == 0) {
            return fail(i, 1, "byte " + hexByte(byte) + " at " + decimal(i) + " is not UTF-8 text");
        }
        switch (cp) {
            case U'\u00D7':  // multiplication sign
                push(TokenKind::Times, i, length);
                break;
            case U'\u2010':  // hyphen
            case U'\u2011':  // non-breaking hyphen
            case U'\u2013':  // en dash
            case U'\u2014':  // em dash
            case U'\u2212':  // minus sign
                push(TokenKind::Dash, i, length);
                break;
            case U'\u00A0':  // no-break space
            case U'\u2009':  // thin space
            case U'\u202F':  // narrow no-break space
            case U'\uFEFF':  // byte order mark, zero-width no-break space
                space = true;
                break;
            case U'\u2044':  // fraction slash
            case U'\u2215':  // division slash
                push(TokenKind::Slash, i, length);
                break;
            case U'\u2033':  // double prime, the inch mark
                push(TokenKind::InchMark, i, length);
                break;
            default: {
                const VulgarFraction* found = nullptr;
                for (const VulgarFraction& f : kFractions) {
                    if (f.cp == cp) found = &f;
                }
                if (!found) {
                    return fail(i, length,
                                quoted(input.substr(i, length), " is not part of a designation"));
                }
                Token& t = push(TokenKind::Fraction, i, length);
                t.numerator = found->numerator;
                t.denominator = found->denominator;
                t.micro = 1'000'000 * found->numerator / found->denominator;
                break;
            }
        }
        i += length;
    }
    push(TokenKind::End, n, 0);
    return true;
}

}  // namespace torveld::designation::detail
