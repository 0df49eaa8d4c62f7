#include "speech/audio_file.h"

#include "speech/sound_file_output.h"
#include "speech/speech_engine.h"
#include "speech/voice_catalogue.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include <sys/stat.h>

namespace tellwick {

namespace {

struct FileFormat {
    const char* extension;
    int format;
    // Whether the writer goes back to the file's start at the end to complete its header, which a
    // pipe cannot take.
    bool headerCompletedAtEnd;
};

// WAV is written as RF64, which libsndfile turns back into a plain WAV file when it closes one that
// fits WAV's 4 GiB; a longer text (a book: days of speech) stays whole instead of wrapping around.
constexpr FileFormat fileFormats[] = {
    {"wav", SF_FORMAT_RF64 | SF_FORMAT_PCM_16, true},
    {"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, true},
    {"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, false},
    {"mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, true},
};

bool isPipe(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 &&
           (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
}

// The libsndfile format for path at the given sample rate, or 0 with a message.
int formatFor(const QString& path, int sampleRate, QString* error) {
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const FileFormat& candidate : fileFormats) {
        if (extension != QLatin1String(candidate.extension))
            continue;
        SF_INFO info{};
        info.samplerate = sampleRate;
        info.channels = 1;
        info.format = candidate.format;
        if (sf_format_check(&info) == 0) {
            *error =
                QStringLiteral("the installed libsndfile cannot write .%1 files").arg(extension);
            return 0;
        }
        if (candidate.headerCompletedAtEnd && isPipe(path)) {
            *error = QStringLiteral("cannot write a .%1 file to the pipe %2: its header is "
                                    "completed at the end; use .ogg, or a regular file")
                         .arg(extension, path);
            return 0;
        }
        return candidate.format;
    }
    *error = QStringLiteral("unknown audio file type \"%1\": use .wav, .flac, .ogg or .mp3")
                 .arg(QFileInfo(path).fileName());
    return 0;
}

// Takes the synthesis as fast as it comes; the file is closed when the synthesis thread and the
// writer have both let go of it.
class FileTarget : public SynthesisTarget {
public:
    explicit FileTarget(std::function<bool()> stopped) : stopped_(std::move(stopped)) {}

    bool open(const QString& path, SF_INFO* info, QString* error) {
        return output_.open(path, info, error);
    }
    bool isCurrent(int) const override { return !stopped_() && !failed_; }
    bool append(int, const std::int16_t* samples, qsizetype count) override {
        std::lock_guard lock(mutex_);
        if (!isCurrent(0) || closed_)
            return false;
        if (!output_.write(samples, count))
            failed_ = true;
        return !failed_;
    }
    void markSentence(int, SentenceStart start, qint64) override { reached_ = start.textPosition; }
    void finishRun(int) override {
        std::lock_guard lock(mutex_);
        done_ = true;
        finished_.notify_all();
    }

    // Waits for the end of synthesis or an interruption, telling reached where in the text the
    // synthesis is now and then; true when the synthesis is complete.
    bool wait(const std::function<void(qsizetype)>& reached) {
        std::unique_lock lock(mutex_);
        while (!done_ && isCurrent(0)) {
            finished_.wait_for(lock, std::chrono::milliseconds(50));
            if (reached) {
                lock.unlock();
                reached(reached_);
                lock.lock();
            }
        }
        return done_ && !failed_;
    }
    // Completes the file's header; the program may end before the synthesis thread lets go.
    bool close(QString* error) {
        std::lock_guard lock(mutex_);
        closed_ = true;
        return output_.close(error);
    }

private:
    SoundFileOutput output_;
    const std::function<bool()> stopped_;
    std::atomic<bool> failed_ = false;
    // The start of the last sentence synthesised, in the text.
    std::atomic<qsizetype> reached_ = 0;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    bool closed_ = false;
};

} // namespace

int audioFileFormat(const QString& path, int sampleRate, QString* error) {
    return formatFor(path, sampleRate, error);
}

bool canWriteAudioFile(const QString& path, QString* error) {
    return formatFor(path, 22050, error) != 0;
}

bool writeSpeechFile(const QString& text, int readingSpeed, const QString& path,
                     std::function<bool()> stopped, QString* error,
                     const HomographReadings& homographs, const QString& voiceName,
                     const SpeechFileProgress& progress) {
    SpeechEngine* engine = SpeechEngine::forVoice(voiceName, error);
    if (engine == nullptr)
        return false;
    SF_INFO info{};
    info.samplerate = engine->sampleRate();
    info.channels = 1;
    info.format = formatFor(path, engine->sampleRate(), error);
    if (info.format == 0)
        return false;
    // The synthesis thread may still hold the target after an interruption; sharing it keeps the
    // file open until then.
    auto target = std::make_shared<FileTarget>(std::move(stopped));
    if (!target->open(path, &info, error))
        return false;
    engine->submit(
        {target, 0, std::make_shared<SpeechText>(text), SentenceStart{}, readingSpeed, homographs});
    const bool complete = target->wait([&](qsizetype reached) {
        if (progress && !text.isEmpty())
            progress(double(reached) / double(text.size()));
    });
    // A write failure is reported before an interruption: the file is cut either way, and the
    // cause is what the user needs.
    if (!target->close(error))
        return false;
    if (complete)
        return true;
    *error = QStringLiteral("interrupted");
    return false;
}

} // namespace tellwick
