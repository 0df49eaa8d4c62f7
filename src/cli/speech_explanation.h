#pragma once

#include "rewriter/respell.h"

#include <string>
#include <string_view>
#include <vector>

namespace tellwick {

// What the voice decides about a text beyond the rewriter, a line for each decision, in the
// order of the text: for each homograph it decided, the word, its position in the given text
// (in characters, from 0), the reading chosen (wordid and IPA) and the model's margin. Empty
// when the model cannot be used.
std::vector<std::string> homographExplanation(std::u16string_view given,
                                              const RespellOptions& options);

// Every line of the explanation of a text, as `say --explain` prints them: the homographs', then
// a line for each stretch read in words (its text, its kind, what is said). Homographs left to
// espeak-ng are not listed.
std::vector<std::string> speechExplanation(std::u16string_view given, const RespellOptions& options,
                                           bool homographsByEngine);

} // namespace tellwick
