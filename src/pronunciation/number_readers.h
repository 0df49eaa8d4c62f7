#pragma once

#include "pronunciation/number_literal.h"
#include "pronunciation/spoken_token.h"
#include "pronunciation/text_scan.h"

namespace tellwick::pronunciation {

// The readers of numbers, in the families readNumberToken tries; each as a TokenReader.

// Money: "$5", "£1.50", "€3 million", "$10-$20".
bool readMoney(const TextScan& scan, std::size_t start, SpokenToken& token);
// Dates of digits: "2021-03-03", "3/14/2021".
bool readNumericDate(const TextScan& scan, std::size_t start, SpokenToken& token);
// "3 March 2021", "3rd of March".
bool readDayMonth(const TextScan& scan, std::size_t start, SpokenToken& token);
// Times of day: "7pm", "10:00 a.m.", "14:30".
bool readTime(const TextScan& scan, std::size_t start, SpokenToken& token);
// "1990s", "1990's", "'90s", "60s".
bool readDecade(const TextScan& scan, std::size_t start, SpokenToken& token);
// A number, with what follows it: an ordinal ending, a range, a fraction, a unit or a percent
// sign; a year where the words around it say so.
bool readNumber(const TextScan& scan, std::size_t start, SpokenToken& token);
// number, read at start, as a year ("in 1949", "44 BC") where its neighbours make it one.
bool readYear(const TextScan& scan, std::size_t start, const NumberLiteral& number,
              SpokenToken& token);

} // namespace tellwick::pronunciation
