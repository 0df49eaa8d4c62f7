#include "speech/voice_catalogue.h"

namespace tellwick {

std::vector<VoiceDescription> knownVoices() {
    return {{QStringLiteral("espeak-ng-en"), QStringLiteral("espeak-ng"), QStringLiteral("English"),
             22050, QString()}};
}

QString defaultVoiceName() {
    return QStringLiteral("espeak-ng-en");
}

const VoiceDescription* findVoice(const std::vector<VoiceDescription>& voices,
                                  const QString& name) {
    for (const VoiceDescription& voice : voices) {
        if (voice.name == name)
            return &voice;
    }
    return nullptr;
}

} // namespace tellwick
