#include "platform/platform.h"

#include "platform/app_keyboard.h"
#include "platform/process_launcher.h"
#include "platform/qt_clipboard.h"
#include "platform/xtest_keyboard.h"
#include "speech/system_voice.h"

#include <QGuiApplication>

namespace tellwick {

namespace {

// Only an X11 session lets a program press keys for other applications; Wayland and the
// offscreen platform do not, and Read Highlighted then falls back to the primary selection.
std::unique_ptr<Keyboard> makeSystemKeyboard() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    return XTestKeyboard::open();
}

} // namespace

Platform makePlatform() {
    Platform platform;
    platform.clipboard = std::make_unique<QtClipboard>();
    platform.appKeyboard = std::make_unique<AppKeyboard>();
    platform.systemKeyboard = makeSystemKeyboard();
    platform.launcher = std::make_unique<ProcessLauncher>();
    platform.voices = [](QString* error) { return makeSystemVoice(error); };
    platform.prepareVoices = prepareSystemVoice;
    return platform;
}

} // namespace tellwick
