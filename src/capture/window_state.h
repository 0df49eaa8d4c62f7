#pragma once

#include "speech/voice.h"

#include <cstdint>
#include <memory>

namespace tellwick {

// What the window holds for the whole run. The handlers of every button and key share it.
struct WindowState {
    std::unique_ptr<Voice> CurVoice; // the voice of the current reading; none until the first Read
    std::int16_t ReadSpeed = 1;      // -9..+9
    std::int16_t ScreenLines = 30;   // text lines in one screenful of the text box
};

} // namespace tellwick
