#include "speech/reading_speed.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>

namespace tellwick {

namespace {

// Measured with espeak-ng 1.51 on ordinary prose at its slowest rate: a word takes about 580 ms
// together with its share of the pauses, and a word gap of g units lengthens each pause between
// words by about 50 + 30 g ms (any gap at all puts a long pause where a short one stood).
constexpr double slowestWordMs = 580;
constexpr double anyGapMs = 50;
constexpr double gapUnitMs = 30;

int formulaRate(int readingSpeed) {
    // Speeds far outside -9..+9 are clamped first, so that the power cannot overflow.
    const int speed = std::clamp(readingSpeed, -30, 30);
    return static_cast<int>(std::lround(espeakRATE_NORMAL * std::pow(3.0, speed / 10.0)));
}

} // namespace

int wordsPerMinute(int readingSpeed) {
    return std::clamp(formulaRate(readingSpeed), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

int wordGap(int readingSpeed) {
    const int rate = formulaRate(readingSpeed);
    if (rate >= espeakRATE_MINIMUM)
        return 0;
    const double missingMs = slowestWordMs * (double(espeakRATE_MINIMUM) / rate - 1);
    // Even a rate just below the slowest needs some gap, or it would sound like the slowest.
    return std::max(1, static_cast<int>(std::lround((missingMs - anyGapMs) / gapUnitMs)));
}

SpeakingRate speakingRate(int readingSpeed) {
    return {wordsPerMinute(readingSpeed), wordGap(readingSpeed)};
}

} // namespace tellwick
