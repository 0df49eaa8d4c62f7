#include "cli/parallel_export.h"
#include "speech/homograph_readings.h"
#include "speech/speech_engine.h"

#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

namespace tellwick {

namespace {

bool writeAll(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes, size);
        if (written <= 0)
            return false;
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

bool writeFrame(const std::int16_t* samples, qsizetype count) {
    const FrameSize size = FrameSize(count * qsizetype(sizeof(std::int16_t)));
    return writeAll(&size, sizeof size) && (size == 0 || writeAll(samples, size));
}

// Streams each part's sound to standard output, the parts one after the other as they were
// submitted: the engine runs its jobs in order. espeak-ng hands over a few milliseconds at a time;
// frames of many of those spare both processes most of their system calls.
class PipeTarget : public SynthesisTarget {
public:
    explicit PipeTarget(int parts) : left_(parts) { frame_.reserve(frameSamples); }

    bool isCurrent(int) const override { return !failed_; }
    bool append(int, const std::int16_t* samples, qsizetype count) override {
        frame_.insert(frame_.end(), samples, samples + count);
        if (qsizetype(frame_.size()) >= frameSamples)
            flush();
        return !failed_;
    }
    void markSentence(int, SentenceStart, qint64) override {}
    void finishRun(int) override {
        std::lock_guard lock(mutex_);
        flush();
        if (!writeFrame(nullptr, 0))
            failed_ = true;
        --left_;
        changed_.notify_all();
    }
    // True when every part was written.
    bool wait() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return left_ == 0 || failed_; });
        return !failed_;
    }

private:
    static constexpr qsizetype frameSamples = 32768;

    void flush() {
        if (!failed_ && !frame_.empty() && !writeFrame(frame_.data(), qsizetype(frame_.size())))
            failed_ = true;
        frame_.clear();
    }

    std::vector<std::int16_t> frame_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int left_;
    std::atomic<bool> failed_ = false;
};

QString readText() {
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0)
            break;
        bytes.append(buffer, std::size_t(got));
    }
    return QString(reinterpret_cast<const QChar*>(bytes.data()), qsizetype(bytes.size() / 2));
}

} // namespace

int runSynthesisWorker(int argc, char** argv) {
    // The process that started this one answers Ctrl+C for both: it closes the file.
    std::signal(SIGINT, SIG_IGN);
    if (argc < 3 || argc % 2 != 1) {
        std::fprintf(stderr, "tellwick say: %s takes a voice, a speed, 0 or 1, and parts\n",
                     synthesisWorkerArgument);
        return 2;
    }
    const QString voice = QString::fromLocal8Bit(argv[0]);
    const int readingSpeed = std::atoi(argv[1]);
    const HomographReadings homographs{std::atoi(argv[2]) == 0};
    const auto text = std::make_shared<SpeechText>(readText());
    QString error;
    SpeechEngine* engine = SpeechEngine::forVoice(voice, &error);
    if (engine == nullptr) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(error));
        return 1;
    }
    const FrameSize sampleRate = FrameSize(engine->sampleRate());
    if (!writeAll(&sampleRate, sizeof sampleRate))
        return 1;
    const int parts = (argc - 3) / 2;
    auto target = std::make_shared<PipeTarget>(parts);
    for (int part = 0; part < parts; ++part) {
        const qsizetype start = std::atoll(argv[3 + 2 * part]);
        const qsizetype end = std::atoll(argv[4 + 2 * part]);
        SpeechEngine::Job job{target,       part,      text, SentenceStart{start, 0, start},
                              readingSpeed, homographs};
        job.until = end;
        engine->submit(std::move(job));
    }
    return target->wait() ? 0 : 1;
}

} // namespace tellwick
