#include "rewriter/next_word.h"

namespace tellwick {

namespace {

// Everything from "A" upwards counts as part of a word, accented letters and "_" included.
constexpr bool isWordCharacter(char16_t c) {
    return c >= u'A';
}

} // namespace

std::u16string nextWord(std::u16string_view lookahead) {
    std::u16string result;
    bool started = false;
    for (const char16_t c : lookahead) {
        if (!started) {
            // Punctuation, a digit or a line break glued to the current word means the word
            // stands at the end of its phrase, so there is no next word to judge it by.
            if (c == u' ')
                started = true;
            else if (!isWordCharacter(c))
                return {};
            continue;
        }
        if (!isWordCharacter(c))
            break;
        result.push_back(c);
    }
    return result;
}

} // namespace tellwick
