#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tellwick::pronunciation {

enum class TokenKind {
    Number,
    Ordinal,
    Year,
    Decade,
    Range,
    Money,
    Date,
    Time,
    Fraction,
    Percentage,
    Measure,
    Telephone,
    Abbreviation,
    RomanNumeral,
    Symbol,
};

// A lower-case name of the kind, for listings ("roman numeral").
std::string_view kindName(TokenKind kind);

// A stretch [start, end) of the user's text and the words a person says for it (plain ASCII).
struct SpokenToken {
    std::size_t start = 0;
    std::size_t end = 0;
    TokenKind kind = TokenKind::Number;
    std::string words;
};

} // namespace tellwick::pronunciation
