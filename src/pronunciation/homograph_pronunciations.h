#pragma once

#include <span>
#include <string_view>

namespace tellwick::homographs {

// How a reading of a homograph sounds: the data's IPA, and what the voice is given to say it,
// in espeak-ng's phoneme input for its "en" voice (another voice would get a column of its own).
struct Pronunciation {
    // Which places of a sentence the reading can stand in, by its part of speech.
    enum Role : unsigned char { Other = 0, Verb = 1, Noun = 2, NounOrVerb = 3, PastTense = 4 };

    std::string_view wordid;
    std::string_view ipa;
    std::string_view english; // espeak-ng "en"
    Role role;
};

// Every reading, in wordid order.
std::span<const Pronunciation> pronunciations();
// The reading's pronunciation, or null for a wordid the table does not know.
const Pronunciation* pronunciationOf(std::string_view wordid);

} // namespace tellwick::homographs
