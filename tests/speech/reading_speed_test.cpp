#include "speech/espeak_engine.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

struct RateCase {
    int readingSpeed;
    int wordsPerMinute;
};

// round(175 x 3^(r/10)), held within the 80..450 that espeak-ng speaks correctly.
TEST(ReadingSpeed, MapsEachSpeedToWordsPerMinute) {
    const RateCase cases[] = {
        {-9, 80}, {-8, 80}, {-7, 81}, {-5, 101}, {-1, 157},    {0, 175},
        {1, 195}, {5, 303}, {8, 421}, {9, 450},  {-32768, 80}, {32767, 450},
    };
    for (const RateCase& c : cases)
        EXPECT_EQ(wordsPerMinute(c.readingSpeed), c.wordsPerMinute) << "speed " << c.readingSpeed;
}

// Only the speeds below espeak-ng's slowest rate (80) lengthen the pauses between words: -8 asks
// for 73 words a minute, -9 for 65.
TEST(ReadingSpeed, LengthensThePausesOnlyBelowTheSlowestRate) {
    const struct {
        int readingSpeed;
        int wordGap;
    } cases[] = {{-9, 3}, {-8, 1}, {-7, 0}, {0, 0}, {9, 0}, {32767, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(wordGap(c.readingSpeed), c.wordGap) << "speed " << c.readingSpeed;
}

} // namespace
} // namespace tellwick
