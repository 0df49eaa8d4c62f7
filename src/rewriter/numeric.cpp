#include "rewriter/numeric.h"

#include "rewriter/text.h"

namespace tellwick::rewriter {

bool isNumeric(std::u16string_view s) {
    s = text::trimSpaces(s);
    if (!s.empty() && (s.front() == u'+' || s.front() == u'-'))
        s.remove_prefix(1);
    bool seenDigit = false;
    bool seenPoint = false;
    for (char16_t c : s) {
        if (c >= u'0' && c <= u'9') {
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

} // namespace tellwick::rewriter
