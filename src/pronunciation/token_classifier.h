#pragma once

#include "pronunciation/spoken_token.h"
#include "pronunciation/text_scan.h"

#include <cstddef>
#include <string_view>

namespace tellwick::pronunciation {

// Finds, left to right, the stretches of a text that a person reads otherwise than as written
// (numbers, money, dates, times, measures, telephone numbers, abbreviations, Roman numerals), each
// with its kind and its words. Linear in the text's length.
class TokenClassifier {
public:
    explicit TokenClassifier(std::u16string_view text) : scan_(text) {}

    // The next token after the previous one; false at the text's end.
    bool next(SpokenToken& token);

private:
    TextScan scan_;
    std::size_t position_ = 0;
};

} // namespace tellwick::pronunciation
