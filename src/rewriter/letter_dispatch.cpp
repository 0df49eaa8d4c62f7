#include "rewriter/text.h"
#include "rewriter/word_rules.h"

#include <iterator>

namespace tellwick::rewriter {

namespace {

// Only the group of the current character's letter can have its guard hold, so looking it up gives
// the same result as trying the groups in turn. Group "a" runs earlier in the cascade; Q and Z have
// none.
constexpr const LetterGroup* laterGroups[] = {
    nullptr, &groupB, &groupC, &groupD, &groupE, &groupF, &groupG, &groupH, &groupI,
    &groupJ, &groupK, &groupL, &groupM, &groupN, &groupO, &groupP, nullptr, &groupR,
    &groupS, &groupT, &groupU, &groupV, &groupW, &groupX, &groupY, nullptr,
};
static_assert(std::size(laterGroups) == u'z' - u'a' + 1);

// The "is." groups need a previous character that belongs to no word, which is narrower than word
// start: after "_" or an accented letter the "i" group runs but they do not.
void runIsDotGroups(ScanState& s) {
    if (belongsToWord(s.previousCharacter))
        return;
    if (s.character == isDotGroup.letter)
        runRows(s, isDotGroup.rows);
    else if (s.character == isDotCapitalsGroup.letter)
        runRows(s, isDotCapitalsGroup.rows);
}

} // namespace

void runLaterLetterGroups(ScanState& s) {
    const char16_t letter = text::lowerCase(s.character);
    if (letter < u'a' || letter > u'z' || !s.atWordStart())
        return;
    const LetterGroup* group = laterGroups[letter - u'a'];
    if (!group)
        return;
    runGroup(s, *group);
    if (group == &groupI)
        runIsDotGroups(s);
}

} // namespace tellwick::rewriter
