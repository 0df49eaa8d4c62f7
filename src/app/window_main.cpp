#include "app/window_main.h"

#include "app/main_window.h"
#include "app/window_commands.h"
#include "platform/close_signals.h"
#include "platform/command_channel.h"
#include "platform/global_shortcuts.h"
#include "platform/process_launcher.h"
#include "platform/qt_clipboard.h"
#include "platform/x11_clipboard.h"
#include "platform/x11_display.h"
#include "speech/system_voice.h"
#include "speech/voice_catalogue.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace tellwick {

WindowServices makeWindowServices() {
    WindowServices services;
    // Elsewhere (Wayland, offscreen) Qt's own reads are the only way to the clipboard.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        services.clipboard = std::make_unique<X11Clipboard>();
    else
        services.clipboard = std::make_unique<QtClipboard>();
    services.launcher = std::make_unique<ProcessLauncher>();
    services.voices = [](const QString& voiceName, QString* error) {
        return makeSystemVoice(voiceName, error);
    };
    services.voiceCatalogue = knownVoices();
    services.prepareVoices = prepareVoice;
    services.settingsFile =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/tellwick/tellwick.conf");
    return services;
}

int runWindow(int argc, char** argv, const char* document) {
    if (const char* reason = missingDisplay()) {
        std::fprintf(stderr,
                     "tellwick: %s.\n"
                     "To hear text without the window, run: tellwick say TEXT\n",
                     reason);
        return 1;
    }
    // The running window may work in another folder.
    const QString documentPath =
        document ? QFileInfo(QString::fromLocal8Bit(document)).absoluteFilePath() : QString();
    // One window per user: starting another brings the running one to the front instead.
    const QString show =
        documentPath.isEmpty() ? QStringLiteral("show") : QStringLiteral("open ") + documentPath;
    if (QString notRunning; sendCommand(show, 5000, &notRunning))
        return 0;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellwick"));
    MainWindow window(makeWindowServices());
    CloseSignals closeSignals;
    // A signal may come while a message box runs its own loop: every loop ends with the window.
    QObject::connect(&closeSignals, &CloseSignals::arrived, &window, [&window] {
        window.close();
        QCoreApplication::quit();
    });
    CommandServer commands([&window](const QString& command, const CommandServer::Answer& answer) {
        runWindowCommand(window, command, answer);
    });
    if (QString error; !commands.listen(&error))
        std::fprintf(stderr,
                     "tellwick: %s; tellwick read-selection and pause will not reach this "
                     "window.\n",
                     qPrintable(error));
    // Read the selection and pause from any program, while the window runs; nobody waits for an
    // answer.
    const std::unique_ptr<GlobalShortcuts> shortcuts = makeGlobalShortcuts();
    if (shortcuts) {
        // The window shows whatever goes wrong; nobody waits for an answer.
        const auto run = [&window](const QString& command) {
            runWindowCommand(window, command, [](const QString&) {});
        };
        const bool grabbed = shortcuts->add(Qt::ControlModifier | Qt::AltModifier | Qt::Key_R,
                                            [run] { run(QStringLiteral("read-selection")); }) &&
                             shortcuts->add(Qt::ControlModifier | Qt::AltModifier | Qt::Key_P,
                                            [run] { run(QStringLiteral("pause")); });
        if (!grabbed)
            std::fprintf(stderr, "tellwick: another program holds Ctrl+Alt+R or Ctrl+Alt+P; "
                                 "tellwick read-selection and tellwick pause still work.\n");
    }
    window.show();
    if (!documentPath.isEmpty())
        window.openDocument(documentPath);
    return QApplication::exec();
}

} // namespace tellwick
