#pragma once

#include "rewriter/scan_state.h"
#include "rewriter/word_rules.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace tellwick::rewriter {

// Hands the scanner's own LWd and NxWd to a decider, so that the decider's normalisation of
// them stays in force for the rest of the scan.
template <Decider decide> bool ask(ScanState& s) {
    return decide(s.LWd, s.NxWd);
}

inline bool isOneOf(std::u16string_view word, std::span<const std::u16string_view> list) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

// Whether LCase(value) equals word, which is written in lower case; builds no string.
bool lowerCasedEquals(std::u16string_view value, std::u16string_view word);

} // namespace tellwick::rewriter
