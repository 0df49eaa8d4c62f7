#pragma once

#include <span>
#include <string_view>

namespace tellwick::homographs {

// How a reading of a homograph sounds: the data's IPA, and what the voice is given to say it,
// in each voice's own phonemes.
struct Pronunciation {
    // Which places of a sentence the reading can stand in, by its part of speech.
    enum Role : unsigned char { Other = 0, Verb = 1, Noun = 2, NounOrVerb = 3, PastTense = 4 };

    std::string_view wordid;
    std::string_view ipa;
    std::string_view english; // espeak-ng "en"
    // flite's and festival's US English voices: cmudict's phones, lower case, separated by
    // spaces, with the stress digit on each vowel ("r iy1 d").
    std::string_view usEnglish;
    Role role;
};

// Every reading, in wordid order.
std::span<const Pronunciation> pronunciations();
// The reading's pronunciation, or null for a wordid the table does not know.
const Pronunciation* pronunciationOf(std::string_view wordid);

} // namespace tellwick::homographs
