#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace tellwick {

// A speech voice: one per reading. Every operation reports success; failure carries a message.
// Destroying a voice stops its sound at once.
struct VoiceResult {
    bool ok = true;
    QString error;
    static VoiceResult success() { return {}; }
    static VoiceResult failure(QString message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};

class Voice {
public:
    virtual ~Voice() = default;
    // Reading speed from -9 (slowest) to +9 (fastest); 0 is normal.
    virtual VoiceResult setRate(int rate) = 0;
    // Starts speaking and returns at once.
    virtual VoiceResult speak(const QString& text) = 0;
    // Starts speaking the beginning of a text too large to prepare at once, and returns at once.
    // The speech waits at the end of the beginning until completeText gives the whole.
    virtual VoiceResult speakBeginning(const QString& beginning) = 0;
    // The whole text of the reading that speakBeginning started. When the whole starts with the
    // beginning the speech goes on into the rest without a break; otherwise the reading starts
    // over with the whole. Fails when no beginning waits for its whole.
    virtual VoiceResult completeText(const QString& whole) = 0;
    virtual VoiceResult pause() = 0;
    virtual VoiceResult resume() = 0;
    // Moves by one sentence: +1 to the start of the next, -1 to the start of the previous one.
    // Fails when the voice is not speaking (nothing started, paused, or finished).
    virtual VoiceResult skipSentence(int count) = 0;

    // Called, on the thread that made the voice, when its reading stops for good before the end
    // (the sound server went away, say), with a message that names the cause.
    void onFailure(std::function<void(const QString&)> handler) {
        failureHandler_ = std::move(handler);
    }
    // Called, on the thread that made the voice, when the first sample of a sentence has been
    // heard: played by the sound output, not merely synthesised. It gives the sentence's number
    // (0 for the first of the reading) and where it starts in the text given to speak (or to
    // completeText), in UTF-16 code units. A skip reports the sentence it lands on once heard.
    void onSentenceHeard(std::function<void(int sentence, qsizetype position)> handler) {
        sentenceHandler_ = std::move(handler);
    }
    // Called once, on the thread that made the voice, when the last sample of the reading has
    // been heard.
    void onFinished(std::function<void()> handler) { finishedHandler_ = std::move(handler); }

protected:
    void reportFailure(const QString& message) {
        if (failureHandler_)
            failureHandler_(message);
    }
    void reportSentenceHeard(int sentence, qsizetype position) {
        if (sentenceHandler_)
            sentenceHandler_(sentence, position);
    }
    void reportFinished() {
        if (finishedHandler_)
            finishedHandler_();
    }

private:
    std::function<void(const QString&)> failureHandler_;
    std::function<void(int, qsizetype)> sentenceHandler_;
    std::function<void()> finishedHandler_;
};

// Makes the voice of a new reading. A factory that cannot make one returns null and sets error.
using VoiceFactory = std::function<std::unique_ptr<Voice>(QString* error)>;
// The same for the voice named (see voice_catalogue.h); an empty name is the default voice.
using NamedVoiceFactory =
    std::function<std::unique_ptr<Voice>(const QString& voiceName, QString* error)>;

} // namespace tellwick
