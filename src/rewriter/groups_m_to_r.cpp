#include "rewriter/deciders.h"
#include "rewriter/text.h"
#include "rewriter/word_contexts.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

using Word = std::u16string_view;

bool nextWordIsDisabled(const ScanState& s) {
    return lowerCasedEquals(s.NxWd, u"disabled");
}

// Compared as written: after "But" the rule does not apply.
bool previousWordIsLowerCaseBut(const ScanState& s) {
    return text::trimSpaces(s.LWd) == u"but";
}

bool previousWordIsTo(const ScanState& s) {
    return lowerCasedEquals(text::trimSpaces(s.LWd), u"to");
}

constexpr Word wordsBeforeRecordNoun[] = {u"no", u"all", u"some"};

bool recordIsNoun(const ScanState& s) {
    return isOneOf(s.LWdLc, wordsBeforeRecordNoun);
}

constexpr WordRow rowsM[] = {
    // Either way the word is consumed.
    lc(u"minute", u"myynyoot").decidedBy(IsMinuut, Asked::onceWordMatched),
    lc(u"minute", u"minute"),
    lc(u"ultiply", u"ultipley").fromNextChar().onlyIf(nextWordIsDisabled),
    lc(u"mahal", u"mahharl"),
    lc(u"mr.", u"mister"),
    lc(u"mrs.", u"misses"),
    keep(u"marijuana"),
    exact(u"Mm", u"mirm"),
    lc(u"mercury", u"merkyury"),
    lc(u"mi ", u"me "),
    lc(u"mn", u" million ").followedBy(Follow::belowA),
};

constexpr WordRow rowsN[] = {
    lc(u"no.", u"no ."),         exact(u"NOAA", u"Noah"),      exact(u"NYT", u"New York Times"),
    exact(u"N.Y.", u"New York"), exact(u"N. Y.", u"New York"),
};

constexpr WordRow rowsO[] = {
    lc(u"out", u"ouut").onlyIf(previousWordIsLowerCaseBut),
    lc(u"op-ed", u"opp-ed"),
    lc(u"op ", u"opp "),
    lc(u"op.", u"opp."),
    lc(u"op,", u"opp,"),
    keep(u"obama"),
    keep(u"oceana"),
};

constexpr WordRow rowsP[] = {
    keep(u"paradigm"),
    lc(u"philistine", u"phil'istyyne"),
    lc(u"ph.d", u"phd"),
    keep(u"pakistan"),
    lc(u"paypal", u"pay pal"),
    lc(u"per se", u"per say"),
    lc(u"project", u"progect").decidedBy(IsProjject, Asked::whenRowReached),
    lc(u"present", u"presennt").onlyIf(previousWordIsTo),
};

constexpr WordRow rowsR[] = {
    lc(u"record", u"reckerd").onlyIf(recordIsNoun),
    lc(u"record", u"reeck'ord").decidedBy(IsRecoord, Asked::whenRowReached),
    lc(u"read", u"reed").decidedBy(IsReed, Asked::whenRowReached),
    lc(u"read", u"red").decidedBy(IsRed, Asked::whenRowReached),
    lc(u"resum", u"resjoom").decidedBy(IsResjoom, Asked::whenRowReached),
    keep(u"router"),
    exact(u"Real", u"real"),
    keep(u"respite"),
};

} // namespace

constinit const LetterGroup groupM = letterGroup(u'm', Refresh::nextWord, rowsM);
constinit const LetterGroup groupN = letterGroup(u'n', Refresh::none, rowsN);
constinit const LetterGroup groupO = letterGroup(u'o', Refresh::none, rowsO);
constinit const LetterGroup groupP = letterGroup(u'p', Refresh::nextWord, rowsP);
constinit const LetterGroup groupR = letterGroup(u'r', Refresh::nextWordThenPrevious, rowsR);

} // namespace tellwick::rewriter
