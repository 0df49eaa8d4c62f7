#include "app/text_io.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

struct DecodeCase {
    std::string bytes;
    std::u16string text;
    std::optional<std::size_t> errorOffset;
};

TEST(TextIo, DecodesStrictUtf8) {
    const DecodeCase cases[] = {
        {"", u"", std::nullopt},
        {"a\r\nb", u"a\r\nb", std::nullopt},
        {"\xC3\xA9", u"\u00e9", std::nullopt},
        {"\xE2\x80\x94", u"\u2014", std::nullopt},
        {"\xF0\x9F\x98\x80", u"\U0001F600", std::nullopt},
        {"ab\xFF", u"", 2},
        {"a\xC3", u"", 1},            // cut short at the end
        {"\xC0\xAF", u"", 0},         // overlong
        {"x\xED\xA0\x80", u"", 1},    // encoded surrogate
        {"\xF4\x90\x80\x80", u"", 0}, // past U+10FFFF
        {"\xE2\x28\xA1", u"", 0},     // bad continuation byte
    };
    for (const auto& c : cases) {
        const auto result = decodeUtf8(c.bytes);
        EXPECT_EQ(result.errorOffset, c.errorOffset) << c.bytes;
        if (!c.errorOffset) {
            EXPECT_EQ(result.text, c.text) << c.bytes;
        }
    }
}

TEST(TextIo, EncodingRoundTripsAndReplacesLoneSurrogates) {
    const std::u16string text = u"caf\u00e9 \u2014 \U0001F600\r\n";
    EXPECT_EQ(decodeUtf8(encodeUtf8(text)).text, text);
    EXPECT_EQ(encodeUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

} // namespace
} // namespace tellwick
