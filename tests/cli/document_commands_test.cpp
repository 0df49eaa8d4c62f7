#include "pronunciation/normaliser.h"
#include "speech/audio_file.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <vector>

namespace tellwick {
namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CommandRun runTellwick(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TELLWICK_BINARY), arguments);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString writeFile(const QTemporaryDir& folder, const char* name, const QByteArray& bytes) {
    const QString path = folder.filePath(QString::fromUtf8(name));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

TEST(DocumentCommands, RespellAndSayReadDocumentsByTheirContents) {
    const struct {
        const char* name;
        const char* command;
        const char* fileName;
        QByteArray contents;
        int exitCode;
        QByteArray out;
        QByteArray errContains;
    } rows[] = {
        {"HTML named as text", "respell", "page.txt",
         "<html><script>x=1</script><h1>Dr. Who</h1><p>3 &amp; 4</p></html>", 0, "doctor Who 3 & 4",
         ""},
        {"Windows-1252, said once", "respell", "old.txt",
         "caf\xE9 \x93"
         "Dr. No\x94",
         0,
         "caf\xC3\xA9 \xE2\x80\x9C"
         "doctor No\xE2\x80\x9D",
         "old.txt: not UTF-8: read as Windows-1252"},
        {"UTF-16", "respell", "wide.txt",
         QByteArray("\xFF\xFE"
                    "D\0r\0.\0 \0X\0",
                    12),
         0, "doctor X", ""},
        {"damaged PDF", "respell", "bad.pdf", "%PDF-1.4 cut", 2, "",
         "tellwick respell: bad.pdf: a damaged PDF"},
        {"say: a picture", "say", "photo.pdf", QByteArray("\x89PNG\r\n\x1A\n\0\0", 10), 2, "",
         "tellwick say: photo.pdf: binary data"},
        {"say: phonemes of a page", "say", "page.html", "<html><p>Hello</p></html>", 0, "h@l'oU\n",
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QString path = writeFile(folder, row.fileName, row.contents);
        const QString command = QString::fromUtf8(row.command);
        const CommandRun run =
            runTellwick(command == u"say" ? QStringList{"say", "--voice", "espeak-ng-en",
                                                        "--phonemes", "--file", path}
                                          : QStringList{"respell", path});
        EXPECT_EQ(run.exitCode, row.exitCode) << run.err.toStdString();
        EXPECT_EQ(run.out.trimmed(), row.out.trimmed());
        EXPECT_TRUE(run.err.contains(row.errContains)) << run.err.toStdString();
        EXPECT_LE(run.err.count('\n'), 1);
    }
}

std::vector<short> samplesOf(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (file == nullptr)
        return {};
    std::vector<short> samples(std::size_t(info.frames));
    sf_read_short(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

// Each process synthesises its parts as one voice would. espeak-ng carries some state of its own
// from one piece to the next, which no caller can reset, so a part that a process starts afresh
// differs by a few samples in its voicing from the same part spoken after the ones before it; its
// first part is the same to the sample, and every part is there, in order. flite's utterances owe
// nothing to those before them: its files are the same to the sample however they are made.
TEST(DocumentCommands, ExportInProcessesMatchesOneSynthesis) {
    const struct {
        const char* voice;
        int sentences;
        std::size_t samplesTheSame; // from the start; 0 for every sample
    } rows[] = {
        {"espeak-ng-en", 400, 200000},
        {"flite-slt", 120, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.voice);
        QString sentences;
        for (int sentence = 0; sentence < row.sentences; ++sentence)
            sentences += QStringLiteral("Sentence %1 is read here. ").arg(sentence);
        QTemporaryDir folder;
        const QString text = writeFile(folder, "book.txt", sentences.toUtf8());
        const QString alone = folder.filePath(QStringLiteral("alone.wav"));
        QString error;
        // What say gives the voice: the numbers are said in words.
        const QString spoken =
            QString::fromStdU16String(speakableText(sentences.toStdU16String(), {}).text);
        ASSERT_TRUE(writeSpeechFile(
            spoken, 1, alone, [] { return false; }, &error, {}, QLatin1String(row.voice)))
            << error.toStdString();
        const std::vector<short> expected = samplesOf(alone);
        ASSERT_GT(expected.size(), 200000u);

        for (const int jobs : {1, 3}) {
            SCOPED_TRACE(jobs);
            const QString out = folder.filePath(QStringLiteral("jobs%1.wav").arg(jobs));
            const CommandRun run =
                runTellwick({"say", "--voice", QLatin1String(row.voice), "--jobs",
                             QString::number(jobs), "--file", text, "--out", out});
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            const std::vector<short> samples = samplesOf(out);
            if (jobs == 1 || row.samplesTheSame == 0) {
                EXPECT_TRUE(samples == expected);
                continue;
            }
            EXPECT_NEAR(double(samples.size()), double(expected.size()), expected.size() * 0.002);
            EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + row.samplesTheSame,
                                   samples.begin()));
        }
    }
}

} // namespace
} // namespace tellwick
