#pragma once

#include "platform/clipboard.h"
#include "platform/launcher.h"
#include "speech/voice.h"

#include <QString>

#include <functional>
#include <memory>

namespace tellwick {

// The services the window works through. The real ones are chosen once, where the program is
// assembled (makeWindowServices); tests build them from test doubles.
struct WindowServices {
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<Launcher> launcher;
    VoiceFactory voices;
    // Readies what the first voice needs, once the window is up; may be empty.
    std::function<void()> prepareVoices;
    // The file the window remembers the user's settings in, read at the start and written at the
    // end; empty: nothing is remembered (the tests' windows).
    QString settingsFile;
};

} // namespace tellwick
