#pragma once

#include "platform/clipboard.h"
#include "platform/keyboard.h"
#include "platform/launcher.h"
#include "speech/voice.h"

#include <functional>
#include <memory>

namespace tellwick {

// The platform parts the window works through. The real ones are chosen once, at start-up, by
// makePlatform(); tests build a Platform from test doubles.
struct Platform {
    std::unique_ptr<Clipboard> clipboard;
    // Keys for our own window: the trainer and the Shift release at unload.
    std::unique_ptr<Keyboard> appKeyboard;
    // Keys for whatever application is in front (Read Highlighted); null where the session has no
    // synthetic system input.
    std::unique_ptr<Keyboard> systemKeyboard;
    std::unique_ptr<Launcher> launcher;
    VoiceFactory voices;
    // Readies what the first voice needs, once the window is up; may be empty.
    std::function<void()> prepareVoices;
};

// Needs a QApplication.
Platform makePlatform();

} // namespace tellwick
