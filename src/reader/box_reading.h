#pragma once

#include "reader/compact_text.h"
#include "rewriter/respell.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <vector>

namespace tellwick {

// A stretch of the box's text.
struct BoxRange {
    qsizetype start = 0;
    qsizetype end = 0;
    friend bool operator==(const BoxRange&, const BoxRange&) = default;
};

// A text as the voice speaks it, with the way back from each of its units to the text it was made
// from.
struct SpokenText {
    QString text;
    SourceMap map;
};

// The one place where a text of the user's (CR LF line breaks) becomes the text the voice speaks,
// with the way back from each place in it to the text. A long text is rewritten a piece at a time,
// parted only where what follows reads the same alone as in the whole, so that a book's rewrite
// never stands in memory beside a second whole copy of it. A piece ends from pieceLength units on.
constexpr qsizetype rewritePieceLength = 256 * 1024;
SpokenText voiceText(QStringView text, const RespellOptions& options,
                     qsizetype pieceLength = rewritePieceLength);

// Where the piece of text that starts at from ends, for rewriting in pieces: at the start of a
// line that begins a sentence in capitals, after a line that ended one, with every square bracket
// before it closed, from about pieceLength units on; the text's end where there is no such place.
qsizetype rewritePieceEnd(QStringView text, qsizetype from, qsizetype pieceLength);

// A reading of the box, from some place in it to its end: the text the voice speaks, and the way
// back from a place in that text to a place in the box. The rewriter is given the box's text with
// CR LF line breaks, where the box holds one U+2029 per paragraph end, so the way back goes
// through both.
class BoxReading {
public:
    // Rewrites raw, the box's raw text from offset on, as Read speaks it.
    BoxReading(const CompactText& raw, qsizetype offset, const RespellOptions& options);

    const QString& spoken() const { return spoken_; }
    // Where in the box the unit of the spoken text at spokenPosition came from; the end of what
    // was read for the spoken text's end.
    qsizetype boxPosition(qsizetype spokenPosition) const;
    // The sentence of the spoken text that starts at spokenPosition, in the box: from its first
    // character to the start of the next sentence, less the white space before that. box is the
    // box's raw text.
    BoxRange sentenceInBox(qsizetype spokenPosition, const CompactText& box) const;

private:
    QString spoken_;
    SourceMap map_;
    // Where the rewriter's input has a CR LF for a paragraph end of the box: the CR's position.
    std::vector<qsizetype> breaks_;
    qsizetype offset_ = 0;
    qsizetype rawLength_ = 0;
};

} // namespace tellwick
