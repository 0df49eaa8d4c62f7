#include "rewriter/deciders.h"
#include "rewriter/word_contexts.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

using Word = std::u16string_view;

constexpr Word personNouns[] = {u"pal",    u"patient", u"soldier",   u"friend",   u"person",
                                u"people", u"folk",    u"worker",    u"son",      u"daughter",
                                u"sister", u"mother",  u"father",    u"brother",  u"boy",
                                u"girl",   u"man",     u"nephew",    u"employee", u"cousin",
                                u"uncle",  u"woman",   u"president", u"aunt",     u"niece"};

// "invalid" before a person is the noun, stressed on its first syllable.
bool beforePersonNoun(const ScanState& s) {
    return isOneOf(s.NxWdLc, personNouns);
}

constexpr WordRow rowsI[] = {
    lc(u"impatience", u"impatiencs"),
    lc(u"invalid", u"innvalid").onlyIf(beforePersonNoun),
    lc(u"iphone", u"I'phone"),
    lc(u"ids", u"idz"),
    keep(u"isis"),
    lc(u"i'll", u"isle"),
    // Roman numerals; "ii" gives way to "iii", and "iv" must not start a word such as "ivy".
    lc(u"ii", u"2,").followedBy(Follow::notLowerI),
    lc(u"iii", u"3,"),
    lc(u"iv", u"4,").followedBy(Follow::belowA),
};

constexpr WordRow rowsIsLower[] = {exact(u"is.", u"is .")};
constexpr WordRow rowsIsUpper[] = {exact(u"IS.", u"IS .")};

constexpr WordRow rowsJ[] = {
    lc(u"jan", u"jann").followedBy(Follow::belowA),
};

constexpr WordRow rowsK[] = {
    lc(u"kinder", u"kyynder").followedBy(Follow::belowA),
};

constexpr WordRow rowsL[] = {
    keep(u"livestock"),
    lc(u"livestream", u"lyvstream"),
    stopAt(u"livelihood"),
    stopAt(u"lived"),
    lc(u"lively", u"lyyvely"),
    lc(u"liver", u"livver"),
    // Every other word that starts with "live" has those four letters respelled one way or
    // the other.
    lc(u"live", u"lyyve").decidedBy(IsLyv, Asked::whenRowReached),
    lc(u"live", u"liv"),
    keep(u"leading"),
    keep(u"leader"),
    lc(u"lead-contaminat", u"led contaminat"),
    lc(u"lead", u"led").decidedBy(IsLed, Asked::whenRowReached),
    lc(u"learned", u"learnd").decidedBy(IsLearnd, Asked::whenRowReached),
    lc(u"libido", u"libbeido"),
    lc(u"literati", u"literarti"),
    lc(u"l.a", u"ellaye"),
    lc(u"latino", u"lateeno"),
    lc(u"latina", u"lateena"),
    exact(u"LAX", u"LA X"),
};

} // namespace

constinit const LetterGroup groupI = letterGroup(u'i', Refresh::nextWordLc, rowsI);
constinit const LetterGroup isBlockLower = letterGroup(u'i', Refresh::none, rowsIsLower);
constinit const LetterGroup isBlockUpper = letterGroup(u'I', Refresh::none, rowsIsUpper);
constinit const LetterGroup groupJ = letterGroup(u'j', Refresh::none, rowsJ);
constinit const LetterGroup groupK = letterGroup(u'k', Refresh::none, rowsK);
constinit const LetterGroup groupL = letterGroup(u'l', Refresh::nextWord, rowsL);

} // namespace tellwick::rewriter
