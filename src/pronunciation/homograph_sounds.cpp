#include "pronunciation/homograph_sounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tellwick::homographs {

namespace {

struct VowelSpelling {
    std::u32string_view spelling;
    char kind;
};

// Longer spellings first, so that a diphthong is never read as two vowels.
constexpr VowelSpelling vowelSpellings[] = {
    {U"aɪə", 'Y'}, {U"aʊə", 'W'}, {U"eɪ", 'A'}, {U"aɪ", 'Y'}, {U"aʊ", 'W'}, {U"ɔɪ", 'y'},
    {U"oʊ", 'O'},  {U"əʊ", 'O'},  {U"eə", 'e'}, {U"ɛə", 'e'}, {U"ɪə", 'i'}, {U"ʊə", 'u'},
    {U"iː", 'I'},  {U"uː", 'U'},  {U"ɑː", 'o'}, {U"ɔː", 'o'}, {U"ɜː", '3'}, {U"æ", 'a'},
    {U"a", 'a'},   {U"ɑ", 'o'},   {U"ɒ", 'o'},  {U"ɔ", 'o'},  {U"ə", '@'},  {U"ɚ", 'r'},
    {U"ᵻ", 'R'},   {U"ɪ", 'i'},   {U"i", 'I'},  {U"ɛ", 'e'},  {U"e", 'e'},  {U"ʊ", 'u'},
    {U"u", 'U'},   {U"ʌ", '^'},   {U"ɝ", '3'},  {U"ɜ", '3'},  {U"o", 'O'},
};

// Marks that are neither vowels nor consonants. The "r" sounds are left out as well: the accents
// differ exactly there.
bool isIgnored(char32_t c) {
    return c == U' ' || c == U'-' || c == U'ː' || c == U'ˑ' || c == U'ɹ' || c == U'r' ||
           (c >= U'0' && c <= U'9') || (c >= 0x300 && c <= 0x36F);
}

char32_t plainConsonant(char32_t c) {
    switch (c) {
    case U'ʤ':
        return U'ʒ'; // "dʒ" is d + ʒ in espeak-ng's listing
    case U'ʧ':
        return U'ʃ';
    case U'ɡ':
        return U'g';
    default:
        return c;
    }
}

std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += c;
        i += length;
    }
    return out;
}

bool isReduced(char kind) {
    return kind == '@' || kind == 'i' || kind == 'R';
}

double vowelCost(char a, char b) {
    if (a == b)
        return 0;
    if (isReduced(a) && isReduced(b))
        return 0.3;
    // "ɚ" is the American schwa or, stressed, the vowel of "nurse".
    if ((a == 'r' && (b == '@' || b == '3')) || (b == 'r' && (a == '@' || a == '3')))
        return 0.3;
    // "ᵻ" is espeak-ng's vowel between "ɪ" and "ə", and the data writes "i" unstressed at ends.
    if ((a == 'R' && b == 'I') || (a == 'I' && b == 'R') || (a == 'i' && b == 'I') ||
        (a == 'I' && b == 'i'))
        return 0.5;
    return 1;
}

template <typename Sequence, typename Cost>
double editDistance(const Sequence& a, const Sequence& b, double gap, Cost cost) {
    std::vector<double> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = gap * double(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        double diagonal = row[0];
        row[0] = gap * double(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const double above = row[j];
            row[j] = std::min({above + gap, row[j - 1] + gap, diagonal + cost(a[i - 1], b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

Sounds soundsOf(std::string_view ipa) {
    const std::u32string text = decodeUtf8(ipa);
    Sounds sounds;
    bool stressPending = false;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = text[i];
        if (c == U'ˈ' || c == U'\'') {
            stressPending = sounds.stressedVowel < 0;
            ++i;
            continue;
        }
        if (c == U'ˌ' || isIgnored(c)) {
            ++i;
            continue;
        }
        const auto vowel = std::find_if(
            std::begin(vowelSpellings), std::end(vowelSpellings), [&](const VowelSpelling& v) {
                return std::u32string_view(text).substr(i, v.spelling.size()) == v.spelling;
            });
        if (vowel != std::end(vowelSpellings)) {
            if (stressPending)
                sounds.stressedVowel = int(sounds.vowels.size());
            stressPending = false;
            sounds.vowels.push_back(vowel->kind);
            i += vowel->spelling.size();
            continue;
        }
        sounds.consonants += plainConsonant(c);
        ++i;
    }
    // A word of one vowel has its stress there, marked or not.
    if (sounds.stressedVowel < 0 && sounds.vowels.size() == 1)
        sounds.stressedVowel = 0;
    return sounds;
}

double distance(const Sounds& heard, const Sounds& reading) {
    double total = editDistance(heard.vowels, reading.vowels, 1.0, vowelCost);
    if (heard.stressedVowel >= 0 && reading.stressedVowel >= 0 &&
        heard.stressedVowel != reading.stressedVowel)
        total += 2;
    total += 0.1 * editDistance(heard.consonants, reading.consonants, 1.0,
                                [](char32_t a, char32_t b) { return a == b ? 0.0 : 1.0; });
    return total;
}

int nearestReading(const Sounds& heard, const std::vector<Sounds>& readings) {
    int nearest = -1;
    double best = std::numeric_limits<double>::infinity();
    bool tied = false;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const double d = distance(heard, readings[i]);
        if (std::abs(d - best) < 1e-9) {
            tied = true;
        } else if (d < best) {
            best = d;
            nearest = int(i);
            tied = false;
        }
    }
    return tied ? -1 : nearest;
}

} // namespace tellwick::homographs
