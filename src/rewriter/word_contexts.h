#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace tellwick::rewriter {

inline bool isOneOf(std::u16string_view word, std::span<const std::u16string_view> list) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

// Whether LCase(value) equals word, which is written in lower case; builds no string.
bool lowerCasedEquals(std::u16string_view value, std::u16string_view word);

} // namespace tellwick::rewriter
