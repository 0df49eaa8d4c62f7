#pragma once

#include <string>
#include <string_view>

namespace tellwick {

// One word in cmudict's phones as flite's and festival's US English voices say it (lower case,
// separated by spaces, the stress of its syllable on each vowel: "ax0 b aw1 t"), in the IPA as
// US dictionaries write it ("əˈbaʊt"): "ˈ" or "ˌ" before a stressed syllable, with the consonants
// before its vowel that can begin an English syllable. A phone the set lacks stays as it is.
std::string usEnglishIpa(std::string_view phones);

} // namespace tellwick
