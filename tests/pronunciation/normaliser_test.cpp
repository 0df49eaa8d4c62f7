#include "pronunciation/normaliser.h"

#include <gtest/gtest.h>

#include <string>

namespace tellwick {
namespace {

struct SpokenCase {
    const char* name;
    std::u16string_view text;
    std::u16string_view spoken;
};

std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

void expectSpoken(const SpokenCase* begin, const SpokenCase* end) {
    for (const SpokenCase* row = begin; row != end; ++row)
        EXPECT_EQ(utf8(speakableText(row->text).text), utf8(row->spoken)) << row->name;
}

template <std::size_t N> void expectSpoken(const SpokenCase (&rows)[N]) {
    expectSpoken(rows, rows + N);
}

TEST(Normaliser, ReadsNumbersOrdinalsAndRanges) {
    const SpokenCase rows[] = {
        {"separators", u"We had 1,234,567 votes.",
         u"We had one million two hundred thirty-four thousand five hundred sixty-seven votes."},
        {"decimal", u"Pi is 3.14 or so.", u"Pi is three point one four or so."},
        {"negative", u"It fell to -5 today.", u"It fell to minus five today."},
        {"ordinals", u"The 1st, 22nd and 103rd.",
         u"The first, twenty-second and one hundred third."},
        {"range", u"Read pages 10-20 now.", u"Read pages ten to twenty now."},
        {"year range", u"From 2010\u20132015 on.", u"From twenty ten to twenty fifteen on."},
        {"clipped year range", u"In 1990-95 it rose.",
         u"In nineteen ninety to ninety-five it rose."},
        {"past the names", u"Code 1234567890123456789012 ok",
         u"Code 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 ok"},
        {"leading zeros", u"Agent 007 here", u"Agent zero zero seven here"},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsYearsOnlyWhereTheContextSaysSo) {
    const SpokenCase rows[] = {
        {"after in", u"In 1949 we met.", u"In nineteen forty-nine we met."},
        {"a count", u"There were 1949 people.",
         u"There were one thousand nine hundred forty-nine people."},
        {"new millennium", u"We left in 2005.", u"We left in two thousand five."},
        {"old year", u"It was in 1066.", u"It was in ten sixty-six."},
        {"round century", u"Since 1900 it grew", u"Since nineteen hundred it grew"},
        {"oh", u"By 1905 it grew", u"By nineteen oh five it grew"},
        {"decade", u"The 1990s were fun.", u"The nineteen nineties were fun."},
        {"clipped decade", u"The '90s were fun.", u"The nineties were fun."},
        {"after a prefix", u"Since the mid-1990s and pre-1945 days",
         u"Since the mid nineteen nineties and pre nineteen forty-five days"},
        {"century", u"The 21st century.", u"The twenty-first century."},
        {"era", u"It fell 1066 AD too", u"It fell ten sixty-six AD too"},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsMoney) {
    const SpokenCase rows[] = {
        {"dollars and cents", u"It costs $12.50 now.",
         u"It costs twelve dollars and fifty cents now."},
        {"billions", u"It costs $1.5bn now.", u"It costs one point five billion dollars now."},
        {"pounds", u"It costs \u00A38 a month.", u"It costs eight pounds a month."},
        {"pence", u"It costs \u00A36.80 now.", u"It costs six pounds and eighty pence now."},
        {"euro millions", u"It costs \u20AC2.5m now.",
         u"It costs two point five million euros now."},
        {"cent sign", u"It costs 50\u00A2 now.", u"It costs fifty cents now."},
        {"one dollar", u"It costs $1 now.", u"It costs one dollar now."},
        {"cents only", u"It costs $0.99 now.", u"It costs ninety-nine cents now."},
        {"million word", u"It costs $3 million now.", u"It costs three million dollars now."},
        {"range", u"It costs $10-$20 now.", u"It costs ten to twenty dollars now."},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsDatesAndTimes) {
    const SpokenCase rows[] = {
        {"US numeric", u"It was 12/05/2024 then.",
         u"It was December fifth, twenty twenty-four then."},
        {"day first", u"It was 25/12/2024 then.",
         u"It was December twenty-fifth, twenty twenty-four then."},
        {"month name", u"It was March 3, 2021 then.",
         u"It was March third, twenty twenty-one then."},
        {"abbreviated month", u"It was Jan. 3rd then.", u"It was January third then."},
        {"day before month", u"It was 3 March 2021 then.",
         u"It was the third of March, twenty twenty-one then."},
        {"ISO", u"It was 2021-03-03 then.", u"It was March third, twenty twenty-one then."},
        {"month alone stays", u"We march on.", u"We march on."},
        {"afternoon", u"Come at 3:30 pm today.", u"Come at three thirty p.m. today."},
        {"morning with stops", u"Come at 10:00 a.m. today.", u"Come at ten a.m. today."},
        {"glued", u"Come at 7pm today.", u"Come at seven p.m. today."},
        {"twenty-four hours", u"Come at 14:00 today.", u"Come at fourteen hundred today."},
        {"minutes below ten", u"Come at 3:05 today.", u"Come at three oh five today."},
        {"on the hour", u"Come at 3:00 today.", u"Come at three o'clock today."},
        {"meridiem ends the sentence", u"Come at 7 PM. We ate.", u"Come at seven p.m. We ate."},
        {"the day of the month", u"On the 4th of July we ate.", u"On the fourth of July we ate."},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsFractionsPercentagesAndMeasures) {
    const SpokenCase rows[] = {
        {"quarters", u"Add 3/4 cup now.", u"Add three quarters cup now."},
        {"half", u"Add 1/2 cup now.", u"Add one half cup now."},
        {"mixed", u"Add 1 1/2 cups now.", u"Add one and a half cups now."},
        {"thirds", u"Add 2/3 cup now.", u"Add two thirds cup now."},
        {"unnamed stays", u"Score 5/7 now.", u"Score 5/7 now."},
        {"percent", u"It rose 2.5% today.", u"It rose two point five percent today."},
        {"one unit", u"It weighs 1 kg now.", u"It weighs one kilogram now."},
        {"plural unit", u"It weighs 2.5 kg now.", u"It weighs two point five kilograms now."},
        {"glued unit", u"It is 10cm long.", u"It is ten centimeters long."},
        {"degrees", u"It was 20\u00B0C today.", u"It was twenty degrees Celsius today."},
        {"speed", u"Go 100 km/h now.", u"Go one hundred kilometers per hour now."},
        {"inches need the stop", u"It is 5 in. long.", u"It is five inches long."},
        {"in is a word", u"I was 5 in May", u"I was five in May"},
        {"range of units", u"Add 10-20 kg now.", u"Add ten to twenty kilograms now."},
        {"unit's own stop", u"Drink 8 oz. of water.", u"Drink eight ounces of water."},
        {"height", u"He is 6'2\" tall.", u"He is six feet two inches tall."},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsTelephoneNumbersDigitByDigit) {
    const SpokenCase rows[] = {
        {"area code", u"Call (555) 123-4567 now.",
         u"Call five five five, one two three, four five six seven now."},
        {"hyphens", u"Call 555-123-4567 now.",
         u"Call five five five, one two three, four five six seven now."},
        {"local", u"Call 555-1234 now.", u"Call five five five, one two three four now."},
        {"country code", u"Call +1 (555) 123-4567 now.",
         u"Call one, five five five, one two three, four five six seven now."},
        {"long distance", u"Call 1-800-555-1234 now.",
         u"Call one, eight zero zero, five five five, one two three four now."},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsAbbreviationsByTheirNeighbours) {
    const SpokenCase rows[] = {
        {"street after a name", u"He is on Baker St. today.", u"He is on Baker Street today."},
        {"saint before a name", u"He went to St. Louis today.", u"He went to Saint Louis today."},
        {"street ends a sentence", u"He is on Baker St. We are not.",
         u"He is on Baker Street. We are not."},
        {"mount", u"He climbed Mt. Everest today.", u"He climbed Mount Everest today."},
        {"general", u"He met Gen. Grant today.", u"He met General Grant today."},
        {"junior", u"He met John Smith Jr. today.", u"He met John Smith Junior today."},
        {"versus", u"Red vs. blue.", u"Red versus blue."},
        {"for example", u"Do it, e.g. today.", u"Do it, for example today."},
        {"et cetera ends a sentence", u"Apples, pears, etc. Then we ate.",
         u"Apples, pears, et cetera. Then we ate."},
        {"number before digits", u"He is No. 42 today.", u"He is number forty-two today."},
        {"no alone", u"We said no. Then", u"We said no . Then"},
        {"title before no name stays", u"The gen. ed. class", u"The gen. ed. class"},
        {"drive after a name", u"He is on Elm Dr. now.", u"He is on Elm Drive now."},
        {"doctor before a name", u"We saw Dr. Smith.", u"We saw doctor Smith."},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsRomanNumeralsAsRegnalOrdinalsOrCardinals) {
    const SpokenCase rows[] = {
        {"king", u"Henry VIII had wives.", u"Henry the eighth had wives."},
        {"queen without a pause", u"Elizabeth II reigned.", u"Elizabeth the second reigned."},
        {"fourteenth", u"Louis XIV reigned.", u"Louis the fourteenth reigned."},
        {"war", u"World War II ended.", u"World War two ended."},
        {"first war", u"World War I ended.", u"World War one ended."},
        {"part one", u"Read Part I now.", u"Read Part one now."},
        {"game", u"Super Bowl LVII was fun.", u"Super Bowl fifty-seven was fun."},
        {"film", u"Rocky III was fun.", u"Rocky three was fun."},
        {"pronoun", u"Then I left.", u"Then I left."},
        {"pronoun after a name", u"Yes John I think so.", u"Yes John I think so."},
        {"capital letters", u"Washington DC is big.", u"Washington DC is big."},
    };
    expectSpoken(rows);
}

TEST(Normaliser, ReadsSymbolsThatTheVoicePassesOver) {
    const SpokenCase rows[] = {
        {"number sign", u"We are #1 here", u"We are number one here"},
        {"about", u"It is ~5 each", u"It is about five each"},
        {"greater", u"If 5 > 3 then", u"If five is greater than three then"},
        {"set phrase", u"Open 24/7 here", u"Open twenty-four seven here"},
        {"half sign", u"Add \u00BD cup", u"Add one half cup"},
        {"pence", u"It is 50p each", u"It is fifty pence each"},
        {"size", u"A 12 x 8 room", u"A twelve by eight room"},
    };
    expectSpoken(rows);
}

TEST(Normaliser, KeepsSentenceBreaksForTheVoice) {
    const SpokenCase rows[] = {
        {"respelled word", u"It is late. Dr. Smith is here.", u"It is late. Doctor Smith is here."},
        {"number", u"We ate. 1949 was good.", u"We ate. Nineteen forty-nine was good."},
        {"abbreviation", u"We ate. No. 5 won.", u"We ate. Number five won."},
        {"lower case stays", u"see e.g. this", u"see for example this"},
    };
    expectSpoken(rows);
}

TEST(Normaliser, LeavesUnsaidWhatTheRewriterLeavesOut) {
    // Square brackets are left out with the box ticked.
    EXPECT_EQ(utf8(speakableText(u"See [page 5] now.").text),
              utf8(respellText(u"See [page 5] now.")));
}

TEST(Normaliser, MapsTheWordsSaidBackToTheirToken) {
    // "Henry the eighth paid five dollars today."; "Call five five five, one two three, four five
    // six seven now." (the rewriter's pieces for the brackets are replaced whole).
    const std::u16string_view king = u"Henry VIII paid $5 today.";
    const std::u16string_view call = u"Call (555) 123-4567 now.";
    const struct {
        const char* name;
        std::u16string_view text;
        std::size_t spoken;
        std::size_t user;
    } rows[] = {
        {"before", king, 2, 2},
        {"regnal words", king, 9, 6},
        {"copied after", king, 17, 11},
        {"money words", king, 27, 16},
        {"after money", king, 36, 20},
        {"end", king, 41, 25},
        {"telephone words", call, 5, 5},
        {"telephone words' end", call, 54, 5},
        {"after the telephone", call, 56, 20},
    };
    for (const auto& row : rows)
        EXPECT_EQ(speakableText(row.text).map.sourceOf(row.spoken), row.user) << row.name;
}

TEST(Normaliser, ListsEachTokenItsKindAndItsWords) {
    const std::vector<std::u16string> lines = normalisedTokenLines(u"Henry VIII paid $5.");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(utf8(lines[0]), "VIII\troman numeral\tthe eighth");
    EXPECT_EQ(utf8(lines[1]), "$5\tmoney\tfive dollars");
}

} // namespace
} // namespace tellwick
