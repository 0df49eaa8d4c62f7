#include "respell_cases.h"

#include <string>

namespace tellwick {
namespace {

using testing::pauseAtLineBreaks;
using testing::readSquareBrackets;
using testing::RespellCase;

TEST(RespellGeneralRules, LineBreaksBracketsAndPunctuation) {
    const RespellCase cases[] = {
        {u"", u""},
        {u"a\r\nb", u"a  b"},
        {u"a\r\nb", u"a\r\nb", pauseAtLineBreaks},
        {u"see [note 4] here", u"see   here"},
        {u"x[1] y]z", u"x  y]z"}, // the passage runs to the first "]"
        {u"word [12] more", u"word  12, more", readSquareBrackets},
        {u"[1", u" 1", readSquareBrackets},
        {u"a [b]", u"a [b]", readSquareBrackets}, // a letter after "[" keeps it
        {u"x[1]", u"x[1,", readSquareBrackets},   // "[" after a letter is copied
        {u"[a] b", u"[a] b", readSquareBrackets}, // "]" after a letter is copied
        {u"[1]x", u" 1]x", readSquareBrackets},   // "]" before a letter is copied
        {u"(a)", u", a, "},
        {u"one\u2014two", u"one, two"},
        {u"well-known", u"well known"},
        {u"a -b", u"a -b"},
        {u"-b", u"-b"},
        {u"5\u00b2 3\u00b3", u"5 squared  3 cubed "},
        {u"so\u2026", u"so\u2026 "},
        {u"so.... yes", u"so... . yes"},
        {u"why?-no", u"why? - no"},
        {u"why? no", u"why?  no"},
        {u"stop!-now!", u"stop! - now!"},
    };
    testing::expectRespelled(cases);
}

TEST(RespellGeneralRules, NumbersAndDollars) {
    const RespellCase cases[] = {
        {u"3.14", u"3 point 1 4"},
        {u"$3.50", u"$3.50"},
        {u"$3 and 2.5", u"$3 and 2 point 5 "},
        {u"$(3).5", u"$, 3, .5"}, // brackets leave the flag alone
        {u"$3x 2.5", u"$3x 2 point 5 "},
        {u"3. 5", u"3. 5"},
        {u"v3.x", u"v3.x"},
        {u"9/11 and 9/11", u"9'11 and 9'11"},
        {u"19/11", u"19/11"},
        {u"99/11", u"99/11"},
        {u"plan A.", u"plan A'."},
        {u"plan A ", u"plan A' "},
        {u"x. A dog", u"x. A dog"},
        {u"plan a.", u"plan a."},
        {u"A.", u"A."},
    };
    testing::expectRespelled(cases);
}

TEST(RespellGeneralRules, NumbersAloneOnTheirLineAreBlanked) {
    const RespellCase cases[] = {
        {u"x\r\n12\r\ny", u"x\r\n  \r\ny", pauseAtLineBreaks},
        {u"x\r\n7\r\n", u"x\r\n \r\n", pauseAtLineBreaks},
        {u"x\r\n1234\r\n", u"x\r\n    \r\n", pauseAtLineBreaks},
        {u"x\r\n12345\r\n", u"x\r\n12345\r\n", pauseAtLineBreaks},
        {u"x\r\n1.5 \r\n", u"x\r\n    \r\n", pauseAtLineBreaks},
        {u"x\r\n-12\r\n", u"x\r\n 12\r\n", pauseAtLineBreaks}, // the hyphen is read as a space
        {u"x\r\n12 apples\r\n", u"x\r\n12 apples\r\n", pauseAtLineBreaks},
        {u"x\n12\r", u"x\n  \r", pauseAtLineBreaks},
        {u"x\r\n12\r\n", u"x      "}, // ticked: the line feed is still the previousCharacter
        // A "9" that does not start "9/11" goes on to be blanked.
        {u"x\r\n9\r\n", u"x\r\n \r\n", pauseAtLineBreaks},
        {u"x\r\n95\r\n", u"x\r\n  \r\n", pauseAtLineBreaks},
        {u"x\r\n912\r\n", u"x\r\n   \r\n", pauseAtLineBreaks},
        {u"x\r\n9000\r\n", u"x\r\n    \r\n", pauseAtLineBreaks},
        {u"x\r\n9/11\r\n", u"x\r\n9'11\r\n", pauseAtLineBreaks},
    };
    testing::expectRespelled(cases);
}

// With brackets left out, a "[" that no "]" follows is an ordinary character; nothing is lost.
TEST(RespellGeneralRules, OpenBracketWithoutCloseIsKept) {
    const RespellCase cases[] = {
        {u"a [b", u"a [b"},   {u"[1 x", u" 1 x"}, {u"x[y", u"x[y"},
        {u"[a] [b", u"  [b"}, {u"[[[", u"[[["},
    };
    testing::expectRespelled(cases);

    const std::u16string many(100000, u'[');
    EXPECT_EQ(respellText(many), many);
}

// What the word accumulator holds when a word starts: the previous word with the one character
// after it; a line break keeps it; a second separator replaces it; a consumed word leaves only
// its first letter.
TEST(RespellGeneralRules, PreviousWordAsTheTailKeepsIt) {
    const RespellCase cases[] = {
        {u"my arithmetic", u"my arythmetic"},
        {u"my, arithmetic", u"my, arithmetic"},
        {u"my  arithmetic", u"my  arithmetic"},
        {u"my\r\narithmetic", u"my\r\narythmetic", pauseAtLineBreaks},
        {u"my\r\narithmetic", u"my  arythmetic"},
        {u"My arithmetic", u"My arythmetic"},
        {u"amy arithmetic", u"amy arithmetic"},
        // A word start after "_" or a letter above "z" does not empty the accumulator.
        {u"x_my arithmetic", u"x_my arithmetic"},
        {u"AK-47s live", u"A. K. forty sevens lyyve"},
        {u"AK-47x live", u"A. K 47x liv"},
    };
    testing::expectRespelled(cases);
}

// Text without ASCII separators makes the accumulator run on; a long run never equals a word.
TEST(RespellGeneralRules, LongRunsWithoutSeparatorsMatchNoWord) {
    for (std::size_t length : {1u, 63u, 64u, 65u, 5000u}) {
        const std::u16string run(length, u'\u4e2d');
        const std::u16string text = run + u"his arithmetic" + run + u"my arithmetic";
        EXPECT_EQ(respellText(text), text) << length;
    }
}

} // namespace
} // namespace tellwick
