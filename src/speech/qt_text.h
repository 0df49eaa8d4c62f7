#pragma once

#include "rewriter/line_breaks.h"
#include "rewriter/text.h"

#include <QString>
#include <QStringView>

namespace tellwick {

// What the program calls a word, a line break and a sentence's end, for Qt's strings. Line breaks
// and sentence ends are the rewriter's own definitions, so that the box, the rewriter, the voice's
// pieces and the highlight agree on them.

inline bool isLineBreak(QChar c) {
    return text::isLineBreak(c.unicode());
}

inline bool isSentenceEndMark(QChar c) {
    return text::isSentenceEndMark(c.unicode());
}

// A mark that ends a clause of a sentence, where a voice pauses.
inline bool endsClause(QChar c) {
    return c == u',' || c == u';' || c == u':' || c == QChar(0x2014);
}

inline bool isApostrophe(QChar c) {
    return c == u'\'' || c == QChar(0x2019);
}

// A word as the voice reads one: letters and digits, with an apostrophe between two letters
// ("they've", "reeck'ord").
inline bool isWordCharacter(QStringView text, qsizetype at) {
    if (text[at].isLetterOrNumber())
        return true;
    return isApostrophe(text[at]) && at > 0 && text[at - 1].isLetter() && at + 1 < text.size() &&
           text[at + 1].isLetter();
}

// The text with every line break as CR LF, as the rewriter's rules about lines expect it.
QString withCrLfLineBreaks(QStringView text);
// The text with every line break as LF, as the programs a text is pasted into expect it.
QString withLfLineBreaks(QStringView text);
// The same, in the text's own memory: a book pasted is not copied again.
QString withLfLineBreaks(QString text);

} // namespace tellwick
