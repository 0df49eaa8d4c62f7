#include "rewriter/heteronym_deciders.h"
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
    return isOneOf(s.nextWordLowerCased, personNouns);
}

constexpr WordRow rowsI[] = {
    anyCase(u"impatience", u"impatiencs"),
    anyCase(u"invalid", u"innvalid").onlyIf(beforePersonNoun),
    anyCase(u"iphone", u"I'phone"),
    anyCase(u"ids", u"idz"),
    keep(u"isis"),
    anyCase(u"i'll", u"isle"),
    // Roman numerals; "ii" gives way to "iii", and "iv" must not start a word such as "ivy".
    anyCase(u"ii", u"2,").followedBy(Follow::notLowerI),
    anyCase(u"iii", u"3,"),
    anyCase(u"iv", u"4,").followedBy(Follow::wordEnd),
};

constexpr WordRow rowsIsDot[] = {exact(u"is.", u"is .")};
constexpr WordRow rowsIsDotCapitals[] = {exact(u"IS.", u"IS .")};

constexpr WordRow rowsJ[] = {
    anyCase(u"jan", u"jann").followedBy(Follow::wordEnd),
};

constexpr WordRow rowsK[] = {
    anyCase(u"kinder", u"kyynder").followedBy(Follow::wordEnd),
};

constexpr WordRow rowsL[] = {
    keep(u"livestock"),
    anyCase(u"livestream", u"lyvstream"),
    stopAt(u"livelihood"),
    stopAt(u"lived"),
    anyCase(u"lively", u"lyyvely"),
    anyCase(u"liver", u"livver"),
    // Every other word that starts with "live" has those four letters respelled one way or
    // the other.
    anyCase(u"live", u"lyyve").decidedBy(decideLive, Asked::whenRowReached),
    anyCase(u"live", u"liv"),
    keep(u"leading"),
    keep(u"leader"),
    anyCase(u"lead-contaminat", u"led contaminat"),
    anyCase(u"lead", u"led").decidedBy(decideLead, Asked::whenRowReached),
    anyCase(u"learned", u"learnd").decidedBy(decideLearned, Asked::whenRowReached),
    anyCase(u"libido", u"libbeido"),
    anyCase(u"literati", u"literarti"),
    anyCase(u"l.a", u"ellaye"),
    anyCase(u"latino", u"lateeno"),
    anyCase(u"latina", u"lateena"),
    exact(u"LAX", u"LA X"),
};

} // namespace

constinit const LetterGroup groupI = letterGroup(u'i', Refresh::nextWordLowerCased, rowsI);
constinit const LetterGroup isDotGroup = letterGroup(u'i', Refresh::none, rowsIsDot);
constinit const LetterGroup isDotCapitalsGroup =
    letterGroup(u'I', Refresh::none, rowsIsDotCapitals);
constinit const LetterGroup groupJ = letterGroup(u'j', Refresh::none, rowsJ);
constinit const LetterGroup groupK = letterGroup(u'k', Refresh::none, rowsK);
constinit const LetterGroup groupL = letterGroup(u'l', Refresh::nextWord, rowsL);

} // namespace tellwick::rewriter
