#include "support/sound_clock.h"

#include "support/pulse_server.h"

#include <QCoreApplication>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tellwick {

namespace {

// A null sink plays exact zeros; speech starts well above this.
constexpr int soundLevel = 64;
// A piece is timed by its arrival less the length of what it and the pieces before it brought;
// the earliest of the estimates from the next few pieces is the one least delayed on its way.
constexpr std::size_t estimatePieces = 8;

std::chrono::nanoseconds samplesDuration(std::int64_t samples) {
    return std::chrono::nanoseconds(samples * 1'000'000'000 / SoundClock::sampleRate);
}

} // namespace

SoundClock::~SoundClock() {
    stop();
}

bool SoundClock::start(const QString& device, int latencyMilliseconds) {
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    QByteArray deviceArg = "--device=" + device.toLocal8Bit();
    QByteArray rateArg = "--rate=" + QByteArray::number(sampleRate);
    QByteArray latencyArg = "--latency-msec=" + QByteArray::number(latencyMilliseconds);
    char* argv[] = {const_cast<char*>("parec"),
                    deviceArg.data(),
                    const_cast<char*>("--format=s16le"),
                    rateArg.data(),
                    const_cast<char*>("--channels=1"),
                    const_cast<char*>("--raw"),
                    latencyArg.data(),
                    nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, "parec", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (failed != 0) {
        close(fds[0]);
        return false;
    }
    pid_ = pid;
    pipe_ = fds[0];
    listener_ = std::thread([this] { listen(); });
    return true;
}

void SoundClock::stop() {
    if (pid_ < 0)
        return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    listener_.join();
    close(pipe_);
    pid_ = pipe_ = -1;
}

void SoundClock::listen() {
    std::vector<char> bytes(8192);
    std::size_t carried = 0; // an odd byte left from the last read
    for (;;) {
        const ssize_t got = read(pipe_, bytes.data() + carried, bytes.size() - carried);
        const Clock::time_point arrival = Clock::now();
        if (got <= 0)
            return;
        const std::size_t total = carried + std::size_t(got);
        const std::size_t whole = total / 2;
        std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < whole; ++i)
            samples_.push_back(std::int16_t(
                std::uint16_t(std::uint8_t(bytes[2 * i]) | (std::uint8_t(bytes[2 * i + 1]) << 8))));
        pieces_.push_back({std::int64_t(samples_.size()), arrival});
        carried = total % 2;
        if (carried)
            bytes[0] = bytes[total - 1];
    }
}

SoundClock::Clock::time_point SoundClock::playedAt(std::int64_t sample) const {
    const auto first = std::upper_bound(pieces_.begin(), pieces_.end(), sample,
                                        [](std::int64_t s, const Piece& p) { return s < p.end; });
    Clock::time_point best = Clock::time_point::max();
    for (auto piece = first;
         piece != pieces_.end() && piece - first < std::ptrdiff_t(estimatePieces); ++piece)
        best = std::min(best, piece->arrival - samplesDuration(piece->end - sample));
    return best;
}

std::pair<std::int64_t, std::int64_t>
SoundClock::settledSamplesFrom(Clock::time_point since) const {
    // Only samples whose time is settled, that is with the estimating pieces after them arrived.
    if (pieces_.size() <= estimatePieces)
        return {0, 0};
    const std::int64_t settled = pieces_[pieces_.size() - estimatePieces].end;
    std::int64_t low = 0;
    std::int64_t high = settled;
    while (low < high) {
        const std::int64_t middle = (low + high) / 2;
        if (playedAt(middle) < since)
            low = middle + 1;
        else
            high = middle;
    }
    return {low, settled};
}

std::optional<SoundClock::Clock::time_point>
SoundClock::firstSoundAfter(Clock::time_point since) const {
    std::lock_guard lock(mutex_);
    const auto [from, settled] = settledSamplesFrom(since);
    for (std::int64_t i = from; i < settled; ++i) {
        if (std::abs(samples_[std::size_t(i)]) >= soundLevel)
            return playedAt(i);
    }
    return std::nullopt;
}

std::vector<SoundClock::Clock::time_point>
SoundClock::soundStartsAfter(Clock::time_point since, Clock::duration silence) const {
    const std::int64_t silentSamples =
        std::chrono::duration_cast<std::chrono::nanoseconds>(silence).count() * sampleRate /
        1'000'000'000;
    std::lock_guard lock(mutex_);
    const auto [from, settled] = settledSamplesFrom(since);
    std::vector<Clock::time_point> starts;
    std::int64_t quiet = silentSamples;
    for (std::int64_t i = from; i < settled; ++i) {
        if (std::abs(samples_[std::size_t(i)]) < soundLevel) {
            ++quiet;
            continue;
        }
        if (quiet >= silentSamples)
            starts.push_back(playedAt(i));
        quiet = 0;
    }
    return starts;
}

bool SoundClock::silentFor(Clock::duration span) const {
    const std::int64_t count = std::chrono::duration_cast<std::chrono::nanoseconds>(span).count() *
                               sampleRate / 1'000'000'000;
    std::lock_guard lock(mutex_);
    // A source that has stopped delivering says nothing about the sound.
    if (pieces_.empty() || Clock::now() - pieces_.back().arrival > span / 2 ||
        std::int64_t(samples_.size()) < count)
        return false;
    return std::none_of(samples_.end() - count, samples_.end(),
                        [](std::int16_t s) { return std::abs(s) >= soundLevel; });
}

bool listenToPrivateSink(PulseServer& server, SoundClock& clock, QString* error) {
    if (!server.start(error))
        return false;
    if (!clock.start(PulseServer::monitorName(), 20)) {
        *error = QStringLiteral("parec could not be started");
        return false;
    }
    return true;
}

std::optional<SoundClock::Clock::time_point> waitForSound(const SoundClock& clock,
                                                          SoundClock::Clock::time_point since,
                                                          SoundClock::Clock::duration timeout) {
    const SoundClock::Clock::time_point deadline = SoundClock::Clock::now() + timeout;
    while (SoundClock::Clock::now() < deadline) {
        if (const std::optional<SoundClock::Clock::time_point> heard = clock.firstSoundAfter(since))
            return heard;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return std::nullopt;
}

bool waitForSilence(const SoundClock& clock, SoundClock::Clock::duration span,
                    SoundClock::Clock::duration timeout) {
    const SoundClock::Clock::time_point deadline = SoundClock::Clock::now() + timeout;
    while (!clock.silentFor(span)) {
        if (SoundClock::Clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

} // namespace tellwick
