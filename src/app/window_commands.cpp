#include "app/window_commands.h"

#include "app/main_window.h"
#include "app/top_level_handler.h"

#include <cstdio>
#include <utility>

namespace tellwick {

namespace {

QString answerTo(SelectionReading reading) {
    switch (reading) {
    case SelectionReading::Started:
        return QStringLiteral("read");
    case SelectionReading::NothingHighlighted:
        return QStringLiteral("empty");
    case SelectionReading::HolderSilent:
        break;
    }
    return QStringLiteral("unanswered");
}

} // namespace

void runWindowCommand(MainWindow& window, const QString& command,
                      const std::function<void(const QString& answer)>& answer) {
    if (command == QLatin1String("read-selection")) {
        window.readSelection([answer](SelectionReading reading) { answer(answerTo(reading)); });
        return;
    }
    if (command == QLatin1String("pause")) {
        // Answered first: a failure of the voice is shown in a message box, which waits for the
        // user.
        answer(QStringLiteral("ok"));
        runHandler(&window, [&] { window.onPauseClicked(); });
        return;
    }
    const QLatin1String open("open ");
    if (command == QLatin1String("show") || command.startsWith(open)) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
        if (command.startsWith(open))
            window.openDocument(command.mid(open.size()));
        answer(QStringLiteral("ok"));
        return;
    }
    static bool told = false;
    if (!std::exchange(told, true))
        std::fprintf(stderr, "tellwick: ignored a command it does not know on its socket\n");
    answer(QStringLiteral("unknown"));
}

} // namespace tellwick
