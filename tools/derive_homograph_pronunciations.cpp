// Writes the voice's pronunciation of every reading of every homograph (the table of
// src/pronunciation/homograph_pronunciations.cpp): for each reading, among espeak-ng's own
// readings of the word in a noun's and a verb's places and the reading's IPA written in
// espeak-ng's phonemes, the one that espeak-ng says nearest to that reading and farther from
// every other reading of the word. Beside it, the reading in cmudict's phones for flite's and
// festival's US English voices: festival's own lexicon entry for the word where its vowels and
// main stress are the reading's, else the reading's IPA written in cmudict's phones.
//
//   derive_homograph_pronunciations DATA/wordids.tsv [FESTIVAL/dicts/cmu/cmudict-0.4.out]
//   > src/pronunciation/homograph_pronunciations.cpp

#include "homograph_data.h"
#include "us_english_phones.h"

#include "pronunciation/homograph_sounds.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace tellwick::homographs;

namespace {

int dropSound(short*, int, espeak_EVENT*) {
    return 0;
}

std::string listing(const std::string& text, int alphabet) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&buffer, &size);
    espeak_SetPhonemeTrace(alphabet, stream);
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                 espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
    espeak_SetPhonemeTrace(0, nullptr);
    std::fclose(stream);
    std::string out(buffer, size);
    std::free(buffer);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    while (!out.empty() && (out.front() == '\n' || out.front() == ' '))
        out.erase(out.begin());
    return out;
}

std::string lastWord(const std::string& line) {
    const std::size_t space = line.find_last_of(" \n");
    return space == std::string::npos ? line : line.substr(space + 1);
}

struct IpaToPhoneme {
    std::string_view ipa;
    std::string_view phoneme;
};

// The data's American IPA in espeak-ng's phonemes for English, longest first.
constexpr IpaToPhoneme ipaToPhonemes[] = {
    // The voice's accent keeps the "y" sound before "oo" after these ("minute": "mai-nyoot").
    {"nuː", "nju:"}, {"tuː", "tju:"}, {"duː", "dju:"}, {"eɪ", "eI"}, {"aɪ", "aI"}, {"aʊ", "aU"},
    {"ɔɪ", "OI"},    {"oʊ", "oU"},    {"iː", "i:"},    {"uː", "u:"}, {"ɑː", "A:"}, {"ɔː", "O:"},
    {"ʤ", "dZ"},     {"ʧ", "tS"},     {"æ", "a"},      {"ɑ", "0"},   {"ə", "@"},   {"ɚ", "3"},
    {"ɛ", "E"},      {"ɪ", "I"},      {"i", "i"},      {"ʊ", "U"},   {"u", "u:"},  {"ʌ", "V"},
    {"ɝ", "3:"},     {"ɔ", "O:"},     {"ɹ", "r"},      {"ʃ", "S"},   {"ʒ", "Z"},   {"θ", "T"},
    {"ð", "D"},      {"ŋ", "N"},      {"ɡ", "g"},      {"ˌ", ","},   {"'", "'"},   {"e", "E"},
    {"o", "oU"},     {"a", "a"},      {"ː", ""},
};

// The places in which espeak-ng is asked for its own readings: alone, a noun's, a verb's.
constexpr const char* contexts[] = {"", "the ", "to ", "they ", "a "};
constexpr std::size_t nativeCandidates = std::size(contexts);

std::string phonemesOfIpa(std::string_view ipa, bool lotAsPalm) {
    std::string out;
    while (!ipa.empty()) {
        bool matched = false;
        for (const IpaToPhoneme& row : ipaToPhonemes) {
            if (ipa.starts_with(row.ipa)) {
                out += row.ipa == "ɑ" && lotAsPalm ? "A:" : std::string(row.phoneme);
                ipa.remove_prefix(row.ipa.size());
                matched = true;
                break;
            }
        }
        if (!matched) {
            const char c = ipa.front();
            if (c >= 'a' && c <= 'z')
                out += c;
            ipa.remove_prefix(1);
        }
    }
    return out;
}

// The places a reading can stand in, from the data's label of it: a verb's place for a verb in its
// plain form, a noun's for a noun or an adjective, a past participle's for a past tense.
// Readings whose label gives a meaning rather than a part of speech: "analysis" is the noun and
// "analyze" the verb, and the bow of "gesture / front of ship" is also the verb (to bow).
constexpr std::pair<std::string_view, const char*> placesByMeaning[] = {
    {"analyses_nou", "Pronunciation::Noun"},
    {"analyses_vrb", "Pronunciation::Verb"},
    {"bow_nou-ship", "Pronunciation::Verb"},
};

