#include "respell_cases.h"
#include "rewriter/scan_state.h"
#include "rewriter/word_rules.h"

namespace tellwick {
namespace {

using rewriter::LetterGroup;

// What a letter group leaves in the scanner's previousWord and nextWord, and the piece it chooses,
// at the start of a word. A decider asked when the walk reaches its row normalises both words even
// for a word that does not match; one asked once its word matched leaves them alone otherwise; a
// row that applies before the decider's row keeps the decider from being asked at all.
struct MomentCase {
    const char* name;
    const LetterGroup& group;
    std::u16string_view text;
    std::u16string_view previousAfter;
    std::u16string_view nextAfter;
    std::u16string_view piece;
};

TEST(DeciderMoment, LeavesTheNormalisedWordsOnlyWhereTheDeciderWasAsked) {
    const MomentCase cases[] = {
        {"asked when reached, word unmatched", rewriter::groupL, u"Lamp Post", u"the", u"post",
         u""},
        {"asked when reached, word matched", rewriter::groupL, u"Live Band", u"the", u"band",
         u"lyyve"},
        {"an earlier row applies", rewriter::groupL, u"Livestock Farm", u"The ", u"Farm",
         u"livestock"},
        {"asked when reached, second letter on", rewriter::groupS, u"Sun Hat", u"the", u"hat", u""},
        {"asked once matched, word unmatched", rewriter::groupM, u"Mango Tree", u"The ", u"Tree",
         u""},
        {"asked once matched, word matched", rewriter::groupM, u"Minute Ago", u"the", u"ago",
         u"minute"},
    };
    const RespellOptions options;
    for (const MomentCase& c : cases) {
        rewriter::ScanState s(c.text, options);
        s.character = c.text[0];
        s.previousWord = u"The ";
        rewriter::runGroup(s, c.group);
        EXPECT_EQ(testing::printable(s.previousWord), testing::printable(c.previousAfter))
            << c.name;
        EXPECT_EQ(testing::printable(s.nextWord), testing::printable(c.nextAfter)) << c.name;
        EXPECT_EQ(testing::printable(s.piece.view()), testing::printable(c.piece)) << c.name;
    }
}

} // namespace
} // namespace tellwick

namespace tellwick::rewriter {
namespace {

// The walk skips the deciders of rows whose word did not match, imitating only their
// normalisation of both words; decideWind alone does not normalise the previous word.
TEST(DeciderMoment, NoRowAsksTheOneDeciderThatLeavesThePreviousWordAlone) {
    const LetterGroup* groups[] = {&groupA,     &groupB,
                                   &groupC,     &groupD,
                                   &groupE,     &groupF,
                                   &groupG,     &groupH,
                                   &groupI,     &groupJ,
                                   &groupK,     &groupL,
                                   &groupM,     &groupN,
                                   &groupO,     &groupP,
                                   &groupR,     &groupS,
                                   &groupT,     &groupU,
                                   &groupV,     &groupW,
                                   &groupX,     &groupY,
                                   &isDotGroup, &isDotCapitalsGroup};
    for (const LetterGroup* group : groups)
        for (const WordRow& row : group->rows)
            EXPECT_TRUE(row.askedWhenReached != &decideWind && row.askedOnceMatched != &decideWind)
                << char(group->letter);
}

} // namespace
} // namespace tellwick::rewriter
