#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tellwick::decider {

// Which of the two neighbours of a heteronym a test looks at.
enum class Neighbour { Previous, Next };

// One test of a decider: it holds when the chosen neighbour, normalised, is one of the words.
struct Test {
    Neighbour neighbour;
    std::span<const std::u16string_view> words;
};

// What tells one decider from another: its tests, the answer it gives when none holds, and
// whether it looks at (and so normalises) the previous word at all.
struct Rules {
    std::span<const Test> tests;
    bool answerWhenNoneHolds = false;
    bool readsPrevious = true;
};

// Lower-cases previous (and trims U+0020 at both ends) and lower-cases next, in place, then runs
// the tests. Any test that holds turns the answer round; nothing turns it back.
bool decide(const Rules& rules, std::u16string& previous, std::u16string& next);

// The normalisations on their own, in place, without allocating.
void normalisePrevious(std::u16string& word);
void normaliseNext(std::u16string& word);

} // namespace tellwick::decider
