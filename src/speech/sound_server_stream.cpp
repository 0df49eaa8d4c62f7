#include "speech/sound_server_stream.h"

#include "speech/speech_buffer.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tellwick {

namespace {

// The sound the server holds for the stream: enough to ride out a busy moment of the machine, yet
// small enough that the first sound, a pause or a skip is heard within a few hundredths of a
// second. Without a latency of its own a stream gets the server's default of some 2 s (and a
// sink shared with such a stream runs late for every stream).
constexpr std::uint32_t targetMilliseconds = 30;
constexpr std::uint32_t requestMilliseconds = 10;
// How long the server may take to answer the connection and the stream before it counts as
// stopped: far longer than it ever takes, short enough that a command gives up while its user
// still waits for it.
constexpr pa_usec_t answerMicroseconds = 4 * PA_USEC_PER_SEC;

QString serverMessage(const char* cause) {
    return QStringLiteral("The sound server (PulseAudio) cannot be reached: %1. Start it (for "
                          "example with \"pulseaudio --start\"), then try again.")
        .arg(QString::fromLocal8Bit(cause));
}

const QString& noAnswerMessage() {
    static const QString message = QStringLiteral(
        "The sound server (PulseAudio) does not answer; it may be stopped. Start it again (for "
        "example with \"pulseaudio -k\" and then \"pulseaudio --start\"), then try again.");
    return message;
}

const QString& goneAwayMessage() {
    static const QString message = QStringLiteral(
        "the audio output stopped: the sound server went away (start it again, then read again)");
    return message;
}

void release(pa_operation* operation) {
    if (operation != nullptr)
        pa_operation_unref(operation);
}

} // namespace

std::unique_ptr<SoundServerStream> SoundServerStream::connect(QString* error) {
    std::unique_ptr<SoundServerStream> stream(new SoundServerStream);
    if (!stream->connectContext(error))
        return nullptr;
    return stream;
}

bool SoundServerStream::connectContext(QString* error) {
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    mainloop_ = pa_threaded_mainloop_new();
    if (wakeFd_ < 0 || mainloop_ == nullptr)
        return outOfResources(error);
    context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "Tellwick");
    if (context_ == nullptr)
        return outOfResources(error);
    pa_context_set_state_callback(context_, onContextState, this);
    // A server that is not running is not started behind the user's back: the message says how.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        *error = serverMessage(pa_strerror(pa_context_errno(context_)));
        return false;
    }
    pa_threaded_mainloop_lock(mainloop_);
    if (pa_threaded_mainloop_start(mainloop_) < 0) {
        pa_threaded_mainloop_unlock(mainloop_);
        return outOfResources(error);
    }
    const bool connected =
        waitUntil([this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; },
                  [this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)); }, error);
    pa_threaded_mainloop_unlock(mainloop_);
    return connected;
}

bool SoundServerStream::play(int sampleRate, std::shared_ptr<SpeechBuffer> source, QString* error) {
    sampleRate_ = sampleRate;
    source_ = std::move(source);
    pa_threaded_mainloop_lock(mainloop_);
    const bool playing = openStream(error);
    if (playing) {
        pa_mainloop_api* api = pa_threaded_mainloop_get_api(mainloop_);
        wakeEvent_ = api->io_new(api, wakeFd_, PA_IO_EVENT_INPUT, onWake, this);
    }
    pa_threaded_mainloop_unlock(mainloop_);
    return playing;
}

