#include "reader/box_reading.h"

#include "pronunciation/normaliser.h"
#include "reader/box_text.h"
#include "reader/sentences.h"
#include "speech/qt_text.h"

#include <algorithm>

namespace tellwick {

MappedRespelling voiceText(QStringView text, const RespellOptions& options) {
    return speakableText(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<std::size_t>(text.size())),
                         options);
}

BoxReading::BoxReading(const QString& raw, qsizetype offset, const RespellOptions& options)
    : offset_(offset), rawLength_(raw.size()) {
    // Every line break but a CR LF grows by one unit on its way to the rewriter.
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'\r' && i + 1 < raw.size() && raw[i + 1] == u'\n')
            ++i;
        else if (isLineBreak(raw[i]))
            breaks_.push_back(i + static_cast<qsizetype>(breaks_.size()));
    }
    MappedRespelling mapped = voiceText(withCrLfLineBreaks(raw), options);
    spoken_ = QString::fromStdU16String(mapped.text);
    map_ = std::move(mapped.map);
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

BoxRange BoxReading::sentenceInBox(qsizetype spokenPosition, QStringView box) const {
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
