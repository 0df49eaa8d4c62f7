#include "speech/system_voice.h"

#include "speech/pcm_device.h"
#include "speech/reading_speed.h"
#include "speech/speech_buffer.h"
#include "speech/speech_engine.h"
#include "speech/speech_text.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
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

VoiceResult notSpeaking() {
    return VoiceResult::failure(QStringLiteral("the voice is not speaking"));
}

} // namespace

std::unique_ptr<Voice> makeSystemVoice(QString* error) {
    return SystemVoice::create(error);
}

void prepareSystemVoice() {
    std::thread([] { SpeechEngine::instance(nullptr); }).detach();
    // Qt connects to the sound server when the audio outputs are first asked for.
    (void)QMediaDevices::defaultAudioOutput();
}

std::unique_ptr<SystemVoice> SystemVoice::create(QString* error) {
    SpeechEngine* engine = SpeechEngine::instance(error);
    if (engine == nullptr)
        return nullptr;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        *error = QStringLiteral(
            "There is no audio output device. Tellwick looks for sound output (PulseAudio) only "
            "when it starts: restart Tellwick once sound output is available.");
        return nullptr;
    }
    QAudioFormat format;
    format.setSampleRate(engine->sampleRate());
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format)) {
        *error = QStringLiteral("The audio output \"%1\" cannot play 16-bit mono sound at %2 Hz.")
                     .arg(output.description())
                     .arg(engine->sampleRate());
        return nullptr;
    }
    return std::unique_ptr<SystemVoice>(new SystemVoice(engine, new QAudioSink(output, format)));
}

SystemVoice::SystemVoice(SpeechEngine* engine, QAudioSink* sink)
    : engine_(engine),
      buffer_(std::make_shared<SpeechBuffer>(SpeechBuffer::Limits{
          lookaheadSeconds * engine->sampleRate(), historySeconds * engine->sampleRate()})),
      sink_(sink), device_(new PcmDevice(buffer_, this)), text_(std::make_shared<SpeechText>()),
      rate_(speakingRate(0)), heardPoll_(new QTimer(this)) {
    sink_->setParent(this);
    heardPoll_->setInterval(heardPollMilliseconds);
    heardPoll_->setTimerType(Qt::PreciseTimer);
    connect(heardPoll_, &QTimer::timeout, this, &SystemVoice::reportWhatWasHeard);
    // The handler runs on the synthesis thread; the device lives on this one.
    buffer_->setWakeHandler([device = device_] {
        QMetaObject::invokeMethod(
            device, [device] { emit device->readyRead(); }, Qt::QueuedConnection);
    });
    connect(sink_, &QAudioSink::stateChanged, this, &SystemVoice::onStateChanged);
    connect(this, &SystemVoice::failed, this, [this](const QString& message) {
        // A reading that failed is not heard to its end.
        heardPoll_->stop();
        notYetHeard_.clear();
        endNotYetHeard_ = false;
        reportFailure(message);
    });
}

SystemVoice::~SystemVoice() {
    // Closing first aborts synthesis and guarantees that no wake-up is posted to the device any
    // more; the worker drops its share of the buffer when its job ends.
    buffer_->close();
    text_->wake();
    sink_->disconnect(this);
    sink_->stop();
    // Qt's PulseAudio output runs the event loop when it is deleted. A voice is released inside a
    // handler (Read replaces it), which must run to its end before any other event, so the output,
    // silent already, goes once the handler has returned.
    sink_->setParent(nullptr);
    sink_->deleteLater();
}

VoiceResult SystemVoice::setRate(int rate) {
    rate_ = speakingRate(rate);
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
    synthesiseFromStart(text, whole);
    if (!started_) {
        sink_->start(device_);
        if (sink_->error() != QAudio::NoError) {
            heardPoll_->stop();
            return VoiceResult::failure(QStringLiteral("the audio output could not be started"));
        }
        started_ = true;
        if (paused_)
            sink_->suspend();
    }
    wakeOutput();
    return VoiceResult::success();
}

void SystemVoice::synthesiseFromStart(const QString& text, bool whole) {
    // The run changes first: a job of the old run that the new text wakes sees that it is done
    // before it could read the new text.
    const int run = buffer_->restart();
    text_->reset(text, whole);
    engine_->submit({buffer_, run, text_, SentenceStart{}, rate_, homographs_});
    // Sound of the old text still in the output is heard, but its sentences are no longer those
    // of the text being read.
    notYetHeard_.clear();
    listenerAt_.reset();
    endNotYetHeard_ = true;
    if (!paused_)
        heardPoll_->start();
}

VoiceResult SystemVoice::pause() {
    paused_ = true;
    heardPoll_->stop();
    if (started_)
        sink_->suspend();
    return VoiceResult::success();
}

VoiceResult SystemVoice::resume() {
    paused_ = false;
    if (started_)
        sink_->resume();
    if (endNotYetHeard_)
        heardPoll_->start();
    return VoiceResult::success();
}

VoiceResult SystemVoice::skipSentence(int count) {
    if (!started_ || paused_ || buffer_->finished())
        return notSpeaking();
    const SpeechBuffer::SkipOutcome outcome = buffer_->skip(count, listenerAt_);
    listenerAt_ = outcome.sentence;
    if (outcome.resynthesise) {
        text_->wake();
        engine_->submit({buffer_, outcome.run, text_, outcome.from, rate_, homographs_});
    }
    wakeOutput();
    return VoiceResult::success();
}

bool SystemVoice::isFinished() const {
    return started_ && buffer_->finished();
}

int SystemVoice::drainMilliseconds() const {
    // The output's own buffer, and as much again for the sound server's.
    const qint64 bytesPerSecond = qint64(engine_->sampleRate()) * 2;
    return int(2 * 1000 * qint64(sink_->bufferSize()) / bytesPerSecond) + 200;
}

std::optional<qsizetype> SystemVoice::sentenceEnd(int sentence, qsizetype textSize) const {
    return buffer_->sentenceTextEnd(sentence, textSize);
}

void SystemVoice::wakeOutput() {
    emit device_->readyRead();
    // An output that went idle waiting for sound changes no state when the end comes instead.
    onStateChanged();
}

qint64 SystemVoice::heardSamples() const {
    // The output counts whole microseconds, rounded down; rounding back to the nearest sample
    // gives the exact count, so that the last sample of a reading is seen to be heard.
    return (sink_->processedUSecs() * engine_->sampleRate() + 500000) / 1000000;
}

void SystemVoice::reportWhatWasHeard() {
    for (const SpeechBuffer::SentenceHandedOver& sentence : buffer_->takeSentencesHandedOver())
        notYetHeard_.push_back(sentence);
    const qint64 heard = heardSamples();
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

void SystemVoice::onStateChanged() {
    if (sink_->state() == QAudio::IdleState && buffer_->finished())
        emit finished();
    else if (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError)
        emit failed(QStringLiteral("the audio output stopped (has the sound server gone away?)"));
}

} // namespace tellwick
