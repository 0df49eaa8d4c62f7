// Long texts put into a document a slice at a time: whatever falls on a slice's edge, the document
// ends up with the text as one insertion would have left it, and a paste stays one step to undo.
#include "app/sliced_insertion.h"

#include "support/test_application.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace tellwick {
namespace {

constexpr qsizetype slice = SlicedInsertion::sliceLength;

void waitUntilDone(const SlicedInsertion& insertion) {
    QElapsedTimer timer;
    timer.start();
    while (insertion.busy() && timer.elapsed() < 20000)
        QCoreApplication::processEvents();
}

TEST(SlicedInsertion, TheDocumentHoldsTheTextWhateverFallsOnASlicesEdge) {
    testApplication();
    const QString a(slice - 1, u'a');
    const struct {
        const char* name;
        QString text;
        QString raw; // the document's raw text after, inserted into "[]" between the brackets
    } rows[] = {
        {"lines", QStringLiteral("line\n").repeated(3 * slice / 5),
         QStringLiteral("[") + QStringLiteral("line\u2029").repeated(3 * slice / 5) +
             QStringLiteral("]")},
        {"CR LF on the edge", a + QStringLiteral("\r\nb") + a,
         QStringLiteral("[") + a + QStringLiteral("\u2029b") + a + QStringLiteral("]")},
        {"one line longer than slices", QString(3 * slice + 7, u'c'),
         QStringLiteral("[") + QString(3 * slice + 7, u'c') + QStringLiteral("]")},
        {"a character of four bytes on the edge", a + QStringLiteral("\U0001F642") + a,
         QStringLiteral("[") + a + QStringLiteral("\U0001F642") + a + QStringLiteral("]")},
        {"letters of two bytes", QString(slice + 1, u'\u00E9'),
         QStringLiteral("[") + QString(slice + 1, u'\u00E9') + QStringLiteral("]")},
        {"a lone surrogate is kept", a + QChar(0xD800) + a,
         QStringLiteral("[") + a + QChar(0xD800) + a + QStringLiteral("]")},
    };
    for (const auto& row : rows) {
        QTextDocument document(QStringLiteral("[]"));
        SlicedInsertion insertion;
        QTextCursor cursor(&document);
        cursor.setPosition(1);
        insertion.insert(cursor, row.text, true);
        waitUntilDone(insertion);
        EXPECT_EQ(document.toRawText(), row.raw) << row.name;
    }
}

TEST(SlicedInsertion, APasteIsOneStepToUndoAndATextSetAnewLeavesNothingToUndo) {
    testApplication();
    const QString text = QStringLiteral("line\n").repeated(slice);
    const struct {
        const char* name;
        bool undoable;
        bool undoAvailable;
        QString afterUndo;
    } rows[] = {
        {"paste", true, true, QStringLiteral("[]")},
        {"set anew", false, false,
         QStringLiteral("[") + QStringLiteral("line\u2029").repeated(slice) + QStringLiteral("]")},
    };
    for (const auto& row : rows) {
        QTextDocument document(QStringLiteral("[]"));
        SlicedInsertion insertion;
        QTextCursor cursor(&document);
        cursor.setPosition(1);
        insertion.insert(cursor, text, row.undoable);
        waitUntilDone(insertion);
        EXPECT_EQ(document.isUndoAvailable(), row.undoAvailable) << row.name;
        document.undo();
        EXPECT_EQ(document.toRawText(), row.afterUndo) << row.name;
    }
}

TEST(SlicedInsertion, CancelStopsTheTextAndWhatWasToRunAfterIt) {
    testApplication();
    QTextDocument document;
    SlicedInsertion insertion;
    bool ran = false;
    const QString book = QStringLiteral("line\n").repeated(20 * slice);
    insertion.insert(QTextCursor(&document), book, false);
    insertion.whenDone([&] { ran = true; });
    insertion.cancel();
    QCoreApplication::processEvents();
    EXPECT_FALSE(insertion.busy());
    EXPECT_FALSE(ran);
    EXPECT_LT(document.characterCount(), book.size());
}

} // namespace
} // namespace tellwick
