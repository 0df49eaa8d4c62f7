#pragma once

#include "pronunciation/homograph_training.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace tellwick::homographs {

// One reading of a homograph as wordids.tsv lists it.
struct ListedReading {
    std::string homograph, wordid, ipa, label;
};

// A labelled sentence of the data, and the same sentence as the voice is given it.
struct LabelledSentence {
    std::string homograph;
    std::string sentence; // UTF-8, as in the data
    int fold = 0;         // 0..9, stratified by homograph
    // The text the voice is given for the sentence (the rewriter's output with numbers and the
    // like in words, as speakableText makes it), with the homograph's place in it; `found` is
    // false where the rewriter respelled the homograph (the voice then never decides it).
    Example spoken;
    bool found = false;
};

// Reads wordids.tsv, with the slips its README lists mended; nothing, with a message on standard
// error, when it cannot.
std::vector<ListedReading> readReadings(const std::string& path);
// The homographs and their readings, in the order of the list.
std::vector<ListedHomograph> homographsOf(const std::vector<ListedReading>& readings);
// Reads every train/<homograph>.tsv of the folder, homographs in name order, sentences in file
// order; `perHomograph` > 0 keeps only the first so many of each.
std::vector<LabelledSentence> readSentences(const std::string& folder, int perHomograph = 0);

// The readings and the sentences of the data folder DATA (wordids.tsv and train/); false, with a
// message from `program` on standard error, when it holds none.
bool readData(const std::string& data, int perHomograph, std::vector<ListedReading>* readings,
              std::vector<LabelledSentence>* sentences, const char* program);

// Sentences decided right and seen in each of the ten folds.
using FoldTallies = std::array<std::pair<int, int>, 10>;
// Prints each fold's accuracy and their spread: a change smaller than the spread is not yet a
// gain.
void printFoldSpread(const FoldTallies& folds);

} // namespace tellwick::homographs
