#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tellwick::homographs {

// A word of a text as the model sees it: lower case (ASCII letters folded), or one punctuation
// mark, or the edge of the sentence.
std::u16string foldedWord(std::u16string_view word);

// The features of the homograph text[start, end) from the words around it in its sentence: the
// words at ±1 to ±3 and pairs of them, the kinds of word there (determiner, pronoun, modal, the
// auxiliaries of do-support and the perfect, "to", prepositions), the endings of the neighbours,
// the homograph's own capitals, and nearby punctuation. Each is hashed to 32 bits; the first is
// always the bias. Only the text around the word is read, so a caller may pass a large text.
std::vector<std::uint32_t> featuresOf(std::u16string_view text, std::size_t start, std::size_t end);

// What the words just before a homograph say about its part of speech, where they say it
// plainly: a verb's place after "to", a modal or do-support, or an adverb after "to" or a modal
// ("did you read", "will not record", "would belatedly defect"), a plural subject before an
// object ("historians record that", "rollers compact the"); a noun's place straight after an
// article or a possessive ("the project", "his record"); a past participle's after "have" ("had
// read", "has not wound").
enum class GrammaticalPlace { Unknown, Verb, Noun, PastParticiple };
GrammaticalPlace grammaticalPlace(std::u16string_view text, std::size_t start, std::size_t end);

// Where the word that covers or starts at `at` ends; a word is letters, digits and apostrophes
// between letters.
std::size_t homographWordEnd(std::u16string_view text, std::size_t at);
bool isHomographWordUnit(char16_t unit);

} // namespace tellwick::homographs
