#include "cli/parallel_export.h"
#include "speech/audio_file.h"
#include "speech/sound_file_output.h"
#include "speech/text_chunks.h"
#include "speech/voice_catalogue.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tellwick {

namespace {

struct Part {
    qsizetype start;
    qsizetype end;
};

// Enough parts that each process has several, so that they finish close together; none longer
// than a few of the voice's pieces, as a part that comes early is held in memory until its turn.
constexpr int partsPerJob = 8;
constexpr int mostPiecesPerPart = 4;
// How much sound a process may deliver ahead of its turn before it is made to wait.
constexpr qsizetype mostBytesAhead = qsizetype(48) << 20;

std::vector<Part> partsOf(const QString& text, int jobs) {
    std::vector<qsizetype> pieceEnds;
    for (qsizetype start = 0; start < text.size();)
        pieceEnds.push_back(start = chunkEnd(text, start));
    const qsizetype wanted = qsizetype(jobs) * partsPerJob;
    const qsizetype piecesPerPart = std::clamp<qsizetype>(
        (qsizetype(pieceEnds.size()) + wanted - 1) / wanted, 1, mostPiecesPerPart);
    std::vector<Part> parts;
    for (std::size_t piece = 0; piece < pieceEnds.size(); piece += std::size_t(piecesPerPart)) {
        const std::size_t last = std::min(pieceEnds.size(), piece + std::size_t(piecesPerPart)) - 1;
        parts.push_back({parts.empty() ? 0 : parts.back().end, pieceEnds[last]});
    }
    return parts;
}

// One synthesis process: parts job, job + jobs, job + 2 × jobs... of the text.
struct Worker {
    pid_t pid = -1;
    int output = -1;    // its standard output, read here
    QByteArray pending; // what it sent that is not yet used
    qsizetype used = 0;
    bool ended = false;
    bool rateRead = false;
};

bool writeAll(int descriptor, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

// Starts the worker that synthesises parts number index, index + jobs... and hands it the text.
bool start(Worker* worker, const ExportRequest& request, const std::vector<Part>& parts, int index,
           int jobs, QString* error) {
    std::vector<std::string> arguments = {"tellwick",
                                          "say",
                                          synthesisWorkerArgument,
                                          request.voice.toStdString(),
                                          std::to_string(request.readingSpeed),
                                          request.homographsByEngine ? "0" : "1"};
    for (std::size_t part = std::size_t(index); part < parts.size(); part += std::size_t(jobs)) {
        arguments.push_back(std::to_string(parts[part].start));
        arguments.push_back(std::to_string(parts[part].end));
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int input[2];
    int output[2];
    if (::pipe2(input, O_CLOEXEC) != 0)
        return *error = QStringLiteral("cannot start synthesis: %1").arg(std::strerror(errno)),
               false;
    if (::pipe2(output, O_CLOEXEC) != 0) {
        ::close(input[0]);
        ::close(input[1]);
        return *error = QStringLiteral("cannot start synthesis: %1").arg(std::strerror(errno)),
               false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    // This process ignores a closed pipe while it exports; the worker must not.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const int failure =
        posix_spawn(&worker->pid, "/proc/self/exe", &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(input[0]);
    ::close(output[1]);
    worker->output = output[0];
    // A larger pipe lets the worker run on while this process writes the file; failing that,
    // the default size only costs more switches between the two.
    ::fcntl(output[0], F_SETPIPE_SZ, 1 << 20);
    if (failure != 0) {
        ::close(input[1]);
        worker->pid = -1;
        *error = QStringLiteral("cannot start synthesis: %1").arg(std::strerror(failure));
        return false;
    }
    const bool handed = writeAll(input[1], reinterpret_cast<const char*>(request.text.utf16()),
                                 std::size_t(request.text.size()) * sizeof(char16_t));
    ::close(input[1]);
    if (!handed)
        *error = QStringLiteral("cannot hand the text to synthesis: %1").arg(std::strerror(errno));
    return handed;
}

// Runs the workers and writes their parts in order.
class Export {
public:
    Export(const ExportRequest& request, const std::function<bool()>& stopped,
           const ExportProgress& progress)
        : request_(request), stopped_(stopped), progress_(progress),
          parts_(partsOf(request.text, std::max(1, request.jobs))),
          workers_(std::size_t(
              std::clamp<qsizetype>(qsizetype(parts_.size()), 1, std::max(1, request.jobs)))) {}
    ~Export() {
        for (Worker& worker : workers_) {
            if (worker.output >= 0)
                ::close(worker.output);
            if (worker.pid > 0) {
                ::kill(worker.pid, SIGTERM);
                ::waitpid(worker.pid, nullptr, 0);
            }
        }
    }

    bool run(QString* error) {
        // The file exists from the start, so that an export cut at once still leaves one that
        // plays.
        if (!open())
            return *error = message_, false;
        for (std::size_t index = 0; index < workers_.size(); ++index) {
            if (!start(&workers_[index], request_, parts_, int(index), int(workers_.size()), error))
                return false;
        }
        while (!failed_ && !done()) {
            if (stopped_()) {
                *error = QStringLiteral("interrupted");
                return finish(error), false;
            }
            if (!receive())
                break;
            while (!failed_ && !done() && use(current())) {
            }
        }
        if (failed_ && message_.isEmpty())
            message_ = QStringLiteral("a synthesis process stopped early");
        if (!finish(error))
            return false;
        if (failed_) {
            *error = message_;
            return false;
        }
        return true;
    }

private:
    bool done() const { return part_ >= parts_.size(); }
    Worker& current() { return workers_[part_ % workers_.size()]; }

    // Waits for any worker's output and reads what came; false on failure.
    bool receive() {
        std::vector<pollfd> polled;
        std::vector<Worker*> whose;
        for (Worker& worker : workers_) {
            const bool ahead = worker.pending.size() - worker.used > mostBytesAhead;
            if (!worker.ended && (&worker == &current() || !ahead)) {
                polled.push_back({worker.output, POLLIN, 0});
                whose.push_back(&worker);
            }
        }
        if (polled.empty())
            return fail(QStringLiteral("a synthesis process stopped early"));
        const int ready = ::poll(polled.data(), nfds_t(polled.size()), 100);
        if (ready < 0 && errno != EINTR)
            return fail(QStringLiteral("cannot wait for synthesis: %1").arg(std::strerror(errno)));
        for (std::size_t index = 0; ready > 0 && index < polled.size(); ++index) {
            if (polled[index].revents == 0)
                continue;
            Worker& worker = *whose[index];
            char buffer[1 << 16];
            const ssize_t got = ::read(worker.output, buffer, sizeof buffer);
            if (got > 0)
                worker.pending.append(buffer, got);
            else if (got == 0 || errno != EINTR)
                worker.ended = true;
        }
        return true;
    }

    // Writes what the worker of the part being written has sent; true when there is more to use
    // at once (the part ended, so the next worker's may be waiting).
    bool use(Worker& worker) {
        const auto take = [&worker](void* into, qsizetype size) {
            if (worker.pending.size() - worker.used < size)
                return false;
            std::memcpy(into, worker.pending.constData() + worker.used, std::size_t(size));
            worker.used += size;
            return true;
        };
        bool partEnded = false;
        if (!worker.rateRead) {
            FrameSize rate = 0;
            if (!take(&rate, sizeof rate))
                return waitFor(worker);
            worker.rateRead = true;
            if (int(rate) != sampleRate_)
                return fail(QStringLiteral("the voice speaks at %1 Hz, not %2 Hz")
                                .arg(rate)
                                .arg(sampleRate_));
        }
        for (;;) {
            FrameSize size = 0;
            const qsizetype available = worker.pending.size() - worker.used;
            if (available < qsizetype(sizeof size))
                break;
            std::memcpy(&size, worker.pending.constData() + worker.used, sizeof size);
            if (available < qsizetype(sizeof size + size))
                break;
            worker.used += sizeof size;
            if (size == 0) {
                partEnded = true;
                break;
            }
            if (!output_->write(
                    reinterpret_cast<const short*>(worker.pending.constData() + worker.used),
                    sf_count_t(size / sizeof(short))))
                return fail({});
            worker.used += size;
        }
        if (worker.used > worker.pending.size() / 2) {
            worker.pending.remove(0, worker.used);
            worker.used = 0;
        }
        if (partEnded) {
            written_ += parts_[part_].end - parts_[part_].start;
            ++part_;
            if (progress_ && !request_.text.isEmpty())
                progress_(double(written_) / double(request_.text.size()));
            return true;
        }
        return waitFor(worker);
    }

    // A worker whose turn it is has nothing more to give: fine while it runs, a failure once it
    // ended.
    bool waitFor(const Worker& worker) {
        if (worker.ended && worker.used == worker.pending.size() && !done())
            fail(QStringLiteral("a synthesis process stopped early"));
        return false;
    }

    bool open() {
        const std::vector<VoiceDescription> voices = knownVoices();
        const VoiceDescription* voice =
            findVoice(voices, request_.voice.isEmpty() ? defaultVoiceName() : request_.voice);
        if (voice == nullptr)
            return fail(noVoiceNamed(request_.voice));
        if (!voice->unavailableBecause.isEmpty())
            return fail(voice->unavailableBecause);
        // The catalogue's rate is what each process must give.
        sampleRate_ = voice->sampleRate;
        SF_INFO info{};
        info.samplerate = sampleRate_;
        info.channels = 1;
        QString error;
        info.format = audioFileFormat(request_.path, sampleRate_, &error);
        output_.emplace();
        if (info.format == 0 || !output_->open(request_.path, &info, &error))
            return fail(error);
        return true;
    }

    bool fail(const QString& message) {
        if (!failed_ && !message.isEmpty())
            message_ = message;
        failed_ = true;
        return false;
    }

    // Closes the file; false with the message of a failed write or close.
    bool finish(QString* error) {
        if (!output_)
            return true;
        QString closeError;
        if (!output_->close(&closeError)) {
            *error = closeError;
            return false;
        }
        return true;
    }

    const ExportRequest& request_;
    const std::function<bool()>& stopped_;
    const ExportProgress& progress_;
    const std::vector<Part> parts_;
    std::vector<Worker> workers_;
    std::optional<SoundFileOutput> output_;
    int sampleRate_ = 0;
    std::size_t part_ = 0;
    qsizetype written_ = 0;
    bool failed_ = false;
    QString message_;
};

} // namespace

bool exportInParallel(const ExportRequest& request, const std::function<bool()>& stopped,
                      const ExportProgress& progress, QString* error) {
    // A worker that fails while it is handed the text must not end this process.
    const auto previousPipeAction = std::signal(SIGPIPE, SIG_IGN);
    bool written = false;
    {
        Export exporting(request, stopped, progress);
        written = exporting.run(error);
    }
    std::signal(SIGPIPE, previousPipeAction);
    return written;
}

} // namespace tellwick
