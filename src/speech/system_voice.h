#pragma once

#include "speech/homograph_readings.h"
#include "speech/voice.h"

#include "speech/speech_buffer.h"

#include <QObject>

#include <chrono>
#include <deque>
#include <memory>
#include <optional>

class QTimer;

namespace tellwick {

class SoundServerStream;
class SpeechEngine;
class SpeechText;

// The real voice: the named voice's synthesis (see voice_catalogue.h; an empty name is the default
// voice) played by the sound server. Returns null and sets error (naming the cause and what to do)
// when the voice's data cannot be loaded or the sound server cannot be reached. Needs a
// QCoreApplication.
std::unique_ptr<Voice> makeSystemVoice(const QString& voiceName, QString* error);

// Starts the voice named on a thread of its own now, so that the first reading does not wait for
// it. Call on the application's thread; returns at once.
void prepareVoice(const QString& voiceName);

// The real voice, for callers that also need where each sentence heard ends (the command line).
// The window uses it through Voice only.
class SystemVoice : public QObject, public Voice {
    Q_OBJECT
public:
    // Null, with error set, as makeSystemVoice; an empty name is the default voice.
    static std::unique_ptr<SystemVoice> create(const QString& voiceName, QString* error);
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

    // Where a sentence reported heard ends in the text given: where the next one starts, or the
    // text's size once synthesis has passed its end without finding one. Nothing while synthesis
    // has not come that far (it is normally well ahead of what is heard).
    std::optional<qsizetype> sentenceEnd(int sentence, qsizetype textSize) const;

signals:
    // The audio output stopped for good before the end (the sound server went away, say); the
    // reading will not go on.
    void failed(const QString& message);

private:
    SystemVoice(SpeechEngine* engine, std::shared_ptr<SpeechBuffer> buffer,
                std::unique_ptr<SoundServerStream> stream);
    VoiceResult startReading(const QString& text, bool whole);
    void synthesiseFromStart(const QString& text, bool whole);
    void wakeOutput();
    void noteProgress();
    void reportWhatWasHeard();

    SpeechEngine* engine_;
    std::shared_ptr<SpeechBuffer> buffer_;
    std::unique_ptr<SoundServerStream> stream_;
    std::shared_ptr<SpeechText> text_;
    int readingSpeed_ = 0;
    HomographReadings homographs_;
    bool started_ = false;
    bool paused_ = false;
    // What the output has been given but not yet played, watched while a reading plays.
    QTimer* heardPoll_;
    std::deque<SpeechBuffer::SentenceHandedOver> notYetHeard_;
    bool endNotYetHeard_ = false;
    // When the sound last moved on, or had nothing more to play.
    qint64 lastHeard_ = -1;
    std::chrono::steady_clock::time_point lastProgress_;
    // The sentence the listener is at: the last one heard, or where a skip since went. Skips move
    // from it, not from the sound handed to the output ahead of what is heard.
    std::optional<qsizetype> listenerAt_;
};

} // namespace tellwick
