#include "reader/compact_text.h"

#include <QLatin1String>

#include <algorithm>
#include <iterator>
#include <optional>

namespace tellwick {

namespace {

// Bytes 0x80 to 0x9F stand for the typographic marks that Windows-1252 puts there (quotes, dashes,
// the ellipsis, the euro sign), which a book in a Latin script is full of; the control characters
// they stand for in Latin-1 never come in a byte. Zero: no mark.
constexpr char16_t typographicMarks[32] = {
    u'\u20AC', 0,         u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0,         u'\u017D', 0,
    0,         u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0,         u'\u017E', u'\u0178',
};

// The byte that stands for c in a chunk of bytes; none where c needs UTF-16.
std::optional<char> byteFor(QChar c) {
    const char16_t unit = c.unicode();
    if (unit == QChar::ParagraphSeparator)
        return '\n';
    if (unit != u'\n' && (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)))
        return static_cast<char>(unit);
    if (unit < 0x100)
        return std::nullopt;
    const auto* mark = std::find(std::begin(typographicMarks), std::end(typographicMarks), unit);
    if (mark == std::end(typographicMarks))
        return std::nullopt;
    return static_cast<char>(0x80 + (mark - std::begin(typographicMarks)));
}

QChar unitFor(char byte) {
    const auto value = static_cast<uchar>(byte);
    if (byte == '\n')
        return QChar(QChar::ParagraphSeparator);
    if (value >= 0x80 && value < 0xA0)
        return QChar(typographicMarks[value - 0x80]);
    return QChar(value);
}

} // namespace

CompactText::Chunk CompactText::Chunk::of(QStringView text) {
    Chunk chunk;
    chunk.latin1.resize(text.size());
    char* bytes = chunk.latin1.data();
    const char16_t* units = text.utf16();
    for (qsizetype i = 0, size = text.size(); i < size; ++i) {
        // Most of a book is ASCII: it is copied straight.
        const char16_t unit = units[i];
        if (unit < 0x80 && unit != u'\n') {
            bytes[i] = static_cast<char>(unit);
            continue;
        }
        const std::optional<char> byte = byteFor(QChar(unit));
        if (!byte) {
            chunk.latin1.clear();
            chunk.utf16 = text.toString();
            return chunk;
        }
        bytes[i] = *byte;
    }
    return chunk;
}

QChar CompactText::Chunk::at(qsizetype i) const {
    return utf16.isEmpty() ? unitFor(latin1[i]) : utf16[i];
}

void CompactText::Chunk::appendTo(QString& out, qsizetype from, qsizetype length) const {
    if (length <= 0)
        return;
    if (!utf16.isEmpty()) {
        out.append(QStringView(utf16).mid(from, length));
        return;
    }
    const qsizetype start = out.size();
    out.append(QLatin1String(latin1.constData() + from, length));
    for (auto unit = out.begin() + start; unit != out.end(); ++unit) {
        if (*unit == u'\n' || (unit->unicode() >= 0x80 && unit->unicode() < 0xA0))
            *unit = unitFor(static_cast<char>(unit->unicode()));
    }
}

CompactText::CompactText(QStringView text) {
    splice(0, 0, text);
}

std::size_t CompactText::chunkAt(qsizetype position) const {
    const auto after = std::upper_bound(ends_.begin(), ends_.end(), position);
    return std::min(static_cast<std::size_t>(after - ends_.begin()), ends_.size() - 1);
}

void CompactText::lookUp(qsizetype position) const {
    looked_ = chunkAt(position);
    lookedStart_ = chunkStart(looked_);
    lookedEnd_ = ends_[looked_];
}

template <typename Piece>
void CompactText::eachPiece(qsizetype from, qsizetype length, Piece piece) const {
    if (length == 0)
        return;
    for (std::size_t chunk = chunkAt(from), last = chunkAt(from + length - 1); chunk <= last;
         ++chunk) {
        const qsizetype start = std::max(from, chunkStart(chunk));
        const qsizetype end = std::min(from + length, ends_[chunk]);
        piece(chunks_[chunk], start - chunkStart(chunk), end - start, end - from);
    }
}

QString CompactText::mid(qsizetype from, qsizetype length) const {
    from = std::clamp<qsizetype>(from, 0, size());
    length = std::clamp<qsizetype>(length, 0, size() - from);
    QString out;
    out.reserve(length);
    eachPiece(from, length, [&](const Chunk& chunk, qsizetype cut, qsizetype count, qsizetype) {
        chunk.appendTo(out, cut, count);
    });
    return out;
}

CompactText CompactText::section(qsizetype from, qsizetype length) const {
    from = std::clamp<qsizetype>(from, 0, size());
    length = std::clamp<qsizetype>(length, 0, size() - from);
    CompactText out;
    eachPiece(from, length,
              [&](const Chunk& whole, qsizetype cut, qsizetype count, qsizetype sectionEnd) {
                  Chunk part;
                  if (whole.utf16.isEmpty())
                      part.latin1 = whole.latin1.mid(cut, count);
                  else
                      part.utf16 = whole.utf16.mid(cut, count);
                  out.chunks_.push_back(std::move(part));
                  out.ends_.push_back(sectionEnd);
              });
    return out;
}

void CompactText::replace(qsizetype position, qsizetype removed, QStringView added) {
    position = std::clamp<qsizetype>(position, 0, size());
    removed = std::clamp<qsizetype>(removed, 0, size() - position);
    if (chunks_.empty()) {
        splice(0, 0, added);
        return;
    }
    std::size_t first = chunkAt(position);
    std::size_t pastLast = (removed > 0 ? chunkAt(position + removed - 1) : first) + 1;
    const qsizetype removedEnd = position + removed;
    QString joined;
    joined.reserve(chunks_[first].size() + added.size() + chunks_[pastLast - 1].size());
    chunks_[first].appendTo(joined, 0, position - chunkStart(first));
    joined.append(added);
    chunks_[pastLast - 1].appendTo(joined, removedEnd - chunkStart(pastLast - 1),
                                   ends_[pastLast - 1] - removedEnd);
    // A short chunk takes in its neighbours, so that many small edits leave no crumbs.
    if (joined.size() < chunkLength / 2 && pastLast < chunks_.size()) {
        chunks_[pastLast].appendTo(joined, 0, chunks_[pastLast].size());
        ++pastLast;
    }
    if (joined.size() < chunkLength / 2 && first > 0) {
        --first;
        QString before;
        chunks_[first].appendTo(before, 0, chunks_[first].size());
        joined.prepend(before);
    }
    splice(first, pastLast, joined);
}

void CompactText::splice(std::size_t first, std::size_t pastLast, QStringView text) {
    // Chunks of even length, each at most chunkLength and more than half of it when there are two
    // or more.
    const qsizetype count = (text.size() + chunkLength - 1) / chunkLength;
    std::vector<Chunk> made;
    made.reserve(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype from = text.size() * i / count;
        const qsizetype to = text.size() * (i + 1) / count;
        made.push_back(Chunk::of(text.mid(from, to - from)));
    }
    const auto at = chunks_.begin() + static_cast<std::ptrdiff_t>(first);
    chunks_.insert(chunks_.erase(at, chunks_.begin() + static_cast<std::ptrdiff_t>(pastLast)),
                   std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    ends_.resize(chunks_.size());
    for (std::size_t chunk = first; chunk < chunks_.size(); ++chunk)
        ends_[chunk] = chunkStart(chunk) + chunks_[chunk].size();
    forgetLookUp();
}

} // namespace tellwick
