#pragma once

#include "rewriter/respell.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

namespace tellwick::testing {

// One text and what the voice is given for it. The options default to both boxes ticked, as the
// window starts.
struct RespellCase {
    std::u16string_view input;
    std::u16string_view expected;
    RespellOptions options = {};
};

inline constexpr RespellOptions pauseAtLineBreaks{.linesAsSpaces = false, .skipBracketed = true};
inline constexpr RespellOptions readSquareBrackets{.linesAsSpaces = true, .skipBracketed = false};

// Readable in failure messages: ASCII as it is, everything else as \uXXXX.
inline std::string printable(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(char(c));
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(c));
            out += buffer;
        }
    }
    return out;
}

inline void expectRespelled(std::span<const RespellCase> cases) {
    for (const RespellCase& c : cases) {
        EXPECT_EQ(printable(respellText(c.input, c.options)), printable(c.expected))
            << "input: '" << printable(c.input) << "'";
    }
}

} // namespace tellwick::testing
