// Following the reading in the box: where sentences start, and the way back from the spoken text
// to the box.
#include "pronunciation/normaliser.h"
#include "reader/box_reading.h"
#include "reader/box_text.h"
#include "reader/sentences.h"

#include <gtest/gtest.h>

namespace tellwick {

void PrintTo(const BoxRange& range, std::ostream* out) {
    *out << '[' << range.start << ", " << range.end << ')';
}

namespace {

const QChar paragraph = QChar::ParagraphSeparator;

TEST(Sentences, ASentenceStartsAfterAnEndMarkAndWhiteSpaceOrAfterALineBreak) {
    const struct {
        const char* what;
        QString text;
        qsizetype position;
        qsizetype start;
    } rows[] = {
        {"inside the second", QStringLiteral("One. Two three."), 8, 5},
        {"at the second's first letter", QStringLiteral("One. Two."), 5, 5},
        {"in the white space after the first", QStringLiteral("One.  Two."), 5, 0},
        {"after a question and a quote", QStringLiteral("Why?\" he said"), 9, 6},
        {"after a line break", QStringLiteral("One") + paragraph + QStringLiteral("two"), 5, 4},
        {"a decimal point ends nothing", QStringLiteral("It is 3.5 m."), 9, 0},
        {"a full stop before lower case ends nothing", QStringLiteral("See p. twelve now."), 9, 0},
        {"a full stop before lower case on the next line",
         QStringLiteral("One.") + paragraph + QStringLiteral("two"), 6, 5},
        {"in blank lines at the end", QStringLiteral("One. Two.") + paragraph + paragraph, 11, 5},
        {"before the first", QStringLiteral("  One."), 0, 2},
        {"white space only", QStringLiteral("   "), 1, 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(sentenceStartAt(row.text, row.position), row.start) << row.what;
}

// Box texts are raw (U+2029 between paragraphs); the voice reports places in the rewrite.
TEST(BoxReading, ASentenceHeardLandsOnItsPlaceInTheBox) {
    const RespellOptions keepBreaks{false, true};
    const struct {
        const char* what;
        QString box; // the whole box; the reading starts at offset
        qsizetype offset;
        RespellOptions options;
        QString heardAt; // the sentence heard starts at the first of these in the spoken text
        BoxRange range;
    } rows[] = {
        {"a respelled word maps to what it replaced",
         QStringLiteral("Dr. Who came. Then he left."),
         0,
         {},
         QStringLiteral("Doctor"),
         {0, 13}},
        {"after a respelled word",
         QStringLiteral("Dr. Who came. Then he left."),
         0,
         {},
         QStringLiteral("Then"),
         {14, 27}},
        {"a respelled word at a sentence start keeps the sentence end before it",
         QStringLiteral("One.") + paragraph + QStringLiteral("Dr. Who came. Then he left."),
         0,
         {},
         QStringLiteral("One"),
         {0, 4}},
        {"line breaks read as spaces join",
         QStringLiteral("One") + paragraph + paragraph + QStringLiteral("Two. Three."),
         0,
         {},
         QStringLiteral("One"),
         {0, 9}},
        {"past two paragraph ends",
         QStringLiteral("One") + paragraph + paragraph + QStringLiteral("Two. Three."),
         0,
         {},
         QStringLiteral("Three"),
         {10, 16}},
        {"kept line breaks part",
         QStringLiteral("One") + paragraph + paragraph + QStringLiteral("Two. Three."),
         0,
         keepBreaks,
         QStringLiteral("One"),
         {0, 3}},
        {"past kept line breaks",
         QStringLiteral("One") + paragraph + paragraph + QStringLiteral("Two. Three."),
         0,
         keepBreaks,
         QStringLiteral("Two"),
         {5, 9}},
        {"white space before the report is skipped",
         QStringLiteral("One.   Two."),
         0,
         {},
         QStringLiteral(" Two"),
         {7, 11}},
        {"a reading from a later place",
         QStringLiteral("Skipped. Two") + paragraph + QStringLiteral("x. Three."),
         9,
         {},
         QStringLiteral("Three"),
         {16, 22}},
    };
    for (const auto& row : rows) {
        const CompactText box(row.box);
        const BoxReading reading(box.sliced(row.offset), row.offset, row.options);
        const qsizetype heard = reading.spoken().indexOf(row.heardAt);
        ASSERT_GE(heard, 0) << row.what << ": " << reading.spoken().toStdString();
        EXPECT_EQ(reading.sentenceInBox(heard, box), row.range) << row.what;
    }
}

TEST(RewritePieces, EndOnlyWhereTheRestReadsTheSameAlone) {
    const struct {
        const char* what;
        QString text;
        qsizetype end;
    } rows[] = {
        {"a line of a new sentence", QStringLiteral("One.\nTwo."), 5},
        {"a paragraph of a new sentence",
         QStringLiteral("One!") + paragraph + paragraph + QStringLiteral("Two."), 6},
        {"after CR LF and spaces", QStringLiteral("One? \r\nTwo."), 7},
        {"a sentence goes on over the line", QStringLiteral("One\nTwo.\nThree"), 9},
        {"in lower case the sentence may go on", QStringLiteral("See p.\ntwo.\nThree"), 12},
        {"a number may be an amount's", QStringLiteral("One.\n5 cats.\nThree"), 13},
        {"an open bracket holds on until it closes", QStringLiteral("One [x.\nTwo] y.\nThree"), 16},
        {"not before the piece's length", QStringLiteral("A.\nB.\nCde.\nFgh."), 6},
        {"nowhere: the text's end", QStringLiteral("One. Two.\nthree"), 15},
    };
    for (const auto& row : rows)
        EXPECT_EQ(rewritePieceEnd(row.text, 0, 4), row.end) << row.what;
}

// The lines hold what reads differently when cut off from the lines around them; pieces as short
// as can be part the text at every place they may.
TEST(RewritePieces, ATextRewrittenInPiecesReadsAndMapsAsWhole) {
    const QString lines = QStringLiteral(
        "Dr.\r\nSmith paid $5.\r\nThe 3rd lead [see p.\r\n12] was read.\r\nIt cost\r\n"
        "12 dollars in 1999. Mr.\r\nJones lives at 10 Downing St.\r\nWe live; we read.\r\n");
    const QString book = lines.repeated(3);
    const std::u16string_view units(reinterpret_cast<const char16_t*>(book.utf16()),
                                    std::size_t(book.size()));
    const MappedRespelling whole = speakableText(units, {});
    const SpokenText pieces = voiceText(book, {}, 1);
    ASSERT_EQ(pieces.text, QString::fromStdU16String(whole.text));
    for (std::size_t at = 0; at < whole.text.size(); ++at)
        ASSERT_EQ(pieces.map.sourceOf(at), whole.map.sourceOf(at)) << at;
}

TEST(EmptyLineRun, HoldsOneLineBreakPerScreenLineAndNoneBelowOne) {
    const struct {
        int screenLines;
        QString run;
    } rows[] = {
        {30, QStringLiteral("\r\n").repeated(30)},
        {1, QStringLiteral("\r\n")},
        {0, QString()},
        {-3, QString()},
    };
    for (const auto& row : rows)
        EXPECT_EQ(emptyLineRun(row.screenLines), row.run) << row.screenLines;
}

} // namespace
} // namespace tellwick
