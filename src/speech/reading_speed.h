#pragma once

namespace tellwick {

// The window's reading speed runs from -9 to +9 around a normal 0. Each step of 1 makes speech
// faster by the tenth root of 3, so +10 would be three times as fast as 0. Returns how many times
// faster than normal the speed is (1 at 0); speeds far outside -9..+9 are clamped first.
double speedFactor(int readingSpeed);

} // namespace tellwick
