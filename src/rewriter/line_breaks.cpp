#include "rewriter/line_breaks.h"

#include <algorithm>

namespace tellwick::text {

std::u16string withLineBreaks(std::u16string_view text, std::u16string_view lineEnd) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    // Runs between breaks are copied whole: a book is megabytes.
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t run =
            std::find_if(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), isLineBreak) -
            text.begin();
        out.append(text.substr(i, run - i));
        if (run == text.size())
            break;
        out += lineEnd;
        i = run + lineBreakLength(text.substr(run));
    }
    return out;
}

} // namespace tellwick::text
