#pragma once

#include <span>
#include <string_view>

namespace tellwick::heteronyms {

using Word = std::u16string_view;

// Where a row of a table looks, counted from the heteronym within its clause. A clause ends at
// punctuation that parts it (full stop, comma, colon, semicolon, question and exclamation marks,
// brackets, dashes, line breaks); quotes and hyphens part only words.
enum class Place {
    Always,          // holds whatever the neighbours
    Previous,        // the word just before
    SecondPrevious,  // the word before that
    ThirdPrevious,   // and the one before that
    Next,            // the word just after
    SecondNext,      // the word after that
    EarlierInClause, // any of the last few words before
    LaterInClause,   // any of the next few words after
};

// A word list may hold these as well as plain words:
// - clauseEdge: there is no word at that place in the clause ("lead." or ", read").
// - a word starting with an apostrophe matches the end of a contraction ("'ve" in "they've").
// - a word starting with a hyphen matches the end of a longer word ("-ed" in "walked").
inline constexpr Word clauseEdge = u"|";

// Holds when a word of the list stands at the place.
struct Test {
    Place place = Place::Always;
    std::span<const Word> words;
};

// One row of a table: when its test (and its second test, if it has one) holds, the heteronym is
// read with the phonemes (espeak-ng's phoneme input), or as espeak-ng reads it by itself when they
// are null. The first row that holds decides; when none holds, espeak-ng decides.
struct Row {
    Test test;
    Test also;
    const char* phonemes;
};

struct Heteronym {
    Word word; // lower case, as the rewriter leaves it
    std::span<const Row> rows;
};

// Every heteronym that the voice decides itself when the rewriter copies it unchanged.
std::span<const Heteronym> heteronymTables();

} // namespace tellwick::heteronyms
