#include "support/voices.h"

#include "speech/voice_catalogue.h"

namespace tellwick {

QStringList availableVoiceNames() {
    QStringList names;
    for (const VoiceDescription& voice : knownVoices()) {
        if (voice.unavailableBecause.isEmpty())
            names.append(voice.name);
    }
    return names;
}

QStringList oneAvailableVoicePerEngine() {
    QStringList names;
    QStringList engines;
    for (const VoiceDescription& voice : knownVoices()) {
        if (voice.unavailableBecause.isEmpty() && !engines.contains(voice.engine)) {
            engines.append(voice.engine);
            names.append(voice.name);
        }
    }
    return names;
}

QStringList sayArguments(const QString& voiceName, const QStringList& rest) {
    QStringList arguments{QStringLiteral("say")};
    if (voiceName != defaultVoiceName())
        arguments << QStringLiteral("--voice") << voiceName;
    return arguments + rest;
}

std::string voiceCaseName(const QString& voiceName) {
    std::string name = voiceName.toStdString();
    for (char& character : name) {
        const bool kept = (character >= 'a' && character <= 'z') ||
                          (character >= 'A' && character <= 'Z') ||
                          (character >= '0' && character <= '9');
        if (!kept)
            character = '_';
    }
    return name;
}

} // namespace tellwick
