// The words, numbers and marks of a designation, with their place in the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace torveld::designation::detail {

// ASCII lower case, whatever the locale.
inline char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

enum class TokenKind : std::uint8_t {
    Number,    // "20", ".250", "1.25", "1,6"
    Fraction,  // one of the characters ¼ ½ ¾ ⅛ ⅜ ⅝ ⅞
    Word,      // a run of ASCII letters
    Times,     // "x", "X" or "×"
    Slash,     // "/", "⁄" (fraction slash), "∕"
    Dash,      // "-", "–", "—", "−", "‐", "‑"
    Hash,      // "#"
    Dot,       // a "." that does not start a number
    InchMark,  // '"' or "″"
    Open,      // "(", as in Tr40x14(P7)
    Close,     // ")"
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    bool spaceBefore = false;  // blanks stand between this token and the one before
    std::uint16_t offset = 0;  // bytes in the input
    std::uint16_t length = 0;
    std::int64_t micro = 0;                       // Number, Fraction: the value in millionths
    bool integer = false;                         // Number written without a decimal point
    std::uint8_t numerator = 0, denominator = 0;  // Fraction
};

// A message quotes at most this many characters of the input; a longer part is cut there and
// followed by "...".
inline constexpr std::size_t kQuotedCharacters = 60;

// A part of the input as a message quotes it: itself, or its first kQuotedCharacters
// characters (UTF-8 sequences counted as one and never cut) and "...".
std::string clipped(std::string_view text);

// Enough for the longest input read: no token is shorter than a byte.
inline constexpr std::size_t kMaxTokens = 130;

struct LexFailure {
    std::string message;
    std::size_t offset = 0;
    std::size_t length = 0;
};

// Splits `input` (at most kMaxTokens - 1 bytes) into tokens followed by one End token. False
// with `failure` set on a byte that belongs to no token.
bool lex(std::string_view input, Token* tokens, std::size_t& count, LexFailure& failure);

}  // namespace torveld::designation::detail
