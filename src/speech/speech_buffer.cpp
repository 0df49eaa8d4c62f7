#include "speech/speech_buffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tellwick {

namespace {

// Heard sound is trimmed in steps of a quarter of the history, so that the front of the buffer
// is not moved for every read.
constexpr qint64 trimSteps = 4;

} // namespace

int SpeechBuffer::restart() {
    std::lock_guard lock(mutex_);
    sentences_.clear();
    sentenceSamples_.clear();
    sentencesHandedOver_.clear();
    return startRunLocked(0);
}

int SpeechBuffer::startRunLocked(qsizetype firstSentence) {
    ++run_;
    done_ = false;
    samples_.clear();
    base_ = produced_ = readPosition_ = 0;
    discardUntil_ = 0;
    dropUntilSentence_ = -1;
    std::fill(sentenceSamples_.begin(), sentenceSamples_.end(), -1);
    firstSentence_ = firstSentence;
    lastMarked_ = firstSentence - 1;
    spaceFreed_.notify_all();
    return run_;
}

qsizetype SpeechBuffer::currentSentenceLocked() const {
    if (dropUntilSentence_ >= 0)
        return dropUntilSentence_;
    if (lastMarked_ < firstSentence_)
        return firstSentence_;
    const auto first = sentenceSamples_.begin() + firstSentence_;
    const auto last = sentenceSamples_.begin() + lastMarked_ + 1;
    const auto after = std::upper_bound(first, last, readPosition_);
    return after == first ? firstSentence_ : (after - sentenceSamples_.begin()) - 1;
}

SpeechBuffer::SkipOutcome SpeechBuffer::skip(int count, std::optional<qsizetype> fromSentence) {
    std::lock_guard lock(mutex_);
    const qsizetype target =
        std::max<qsizetype>(0, fromSentence.value_or(currentSentenceLocked()) + count);
    const bool held =
        target >= firstSentence_ && target <= lastMarked_ && sentenceSamples_[target] >= base_;
    spaceFreed_.notify_all();
    if (held) {
        readPosition_ = sentenceSamples_[target];
        dropUntilSentence_ = -1;
        discardUntil_ = 0;
        return {false, 0, {}, target};
    }
    if (target > lastMarked_ && target >= firstSentence_) {
        // Ahead of what was synthesised: throw sound away until that sentence begins.
        samples_.clear();
        base_ = readPosition_ = produced_;
        if (!done_) {
            dropUntilSentence_ = target;
            discardUntil_ = noLimit;
        }
        return {false, 0, {}, target};
    }
    const int run = startRunLocked(target);
    sentenceSamples_[target] = 0;
    lastMarked_ = target;
    return {true, run, sentences_[target], target};
}

bool SpeechBuffer::finished() const {
    std::lock_guard lock(mutex_);
    return done_ && readPosition_ >= produced_;
}

void SpeechBuffer::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    wake_ = nullptr;
    spaceFreed_.notify_all();
}

void SpeechBuffer::setWakeHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    if (!closed_)
        wake_ = std::move(handler);
}

void SpeechBuffer::wakeLocked() {
    if (starved_ && wake_) {
        starved_ = false;
        wake_();
    }
}

qint64 SpeechBuffer::read(char* data, qint64 maxBytes) {
    std::lock_guard lock(mutex_);
    const qint64 count =
        std::min<qint64>(produced_ - readPosition_, maxBytes / qint64(sizeof(std::int16_t)));
    if (count <= 0) {
        starved_ = true;
        return 0;
    }
    std::memcpy(data, samples_.data() + (readPosition_ - base_), count * sizeof(std::int16_t));
    noteSentencesHandedOverLocked(count);
    readPosition_ += count;
    handedOver_ += count;
    const qint64 heard = readPosition_ - base_;
    if (heard > limits_.historySamples + limits_.historySamples / trimSteps) {
        const qint64 drop = heard - limits_.historySamples;
        samples_.erase(samples_.begin(), samples_.begin() + drop);
        base_ += drop;
    }
    spaceFreed_.notify_all();
    return count * qint64(sizeof(std::int16_t));
}

void SpeechBuffer::noteSentencesHandedOverLocked(qint64 count) {
    if (lastMarked_ < firstSentence_)
        return;
    const auto first = sentenceSamples_.begin() + firstSentence_;
    const auto last = sentenceSamples_.begin() + lastMarked_ + 1;
    // Within a run the held starts ascend; those not held (-1) lie before the run's first one.
    for (auto at = std::lower_bound(first, last, readPosition_);
         at != last && *at < readPosition_ + count; ++at) {
        const qsizetype sentence = at - sentenceSamples_.begin();
        sentencesHandedOver_.push_back(
            {handedOver_ + (*at - readPosition_), sentence, sentences_[sentence].textPosition});
    }
}

