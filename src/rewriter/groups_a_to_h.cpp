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
    return isOneOf(s.previousWordLowerCased, possessives) ||
           isOneOf(s.nextWordLowerCased, wordsAfterArithmeticNoun);
}

constexpr WordRow rowsA[] = {
    anyCase(u"and/or", u"and or"),
    anyCase(u"arithmetic", u"arythmetic").onlyIf(arithmeticIsNoun),
    anyCase(u"analgesic", u"anelgesic"),
    // The word "ad" is told from "add" only by what follows it, which is emitted again.
    anyCase(u"ad ", u"add "),
    anyCase(u"ad.", u"add."),
    anyCase(u"ad,", u"add,"),
    anyCase(u"ad?", u"add?"),
    anyCase(u"al jazeera", u"el jazzeera"),
    anyCase(u"al qaeda", u"el kyda"),
    anyCase(u"al-qaeda", u"el kyda"),
    anyCase(u"ak-47s", u"A. K. forty sevens"),
    anyCase(u"ak-47", u"A. K 47"),
};

constexpr WordRow rowsB[] = {
    anyCase(u"bribery", u"brybary"),
    keep(u"breathed"),
    keep(u"bowing"),
    anyCase(u"basil", u"bayzil"),
    anyCase(u"biden", u"byden"),
    anyCase(u"binoculars", u"benoculars"),
    anyCase(u"buzzfeed", u"buz feed"),
    // After a digit the "b" still starts a word, so "5bn" reads as five billion.
    anyCase(u"bn", u" billion "),
};

constexpr WordRow rowsC[] = {
    keep(u"coffi"),
    anyCase(u"cause it", u"corze").consumingOnly(u"cause"),
    anyCase(u"covert", u"covvert"),
    anyCase(u"co-", u"coo"),
    keep(u"copped"),
    anyCase(u"copied", u"coppied"),
    anyCase(u"copyright", u"coppiright"),
    keep(u"cholesterol"),
    // The "O2" after the "C" follows a letter, so it is copied.
    exact(u"CO2", u"C ").consumingOnly(u"C"),
};

constexpr WordRow rowsD[] = {
    anyCase(u"despic", u"despicc"),
    anyCase(u"denier", u"den eyer"),
    exact(u"Dr.", u"doctor"),
};

constexpr WordRow rowsE[] = {
    anyCase(u"ebook", u"eebook"),
    anyCase(u"espionage", u"espionarge"),
    anyCase(u"entrepreneurial", u"ontrepreneurial"),
    exact(u"EM", u"electromagnetic").followedBy(Follow::wordEnd),
    anyCase(u"e.u.'s", u"E. yous"),
    anyCase(u"e.u.-", u"E.U. "),
};

constexpr WordRow rowsF[] = {
    anyCase(u"fe", u"fey").followedBy(Follow::wordEnd),
    anyCase(u"fiat", u"fee'at"),
};

constexpr WordRow rowsG[] = {
    anyCase(u"gal/", u"gallons per "),
    keep(u"gravest"),
    exact(u"Gm", u"G m"),
    exact(u"GM", u"G m"),
};

constexpr WordRow rowsH[] = {
    keep(u"himalaya"),
    keep(u"helicopter"),
    anyCase(u"hola", u"ola"),
    anyCase(u"hearten", u"harten"),
};

} // namespace

constinit const LetterGroup groupA =
    letterGroup(u'a', Refresh::nextWordLowerCasedThenPrevious, rowsA);
constinit const LetterGroup groupB = letterGroup(u'b', Refresh::none, rowsB);
constinit const LetterGroup groupC = letterGroup(u'c', Refresh::none, rowsC);
constinit const LetterGroup groupD = letterGroup(u'd', Refresh::none, rowsD);
constinit const LetterGroup groupE = letterGroup(u'e', Refresh::none, rowsE);
constinit const LetterGroup groupF = letterGroup(u'f', Refresh::none, rowsF);
constinit const LetterGroup groupG = letterGroup(u'g', Refresh::none, rowsG);
constinit const LetterGroup groupH = letterGroup(u'h', Refresh::none, rowsH);

} // namespace tellwick::rewriter
