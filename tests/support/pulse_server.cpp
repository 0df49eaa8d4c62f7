#include "support/pulse_server.h"

#include <QDir>
#include <QStandardPaths>
#include <QThread>

#include <csignal>

namespace tellwick {

namespace {

constexpr const char* sinkName = "tellwick_null";

} // namespace

PulseServer::~PulseServer() {
    stopRecording();
    stop();
}

void PulseServer::stop() {
    if (silence_) {
        silence_->kill();
        silence_->waitForFinished(5000);
        silence_.reset();
    }
    if (!daemon_)
        return;
    setAnswering(true);
    daemon_->terminate();
    if (!daemon_->waitForFinished(5000))
        daemon_->kill();
    daemon_->waitForFinished(5000);
    daemon_.reset();
}

void PulseServer::setAnswering(bool answering) {
    if (daemon_ && daemon_->processId() > 0)
        ::kill(pid_t(daemon_->processId()), answering ? SIGCONT : SIGSTOP);
}

QString PulseServer::address() const {
    return QStringLiteral("unix:") + folder_.filePath(QStringLiteral("runtime/pulse/native"));
}

bool PulseServer::runTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    return tool.waitForFinished(5000) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

bool PulseServer::start(QString* error) {
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        *error =
            QStringLiteral("pulseaudio and parec are needed (scripts/bootstrap installs them)");
        return false;
    }
    const QString home = folder_.filePath(QStringLiteral("home"));
    const QString runtime = folder_.filePath(QStringLiteral("runtime"));
    QDir().mkpath(home);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    qunsetenv("PULSE_SERVER");

    daemon_ = std::make_unique<QProcess>();
    daemon_->setProcessChannelMode(QProcess::MergedChannels);
    daemon_->setStandardOutputFile(folder_.filePath(QStringLiteral("pulseaudio.log")));
    daemon_->start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("--daemonize=no"), QStringLiteral("-n"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                    QStringLiteral("-L"), QStringLiteral("module-native-protocol-unix"),
                    QStringLiteral("-L"),
                    QStringLiteral("module-null-sink sink_name=%1").arg(QLatin1String(sinkName))});
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (daemon_->state() == QProcess::NotRunning)
            break;
        if (runTool(QStringLiteral("pactl"), {QStringLiteral("info")}))
            return true;
        QThread::msleep(100);
    }
    QFile log(folder_.filePath(QStringLiteral("pulseaudio.log")));
    log.open(QIODevice::ReadOnly);
    *error = QStringLiteral("pulseaudio did not start: ") + QString::fromLocal8Bit(log.readAll());
    return false;
}

QString PulseServer::monitorName() {
    return QStringLiteral("%1.monitor").arg(QLatin1String(sinkName));
}

bool PulseServer::keepSinkAwake() {
    silence_ = std::make_unique<QProcess>();
    silence_->start(
        QStringLiteral("pacat"),
        {QStringLiteral("--playback"), QStringLiteral("--device=%1").arg(QLatin1String(sinkName)),
         QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(recordingRate),
         QStringLiteral("--channels=1"), QStringLiteral("--raw"), QStringLiteral("/dev/zero")});
    return silence_->waitForStarted(5000);
}

bool PulseServer::startRecording() {
    recorder_ = std::make_unique<QProcess>();
    recorder_->setStandardOutputFile(folder_.filePath(QStringLiteral("recording.raw")));
    recorder_->start(QStringLiteral("parec"),
                     {QStringLiteral("--device=") + monitorName(), QStringLiteral("--format=s16le"),
                      QStringLiteral("--rate=%1").arg(recordingRate),
                      QStringLiteral("--channels=1"), QStringLiteral("--raw")});
    return recorder_->waitForStarted(5000);
}

RecordedSound PulseServer::stopRecording() {
    if (!recorder_)
        return {};
    recorder_->terminate();
    if (!recorder_->waitForFinished(5000))
        recorder_->kill();
    recorder_->waitForFinished(5000);
    recorder_.reset();
    return readRawSound(folder_.filePath(QStringLiteral("recording.raw")), recordingRate);
}

} // namespace tellwick
