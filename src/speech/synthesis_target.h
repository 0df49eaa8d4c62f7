#pragma once

#include <QtGlobal>

#include <cstdint>
#include <tuple>

namespace tellwick {

// Where a sentence starts, in a form that lets synthesis start there again: the piece of the text
// it lies in (see text_chunks.h), and its position in the espeak-ng input made from that piece,
// counted in code points as espeak-ng counts.
// Where the sentence starts in the text itself (UTF-16 units) comes along for those who show it;
// it follows from the other two, so it takes no part in comparisons.
struct SentenceStart {
    qsizetype chunkStart = 0;
    qsizetype offset = 0;
    qsizetype textPosition = 0;
    friend bool operator==(const SentenceStart& a, const SentenceStart& b) {
        return a.chunkStart == b.chunkStart && a.offset == b.offset;
    }
    friend auto operator<=>(const SentenceStart& a, const SentenceStart& b) {
        return std::tie(a.chunkStart, a.offset) <=> std::tie(b.chunkStart, b.offset);
    }
};

// What synthesis writes into. Every call names the run it belongs to: a target that has moved on
// to another run (or was closed) answers false, and the synthesis of the old run stops at once.
// All calls come from the synthesis thread.
class SynthesisTarget {
public:
    virtual ~SynthesisTarget() = default;
    virtual bool isCurrent(int run) const = 0;
    // Takes samples that follow the run's earlier ones. May block until the listener needs them.
    virtual bool append(int run, const std::int16_t* samples, qsizetype count) = 0;
    // A sentence starts at the given sample of the run.
    virtual void markSentence(int run, SentenceStart start, qint64 sample) = 0;
    // The text has been synthesised to its end.
    virtual void finishRun(int run) = 0;
};

} // namespace tellwick
