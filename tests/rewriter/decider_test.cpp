#include "rewriter/heteronym_deciders.h"

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
INSTANTIATE_TEST_SUITE_P(
    Lists, DeciderTest,
    testing::Values(DeciderCase{DECIDER(decideLive), u"", u"band", true},
                    DeciderCase{DECIDER(decideLive), u"", u"Music", true},
                    DeciderCase{DECIDER(decideLive), u"", u"gigs", true},
                    DeciderCase{DECIDER(decideLive), u"their ", u"", true},
                    DeciderCase{DECIDER(decideLive), u"s", u"", true},
                    DeciderCase{DECIDER(decideLive), u"peoples ", u"", true},
                    DeciderCase{DECIDER(decideLive), u"save ", u"", true},
                    DeciderCase{DECIDER(decideLive), u"better ", u"", true},
                    DeciderCase{DECIDER(decideLive), u"we ", u"here", false},
                    DeciderCase{DECIDER(decideLive), u"", u"bandx", false},
                    DeciderCase{DECIDER(decideLive), u"", u"ban", false},
                    DeciderCase{DECIDER(decideLive), u"", u" band", false},
                    DeciderCase{DECIDER(decideLive), u"the,", u"", false},
                    DeciderCase{DECIDER(decideLive), u"", u"professional", false},
                    DeciderCase{DECIDER(decideLead), u"", u"contaminated", true},
                    DeciderCase{DECIDER(decideLead), u"", u"toxicity", true},
                    DeciderCase{DECIDER(decideLead), u"from ", u"the", true},
                    DeciderCase{DECIDER(decideLead), u"have ", u"", true},
                    DeciderCase{DECIDER(decideLead), u"", u"from", false},
                    DeciderCase{DECIDER(decideLead), u"pipes ", u"the", false},
                    DeciderCase{DECIDER(decideLearned), u"she ", u"the", true},
                    DeciderCase{DECIDER(decideLearned), u"", u"nothing", true},
                    DeciderCase{DECIDER(decideLearned), u"had ", u"", true},
                    DeciderCase{DECIDER(decideLearned), u"a ", u"man", false},
                    DeciderCase{DECIDER(decideMinute), u"", u"amount", true},
                    DeciderCase{DECIDER(decideMinute), u"", u"particles", true},
                    DeciderCase{DECIDER(decideMinute), u"with ", u"", true},
                    DeciderCase{DECIDER(decideMinute), u"are ", u"", true},
                    DeciderCase{DECIDER(decideMinute), u"a ", u"ago", false},
                    DeciderCase{DECIDER(decideProject), u"they ", u"the", true},
                    DeciderCase{DECIDER(decideProject), u"", u"an", true},
                    DeciderCase{DECIDER(decideProject), u"others ", u"", true},
                    DeciderCase{DECIDER(decideProject), u"the ", u"", false},
                    DeciderCase{DECIDER(decideProject), u"", u"i", false},
                    DeciderCase{DECIDER(decideRecord), u"", u"a", true},
                    DeciderCase{DECIDER(decideRecord), u"", u"their", true},
                    DeciderCase{DECIDER(decideRecord), u"Will ", u"Record", true},
                    DeciderCase{DECIDER(decideRecord), u"a ", u"", false},
                    DeciderCase{DECIDER(decideReadPresent), u"so ", u"", true},
                    DeciderCase{DECIDER(decideReadPresent), u"please ", u"", true},
                    DeciderCase{DECIDER(decideReadPresent), u"will ", u"", true},
                    DeciderCase{DECIDER(decideReadPresent), u"i ", u"", false},
                    DeciderCase{DECIDER(decideReadPresent), u"", u"the", false},
                    DeciderCase{DECIDER(decideReadPast), u"ve ", u"", true},
                    DeciderCase{DECIDER(decideReadPast), u"ive ", u"", true},
                    DeciderCase{DECIDER(decideReadPast), u"theyve ", u"", true},
                    DeciderCase{DECIDER(decideReadPast), u"i ", u"", false},
                    DeciderCase{DECIDER(decideReadPast), u"i\u2019ve ", u"", false},
                    DeciderCase{DECIDER(decideReadPast), u"", u"ve", false},
                    DeciderCase{DECIDER(decideResume), u"", u"working", true},
                    DeciderCase{DECIDER(decideResume), u"", u"once", true},
                    DeciderCase{DECIDER(decideResume), u"will ", u"", true},
                    DeciderCase{DECIDER(decideResume), u"they ", u"", true},
                    DeciderCase{DECIDER(decideResume), u"my ", u"", false},
                    DeciderCase{DECIDER(decideSow), u"", u"her", true},
                    DeciderCase{DECIDER(decideSow), u"", u"bad", true},
                    DeciderCase{DECIDER(decideSow), u"but ", u"", true},
                    DeciderCase{DECIDER(decideSow), u"will ", u"", true},
                    DeciderCase{DECIDER(decideSow), u"the ", u"", false},
                    DeciderCase{DECIDER(decideWound), u"", u"steeply", true},
                    DeciderCase{DECIDER(decideWound), u"", u"carefully", true},
                    DeciderCase{DECIDER(decideWound), u"is ", u"", true},
                    DeciderCase{DECIDER(decideWound), u"neatly ", u"", true},
                    DeciderCase{DECIDER(decideWound), u"a ", u"", false},
                    DeciderCase{DECIDER(decideWound), u"deep ", u"", false},
                    DeciderCase{DECIDER(decideWind), u"the ", u"blew", true},
                    DeciderCase{DECIDER(decideWind), u"", u"back", false},
                    DeciderCase{DECIDER(decideWind), u"", u"YOU", false},
                    DeciderCase{DECIDER(decideWind), u"up ", u"", true}));

