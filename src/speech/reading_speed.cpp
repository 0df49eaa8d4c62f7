#include "speech/voice.h"
#include "speech/system_voice.h"

namespace tellwick {

std::unique_ptr<Voice> makeSystemVoice(QString* error) {
    *error = QStringLiteral("speech is not built yet");
    return nullptr;
}

} // namespace tellwick
