#pragma once

#include "speech/homograph_readings.h"
#include "speech/reading_speed.h"
#include "speech/voice.h"

#include "speech/speech_buffer.h"

#include <QObject>

#include <deque>
#include <memory>
#include <optional>

class QAudioSink;
class QTimer;

namespace tellwick {

class PcmDevice;
class SpeechEngine;
class SpeechText;

// The real voice: espeak-ng synthesis played through the default audio output. Returns null and
// sets error (naming the cause) when espeak-ng's data cannot be loaded or there is no audio output.
// Needs a QCoreApplication.
std::unique_ptr<Voice> makeSystemVoice(QString* error);

// Loads espeak-ng on a thread of its own and connects to the sound server now, so that the first
// reading waits for neither. Call on the application's thread; returns at once.
void prepareSystemVoice();

// The real voice, for callers that also need to know when a reading has been heard to its end
// (the command line). The window uses it through Voice only.
class SystemVoice : public QObject, public Voice {
    Q_OBJECT
public:
    // Null, with error set, as makeSystemVoice.
    static std::unique_ptr<SystemVoice> create(QString* error);
    ~SystemVoice() override;

    VoiceResult setRate(int rate) override;
    // Who decides the homographs of the texts spoken from now on.
    void setHomographReadings(HomographReadings readings) { homographs_ = readings; }
    // A second text replaces the first.
    VoiceResult speak(const QString& text) override;
    VoiceResult speakBeginning(const QString& beginning) override;
    VoiceResult completeText(const QString& whole) override;
    VoiceResult pause() override;
    VoiceResult resume() override;
    VoiceResult skipSentence(int count) override;

    // The text has been synthesised and handed to the audio output to its end.
    bool isFinished() const;
    // How long the sound server may still play after finished(), at most.
    int drainMilliseconds() const;
    // Where a sentence reported heard ends in the text given: where the next one starts, or the
    // text's size once synthesis has passed its end without finding one. Nothing while synthesis
    // has not come that far (it is normally well ahead of what is heard).
    std::optional<qsizetype> sentenceEnd(int sentence, qsizetype textSize) const;

signals:
    // The audio output has played out everything it was handed.
    void finished();
    // The audio output stopped for good before the end (the sound server went away, say); the
    // reading will not go on.
    void failed(const QString& message);

private:
    SystemVoice(SpeechEngine* engine, QAudioSink* sink);
    VoiceResult startReading(const QString& text, bool whole);
    void synthesiseFromStart(const QString& text, bool whole);
    void wakeOutput();
    void onStateChanged();
    qint64 heardSamples() const;
    void reportWhatWasHeard();

    SpeechEngine* engine_;
    std::shared_ptr<SpeechBuffer> buffer_;
    QAudioSink* sink_;
    PcmDevice* device_;
    std::shared_ptr<SpeechText> text_;
    SpeakingRate rate_;
    HomographReadings homographs_;
    bool started_ = false;
    bool paused_ = false;
    // What the output has been given but not yet played, watched while a reading plays.
    QTimer* heardPoll_;
    std::deque<SpeechBuffer::SentenceHandedOver> notYetHeard_;
    bool endNotYetHeard_ = false;
    // The sentence the listener is at: the last one heard, or where a skip since went. Skips move
    // from it, not from the sound handed to the output ahead of what is heard.
    std::optional<qsizetype> listenerAt_;
};

} // namespace tellwick
