#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace tellwick {

class VoiceEngine;

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

// The one-line message for a name that no voice has, listing the names there are.
QString noVoiceNamed(const QString& name);

// Starts the engine of the voice named, on the calling thread (the one that will drive it). Null,
// with a message naming the cause, when no voice has that name or it cannot speak here.
std::unique_ptr<VoiceEngine> startVoiceEngine(const QString& name, QString* error);

} // namespace tellwick
