#include "pronunciation/homograph_features.h"

#include <algorithm>
#include <cstring>

namespace tellwick::homographs {

namespace {

// How far the features look: the same clause or sentence, never more than this many units.
constexpr std::size_t lookAround = 200;
constexpr int reach = Neighbourhood::reach;
using Word = Neighbourhood::Word;

struct KindRow {
    std::u16string_view word;
    WordKind kind;
};

// The closed classes of English that tell a noun's place from a verb's.
constexpr KindRow kindRows[] = {
    {u"the", WordKind::Determiner},
    {u"a", WordKind::Determiner},
    {u"an", WordKind::Determiner},
    {u"this", WordKind::Determiner},
    {u"that", WordKind::Determiner},
    {u"these", WordKind::Determiner},
    {u"those", WordKind::Determiner},
    {u"his", WordKind::Determiner},
    {u"its", WordKind::Determiner},
    {u"their", WordKind::Determiner},
    {u"our", WordKind::Determiner},
    {u"my", WordKind::Determiner},
    {u"your", WordKind::Determiner},
    {u"some", WordKind::Determiner},
    {u"any", WordKind::Determiner},
    {u"no", WordKind::Determiner},
    {u"each", WordKind::Determiner},
    {u"every", WordKind::Determiner},
    {u"another", WordKind::Determiner},
    {u"other", WordKind::Determiner},
    {u"such", WordKind::Determiner},
    {u"i", WordKind::Pronoun},
    {u"you", WordKind::Pronoun},
    {u"he", WordKind::Pronoun},
    {u"she", WordKind::Pronoun},
    {u"we", WordKind::Pronoun},
    {u"they", WordKind::Pronoun},
    {u"it", WordKind::Pronoun},
    {u"who", WordKind::Pronoun},
    {u"which", WordKind::Pronoun},
    {u"her", WordKind::Pronoun},
    {u"him", WordKind::Pronoun},
    {u"them", WordKind::Pronoun},
    {u"us", WordKind::Pronoun},
    {u"me", WordKind::Pronoun},
    {u"will", WordKind::Modal},
    {u"would", WordKind::Modal},
    {u"can", WordKind::Modal},
    {u"could", WordKind::Modal},
    {u"should", WordKind::Modal},
    {u"may", WordKind::Modal},
    {u"might", WordKind::Modal},
    {u"must", WordKind::Modal},
    {u"shall", WordKind::Modal},
    {u"cannot", WordKind::Modal},
    {u"won't", WordKind::Modal},
    {u"can't", WordKind::Modal},
    {u"do", WordKind::DoAuxiliary},
    {u"does", WordKind::DoAuxiliary},
    {u"did", WordKind::DoAuxiliary},
    {u"don't", WordKind::DoAuxiliary},
    {u"doesn't", WordKind::DoAuxiliary},
    {u"didn't", WordKind::DoAuxiliary},
    {u"has", WordKind::HaveAuxiliary},
    {u"have", WordKind::HaveAuxiliary},
    {u"had", WordKind::HaveAuxiliary},
    {u"having", WordKind::HaveAuxiliary},
    {u"hasn't", WordKind::HaveAuxiliary},
    {u"hadn't", WordKind::HaveAuxiliary},
    {u"haven't", WordKind::HaveAuxiliary},
    {u"is", WordKind::Be},
    {u"are", WordKind::Be},
    {u"was", WordKind::Be},
    {u"were", WordKind::Be},
    {u"be", WordKind::Be},
    {u"been", WordKind::Be},
    {u"being", WordKind::Be},
    {u"to", WordKind::To},
    {u"of", WordKind::Preposition},
    {u"in", WordKind::Preposition},
    {u"for", WordKind::Preposition},
    {u"with", WordKind::Preposition},
    {u"by", WordKind::Preposition},
    {u"on", WordKind::Preposition},
    {u"at", WordKind::Preposition},
    {u"from", WordKind::Preposition},
    {u"into", WordKind::Preposition},
    {u"as", WordKind::Preposition},
    {u"and", WordKind::Conjunction},
    {u"or", WordKind::Conjunction},
    {u"but", WordKind::Conjunction},
    {u"not", WordKind::Adverb},
    {u"never", WordKind::Adverb},
    {u"also", WordKind::Adverb},
    {u"then", WordKind::Adverb},
    {u"often", WordKind::Adverb},
    {u"first", WordKind::Adverb},
    {u"already", WordKind::Adverb},
    {u"n't", WordKind::Adverb},
};

// Every neighbour of every homograph is looked up: the rows are put once in an open-addressed
// table, by a hash cheap enough for words of a few letters.
constexpr std::size_t kindSlots = 512;

std::size_t kindSlotOf(std::u16string_view word) {
    std::size_t hash = word.size();
    for (char16_t unit : word)
        hash = hash * 31 + unit;
    return hash & (kindSlots - 1);
}

struct KindIndex {
    std::array<const KindRow*, kindSlots> slots{};
    KindIndex() {
        for (const KindRow& row : kindRows) {
            std::size_t slot = kindSlotOf(row.word);
            while (slots[slot] != nullptr)
                slot = (slot + 1) & (kindSlots - 1);
            slots[slot] = &row;
        }
    }
};

WordKind kindOf(std::u16string_view word) {
    if (word.empty())
        return WordKind::Edge;
    if (!isHomographWordUnit(word[0]))
        return WordKind::Punctuation;
    static const KindIndex index;
    for (std::size_t slot = kindSlotOf(word); index.slots[slot] != nullptr;
         slot = (slot + 1) & (kindSlots - 1)) {
        if (index.slots[slot]->word == word)
            return index.slots[slot]->kind;
    }
    if (word.size() > 4 && word.ends_with(u"ly"))
        return WordKind::Adverb;
    return WordKind::Other;
}

bool endsSentence(char16_t unit) {
    return unit == u'.' || unit == u'!' || unit == u'?' || unit == u'\n' || unit == u'\r';
}

bool isSpace(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == 0xA0;
}

char16_t foldedUnit(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit + 32) : unit == 0x2019 ? u'\'' : unit;
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
    Hasher& add(WordKind kind) { return add(char(kind)); }
    // A word already hashed, which costs less than its letters when it is used again.
    Hasher& add(std::uint32_t hashed) {
        for (int i = 0; i < 4; ++i)
            add(char((hashed >> (8 * i)) & 0xFF));
        return *this;
    }
    // The same as add(foldedWord(word)), without making the folded copy.
    Hasher& addFolded(std::u16string_view word) {
        for (char16_t unit : word) {
            const char16_t folded = foldedUnit(unit);
            add(char(folded & 0xFF)).add(char(folded >> 8));
        }
        return add('\x1F');
    }
    std::uint32_t value() const { return hash_; }

private:
    std::uint32_t hash_ = 2166136261u;
};

Word wordOf(std::u16string_view text) {
    Word word;
    word.size = std::uint8_t(std::min(text.size(), word.units.size()));
    for (std::size_t i = 0; i < word.size; ++i)
        word.units[i] = foldedUnit(text[i]);
    return word;
}

// The words before (backwards) or after the homograph within its sentence, at most `reach`,
// with the sentence's edge as an empty word.
std::array<Word, reach> neighbours(std::u16string_view text, std::size_t from, int step) {
    std::array<Word, reach> words;
    int found = 0;
    std::size_t at = from;
    const std::size_t limit = step < 0 ? (from > lookAround ? from - lookAround : 0)
                                       : std::min(text.size(), from + lookAround);
    while (found < reach) {
        // Skip spaces toward the next word or mark.
        while (at != limit && isSpace(text[step < 0 ? at - 1 : at]))
            at = step < 0 ? at - 1 : at + 1;
        if (at == limit)
            break;
        const char16_t unit = text[step < 0 ? at - 1 : at];
        if (endsSentence(unit))
            break;
        if (!isHomographWordUnit(unit)) {
            if (unit != u'"' && unit != u'\'' && unit != u'-')
                words[std::size_t(found++)] = wordOf(text.substr(step < 0 ? at - 1 : at, 1));
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
        words[std::size_t(found++)] = wordOf(text.substr(begin, end - begin));
        at = step < 0 ? begin : end;
    }
    return words;
}

std::u16string_view ending(std::u16string_view word, std::size_t length) {
    return word.size() > length + 1 ? word.substr(word.size() - length) : std::u16string_view();
}

std::u16string_view beginning(std::u16string_view word) {
    return word.substr(0, 5);
}

// A plural noun as a subject: "historians", "rollers"; not "his", "its", "was", "always".
bool looksPlural(std::u16string_view word) {
    return word.size() > 3 && word.ends_with(u"s") && !word.ends_with(u"ss") &&
           !word.ends_with(u"us") && !word.ends_with(u"is") && !word.ends_with(u"ys") &&
           !word.ends_with(u"'s") && kindOf(word) == WordKind::Other;
}

// A noun's possessive ("the company's"), not a contraction of "is" or "us" ("it's", "let's").
bool isPossessive(std::u16string_view word) {
    constexpr std::u16string_view contractions[] = {u"it's",    u"that's", u"he's",  u"she's",
                                                    u"there's", u"what's", u"who's", u"let's",
                                                    u"here's",  u"where's"};
    return word.size() > 3 && word.ends_with(u"'s") &&
           std::find(std::begin(contractions), std::end(contractions), word) ==
               std::end(contractions);
}

// Determiners that are never pronouns or conjunctions ("that", "her" and "no" can be).
bool isArticle(std::u16string_view word) {
    constexpr std::u16string_view articles[] = {u"the",   u"a",    u"an",    u"this",  u"these",
                                                u"those", u"his",  u"its",   u"their", u"our",
                                                u"my",    u"your", u"every", u"each"};
    return std::find(std::begin(articles), std::end(articles), word) != std::end(articles) ||
           isPossessive(word);
}

// The feature a word gives to the tense of its sentence, or 0: the forms of "be", "have" and
// "do" and the modals by themselves, any word ending in "-ed" as one.
std::uint32_t tenseOf(std::u16string_view word) {
    if (word.size() > 3 && (word.ends_with(u"ed") || word.ends_with(u"ED")))
        return Hasher('V').add('d').value();
    const Word folded = wordOf(word);
    const WordKind kind = kindOf(folded.view());
    if (kind != WordKind::Be && kind != WordKind::HaveAuxiliary && kind != WordKind::DoAuxiliary &&
        kind != WordKind::Modal)
        return 0;
    return Hasher('V').add(folded.view()).value();
}

// The words of more than three letters of the sentence around a homograph, hashed as features.
// A text dense with homographs has several in a sentence: the sentence's words are hashed once,
// kept with a copy of the sentence, and used again for the next homograph in the same sentence.
struct SentenceTopic {
    struct Word {
        std::size_t start; // from the sentence's start
        std::uint32_t whole, beginning;
        // A feature of the sentence's tense that this word gives, or 0.
        std::uint32_t tense;
    };
    std::u16string text;
    std::size_t start = 0;
    bool closed = false; // ends at a sentence's end or the text's on both sides
    std::vector<Word> words;

    // Whether this is the sentence around text[homographStart, homographEnd), without looking
    // for its ends again.
    bool holds(std::u16string_view in, std::size_t homographStart, std::size_t homographEnd) const {
        const std::size_t end = start + text.size();
        return closed && start <= homographStart && homographEnd <= end &&
               homographStart - start <= lookAround && end - homographEnd <= lookAround &&
               end <= in.size() && (start == 0 || endsSentence(in[start - 1])) &&
               (end == in.size() || endsSentence(in[end])) &&
               std::memcmp(in.data() + start, text.data(), text.size() * sizeof(char16_t)) == 0;
    }
};

const SentenceTopic& sentenceWordsAround(std::u16string_view text, std::size_t start,
                                         std::size_t end) {
    thread_local SentenceTopic last;
    if (last.holds(text, start, end))
        return last;
    const std::size_t from = start > lookAround ? start - lookAround : 0;
    const std::size_t to = std::min(text.size(), end + lookAround);
    std::size_t sentenceStart = start, sentenceEnd = end;
    while (sentenceStart > from && !endsSentence(text[sentenceStart - 1]))
        --sentenceStart;
    while (sentenceEnd < to && !endsSentence(text[sentenceEnd]))
        ++sentenceEnd;
    const std::u16string_view sentence = text.substr(sentenceStart, sentenceEnd - sentenceStart);
    last.text.assign(sentence);
    last.start = sentenceStart;
    last.closed = (sentenceStart == 0 || endsSentence(text[sentenceStart - 1])) &&
                  (sentenceEnd == text.size() || endsSentence(text[sentenceEnd]));
    last.words.clear();
    for (std::size_t at = 0; at < sentence.size();) {
        if (!isHomographWordUnit(sentence[at])) {
            ++at;
            continue;
        }
        const std::size_t wordEnd = homographWordEnd(sentence, at);
        const std::u16string_view word = sentence.substr(at, wordEnd - at);
        const std::uint32_t tense = tenseOf(word);
        if (wordEnd - at > 3 || tense != 0)
            last.words.push_back(
                {at, wordEnd - at > 3 ? Hasher('S').addFolded(word).value() : 0,
                 wordEnd - at > 3 ? Hasher('W').addFolded(beginning(word)).value() : 0, tense});
        at = wordEnd;
    }
    return last;
}

bool isSubjectPronoun(std::u16string_view word) {
    constexpr std::u16string_view pronouns[] = {u"i", u"you", u"we", u"they", u"he", u"she"};
    return std::find(std::begin(pronouns), std::end(pronouns), word) != std::end(pronouns);
}

// A subject whose present verb takes "-s": a bare verb after it is the past ("he read", "she
// wound"); "I" too, which encyclopedia text uses in quoted recollections.
bool isSingularSubjectPronoun(std::u16string_view word) {
    constexpr std::u16string_view pronouns[] = {u"i", u"he", u"she"};
    return std::find(std::begin(pronouns), std::end(pronouns), word) != std::end(pronouns);
}

} // namespace

Neighbourhood neighbourhoodOf(std::u16string_view text, std::size_t start, std::size_t end) {
    Neighbourhood around;
    around.before = neighbours(text, start, -1);
    around.after = neighbours(text, end, +1);
    for (std::size_t i = 0; i < reach; ++i) {
        around.kindBefore[i] = kindOf(around.before[i].view());
        around.kindAfter[i] = kindOf(around.after[i].view());
    }
    return around;
}

GrammaticalPlace grammaticalPlace(const Neighbourhood& around) {
    const std::u16string_view previousWord = around.before[0].view();
    const WordKind previous = around.kindBefore[0];
    const WordKind second = around.kindBefore[1];
    if (previous == WordKind::Modal || previous == WordKind::To)
        return GrammaticalPlace::Verb;
    // Do-support over a subject or "not": "did read", "did you read", "does not record".
    if (previous == WordKind::DoAuxiliary ||
        (second == WordKind::DoAuxiliary &&
         (previous == WordKind::Pronoun || previousWord == u"not")) ||
        ((second == WordKind::Modal || second == WordKind::To) && previous == WordKind::Adverb))
        return GrammaticalPlace::Verb;
    // The perfect and the passive: "had read", "has not wound", "is widely read", "was wound".
    if (previous == WordKind::HaveAuxiliary || previous == WordKind::Be ||
        ((second == WordKind::HaveAuxiliary || second == WordKind::Be) &&
         previous == WordKind::Adverb))
        return GrammaticalPlace::PastParticiple;
    if (isArticle(previousWord))
        return GrammaticalPlace::Noun;
    // A subject pronoun before a word that is a noun or a verb makes it the verb ("they record",
    // "as you sow"); its tense it does not say ("they read").
    if (isSingularSubjectPronoun(previousWord))
        return GrammaticalPlace::PastOrVerb;
    // "It" is as often an object ("thinks it appropriate"); a past reading after it still holds.
    if (previousWord == u"it")
        return GrammaticalPlace::PastParticiple;
    if (isSubjectPronoun(previousWord))
        return GrammaticalPlace::VerbOfAnyTense;
    const std::u16string_view next = around.after[0].view();
    if (looksPlural(previousWord) && !isArticle(around.before[1].view()) &&
        (around.kindAfter[0] == WordKind::Determiner || next == u"them" || next == u"him"))
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
    for (char16_t& unit : folded)
        unit = foldedUnit(unit);
    return folded;
}

std::size_t homographWordEnd(std::u16string_view text, std::size_t at) {
    while (at < text.size() && isHomographWordUnit(text[at]))
        ++at;
    return at;
}

void featuresOf(std::u16string_view text, std::size_t start, std::size_t end,
                const Neighbourhood& around, std::uint32_t groups,
                std::vector<std::uint32_t>* features) {
    features->clear();
    const auto add = [&](const Hasher& hasher) { features->push_back(hasher.value()); };
    std::array<std::u16string_view, reach> before, after;
    for (std::size_t i = 0; i < reach; ++i) {
        before[i] = around.before[i].view();
        after[i] = around.after[i].view();
    }
    // Each neighbour takes part in several features: its letters are hashed once.
    std::array<std::uint32_t, reach> wordBefore, wordAfter;
    for (std::size_t i = 0; i < reach; ++i) {
        wordBefore[i] = Hasher('w').add(before[i]).value();
        wordAfter[i] = Hasher('w').add(after[i]).value();
    }
    const std::array<WordKind, reach>& kindBefore = around.kindBefore;
    const std::array<WordKind, reach>& kindAfter = around.kindAfter;
    add(Hasher('b'));
    for (std::size_t i = 0; i < reach; ++i) {
        add(Hasher('p').add(char('1' + i)).add(wordBefore[i]));
        add(Hasher('n').add(char('1' + i)).add(wordAfter[i]));
        add(Hasher('L').add(wordBefore[i]));
        add(Hasher('R').add(wordAfter[i]));
        add(Hasher('k').add(char('1' + i)).add(kindBefore[i]));
        add(Hasher('K').add(char('1' + i)).add(kindAfter[i]));
    }
    add(Hasher('2').add(wordBefore[1]).add(wordBefore[0]));
    add(Hasher('3').add(wordBefore[0]).add(wordAfter[0]));
    add(Hasher('4').add(wordAfter[0]).add(wordAfter[1]));
    add(Hasher('5').add(kindBefore[1]).add(kindBefore[0]).add(kindAfter[0]));
    add(Hasher('6').add(kindBefore[0]).add(kindAfter[0]).add(kindAfter[1]));
    add(Hasher('7').add(kindBefore[0]).add(wordAfter[0]));
    add(Hasher('8').add(wordBefore[0]).add(kindAfter[0]));
    for (std::size_t length : {2u, 3u}) {
        add(Hasher('e').add(char('0' + length)).add(ending(before[0], length)));
        add(Hasher('E').add(char('0' + length)).add(ending(after[0], length)));
    }
    // Do-support and the perfect reach over a subject or an adverb: "did you read",
    // "had not read", "has already read".
    for (std::size_t i = 0; i < reach; ++i) {
        if (kindBefore[i] == WordKind::DoAuxiliary)
            add(Hasher('d').add(char('1' + i)));
        if (kindBefore[i] == WordKind::HaveAuxiliary)
            add(Hasher('h').add(char('1' + i)));
        if (kindBefore[i] == WordKind::Modal)
            add(Hasher('m').add(char('1' + i)));
        if (kindBefore[i] != WordKind::Adverb && kindBefore[i] != WordKind::Pronoun)
            break;
    }
    // A determiner, then perhaps an adjective, before a noun: "the aggregate", "an early draft".
    if (kindBefore[0] == WordKind::Determiner ||
        (kindBefore[1] == WordKind::Determiner && kindBefore[0] == WordKind::Other))
        add(Hasher('D').add(kindBefore[0]));
    const std::u16string_view word = text.substr(start, end - start);
    const bool capital = !word.empty() && word[0] >= u'A' && word[0] <= u'Z';
    const bool allCapitals =
        std::all_of(word.begin(), word.end(), [](char16_t u) { return !(u >= u'a' && u <= u'z'); });
    add(Hasher('c').add(allCapitals ? 'A' : capital ? 'C' : 'l').add(kindBefore[0]));
    if (groups & NeighbourBeginnings) {
        for (std::size_t i = 0; i < 2; ++i) {
            add(Hasher('s').add(char('1' + i)).add(beginning(before[i])));
            add(Hasher('t').add(char('1' + i)).add(beginning(after[i])));
        }
    }
    // Where grammar does not choose the reading itself (a place both readings may stand in),
    // what it says still weighs.
    if (groups & PlaceFeature)
        add(Hasher('g').add(char('0' + int(grammaticalPlace(around)))));
    if ((groups & (SentenceWords | SentenceWordBeginnings | SentenceTense)) == 0)
        return;
    // The topic of the sentence tells senses apart ("bass" the fish or the voice).
    const SentenceTopic& sentence = sentenceWordsAround(text, start, end);
    for (const SentenceTopic::Word& found : sentence.words) {
        if (found.start == start - sentence.start)
            continue;
        if ((groups & SentenceWords) && found.whole != 0)
            features->push_back(found.whole);
        if ((groups & SentenceWordBeginnings) && found.beginning != 0)
            features->push_back(found.beginning);
        if ((groups & SentenceTense) && found.tense != 0)
            features->push_back(found.tense);
    }
}

} // namespace tellwick::homographs
