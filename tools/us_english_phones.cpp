#include "us_english_phones.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>

namespace tellwick::homographs {

namespace {

struct IpaToPhone {
    std::string_view ipa;
    std::string_view phone; // empty: no phone of its own
};

// The data's American IPA in cmudict's phones, longest first. A schwa is festival's "ax", which
// its lexicon uses for the reduced vowel; stressed, it is "ah".
constexpr IpaToPhone ipaToPhones[] = {
    {"eɪ", "ey"}, {"aɪ", "ay"}, {"aʊ", "aw"}, {"ɔɪ", "oy"}, {"oʊ", "ow"}, {"iː", "iy"},
    {"uː", "uw"}, {"ɑː", "aa"}, {"ɔː", "ao"}, {"ɝː", "er"}, {"dʒ", "jh"}, {"tʃ", "ch"},
    {"ʤ", "jh"},  {"ʧ", "ch"},  {"æ", "ae"},  {"ɑ", "aa"},  {"ə", "ax"},  {"ɚ", "er"},
    {"ɛ", "eh"},  {"ɪ", "ih"},  {"i", "iy"},  {"ʊ", "uh"},  {"u", "uw"},  {"ʌ", "ah"},
    {"ɝ", "er"},  {"ɔ", "ao"},  {"ɹ", "r"},   {"r", "r"},   {"ʃ", "sh"},  {"ʒ", "zh"},
    {"θ", "th"},  {"ð", "dh"},  {"ŋ", "ng"},  {"ɡ", "g"},   {"g", "g"},   {"e", "ey"},
    {"o", "ow"},  {"a", "aa"},  {"j", "y"},   {"h", "hh"},  {"b", "b"},   {"d", "d"},
    {"f", "f"},   {"k", "k"},   {"l", "l"},   {"m", "m"},   {"n", "n"},   {"p", "p"},
    {"s", "s"},   {"t", "t"},   {"v", "v"},   {"w", "w"},   {"z", "z"},   {"ː", ""},
};

constexpr std::string_view vowels[] = {"aa", "ae", "ah", "ao", "aw", "ax", "axr", "ay", "eh",
                                       "er", "ey", "ih", "iy", "ow", "oy", "uh",  "uw"};

bool isVowel(std::string_view phone) {
    for (std::string_view vowel : vowels) {
        if (phone == vowel)
            return true;
    }
    return false;
}

// Vowels that festival's lexicon and the IPA tell apart only by their stress.
std::string_view vowelClass(std::string_view vowel) {
    return vowel == "ax" ? "ah" : vowel == "axr" ? "er" : vowel;
}

struct Phone {
    std::string name;
    int stress = -1; // vowels only: 0 none, 1 main, 2 secondary
};

// The data writes most reduced vowels as a schwa where the lexicon has "ih" ("reading").
bool sameVowel(const Phone& wanted, const Phone& offered) {
    const auto reduced = [](const Phone& vowel) {
        return vowel.stress == 0 &&
               (vowel.name == "ax" || vowel.name == "ih" || vowel.name == "ah");
    };
    return vowelClass(wanted.name) == vowelClass(offered.name) ||
           (reduced(wanted) && reduced(offered));
}

std::vector<Phone> phonesOfIpa(std::string_view ipa) {
    std::vector<Phone> phones;
    int pendingStress = 0;
    bool anyStressMark = false;
    while (!ipa.empty()) {
        if (ipa.starts_with("'") || ipa.starts_with("ˌ")) {
            pendingStress = ipa.front() == '\'' ? 1 : 2;
            anyStressMark = true;
            ipa.remove_prefix(ipa.front() == '\'' ? 1 : std::string_view("ˌ").size());
            continue;
        }
        const IpaToPhone* found = nullptr;
        for (const IpaToPhone& row : ipaToPhones) {
            if (ipa.starts_with(row.ipa)) {
                found = &row;
                break;
            }
        }
        if (found == nullptr) { // stray digits and marks of the data
            ipa.remove_prefix(1);
            continue;
        }
        ipa.remove_prefix(found->ipa.size());
        if (found->phone.empty())
            continue;
        Phone phone{std::string(found->phone)};
        if (isVowel(phone.name)) {
            phone.stress = pendingStress;
            pendingStress = 0;
            if (phone.name == "ax" && phone.stress != 0)
                phone.name = "ah";
        }
        phones.push_back(phone);
    }
    if (!anyStressMark) {
        for (Phone& phone : phones) {
            if (phone.stress >= 0) {
                phone.stress = 1;
                break;
            }
        }
    }
    return phones;
}

std::vector<Phone> phonesOfEntry(const std::string& entry) {
    std::vector<Phone> phones;
    std::istringstream words(entry);
    for (std::string word; words >> word;) {
        const char last = word.back();
        if (last >= '0' && last <= '9')
            phones.push_back({word.substr(0, word.size() - 1), last - '0'});
        else
            phones.push_back({word});
    }
    return phones;
}

// The entry with the reading's main stress on it, where its phones are the reading's but for how
// it writes the reduced vowels; and how many of its vowels are stressed where the reading's are
// not, or the other way round.
struct MatchingEntry {
    std::string phones;
    int otherStresses = 0;
};
std::optional<MatchingEntry> entryMatching(const std::vector<Phone>& reading,
                                           const std::vector<Phone>& entry) {
    if (reading.size() != entry.size())
        return std::nullopt;
    MatchingEntry matching;
    for (std::size_t p = 0; p < reading.size(); ++p) {
        const bool vowels = reading[p].stress >= 0 && entry[p].stress >= 0;
        if (vowels ? !sameVowel(reading[p], entry[p]) ||
                         (reading[p].stress == 1 && entry[p].stress == 0)
                   : reading[p].name != entry[p].name)
            return std::nullopt;
        matching.phones += matching.phones.empty() ? "" : " ";
        matching.phones += entry[p].name;
        if (entry[p].stress >= 0) {
            matching.phones += char('0' + (reading[p].stress == 1 ? 1
                                           : entry[p].stress > 0  ? 2
                                                                  : 0));
            matching.otherStresses += (reading[p].stress > 0) != (entry[p].stress > 0) ? 1 : 0;
        }
    }
    return matching;
}

std::string written(const std::vector<Phone>& phones) {
    std::string out;
    for (const Phone& phone : phones) {
        out += out.empty() ? "" : " ";
        out += phone.name;
        if (phone.stress >= 0)
            out += char('0' + phone.stress);
    }
    return out;
}

} // namespace

FestivalLexicon readFestivalLexicon(const std::string& path) {
    FestivalLexicon lexicon;
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "cannot read festival's lexicon %s: readings from the IPA alone\n",
                     path.c_str());
        return lexicon;
    }
    // ("record" n (((r eh) 1) ((k er d) 0)))
    for (std::string line; std::getline(file, line);) {
        if (!line.starts_with("(\""))
            continue;
        const std::size_t wordEnd = line.find('"', 2);
        const std::size_t syllables = line.find("(((");
        if (wordEnd == std::string::npos || syllables == std::string::npos)
            continue;
        std::string entry;
        std::istringstream rest(line.substr(syllables));
        std::vector<std::string> pending;
        for (std::string token; rest >> token;) {
            std::string name;
            for (char c : token) {
                if (c != '(' && c != ')')
                    name += c;
            }
            if (name.empty())
                continue;
            if (token.back() == ')' && !name.empty() && name[0] >= '0' && name[0] <= '9') {
                for (const std::string& phone : pending) {
                    entry += entry.empty() ? "" : " ";
                    entry += phone + (isVowel(phone) ? name : "");
                }
                pending.clear();
            } else {
                pending.push_back(name);
            }
        }
        lexicon[line.substr(2, wordEnd - 2)].push_back(entry);
    }
    return lexicon;
}

std::string usEnglishPhones(const ListedReading& reading, const FestivalLexicon& lexicon) {
    const std::vector<Phone> fromIpa = phonesOfIpa(reading.ipa);
    std::optional<MatchingEntry> best;
    if (const auto entries = lexicon.find(reading.homograph); entries != lexicon.end()) {
        for (const std::string& entry : entries->second) {
            const std::optional<MatchingEntry> matching =
                entryMatching(fromIpa, phonesOfEntry(entry));
            if (matching && (!best || matching->otherStresses < best->otherStresses))
                best = matching;
        }
    }
    return best ? best->phones : written(fromIpa);
}

} // namespace tellwick::homographs
