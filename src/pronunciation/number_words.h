#pragma once

#include <string>
#include <string_view>

namespace tellwick::pronunciation {

// The words a person says for numbers, as American readers say them ("one hundred twenty-three",
// no "and"). Every function takes ASCII digits only and appends to out; a digit string of any
// length is read, digit by digit past the largest number that has a name.

// "1234" → "one thousand two hundred thirty-four"; leading zeros are read as digits ("007" →
// "zero zero seven").
void appendCardinal(std::string& out, std::u16string_view digits);
// "22" → "twenty-second".
void appendOrdinal(std::string& out, std::u16string_view digits);
// "1949" → "nineteen forty-nine", "2005" → "two thousand five", "1900" → "nineteen hundred".
void appendYear(std::string& out, std::u16string_view digits);
// Each digit as its own word: "0123" → "zero one two three".
void appendDigitNames(std::string& out, std::u16string_view digits);
// "3", "14" → "three point one four"; an empty fraction reads as the whole number.
void appendDecimal(std::string& out, std::u16string_view whole, std::u16string_view fraction);
// "3", "4" → "three quarters"; "1", "2" → "one half".
void appendFraction(std::string& out, std::u16string_view numerator,
                    std::u16string_view denominator);

// Appends word after a space (none at the start, or after a space or hyphen).
void appendWord(std::string& out, std::string_view word);

// The name of a part: "2" → "half" ("halves"), "3" → "third" ("thirds").
void appendFractionName(std::string& out, std::u16string_view denominator, bool plural);

// The last word of out made plural ("ninety" → "nineties", "hundred" → "hundreds").
void pluraliseLastWord(std::string& out);

// The value of up to 18 digits, or -1 when there are more (or none).
long long digitsValue(std::u16string_view digits);

} // namespace tellwick::pronunciation
