#pragma once

#include "speech/voice_catalogue.h"

#include <QString>

#include <vector>

namespace tellwick {

// How the welcome text names the voice that reads it: "a front end to <voice> that improves its
// pronunciation", "an 'educated <nickname>'".
struct VoiceWords {
    QString voice;
    QString nickname;
};

// The words for voice among voices (all that are known): its engine, and the voice's own name
// beside it only where the engine has more than one ("the flite voice (slt)"); the nickname is
// the engine's first word ("espeak" for espeak-ng). No voice described: the espeak-ng voice's.
VoiceWords voiceWords(const VoiceDescription* voice, const std::vector<VoiceDescription>& voices);

// The text the box holds at start-up, followed by a run of screenLines empty lines (CR LF each).
QString welcomeText(int screenLines, const VoiceWords& words);

} // namespace tellwick
