#include "pronunciation/homograph_features.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace tellwick::homographs {

namespace {

// How far the features look: the same clause or sentence, never more than this many units.
constexpr std::size_t lookAround = 200;
constexpr int reach = 3;

enum class Kind : char {
    Other = 'w',
    Determiner = 'D',
    Pronoun = 'P',
    Modal = 'M',
    DoAuxiliary = 'O',
    HaveAuxiliary = 'H',
    Be = 'B',
    To = 'T',
    Preposition = 'R',
    Conjunction = 'C',
    Adverb = 'A',
    Punctuation = ',',
    Edge = '|',
};

struct KindRow {
    std::u16string_view word;
    Kind kind;
};

// The closed classes of English that tell a noun's place from a verb's.
constexpr KindRow kindRows[] = {
    {u"the", Kind::Determiner},
    {u"a", Kind::Determiner},
    {u"an", Kind::Determiner},
    {u"this", Kind::Determiner},
    {u"that", Kind::Determiner},
    {u"these", Kind::Determiner},
    {u"those", Kind::Determiner},
    {u"his", Kind::Determiner},
    {u"its", Kind::Determiner},
    {u"their", Kind::Determiner},
    {u"our", Kind::Determiner},
    {u"my", Kind::Determiner},
    {u"your", Kind::Determiner},
    {u"some", Kind::Determiner},
    {u"any", Kind::Determiner},
    {u"no", Kind::Determiner},
    {u"each", Kind::Determiner},
    {u"every", Kind::Determiner},
    {u"another", Kind::Determiner},
    {u"other", Kind::Determiner},
    {u"such", Kind::Determiner},
    {u"i", Kind::Pronoun},
    {u"you", Kind::Pronoun},
    {u"he", Kind::Pronoun},
    {u"she", Kind::Pronoun},
    {u"we", Kind::Pronoun},
    {u"they", Kind::Pronoun},
    {u"it", Kind::Pronoun},
    {u"who", Kind::Pronoun},
    {u"which", Kind::Pronoun},
    {u"her", Kind::Pronoun},
    {u"him", Kind::Pronoun},
    {u"them", Kind::Pronoun},
    {u"us", Kind::Pronoun},
    {u"me", Kind::Pronoun},
    {u"will", Kind::Modal},
    {u"would", Kind::Modal},
    {u"can", Kind::Modal},
    {u"could", Kind::Modal},
    {u"should", Kind::Modal},
    {u"may", Kind::Modal},
    {u"might", Kind::Modal},
    {u"must", Kind::Modal},
    {u"shall", Kind::Modal},
    {u"cannot", Kind::Modal},
    {u"won't", Kind::Modal},
    {u"can't", Kind::Modal},
    {u"do", Kind::DoAuxiliary},
    {u"does", Kind::DoAuxiliary},
    {u"did", Kind::DoAuxiliary},
    {u"don't", Kind::DoAuxiliary},
    {u"doesn't", Kind::DoAuxiliary},
    {u"didn't", Kind::DoAuxiliary},
    {u"has", Kind::HaveAuxiliary},
    {u"have", Kind::HaveAuxiliary},
    {u"had", Kind::HaveAuxiliary},
    {u"having", Kind::HaveAuxiliary},
    {u"hasn't", Kind::HaveAuxiliary},
    {u"hadn't", Kind::HaveAuxiliary},
    {u"haven't", Kind::HaveAuxiliary},
    {u"is", Kind::Be},
    {u"are", Kind::Be},
    {u"was", Kind::Be},
    {u"were", Kind::Be},
    {u"be", Kind::Be},
    {u"been", Kind::Be},
    {u"being", Kind::Be},
    {u"to", Kind::To},
    {u"of", Kind::Preposition},
    {u"in", Kind::Preposition},
    {u"for", Kind::Preposition},
    {u"with", Kind::Preposition},
    {u"by", Kind::Preposition},
    {u"on", Kind::Preposition},
    {u"at", Kind::Preposition},
    {u"from", Kind::Preposition},
    {u"into", Kind::Preposition},
    {u"as", Kind::Preposition},
    {u"and", Kind::Conjunction},
    {u"or", Kind::Conjunction},
    {u"but", Kind::Conjunction},
    {u"not", Kind::Adverb},
    {u"never", Kind::Adverb},
    {u"also", Kind::Adverb},
    {u"then", Kind::Adverb},
    {u"often", Kind::Adverb},
    {u"first", Kind::Adverb},
    {u"already", Kind::Adverb},
    {u"n't", Kind::Adverb},
};

Kind kindOf(std::u16string_view word) {
    if (word.empty())
        return Kind::Edge;
    if (!isHomographWordUnit(word[0]))
        return Kind::Punctuation;
    // Every neighbour of every homograph is looked up, so the rows are indexed once.
    static const std::unordered_map<std::u16string_view, Kind> kinds = [] {
        std::unordered_map<std::u16string_view, Kind> index;
        for (const KindRow& row : kindRows)
            index.emplace(row.word, row.kind);
        return index;
    }();
    if (const auto found = kinds.find(word); found != kinds.end())
        return found->second;
    if (word.size() > 4 && word.ends_with(u"ly"))
        return Kind::Adverb;
    return Kind::Other;
}

bool endsSentence(char16_t unit) {
    return unit == u'.' || unit == u'!' || unit == u'?' || unit == u'\n' || unit == u'\r';
}

bool isSpace(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == 0xA0;
}

class Hasher {
public:
    explicit Hasher(char tag) { add(tag); }
    Hasher& add(char c) {
        hash_ = (hash_ ^ std::uint8_t(c)) * 16777619u;
        return *this;
    }
    Hasher& add(std::u16string_view word) {
        for (char16_t unit : word)
            add(char(unit & 0xFF)).add(char(unit >> 8));
        return add('\x1F');
    }
    // The same as add(foldedWord(word)), without making the folded copy.
    Hasher& addFolded(std::u16string_view word) {
        for (char16_t unit : word) {
            const char16_t folded = unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32)
                                    : unit == 0x2019             ? u'\''
                                                                 : unit;
            add(char(folded & 0xFF)).add(char(folded >> 8));
        }
        return add('\x1F');
    }
    std::uint32_t value() const { return hash_; }

private:
    std::uint32_t hash_ = 2166136261u;
};

