#pragma once

namespace tellwick {

// The window's reading speed runs from -9 to +9 around a normal 0. Each step of 1 multiplies the
// speaking rate by the tenth root of 3, so +10 would be three times as fast as 0, and the result is
// clamped to the words-per-minute range in which espeak-ng still speaks correctly (it accepts any
// rate, and far outside that range gives silence or noise).
int wordsPerMinute(int readingSpeed);

} // namespace tellwick
