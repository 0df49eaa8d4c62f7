#include "reader/sentences.h"

#include "reader/compact_text.h"

#include "speech/qt_text.h"

#include <algorithm>

namespace tellwick {

namespace {

bool closes(QChar c) {
    return c == u'"' || c == u'\'' || c == u')' || c == u']' || c == u'\u2019' || c == u'\u201D';
}

template <typename Text> qsizetype skipSpace(const Text& text, qsizetype from) {
    while (from < text.size() && text[from].isSpace())
        ++from;
    return from;
}

// The voice takes a full stop before a word in lower case on the same line for an abbreviation's,
// and reads on in the same sentence.
template <typename Text> bool goesOn(const Text& text, QChar mark, qsizetype next) {
    return mark == u'.' && next < text.size() && text[next].isLower();
}

// The end of the sentence whose end mark may stand at i: just past the mark and its closers, or
// -1 when no sentence ends there.
template <typename Text> qsizetype endAt(const Text& text, qsizetype i) {
    if (isLineBreak(text[i]))
        return i;
    if (!isSentenceEndMark(text[i]))
        return -1;
    qsizetype end = i + 1;
    while (end < text.size() && closes(text[end]))
        ++end;
    if (end < text.size() && !text[end].isSpace())
        return -1;
    qsizetype next = end;
    while (next < text.size() && text[next].isSpace() && !isLineBreak(text[next]))
        ++next;
    return goesOn(text, text[i], next) ? -1 : end;
}

// Whether white space at i, the first after some text, follows the end of a sentence that the
// text from next on does not go on.
template <typename Text> bool followsEnd(const Text& text, qsizetype i, qsizetype next) {
    if (isLineBreak(text[i]))
        return true;
    qsizetype mark = i - 1;
    while (mark > 0 && closes(text[mark]))
        --mark;
    return mark >= 0 && isSentenceEndMark(text[mark]) && !goesOn(text, text[mark], next);
}

template <typename Text> qsizetype nextStart(const Text& text, qsizetype from) {
    for (qsizetype i = std::max<qsizetype>(from, 0); i < text.size(); ++i) {
        if (const qsizetype end = endAt(text, i); end >= 0)
            return skipSpace(text, end);
    }
    return text.size();
}

template <typename Text> qsizetype startAt(const Text& text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.size());
    // Back to the white space that parts this sentence from the one before: a run of white space
    // with an end of a sentence at or before its start.
    qsizetype i = position;
    if (i == text.size() || text[i].isSpace()) {
        while (i > 0 && text[i - 1].isSpace())
            --i; // white space after a sentence belongs to it
    }
    for (; i > 0; --i) {
        if (!text[i - 1].isSpace())
            continue;
        qsizetype runStart = i - 1;
        bool parts = false;
        while (runStart > 0 && text[runStart - 1].isSpace())
            --runStart;
        for (qsizetype k = runStart; k < i && !parts; ++k)
            parts = isLineBreak(text[k]);
        if (parts || followsEnd(text, runStart, i))
            return i;
        i = runStart + 1;
    }
    return skipSpace(text, 0);
}

} // namespace

qsizetype nextSentenceStart(QStringView text, qsizetype from) {
    return nextStart(text, from);
}

qsizetype nextSentenceStart(const CompactText& text, qsizetype from) {
    return nextStart(text, from);
}

qsizetype sentenceStartAt(QStringView text, qsizetype position) {
    return startAt(text, position);
}

qsizetype sentenceStartAt(const CompactText& text, qsizetype position) {
    return startAt(text, position);
}

} // namespace tellwick
