#pragma once

#include <QStringView>

namespace tellwick {

// A voice that prepares a whole utterance before giving any of its sound says a reading's first
// words as an utterance of their own, so that the first sound waits for a short synthesis only.
//
// Where the part of text[start, end) that is said first ends: after its first clause (see
// endsClause) when that comes within its first `words` words, else after `words` words. end when no
// word follows there: the whole is said at once.
qsizetype openingPartEnd(QStringView text, qsizetype start, qsizetype end, int words);

} // namespace tellwick
