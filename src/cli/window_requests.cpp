#include "cli/commands.h"

#include "platform/command_channel.h"
#include "platform/x11_display.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cstdio>

namespace tellwick {

namespace {

constexpr int answerMs = 5000;
constexpr int windowStartMs = 15000;

int fail(const QString& message) {
    std::fprintf(stderr, "tellwick: %s\n", qPrintable(message));
    return 1;
}

// Starts a window apart from this process: it gets none of our standard streams, so that a caller
// that reads our output (out=$(tellwick read-selection)) is not held until the window closes.
std::optional<qint64> startWindow() {
    QProcess window;
    window.setProgram(QCoreApplication::applicationFilePath());
    window.setStandardInputFile(QProcess::nullDevice());
    window.setStandardOutputFile(QProcess::nullDevice());
    window.setStandardErrorFile(QProcess::nullDevice());
    qint64 id = 0;
    if (!window.startDetached(&id))
        return std::nullopt;
    return id;
}

// Whether the process lives: one that ended may wait a while as a zombie for its adopter to reap
// it.
bool isRunning(qint64 id) {
    QFile status(QStringLiteral("/proc/%1/stat").arg(id));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = status.readAll();
    const qsizetype state = line.lastIndexOf(')') + 2;
    return state >= 2 && state < line.size() && line[state] != 'Z';
}

// Sends the command, starting a window first when none runs and start is set.
std::optional<QString> send(const QString& command, bool start, QString* error) {
    bool reached = false;
    std::optional<QString> answer = sendCommand(command, answerMs, error, &reached);
    // A window that listens but did not answer would only be brought to the front by another.
    if (answer || !start || reached)
        return answer;
    // The window would only say why it cannot open, to nobody.
    if (const char* reason = missingDisplay()) {
        *error = QString::fromLatin1(reason);
        return std::nullopt;
    }
    const std::optional<qint64> window = startWindow();
    if (!window) {
        *error = QStringLiteral("could not start the Tellwick window");
        return std::nullopt;
    }
    QElapsedTimer timer;
    timer.start();
    while (!answer && timer.elapsed() < windowStartMs) {
        if (!isRunning(*window)) {
            *error = QStringLiteral("the Tellwick window it started ended at once (run tellwick "
                                    "to see why)");
            return std::nullopt;
        }
        QThread::msleep(100);
        answer = sendCommand(command, answerMs, error);
    }
    return answer;
}

int runWindowCommand(int argc, char** argv, const QString& command, bool start) {
    if (argc > 0 && (qstrcmp(argv[0], "--help") == 0 || qstrcmp(argv[0], "-h") == 0)) {
        std::printf("%s\n", start ? "Usage: tellwick read-selection\n"
                                    "Reads aloud, in the running Tellwick window, the text "
                                    "highlighted in any program (the primary selection), without "
                                    "leaving that program. Starts a window when none runs."
                                  : "Usage: tellwick pause\n"
                                    "Pauses the running Tellwick window's reading, or resumes it.");
        return 0;
    }
    if (argc > 0) {
        std::fprintf(stderr, "tellwick: %s takes no arguments\n", qPrintable(command));
        return 2;
    }
    int appArgc = 1;
    char name[] = "tellwick";
    char* appArgv[] = {name, nullptr};
    QCoreApplication application(appArgc, appArgv);
    QString error;
    const std::optional<QString> answer = send(command, start, &error);
    if (!answer)
        return fail(error);
    if (*answer == QLatin1String("empty"))
        return fail(QStringLiteral("nothing is highlighted (the primary selection is empty)"));
    if (*answer == QLatin1String("unanswered"))
        return fail(QStringLiteral("the program holding the highlighted text did not answer "
                                   "within a second; nothing was read"));
    return 0;
}

} // namespace

int runReadSelectionCommand(int argc, char** argv) {
    return runWindowCommand(argc, argv, QStringLiteral("read-selection"), true);
}

int runPauseCommand(int argc, char** argv) {
    return runWindowCommand(argc, argv, QStringLiteral("pause"), false);
}

} // namespace tellwick
