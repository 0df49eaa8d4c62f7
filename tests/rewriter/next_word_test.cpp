#include "rewriter/next_word.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

struct NextWordCase {
    std::u16string_view window;
    std::u16string_view expected;
};

class NextWordTest : public testing::TestWithParam<NextWordCase> {};

TEST_P(NextWordTest, ReadsTheWordAfterExactlyOneSpace) {
    const auto& [window, expected] = GetParam();
    EXPECT_EQ(nextWord(window), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, NextWordTest,
    testing::Values(
        // The next word runs to the first character below "A", case kept.
        NextWordCase{u"live band.", u"band"}, NextWordCase{u"Live Band", u"Band"},
        NextWordCase{u"live band9 x", u"band"}, NextWordCase{u"live band's", u"band"},
        NextWordCase{u"live don't", u"don"}, NextWordCase{u"live dont", u"dont"},
        NextWordCase{u"live band-aid", u"band"},
        // Anything but a space glued to the current word means there is no next word.
        NextWordCase{u"live, band", u""}, NextWordCase{u"live. band", u""},
        NextWordCase{u"live-band x", u""}, NextWordCase{u"live9 band", u""},
        NextWordCase{u"live\r\nband", u""}, NextWordCase{u"live\nband", u""},
        NextWordCase{u"live\tband", u""}, NextWordCase{u"live'band x", u""},
        // A second space ends an empty word.
        NextWordCase{u"live  band", u""},
        // The window runs out before a space, or right after it.
        NextWordCase{u"live", u""}, NextWordCase{u"live ", u""}, NextWordCase{u"", u""},
        // The caller's 20-character window cuts the word: "record " leaves 13 characters.
        NextWordCase{std::u16string_view(u"record abcdefghijklmnopq").substr(0, 20),
                     u"abcdefghijklm"},
        // Everything from "A" upwards is a word character, in both words.
        NextWordCase{u"live snake_case.", u"snake_case"},
        NextWordCase{u"live caf\u00e9.", u"caf\u00e9"},
        NextWordCase{u"live \u4e2d\u6587", u"\u4e2d\u6587"},
        NextWordCase{u"li[v]e {b|a}~d", u"{b|a}~d"}, NextWordCase{u"live i\u2019ve", u"i\u2019ve"},
        // A lone surrogate is just another character above "A".
        NextWordCase{u"live \xd800x", u"\xd800x"},
        // A window that starts with a space has an empty current word.
        NextWordCase{u" band", u"band"}));

} // namespace
} // namespace tellwick
