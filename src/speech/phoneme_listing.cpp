#include "speech/phoneme_listing.h"

#include "speech/speech_engine.h"

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

std::optional<QString> phonemesOf(const QString& text, int readingSpeed, PhonemeAlphabet alphabet,
                                  QString* error, const HomographReadings& homographs,
                                  const QString& voiceName) {
    SpeechEngine* engine = SpeechEngine::forVoice(voiceName, error);
    if (engine == nullptr)
        return std::nullopt;
    char* listing = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&listing, &size);
    if (stream == nullptr) {
        *error = QStringLiteral("out of memory");
        return std::nullopt;
    }
    // The engine's worker lists the phonemes as it synthesises; the stream is written there alone
    // until the job has finished.
    auto target = std::make_shared<DiscardTarget>();
    engine->submitListing(
        {target, 0, std::make_shared<SpeechText>(text), SentenceStart{}, readingSpeed, homographs},
        {stream, alphabet == PhonemeAlphabet::Ipa});
    target->wait();
    std::fclose(stream);
    QString phonemes = QString::fromUtf8(listing, qsizetype(size));
    std::free(listing);
    return phonemes;
}

} // namespace tellwick
