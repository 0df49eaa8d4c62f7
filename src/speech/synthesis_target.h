#pragma once

#include <QtGlobal>

#include <cstdint>

namespace tellwick {

// Where a sentence starts, in a form that lets synthesis start there again: the piece of the text
// it lies in (see text_chunks.h), and its position in the espeak-ng input made from that piece,
// counted in code points as espeak-ng counts.
struct SentenceStart {
    qsizetype chunkStart = 0;
    qsizetype offset = 0;
    friend auto operator<=>(const SentenceStart&, const SentenceStart&) = default;
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
