#pragma once

namespace tellwick {

// The window's reading speed runs from -9 to +9 around a normal 0. Each step of 1 multiplies the
// speaking rate by the tenth root of 3, so +10 would be three times as fast as 0, and the result is
// clamped to the words-per-minute range in which espeak-ng still speaks correctly (it accepts any
// rate, and far outside that range gives silence or noise).
int wordsPerMinute(int readingSpeed);

// espeak-ng speaks no slower than 80 words a minute, which the lowest speeds ask for. Those
// speeds lengthen the pauses between words instead, so that the speech as a whole takes about as
// long as the asked rate would. The result is espeak-ng's word gap (units of 10 ms at its normal
// rate); 0 for every speed that the voice reaches by itself.
int wordGap(int readingSpeed);

// All that the engine is told about the pace of one piece of speech. The engine is shared by
// every voice, so each synthesis sets both values.
struct SpeakingRate {
    int wordsPerMinute = 175;
    int wordGap = 0;
};

SpeakingRate speakingRate(int readingSpeed);

} // namespace tellwick