// Two empty words match no list, whatever the decider.
INSTANTIATE_TEST_SUITE_P(EmptyWords, DeciderTest,
                         testing::Values(DeciderCase{DECIDER(decideWind), u"", u"", true},
                                         DeciderCase{DECIDER(decideLive), u"", u"", false},
                                         DeciderCase{DECIDER(decideLead), u"", u"", false},
                                         DeciderCase{DECIDER(decideLearned), u"", u"", false},
                                         DeciderCase{DECIDER(decideMinute), u"", u"", false},
                                         DeciderCase{DECIDER(decideWound), u"", u"", false},
                                         DeciderCase{DECIDER(decideProject), u"", u"", false},
                                         DeciderCase{DECIDER(decideRecord), u"", u"", false},
                                         DeciderCase{DECIDER(decideReadPresent), u"", u"", false},
                                         DeciderCase{DECIDER(decideReadPast), u"", u"", false},
                                         DeciderCase{DECIDER(decideResume), u"", u"", false},
                                         DeciderCase{DECIDER(decideSow), u"", u"", false},
                                         DeciderCase{DECIDER(decideLive), u"   ", u"", false}));

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
    testing::Values(NormalisationCase{DECIDER(decideLive), u"The ", u"BAND", u"the", u"band"},
                    NormalisationCase{DECIDER(decideReadPresent), u"  My  ", u"Book", u"my",
                                      u"book"},
                    // The next word is lower-cased but never trimmed.
                    NormalisationCase{DECIDER(decideSow), u" ", u" Seeds ", u"", u" seeds "},
                    // Only A to Z change case; other separators stay.
                    NormalisationCase{DECIDER(decideReadPast), u"\u00c9T\u00c9,", u"\u00c9",
                                      u"\u00c9t\u00c9,", u"\u00c9"},
                    NormalisationCase{DECIDER(decideLead), u"a\tB ", u"", u"a\tb", u""},
                    // The wind decider leaves the previous word as it found it.
                    NormalisationCase{DECIDER(decideWind), u"The ", u"BACK", u"The ", u"back"}));

} // namespace
} // namespace tellwick
