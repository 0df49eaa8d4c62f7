#include "support/pulse_server.h"
#include "support/recorded_sound.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/stat.h>

namespace tellwick {
namespace {

struct SayRun {
    int exitCode = -1; // -1 when the program crashed or never ended
    QString errors;
};

SayRun runSay(const QStringList& arguments,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TELLWICK_BINARY), QStringList{QStringLiteral("say")} + arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

const QString longText = QStringLiteral(
    "This sentence is long enough that the speech of it takes several seconds to write out, and "
    "then it goes on for a good while longer so that a signal comes in the middle of it.");

TEST(SayCommand, AFullDiskIsAFailureNamingTheCause) {
    QTemporaryDir dir;
    for (const char* extension : {"wav", "flac", "ogg", "mp3"}) {
        const QString path = dir.filePath(QStringLiteral("full.") + QLatin1String(extension));
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path));
        const SayRun run = runSay({QStringLiteral("-o"), path, longText});
        EXPECT_EQ(run.exitCode, 1) << extension;
        EXPECT_TRUE(run.errors.contains(QLatin1String("No space left on device")))
            << extension << ": " << run.errors.toStdString();
    }
}

TEST(SayCommand, NoTextStillWritesAFileThatOpens) {
    QTemporaryDir dir;
    for (const char* extension : {"wav", "flac", "ogg", "mp3"}) {
        const QString path = dir.filePath(QStringLiteral("empty.") + QLatin1String(extension));
        ASSERT_EQ(runSay({QStringLiteral("--out=") + path, QString()}).exitCode, 0) << extension;
        const std::optional<RecordedSound> sound = readSoundFile(path);
        ASSERT_TRUE(sound) << extension;
        EXPECT_EQ(speechSeconds(sound->profile()), 0.0) << extension;
    }
}

TEST(SayCommand, MissingEnglishDictionaryIsAFailure) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("espeak-ng-data"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("cp"),
                                {QStringLiteral("-r"),
                                 QStringLiteral("/usr/lib/x86_64-linux-gnu/espeak-ng-data"), data}),
              0);
    ASSERT_TRUE(QFile::remove(data + QStringLiteral("/en_dict")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ESPEAK_DATA_PATH"), dir.path());
    const SayRun run =
        runSay({QStringLiteral("--voice"), QStringLiteral("espeak-ng-en"), QStringLiteral("--out"),
                dir.filePath(QStringLiteral("x.wav")), longText},
               environment);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QLatin1String("en_dict"))) << run.errors.toStdString();
}

TEST(SayCommand, ASignalEndsWritingWithTheShellsStatus) {
    const struct {
        int signal;
        int exitCode;
    } rows[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.flac"));
    for (const auto& row : rows) {
        QFile::remove(path);
        QProcess process;
        process.start(QStringLiteral(TELLWICK_BINARY),
                      {QStringLiteral("say"), QStringLiteral("--rate=-9"), QStringLiteral("-o"),
                       path, longText.repeated(20)});
        ASSERT_TRUE(process.waitForStarted());
        // The signal comes once the file is being written: a signal that the shell running the
        // tests ignores would otherwise be ignored by a program not yet listening for it.
        QDeadlineTimer writing(10000);
        while (QFileInfo(path).size() == 0 && !writing.hasExpired())
            QThread::msleep(10);
        ::kill(pid_t(process.processId()), row.signal);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << row.signal;
        EXPECT_EQ(process.exitCode(), row.exitCode) << row.signal;
        EXPECT_TRUE(readSoundFile(path)) << row.signal;
    }
}

// A pipe takes no format whose header is completed at the end: that header would claim no sound.
TEST(SayCommand, APipeTakesOnlyAFormatWrittenFromStartToEnd) {
    const struct {
        const char* extension;
        int exitCode;
    } rows[] = {{"wav", 2}, {"flac", 2}, {"ogg", 0}};
    QTemporaryDir dir;
    for (const auto& row : rows) {
        const QString pipe = dir.filePath(QStringLiteral("pipe.") + QLatin1String(row.extension));
        ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString received = dir.filePath(QStringLiteral("received.ogg"));
        QProcess reader;
        reader.setStandardOutputFile(received);
        reader.start(QStringLiteral("cat"), {pipe});
        ASSERT_TRUE(reader.waitForStarted());
        const SayRun run = runSay({QStringLiteral("-o"), pipe, QStringLiteral("Hello there.")});
        EXPECT_EQ(run.exitCode, row.exitCode) << row.extension << ": " << run.errors.toStdString();
        if (row.exitCode == 0) {
            ASSERT_TRUE(reader.waitForFinished(10000));
            const std::optional<RecordedSound> sound = readSoundFile(received);
            ASSERT_TRUE(sound) << row.extension;
            EXPECT_GT(speechSeconds(sound->profile()), 0.3) << row.extension;
        } else {
            EXPECT_TRUE(run.errors.contains(QLatin1String("header"))) << row.extension;
            reader.kill();
            reader.waitForFinished(5000);
        }
    }
}

// How a process ended: "exit N", or "signal N" (Qt keeps the signal's number as the exit code).
QString ending(const QProcess& process) {
    return QStringLiteral("%1 %2")
        .arg(process.exitStatus() == QProcess::NormalExit ? QStringLiteral("exit")
                                                          : QStringLiteral("signal"))
        .arg(process.exitCode());
}

// Ending the program while Qt's PulseAudio backend still serves the output used to crash it now
// and then; every run, played out or interrupted at any moment, ends as it should. An interrupt
// that comes before the program has set up its handler ends it by the signal itself.
TEST(SayCommand, SpeakingEndsCleanlyEveryTime) {
    PulseServer server;
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    const QStringList interruptedEndings{QStringLiteral("exit 130"),
                                         QStringLiteral("signal %1").arg(SIGINT)};
    constexpr int runs = 30;
    for (int i = 0; i < runs; ++i) {
        const SayRun played = runSay({QString()});
        EXPECT_EQ(played.exitCode, 0) << "run " << i << ": " << played.errors.toStdString();

        QProcess process;
        process.start(QStringLiteral(TELLWICK_BINARY), {QStringLiteral("say"), longText});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(300));
        ::kill(pid_t(process.processId()), SIGINT);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_TRUE(interruptedEndings.contains(ending(process)))
            << "run " << i << ": " << ending(process).toStdString();
    }
}

} // namespace
} // namespace tellwick

