#pragma once

#include "rewriter/respell.h"

#include <QString>
#include <QStringView>

namespace tellwick {

class CompactText;

// The raw text that a plain text box holds once given plain: every character that the box turns
// into a paragraph end becomes U+2029.
QString rawTextOf(QString plain);

// screenLines copies of CR LF; empty when screenLines is 0 or less. It follows pasted text and the
// welcome text so that the trainer can bring the last lines of a text to the top of the box.
QString emptyLineRun(int screenLines);

// Whether text holds nothing but white space (line and paragraph ends among it): nothing a voice
// would say.
bool isBlank(QStringView text);
bool isBlank(const CompactText& text);

// What the voice reads of a text (the rewrite with the words of numbers, dates and the like), for
// Qt's strings.
QString respelled(const QString& text, const RespellOptions& options = {});

// A text longer than this is read in two steps: the rewrite of its
// beginning goes to the voice at once, while the whole is rewritten beside the window. Rewriting
// a book takes a good part of a second, which the first word should not wait for.
constexpr qsizetype twoStepLength = 64 * 1024;

// Where the beginning of a long text (raw, or with CR LF) ends: right after the first line end from
// about 16 Ki characters on, so that the beginning ends as a paragraph does and its rewrite is most
// likely the start of the whole's; failing that after a space, or at a hard limit. Short enough to
// rewrite in a millisecond or two, long enough that synthesis never catches up with it before the
// whole is ready.
qsizetype beginningEnd(QStringView text);

} // namespace tellwick
