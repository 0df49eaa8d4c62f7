#pragma once

#include <string>
#include <string_view>

namespace tellwick {

// The word after the current one, read from the 20-character lookahead that starts at the current
// word: the characters after exactly one space, up to the first character below "A".
std::u16string nextWord(std::u16string_view lookahead);

} // namespace tellwick
