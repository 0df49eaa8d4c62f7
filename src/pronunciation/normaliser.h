#pragma once

#include "rewriter/respell.h"

#include <string>
#include <string_view>
#include <vector>

namespace tellwick {

// The text the voice reads for the user's text: the rewriter's output, with the words a person
// says in place of what it made of each number, amount of money, date, time, measure, telephone
// number, context-dependent abbreviation and Roman numeral of the user's text, and with the map
// back to the user's text (so that what is heard is shown on the user's own words). A word the
// rewriter changed at the start of a sentence keeps its capital, so that the voice still hears
// the sentence end before it.
MappedRespelling speakableText(std::u16string_view userText, const RespellOptions& options = {});

// The same from a rewrite of userText already made (its map leads back to userText).
MappedRespelling normalisedRespelling(std::u16string_view userText,
                                      const MappedRespelling& respelled);

// One line for each stretch of userText read otherwise than as written: its text, its kind and
// what is said, separated by tabs ("VIII\troman numeral\tthe eighth").
std::vector<std::u16string> normalisedTokenLines(std::u16string_view userText);

} // namespace tellwick
