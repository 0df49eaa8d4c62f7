#pragma once

#include "platform/clipboard.h"
#include "platform/launcher.h"
#include "speech/voice.h"
#include "speech/voice_catalogue.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace tellwick {

// The services the window works through. The real ones are chosen once, where the program is
// assembled (makeWindowServices); tests build them from test doubles.
struct WindowServices {
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<Launcher> launcher;
    NamedVoiceFactory voices;
    // The voices the user may choose among, the default first; none: the default one only.
    std::vector<VoiceDescription> voiceCatalogue;
    // Readies what the voice named needs, once the window is up; may be empty.
    std::function<void(const QString& voiceName)> prepareVoices;
    // The file the window remembers the user's settings in, read at the start and written at the
    // end; empty: nothing is remembered (the tests' windows).
    QString settingsFile;
};

} // namespace tellwick
