#pragma once

#include <QStringView>

namespace tellwick {

// The voice hands a long text to espeak-ng in pieces, so that the first sound never waits for the
// whole text to be prepared. A piece ends after a sentence end followed by white space where one
// lies within reach, else at white space, so that neither a sentence's tune nor a word is cut;
// only a text without white space is cut hard (never inside a surrogate pair).
// Returns the end (exclusive) of the piece that starts at start.
qsizetype chunkEnd(QStringView text, qsizetype start);

// How far chunkEnd reads from start, and the few words after the piece that the reading of its
// last words may depend on: every text that agrees on its first chunkDecidedBy(start) units gives
// the same piece, read the same way, so a text that is still growing can be cut up to there.
qsizetype chunkDecidedBy(qsizetype start);

// The UTF-16 index of the code point with the given index; espeak-ng counts text positions in
// code points. Past the end, the text's size.
qsizetype utf16IndexOfCodePoint(QStringView text, qsizetype codePoint);

} // namespace tellwick
