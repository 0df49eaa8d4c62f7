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
bool arithmeticIsNoun(const ScanState& s) {
    return isOneOf(s.LWdLc, possessives) || isOneOf(s.NxWdLc, wordsAfterArithmeticNoun);
}

constexpr WordRow rowsA[] = {
    lc(u"and/or", u"and or"),
    lc(u"arithmetic", u"arythmetic").onlyIf(arithmeticIsNoun),
    lc(u"analgesic", u"anelgesic"),
    // The word "ad" is told from "add" only by what follows it, which is emitted again.
    lc(u"ad ", u"add "),
    lc(u"ad.", u"add."),
    lc(u"ad,", u"add,"),
    lc(u"ad?", u"add?"),
    lc(u"al jazeera", u"el jazzeera"),
    lc(u"al qaeda", u"el kyda"),
    lc(u"al-qaeda", u"el kyda"),
    lc(u"ak-47s", u"A. K. forty sevens"),
    lc(u"ak-47", u"A. K 47"),
};

constexpr WordRow rowsB[] = {
    lc(u"bribery", u"brybary"),
    keep(u"breathed"),
    keep(u"bowing"),
    lc(u"basil", u"bayzil"),
    lc(u"biden", u"byden"),
    lc(u"binoculars", u"benoculars"),
    lc(u"buzzfeed", u"buz feed"),
    // After a digit the "b" still starts a word, so "5bn" reads as five billion.
    lc(u"bn", u" billion "),
};

constexpr WordRow rowsC[] = {
    keep(u"coffi"),
    lc(u"cause it", u"corze").consumingOnly(u"cause"),
    lc(u"covert", u"covvert"),
    lc(u"co-", u"coo"),
    keep(u"copped"),
    lc(u"copied", u"coppied"),
    lc(u"copyright", u"coppiright"),
    keep(u"cholesterol"),
    // The "O2" after the "C" follows a letter, so it is copied.
    exact(u"CO2", u"C ").consumingOnly(u"C"),
};

constexpr WordRow rowsD[] = {
    lc(u"despic", u"despicc"),
    lc(u"denier", u"den eyer"),
    exact(u"Dr.", u"doctor"),
};

constexpr WordRow rowsE[] = {
    lc(u"ebook", u"eebook"),
    lc(u"espionage", u"espionarge"),
    lc(u"entrepreneurial", u"ontrepreneurial"),
    exact(u"EM", u"electromagnetic").followedBy(Follow::belowA),
    lc(u"e.u.'s", u"E. yous"),
    lc(u"e.u.-", u"E.U. "),
};

constexpr WordRow rowsF[] = {
    lc(u"fe", u"fey").followedBy(Follow::belowA),
    lc(u"fiat", u"fee'at"),
};

constexpr WordRow rowsG[] = {
    lc(u"gal/", u"gallons per "),
    keep(u"gravest"),
    exact(u"Gm", u"G m"),
    exact(u"GM", u"G m"),
};

constexpr WordRow rowsH[] = {
    keep(u"himalaya"),
    keep(u"helicopter"),
    lc(u"hola", u"ola"),
    lc(u"hearten", u"harten"),
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
