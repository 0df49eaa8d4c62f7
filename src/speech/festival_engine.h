#pragma once

#include "speech/voice_catalogue.h"
#include "speech/voice_engine.h"

#include <QString>

#include <memory>
#include <vector>

namespace tellwick {

// festival's voices: the HTS voice cmu_us_slt_arctic_hts ("festival-slt-hts"), unavailable, with
// the reason, when festival's data or the voice's is missing.
std::vector<VoiceDescription> festivalVoices();

// Starts the voice named on the calling thread, which must make every later call to it. festival
// keeps its state in globals and is set up once per process, so only that thread ever drives it:
// null, with error set, from another thread, and for a voice that cannot speak here.
std::unique_ptr<VoiceEngine> startFestivalVoice(const QString& name, QString* error);

} // namespace tellwick
