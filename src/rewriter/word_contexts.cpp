#include "rewriter/word_contexts.h"

#include "rewriter/text.h"

namespace tellwick::rewriter {

bool lowerCasedEquals(std::u16string_view value, std::u16string_view word) {
    return std::equal(value.begin(), value.end(), word.begin(), word.end(),
                      [](char16_t a, char16_t b) { return text::lowerCase(a) == b; });
}

} // namespace tellwick::rewriter
