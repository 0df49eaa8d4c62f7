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
bool beforePersonNoun(ScanState& s) {
    return isOneOf(s.NxWdLc, personNouns);
}

constexpr WordRow rowsI[] = {
    lc(u"impatience", u"impatiencs", 9),
    lc(u"invalid", u"innvalid", 6).onlyIf(beforePersonNoun),
    lc(u"iphone", u"I'phone", 5),
    lc(u"ids", u"idz", 2),
    keep(u"isis"),
    lc(u"i'll", u"isle", 3),
    // Roman numerals; "ii" gives way to "iii", and "iv" must not start a word such as "ivy".
    lc(u"ii", u"2,", 1).followedBy(Follow::notLowerI),
    lc(u"iii", u"3,", 2),
    lc(u"iv", u"4,", 1).followedBy(Follow::belowA),
};

constexpr WordRow rowsIsLower[] = {exact(u"is.", u"is .", 2)};
constexpr WordRow rowsIsUpper[] = {exact(u"IS.", u"IS .", 2)};

constexpr WordRow rowsJ[] = {
    lc(u"jan", u"jann", 2).followedBy(Follow::belowA),
};

constexpr WordRow rowsK[] = {
    lc(u"kinder", u"kyynder", 5).followedBy(Follow::belowA),
};

constexpr WordRow rowsL[] = {
    keep(u"livestock"),
    lc(u"livestream", u"lyvstream", 9),
    stopAt(u"livelihood"),
    stopAt(u"lived"),
    lc(u"lively", u"lyyvely", 5),
    lc(u"liver", u"livver", 4),
    // Every other word that starts with "live" has those four letters respelled one way or
    // the other.
    lc(u"live", u"lyyve", 3).asking(IsLyv),
    lc(u"live", u"liv", 3),
    keep(u"leading"),
    keep(u"leader"),
    lc(u"lead-contaminat", u"led contaminat", 14),
    lc(u"lead", u"led", 3).asking(IsLed),
    lc(u"learned", u"learnd", 6).asking(IsLearnd),
    lc(u"libido", u"libbeido", 5),
    lc(u"literati", u"literarti", 7),
    lc(u"l.a", u"ellaye", 2),
    lc(u"latino", u"lateeno", 5),
    lc(u"latina", u"lateena", 5),
    exact(u"LAX", u"LA X", 2),
};

} // namespace

constinit const LetterGroup groupI = letterGroup(u'i', Refresh::nextWordLc, rowsI);
constinit const LetterGroup isBlockLower = letterGroup(u'i', Refresh::none, rowsIsLower);
constinit const LetterGroup isBlockUpper = letterGroup(u'I', Refresh::none, rowsIsUpper);
constinit const LetterGroup groupJ = letterGroup(u'j', Refresh::none, rowsJ);
constinit const LetterGroup groupK = letterGroup(u'k', Refresh::none, rowsK);
constinit const LetterGroup groupL = letterGroup(u'l', Refresh::nextWord, rowsL);

} // namespace tellwick::rewriter
