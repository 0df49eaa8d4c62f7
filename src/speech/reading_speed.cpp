#include "speech/reading_speed.h"

#include <algorithm>
#include <cmath>

namespace tellwick {

double speedFactor(int readingSpeed) {
    // Clamped so that the power cannot overflow.
    const int speed = std::clamp(readingSpeed, -30, 30);
    return std::pow(3.0, speed / 10.0);
}

} // namespace tellwick
