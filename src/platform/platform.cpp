#include "platform/platform.h"

#include "platform/process_launcher.h"
#include "platform/qt_clipboard.h"
#include "speech/system_voice.h"

namespace tellwick {

Platform makePlatform() {
    Platform platform;
    platform.clipboard = std::make_unique<QtClipboard>();
    platform.launcher = std::make_unique<ProcessLauncher>();
    platform.voices = [](QString* error) { return makeSystemVoice(error); };
    platform.prepareVoices = prepareSystemVoice;
    return platform;
}

} // namespace tellwick
