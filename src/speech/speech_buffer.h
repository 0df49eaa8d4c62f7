#pragma once

#include "speech/synthesis_target.h"

#include <condition_variable>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <vector>

namespace tellwick {

// The sound of one reading between synthesis and the audio output, with the sentence starts that
// skips move to. Synthesis (one thread) appends; the player (another) reads; the voice moves the
// read position. Synthesis waits while it is a lookahead ahead of the read position, so a long
// text never fills memory; heard sound is kept for a while, so that a skip back is usually a jump
// within the buffer. A skip back beyond it starts a new run of synthesis from that sentence.
class SpeechBuffer : public SynthesisTarget {
public:
    struct Limits {
        qint64 lookaheadSamples;
        qint64 historySamples;
    };
    explicit SpeechBuffer(Limits limits) : limits_(limits) {}

    // Forgets everything, sentences included, for a new text. Returns the run to synthesise into.
    int restart();
    // Moves count sentences from the given one, or else from the one being handed to the player.
    // When the target is no longer held, the buffer starts a new run and the caller must
    // synthesise it from the returned sentence start.
    struct SkipOutcome {
        bool resynthesise = false;
        int run = 0;
        SentenceStart from;
        qsizetype sentence = 0; // the target
    };
    SkipOutcome skip(int count, std::optional<qsizetype> fromSentence = std::nullopt);
    // The reading has been heard to its end: synthesis finished and everything was read.
    bool finished() const;
    // Stops for good: synthesis aborts, the wake handler is never called again.
    void close();
    // Called, from the synthesis thread, when sound or the end arrives after the player found the
    // buffer empty; a pull-mode audio output goes idle for good unless it is woken.
    void setWakeHandler(std::function<void()> handler);

    // The player's side: copies 16-bit samples from the read position and moves past them.
    qint64 read(char* data, qint64 maxBytes);
    qint64 bytesAvailable() const;

    // Samples handed to the player since the buffer was made, across texts and skips: the
    // player's own count of what it was given, against which it can tell what it has played.
    qint64 handedOverSamples() const;
    // A sentence whose first sample the player has been given: the handedOverSamples() count
    // before that sample, its number in the text, and where it starts in the text.
    struct SentenceHandedOver {
        qint64 outputSample;
        qsizetype sentence;
        qsizetype textPosition;
    };
    // The sentences handed over since the last call, in order; a new text forgets those of the
    // old one.
    std::vector<SentenceHandedOver> takeSentencesHandedOver();
    // Where a sentence ends in the text: where the next one starts, or textSize once synthesis has
    // passed the end of the text without finding one; nothing while synthesis has not come that
    // far.
    std::optional<qsizetype> sentenceTextEnd(qsizetype sentence, qsizetype textSize) const;

    // For tests and measurements.
    qint64 readPosition() const;
    qint64 heldSamples() const;
    qint64 producedSamples() const;
    qsizetype currentSentence() const;
    qsizetype knownSentences() const;

    bool isCurrent(int run) const override;
    bool append(int run, const std::int16_t* samples, qsizetype count) override;
    void markSentence(int run, SentenceStart start, qint64 sample) override;
    void finishRun(int run) override;

private:
    static constexpr qint64 noLimit = std::numeric_limits<qint64>::max();
    int startRunLocked(qsizetype firstSentence);
    void noteSentencesHandedOverLocked(qint64 count);
    qsizetype currentSentenceLocked() const;
    bool isCurrentLocked(int run) const { return !closed_ && run == run_; }
    void wakeLocked();

    const Limits limits_;
    mutable std::mutex mutex_;
    std::condition_variable spaceFreed_;
    std::function<void()> wake_;
    bool closed_ = false;
    bool starved_ = false;
    int run_ = 0;
    bool done_ = false;

    // Samples of the current run from base_ to produced_ (exclusive), in run positions.
    std::vector<std::int16_t> samples_;
    qint64 base_ = 0;
    qint64 produced_ = 0;
    qint64 readPosition_ = 0;
    // Sound before this run position is thrown away as it arrives: a skip forward past what was
    // synthesised waits for the sentence it goes to (dropUntilSentence_), then for its sample.
    qint64 discardUntil_ = 0;
    qsizetype dropUntilSentence_ = -1;

    // Every sentence start seen in this text, in order, and where the current run holds each one
    // (-1 where it does not). The run holds a contiguous range from firstSentence_ on.
    std::vector<SentenceStart> sentences_;
    std::vector<qint64> sentenceSamples_;
    qsizetype firstSentence_ = 0;
    qsizetype lastMarked_ = -1;

    qint64 handedOver_ = 0;
    std::vector<SentenceHandedOver> sentencesHandedOver_;
};

} // namespace tellwick
