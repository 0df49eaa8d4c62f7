#pragma once

#include "speech/homograph_readings.h"
#include "speech/reading_speed.h"

#include <QString>

#include <optional>

namespace tellwick {

enum class PhonemeAlphabet { Mnemonics, Ipa };

// The phonemes espeak-ng says for text, from the same input the voice is given, one line per
// clause as "espeak-ng -q -x" (or --ipa) prints them. Nothing, with a message, when espeak-ng
// cannot be loaded. A synthesis whose sound is dropped runs on the engine's worker, in turn with
// the voices' jobs; waits for it to end.
std::optional<QString> phonemesOf(const QString& text, SpeakingRate rate, PhonemeAlphabet alphabet,
                                  QString* error, const HomographReadings& homographs = {});

} // namespace tellwick
