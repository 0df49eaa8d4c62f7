#pragma once

#include "speech/voice_catalogue.h"
#include "speech/voice_engine.h"

#include <memory>
#include <vector>

namespace tellwick {

// flite's US English voices (slt, rms, awb, kal16), linked into the program.
std::vector<VoiceDescription> fliteVoices();

// Starts the flite voice named, for the calling thread to drive. Null, with a message, when there
// is no such voice or flite cannot make it.
std::unique_ptr<VoiceEngine> startFliteVoice(const QString& name, QString* error);

} // namespace tellwick
