#pragma once

#include "speech/voice_catalogue.h"
#include "speech/voice_engine.h"

#include <memory>
#include <vector>

namespace tellwick {

// espeak-ng's voices: its English voice.
std::vector<VoiceDescription> espeakVoices();

// Starts espeak-ng for the voice named. espeak-ng keeps global state that cannot be set up twice
// (terminating and initialising it again deadlocks), so the library is initialised once for the
// process and one engine at a time may drive it. Null, with a message naming the cause, when
// espeak-ng cannot load its data.
std::unique_ptr<VoiceEngine> startEspeakVoice(const QString& name, QString* error);

// The reading speed as espeak-ng's rate: each step of 1 multiplies the rate by the tenth root of
// 3 around 175 words a minute, clamped to the range in which espeak-ng still speaks correctly (it
// accepts any rate, and far outside that range gives silence or noise).
int wordsPerMinute(int readingSpeed);

// espeak-ng speaks no slower than 80 words a minute, which the lowest speeds ask for. Those
// speeds lengthen the pauses between words instead, so that the speech as a whole takes about as
// long as the asked rate would. The result is espeak-ng's word gap (units of 10 ms at its normal
// rate); 0 for every speed that the voice reaches by itself.
int wordGap(int readingSpeed);

} // namespace tellwick
