#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tellwick::homographs {

// A word of a text as the model sees it: lower case (ASCII letters folded), or one punctuation
// mark, or the edge of the sentence.
std::u16string foldedWord(std::u16string_view word);

// The closed classes of English that tell a noun's place from a verb's, and the rest.
enum class WordKind : char {
    Other = 'w',
    Determiner = 'D',
    Pronoun = 'P',
    Modal = 'M',
    DoAuxiliary = 'O',
    HaveAuxiliary = 'H',
    Be = 'B',
    To = 'T',
    Preposition = 'R',
    Conjunction = 'C',
    Adverb = 'A',
    Punctuation = ',',
    Edge = '|',
};

// The words at ±1 to ±3 of a homograph within its sentence, folded, with their kinds; found once
// for each homograph and read by both the grammar and the features.
struct Neighbourhood {
    static constexpr int reach = 3;
    // A folded word held in place (a longer word keeps its first units), so that finding the
    // neighbours takes no memory; empty at the sentence's edge.
    struct Word {
        std::array<char16_t, 30> units; // the first `size` are set
        std::uint8_t size = 0;
        std::u16string_view view() const { return {units.data(), size}; }
    };
    std::array<Word, reach> before, after; // nearest first
    std::array<WordKind, reach> kindBefore{}, kindAfter{};
};
Neighbourhood neighbourhoodOf(std::u16string_view text, std::size_t start, std::size_t end);

// What the words just before a homograph say about its part of speech, where they say it
// plainly: a verb's place after "to", a modal or do-support, or an adverb after "to" or a modal
// ("did you read", "will not record", "would belatedly defect"), a plural subject before an
// object ("historians record that", "rollers compact the"); a noun's place straight after an
// article or a possessive ("the project", "his record", "the city's record"); a past
// participle's after "have" or "be" ("had read", "has not wound", "is widely read").
// A subject pronoun before says a verb but not its tense ("they read", "we record").
// After "he", "she", "it" or "I" a bare verb is the past where the homograph has a past reading
// ("he read", "she wound"), else the verb.
enum class GrammaticalPlace { Unknown, Verb, Noun, PastParticiple, VerbOfAnyTense, PastOrVerb };
GrammaticalPlace grammaticalPlace(const Neighbourhood& around);

// The kinds of feature a homograph's model may weigh; each homograph's model keeps those that
// cross-validation on its own sentences found best.
enum FeatureGroup : std::uint32_t {
    // The words at ±1 to ±3 and pairs of them, their kinds, the endings of the nearest, the
    // auxiliaries of do-support and the perfect over a subject or adverb, a determiner before,
    // the homograph's own capitals. Always weighed.
    NeighbourFeatures = 1,
    // The topic: every word of the sentence of more than three letters, wherever it stands.
    SentenceWords = 2,
    // The same by the words' first five letters, which group a word's forms.
    SentenceWordBeginnings = 4,
    // The first five letters of the nearest two words on each side.
    NeighbourBeginnings = 8,
    // The grammatical place, where it is not left to decide alone.
    PlaceFeature = 16,
    // The tense of the rest of the sentence: its forms of "be", "have" and "do", its modals, and
    // whether another word ends in "-ed" ("he read English at Oxford, where he was…").
    SentenceTense = 32,
};

// The features of the homograph text[start, end) in `groups`, each hashed to 32 bits; the first
// is always the bias. Only the text around the word is read, so a caller may pass a large text.
void featuresOf(std::u16string_view text, std::size_t start, std::size_t end,
                const Neighbourhood& around, std::uint32_t groups,
                std::vector<std::uint32_t>* features);

// Where the word that covers or starts at `at` ends; a word is letters, digits and apostrophes
// between letters.
std::size_t homographWordEnd(std::u16string_view text, std::size_t at);
bool isHomographWordUnit(char16_t unit);

} // namespace tellwick::homographs
