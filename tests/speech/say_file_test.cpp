#include "support/recorded_sound.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tellwick {
namespace {

struct SayRun {
    int exitCode = -1;
    QString errors;
};

SayRun say(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(TELLWICK_BINARY), QStringList{QStringLiteral("say")} + arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

const QString text = QStringLiteral("Hello there. This is a short test of the voice.");

TEST(SayToFile, WritesEachFormatWithTheSpeech) {
    QTemporaryDir dir;
    for (const char* extension : {"wav", "flac", "ogg", "mp3"}) {
        const QString path = dir.filePath(QStringLiteral("speech.") + QLatin1String(extension));
        const SayRun run = say({QStringLiteral("--voice"), QStringLiteral("espeak-ng-en"),
                                QStringLiteral("--out"), path, text});
        ASSERT_EQ(run.exitCode, 0) << extension << ": " << run.errors.toStdString();
        const std::optional<RecordedSound> sound = readSoundFile(path);
        ASSERT_TRUE(sound) << extension;
        EXPECT_EQ(sound->sampleRate, 22050) << extension;
        EXPECT_GT(sound->seconds(), 1.5) << extension;
        EXPECT_LT(sound->seconds(), 6.0) << extension;
        EXPECT_GT(speechSeconds(sound->profile()), sound->seconds() / 2) << extension;
    }
}

// Each voice writes at its engine's own rate, through the synthesis processes of an export; a name
// that no voice has is bad usage.
TEST(SayToFile, EachVoiceWritesAtItsOwnRate) {
    const struct {
        const char* voice;
        int exitCode;
        int sampleRate;
    } rows[] = {
        {"espeak-ng-en", 0, 22050}, {"flite-slt", 0, 16000},   {"flite-rms", 0, 16000},
        {"flite-awb", 0, 16000},    {"flite-kal16", 0, 16000}, {"nobody", 2, 0},
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        const QString path = dir.filePath(QLatin1String(row.voice) + QStringLiteral(".flac"));
        const SayRun run =
            say({QStringLiteral("--voice"), QLatin1String(row.voice), QStringLiteral("--jobs"),
                 QStringLiteral("2"), QStringLiteral("--out"), path, text});
        ASSERT_EQ(run.exitCode, row.exitCode) << row.voice << ": " << run.errors.toStdString();
        if (row.exitCode != 0)
            continue;
        const std::optional<RecordedSound> sound = readSoundFile(path);
        ASSERT_TRUE(sound) << row.voice;
        EXPECT_EQ(sound->sampleRate, row.sampleRate) << row.voice;
        EXPECT_GT(sound->seconds(), 1.5) << row.voice;
        EXPECT_GT(speechSeconds(sound->profile()), sound->seconds() / 2) << row.voice;
    }
}

// Every step of speed is heard, also below espeak-ng's slowest rate, where -8 and -9 lengthen
// the pauses between words instead.
TEST(SayToFile, EachSlowerSpeedTakesLonger) {
    const struct {
        const char* voice;
        const char* slower;
        const char* faster;
        double atLeast;
    } rows[] = {
        {"espeak-ng-en", "-9", "9", 3.0},   {"espeak-ng-en", "-9", "-8", 1.05},
        {"espeak-ng-en", "-8", "-7", 1.05}, {"flite-slt", "-9", "9", 3.0},
        {"flite-slt", "-9", "-8", 1.05},    {"flite-slt", "8", "9", 1.05},
    };
    QTemporaryDir dir;
    std::map<std::string, double> seconds;
    for (const auto& row : rows) {
        for (const char* rate : {row.slower, row.faster}) {
            const std::string key = std::string(row.voice) + rate;
            if (seconds.count(key) != 0)
                continue;
            const QString path = dir.filePath(QString::fromStdString(key) + QStringLiteral(".wav"));
            ASSERT_EQ(
                say({QStringLiteral("--voice"), QLatin1String(row.voice), QStringLiteral("--rate"),
                     QLatin1String(rate), QStringLiteral("--out"), path, text})
                    .exitCode,
                0);
            seconds[key] = readSoundFile(path).value_or(RecordedSound{}).seconds();
            EXPECT_GT(seconds[key], 0.5) << key;
        }
        EXPECT_GT(seconds[std::string(row.voice) + row.slower],
                  seconds[std::string(row.voice) + row.faster] * row.atLeast)
            << row.voice << " " << row.slower << " against " << row.faster;
    }
}

// Unix line ends reach the rewriter as CR LF, as the window's text does, so a page number alone
// on its line is left out.
TEST(SayToFile, LineBreaksReachTheRewriterAsTheWindowGivesThem) {
    QTemporaryDir dir;
    const QByteArray inputs[] = {"Hello there.\n42\nGood bye.", "Hello there.\r\n42\r\nGood bye.",
                                 "Hello there. 42 Good bye."};
    double seconds[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QStringLiteral("lines%1.wav").arg(i));
        ASSERT_EQ(say({QStringLiteral("--out"), path}, inputs[i]).exitCode, 0);
        seconds[i] = readSoundFile(path).value_or(RecordedSound{}).seconds();
    }
    EXPECT_DOUBLE_EQ(seconds[0], seconds[1]);
    EXPECT_GT(seconds[2], seconds[0] + 0.2);
}

// espeak-ng takes U+0001 and what follows ("0A": loudness 0) as a command; from the text it is
// only a character, and the speech after it is still heard.
TEST(SayToFile, ControlCharactersInTheTextCommandNothing) {
    QTemporaryDir dir;
    const QByteArray inputs[] = {"One two three four five six seven.",
                                 "One two \x01"
                                 "0A three four five six seven."};
    double speech[2] = {};
    for (int i = 0; i < 2; ++i) {
        const QString path = dir.filePath(QStringLiteral("control%1.wav").arg(i));
        ASSERT_EQ(say({QStringLiteral("--out"), path}, inputs[i]).exitCode, 0);
        speech[i] = speechSeconds(readSoundFile(path).value_or(RecordedSound{}).profile());
    }
    EXPECT_GT(speech[0], 1.0);
    EXPECT_GT(speech[1], speech[0] * 0.8);
}

struct RefusedCase {
    QStringList arguments;
    QByteArray input;
    const char* message;
};

TEST(SayToFile, RefusesBadUsageWithStatus2AndWritesNothing) {
    QTemporaryDir dir;
    const QString unknown = dir.filePath(QStringLiteral("speech.xyz"));
    const QString wav = dir.filePath(QStringLiteral("speech.wav"));
    const RefusedCase cases[] = {
        {{QStringLiteral("--out"), unknown, text}, {}, "unknown audio file type"},
        {{QStringLiteral("--rate"), QStringLiteral("10"), text}, {}, "from -9 to +9"},
        {{QStringLiteral("--rate"), QStringLiteral("-10"), text}, {}, "from -9 to +9"},
        {{QStringLiteral("--rate"), QStringLiteral("2x"), text}, {}, "from -9 to +9"},
        {{QStringLiteral("--rate")}, {}, "needs a value"},
        {{QStringLiteral("--bogus")}, {}, "unknown option"},
        {{QStringLiteral("--out"), wav}, QByteArray("ok \xff bad"), "byte offset 3"},
    };
    for (const RefusedCase& c : cases) {
        const SayRun run = say(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_TRUE(run.errors.contains(QLatin1String(c.message))) << run.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(unknown));
    EXPECT_FALSE(QFile::exists(wav));
}

} // namespace
} // namespace tellwick
