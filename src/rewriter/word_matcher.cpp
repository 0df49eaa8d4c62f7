#include "rewriter/decider.h"
#include "rewriter/deciders.h"
#include "rewriter/text.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

// The text from the current position. Rows compare it in place, lower-casing as they go, so that
// no string is built; most rows differ within their first two characters.
struct Window {
    explicit Window(const ScanState& s)
        : raw(s.Txt.data() + s.Pos), available(s.Pos < s.Txt.size() ? s.Txt.size() - s.Pos : 0),
          second(available > 1 ? text::lowerCase(raw[1]) : noChar) {}

    // A window cut short by the end of the text never matches.
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
    case Follow::belowA:
        return c < u'A';
    case Follow::notLowerI:
        return c == noChar || text::lowerCase(char16_t(c)) != u'i';
    case Follow::notCapitalI:
        return c != u'I';
    }
    return true;
}

void refreshNextWord(ScanState& s, bool lowerCasedToo) {
    s.NxTwy = s.mid(s.Pos, 20);
    s.NxWd = GetNextWd(s.NxTwy);
    if (lowerCasedToo) {
        s.NxWdLc.assign(s.NxWd);
        text::lowerCaseInPlace(s.NxWdLc);
    }
}

void refreshPreviousWord(ScanState& s) {
    s.LWdLc.assign(text::trimSpaces(s.LWd));
    text::lowerCaseInPlace(s.LWdLc);
}

void refresh(ScanState& s, Refresh kind) {
    switch (kind) {
    case Refresh::none:
        return;
    case Refresh::nextWord:
        refreshNextWord(s, false);
        return;
    case Refresh::nextWordLc:
        refreshNextWord(s, true);
        return;
    case Refresh::nextWordLcThenPrevious:
        refreshNextWord(s, true);
        refreshPreviousWord(s);
        return;
    case Refresh::nextWordThenPrevious:
        refreshNextWord(s, false);
        refreshPreviousWord(s);
        return;
    }
}

// Every decider that a row asks normalises LWd and NxWd and otherwise only answers. When the word
// does not match, its answer cannot count, so the walk applies the normalisation alone and spares
// the word lists; normalising twice changes nothing, so once per walk is enough. The scanner's
// state ends up exactly as if every decider had been asked.
class DeciderAsker {
public:
    explicit DeciderAsker(ScanState& s) : s(s) {}

    bool ask(Decider decider, bool wordMatched) {
        if (wordMatched) {
            normalised = true;
            return decider(s.LWd, s.NxWd);
        }
        if (!normalised) {
            decider::normalisePrevious(s.LWd);
            decider::normaliseNext(s.NxWd);
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
    const Window window(s);
    DeciderAsker asker(s);
    for (const WordRow& row : rows) {
        const std::size_t begin = row.from == MatchFrom::next ? 1 : 0;
        const bool matched = row.second == window.second && window.matches(row, begin) &&
                             followHolds(s.at(s.Pos + begin + row.match.size()), row.follow);
        if (row.decider && !asker.ask(row.decider, matched))
            continue;
        if (!matched || (row.when && !row.when(s)))
            continue;
        if (row.effect == Effect::stop)
            return;
        if (row.from == MatchFrom::next)
            s.piece.set(s.Ch, row.piece);
        else
            s.piece.set(row.piece);
        s.Pos += row.skip;
        return;
    }
}

void runGroup(ScanState& s, const LetterGroup& group) {
    refresh(s, group.refresh);
    runRows(s, group.rows);
}

} // namespace tellwick::rewriter
