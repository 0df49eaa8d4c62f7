#include "rewriter/deciders.h"
#include "rewriter/text.h"
#include "rewriter/word_contexts.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

using Word = std::u16string_view;

bool nextWordIsDisabled(ScanState& s) {
    return lowerCasedEquals(s.NxWd, u"disabled");
}

// Compared as written: after "But" the rule does not apply.
bool previousWordIsLowerCaseBut(ScanState& s) {
    return text::trimSpaces(s.LWd) == u"but";
}

bool previousWordIsTo(ScanState& s) {
    return lowerCasedEquals(text::trimSpaces(s.LWd), u"to");
}

constexpr Word wordsBeforeRecordNoun[] = {u"no", u"all", u"some"};

bool recordIsNoun(ScanState& s) {
    return isOneOf(s.LWdLc, wordsBeforeRecordNoun);
}

constexpr WordRow rowsM[] = {
    // The decider is asked only once the word has matched; either way the word is consumed.
    lc(u"minute", u"myynyoot", 5).onlyIf(ask<IsMinuut>),
    lc(u"minute", u"minute", 5),
    lc(u"ultiply", u"ultipley", 7).fromNextChar().onlyIf(nextWordIsDisabled),
    lc(u"mahal", u"mahharl", 4),
    lc(u"mr.", u"mister", 2),
    lc(u"mrs.", u"misses", 3),
    keep(u"marijuana"),
    exact(u"Mm", u"mirm", 1),
    lc(u"mercury", u"merkyury", 6),
    lc(u"mi ", u"me ", 2),
    lc(u"mn", u" million ", 1).followedBy(Follow::belowA),
};

constexpr WordRow rowsN[] = {
    lc(u"no.", u"no .", 2),
    exact(u"NOAA", u"Noah", 3),
    exact(u"NYT", u"New York Times", 2),
    exact(u"N.Y.", u"New York", 3),
    exact(u"N. Y.", u"New York", 4),
};

constexpr WordRow rowsO[] = {
    lc(u"out", u"ouut", 2).onlyIf(previousWordIsLowerCaseBut),
    lc(u"op-ed", u"opp-ed", 4),
    lc(u"op ", u"opp ", 2),
    lc(u"op.", u"opp.", 2),
    lc(u"op,", u"opp,", 2),
    keep(u"obama"),
    keep(u"oceana"),
};

constexpr WordRow rowsP[] = {
    keep(u"paradigm"),
    lc(u"philistine", u"phil'istyyne", 9),
    lc(u"ph.d", u"phd", 3),
    keep(u"pakistan"),
    lc(u"paypal", u"pay pal", 5),
    lc(u"per se", u"per say", 5),
    lc(u"project", u"progect", 6).asking(IsProjject),
    lc(u"present", u"presennt", 6).onlyIf(previousWordIsTo),
};

constexpr WordRow rowsR[] = {
    lc(u"record", u"reckerd", 5).onlyIf(recordIsNoun),
    lc(u"record", u"reeck'ord", 5).asking(IsRecoord),
    lc(u"read", u"reed", 3).asking(IsReed),
    lc(u"read", u"red", 3).asking(IsRed),
    lc(u"resum", u"resjoom", 4).asking(IsResjoom),
    keep(u"router"),
    exact(u"Real", u"real", 3),
    keep(u"respite"),
};

} // namespace

constinit const LetterGroup groupM = letterGroup(u'm', Refresh::nextWord, rowsM);
constinit const LetterGroup groupN = letterGroup(u'n', Refresh::none, rowsN);
constinit const LetterGroup groupO = letterGroup(u'o', Refresh::none, rowsO);
constinit const LetterGroup groupP = letterGroup(u'p', Refresh::nextWord, rowsP);
constinit const LetterGroup groupR = letterGroup(u'r', Refresh::nextWordThenPrevious, rowsR);

} // namespace tellwick::rewriter
