#include "speech/system_voice.h"

#include "speech/sound_server_stream.h"
#include "speech/speech_buffer.h"
#include "speech/speech_engine.h"
#include "speech/speech_text.h"

#include <QPointer>
#include <QTimer>

#include <thread>

namespace tellwick {

namespace {

// Sound synthesised ahead of what is heard, and heard sound kept for skipping back, in seconds.
constexpr qint64 lookaheadSeconds = 30;
constexpr qint64 historySeconds = 30;
// How often what has been heard is checked: often enough that a sentence is reported well within
// a tenth of a second of its first sound.
constexpr int heardPollMilliseconds = 10;
// A reading whose sound has not moved on for this long, though it has more to play, has a sound
// server that stopped answering: the reading fails rather than wait for ever.
constexpr std::chrono::seconds stallLimit{4};

VoiceResult notSpeaking() {
    return VoiceResult::failure(QStringLiteral("the voice is not speaking"));
}

} // namespace

std::unique_ptr<Voice> makeSystemVoice(const QString& voiceName, QString* error) {
    return SystemVoice::create(voiceName, error);
}

void prepareVoice(const QString& voiceName) {
    std::thread([voiceName] { SpeechEngine::forVoice(voiceName, nullptr); }).detach();
}

std::unique_ptr<SystemVoice> SystemVoice::create(const QString& voiceName, QString* error) {
    // Every reading connects anew, so that one after the sound server came back finds it. The
    // server is reached first: espeak-ng's library, when it starts, connects to it too and waits
    // for ever on a server that stopped.
    std::unique_ptr<SoundServerStream> stream = SoundServerStream::connect(error);
    if (!stream)
        return nullptr;
    SpeechEngine* engine = SpeechEngine::forVoice(voiceName, error);
    if (engine == nullptr)
        return nullptr;
    auto buffer = std::make_shared<SpeechBuffer>(SpeechBuffer::Limits{
        lookaheadSeconds * engine->sampleRate(), historySeconds * engine->sampleRate()});
    if (!stream->play(engine->sampleRate(), buffer, error))
        return nullptr;
    return std::unique_ptr<SystemVoice>(
        new SystemVoice(engine, std::move(buffer), std::move(stream)));
}

SystemVoice::SystemVoice(SpeechEngine* engine, std::shared_ptr<SpeechBuffer> buffer,
                         std::unique_ptr<SoundServerStream> stream)
    : engine_(engine), buffer_(std::move(buffer)), stream_(std::move(stream)),
      text_(std::make_shared<SpeechText>()), heardPoll_(new QTimer(this)) {
    heardPoll_->setInterval(heardPollMilliseconds);
    heardPoll_->setTimerType(Qt::PreciseTimer);
    connect(heardPoll_, &QTimer::timeout, this, &SystemVoice::reportWhatWasHeard);
    // The handler runs on the synthesis thread with the buffer's lock held; the stream's wake
    // never blocks.
    buffer_->setWakeHandler([stream = stream_.get()] { stream->wake(); });
    connect(this, &SystemVoice::failed, this, [this](const QString& message) {
        // A reading that failed is not heard to its end.
        heardPoll_->stop();
        notYetHeard_.clear();
        endNotYetHeard_ = false;
        reportFailure(message);
    });
}

SystemVoice::~SystemVoice() {
    // Closing first aborts synthesis and guarantees that no wake-up reaches the stream any more;
    // the worker drops its share of the buffer when its job ends.
    buffer_->close();
    text_->wake();
}

VoiceResult SystemVoice::setRate(int rate) {
    readingSpeed_ = rate;
    return VoiceResult::success();
}

VoiceResult SystemVoice::speak(const QString& text) {
    return startReading(text, true);
}

VoiceResult SystemVoice::speakBeginning(const QString& beginning) {
    return startReading(beginning, false);
}

VoiceResult SystemVoice::completeText(const QString& whole) {
    if (text_->isWhole())
        return VoiceResult::failure(QStringLiteral("the voice has no beginning to complete"));
    if (!text_->complete(whole)) {
        // The whole reads part of the beginning otherwise, and some of that has been synthesised
        // already. Starting over is the one way to speak exactly the whole; it happens within
        // moments of the start, so little is heard twice.
        synthesiseFromStart(whole, true);
        wakeOutput();
    }
    return VoiceResult::success();
}

VoiceResult SystemVoice::startReading(const QString& text, bool whole) {
    if (const std::optional<QString> failure = stream_->failure())
        return VoiceResult::failure(*failure);
    synthesiseFromStart(text, whole);
    started_ = true;
    wakeOutput();
    return VoiceResult::success();
}

void SystemVoice::synthesiseFromStart(const QString& text, bool whole) {
    // The run changes first: a job of the old run that the new text wakes sees that it is done
    // before it could read the new text.
    const int run = buffer_->restart();
    text_->reset(text, whole);
    engine_->submit({buffer_, run, text_, SentenceStart{}, readingSpeed_, homographs_, -1, true});
    // Sound of the old text still in the output is heard, but its sentences are no longer those
    // of the text being read.
    notYetHeard_.clear();
    listenerAt_.reset();
    endNotYetHeard_ = true;
    noteProgress();
    heardPoll_->start();
}

VoiceResult SystemVoice::pause() {
    paused_ = true;
    stream_->setPaused(true);
    return VoiceResult::success();
}

VoiceResult SystemVoice::resume() {
    paused_ = false;
    stream_->setPaused(false);
    noteProgress();
    return VoiceResult::success();
}

VoiceResult SystemVoice::skipSentence(int count) {
    if (!started_ || paused_ || buffer_->finished())
        return notSpeaking();
    const SpeechBuffer::SkipOutcome outcome = buffer_->skip(count, listenerAt_);
    listenerAt_ = outcome.sentence;
    if (outcome.resynthesise) {
        text_->wake();
        engine_->submit(
            {buffer_, outcome.run, text_, outcome.from, readingSpeed_, homographs_, -1, true});
    }
    wakeOutput();
    return VoiceResult::success();
}

std::optional<qsizetype> SystemVoice::sentenceEnd(int sentence, qsizetype textSize) const {
    return buffer_->sentenceTextEnd(sentence, textSize);
}

void SystemVoice::wakeOutput() {
    stream_->wake();
}

void SystemVoice::noteProgress() {
    lastProgress_ = std::chrono::steady_clock::now();
}

void SystemVoice::reportWhatWasHeard() {
    for (const SpeechBuffer::SentenceHandedOver& sentence : buffer_->takeSentencesHandedOver())
        notYetHeard_.push_back(sentence);
    // The stream fails by itself when the server goes away, paused or not.
    if (const std::optional<QString> failure = stream_->failure()) {
        emit failed(*failure);
        return;
    }
    if (paused_)
        return;
    const qint64 heard = stream_->heardSamples();
    if (heard != lastHeard_ ||
        (buffer_->bytesAvailable() == 0 && heard >= buffer_->handedOverSamples())) {
        lastHeard_ = heard;
        noteProgress();
    } else if (std::chrono::steady_clock::now() - lastProgress_ > stallLimit) {
        emit failed(QStringLiteral("the audio output stopped: the sound server does not answer "
                                   "(it may be stopped; start it again, then read again)"));
        return;
    }
    // A handler may release the voice (a new reading replaces it).
    const QPointer<SystemVoice> alive(this);
    while (!notYetHeard_.empty() && notYetHeard_.front().outputSample <= heard) {
        const SpeechBuffer::SentenceHandedOver sentence = notYetHeard_.front();
        notYetHeard_.pop_front();
        listenerAt_ = sentence.sentence;
        reportSentenceHeard(int(sentence.sentence), sentence.textPosition);
        if (!alive)
            return;
    }
    if (notYetHeard_.empty() && buffer_->finished() && heard >= buffer_->handedOverSamples()) {
        heardPoll_->stop();
        endNotYetHeard_ = false;
        reportFinished();
    }
}

} // namespace tellwick
