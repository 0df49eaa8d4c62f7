#include "cli/followed_text.h"

#include "pronunciation/normaliser.h"
#include "rewriter/line_breaks.h"

#include <algorithm>

namespace tellwick {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v' || text::isLineBreak(c) ||
           c == u'\u00a0';
}

} // namespace

FollowedText::FollowedText(std::u16string original, const RespellOptions& options)
    : original_(std::move(original)), respelled_(speakableText(original_, options)) {}

std::size_t FollowedText::originalPosition(std::size_t spoken) const {
    return respelled_.map.sourceOf(spoken);
}

std::u16string FollowedText::line(std::size_t spokenStart, std::size_t spokenEnd) const {
    std::size_t start = originalPosition(spokenStart);
    std::size_t end = std::max(start, originalPosition(spokenEnd));
    while (start < end && isBlank(original_[start]))
        ++start;
    while (end > start && isBlank(original_[end - 1]))
        --end;
    std::u16string out;
    out.reserve(end - start);
    const std::u16string_view text(original_.data() + start, end - start);
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = text::lineBreakLength(text.substr(i)); length != 0) {
            out += u' ';
            i += length;
        } else {
            out += text[i++];
        }
    }
    return out;
}

} // namespace tellwick
