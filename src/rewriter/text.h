#pragma once

#include <string>
#include <string_view>

namespace tellwick::text {

// Only A to Z are letters with a lower-case form here; everything else stays as it is.
constexpr char16_t lowerCase(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c;
}

inline void lowerCaseInPlace(std::u16string& s) {
    for (auto& c : s)
        c = lowerCase(c);
}

inline std::u16string lowerCased(std::u16string_view s) {
    std::u16string out(s);
    lowerCaseInPlace(out);
    return out;
}

// The marks after which the voice starts a new sentence, and so where the highlight, a reading from
// a sentence's start and the voice's pieces part sentences. A colon or a semicolon only parts
// clauses within a sentence: the voice pauses there but goes on in the same sentence.
constexpr bool isSentenceEndMark(char16_t c) {
    return c == u'.' || c == u'!' || c == u'?';
}

// Trims U+0020 only, at both ends.
constexpr std::u16string_view trimSpaces(std::u16string_view s) {
    const auto first = s.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(u' ') - first + 1);
}

} // namespace tellwick::text
