#include "reader/reader.h"

#include "reader/box_text.h"

#include <QThread>

#include <algorithm>

namespace tellwick {

Reader::Reader(VoiceFactory voices, QObject* parent)
    : QObject(parent), voices_(std::move(voices)) {}

Reader::~Reader() = default;

void Reader::setSpeed(int speed) {
    speed_ = std::clamp(speed, slowestSpeed, fastestSpeed);
    emit speedChanged(speed_);
}

void Reader::setPaused(bool paused) {
    paused_ = paused;
    emit pausedChanged(paused);
}

VoiceResult Reader::readBox(const CompactText& box, qsizetype start,
                            const RespellOptions& options) {
    QString error;
    std::unique_ptr<Voice> voice = voices_ ? voices_(&error) : nullptr;
    if (!voice)
        return VoiceResult::failure(
            error.isEmpty() ? QStringLiteral("No speech voice is available.") : error);
    takeVoice(std::move(voice));
    if (VoiceResult rated = voice_->setRate(speed_); !rated)
        return rated;
    box_ = box;
    const VoiceResult begun =
        speakInSteps<CompactText>(box.sliced(start), [start, options](const CompactText& raw) {
            auto reading = std::make_shared<const BoxReading>(raw, start, options);
            return Spoken{reading->spoken(), reading};
        });
    if (begun)
        setPaused(false);
    return begun;
}

void Reader::readClipboard(const std::optional<QString>& text, const RespellOptions& options) {
    if (text && text->isEmpty())
        return;
    QString error;
    if (std::unique_ptr<Voice> voice = voices_ ? voices_(&error) : nullptr)
        takeVoice(std::move(voice));
    // Without a new voice the steps fall on whichever voice is held, as the steps are written.
    if (voice_) {
        (void)voice_->setRate(speed_);
        if (text)
            (void)speakInSteps<QString>(*text, [options](const QString& text) {
                return Spoken{voiceText(text, options).text, nullptr};
            });
    }
    setPaused(false);
}

VoiceResult Reader::pauseOrResume() {
    if (!paused_) {
        if (voice_ && voice_->pause())
            setPaused(true);
        return VoiceResult::success();
    }
    if (!voice_)
        return VoiceResult::failure(QStringLiteral("Resume: no reading has been started."));
    const VoiceResult resumed = voice_->resume();
    if (resumed)
        setPaused(false);
    return resumed;
}

void Reader::silence() {
    if (voice_)
        (void)voice_->pause();
    // The voice keeps its own text, to resume.
    forgetBox();
    setPaused(false);
}

void Reader::forgetBox() {
    reading_.reset();
    box_ = {};
}

void Reader::offerPause() {
    setPaused(false);
}

void Reader::stop() {
    voice_.reset();
    reading_.reset();
    ++voicesTaken_;
}

void Reader::skipOrChangeSpeed(int direction) {
    if (voice_ && voice_->skipSentence(direction))
        return;
    setSpeed(speed_ + direction);
}

void Reader::takeVoice(std::unique_ptr<Voice> voice) {
    voice_ = std::move(voice);
    reading_.reset();
    ++voicesTaken_;
    voice_->onFailure([this](const QString& message) { emit failed(message); });
    voice_->onSentenceHeard([this](int, qsizetype position) {
        if (reading_)
            emit sentenceHeard(reading_->sentenceInBox(position, box_));
    });
    voice_->onFinished([this] { emit finished(); });
}

template <typename Text> VoiceResult Reader::speakInSteps(Text text, Rewrite<Text> rewrite) {
    if (text.size() <= twoStepLength) {
        Spoken spoken = rewrite(text);
        reading_ = std::move(spoken.reading);
        return voice_->speak(spoken.text);
    }
    // The beginning ends within the first twoStepLength units.
    Spoken beginning = rewrite(text.left(beginningEnd(text.mid(0, twoStepLength + 1))));
    reading_ = std::move(beginning.reading);
    const VoiceResult begun = voice_->speakBeginning(beginning.text);
    if (begun)
        completeBeside(std::move(text), std::move(rewrite));
    return begun;
}

template <typename Text> void Reader::completeBeside(Text text, Rewrite<Text> rewrite) {
    // The rewriter holds nothing between calls, so it runs on a thread of its own while the
    // window goes on; the whole goes to the voice only if no later reading has replaced it.
    auto whole = std::make_shared<Spoken>();
    QThread* rewriter =
        QThread::create([text = std::move(text), rewrite, whole] { *whole = rewrite(text); });
    connect(rewriter, &QThread::finished, rewriter, &QObject::deleteLater);
    connect(rewriter, &QThread::finished, this, [this, taken = voicesTaken_, whole] {
        if (taken != voicesTaken_)
            return;
        if (const VoiceResult result = voice_->completeText(whole->text); !result) {
            emit failed(result.error);
            return;
        }
        if (whole->reading && !box_.isEmpty())
            reading_ = std::move(whole->reading);
    });
    rewriter->start();
}

} // namespace tellwick
