#include "speech/heteronym_decisions.h"

#include "speech/heteronym_tables.h"
#include "speech/qt_text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <string_view>

namespace tellwick {

namespace {

using heteronyms::Place;
using heteronyms::Row;
using heteronyms::Word;

std::atomic<bool> tablesEnabled = true;

// The clause rows look this many words to each side; no row needs more, and a bound keeps a long
// clause from costing more than a short one.
constexpr int wordsRead = 6;
// Nor does any row look further than this many characters away.
constexpr qsizetype reach = 200;

// A character as the tables spell it: lower case, with a plain apostrophe.
char16_t tableUnit(QChar c) {
    return isApostrophe(c) ? u'\'' : char16_t(c.toLower().unicode());
}

bool partsClause(QChar c) {
    // Punctuation, brackets, the en and em dashes and the ellipsis.
    static constexpr std::u16string_view marks = u".,;:!?()[]\u2013\u2014\u2026";
    return isLineBreak(c) || marks.find(c.unicode()) != std::u16string_view::npos;
}

// A neighbouring word, lower-cased, with its apostrophes made plain. Of a longer word only the end
// is kept: no listed word is as long, and an ending is all a row may ask of it.
class Neighbour {
public:
    Neighbour() = default;
    explicit Neighbour(QStringView word) {
        const QStringView kept = word.right(qsizetype(units_.size()));
        for (QChar c : kept)
            units_[size_++] = tableUnit(c);
    }
    Word word() const { return Word(units_.data(), size_); }

private:
    std::array<char16_t, 24> units_{};
    std::size_t size_ = 0;
};

// The words of the heteronym's clause on one side of it, nearest first.
struct Side {
    std::array<Neighbour, wordsRead> words;
    int count = 0;

    // The word at a distance (0 for the nearest), or the clause's edge when there is none.
    Word at(int distance) const {
        return distance < count ? words[std::size_t(distance)].word() : heteronyms::clauseEdge;
    }
};

Side wordsBefore(QStringView text, qsizetype start) {
    Side side;
    const qsizetype limit = std::max<qsizetype>(0, start - reach);
    qsizetype i = start;
    while (side.count < wordsRead && i > limit) {
        const qsizetype last = i - 1;
        if (partsClause(text[last]))
            break;
        if (!isWordCharacter(text, last)) {
            --i;
            continue;
        }
        qsizetype first = last;
        while (first > limit && isWordCharacter(text, first - 1))
            --first;
        side.words[std::size_t(side.count++)] = Neighbour(text.mid(first, i - first));
        i = first;
    }
    return side;
}

Side wordsAfter(QStringView text, qsizetype end) {
    Side side;
    const qsizetype limit = std::min(text.size(), end + reach);
    qsizetype i = end;
    while (side.count < wordsRead && i < limit) {
        if (partsClause(text[i]))
            break;
        if (!isWordCharacter(text, i)) {
            ++i;
            continue;
        }
        qsizetype past = i;
        while (past < limit && isWordCharacter(text, past))
            ++past;
        side.words[std::size_t(side.count++)] = Neighbour(text.mid(i, past - i));
        i = past;
    }
    return side;
}

bool matches(Word listed, Word word) {
    if (listed.starts_with(u'\''))
        return word.size() > listed.size() && word.ends_with(listed);
    if (listed.starts_with(u'-'))
        return word.size() > listed.size() && word.ends_with(listed.substr(1));
    return word == listed;
}

bool listHolds(std::span<const Word> list, Word word) {
    return std::any_of(list.begin(), list.end(),
                       [word](Word listed) { return matches(listed, word); });
}

bool anyHolds(std::span<const Word> list, const Side& side) {
    for (int i = 0; i < side.count; ++i)
        if (listHolds(list, side.at(i)))
            return true;
    return false;
}

bool testHolds(const heteronyms::Test& test, const Side& before, const Side& after) {
    const std::span<const Word> words = test.words;
    switch (test.place) {
    case Place::Previous:
        return listHolds(words, before.at(0));
    case Place::SecondPrevious:
        return listHolds(words, before.at(1));
    case Place::ThirdPrevious:
        return listHolds(words, before.at(2));
    case Place::Next:
        return listHolds(words, after.at(0));
    case Place::SecondNext:
        return listHolds(words, after.at(1));
    case Place::EarlierInClause:
        return anyHolds(words, before);
    case Place::LaterInClause:
        return anyHolds(words, after);
    case Place::Always:
        return true;
    }
    return false;
}

bool rowHolds(const Row& row, const Side& before, const Side& after) {
    return testHolds(row.test, before, after) && testHolds(row.also, before, after);
}

const heteronyms::Heteronym* findHeteronym(QStringView word) {
    for (const heteronyms::Heteronym& heteronym : heteronyms::heteronymTables()) {
        if (word.size() != qsizetype(heteronym.word.size()))
            continue;
        bool same = true;
        for (qsizetype i = 0; same && i < word.size(); ++i)
            same = tableUnit(word[i]) == heteronym.word[std::size_t(i)];
        if (same)
            return &heteronym;
    }
    return nullptr;
}

} // namespace

const char* heteronymPhonemes(QStringView text, qsizetype start, qsizetype end) {
    if (!tablesEnabled.load(std::memory_order_relaxed))
        return nullptr;
    const heteronyms::Heteronym* heteronym = findHeteronym(text.mid(start, end - start));
    if (heteronym == nullptr)
        return nullptr;
    const Side before = wordsBefore(text, start);
    const Side after = wordsAfter(text, end);
    for (const Row& row : heteronym->rows) {
        if (rowHolds(row, before, after))
            return row.phonemes;
    }
    return nullptr;
}

void setHeteronymTablesEnabled(bool enabled) {
    tablesEnabled.store(enabled, std::memory_order_relaxed);
}

} // namespace tellwick
