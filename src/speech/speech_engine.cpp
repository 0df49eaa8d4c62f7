#include "speech/speech_engine.h"

#include "speech/text_chunks.h"
#include "speech/voice_catalogue.h"
#include "speech/voice_engine.h"

#include <map>

namespace tellwick {

SpeechEngine* SpeechEngine::forVoice(const QString& voiceName, QString* error) {
    const QString name = voiceName.isEmpty() ? defaultVoiceName() : voiceName;
    static std::mutex mutex;
    // Never deleted: a speech library cannot be set up again within the process.
    static std::map<QString, SpeechEngine*> engines;
    if (findVoice(knownVoices(), name) == nullptr) {
        if (error != nullptr)
            *error = noVoiceNamed(name);
        return nullptr;
    }
    SpeechEngine* engine = nullptr;
    {
        std::lock_guard lock(mutex);
        SpeechEngine*& known = engines[name];
        if (known == nullptr) {
            preloadHomographModel();
            known = new SpeechEngine(name);
        }
        engine = known;
    }
    std::unique_lock lock(engine->mutex_);
    engine->changed_.wait(lock, [engine] { return engine->started_; });
    if (engine->engine_ == nullptr) {
        if (error != nullptr)
            *error = engine->error_;
        return nullptr;
    }
    return engine;
}

SpeechEngine::SpeechEngine(const QString& voiceName) {
    std::thread([this, voiceName] { work(voiceName); }).detach();
}

void SpeechEngine::submit(Job job) {
    std::lock_guard lock(mutex_);
    jobs_.push_back({std::move(job), std::nullopt});
    changed_.notify_all();
}

void SpeechEngine::submitListing(Job job, PhonemeListing listing) {
    std::lock_guard lock(mutex_);
    jobs_.push_back({std::move(job), listing});
    changed_.notify_all();
}

void SpeechEngine::work(const QString& voiceName) {
    // Some libraries accept calls only from the thread that set them up.
    QString error;
    std::unique_ptr<VoiceEngine> engine = startVoiceEngine(voiceName, &error);
    {
        std::lock_guard lock(mutex_);
        error_ = error;
        sampleRate_ = engine ? engine->sampleRate() : 0;
        engine_ = std::move(engine);
        started_ = true;
        changed_.notify_all();
    }
    if (engine_ == nullptr)
        return;
    for (;;) {
        Queued queued;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !jobs_.empty(); });
            queued = std::move(jobs_.front());
            jobs_.pop_front();
        }
        if (!queued.job.target->isCurrent(queued.job.run))
            continue;
        if (queued.listing)
            engine_->listPhonemes(queued.listing->stream, queued.listing->ipa);
        synthesise(queued.job);
        if (queued.listing)
            engine_->listPhonemes(nullptr, false);
    }
}

void SpeechEngine::synthesise(const Job& job) {
    const auto abandoned = [&job] { return !job.target->isCurrent(job.run); };
    qsizetype pieceStart = job.from.chunkStart;
    qsizetype from = job.from.offset;
    qint64 delivered = 0;
    for (;;) {
        const std::optional<QString> text = job.text->read(chunkDecidedBy(pieceStart), abandoned);
        if (!text)
            return;
        if (pieceStart >= text->size() || (job.until >= 0 && pieceStart >= job.until))
            break;
        const qsizetype end = chunkEnd(*text, pieceStart);
        // Only what is decided may count: a text still growing may differ past it.
        const PieceToSpeak piece{QStringView(*text).left(chunkDecidedBy(pieceStart)),
                                 pieceStart,
                                 end,
                                 from,
                                 job.readingSpeed,
                                 job.homographs,
                                 job.heardAtOnce};
        const std::optional<qint64> spoken =
            engine_->speakPiece(piece, *job.target, job.run, delivered);
        if (!spoken)
            return;
        if (abandoned())
            break;
        delivered += *spoken;
        pieceStart = end;
        from = 0;
    }
    job.target->finishRun(job.run);
}

} // namespace tellwick
