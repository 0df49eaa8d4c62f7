#include "rewriter/word_contexts.h"
#include "rewriter/word_rules.h"

namespace tellwick::rewriter {

namespace {

using Word = std::u16string_view;

constexpr Word possessives[] = {u"his", u"my", u"her", u"their", u"our", u"your"};
constexpr Word wordsAfterArithmeticNoun[] = {u"will", u"is",  u"for",   u"on",    u"with",
                                             u"was",  u"can", u"would", u"could", u"to"};

// "arithmetic" is the noun after a possessive or before one of a few verbs and prepositions; the
// adjective keeps the voice's own reading.
bool arithmeticIsNoun(ScanState& s) {
    return isOneOf(s.LWdLc, possessives) || isOneOf(s.NxWdLc, wordsAfterArithmeticNoun);
}

constexpr WordRow rowsA[] = {
    lc(u"and/or", u"and or", 5),
    lc(u"arithmetic", u"arythmetic", 9).onlyIf(arithmeticIsNoun),
    lc(u"analgesic", u"anelgesic", 8),
    // The word "ad" is told from "add" only by what follows it, which is emitted again.
    lc(u"ad ", u"add ", 2),
    lc(u"ad.", u"add.", 2),
    lc(u"ad,", u"add,", 2),
    lc(u"ad?", u"add?", 2),
    lc(u"al jazeera", u"el jazzeera", 9),
    lc(u"al qaeda", u"el kyda", 7),
    lc(u"al-qaeda", u"el kyda", 7),
    lc(u"ak-47s", u"A. K. forty sevens", 5),
    lc(u"ak-47", u"A. K 47", 4),
};

constexpr WordRow rowsB[] = {
    lc(u"bribery", u"brybary", 6),
    keep(u"breathed"),
    keep(u"bowing"),
    lc(u"basil", u"bayzil", 4),
    lc(u"biden", u"byden", 4),
    lc(u"binoculars", u"benoculars", 9),
    lc(u"buzzfeed", u"buz feed", 7),
    lc(u"bn", u" billion ", 1),
};

constexpr WordRow rowsC[] = {
    keep(u"coffi"),
    // Only "cause" is consumed; " it" is context and is scanned again.
    lc(u"cause it", u"corze", 4),
    lc(u"covert", u"covvert", 5),
    lc(u"co-", u"coo", 2),
    keep(u"copped"),
    lc(u"copied", u"coppied", 5),
    lc(u"copyright", u"coppiright", 8),
    keep(u"cholesterol"),
    // Only the "C" is consumed; the "O2" after it follows a letter and is copied.
    exact(u"CO2", u"C ", 0),
};

constexpr WordRow rowsD[] = {
    lc(u"despic", u"despicc", 5),
    lc(u"denier", u"den eyer", 5),
    exact(u"Dr.", u"doctor", 2),
};

constexpr WordRow rowsE[] = {
    lc(u"ebook", u"eebook", 4),
    lc(u"espionage", u"espionarge", 8),
    lc(u"entrepreneurial", u"ontrepreneurial", 14),
    exact(u"EM", u"electromagnetic", 1).followedBy(Follow::belowA),
    lc(u"e.u.'s", u"E. yous", 5),
    lc(u"e.u.-", u"E.U. ", 4),
};

constexpr WordRow rowsF[] = {
    lc(u"fe", u"fey", 1).followedBy(Follow::belowA),
    lc(u"fiat", u"fee'at", 3),
};

constexpr WordRow rowsG[] = {
    lc(u"gal/", u"gallons per ", 3),
    keep(u"gravest"),
    exact(u"Gm", u"G m", 1),
    exact(u"GM", u"G m", 1),
};

constexpr WordRow rowsH[] = {
    keep(u"himalaya"),
    keep(u"helicopter"),
    lc(u"hola", u"ola", 3),
    lc(u"hearten", u"harten", 6),
};

} // namespace

constinit const LetterGroup groupA = letterGroup(u'a', Refresh::nextWordLcThenPrevious, rowsA);
constinit const LetterGroup groupB = letterGroup(u'b', Refresh::none, rowsB);
constinit const LetterGroup groupC = letterGroup(u'c', Refresh::none, rowsC);
constinit const LetterGroup groupD = letterGroup(u'd', Refresh::none, rowsD);
constinit const LetterGroup groupE = letterGroup(u'e', Refresh::none, rowsE);
constinit const LetterGroup groupF = letterGroup(u'f', Refresh::none, rowsF);
constinit const LetterGroup groupG = letterGroup(u'g', Refresh::none, rowsG);
constinit const LetterGroup groupH = letterGroup(u'h', Refresh::none, rowsH);

} // namespace tellwick::rewriter
