#pragma once

#include <QString>

#include <pulse/mainloop-api.h>

#include <functional>
#include <memory>
#include <optional>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_timing_info;

namespace tellwick {

class SpeechBuffer;

// One reading's sound, played by the sound server (PulseAudio) through a connection of its own.
// The connection's own thread takes sound from the buffer as the server asks for it, with a small
// fixed buffer on the server's side, so that the first sound is heard within a few hundredths of a
// second and a pause or skip is heard at once. A reading that starts after the server came back
// simply makes a new stream, and with it a new connection.
class SoundServerStream {
public:
    // Connects to the server. Null, with a message that says what to do, when the server cannot be
    // reached or does not answer within a few seconds.
    static std::unique_ptr<SoundServerStream> connect(QString* error);
    // Opens the stream, of 16-bit mono sound at sampleRate, that plays what source gives. False,
    // with a message, as connect.
    bool play(int sampleRate, std::shared_ptr<SpeechBuffer> source, QString* error);
    // Stops the sound at once.
    ~SoundServerStream();
    SoundServerStream(const SoundServerStream&) = delete;
    SoundServerStream& operator=(const SoundServerStream&) = delete;

    // Holds the sound where it stands, or lets it go on.
    void setPaused(bool paused);
    // Tells that sound, or the end, has arrived in the source after it gave nothing. Any thread;
    // never blocks, so it may be called with the source's lock held.
    void wake();
    // Samples heard so far: played by the server's output, not merely handed to it.
    qint64 heardSamples();
    // Why the stream stopped for good (the server went away); nothing while it works.
    std::optional<QString> failure() const;

private:
    SoundServerStream() = default;
    bool connectContext(QString* error);
    bool openStream(QString* error);
    // With the connection's lock held: waits until ready, or fails with a message when broken or
    // when the server does not answer in time.
    bool waitUntil(const std::function<bool()>& ready, const std::function<bool()>& broken,
                   QString* error);
    static bool outOfResources(QString* error);
    void fill();
    void requestTiming();
    // Samples the output has played by now, from the server's last account.
    qint64 playedSamples(const pa_timing_info& timing) const;
    void noteFailure();

    // The connection's thread calls these with its lock held.
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWritable(pa_stream* stream, std::size_t bytes, void* self);
    static void onWake(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* self);
    static void onTiming(pa_stream* stream, int success, void* self);
    static void onDeadline(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);

    int sampleRate_ = 0;
    std::shared_ptr<SpeechBuffer> source_;
    pa_threaded_mainloop* mainloop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_io_event* wakeEvent_ = nullptr;
    int wakeFd_ = -1;
    // The rest is guarded by the mainloop's lock.
    bool failed_ = false;
    bool deadlinePassed_ = false;
    bool paused_ = false;
    bool endStarted_ = false;
    bool timingRequested_ = false;
    qint64 written_ = 0;
    qint64 heard_ = 0;
};

} // namespace tellwick
