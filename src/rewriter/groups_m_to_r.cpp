#include "rewriter/heteronym_deciders.h"
#include "rewriter/text.h"
#include "rewriter/word_contexts.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

using Word = std::u16string_view;

bool nextWordIsDisabled(const ScanState& s) {
    return lowerCasedEquals(s.nextWord, u"disabled");
}

// Compared as written: after "But" the rule does not apply.
bool previousWordIsLowerCaseBut(const ScanState& s) {
    return text::trimSpaces(s.previousWord) == u"but";
}

bool previousWordIsTo(const ScanState& s) {
    return lowerCasedEquals(text::trimSpaces(s.previousWord), u"to");
}

constexpr Word wordsBeforeRecordNoun[] = {u"no", u"all", u"some"};

bool recordIsNoun(const ScanState& s) {
    return isOneOf(s.previousWordLowerCased, wordsBeforeRecordNoun);
}

constexpr WordRow rowsM[] = {
    // Either way the word is consumed.
    anyCase(u"minute", u"myynyoot").decidedBy(decideMinute, Asked::onceWordMatched),
    anyCase(u"minute", u"minute"),
    anyCase(u"ultiply", u"ultipley").fromNextChar().onlyIf(nextWordIsDisabled),
    anyCase(u"mahal", u"mahharl"),
    anyCase(u"mr.", u"mister"),
    anyCase(u"mrs.", u"misses"),
    keep(u"marijuana"),
    exact(u"Mm", u"mirm"),
    anyCase(u"mercury", u"merkyury"),
    anyCase(u"mi ", u"me "),
    anyCase(u"mn", u" million ").followedBy(Follow::wordEnd),
};

constexpr WordRow rowsN[] = {
    anyCase(u"no.", u"no ."),    exact(u"NOAA", u"Noah"),      exact(u"NYT", u"New York Times"),
    exact(u"N.Y.", u"New York"), exact(u"N. Y.", u"New York"),
};

constexpr WordRow rowsO[] = {
    anyCase(u"out", u"ouut").onlyIf(previousWordIsLowerCaseBut),
    anyCase(u"op-ed", u"opp-ed"),
    anyCase(u"op ", u"opp "),
    anyCase(u"op.", u"opp."),
    anyCase(u"op,", u"opp,"),
    keep(u"obama"),
    keep(u"oceana"),
};

constexpr WordRow rowsP[] = {
    keep(u"paradigm"),
    anyCase(u"philistine", u"phil'istyyne"),
    anyCase(u"ph.d", u"phd"),
    keep(u"pakistan"),
    anyCase(u"paypal", u"pay pal"),
    anyCase(u"per se", u"per say"),
    anyCase(u"project", u"progect").decidedBy(decideProject, Asked::whenRowReached),
    anyCase(u"present", u"presennt").onlyIf(previousWordIsTo),
};

constexpr WordRow rowsR[] = {
    anyCase(u"record", u"reckerd").onlyIf(recordIsNoun),
    anyCase(u"record", u"reeck'ord").decidedBy(decideRecord, Asked::whenRowReached),
    anyCase(u"read", u"reed").decidedBy(decideReadPresent, Asked::whenRowReached),
    anyCase(u"read", u"red").decidedBy(decideReadPast, Asked::whenRowReached),
    anyCase(u"resum", u"resjoom").decidedBy(decideResume, Asked::whenRowReached),
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
