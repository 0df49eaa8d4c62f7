#pragma once

#include "rewriter/scan_state.h"

namespace tellwick::rewriter {

// General rules 1 to 21, in their order. Returns whether one of them ended the cascade; rules
// 18 and 21 change the state and let it go on.
bool runRulesBeforeLetterGroups(ScanState& s);

// Rule 23: a number of up to four characters alone on its line is blanked. Returns whether the
// rule ended the cascade (it does whenever a digit follows a line feed).
bool runNumberAloneOnLine(ScanState& s);

} // namespace tellwick::rewriter
