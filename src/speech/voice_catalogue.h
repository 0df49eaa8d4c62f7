#pragma once

#include <QString>

#include <vector>

namespace tellwick {

// A voice that Tellwick knows, whether or not it can speak on this machine.
struct VoiceDescription {
    QString name;     // what the user chooses it by, e.g. "espeak-ng-en"
    QString engine;   // the library that speaks it, e.g. "espeak-ng"
    QString language; // e.g. "English (US)"
    int sampleRate = 0;
    // Why it cannot speak here (its package or data is missing); empty when it can.
    QString unavailableBecause;
};

// Every voice, the default first.
std::vector<VoiceDescription> knownVoices();

// The voice used when the user chose none, or chose one that cannot speak here.
QString defaultVoiceName();

// The voice named, or null when no voice has that name.
const VoiceDescription* findVoice(const std::vector<VoiceDescription>& voices, const QString& name);

} // namespace tellwick
