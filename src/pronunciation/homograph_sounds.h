#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tellwick::homographs {

// What a listener tells two readings of a homograph apart by, taken from an IPA transcription:
// its vowels, grouped so that the voice's British accent and the data's American one agree
// ("ɒ" and "ɑː", "əʊ" and "oʊ", "ɚ" and "ə"), the vowel that carries the main stress, and the
// consonants, which only settle readings whose vowels and stress are the same ("abuse": s or z).
struct Sounds {
    std::vector<char> vowels;
    int stressedVowel = -1; // index into vowels; -1 when the transcription marks none
    std::u32string consonants;
};

// Reads an IPA transcription in UTF-8, with "ˈ" or "'" before the syllable with main stress
// (wherever in the syllable), "ˌ" for secondary stress, and anything else of espeak-ng's IPA
// listing or of the data's transcriptions.
Sounds soundsOf(std::string_view ipa);

// How far a heard pronunciation is from a reading: 0 when vowels, stress and consonants agree;
// a vowel of another kind or a missing vowel costs 1, a stress on another vowel 2, a consonant
// 0.1. Reduced vowels ("ə", "ɪ", "ᵻ") count as close to one another.
double distance(const Sounds& heard, const Sounds& reading);

// The index of the reading among `readings` that `heard` is nearest to; -1 when two are equally
// near.
int nearestReading(const Sounds& heard, const std::vector<Sounds>& readings);

} // namespace tellwick::homographs
