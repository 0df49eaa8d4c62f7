#include "app/commands.h"
#include "app/frm_text_to_speech.h"
#include "app/platform.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace tellwick {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Qt aborts when it finds no display; say so plainly instead, and name what works without one.
bool hasDisplay() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

} // namespace

int runWindow(int argc, char** argv) {
    if (!hasDisplay()) {
        std::fputs("tellwick: no display to open the window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set).\n"
                   "To hear text without the window, run: tellwick say TEXT\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellwick"));
    frmTextToSpeech window(makePlatform());
    window.show();
    return QApplication::exec();
}

} // namespace tellwick
