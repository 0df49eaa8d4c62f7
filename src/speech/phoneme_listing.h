#pragma once

#include "speech/homograph_readings.h"

#include <QString>

#include <optional>

namespace tellwick {

enum class PhonemeAlphabet { Mnemonics, Ipa };

// The phonemes the voice named (empty for the default voice) says for text, from the same input it
// is given to speak, one line per clause, in the voice's own phone set (see
// VoiceEngine::listPhonemes): for espeak-ng as "espeak-ng -q -x" (or --ipa) prints them. Nothing,
// with a message, when the voice cannot be loaded. A synthesis whose sound is dropped runs on the
// voice's worker, in turn with its other jobs; waits for it to end.
std::optional<QString> phonemesOf(const QString& text, int readingSpeed, PhonemeAlphabet alphabet,
                                  QString* error, const HomographReadings& homographs = {},
                                  const QString& voiceName = QString());

} // namespace tellwick
