#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>

#include <vector>

namespace tellwick {

// A long text kept in chunks of some tens of thousands of UTF-16 units, each held as bytes where
// all its units fit in one (half the room of UTF-16: most of a book in a Latin script), as UTF-16
// otherwise. A byte is a Latin-1 character, or one of the typographic quotes and dashes where
// Windows-1252 has them. A box's raw text parts its paragraphs by U+2029 and holds no line feed, so
// in bytes a line feed stands for U+2029. The chunks are shared between copies, so that a copy
// costs next to nothing and an edit copies only the chunks it changes: a reading or a paste can
// keep the text as it was while the box's text goes on changing.
//
// at() remembers the chunk it last looked in, so that reading on from there is quick: one object
// is not to be read from two threads at once (a copy is).
class CompactText {
public:
    // A chunk holds at most this many units, and after an edit at least half as many unless it is
    // the only one.
    static constexpr qsizetype chunkLength = 64 * 1024;

    CompactText() = default;
    explicit CompactText(QStringView text);

    qsizetype size() const { return ends_.empty() ? 0 : ends_.back(); }
    bool isEmpty() const { return ends_.empty(); }
    QChar at(qsizetype position) const {
        if (position < lookedStart_ || position >= lookedEnd_)
            lookUp(position);
        return chunks_[looked_].at(position - lookedStart_);
    }
    QChar operator[](qsizetype position) const { return at(position); }

    // The length units from from on (fewer at the end), as one string.
    QString mid(qsizetype from, qsizetype length) const;
    QString toString() const { return mid(0, size()); }
    // The same stretch as a compact text, sharing all but the chunks at its ends.
    CompactText section(qsizetype from, qsizetype length) const;
    CompactText sliced(qsizetype from) const { return section(from, size() - from); }
    CompactText left(qsizetype length) const { return section(0, length); }

    // Puts added in place of the removed units from position on.
    void replace(qsizetype position, qsizetype removed, QStringView added);

    friend bool operator==(const CompactText& a, const CompactText& b) {
        return a.toString() == b.toString();
    }

private:
    struct Chunk {
        QByteArray latin1;
        QString utf16;
        static Chunk of(QStringView text);
        qsizetype size() const { return utf16.isEmpty() ? latin1.size() : utf16.size(); }
        QChar at(qsizetype i) const;
        void appendTo(QString& out, qsizetype from, qsizetype length) const;
    };

    qsizetype chunkStart(std::size_t index) const { return index == 0 ? 0 : ends_[index - 1]; }
    // The chunk that holds position; the last one for the text's end.
    std::size_t chunkAt(qsizetype position) const;
    void lookUp(qsizetype position) const;
    // Calls piece(chunk, offset in it, count, end of the piece counted from from) for each piece
    // of the chunks that [from, from + length) covers, in order.
    template <typename Piece> void eachPiece(qsizetype from, qsizetype length, Piece piece) const;
    void forgetLookUp() const { lookedStart_ = lookedEnd_ = 0; }
    // Puts the chunks of text in place of the chunks from first up to pastLast.
    void splice(std::size_t first, std::size_t pastLast, QStringView text);

    std::vector<Chunk> chunks_;
    // Where each chunk ends in the text.
    std::vector<qsizetype> ends_;
    mutable std::size_t looked_ = 0;
    mutable qsizetype lookedStart_ = 0;
    mutable qsizetype lookedEnd_ = 0;
};

} // namespace tellwick
