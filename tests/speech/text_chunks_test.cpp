#include "speech/text_chunks.h"

#include <QString>

#include <gtest/gtest.h>

namespace tellwick {
namespace {

TEST(TextChunks, APieceEndsAfterASentenceElseAtASpaceElseHard) {
    const QString sentences = QString(QStringLiteral("Word word. ")).repeated(1000);
    const qsizetype end = chunkEnd(sentences, 0);
    EXPECT_LE(end, 4096);
    EXPECT_GT(end, 4000);
    EXPECT_EQ(sentences[end - 1], u'.');
    EXPECT_EQ(sentences[end], u' ');

    // A colon or a semicolon parts clauses, not sentences: the voice goes on in the same sentence.
    const QString clauses =
        QStringLiteral("One sentence. ") + QString(QStringLiteral("word; word: ")).repeated(400);
    EXPECT_EQ(chunkEnd(clauses, 0), 13);

    const QString words = QString(QStringLiteral("word ")).repeated(2000);
    const qsizetype wordEnd = chunkEnd(words, 3);
    EXPECT_TRUE(words[wordEnd].isSpace());
    EXPECT_GT(wordEnd, 4000);

    QString solid = QString(QStringLiteral("x")).repeated(4095) +
                    QString::fromUtf16(u"\U0001F600") + QStringLiteral("yyy");
    EXPECT_EQ(chunkEnd(solid, 0), 4095); // not inside the surrogate pair
    EXPECT_EQ(chunkEnd(QStringLiteral("short text"), 0), 10);
    EXPECT_EQ(chunkEnd(words, words.size() - 10), words.size());
}

TEST(TextChunks, PiecesCoverTheTextWithoutGapsOrOverlaps) {
    const QString text = QString(QStringLiteral("One two three! Four, five six?\n")).repeated(900);
    qsizetype start = 0;
    int pieces = 0;
    while (start < text.size()) {
        const qsizetype end = chunkEnd(text, start);
        ASSERT_GT(end, start);
        start = end;
        ++pieces;
    }
    EXPECT_EQ(start, text.size());
    EXPECT_GE(pieces, 7);
}

TEST(TextChunks, CodePointsCountSurrogatePairsOnce) {
    const QString text = QString::fromUtf16(u"a\U0001F600b\u00e9c");
    const qsizetype expected[] = {0, 1, 3, 4, 5, 6, 6};
    for (qsizetype codePoint = 0; codePoint < 7; ++codePoint)
        EXPECT_EQ(utf16IndexOfCodePoint(text, codePoint), expected[codePoint]) << codePoint;
}

} // namespace
} // namespace tellwick
