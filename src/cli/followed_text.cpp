#include "cli/followed_text.h"

#include <algorithm>

namespace tellwick {

namespace {

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\v' || isLineBreak(c) || c == u'\u00a0';
}

} // namespace

FollowedText::FollowedText(std::u16string original, const RespellOptions& options)
    : original_(std::move(original)), respelled_(respellTextMapped(original_, options)) {}

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
    for (std::size_t i = start; i < end; ++i) {
        if (!isLineBreak(original_[i]))
            out += original_[i];
        else if (original_[i] == u'\n' || i + 1 >= end || original_[i + 1] != u'\n')
            out += u' ';
    }
    return out;
}

} // namespace tellwick
