#pragma once

#include "pronunciation/spoken_token.h"
#include "pronunciation/text_scan.h"

#include <span>

namespace tellwick::pronunciation {

using TokenReader = bool (*)(const TextScan& scan, std::size_t start, SpokenToken& token);

// The first of readers that reads a token at start.
bool readFirstOf(std::span<const TokenReader> readers, const TextScan& scan, std::size_t start,
                 SpokenToken& token);

// Each reader looks for one family of tokens starting at start (a place where a word may start);
// on a match it fills token (its end, kind and words) and answers true. Every reader looks at most
// a bounded distance past the token it reads.

// Numbers and what is written with them: money, telephone numbers, dates and times of digits,
// decades, ordinals, ranges, fractions, percentages, measures, years.
bool readNumberToken(const TextScan& scan, std::size_t start, SpokenToken& token);
// Words: month names in dates, abbreviations whose reading depends on their neighbours, Roman
// numerals.
bool readWordToken(const TextScan& scan, std::size_t start, SpokenToken& token);

} // namespace tellwick::pronunciation