const char* roleOf(const std::string& wordid, const std::string& label) {
    for (const auto& [reading, place] : placesByMeaning) {
        if (reading == wordid)
            return place;
    }
    if (label.starts_with("past tense"))
        return "Pronunciation::PastTense";
    const bool verb = label == "verb" || label == "present tense verb" || label == "noun-verb";
    const bool noun = label.find("noun") != std::string::npos || label.starts_with("adjective");
    return verb && noun ? "Pronunciation::NounOrVerb"
           : verb       ? "Pronunciation::Verb"
           : noun       ? "Pronunciation::Noun"
                        : "Pronunciation::Other";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: derive_homograph_pronunciations WORDIDS.tsv [CMUDICT.out]\n");
        return 2;
    }
    const FestivalLexicon lexicon =
        readFestivalLexicon(argc == 3 ? argv[2] : "/usr/share/festival/dicts/cmu/cmudict-0.4.out");
    const std::vector<ListedReading> listed = readReadings(argv[1]);
    if (listed.empty() || espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0) < 0 ||
        espeak_SetVoiceByName("en") != EE_OK) {
        std::fprintf(stderr, "derive_homograph_pronunciations: no readings or no espeak-ng\n");
        return 1;
    }
    espeak_SetSynthCallback(dropSound);
    std::map<std::string, std::vector<const ListedReading*>> byWord;
    for (const ListedReading& reading : listed)
        byWord[reading.homograph].push_back(&reading);
    std::printf("// The voice's pronunciation of each reading of each homograph, written by\n"
                "// tools/derive_homograph_pronunciations from the data's IPA and espeak-ng's own "
                "readings.\n\n#include \"pronunciation/homograph_pronunciations.h\"\n\n"
                "#include <algorithm>\n\nnamespace tellwick::homographs {\n\nnamespace {\n\n"
                "constexpr Pronunciation table[] = {\n");
    std::vector<std::pair<std::string, std::string>> rows; // wordid, row
    int unsure = 0;
    for (const auto& [word, readings] : byWord) {
        std::vector<Sounds> targets;
        for (const ListedReading* reading : readings)
            targets.push_back(soundsOf(reading->ipa));
        std::vector<std::string> candidates;
        for (const char* context : contexts) {
            const std::string said = lastWord(listing(context + word + ".", espeakPHONEMES_SHOW));
            candidates.push_back(said);
        }
        for (const ListedReading* reading : readings) {
            candidates.push_back(phonemesOfIpa(reading->ipa, false));
            candidates.push_back(phonemesOfIpa(reading->ipa, true));
        }
        for (std::size_t r = 0; r < readings.size(); ++r) {
            std::string chosen;
            double best = 1e9;
            for (std::size_t c = 0; c < candidates.size(); ++c) {
                const Sounds heard =
                    soundsOf(listing("[[" + candidates[c] + "]]", espeakPHONEMES_IPA));
                if (nearestReading(heard, targets) != int(r))
                    continue;
                // The voice's own readings keep its accent: they win over a transcription that
                // is only a little nearer to the American IPA.
                const double d = distance(heard, targets[r]) - (c < nativeCandidates ? 0.6 : 0.0);
                if (d < best - 1e-9) {
                    best = d;
                    chosen = candidates[c];
                }
            }
            if (chosen.empty()) {
                ++unsure;
                std::fprintf(stderr, "no pronunciation tells %s apart\n",
                             readings[r]->wordid.c_str());
                chosen = candidates[nativeCandidates + 2 * r];
            }
            rows.emplace_back(readings[r]->wordid,
                              "    {\"" + readings[r]->wordid + "\", \"" + readings[r]->ipa +
                                  "\", \"" + chosen + "\", \"" +
                                  usEnglishPhones(*readings[r], lexicon) + "\", " +
                                  roleOf(readings[r]->wordid, readings[r]->label) + "},\n");
        }
    }
    std::sort(rows.begin(), rows.end());
    for (const auto& row : rows)
        std::printf("%s", row.second.c_str());
    std::printf("};\n\n} // namespace\n\n"
                "std::span<const Pronunciation> pronunciations() {\n    return table;\n}\n\n"
                "const Pronunciation* pronunciationOf(std::string_view wordid) {\n"
                "    const auto found = std::lower_bound(\n"
                "        std::begin(table), std::end(table), wordid,\n"
                "        [](const Pronunciation& row, std::string_view key) { return row.wordid < "
                "key; });\n"
                "    return found != std::end(table) && found->wordid == wordid ? found : "
                "nullptr;\n}\n\n} // namespace tellwick::homographs\n");
    return unsure == 0 ? 0 : 3;
}
