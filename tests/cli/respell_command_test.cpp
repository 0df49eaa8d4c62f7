#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace tellwick {
namespace {

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Time enough for a sanitizer build on a busy machine, which rewrites a few megabytes in tens of
// seconds; only a rewrite that never ends should run out of it.
constexpr int rewriteTimeoutMs = 120000;

ProcessResult runRespell(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral(TELLWICK_BINARY), QStringList{"respell"} + arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(rewriteTimeoutMs);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

struct CommandCase {
    QStringList arguments;
    QByteArray input;
    int exitCode;
    QByteArray out;
    QByteArray errContains;
};

TEST(RespellCommand, OptionsInputAndExitStatus) {
    const CommandCase cases[] = {
        {{}, "", 0, "", ""},
        {{}, "a\r\nb [x] 3.14", 0, "a  b   3 point 1 4", ""},
        // Line break bytes come out as they went in, in any order and mix.
        {{"--pause-at-line-breaks"}, "x\r\n\n\r y\n\r", 0, "x\r\n\n\r y\n\r", ""},
        {{"--read-square-brackets"}, "word [12] more", 0, "word  12, more", ""},
        {{"--pause-at-line-breaks", "--read-square-brackets"}, "[1]\r\n", 0, " 1,\r\n", ""},
        {{"-"}, "5\xC2\xB2 caf\xC3\xA9", 0, "5 squared  caf\xC3\xA9", ""},
        {{},
         "ab\xFF"
         "cd",
         2,
         "",
         "offset 2"},
        {{}, "\xE2\x80\x94\xC3", 2, "", "offset 3"},
        {{"--loud"}, "x", 2, "", "Usage"},
        {{"a.txt", "b.txt"}, "x", 2, "", "Usage"},
        {{"/nonexistent/tellwick-input.txt"}, "", 1, "", "/nonexistent/tellwick-input.txt"},
        {{"--help"}, "", 0, "", ""},
    };
    for (const CommandCase& c : cases) {
        const ProcessResult run = runRespell(c.arguments, c.input);
        const std::string what =
            c.arguments.join(' ').toStdString() + " <- " + c.input.toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what;
        if (c.arguments != QStringList{"--help"}) {
            EXPECT_EQ(run.out, c.out) << what;
        }
        EXPECT_TRUE(run.err.contains(c.errContains)) << what << ": " << run.err.toStdString();
    }
}

TEST(RespellCommand, InputThatCannotBeReadIsAFailureNotAnEmptyText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess fromStdin;
    fromStdin.setStandardInputFile(dir.path());
    fromStdin.start(QStringLiteral(TELLWICK_BINARY), {QStringLiteral("respell")});
    ASSERT_TRUE(fromStdin.waitForFinished(30000));
    EXPECT_EQ(fromStdin.exitCode(), 1);
    EXPECT_TRUE(fromStdin.readAllStandardError().contains("standard input"));

    const ProcessResult fromDirectory = runRespell({dir.path()}, "");
    EXPECT_EQ(fromDirectory.exitCode, 1);
    EXPECT_TRUE(fromDirectory.err.contains(dir.path().toUtf8())) << fromDirectory.err.toStdString();
}

TEST(RespellCommand, ReadsAFileAndReportsItsVersion) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("input.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Dr. Smith\r\n12\r\n");
    file.close();
    EXPECT_EQ(runRespell({"--pause-at-line-breaks", path}, "ignored").out,
              QByteArray("doctor Smith\r\n  \r\n"));

    const ProcessResult help = runRespell({"--help"}, "");
    EXPECT_TRUE(help.out.contains("--pause-at-line-breaks"));
    const ProcessResult version = runRespell({"--version"}, "");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.contains(TELLWICK_VERSION));
}

