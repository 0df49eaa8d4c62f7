#pragma once

#include <QStringView>

namespace tellwick {

class CompactText;

// Where sentences start, judged from the text alone, for the window to show and to start a reading
// at. A sentence ends at a line break, or at ".", "!" or "?" (closing quotes and brackets may
// follow) before white space or the end of the text. The voice decides for itself where its
// sentences start; these only have to agree with it on ordinary prose.

// Where the sentence after the one that starts at from begins: past the end of that sentence and
// the white space after it. The text's size when no sentence follows.
qsizetype nextSentenceStart(QStringView text, qsizetype from);
qsizetype nextSentenceStart(const CompactText& text, qsizetype from);

// Where the sentence that position lies in starts. White space between two sentences belongs to
// the one before it; white space before the first sentence, to the first.
qsizetype sentenceStartAt(QStringView text, qsizetype position);
qsizetype sentenceStartAt(const CompactText& text, qsizetype position);

} // namespace tellwick
