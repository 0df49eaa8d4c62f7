#include "reader/box_reading.h"

#include "pronunciation/normaliser.h"
#include "reader/box_text.h"
#include "reader/sentences.h"
#include "rewriter/line_breaks.h"
#include "speech/qt_text.h"

#include <algorithm>

namespace tellwick {

namespace {

std::u16string_view units(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Whether the line that starts at at opens a sentence after one that closed: neither the rewriter
// nor the words of numbers and abbreviations look past such a place, back or on.
template <typename Text> bool startsSentenceLine(const Text& text, qsizetype at) {
    if (at == 0 || at >= text.size() || !isLineBreak(text[at - 1]) || text[at].unicode() < u'A' ||
        text[at].unicode() > u'Z')
        return false;
    qsizetype before = at - 1;
    while (before > 0 && (isLineBreak(text[before]) || text[before] == u' '))
        --before;
    return isSentenceEndMark(text[before]);
}

template <typename Text>
qsizetype pieceEnd(const Text& text, qsizetype from, qsizetype pieceLength) {
    // A bracket left open before the end would have been closed by a later one in the whole.
    bool bracketOpen = false;
    for (qsizetype at = from; at < text.size(); ++at) {
        if (at - from >= pieceLength && !bracketOpen && startsSentenceLine(text, at))
            return at;
        if (text[at] == u'[')
            bracketOpen = true;
        else if (text[at] == u']')
            bracketOpen = false;
    }
    return text.size();
}

// Rewrites text a piece at a time, each piece made ready for the rewriter by prepare, into one
// spoken text whose map leads back to the prepared pieces joined.
template <typename Text, typename Prepare>
SpokenText rewriteInPieces(const Text& text, const RespellOptions& options, qsizetype pieceLength,
                           Prepare prepare) {
    SpokenText spoken;
    std::size_t sourceDone = 0;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype end = pieceEnd(text, from, pieceLength);
        const auto part = text.mid(from, end - from);
        const std::u16string piece = prepare(QStringView(part));
        const MappedRespelling mapped = speakableText(piece, options);
        const auto outputDone = static_cast<std::size_t>(spoken.text.size());
        for (SourceMap::Run run : mapped.map.runs) {
            run.output += outputDone;
            run.source = run.source + sourceDone;
            spoken.map.runs.push_back(run);
        }
        // The first piece's growth foretells the whole's, so that neither grows by copying.
        if (from == 0 && end < text.size()) {
            const double pieces = double(text.size()) / double(end);
            spoken.text.reserve(qsizetype(double(mapped.text.size()) * pieces * 1.1) + 1);
            spoken.map.runs.reserve(std::size_t(double(mapped.map.runs.size()) * pieces * 1.1) + 1);
        }
        spoken.text.append(QStringView(mapped.text.data(), qsizetype(mapped.text.size())));
        sourceDone += piece.size();
        from = end;
    }
    spoken.map.outputSize = static_cast<std::size_t>(spoken.text.size());
    spoken.map.sourceSize = sourceDone;
    return spoken;
}

} // namespace

qsizetype rewritePieceEnd(QStringView text, qsizetype from, qsizetype pieceLength) {
    return pieceEnd(text, from, pieceLength);
}

SpokenText voiceText(QStringView text, const RespellOptions& options, qsizetype pieceLength) {
    return rewriteInPieces(text, options, pieceLength,
                           [](QStringView piece) { return std::u16string(units(piece)); });
}

BoxReading::BoxReading(const CompactText& raw, qsizetype offset, const RespellOptions& options)
    : offset_(offset), rawLength_(raw.size()) {
    // Every line break but a CR LF grows by one unit on its way to the rewriter.
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'\r' && i + 1 < raw.size() && raw[i + 1] == u'\n')
            ++i;
        else if (isLineBreak(raw[i]))
            breaks_.push_back(i + static_cast<qsizetype>(breaks_.size()));
    }
    SpokenText spoken = rewriteInPieces(raw, options, rewritePieceLength, [](QStringView piece) {
        return text::withCrLfLineBreaks(units(piece));
    });
    spoken_ = std::move(spoken.text);
    map_ = std::move(spoken.map);
}

qsizetype BoxReading::boxPosition(qsizetype spokenPosition) const {
    if (spokenPosition < 0)
        return offset_;
    if (spokenPosition >= static_cast<qsizetype>(map_.outputSize))
        return offset_ + rawLength_;
    const auto input =
        static_cast<qsizetype>(map_.sourceOf(static_cast<std::size_t>(spokenPosition)));
    // Each CR LF that starts before input stands for one character of the box; so an LF lands on
    // the paragraph end that its CR stands for.
    const auto crLfs = static_cast<qsizetype>(
        std::lower_bound(breaks_.begin(), breaks_.end(), input) - breaks_.begin());
    return offset_ + input - crLfs;
}

BoxRange BoxReading::sentenceInBox(qsizetype spokenPosition, const CompactText& box) const {
    qsizetype first = std::clamp<qsizetype>(spokenPosition, 0, spoken_.size());
    while (first < spoken_.size() && spoken_[first].isSpace())
        ++first;
    const qsizetype start = boxPosition(first);
    qsizetype end = boxPosition(nextSentenceStart(spoken_, first));
    // A rewrite that moved things about can give no room; the box's own sentence end serves then.
    if (end <= start)
        end = nextSentenceStart(box, start);
    end = std::min(end, box.size());
    while (end > start && box[end - 1].isSpace())
        --end;
    return {std::min(start, end), end};
}

} // namespace tellwick
