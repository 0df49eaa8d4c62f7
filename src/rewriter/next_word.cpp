#include "rewriter/next_word.h"

#include "rewriter/scan_state.h"

namespace tellwick {

using rewriter::belongsToWord;

std::u16string nextWord(std::u16string_view lookahead) {
    std::u16string result;
    bool started = false;
    for (const char16_t c : lookahead) {
        if (!started) {
            // Punctuation, a digit or a line break glued to the current word means the word
            // stands at the end of its phrase, so there is no next word to judge it by.
            if (c == u' ')
                started = true;
            else if (!belongsToWord(c))
                return {};
            continue;
        }
        if (!belongsToWord(c))
            break;
        result.push_back(c);
    }
    return result;
}

} // namespace tellwick
