#include "cli/commands.h"

#include "platform/command_channel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

// Sends the command, starting a window first when none runs and start is set.
std::optional<QString> send(const QString& command, bool start, QString* error) {
    std::optional<QString> answer = sendCommand(command, answerMs, error);
    if (answer || !start)
        return answer;
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {})) {
        *error = QStringLiteral("could not start the Tellwick window");
        return std::nullopt;
    }
    QElapsedTimer timer;
    timer.start();
    while (!answer && timer.elapsed() < windowStartMs) {
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
