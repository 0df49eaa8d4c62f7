#pragma once

#include "platform/clipboard.h"
#include "platform/launcher.h"
#include "speech/voice.h"

#include <functional>
#include <memory>

namespace tellwick {

// The platform parts the window works through. The real ones are chosen once, at start-up, by
// makePlatform(); tests build a Platform from test doubles.
struct Platform {
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<Launcher> launcher;
    VoiceFactory voices;
    // Readies what the first voice needs, once the window is up; may be empty.
    std::function<void()> prepareVoices;
};

// Needs a QApplication.
Platform makePlatform();

} // namespace tellwick
