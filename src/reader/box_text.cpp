#include "reader/box_text.h"

#include "reader/compact_text.h"

#include "pronunciation/normaliser.h"

#include <algorithm>
#include <string_view>

namespace tellwick {

namespace {

constexpr qsizetype beginningLength = 16 * 1024;
// Where no line ends soon after beginningLength, a space will do, and then any place.
constexpr qsizetype beginningLimit = 2 * beginningLength;

qsizetype endAfter(QStringView text, QChar mark) {
    const qsizetype found = text.mid(0, beginningLimit).indexOf(mark, beginningLength);
    return found < 0 ? -1 : found + 1;
}

} // namespace

QString emptyLineRun(int screenLines) {
    return screenLines > 0 ? QStringLiteral("\r\n").repeated(screenLines) : QString();
}

bool isBlank(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

bool isBlank(const CompactText& text) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!text[at].isSpace())
            return false;
    }
    return true;
}

QString rawTextOf(QString plain) {
    // One pass: a pasted book is 10 MB.
    for (QChar& c : plain) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == u'\xFDD0' || u == u'\xFDD1')
            c = QChar::ParagraphSeparator;
    }
    return plain;
}

QString respelled(const QString& text, const RespellOptions& options) {
    const std::u16string out =
        speakableText(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())),
                      options)
            .text;
    return QString::fromStdU16String(out);
}

qsizetype beginningEnd(QStringView text) {
    if (text.size() <= beginningLimit)
        return text.size();
    for (const QChar mark : {QChar(QChar::ParagraphSeparator), QChar(u'\n'), QChar(u' ')}) {
        if (const qsizetype end = endAfter(text, mark); end > 0)
            return end;
    }
    return text[beginningLimit - 1].isHighSurrogate() ? beginningLimit - 1 : beginningLimit;
}

} // namespace tellwick
