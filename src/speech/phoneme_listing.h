#pragma once

#include "speech/homograph_readings.h"
#include "speech/reading_speed.h"

#include <QString>

#include <optional>

namespace tellwick {

enum class PhonemeAlphabet { Mnemonics, Ipa };

// The phonemes espeak-ng says for text, from the same input the voice is given, one line per
// clause as "espeak-ng -q -x" (or --ipa) prints them. Nothing, with a message, when espeak-ng
// cannot be loaded. Runs a synthesis whose sound is dropped, so nothing else may be synthesised
// meanwhile: espeak-ng has one phoneme listing for the whole process.
std::optional<QString> phonemesOf(const QString& text, SpeakingRate rate, PhonemeAlphabet alphabet,
                                  QString* error, const HomographReadings& homographs = {});

} // namespace tellwick
