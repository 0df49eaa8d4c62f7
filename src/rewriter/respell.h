#pragma once

#include <string>
#include <string_view>

namespace tellwick {

// The two check boxes of the window that steer the rewriter. Both start ticked.
struct RespellOptions {
    bool chkCrPause = true; // ticked: carriage returns and line feeds are read as spaces
    bool chkSqBr = true;    // ticked: text within square brackets is left out
};

// Rewrites text so that a speech voice pronounces it better. One left-to-right scan over the
// UTF-16 code units of Txt; linear in its length; cannot fail.
std::u16string RespellText(std::u16string_view Txt, const RespellOptions& options = {});

} // namespace tellwick
