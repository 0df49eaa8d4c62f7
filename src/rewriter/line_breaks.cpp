#include "rewriter/line_breaks.h"

namespace tellwick::text {

std::u16string withLineBreaks(std::u16string_view text, std::u16string_view lineEnd) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = lineBreakLength(text.substr(i)); length != 0) {
            out += lineEnd;
            i += length;
        } else {
            out += text[i++];
        }
    }
    return out;
}

} // namespace tellwick::text
