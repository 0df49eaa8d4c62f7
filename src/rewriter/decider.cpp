#include "rewriter/decider.h"

#include "rewriter/text.h"

#include <algorithm>

namespace tellwick::decider {

void normaliseNext(std::u16string& word) {
    text::lowerCaseInPlace(word);
}

void normalisePrevious(std::u16string& word) {
    text::lowerCaseInPlace(word);
    const auto last = word.find_last_not_of(u' ');
    if (last == std::u16string::npos) {
        word.clear();
        return;
    }
    word.erase(last + 1);
    word.erase(0, word.find_first_not_of(u' '));
}

namespace {

bool holds(const Test& test, std::u16string_view previous, std::u16string_view next) {
    const std::u16string_view word = test.neighbour == Neighbour::Previous ? previous : next;
    return !word.empty() && std::ranges::find(test.words, word) != test.words.end();
}

} // namespace

bool decide(const Rules& rules, std::u16string& previous, std::u16string& next) {
    if (rules.readsPrevious)
        normalisePrevious(previous);
    normaliseNext(next);
    const bool anyHolds = std::ranges::any_of(
        rules.tests, [&](const Test& test) { return holds(test, previous, next); });
    return anyHolds != rules.answerWhenNoneHolds;
}

} // namespace tellwick::decider
