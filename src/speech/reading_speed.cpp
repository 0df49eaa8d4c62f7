#include "speech/reading_speed.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>

namespace tellwick {

int wordsPerMinute(int readingSpeed) {
    // Speeds far outside -9..+9 are clamped first, so that the power cannot overflow.
    const int speed = std::clamp(readingSpeed, -30, 30);
    const double rate = espeakRATE_NORMAL * std::pow(3.0, speed / 10.0);
    return std::clamp(static_cast<int>(std::lround(rate)), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

} // namespace tellwick
