#include "support/fake_voice.h"

namespace tellwick {

FakeVoice::FakeVoice(std::shared_ptr<FakeVoiceLog> log) : log_(std::move(log)) {
    ++log_->created;
    log_->newest = this;
}

FakeVoice::~FakeVoice() {
    ++log_->destroyed;
    if (log_->newest == this)
        log_->newest = nullptr;
}

VoiceResult FakeVoice::record(const QString& operation, const QString& call) {
    log_->calls.append(call);
    if (log_->failing.count(operation) != 0)
        return VoiceResult::failure(QStringLiteral("%1 failed on demand").arg(operation));
    return VoiceResult::success();
}

VoiceResult FakeVoice::setRate(int rate) {
    VoiceResult result = record(QStringLiteral("setRate"), QStringLiteral("setRate %1").arg(rate));
    if (result)
        rate_ = rate;
    return result;
}

VoiceResult FakeVoice::speak(const QString& text) {
    VoiceResult result = record(QStringLiteral("speak"), QStringLiteral("speak ") + text);
    if (result) {
        state_ = State::Speaking;
        paused_ = false;
        beginningOnly_ = false;
    }
    return result;
}

VoiceResult FakeVoice::speakBeginning(const QString& beginning) {
    VoiceResult result =
        record(QStringLiteral("speakBeginning"), QStringLiteral("speakBeginning ") + beginning);
    if (result) {
        state_ = State::Speaking;
        paused_ = false;
        beginningOnly_ = true;
    }
    return result;
}

VoiceResult FakeVoice::completeText(const QString& whole) {
    VoiceResult result =
        record(QStringLiteral("completeText"), QStringLiteral("completeText ") + whole);
    if (result && !beginningOnly_)
        return VoiceResult::failure(QStringLiteral("no beginning to complete"));
    beginningOnly_ = false;
    return result;
}

VoiceResult FakeVoice::pause() {
    VoiceResult result = record(QStringLiteral("pause"), QStringLiteral("pause"));
    if (result)
        paused_ = true;
    return result;
}

VoiceResult FakeVoice::resume() {
    VoiceResult result = record(QStringLiteral("resume"), QStringLiteral("resume"));
    if (result)
        paused_ = false;
    return result;
}

VoiceResult FakeVoice::skipSentence(int count) {
    VoiceResult result = record(QStringLiteral("skip"), QStringLiteral("skip %1").arg(count));
    if (result && (state_ != State::Speaking || paused_))
        return VoiceResult::failure(QStringLiteral("not speaking"));
    return result;
}

VoiceFactory FakeVoiceFactory::factory() const {
    return [log = log_](QString* error) -> std::unique_ptr<Voice> {
        if (log->failCreation) {
            if (error)
                *error = log->creationError;
            return nullptr;
        }
        return std::make_unique<FakeVoice>(log);
    };
}

NamedVoiceFactory FakeVoiceFactory::namedFactory() const {
    return [log = log_, make = factory()](const QString& voiceName, QString* error) {
        log->voiceNames.append(voiceName);
        return make(error);
    };
}

} // namespace tellwick
