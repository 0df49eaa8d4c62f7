#include "rewriter/decider.h"
#include "rewriter/heteronym_deciders.h"
#include "rewriter/next_word.h"
#include "rewriter/text.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

// The text from the current position. Rows compare it in place, lower-casing as they go, so that
// no string is built; most rows differ within their first two characters.
struct TextAhead {
    explicit TextAhead(const ScanState& s)
        : raw(s.text.data() + s.position),
          available(s.position < s.text.size() ? s.text.size() - s.position : 0),
          second(available > 1 ? text::lowerCase(raw[1]) : noCharacter) {}

    // Text cut short by the end of the text never matches.
    bool matches(const WordRow& row, std::size_t begin) const {
        if (begin + row.match.size() > available)
            return false;
        const char16_t* w = raw + begin;
        const bool lowerCased = row.compare == Compare::lowerCased;
        for (std::size_t i = 0; i < row.match.size(); ++i) {
            if ((lowerCased ? text::lowerCase(w[i]) : w[i]) != row.match[i])
                return false;
        }
        return true;
    }

    const char16_t* raw;
    std::size_t available;
    int second;
};

bool followHolds(int c, Follow follow) {
    switch (follow) {
    case Follow::any:
        return true;
    case Follow::wordEnd:
        return !belongsToWord(c);
    case Follow::notLowerI:
        return c == noCharacter || text::lowerCase(char16_t(c)) != u'i';
    case Follow::notCapitalI:
        return c != u'I';
    }
    return true;
}

void refreshNextWord(ScanState& s, bool lowerCasedToo) {
    s.lookahead = s.mid(s.position, 20);
    s.nextWord = nextWord(s.lookahead);
    if (lowerCasedToo) {
        s.nextWordLowerCased.assign(s.nextWord);
        text::lowerCaseInPlace(s.nextWordLowerCased);
    }
}

void refreshPreviousWord(ScanState& s) {
    s.previousWordLowerCased.assign(text::trimSpaces(s.previousWord));
    text::lowerCaseInPlace(s.previousWordLowerCased);
}

void refresh(ScanState& s, Refresh kind) {
    switch (kind) {
    case Refresh::none:
        return;
    case Refresh::nextWord:
        refreshNextWord(s, false);
        return;
    case Refresh::nextWordLowerCased:
        refreshNextWord(s, true);
        return;
    case Refresh::nextWordLowerCasedThenPrevious:
        refreshNextWord(s, true);
        refreshPreviousWord(s);
        return;
    case Refresh::nextWordThenPrevious:
        refreshNextWord(s, false);
        refreshPreviousWord(s);
        return;
    }
}

// Asks the deciders of one walk over a group's rows. A decider asked before its word counts has,
// for a word that does not match, no answer that counts: all it leaves is its normalisation of
// previousWord and nextWord, which the scan keeps. So only that step is run, sparing the word lists
// that most words would be looked up in; every decider a row may ask normalises both words, and
// normalising twice changes nothing, so once per walk is enough.
class Deciders {
public:
    explicit Deciders(ScanState& s) : s(s) {}

    bool ask(Decider decider, bool wordMatched) {
        if (wordMatched) {
            normalised = true;
            return decider(s.previousWord, s.nextWord);
        }
        if (!normalised) {
            decider::normalisePrevious(s.previousWord);
            decider::normaliseNext(s.nextWord);
            normalised = true;
        }
        return false;
    }

private:
    ScanState& s;
    bool normalised = false;
};

} // namespace

void runRows(ScanState& s, std::span<const WordRow> rows) {
    const TextAhead ahead(s);
    Deciders deciders(s);
    for (const WordRow& row : rows) {
        const std::size_t begin = row.begin();
        const bool matched = row.second == ahead.second && ahead.matches(row, begin) &&
                             followHolds(s.at(s.position + begin + row.match.size()), row.follow);
        if (row.askedWhenReached && !deciders.ask(row.askedWhenReached, matched))
            continue;
        if (!matched || (row.when && !row.when(s)) ||
            (row.askedOnceMatched && !deciders.ask(row.askedOnceMatched, true)))
            continue;
        if (row.effect == Effect::stop)
            return;
        if (row.from == MatchFrom::next)
            s.piece.set(s.character, row.piece);
        else
            s.piece.set(row.piece);
        s.position += row.skip();
        return;
    }
}

void runGroup(ScanState& s, const LetterGroup& group) {
    refresh(s, group.refresh);
    runRows(s, group.rows);
}

} // namespace tellwick::rewriter
