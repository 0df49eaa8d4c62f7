#include "speech/text_chunks.h"

#include "speech/qt_text.h"

namespace tellwick {

namespace {

// Long enough that espeak-ng's own set-up per call is negligible, short enough that preparing one
// piece takes well under a millisecond.
constexpr qsizetype chunkLength = 4096;
// Enough for the next few words after a piece that ends within a clause.
constexpr qsizetype wordsAfterPiece = 64;

bool isSentenceEnd(QChar c) {
    return isSentenceEndMark(c) || isLineBreak(c);
}

} // namespace

qsizetype chunkEnd(QStringView text, qsizetype start) {
    const qsizetype limit = start + chunkLength;
    if (limit >= text.size())
        return text.size();
    for (qsizetype i = limit; i > start + 1; --i) {
        if (text[i].isSpace() && isSentenceEnd(text[i - 1]))
            return i;
    }
    for (qsizetype i = limit; i > start; --i) {
        if (text[i].isSpace())
            return i;
    }
    return text[limit - 1].isHighSurrogate() ? limit - 1 : limit;
}

qsizetype chunkDecidedBy(qsizetype start) {
    return start + chunkLength + 1 + wordsAfterPiece;
}

qsizetype utf16IndexOfCodePoint(QStringView text, qsizetype codePoint) {
    qsizetype index = 0;
    for (; index < text.size() && codePoint > 0; --codePoint) {
        const bool pair = text[index].isHighSurrogate() && index + 1 < text.size() &&
                          text[index + 1].isLowSurrogate();
        index += pair ? 2 : 1;
    }
    return index;
}

} // namespace tellwick