bool SoundServerStream::openStream(QString* error) {
    const pa_sample_spec format{PA_SAMPLE_S16LE, std::uint32_t(sampleRate_), 1};
    stream_ = pa_stream_new(context_, "Reading", &format, nullptr);
    if (stream_ == nullptr) {
        *error = serverMessage(pa_strerror(pa_context_errno(context_)));
        return false;
    }
    pa_stream_set_state_callback(stream_, onStreamState, this);
    pa_stream_set_write_callback(stream_, onWritable, this);
    const std::uint32_t bytesPerMillisecond = std::uint32_t(sampleRate_) * 2 / 1000;
    pa_buffer_attr buffer;
    buffer.maxlength = std::uint32_t(-1);
    buffer.tlength = targetMilliseconds * bytesPerMillisecond;
    // Playback starts as soon as a request's worth is there; the end of a reading, shorter than
    // that, is started by hand.
    buffer.prebuf = requestMilliseconds * bytesPerMillisecond;
    buffer.minreq = requestMilliseconds * bytesPerMillisecond;
    buffer.fragsize = std::uint32_t(-1);
    const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
        *error = serverMessage(pa_strerror(pa_context_errno(context_)));
        return false;
    }
    return waitUntil([this] { return pa_stream_get_state(stream_) == PA_STREAM_READY; },
                     [this] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)); }, error);
}

bool SoundServerStream::waitUntil(const std::function<bool()>& ready,
                                  const std::function<bool()>& broken, QString* error) {
    deadlinePassed_ = false;
    pa_time_event* deadline =
        pa_context_rttime_new(context_, pa_rtclock_now() + answerMicroseconds, onDeadline, this);
    bool done = false;
    for (;;) {
        if (ready()) {
            done = true;
            break;
        }
        if (broken()) {
            *error = serverMessage(pa_strerror(pa_context_errno(context_)));
            break;
        }
        if (deadlinePassed_) {
            *error = noAnswerMessage();
            break;
        }
        // The connection's thread wakes this one on every change of state and at the deadline.
        pa_threaded_mainloop_wait(mainloop_);
    }
    if (deadline != nullptr)
        pa_threaded_mainloop_get_api(mainloop_)->time_free(deadline);
    return done;
}

bool SoundServerStream::outOfResources(QString* error) {
    *error = QStringLiteral("out of resources for the sound output");
    return false;
}

SoundServerStream::~SoundServerStream() {
    if (mainloop_ != nullptr) {
        pa_threaded_mainloop_lock(mainloop_);
        pa_mainloop_api* api = pa_threaded_mainloop_get_api(mainloop_);
        if (wakeEvent_ != nullptr)
            api->io_free(wakeEvent_);
        if (stream_ != nullptr) {
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            // The server drops what it still holds of the stream: the sound stops at once.
            if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)))
                pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
        }
        if (context_ != nullptr) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_threaded_mainloop_unlock(mainloop_);
        pa_threaded_mainloop_stop(mainloop_);
        pa_threaded_mainloop_free(mainloop_);
    }
    if (wakeFd_ >= 0)
        close(wakeFd_);
}

void SoundServerStream::setPaused(bool paused) {
    pa_threaded_mainloop_lock(mainloop_);
    paused_ = paused;
    if (!failed_)
        release(pa_stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr));
    pa_threaded_mainloop_unlock(mainloop_);
}

void SoundServerStream::wake() {
    const std::uint64_t one = 1;
    // A full counter already wakes the connection's thread; nothing is lost when this fails.
    (void)!write(wakeFd_, &one, sizeof one);
}

qint64 SoundServerStream::heardSamples() {
    pa_threaded_mainloop_lock(mainloop_);
    const pa_timing_info* timing = failed_ ? nullptr : pa_stream_get_timing_info(stream_);
    if (timing != nullptr && !timing->read_index_corrupt) {
        // No more can be heard than was given, and a server that stopped answering gives no more
        // accounts.
        heard_ = std::max(heard_, std::min(written_, playedSamples(*timing)));
    }
    // Asked also before the server's first account has come.
    if (!failed_)
        requestTiming();
    const qint64 heard = heard_;
    pa_threaded_mainloop_unlock(mainloop_);
    return heard;
}

