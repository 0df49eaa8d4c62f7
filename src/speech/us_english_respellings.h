#pragma once

#include <span>
#include <string_view>

namespace tellwick {

// A respelling that the rewriter emits (with an ending it can leave after it), and its intended
// reading for flite's and festival's US English voices: cmudict's phones, lower case, separated
// by spaces, with the stress digit on each vowel.
struct UsEnglishRespelling {
    std::u16string_view word;
    std::string_view phones;
};

std::span<const UsEnglishRespelling> usEnglishRespellings();

// The row for word (compared without regard to case), or null.
const UsEnglishRespelling* findUsEnglishRespelling(std::u16string_view word);

} // namespace tellwick
