#pragma once

#include "speech/voice.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <set>

namespace tellwick {

class FakeVoice;

// What every fake voice of one factory shares: the calls made, the failures asked for, and how
// many voices were destroyed. It outlives the voices, so a test can read it after a reading ended.
struct FakeVoiceLog {
    // Calls in the order they were made: "setRate 1", "speak <text>", "speakBeginning <text>",
    // "completeText <text>", "pause", "resume", "skip -1", "skip 1". Failed calls are recorded
    // too.
    QStringList calls;
    // Operations that fail from now on, named as in calls without arguments: "setRate", "speak",
    // "speakBeginning", "completeText", "pause", "resume", "skip".
    std::set<QString> failing;
    // While set, the factory makes no voice and reports creationError.
    bool failCreation = false;
    QString creationError = QStringLiteral("no voice");
    // The names the window asked voices for (empty: the default), in order, failed ones too.
    QStringList voiceNames;
    int created = 0;
    int destroyed = 0;
    // The newest voice while it lives, so that a test can finish its reading.
    FakeVoice* newest = nullptr;
};

// A voice that speaks nothing. It models the state the real voice has: skips fail unless the
// voice is speaking (spoken to, not paused, not finished); finish() ends the reading as the real
// voice does when its text has been heard.
class FakeVoice : public Voice {
public:
    explicit FakeVoice(std::shared_ptr<FakeVoiceLog> log);
    ~FakeVoice() override;

    VoiceResult setRate(int rate) override;
    VoiceResult speak(const QString& text) override;
    VoiceResult speakBeginning(const QString& beginning) override;
    VoiceResult completeText(const QString& whole) override;
    VoiceResult pause() override;
    VoiceResult resume() override;
    VoiceResult skipSentence(int count) override;

    // Ends the reading, as if the whole text had been heard.
    void finish() {
        state_ = State::Finished;
        reportFinished();
    }
    // Reports a sentence heard, as the real voice does when its first sample has been played.
    void hear(int sentence, qsizetype position) { reportSentenceHeard(sentence, position); }
    // Ends the reading as the real voice does when its sound output goes away.
    void failFromOutput(const QString& message) {
        state_ = State::Finished;
        reportFailure(message);
    }
    bool isSpeaking() const { return state_ == State::Speaking; }
    bool isPaused() const { return paused_; }
    int rate() const { return rate_; }

private:
    enum class State { Idle, Speaking, Finished };
    VoiceResult record(const QString& operation, const QString& call);

    std::shared_ptr<FakeVoiceLog> log_;
    State state_ = State::Idle;
    bool paused_ = false;
    bool beginningOnly_ = false;
    int rate_ = 0;
};

// Makes a VoiceFactory whose voices share one log; the factory it returns holds the log too, so it
// may outlive this object.
class FakeVoiceFactory {
public:
    FakeVoiceFactory() : log_(std::make_shared<FakeVoiceLog>()) {}

    VoiceFactory factory() const;
    // The same for the window, which names the voice; each name asked is logged in voiceNames.
    NamedVoiceFactory namedFactory() const;
    FakeVoiceLog& log() const { return *log_; }
    const std::shared_ptr<FakeVoiceLog>& sharedLog() const { return log_; }

private:
    std::shared_ptr<FakeVoiceLog> log_;
};

} // namespace tellwick
