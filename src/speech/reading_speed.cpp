#include "speech/reading_speed.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>

namespace tellwick {

int wordsPerMinute(int readingSpeed) {
    const double rate = espeakRATE_NORMAL * std::pow(3.0, readingSpeed / 10.0);
    return std::clamp(static_cast<int>(std::lround(rate)), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

} // namespace tellwick
