#include "cli/text_io.h"
#include "documents/input_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

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
        // Past eight bytes, where seven-bit runs are taken a word at a time.
        {"12345678\xC3\xA9"
         "abcdefgh",
         u"12345678\u00e9abcdefgh", std::nullopt},
        {"1234567\xC3\xA9"
         "abcdefghi",
         u"1234567\u00e9abcdefghi", std::nullopt},
        {"abcdefghijklmnop\x80", u"", 16},
        {"abcdefghijk\xE2\x80", u"", 11},
    };
    for (const auto& c : cases) {
        const auto result = decodeUtf8(c.bytes);
        EXPECT_EQ(result.errorOffset, c.errorOffset) << c.bytes;
        if (!c.errorOffset) {
            EXPECT_EQ(result.text, c.text) << c.bytes;
        }
        // Slices as short as a sequence still cut no sequence in two and lose no error.
        for (std::size_t slice = 4; slice <= 7; ++slice) {
            Utf8Slices slices(c.bytes, slice);
            std::u16string text;
            while (slices.next(text)) {
            }
            EXPECT_TRUE(slices.ended());
            EXPECT_EQ(slices.error(), c.errorOffset) << c.bytes << " in slices of " << slice;
            if (!c.errorOffset) {
                EXPECT_EQ(text, c.text) << c.bytes << " in slices of " << slice;
                EXPECT_EQ(slices.done(), c.bytes.size()) << c.bytes;
            }
        }
    }
}

// A surrogate pair parted between two pieces is written as its one character.
TEST(TextIo, PieceWriterJoinsSurrogatePairsAcrossPieces) {
    struct PiecesCase {
        std::vector<std::u16string> pieces;
        std::string bytes;
    };
    const std::u16string high(1, char16_t(0xD83D));
    const std::u16string low(1, char16_t(0xDE00));
    const PiecesCase cases[] = {
        {{u"a" + high, low + u"b"},
         "a\xF0\x9F\x98\x80"
         "b"},
        {{high, u"", low}, "\xF0\x9F\x98\x80"},
        {{u"a" + high, u"b"},
         "a\xEF\xBF\xBD"
         "b"},
        {{u"a" + high}, "a\xEF\xBF\xBD"},
        {{u"x", u"\u00e9"}, "x\xC3\xA9"},
    };
    for (const PiecesCase& c : cases) {
        char* buffer = nullptr;
        std::size_t size = 0;
        std::FILE* stream = open_memstream(&buffer, &size);
        ASSERT_NE(stream, nullptr);
        Utf8PieceWriter writer(stream);
        for (const std::u16string& piece : c.pieces)
            EXPECT_TRUE(writer.write(piece));
        EXPECT_TRUE(writer.finish());
        std::fclose(stream);
        EXPECT_EQ(std::string(buffer, size), c.bytes);
        std::free(buffer);
    }
}

TEST(TextIo, EncodingRoundTripsAndReplacesLoneSurrogates) {
    const std::u16string text = u"caf\u00e9 \u2014 \U0001F600\r\n";
    EXPECT_EQ(decodeUtf8(encodeUtf8(text)).text, text);
    EXPECT_EQ(encodeUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(encodeUtf8(u"abcdefg\u00e9hijklmnopq\U0001F600"),
              "abcdefg\xC3\xA9hijklmnopq\xF0\x9F\x98\x80");
}

TEST(TextIo, ReadsAWholeFileAndReportsWhatCannotBeRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string bytes("a\0b\r\n\xFF", 6);
    QFile file(dir.filePath(QStringLiteral("input.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
    file.close();
    struct ReadCase {
        std::string path;
        std::optional<std::string> bytes;
    };
    const ReadCase cases[] = {
        {file.fileName().toStdString(), bytes},
        {dir.path().toStdString(), std::nullopt},
        {dir.filePath(QStringLiteral("missing.txt")).toStdString(), std::nullopt},
    };
    for (const ReadCase& c : cases) {
        std::string error;
        const std::optional<InputBytes> input = InputBytes::load(c.path, &error);
        EXPECT_EQ(input ? std::optional<std::string>(input->view()) : std::nullopt, c.bytes)
            << c.path;
        EXPECT_EQ(error.find(c.path) != std::string::npos, !c.bytes) << c.path << ": " << error;
    }
}

} // namespace
} // namespace tellwick
