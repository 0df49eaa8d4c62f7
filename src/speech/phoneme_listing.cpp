#include "speech/phoneme_listing.h"

#include "speech/speech_engine.h"

#include <espeak-ng/speak_lib.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace tellwick {

namespace {

class DiscardTarget : public SynthesisTarget {
public:
    bool isCurrent(int) const override { return true; }
    bool append(int, const std::int16_t*, qsizetype) override { return true; }
    void markSentence(int, SentenceStart, qint64) override {}
    void finishRun(int) override {
        std::lock_guard lock(mutex_);
        done_ = true;
        finished_.notify_all();
    }
    void wait() {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, [this] { return done_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
};

} // namespace

std::optional<QString> phonemesOf(const QString& text, SpeakingRate rate, PhonemeAlphabet alphabet,
                                  QString* error, const HomographReadings& homographs) {
    SpeechEngine* engine = SpeechEngine::instance(error);
    if (engine == nullptr)
        return std::nullopt;
    char* listing = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&listing, &size);
    if (stream == nullptr) {
        *error = QStringLiteral("out of memory");
        return std::nullopt;
    }
    espeak_SetPhonemeTrace(
        alphabet == PhonemeAlphabet::Ipa ? espeakPHONEMES_IPA : espeakPHONEMES_SHOW, stream);
    // The engine's thread takes the job, and with it the listing's settings, under its lock.
    auto target = std::make_shared<DiscardTarget>();
    engine->submit(
        {target, 0, std::make_shared<SpeechText>(text), SentenceStart{}, rate, homographs});
    target->wait();
    espeak_SetPhonemeTrace(0, nullptr);
    std::fclose(stream);
    QString phonemes = QString::fromUtf8(listing, qsizetype(size));
    std::free(listing);
    return phonemes;
}

} // namespace tellwick
