#include "speech/us_english_ipa.h"

#include <algorithm>
#include <vector>

namespace tellwick {

namespace {

struct PhoneInIpa {
    std::string_view phone;
    std::string_view ipa;
    // Where the vowel sounds otherwise without stress (the schwas); else empty.
    std::string_view unstressedIpa = {};
};
constexpr PhoneInIpa phonesInIpa[] = {
    {"aa", "ɑ"},  {"ae", "æ"},      {"ah", "ʌ", "ə"}, {"ao", "ɔ"},  {"aw", "aʊ"}, {"ax", "ə"},
    {"axr", "ɚ"}, {"ay", "aɪ"},     {"b", "b"},       {"ch", "tʃ"}, {"d", "d"},   {"dh", "ð"},
    {"eh", "ɛ"},  {"er", "ɝ", "ɚ"}, {"ey", "eɪ"},     {"f", "f"},   {"g", "ɡ"},   {"hh", "h"},
    {"ih", "ɪ"},  {"iy", "iː"},     {"jh", "dʒ"},     {"k", "k"},   {"l", "l"},   {"m", "m"},
    {"n", "n"},   {"ng", "ŋ"},      {"ow", "oʊ"},     {"oy", "ɔɪ"}, {"p", "p"},   {"r", "ɹ"},
    {"s", "s"},   {"sh", "ʃ"},      {"t", "t"},       {"th", "θ"},  {"uh", "ʊ"},  {"uw", "uː"},
    {"v", "v"},   {"w", "w"},       {"y", "j"},       {"z", "z"},   {"zh", "ʒ"},
};

// The clusters of two or three consonants that begin English syllables ("street", "cube");
// every consonant but "ng" begins one alone.
constexpr std::string_view clusterOnsets[] = {
    "p r",  "p l",  "p y",   "b r",   "b l",   "b y",   "t r",   "t w",   "d r",   "d w",   "k r",
    "k l",  "k w",  "k y",   "g r",   "g l",   "g w",   "g y",   "f r",   "f l",   "f y",   "v y",
    "th r", "th w", "sh r",  "m y",   "hh y",  "s p",   "s t",   "s k",   "s m",   "s n",   "s l",
    "s w",  "s f",  "s p r", "s p l", "s p y", "s t r", "s k r", "s k l", "s k w", "s k y",
};

struct Phone {
    std::string_view name;
    char stress = 0; // '0', '1' or '2' on a vowel; 0 on a consonant
};

std::vector<Phone> phonesOf(std::string_view phones) {
    std::vector<Phone> out;
    while (!phones.empty()) {
        const std::size_t end = std::min(phones.find(' '), phones.size());
        Phone phone{phones.substr(0, end)};
        phones.remove_prefix(std::min(end + 1, phones.size()));
        if (phone.name.empty())
            continue;
        if (phone.name.back() >= '0' && phone.name.back() <= '9') {
            phone.stress = phone.name.back();
            phone.name.remove_suffix(1);
        }
        out.push_back(phone);
    }
    return out;
}

bool beginsSyllable(const std::vector<Phone>& phones, std::size_t from, std::size_t to) {
    if (to - from == 1)
        return phones[from].name != "ng";
    std::string cluster;
    for (std::size_t i = from; i < to; ++i) {
        if (i != from)
            cluster += ' ';
        cluster += phones[i].name;
    }
    return std::find(std::begin(clusterOnsets), std::end(clusterOnsets), cluster) !=
           std::end(clusterOnsets);
}

} // namespace

std::string usEnglishIpa(std::string_view text) {
    const std::vector<Phone> phones = phonesOf(text);
    // Where each stress mark goes: before the longest run of consonants ahead of a stressed vowel
    // that begins a syllable; at the word's start, before all of them.
    std::vector<std::string_view> marks(phones.size());
    std::size_t afterVowel = 0;
    for (std::size_t vowel = 0; vowel < phones.size(); ++vowel) {
        if (phones[vowel].stress == 0)
            continue;
        std::size_t onset = vowel;
        if (afterVowel == 0)
            onset = 0;
        while (onset > afterVowel && beginsSyllable(phones, onset - 1, vowel))
            --onset;
        if (phones[vowel].stress != '0')
            marks[onset] = phones[vowel].stress == '1' ? "ˈ" : "ˌ";
        afterVowel = vowel + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < phones.size(); ++i) {
        out += marks[i];
        const auto row = std::find_if(
            std::begin(phonesInIpa), std::end(phonesInIpa),
            [&](const PhoneInIpa& candidate) { return candidate.phone == phones[i].name; });
        if (row == std::end(phonesInIpa))
            out += phones[i].name;
        else if (phones[i].stress == '0' && !row->unstressedIpa.empty())
            out += row->unstressedIpa;
        else
            out += row->ipa;
    }
    return out;
}

} // namespace tellwick
