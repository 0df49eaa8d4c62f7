#pragma once

#include "speech/voice.h"

#include <memory>

namespace tellwick {

// The real voice: espeak-ng synthesis played through the default audio output. Returns null and
// sets error (naming the cause) when espeak-ng's data cannot be loaded or there is no audio output.
// Needs a QCoreApplication.
std::unique_ptr<Voice> makeSystemVoice(QString* error);

} // namespace tellwick