namespace tellwick {
namespace {

// What espeak-ng's voice says, respellings included, as espeak-ng prints phonemes.
TEST(SayCommand, PrintsThePhonemesTheVoiceSays) {
    const struct {
        const char* name;
        QStringList arguments;
        QByteArray out;
    } rows[] = {
        {"plain text", {"--phonemes", "I live here"}, "aI l'Iv h'i@3\n"},
        {"a respelling", {"--phonemes", "the live wire"}, "D@ l'aIv w'aI@\n"},
        {"in IPA",
         {"--ipa", "the live wire"},
         "\xC3\xB0\xC9\x99 l\xCB\x88\x61\xC9\xAAv w\xCB\x88\x61\xC9\xAA\xC9\x99\n"},
        {"a line per clause", {"--phonemes", "Second, clause"}, "s'Ek@nd\nkl'O:z\n"},
        {"a homograph decided by its neighbours", {"--phonemes", "molten lead"}, "m'oUlt@n l'Ed\n"},
        {"espeak-ng's own homographs",
         {"--phonemes", "--engine-heteronyms", "molten lead"},
         "m'oUlt@n l'i:d\n"},
        {"a numeral in words", {"--phonemes", "Henry VIII"}, "h'Enri DI2; 'eItT\n"},
        {"what is read in words", {"--explain", "Henry VIII"}, "VIII\troman numeral\tthe eighth\n"},
        // Each homograph decided, a line each, at its place in the user's text; a respelled word
        // is the rewriter's and is not listed.
        {"homographs explained",
         {"--explain", "Did you read the letter? The project was late."},
         "read\t8\tread_present\t'\xC9\xB9i\xCB\x90"
         "d\tgrammar\n"
         "project\t29\tproject_nou\t'"
         "p\xC9\xB9\xC9\x91\xCB\x90\xCB\x8C\xCA\xA4\xC9\x9Bkt\tgrammar\n"},
        {"a respelled word unexplained", {"--explain", "They live here"}, ""},
        {"nothing explained left to espeak-ng",
         {"--explain", "--engine-heteronyms", "Did you read it?"},
         ""},
    };
    for (const auto& row : rows) {
        QProcess process;
        process.start(QStringLiteral(TELLWICK_BINARY),
                      QStringList{QStringLiteral("say"), QStringLiteral("--voice"),
                                  QStringLiteral("espeak-ng-en")} +
                          row.arguments);
        ASSERT_TRUE(process.waitForFinished(30000)) << row.name;
        EXPECT_EQ(process.exitCode(), 0) << row.name;
        EXPECT_EQ(process.readAllStandardOutput(), row.out) << row.name;
    }
}

} // namespace
} // namespace tellwick