qint64 SpeechBuffer::handedOverSamples() const {
    std::lock_guard lock(mutex_);
    return handedOver_;
}

std::vector<SpeechBuffer::SentenceHandedOver> SpeechBuffer::takeSentencesHandedOver() {
    std::lock_guard lock(mutex_);
    return std::exchange(sentencesHandedOver_, {});
}

std::optional<qsizetype> SpeechBuffer::sentenceTextEnd(qsizetype sentence,
                                                       qsizetype textSize) const {
    std::lock_guard lock(mutex_);
    const qsizetype next = sentence + 1;
    if (next >= 0 && next < qsizetype(sentences_.size()))
        return sentences_[next].textPosition;
    if (done_)
        return textSize;
    return std::nullopt;
}

qint64 SpeechBuffer::bytesAvailable() const {
    std::lock_guard lock(mutex_);
    return (produced_ - readPosition_) * qint64(sizeof(std::int16_t));
}

qint64 SpeechBuffer::readPosition() const {
    std::lock_guard lock(mutex_);
    return readPosition_;
}

qint64 SpeechBuffer::heldSamples() const {
    std::lock_guard lock(mutex_);
    return qint64(samples_.size());
}

qint64 SpeechBuffer::producedSamples() const {
    std::lock_guard lock(mutex_);
    return produced_;
}

qsizetype SpeechBuffer::currentSentence() const {
    std::lock_guard lock(mutex_);
    return currentSentenceLocked();
}

qsizetype SpeechBuffer::knownSentences() const {
    std::lock_guard lock(mutex_);
    return qsizetype(sentences_.size());
}

bool SpeechBuffer::isCurrent(int run) const {
    std::lock_guard lock(mutex_);
    return isCurrentLocked(run);
}

bool SpeechBuffer::append(int run, const std::int16_t* samples, qsizetype count) {
    std::unique_lock lock(mutex_);
    spaceFreed_.wait(lock, [&] {
        return !isCurrentLocked(run) || discardUntil_ > produced_ ||
               produced_ - readPosition_ < limits_.lookaheadSamples;
    });
    if (!isCurrentLocked(run))
        return false;
    const qint64 discarded = std::clamp<qint64>(discardUntil_ - produced_, 0, count);
    produced_ += count;
    if (discarded > 0) {
        samples_.clear();
        base_ = readPosition_ = produced_ - (count - discarded);
    }
    samples_.insert(samples_.end(), samples + discarded, samples + count);
    if (discarded < count)
        wakeLocked();
    return true;
}

void SpeechBuffer::markSentence(int run, SentenceStart start, qint64 sample) {
    std::lock_guard lock(mutex_);
    if (!isCurrentLocked(run))
        return;
    const auto found = std::lower_bound(sentences_.begin(), sentences_.end(), start);
    const qsizetype index = found - sentences_.begin();
    if (found == sentences_.end() || *found != start) {
        // A run that starts again may part the text a little differently; keep every start.
        sentences_.insert(found, start);
        sentenceSamples_.insert(sentenceSamples_.begin() + index, -1);
        // Indices at and after a start inserted among the known ones move up by one; a start
        // that is simply the next one moves nothing.
        const bool among = index + 1 < qsizetype(sentences_.size());
        if (among && index <= lastMarked_)
            ++lastMarked_;
        if (among && index < firstSentence_)
            ++firstSentence_;
        if (among && index <= dropUntilSentence_)
            ++dropUntilSentence_;
    }
    if (index < firstSentence_)
        return;
    sentenceSamples_[index] = sample;
    lastMarked_ = std::max(lastMarked_, index);
    if (dropUntilSentence_ >= 0 && index >= dropUntilSentence_) {
        dropUntilSentence_ = -1;
        discardUntil_ = sample;
        if (sample <= produced_)
            base_ = readPosition_ = produced_;
    }
}

void SpeechBuffer::finishRun(int run) {
    std::lock_guard lock(mutex_);
    if (!isCurrentLocked(run))
        return;
    done_ = true;
    if (dropUntilSentence_ >= 0) {
        dropUntilSentence_ = -1;
        discardUntil_ = 0;
    }
    starved_ = true;
    wakeLocked();
}

} // namespace tellwick
