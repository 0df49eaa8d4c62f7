#pragma once

#include "support/recorded_sound.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace tellwick {

// A private PulseAudio daemon whose only output is a null sink, for tests that play real sound.
// HOME and XDG_RUNTIME_DIR of this process point into a temporary folder, so that programs
// started from here, and Qt (which looks for PulseAudio once, at start-up), find this daemon.
class PulseServer {
public:
    PulseServer() = default;
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // False, with a message, when the daemon cannot be started.
    bool start(QString* error);
    // Where programs find this daemon, for those started with an environment of their own
    // (PULSE_SERVER).
    QString address() const;
    // Ends the daemon, as when the sound server goes away under a running program.
    void stop();
    // Stops the daemon where it stands (SIGSTOP) or lets it go on (SIGCONT), as a server that
    // hangs.
    void setAnswering(bool answering);
    // Records what the null sink plays, from now until stopRecording().
    bool startRecording();
    RecordedSound stopRecording();
    // Plays silence to the null sink until stop(). An idle null sink sleeps: its monitor then
    // delivers nothing, and the first sound after it wakes arrives a second or two late. For tests
    // that ask how much is heard, never how soon: the stream of silence lowers the sink's latency
    // for every stream and would hide a slow one.
    bool keepSinkAwake();
    // The source that hears what the null sink plays.
    static QString monitorName();

    static constexpr int recordingRate = 22050;

private:
    bool runTool(const QString& program, const QStringList& arguments);

    QTemporaryDir folder_;
    std::unique_ptr<QProcess> daemon_;
    std::unique_ptr<QProcess> recorder_;
    std::unique_ptr<QProcess> silence_;
};

} // namespace tellwick
