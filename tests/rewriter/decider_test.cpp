#include "rewriter/deciders.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tellwick {
namespace {

using Decider = bool (*)(std::u16string&, std::u16string&);

struct DeciderCase {
    const char* name;
    Decider decider;
    std::u16string_view previous;
    std::u16string_view next;
    bool expected;
};

std::ostream& operator<<(std::ostream& out, const DeciderCase& c) {
    return out << c.name << " expecting " << c.expected;
}

class DeciderTest : public testing::TestWithParam<DeciderCase> {};

TEST_P(DeciderTest, Answers) {
    const auto& c = GetParam();
    std::u16string previous(c.previous);
    std::u16string next(c.next);
    EXPECT_EQ(c.decider(previous, next), c.expected);
}

#define DECIDER(f) #f, f

// Yes cases take the first and the last word of each list, so that a list cut short or a word
// moved to the other neighbour shows; no cases take words listed for the other neighbour only.
INSTANTIATE_TEST_SUITE_P(Lists, DeciderTest,
                         testing::Values(DeciderCase{DECIDER(IsLyv), u"", u"band", true},
                                         DeciderCase{DECIDER(IsLyv), u"", u"Music", true},
                                         DeciderCase{DECIDER(IsLyv), u"", u"gigs", true},
                                         DeciderCase{DECIDER(IsLyv), u"their ", u"", true},
                                         DeciderCase{DECIDER(IsLyv), u"s", u"", true},
                                         DeciderCase{DECIDER(IsLyv), u"peoples ", u"", true},
                                         DeciderCase{DECIDER(IsLyv), u"save ", u"", true},
                                         DeciderCase{DECIDER(IsLyv), u"better ", u"", true},
                                         DeciderCase{DECIDER(IsLyv), u"we ", u"here", false},
                                         DeciderCase{DECIDER(IsLyv), u"", u"bandx", false},
                                         DeciderCase{DECIDER(IsLyv), u"", u"ban", false},
                                         DeciderCase{DECIDER(IsLyv), u"", u" band", false},
                                         DeciderCase{DECIDER(IsLyv), u"the,", u"", false},
                                         DeciderCase{DECIDER(IsLyv), u"", u"professional", false},
                                         DeciderCase{DECIDER(IsLed), u"", u"contaminated", true},
                                         DeciderCase{DECIDER(IsLed), u"", u"toxicity", true},
                                         DeciderCase{DECIDER(IsLed), u"from ", u"the", true},
                                         DeciderCase{DECIDER(IsLed), u"have ", u"", true},
                                         DeciderCase{DECIDER(IsLed), u"", u"from", false},
                                         DeciderCase{DECIDER(IsLed), u"pipes ", u"the", false},
                                         DeciderCase{DECIDER(IsLearnd), u"she ", u"the", true},
                                         DeciderCase{DECIDER(IsLearnd), u"", u"nothing", true},
                                         DeciderCase{DECIDER(IsLearnd), u"had ", u"", true},
                                         DeciderCase{DECIDER(IsLearnd), u"a ", u"man", false},
                                         DeciderCase{DECIDER(IsMinuut), u"", u"amount", true},
                                         DeciderCase{DECIDER(IsMinuut), u"", u"particles", true},
                                         DeciderCase{DECIDER(IsMinuut), u"with ", u"", true},
                                         DeciderCase{DECIDER(IsMinuut), u"are ", u"", true},
                                         DeciderCase{DECIDER(IsMinuut), u"a ", u"ago", false},
                                         DeciderCase{DECIDER(IsProjject), u"they ", u"the", true},
                                         DeciderCase{DECIDER(IsProjject), u"", u"an", true},
                                         DeciderCase{DECIDER(IsProjject), u"others ", u"", true},
                                         DeciderCase{DECIDER(IsProjject), u"the ", u"", false},
                                         DeciderCase{DECIDER(IsProjject), u"", u"i", false},
                                         DeciderCase{DECIDER(IsRecoord), u"", u"a", true},
                                         DeciderCase{DECIDER(IsRecoord), u"", u"their", true},
                                         DeciderCase{DECIDER(IsRecoord), u"Will ", u"Record", true},
                                         DeciderCase{DECIDER(IsRecoord), u"a ", u"", false},
                                         DeciderCase{DECIDER(IsReed), u"so ", u"", true},
                                         DeciderCase{DECIDER(IsReed), u"please ", u"", true},
                                         DeciderCase{DECIDER(IsReed), u"will ", u"", true},
                                         DeciderCase{DECIDER(IsReed), u"i ", u"", false},
                                         DeciderCase{DECIDER(IsReed), u"", u"the", false},
                                         DeciderCase{DECIDER(IsRed), u"ve ", u"", true},
                                         DeciderCase{DECIDER(IsRed), u"ive ", u"", true},
                                         DeciderCase{DECIDER(IsRed), u"theyve ", u"", true},
                                         DeciderCase{DECIDER(IsRed), u"i ", u"", false},
                                         DeciderCase{DECIDER(IsRed), u"i\u2019ve ", u"", false},
                                         DeciderCase{DECIDER(IsRed), u"", u"ve", false},
                                         DeciderCase{DECIDER(IsResjoom), u"", u"working", true},
                                         DeciderCase{DECIDER(IsResjoom), u"", u"once", true},
                                         DeciderCase{DECIDER(IsResjoom), u"will ", u"", true},
                                         DeciderCase{DECIDER(IsResjoom), u"they ", u"", true},
                                         DeciderCase{DECIDER(IsResjoom), u"my ", u"", false},
                                         DeciderCase{DECIDER(IsSew), u"", u"her", true},
                                         DeciderCase{DECIDER(IsSew), u"", u"bad", true},
                                         DeciderCase{DECIDER(IsSew), u"but ", u"", true},
                                         DeciderCase{DECIDER(IsSew), u"will ", u"", true},
                                         DeciderCase{DECIDER(IsSew), u"the ", u"", false},
                                         DeciderCase{DECIDER(IsWowned), u"", u"steeply", true},
                                         DeciderCase{DECIDER(IsWowned), u"", u"carefully", true},
                                         DeciderCase{DECIDER(IsWowned), u"is ", u"", true},
                                         DeciderCase{DECIDER(IsWowned), u"neatly ", u"", true},
                                         DeciderCase{DECIDER(IsWowned), u"a ", u"", false},
                                         DeciderCase{DECIDER(IsWowned), u"deep ", u"", false},
                                         DeciderCase{DECIDER(IsWinnd), u"the ", u"blew", true},
                                         DeciderCase{DECIDER(IsWinnd), u"", u"back", false},
                                         DeciderCase{DECIDER(IsWinnd), u"", u"YOU", false},
                                         DeciderCase{DECIDER(IsWinnd), u"up ", u"", true}));

// Two empty words match no list, whatever the decider.
INSTANTIATE_TEST_SUITE_P(EmptyWords, DeciderTest,
                         testing::Values(DeciderCase{DECIDER(IsWinnd), u"", u"", true},
                                         DeciderCase{DECIDER(IsLyv), u"", u"", false},
                                         DeciderCase{DECIDER(IsLed), u"", u"", false},
                                         DeciderCase{DECIDER(IsLearnd), u"", u"", false},
                                         DeciderCase{DECIDER(IsMinuut), u"", u"", false},
                                         DeciderCase{DECIDER(IsWowned), u"", u"", false},
                                         DeciderCase{DECIDER(IsProjject), u"", u"", false},
                                         DeciderCase{DECIDER(IsRecoord), u"", u"", false},
                                         DeciderCase{DECIDER(IsReed), u"", u"", false},
                                         DeciderCase{DECIDER(IsRed), u"", u"", false},
                                         DeciderCase{DECIDER(IsResjoom), u"", u"", false},
                                         DeciderCase{DECIDER(IsSew), u"", u"", false},
                                         DeciderCase{DECIDER(IsLyv), u"   ", u"", false}));

struct NormalisationCase {
    const char* name;
    Decider decider;
    std::u16string_view previous;
    std::u16string_view next;
    std::u16string_view previousAfter;
    std::u16string_view nextAfter;
};

std::ostream& operator<<(std::ostream& out, const NormalisationCase& c) {
    return out << c.name;
}

class DeciderNormalisationTest : public testing::TestWithParam<NormalisationCase> {};

// The scanner keeps working with what the decider leaves in its variables.
TEST_P(DeciderNormalisationTest, StoresTheNormalisedWordsBack) {
    const auto& c = GetParam();
    std::u16string previous(c.previous);
    std::u16string next(c.next);
    c.decider(previous, next);
    EXPECT_EQ(previous, c.previousAfter);
    EXPECT_EQ(next, c.nextAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Words, DeciderNormalisationTest,
    testing::Values(NormalisationCase{DECIDER(IsLyv), u"The ", u"BAND", u"the", u"band"},
                    NormalisationCase{DECIDER(IsReed), u"  My  ", u"Book", u"my", u"book"},
                    // The next word is lower-cased but never trimmed.
                    NormalisationCase{DECIDER(IsSew), u" ", u" Seeds ", u"", u" seeds "},
                    // Only A to Z change case; other separators stay.
                    NormalisationCase{DECIDER(IsRed), u"\u00c9T\u00c9,", u"\u00c9",
                                      u"\u00c9t\u00c9,", u"\u00c9"},
                    NormalisationCase{DECIDER(IsLed), u"a\tB ", u"", u"a\tb", u""},
                    // The wind decider leaves the previous word as it found it.
                    NormalisationCase{DECIDER(IsWinnd), u"The ", u"BACK", u"The ", u"back"}));

} // namespace
} // namespace tellwick
