// Save speech as: what Read would say, the audio file appearing only complete, and a failure or a
// cancel leaving no file behind.
#include "app/speech_saving.h"

#include "window_fixture.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace tellwick {
namespace {

using WindowSpeechFile = WindowFixture;

TEST_F(WindowSpeechFile, FileIsCompleteOrAbsent) {
    const QString hello = QStringLiteral("Hello there.");
    const struct {
        const char* name;
        QString box;
        QString clipboard;
        const char* file;
        bool closeAtOnce; // the window closes while it writes
        bool written;
        int messages;
    } rows[] = {
        {"wav written", hello, {}, "speech.wav", false, true, 0},
        {"flac written", hello, {}, "speech.flac", false, true, 0},
        {"unknown format", hello, {}, "speech.xyz", false, false, 1},
        {"blank box, as Read: the clipboard", QStringLiteral("\r\n\r\n"), hello, "speech.wav",
         false, true, 0},
        {"empty box and clipboard", {}, {}, "speech.wav", false, false, 1},
        {"window closed while writing",
         QStringLiteral("A long sentence to say. ").repeated(400),
         {},
         "speech.wav",
         true,
         false,
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startOver();
        QTemporaryDir folder;
        const QString path = folder.filePath(QString::fromLatin1(row.file));
        window->setInputText(row.box);
        clipboard->content = row.clipboard;
        runHandler(window.get(), [&] { window->saveSpeech(path); });
        if (row.closeAtOnce)
            startOver();
        else
            EXPECT_TRUE(QTest::qWaitFor([this] { return !window->savingSpeech(); }, 30000));
        QTest::qWait(0);
        EXPECT_EQ(QFileInfo(path).size() > 1000, row.written);
        EXPECT_FALSE(QFileInfo::exists(partialSpeechFile(path)));
        EXPECT_EQ(reported.size(), row.messages) << reported.join(QLatin1Char('|')).toStdString();
    }
}

// The dialog shows how far the synthesis is and the time left; Cancel leaves nothing behind.
TEST_F(WindowSpeechFile, DialogShowsThePartDoneAndCancelRemovesTheFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("book.ogg"));
    window->setInputText(QStringLiteral("A long sentence to say. ").repeated(4000));
    runHandler(window.get(), [&] { window->saveSpeech(path); });
    QProgressDialog* dialog = window->findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitFor(
        [dialog] { return dialog->labelText().contains(QStringLiteral(" left")); }, 30000))
        << dialog->labelText().toStdString();
    EXPECT_GT(dialog->value(), 0);
    EXPECT_LT(dialog->value(), dialog->maximum());
    dialog->findChild<QPushButton*>()->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->savingSpeech(); }, 30000));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(partialSpeechFile(path)));
    EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace tellwick
