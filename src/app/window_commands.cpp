#include "app/window_commands.h"

#include "app/main_window.h"
#include "app/top_level_handler.h"

#include <cstdio>
#include <utility>

namespace tellwick {

QString runWindowCommand(MainWindow& window, const QString& command) {
    if (command == QLatin1String("read-selection"))
        return window.readSelection() ? QStringLiteral("read") : QStringLiteral("empty");
    if (command == QLatin1String("pause")) {
        runHandler(&window, [&] { window.onPauseClicked(); });
        return QStringLiteral("ok");
    }
    const QLatin1String open("open ");
    if (command == QLatin1String("show") || command.startsWith(open)) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
        if (command.startsWith(open))
            window.openDocument(command.mid(open.size()));
        return QStringLiteral("ok");
    }
    static bool told = false;
    if (!std::exchange(told, true))
        std::fprintf(stderr, "tellwick: ignored a command it does not know on its socket\n");
    return QStringLiteral("unknown");
}

} // namespace tellwick
