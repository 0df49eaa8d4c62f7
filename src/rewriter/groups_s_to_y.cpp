#include "rewriter/deciders.h"
#include "rewriter/word_contexts.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

constexpr WordRow rowsS[] = {
    lc(u"un.", u"un .", 3).fromNextChar(),
    lc(u"at.", u"at .", 3).fromNextChar(),
    lc(u"sole", u"sol", 3),
    lc(u"shone", u"shhon", 4),
    lc(u"ow", u"ew", 2).fromNextChar().asking(IsSew),
    lc(u"sread", u"s-read", 4),
    lc(u"speechifying", u"speechif'i'ing", 11),
};

constexpr WordRow rowsT[] = {
    lc(u"tao", u"dow", 2),
    lc(u"taj", u"targe", 2),
    lc(u"tel", u"tell", 2).followedBy(Follow::belowA),
    lc(u"tn", u" trillion ", 1),
    exact(u"Tse", u"Tsee", 2),
};

constexpr WordRow rowsU[] = {
    lc(u"u.s.-", u"U.S. ", 4),  lc(u"u.k.-", u"U.K. ", 4),    lc(u"u.s.'s", u"U. Eses", 5),
    lc(u"us's", u"U. Eses", 3), lc(u"u.k.'s", u"U. Kays", 5), exact(u"ups", u"upps", 2),
    exact(u"Ups", u"upps", 2),
};

constexpr WordRow rowsV[] = {
    lc(u"egan", u"eeggan", 4).fromNextChar(),
    lc(u"v/s", u"verses", 2),
    lc(u"vis-a-vis", u"visa-v", 8),
};

constexpr WordRow rowsW[] = {
    lc(u"ed.", u"ed .", 3).fromNextChar(),
    keep(u"windfall"),
    // These forms are never the past tense of "wind"; they keep the decider away.
    stopAt(u"windjammer"),
    stopAt(u"wounded"),
    stopAt(u"wounding"),
    lc(u"ound", u"owned", 4).fromNextChar().asking(IsWowned),
    lc(u"wi-fi", u"WiFi", 4),
    exact(u"WWI", u"world war 1", 2).followedBy(Follow::notCapitalI),
    exact(u"World War III", u"world war 3", 12),
    exact(u"World War II", u"world war 2", 11),
    exact(u"World War I", u"world war 1", 10),
};

// A Roman numeral ("Louis XIV", "Pius XI", "XIX's") is a number, not a word that starts with
// "xi": it is copied for the voice to read as it does any number.
bool notRomanNumeral(ScanState& s) {
    constexpr std::u16string_view romanCapitals = u"IVXLCDM";
    for (std::size_t p = s.Pos; isAsciiLetter(s.at(p)); ++p) {
        if (romanCapitals.find(char16_t(s.at(p))) == std::u16string_view::npos)
            return true;
    }
    return false;
}

constexpr WordRow rowsX[] = {lc(u"xi", u"zye", 1).onlyIf(notRomanNumeral)};

constexpr WordRow rowsY[] = {keep(u"yogananda")};

} // namespace

constinit const LetterGroup groupS = letterGroup(u's', Refresh::nextWord, rowsS);
constinit const LetterGroup groupT = letterGroup(u't', Refresh::none, rowsT);
constinit const LetterGroup groupU = letterGroup(u'u', Refresh::none, rowsU);
constinit const LetterGroup groupV = letterGroup(u'v', Refresh::none, rowsV);
constinit const LetterGroup groupW = letterGroup(u'w', Refresh::nextWord, rowsW);
constinit const LetterGroup groupX = letterGroup(u'x', Refresh::none, rowsX);
constinit const LetterGroup groupY = letterGroup(u'y', Refresh::none, rowsY);

} // namespace tellwick::rewriter
