// Save speech as: the audio file appears only complete, and a failure leaves no file behind.
#include "app/speech_saving.h"

#include "window_fixture.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace tellwick {
namespace {

using WindowSpeechFile = WindowFixture;

TEST_F(WindowSpeechFile, FileIsCompleteOrAbsent) {
    const struct {
        const char* name;
        QString box;
        const char* file;
        bool closeAtOnce; // the window closes while it writes
        bool written;
        int messages;
    } rows[] = {
        {"wav written", QStringLiteral("Hello there."), "speech.wav", false, true, 0},
        {"flac written", QStringLiteral("Hello there."), "speech.flac", false, true, 0},
        {"unknown format", QStringLiteral("Hello there."), "speech.xyz", false, false, 1},
        {"blank box", QStringLiteral("\r\n\r\n"), "speech.wav", false, false, 1},
        {"window closed while writing", QStringLiteral("A long sentence to say. ").repeated(400),
         "speech.wav", true, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startOver();
        QTemporaryDir folder;
        const QString path = folder.filePath(QString::fromLatin1(row.file));
        window->setInputText(row.box);
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

} // namespace
} // namespace tellwick
