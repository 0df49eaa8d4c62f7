#pragma once

#include <string>
#include <string_view>

namespace tellwick::text {

// What ends a line, in every text the program reads: a carriage return, a line feed (the two
// together as one break), and the paragraph and line separators that a text box keeps for them.
constexpr bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n' || c == u'\u2029' || c == u'\u2028';
}

// The length of the line break at the start of text: 2 for CR LF, 1 for any other, 0 for none.
constexpr std::size_t lineBreakLength(std::u16string_view text) {
    if (text.empty() || !isLineBreak(text[0]))
        return 0;
    return text.starts_with(u"\r\n") ? 2 : 1;
}

// The text with each line break written as lineEnd. The rewriter's rules about lines look for CR
// LF, which is what the window hands it; programs that a text is pasted into expect LF.
std::u16string withLineBreaks(std::u16string_view text, std::u16string_view lineEnd);

inline std::u16string withCrLfLineBreaks(std::u16string_view text) {
    return withLineBreaks(text, u"\r\n");
}
inline std::u16string withLfLineBreaks(std::u16string_view text) {
    return withLineBreaks(text, u"\n");
}

} // namespace tellwick::text
