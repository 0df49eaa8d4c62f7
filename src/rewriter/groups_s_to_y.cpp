#include "rewriter/heteronym_deciders.h"
#include "rewriter/word_contexts.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

constexpr WordRow rowsS[] = {
    anyCase(u"un.", u"un .").fromNextChar(),
    anyCase(u"at.", u"at .").fromNextChar(),
    anyCase(u"sole", u"sol"),
    anyCase(u"shone", u"shhon"),
    anyCase(u"ow", u"ew").fromNextChar().decidedBy(decideSow, Asked::whenRowReached),
    anyCase(u"sread", u"s-read"),
    anyCase(u"speechifying", u"speechif'i'ing"),
};

constexpr WordRow rowsT[] = {
    anyCase(u"tao", u"dow"),
    anyCase(u"taj", u"targe"),
    anyCase(u"tel", u"tell").followedBy(Follow::wordEnd),
    anyCase(u"tn", u" trillion "),
    exact(u"Tse", u"Tsee"),
};

constexpr WordRow rowsU[] = {
    anyCase(u"u.s.-", u"U.S. "),  anyCase(u"u.k.-", u"U.K. "),    anyCase(u"u.s.'s", u"U. Eses"),
    anyCase(u"us's", u"U. Eses"), anyCase(u"u.k.'s", u"U. Kays"), exact(u"ups", u"upps"),
    exact(u"Ups", u"upps"),
};

constexpr WordRow rowsV[] = {
    anyCase(u"egan", u"eeggan").fromNextChar(),
    anyCase(u"v/s", u"verses"),
    anyCase(u"vis-a-vis", u"visa-v"),
};

constexpr WordRow rowsW[] = {
    anyCase(u"ed.", u"ed .").fromNextChar(),
    keep(u"windfall"),
    // These forms are never the past tense of "wind"; they keep the decider away.
    stopAt(u"windjammer"),
    stopAt(u"wounded"),
    stopAt(u"wounding"),
    anyCase(u"ound", u"owned").fromNextChar().decidedBy(decideWound, Asked::whenRowReached),
    anyCase(u"wi-fi", u"WiFi"),
    exact(u"WWI", u"world war 1").followedBy(Follow::notCapitalI),
    exact(u"World War III", u"world war 3"),
    exact(u"World War II", u"world war 2"),
    exact(u"World War I", u"world war 1"),
};

// A Roman numeral ("Louis XIV", "Pius XI", "XIX's") is a number, not a word that starts with
// "xi": it is copied for the voice to read as it does any number.
bool notRomanNumeral(const ScanState& s) {
    constexpr std::u16string_view romanCapitals = u"IVXLCDM";
    for (std::size_t p = s.position; isAsciiLetter(s.at(p)); ++p) {
        if (romanCapitals.find(char16_t(s.at(p))) == std::u16string_view::npos)
            return true;
    }
    return false;
}

constexpr WordRow rowsX[] = {anyCase(u"xi", u"zye").onlyIf(notRomanNumeral)};

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
