#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace tellwick {

class PulseServer;

// Listens to a PulseAudio source without a break and knows when each sample it delivered was
// played: a low-latency recorder is read as its sound arrives, and every sample is timed back from
// the moment its piece arrived. Asking about sound therefore never stops the recorder, whose last
// samples would be lost.
class SoundClock {
public:
    using Clock = std::chrono::steady_clock;

    SoundClock() = default;
    ~SoundClock();
    SoundClock(const SoundClock&) = delete;
    SoundClock& operator=(const SoundClock&) = delete;

    // Records device (a sink's monitor) through parec at the given latency.
    bool start(const QString& device, int latencyMilliseconds);
    void stop();

    // When the first sound played at or after since was played; nothing while none has arrived.
    std::optional<Clock::time_point> firstSoundAfter(Clock::time_point since) const;
    // When each sound that follows a silence at least as long as silence began, from since on
    // (what plays at since counts as following a silence).
    std::vector<Clock::time_point> soundStartsAfter(Clock::time_point since,
                                                    Clock::duration silence) const;
    // Whether the source has delivered only silence for the last span of time.
    bool silentFor(Clock::duration span) const;

    static constexpr int sampleRate = 22050;

private:
    struct Piece {
        std::int64_t end; // samples delivered with this piece, counted from the start
        Clock::time_point arrival;
    };
    void listen();
    Clock::time_point playedAt(std::int64_t sample) const;
    // The first sample played at or after since, and the end of the samples whose time is settled.
    std::pair<std::int64_t, std::int64_t> settledSamplesFrom(Clock::time_point since) const;

    mutable std::mutex mutex_;
    std::vector<std::int16_t> samples_;
    std::vector<Piece> pieces_;
    int pid_ = -1;
    int pipe_ = -1;
    std::thread listener_;
};

// Starts server, and clock listening to its null sink at a low latency, for programs that time
// the sound heard; false with a message when either cannot be started.
bool listenToPrivateSink(PulseServer& server, SoundClock& clock, QString* error);

// Keep the event loop running, as a program's would, while they wait for what clock hears. The
// first gives when sound played at or after since was heard, or nothing after timeout; the second
// is false when the silence did not come within timeout.
std::optional<SoundClock::Clock::time_point> waitForSound(const SoundClock& clock,
                                                          SoundClock::Clock::time_point since,
                                                          SoundClock::Clock::duration timeout);
bool waitForSilence(const SoundClock& clock, SoundClock::Clock::duration span,
                    SoundClock::Clock::duration timeout);

// A span of time in milliseconds, for reports.
inline double inMilliseconds(SoundClock::Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// Five sentences with clear silences between them, so that each one's first sound stands out; the
// second holds a word that the voice turns into phonemes, which moves the rest of espeak-ng's input
// against the text.
inline const QString spacedSentences = QStringLiteral(
    "The first sentence is here. We resjoome the second one now. A third sentence follows it. "
    "The fourth one is short. And the fifth ends it.");
// Where each of them starts in the text.
inline constexpr qsizetype spacedSentenceStarts[] = {0, 28, 60, 89, 114};

} // namespace tellwick
