#pragma once

#include "speech/voice_engine.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace tellwick {

// festival reads a word through its own lexicon and part-of-speech guess. A word whose reading
// Tellwick decided (a respelling of the rewriter, a homograph the voice's front end decided) is
// handed over as a word of its own that festival's lexicon holds with that reading alone.
struct FestivalLexiconEntry {
    std::string word;   // letters a to z only, which festival's text analysis leaves as a word
    std::string phones; // cmudict's phones with stress digits, as us_english_respellings.h
};
// Every entry that festivalInput can hand over; festival is given them once, at its start.
std::vector<FestivalLexiconEntry> festivalLexiconEntries();

// The phones of the lexicon entry handed over as `word` (a word of festival's utterance), with
// the secondary stresses its lexicon says as primary ones; empty for any other word.
std::string lexiconEntryPhones(std::string_view word);

// One sentence of a piece, or a part of a long one, as festival is given it.
struct FestivalSentence {
    qsizetype start = 0; // where it starts in the decided text
    bool startsSentence = true;
    QString input; // Latin-1 only
};

// The sentences of the piece from piece.from on (an offset in the piece at which a sentence
// starts), each with its decided words replaced by their lexicon entries' words, and a long one
// in parts. Those without a letter or digit, which festival would say nothing for, are left out.
std::vector<FestivalSentence> festivalSentences(const PieceToSpeak& piece);

} // namespace tellwick
