// The window's memory while it reads a box of 10 MB aloud, with each voice that can speak here:
// the text put into the box, then Read, heard for a few seconds on a private sound server. Each
// voice reads in a process of its own, so that each peak is that voice's alone. Prints one line
// per voice: its name, then the resident memory in megabytes at the start, with the text in the
// box, at the highest while reading, and at the end.
//
//   voice_memory [SECONDS]
#include "app/main_window.h"
#include "app/window_main.h"
#include "speech/system_voice.h"
#include "support/process_memory.h"
#include "support/pulse_server.h"
#include "support/voices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace {

using namespace tellwick;

constexpr qsizetype textLength = 10 * 1024 * 1024;
constexpr const char* voiceOption = "--voice";

// Ordinary prose, as the window's big-text test pastes it.
QString bigText() {
    const QString line =
        QStringLiteral("The river ran quietly under the old bridge, and nobody in the village "
                       "thought it strange.\n");
    return line.repeated(textLength / line.size() + 1).left(textLength);
}

void runEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

int readWithVoice(int argc, char** argv, const QString& voiceName, int seconds) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    WindowServices services = makeWindowServices();
    services.settingsFile.clear();
    services.prepareVoices = nullptr;
    services.voices = [voiceName](const QString&, QString* error) {
        return makeSystemVoice(voiceName, error);
    };
    MainWindow window(std::move(services));
    window.show();
    runEventsFor(500);
    const qint64 atStart = memoryMegabytes("VmRSS:");
    window.setInputText(bigText());
    const auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtInput"));
    QElapsedTimer filling;
    filling.start();
    while (box->document()->characterCount() < textLength && filling.elapsed() < 60000)
        runEventsFor(50);
    runEventsFor(500);
    const qint64 filled = memoryMegabytes("VmRSS:");
    resetPeakMemory();
    window.onReadClicked();
    runEventsFor(seconds * 1000);
    std::printf("%s %lld %lld %lld %lld\n", qPrintable(voiceName), atStart, filled,
                memoryMegabytes("VmHWM:"), memoryMegabytes("VmRSS:"));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && qstrcmp(argv[1], voiceOption) == 0)
        return readWithVoice(argc, argv, QString::fromLocal8Bit(argv[2]),
                             argc >= 4 ? std::atoi(argv[3]) : 5);
    const int seconds = argc >= 2 ? std::atoi(argv[1]) : 5;
    QCoreApplication application(argc, argv);
    PulseServer server;
    if (QString error; !server.start(&error)) {
        std::fprintf(stderr, "voice_memory: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("voice start filled peak end (MB, a %lld MB text, %d s read)\n",
                textLength / (1024 * 1024), seconds);
    for (const QString& voice : availableVoiceNames()) {
        QProcess reader;
        reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        reader.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(voiceOption), voice, QString::number(seconds)});
        if (!reader.waitForFinished(120000) || reader.exitCode() != 0) {
            std::printf("%s failed\n", qPrintable(voice));
            continue;
        }
        std::fputs(reader.readAllStandardOutput().constData(), stdout);
        std::fflush(stdout);
    }
    return 0;
}
