#include "speech/voice_catalogue.h"

#include "speech/espeak_engine.h"
#include "speech/festival_engine.h"
#include "speech/flite_engine.h"
#include "speech/voice_engine.h"

#include <QStringList>

namespace tellwick {

namespace {

// Each engine's voices and how to start one, the default voice's engine first.
struct EngineEntry {
    const char* name;
    std::vector<VoiceDescription> (*voices)();
    std::unique_ptr<VoiceEngine> (*start)(const QString& name, QString* error);
};
constexpr EngineEntry engines[] = {
    {"flite", fliteVoices, startFliteVoice},
    {"espeak-ng", espeakVoices, startEspeakVoice},
    {"festival", festivalVoices, startFestivalVoice},
};

} // namespace

std::vector<VoiceDescription> knownVoices() {
    std::vector<VoiceDescription> voices;
    for (const EngineEntry& engine : engines) {
        for (VoiceDescription& voice : engine.voices())
            voices.push_back(std::move(voice));
    }
    return voices;
}

// flite's rms is the voice understood best that also speaks its first word within a few
// hundredths of a second of Read, at a hundredth of real time. flite and its voices are linked
// into the program, so the default can always speak.
QString defaultVoiceName() {
    return QStringLiteral("flite-rms");
}

const VoiceDescription* findVoice(const std::vector<VoiceDescription>& voices,
                                  const QString& name) {
    for (const VoiceDescription& voice : voices) {
        if (voice.name == name)
            return &voice;
    }
    return nullptr;
}

QString noVoiceNamed(const QString& name) {
    QStringList names;
    for (const VoiceDescription& known : knownVoices())
        names << known.name;
    return QStringLiteral("there is no voice named %1 (the voices: %2)")
        .arg(name, names.join(QStringLiteral(", ")));
}

std::unique_ptr<VoiceEngine> startVoiceEngine(const QString& name, QString* error) {
    const std::vector<VoiceDescription> voices = knownVoices();
    const VoiceDescription* voice = findVoice(voices, name);
    if (voice == nullptr) {
        *error = noVoiceNamed(name);
        return nullptr;
    }
    if (!voice->unavailableBecause.isEmpty()) {
        *error = QStringLiteral("the voice %1 cannot speak here: %2")
                     .arg(name, voice->unavailableBecause);
        return nullptr;
    }
    for (const EngineEntry& engine : engines) {
        if (voice->engine == QLatin1String(engine.name))
            return engine.start(name, error);
    }
    *error = QStringLiteral("no engine speaks the voice %1").arg(name);
    return nullptr;
}

} // namespace tellwick
