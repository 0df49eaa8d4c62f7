#pragma once

#include "homograph_data.h"

#include <map>
#include <string>
#include <vector>

namespace tellwick::homographs {

// festival's US English lexicon (cmudict as festival ships it): each word's entries, each as
// cmudict phones with the stress of its syllable on every vowel ("r eh1 d").
using FestivalLexicon = std::map<std::string, std::vector<std::string>>;

// The lexicon file's entries; empty, after a message, when it cannot be read.
FestivalLexicon readFestivalLexicon(const std::string& path);

// The reading in cmudict's phones, lower case, with a stress digit on each vowel: festival's own
// entry for the word where its vowels and main stress are the reading's, else the reading's IPA
// written in cmudict's phones.
std::string usEnglishPhones(const ListedReading& reading, const FestivalLexicon& lexicon);

} // namespace tellwick::homographs