// Inputs of several megabytes are mapped from a file, or read from a pipe into memory that grows.
TEST(RespellCommand, RewritesALargeInputWholeOrNotAtAll) {
    constexpr int repeats = 500000; // 5.5 MB
    const struct {
        const char* name;
        QByteArray tail;
        int exitCode;
        QByteArray out;
        QByteArray errContains;
    } rows[] = {
        {"valid", "", 0, QByteArray("doctor Smith. ").repeated(repeats), ""},
        {"invalid at the end", "\xC3", 2, "", "offset 5500000"},
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        const QByteArray input = QByteArray("Dr. Smith. ").repeated(repeats) + row.tail;
        const QString path = dir.filePath(QLatin1String(row.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(input);
        file.close();
        // A file that is not UTF-8 is old 8-bit text (see DocumentCommands); a pipe must be UTF-8.
        std::vector<ProcessResult> runs = {runRespell({}, input)};
        if (row.exitCode == 0)
            runs.push_back(runRespell({path}, ""));
        for (const ProcessResult& run : runs) {
            EXPECT_EQ(run.exitCode, row.exitCode) << row.name;
            EXPECT_TRUE(run.out == row.out) << row.name << ": " << run.out.size() << " bytes";
            EXPECT_TRUE(run.err.contains(row.errContains))
                << row.name << ": " << run.err.toStdString();
        }
    }
}

// The input is read whole before anything is written (say reads a file the same way). A file that
// another program changes while it is read gives nothing but a message naming it; one changed once
// the rewrite is being written out changes nothing (the text was all read), and a truncation never
// kills the rewrite.
TEST(RespellCommand, AFileChangedWhileItIsReadIsAnErrorAndAfterwardsChangesNothing) {
    constexpr int repeats = 1000000; // 11 MB, far more than the output pipe holds
    const QByteArray text = QByteArray("Dr. Smith.\n").repeated(repeats);
    enum class Moment { WhileRead, WhileWritten };
    const QStringList respell = {QStringLiteral("respell")};
    const struct {
        const char* name;
        QStringList command; // the file's name follows
        Moment when;
        // Made again and again while the file is read, once while the rewrite is written.
        void (*change)(QFile&);
        int exitCode;
        QByteArray out;
    } rows[] = {
        {"growing while read", respell, Moment::WhileRead,
         [](QFile& file) {
             file.seek(file.size());
             file.write("Dr. Who.\n");
         },
         1, ""},
        {"cut shorter while read", respell, Moment::WhileRead,
         [](QFile& file) { file.resize(file.size() - 11); }, 1, ""},
        {"say: growing while read",
         {QStringLiteral("say"), QStringLiteral("--phonemes"), QStringLiteral("--file")},
         Moment::WhileRead,
         [](QFile& file) {
             file.seek(file.size());
             file.write("Dr. Who.\n");
         },
         1,
         ""},
        {"truncated while written", respell, Moment::WhileWritten,
         [](QFile& file) { file.resize(0); }, 0, QByteArray("doctor Smith. ").repeated(repeats)},
        {"an invalid byte written near the end while written", respell, Moment::WhileWritten,
         [](QFile& file) {
             file.seek(file.size() - 10);
             file.write("\xFF");
         },
         0, QByteArray("doctor Smith. ").repeated(repeats)},
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        QFile file(dir.filePath(QLatin1String(row.name)));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        // Lines, so that the rewrite goes a window at a time.
        file.write(text);
        std::atomic<bool> stop = false;
        std::thread changer;
        if (row.when == Moment::WhileRead) {
            changer = std::thread([&] {
                while (!stop)
                    row.change(file);
            });
        }
        QProcess process;
        // Each change grows or shrinks the file, and the changes go on while the rewrite runs at
        // the lowest priority: however busy the machine, some fall between its looks at the file.
        process.setChildProcessModifier([] { ::setpriority(PRIO_PROCESS, 0, 19); });
        process.start(QStringLiteral(TELLWICK_BINARY), row.command + QStringList{file.fileName()});
        if (row.when == Moment::WhileWritten) {
            // Writing has begun, and stops while this test reads nothing more.
            ASSERT_TRUE(process.waitForReadyRead(rewriteTimeoutMs)) << row.name;
            row.change(file);
        }
        const bool finished = process.waitForFinished(rewriteTimeoutMs);
        stop = true;
        if (changer.joinable())
            changer.join();
        ASSERT_TRUE(finished) << row.name;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << row.name;
        EXPECT_EQ(process.exitCode(), row.exitCode) << row.name;
        const QByteArray out = process.readAllStandardOutput();
        EXPECT_TRUE(out == row.out) << row.name << ": " << out.size() << " bytes";
        const QByteArray err = process.readAllStandardError();
        if (row.exitCode != 0) {
            EXPECT_TRUE(err.contains(file.fileName().toUtf8() + "' changed while it was read"))
                << row.name << ": " << err.toStdString();
        }
    }
}

} // namespace
} // namespace tellwick