qint64 SoundServerStream::playedSamples(const pa_timing_info& timing) const {
    // What the output has taken of the stream, less what it still holds ahead of what it plays,
    // which it has been playing out since the server's account. The library's own clock for the
    // stream is not used: when the output starts late (an idle null sink first plays out the
    // silence it had prepared), it jumps ahead by that delay and would count sound as heard as
    // soon as it is written.
    const qint64 taken =
        std::max<std::int64_t>(0, timing.read_index) / qint64(sizeof(std::int16_t));
    const pa_usec_t elapsed = paused_ ? 0 : pa_timeval_age(&timing.timestamp);
    const pa_usec_t held = timing.sink_usec > elapsed ? timing.sink_usec - elapsed : 0;
    return std::max<qint64>(0, taken - (qint64(held) * sampleRate_ + 500000) / 1000000);
}

std::optional<QString> SoundServerStream::failure() const {
    pa_threaded_mainloop_lock(mainloop_);
    const bool failed = failed_;
    pa_threaded_mainloop_unlock(mainloop_);
    return failed ? std::optional<QString>(goneAwayMessage()) : std::nullopt;
}

void SoundServerStream::requestTiming() {
    // The stream's clock is corrected by the server's own account every time it is read, so that
    // a sentence is reported heard within a poll of its first sound.
    if (timingRequested_)
        return;
    pa_operation* update = pa_stream_update_timing_info(stream_, onTiming, this);
    timingRequested_ = update != nullptr;
    release(update);
}

void SoundServerStream::fill() {
    if (failed_ || stream_ == nullptr || pa_stream_get_state(stream_) != PA_STREAM_READY)
        return;
    for (;;) {
        std::size_t writable = pa_stream_writable_size(stream_);
        if (writable == 0 || writable == std::size_t(-1))
            break;
        void* data = nullptr;
        if (pa_stream_begin_write(stream_, &data, &writable) < 0 || data == nullptr)
            break;
        const qint64 given = source_->read(static_cast<char*>(data), qint64(writable));
        if (given <= 0) {
            pa_stream_cancel_write(stream_);
            break;
        }
        pa_stream_write(stream_, data, std::size_t(given), nullptr, 0, PA_SEEK_RELATIVE);
        written_ += given / qint64(sizeof(std::int16_t));
        endStarted_ = false;
    }
    if (!endStarted_ && source_->finished()) {
        // Less than the start threshold may be left at the end; it is played without waiting.
        release(pa_stream_trigger(stream_, nullptr, nullptr));
        endStarted_ = true;
    }
}

void SoundServerStream::noteFailure() {
    failed_ = true;
    pa_threaded_mainloop_signal(mainloop_, 0);
}

void SoundServerStream::onContextState(pa_context* context, void* self) {
    auto* stream = static_cast<SoundServerStream*>(self);
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
        stream->noteFailure();
    else
        pa_threaded_mainloop_signal(stream->mainloop_, 0);
}

void SoundServerStream::onStreamState(pa_stream* stream, void* self) {
    auto* output = static_cast<SoundServerStream*>(self);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        output->noteFailure();
    else
        pa_threaded_mainloop_signal(output->mainloop_, 0);
}

void SoundServerStream::onWritable(pa_stream*, std::size_t, void* self) {
    static_cast<SoundServerStream*>(self)->fill();
}

void SoundServerStream::onWake(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t,
                               void* self) {
    std::uint64_t count = 0;
    (void)!read(fd, &count, sizeof count);
    static_cast<SoundServerStream*>(self)->fill();
}

void SoundServerStream::onTiming(pa_stream*, int, void* self) {
    static_cast<SoundServerStream*>(self)->timingRequested_ = false;
}

void SoundServerStream::onDeadline(pa_mainloop_api*, pa_time_event*, const struct timeval*,
                                   void* self) {
    auto* stream = static_cast<SoundServerStream*>(self);
    stream->deadlinePassed_ = true;
    pa_threaded_mainloop_signal(stream->mainloop_, 0);
}

} // namespace tellwick
