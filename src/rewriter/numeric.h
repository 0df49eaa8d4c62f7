#pragma once

#include <string_view>

namespace tellwick::rewriter {

// Holds for an optional sign followed by digits with at most one "." among them and at least one
// digit, once spaces are trimmed from both ends. Nothing else counts as a number: no thousands
// separators, exponents or other white space.
bool isNumeric(std::u16string_view s);

} // namespace tellwick::rewriter