// The words before (backwards) or after the homograph within its sentence, at most `reach`,
// with the sentence's edge as an empty word.
std::vector<std::u16string> neighbours(std::u16string_view text, std::size_t from, int step) {
    std::vector<std::u16string> words;
    std::size_t at = from;
    const std::size_t limit = step < 0 ? (from > lookAround ? from - lookAround : 0)
                                       : std::min(text.size(), from + lookAround);
    while (int(words.size()) < reach) {
        // Skip spaces toward the next word or mark.
        while (at != limit && isSpace(text[step < 0 ? at - 1 : at]))
            at = step < 0 ? at - 1 : at + 1;
        if (at == limit) {
            words.emplace_back();
            break;
        }
        const char16_t unit = text[step < 0 ? at - 1 : at];
        if (endsSentence(unit)) {
            words.emplace_back();
            break;
        }
        if (!isHomographWordUnit(unit)) {
            if (unit != u'"' && unit != u'\'' && unit != u'-')
                words.emplace_back(1, unit);
            at = step < 0 ? at - 1 : at + 1;
            continue;
        }
        std::size_t begin = at;
        std::size_t end = at;
        if (step < 0) {
            while (begin > limit && isHomographWordUnit(text[begin - 1]))
                --begin;
        } else {
            while (end < limit && isHomographWordUnit(text[end]))
                ++end;
        }
        words.push_back(foldedWord(text.substr(begin, end - begin)));
        at = step < 0 ? begin : end;
    }
    while (int(words.size()) < reach)
        words.emplace_back();
    return words;
}

std::u16string_view ending(std::u16string_view word, std::size_t length) {
    return word.size() > length + 1 ? word.substr(word.size() - length) : std::u16string_view();
}

} // namespace

// A plural noun as a subject: "historians", "rollers"; not "his", "its", "was", "always".
bool looksPlural(std::u16string_view word) {
    return word.size() > 3 && word.ends_with(u"s") && !word.ends_with(u"ss") &&
           !word.ends_with(u"us") && !word.ends_with(u"is") && !word.ends_with(u"ys") &&
           !word.ends_with(u"'s") && kindOf(word) == Kind::Other;
}

GrammaticalPlace grammaticalPlace(std::u16string_view text, std::size_t start, std::size_t end) {
    // Determiners that are never pronouns or conjunctions ("that", "her" and "no" can be).
    constexpr std::u16string_view articles[] = {u"the",   u"a",    u"an",    u"this",  u"these",
                                                u"those", u"his",  u"its",   u"their", u"our",
                                                u"my",    u"your", u"every", u"each"};
    const auto isArticle = [&](std::u16string_view word) {
        return std::find(std::begin(articles), std::end(articles), word) != std::end(articles);
    };
    const std::vector<std::u16string> before = neighbours(text, start, -1);
    const Kind previous = kindOf(before[0]);
    const Kind second = kindOf(before[1]);
    if (previous == Kind::Modal || previous == Kind::To)
        return GrammaticalPlace::Verb;
    // Do-support over a subject or "not": "did read", "did you read", "does not record".
    if (previous == Kind::DoAuxiliary ||
        (second == Kind::DoAuxiliary && (previous == Kind::Pronoun || before[0] == u"not")) ||
        ((second == Kind::Modal || second == Kind::To) && previous == Kind::Adverb))
        return GrammaticalPlace::Verb;
    if (previous == Kind::HaveAuxiliary ||
        (second == Kind::HaveAuxiliary && previous == Kind::Adverb))
        return GrammaticalPlace::PastParticiple;
    if (isArticle(before[0]))
        return GrammaticalPlace::Noun;
    const std::vector<std::u16string> after = neighbours(text, end, +1);
    const Kind next = kindOf(after[0]);
    if (looksPlural(before[0]) && !isArticle(before[1]) &&
        (next == Kind::Determiner || after[0] == u"them" || after[0] == u"him"))
        return GrammaticalPlace::Verb;
    return GrammaticalPlace::Unknown;
}

