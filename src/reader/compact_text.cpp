#include "reader/compact_text.h"

#include <QLatin1String>

#include <algorithm>

namespace tellwick {

CompactText::Chunk CompactText::Chunk::of(QStringView text) {
    Chunk chunk;
    const bool fitsBytes = std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c.unicode() < 256 && c != u'\n') || c == QChar::ParagraphSeparator;
    });
    if (!fitsBytes) {
        chunk.utf16 = text.toString();
        return chunk;
    }
    chunk.latin1.resize(text.size());
    std::transform(text.begin(), text.end(), chunk.latin1.begin(), [](QChar c) {
        return c == QChar::ParagraphSeparator ? '\n' : static_cast<char>(c.unicode());
    });
    return chunk;
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
    std::replace(out.begin() + start, out.end(), QChar(u'\n'), QChar(QChar::ParagraphSeparator));
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
