#pragma once

#include "pronunciation/text_scan.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tellwick::pronunciation {

// A number as written: optional sign, digits with optional thousands separators, optional
// decimals.
struct NumberLiteral {
    std::size_t end = 0;
    bool negative = false;
    bool separated = false;
    std::u16string whole; // digits only
    std::u16string_view fraction;

    bool integer() const { return fraction.empty(); }
    bool isOne() const { return integer() && whole == u"1"; }
};

// Reads a number at i; false where none is written there.
bool parseNumber(const TextScan& scan, std::size_t i, NumberLiteral& number);
// The number in words: "minus" for a sign, then its digits, with decimals.
void appendNumber(std::string& out, const NumberLiteral& number);
// Four digits from 1000 to 2099, written without sign, separator or decimals.
bool looksLikeYear(const NumberLiteral& number);

// The row of a table whose written form is the longest that stands at i.
template <typename Row>
const Row* writtenAt(const TextScan& scan, std::size_t i, const Row* begin, const Row* end,
                     std::string_view Row::*written) {
    const Row* longest = nullptr;
    for (const Row* row = begin; row != end; ++row) {
        const std::string_view text = (*row).*written;
        if (scan.startsWith(i, text) && (!longest || text.size() > (longest->*written).size()))
            longest = row;
    }
    return longest;
}

} // namespace tellwick::pronunciation