namespace tellwick {
namespace {

// flite's and festival's voices print cmudict's phones for --phonemes, and the IPA for --ipa as
// espeak-ng does: a word's stress mark before its syllable, with the consonants that can begin it.
TEST(SayCommand, EveryEnginePrintsTheIpa) {
    const struct {
        const char* voice;
        const char* text;
        QByteArray out;
    } rows[] = {
        {"flite-slt", "red about extreme", "ˈɹɛd əˈbaʊt ɪkˈstɹiːm\n"},
        {"flite-slt", "The nurses explained strengths", "ðə ˈnɝsəz ɪkˈspleɪnd ˈstɹɛŋkθs\n"},
        {"flite-slt", "A butter letter, then", "ə ˈbʌtɚ ˈlɛtɚ\nˈðɛn\n"},
        {"festival-slt-hts", "red about extreme", "ˈɹɛd əˈbaʊt ɪkˈstɹiːm\n"},
        {"festival-slt-hts", "The nurses explained strengths", "ðə ˈnɝsəz ɪkˈspleɪnd ˈstɹɛŋkθs\n"},
        // festival's line is an utterance's.
        {"festival-slt-hts", "A butter letter, then", "ə ˈbʌtɚ ˈlɛtɚ ˈðɛn\n"},
    };
    for (const auto& row : rows) {
        QProcess process;
        process.start(QStringLiteral(TELLWICK_BINARY),
                      {QStringLiteral("say"), QStringLiteral("--voice"), QLatin1String(row.voice),
                       QStringLiteral("--ipa"), QString::fromUtf8(row.text)});
        ASSERT_TRUE(process.waitForFinished(30000)) << row.voice << ": " << row.text;
        EXPECT_EQ(process.exitCode(), 0) << row.voice << ": " << row.text;
        EXPECT_EQ(process.readAllStandardOutput(), row.out) << row.voice << ": " << row.text;
    }
}

// A model that is missing or damaged is said once, and espeak-ng reads the homographs its way.
TEST(SayCommand, AnUnusableModelLeavesTheHomographsToEspeak) {
    QTemporaryDir dir;
    QFile damaged(dir.filePath(QStringLiteral("damaged.model")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("TWHOMOGRAPHS3\nnot a model at all");
    damaged.close();
    const struct {
        const char* name;
        QString path;
        const char* cause;
    } rows[] = {
        {"missing", dir.filePath(QStringLiteral("none.model")), "cannot open"},
        {"damaged", damaged.fileName(), "checksum"},
    };
    for (const auto& row : rows) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TELLWICK_HOMOGRAPH_MODEL"), row.path);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TELLWICK_BINARY),
                      {QStringLiteral("say"), QStringLiteral("--voice"),
                       QStringLiteral("espeak-ng-en"), QStringLiteral("--phonemes"),
                       QStringLiteral("molten lead. Molten lead.")});
        ASSERT_TRUE(process.waitForFinished(30000)) << row.name;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << row.name;
        EXPECT_EQ(process.exitCode(), 0) << row.name;
        EXPECT_EQ(process.readAllStandardOutput(), "m'oUlt@n l'i:d\nm'oUlt@n l'i:d\n") << row.name;
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << row.name << ": " << errors.toStdString();
        EXPECT_TRUE(errors.contains(QLatin1String(row.cause))) << row.name;
    }
}

// The user's own words of each sentence, a line each, whatever the rewriter and the voice made of
// them; nothing to follow where nothing is heard.
TEST(SayCommand, FollowPrintsEachSentenceAsItIsHeard) {
    PulseServer server;
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    const struct {
        const char* name;
        QStringList arguments;
        QByteArray out;
        int exitCode;
    } rows[] = {
        {"sentences with respellings and line breaks",
         {"--follow", "We will resume\r\nthe work [a note] now.  They live here.\n\nRead it!"},
         "We will resume the work [a note] now.\nThey live here.\nRead it!\n",
         0},
        {"a flite voice",
         {"--voice", "flite-slt", "--follow",
          "We will resume\r\nthe work [a note] now.  They live here.\n\nRead it!"},
         "We will resume the work [a note] now.\nThey live here.\nRead it!\n",
         0},
        {"no text", {"--follow", ""}, "", 0},
        {"writing a file", {"--follow", "--out", "x.wav", "Hello."}, "", 2},
        {"printing phonemes", {"--follow", "--ipa", "Hello."}, "", 2},
    };
    for (const auto& row : rows) {
        QProcess process;
        process.start(QStringLiteral(TELLWICK_BINARY),
                      QStringList{QStringLiteral("say")} + row.arguments);
        ASSERT_TRUE(process.waitForFinished(30000)) << row.name;
        EXPECT_EQ(process.exitCode(), row.exitCode)
            << row.name << ": " << process.readAllStandardError().toStdString();
        EXPECT_EQ(process.readAllStandardOutput(), row.out) << row.name;
    }
}

} // namespace
} // namespace tellwick
