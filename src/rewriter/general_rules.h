#pragma once

#include "rewriter/scan_state.h"

namespace tellwick::rewriter {

// The general rules before the letter groups, for characters other than spaces and letters.
bool runRulesOnOtherCharacters(ScanState& s);

// The general rules that come before the letter groups (line breaks to the stand-alone capital
// A), in their order. Returns whether one of them ended the cascade; the dollar reset and the
// capital A change the state and let it go on.
inline bool runRulesBeforeLetterGroups(ScanState& s) {
    const char16_t ch = s.character;
    // Most characters are spaces, letters, or come after the last one that a rule names (U+2026,
    // the ellipsis): scripts other than Latin. Of all these rules only the dollar reset can touch
    // them (and a capital A its own rule), so they skip the rest.
    if (ch == u' ' || (ch >= u'a' && ch <= u'z') || (ch > u'A' && ch <= u'Z') || ch > u'\u2026') {
        s.inAmount = false;
        return false;
    }
    return runRulesOnOtherCharacters(s);
}

// Between letter groups "a" and "b": a number of up to four characters alone on its line is
// blanked. Returns whether the rule ended the cascade (it does whenever a digit follows a line
// feed).
bool runNumberAloneOnLine(ScanState& s);

} // namespace tellwick::rewriter
