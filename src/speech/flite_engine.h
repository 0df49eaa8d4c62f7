#pragma once

#include "speech/voice_catalogue.h"
#include "speech/voice_engine.h"

#include <memory>
#include <vector>

namespace tellwick {

// flite's US English voices (slt, rms, awb, kal16), each a library of its own that is loaded
// when the voice is first used: a missing one makes its voice unavailable, not the program.
std::vector<VoiceDescription> fliteVoices();

// Starts the flite voice named, for the calling thread to drive. Null, with a message, when its
// library cannot be loaded.
std::unique_ptr<VoiceEngine> startFliteVoice(const QString& name, QString* error);

} // namespace tellwick