bool isHomographWordUnit(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
           (unit >= u'0' && unit <= u'9') || unit == u'\'' || unit == 0x2019 ||
           (unit >= 0xC0 && unit <= 0x24F && unit != 0xD7 && unit != 0xF7);
}

std::u16string foldedWord(std::u16string_view word) {
    std::u16string folded(word);
    for (char16_t& unit : folded) {
        if (unit >= u'A' && unit <= u'Z')
            unit = char16_t(unit + 32);
        else if (unit == 0x2019)
            unit = u'\'';
    }
    return folded;
}

std::size_t homographWordEnd(std::u16string_view text, std::size_t at) {
    while (at < text.size() && isHomographWordUnit(text[at]))
        ++at;
    return at;
}

std::vector<std::uint32_t> featuresOf(std::u16string_view text, std::size_t start,
                                      std::size_t end) {
    const std::vector<std::u16string> before = neighbours(text, start, -1);
    const std::vector<std::u16string> after = neighbours(text, end, +1);
    std::array<Kind, reach> kindBefore{}, kindAfter{};
    for (int i = 0; i < reach; ++i) {
        kindBefore[i] = kindOf(before[i]);
        kindAfter[i] = kindOf(after[i]);
    }
    std::vector<std::uint32_t> features;
    features.reserve(48);
    const auto add = [&](const Hasher& hasher) { features.push_back(hasher.value()); };
    add(Hasher('b'));
    for (int i = 0; i < reach; ++i) {
        add(Hasher('p').add(char('1' + i)).add(before[i]));
        add(Hasher('n').add(char('1' + i)).add(after[i]));
        add(Hasher('L').add(before[i]));
        add(Hasher('R').add(after[i]));
        add(Hasher('k').add(char('1' + i)).add(char(kindBefore[i])));
        add(Hasher('K').add(char('1' + i)).add(char(kindAfter[i])));
    }
    add(Hasher('2').add(before[1]).add(before[0]));
    add(Hasher('3').add(before[0]).add(after[0]));
    add(Hasher('4').add(after[0]).add(after[1]));
    add(Hasher('5').add(char(kindBefore[1])).add(char(kindBefore[0])).add(char(kindAfter[0])));
    add(Hasher('6').add(char(kindBefore[0])).add(char(kindAfter[0])).add(char(kindAfter[1])));
    add(Hasher('7').add(char(kindBefore[0])).add(after[0]));
    add(Hasher('8').add(before[0]).add(char(kindAfter[0])));
    for (std::size_t length : {2u, 3u}) {
        add(Hasher('e').add(char('0' + length)).add(ending(before[0], length)));
        add(Hasher('E').add(char('0' + length)).add(ending(after[0], length)));
    }
    // Do-support and the perfect reach over a subject or an adverb: "did you read",
    // "had not read", "has already read".
    for (int i = 0; i < reach; ++i) {
        if (kindBefore[i] == Kind::DoAuxiliary)
            add(Hasher('d').add(char('1' + i)));
        if (kindBefore[i] == Kind::HaveAuxiliary)
            add(Hasher('h').add(char('1' + i)));
        if (kindBefore[i] == Kind::Modal)
            add(Hasher('m').add(char('1' + i)));
        if (kindBefore[i] != Kind::Adverb && kindBefore[i] != Kind::Pronoun)
            break;
    }
    // A determiner, then perhaps an adjective, before a noun: "the aggregate", "an early draft".
    if (kindBefore[0] == Kind::Determiner ||
        (kindBefore[1] == Kind::Determiner && kindBefore[0] == Kind::Other))
        add(Hasher('D').add(char(kindBefore[0])));
    const std::u16string_view word = text.substr(start, end - start);
    const bool capital = !word.empty() && word[0] >= u'A' && word[0] <= u'Z';
    const bool allCapitals =
        std::all_of(word.begin(), word.end(), [](char16_t u) { return !(u >= u'a' && u <= u'z'); });
    add(Hasher('c').add(allCapitals ? 'A' : capital ? 'C' : 'l').add(char(kindBefore[0])));
    // The topic of the sentence tells senses apart ("bass" the fish or the voice): every word
    // of it within reach, wherever it stands.
    const std::size_t from = start > lookAround ? start - lookAround : 0;
    const std::size_t to = std::min(text.size(), end + lookAround);
    std::size_t sentenceStart = start, sentenceEnd = end;
    while (sentenceStart > from && !endsSentence(text[sentenceStart - 1]))
        --sentenceStart;
    while (sentenceEnd < to && !endsSentence(text[sentenceEnd]))
        ++sentenceEnd;
    for (std::size_t at = sentenceStart; at < sentenceEnd;) {
        if (!isHomographWordUnit(text[at])) {
            ++at;
            continue;
        }
        const std::size_t wordEnd = homographWordEnd(text.substr(0, sentenceEnd), at);
        if (wordEnd - at > 3 && at != start)
            add(Hasher('S').addFolded(text.substr(at, wordEnd - at)));
        at = wordEnd;
    }
    return features;
}

} // namespace tellwick::homographs
