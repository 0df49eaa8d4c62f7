#include "rewriter/deciders.h"
#include "rewriter/text.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

// The window is compared code unit by code unit, lower-casing as it goes, so that no string is
// built for it. A window cut short by the end of the text never matches.
bool windowMatches(const ScanState& s, std::size_t start, const WordRow& row) {
    if (start > s.Txt.size() || s.Txt.size() - start < row.match.size())
        return false;
    for (std::size_t i = 0; i < row.match.size(); ++i) {
        const char16_t c = s.Txt[start + i];
        if ((row.compare == Compare::lowerCased ? text::lowerCase(c) : c) != row.match[i])
            return false;
    }
    return true;
}

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

} // namespace

bool runRows(ScanState& s, std::span<const WordRow> rows) {
    for (const WordRow& row : rows) {
        const bool answer = row.askFirst ? row.askFirst(s) : true;
        const std::size_t start = s.Pos + (row.from == MatchFrom::next ? 1 : 0);
        if (!windowMatches(s, start, row) ||
            !followHolds(s.at(start + row.match.size()), row.follow))
            continue;
        if (!answer || (row.when && !row.when(s)))
            continue;
        if (row.effect == Effect::stop)
            return true;
        if (row.from == MatchFrom::next)
            s.piece.set(s.Ch, row.piece);
        else
            s.piece.set(row.piece);
        s.Pos += row.skip;
        return true;
    }
    return false;
}

bool runGroup(ScanState& s, const LetterGroup& group) {
    refresh(s, group.refresh);
    return runRows(s, group.rows);
}

} // namespace tellwick::rewriter
