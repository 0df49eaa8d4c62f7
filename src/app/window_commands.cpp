#include "app/window_commands.h"

#include "app/main_window.h"
#include "app/top_level_handler.h"

#include <cstdio>
#include <utility>

namespace tellwick {

void runWindowCommand(MainWindow& window, const QString& command, CommandAnswer answer) {
    if (command == QLatin1String("read-selection")) {
        window.readSelection([answer = std::move(answer)](bool read) {
            answer(read ? QStringLiteral("read") : QStringLiteral("empty"));
        });
        return;
    }
    if (command == QLatin1String("pause")) {
        runHandler(&window, [&] { window.onPauseClicked(); });
        answer(QStringLiteral("ok"));
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
