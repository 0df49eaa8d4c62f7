// Commands from other processes: what the window does for each, and the socket they come through.
#include "app/window_commands.h"
#include "platform/command_channel.h"

#include "window_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstring>
#include <vector>

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tellwick {
namespace {

using WindowCommands = WindowFixture;

TEST_F(WindowCommands, EachCommandActsAsItsButtonAndAnswers) {
    const struct {
        const char* name;
        std::optional<QString> selection;
        const char* command;
        const char* answer;
        QStringList calls; // of the voice, after a first reading of "One." was paused
        QString box;
    } rows[] = {
        // Paste appends 30 empty lines; the rewriter makes each CR and each LF a space.
        {"highlighted text is read",
         QStringLiteral("Far away."),
         "read-selection",
         "read",
         {"setRate 1", QStringLiteral("speak Far away.") + QString(60, u' ')},
         QStringLiteral("Far away.")},
        {"nothing highlighted", QString(), "read-selection", "empty", {}, QStringLiteral("One.")},
        {"no selection at all",
         std::nullopt,
         "read-selection",
         "empty",
         {},
         QStringLiteral("One.")},
        {"pause resumes", std::nullopt, "pause", "ok", {"resume"}, QStringLiteral("One.")},
        {"anything else",
         QStringLiteral("Far away."),
         "read",
         "unknown",
         {},
         QStringLiteral("One.")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startOver();
        window->setInputText(QStringLiteral("One."));
        click("cmdRead");
        click("cmdPause");
        voices.log().calls.clear();
        clipboard->selection = row.selection;
        EXPECT_EQ(answerTo(*window, QString::fromLatin1(row.command)),
                  QString::fromLatin1(row.answer));
        EXPECT_EQ(voices.log().calls, row.calls);
        EXPECT_EQ(window->inputText().trimmed(), row.box);
        EXPECT_TRUE(reported.isEmpty());
    }
}

// The real program as the client: it reaches this test's window through the socket, which only
// its owner may use; with no window listening it says so.
TEST_F(WindowCommands, TheSocketCarriesCommandsAndOnlyItsOwnerMayUseIt) {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QProcess pause;
    pause.start(QStringLiteral(TELLWICK_BINARY), {QStringLiteral("pause")});
    ASSERT_TRUE(pause.waitForFinished(10000));
    EXPECT_EQ(pause.exitCode(), 1);
    EXPECT_EQ(pause.readAllStandardError(), "tellwick: no Tellwick window is running\n");

    QStringList received;
    CommandServer server([&](const QString& command, CommandAnswer answer) {
        received << command;
        runWindowCommand(*window, command, std::move(answer));
    });
    QString error;
    ASSERT_TRUE(server.listen(&error)) << error.toStdString();
    const QFileInfo socket(commandSocketPath());
    EXPECT_EQ(socket.permissions() &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());

    clipboard->selection = QString();
    for (const char* command : {"pause", "read-selection"}) {
        QProcess client;
        client.start(QStringLiteral(TELLWICK_BINARY), {QString::fromLatin1(command)});
        QElapsedTimer timer;
        timer.start();
        while (client.state() != QProcess::NotRunning && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            client.waitForFinished(20);
        }
        EXPECT_EQ(client.exitCode(), command == std::string_view("pause") ? 0 : 1) << command;
    }
    EXPECT_EQ(received, QStringList({"pause", "read-selection"}));
}

} // namespace
} // namespace tellwick

namespace tellwick {
namespace {

// A window run as its own process on this test's runtime folder, ended by its id.
class WindowProcess {
public:
    explicit WindowProcess(int descriptorLimit = 0) {
        if (descriptorLimit > 0)
            process_.setChildProcessModifier([descriptorLimit] {
                const rlimit limit{rlim_t(descriptorLimit), rlim_t(descriptorLimit)};
                ::setrlimit(RLIMIT_NOFILE, &limit);
            });
        process_.start(QStringLiteral(TELLWICK_BINARY), {});
    }
    ~WindowProcess() { end(SIGKILL); }
    // Ends the window with signal and waits for it; its exit status.
    int end(int signal = SIGTERM) {
        if (process_.state() != QProcess::NotRunning) {
            ::kill(pid_t(process_.processId()), signal);
            process_.waitForFinished(10000);
        }
        return process_.exitCode();
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
};

std::optional<QString> send(const char* command) {
    QString error;
    return sendCommand(QString::fromLatin1(command), 5000, &error);
}

// Whether a window answers within the time.
bool answers() {
    QElapsedTimer timer;
    timer.start();
    while (!send("show")) {
        if (timer.elapsed() > 15000)
            return false;
        QThread::msleep(50);
    }
    return true;
}

sockaddr_un socketAddress() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(commandSocketPath());
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return address;
}

int connectToWindow() {
    const sockaddr_un address = socketAddress();
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

class CommandSocket : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir runtime;
};

// One window per user; the socket stays with the window that made it, through a flood of idle
// clients and a window started beside it.
TEST_F(CommandSocket, TheRunningWindowKeepsItsSocket) {
    WindowProcess first(64);
    ASSERT_TRUE(answers());

    // Another tellwick brings the running window to the front and ends.
    QProcess second;
    second.start(QStringLiteral(TELLWICK_BINARY), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(send("pause"), QStringLiteral("ok"));

    // More idle clients than the window has descriptors: it goes on listening once they leave.
    std::vector<int> idle;
    for (int i = 0; i < 100; ++i)
        idle.push_back(connectToWindow());
    for (const int descriptor : idle)
        if (descriptor >= 0)
            ::close(descriptor);
    EXPECT_TRUE(answers());

    // A client that never ends its line is dropped.
    const int silent = connectToWindow();
    ASSERT_GE(silent, 0);
    ASSERT_EQ(::write(silent, QByteArray(63, 'x').constData(), 63), 63);
    pollfd hangUp{silent, POLLIN, 0};
    ASSERT_EQ(::poll(&hangUp, 1, 15000), 1);
    char byte = 0;
    EXPECT_EQ(::read(silent, &byte, 1), 0);
    ::close(silent);

    // A window started while the socket was gone takes it; the first leaves it alone.
    ASSERT_TRUE(QFile::remove(commandSocketPath()));
    WindowProcess third;
    ASSERT_TRUE(answers());
    EXPECT_EQ(first.end(), 0);
    EXPECT_TRUE(first.process().readAllStandardError().contains(
        "tellwick: cannot take a command connection: Too many open files"));
    EXPECT_EQ(send("pause"), QStringLiteral("ok"));

    // The socket of a window that died is replaced by the next one.
    third.end(SIGKILL);
    ASSERT_TRUE(QFile::exists(commandSocketPath()));
    WindowProcess fourth;
    EXPECT_TRUE(answers());
}

// Nothing is sent, and no window listens, where the socket's folder is not the user's own.
TEST_F(CommandSocket, AFolderOthersMayUseIsRefused) {
    const QString folder = runtime.filePath(QStringLiteral("tellwick-%1").arg(::geteuid()));
    const QString elsewhere = runtime.filePath(QStringLiteral("elsewhere"));
    const struct {
        const char* name;
        void (*plant)(const QString& folder, const QString& elsewhere);
    } rows[] = {{"open to all",
                 [](const QString& folder, const QString&) {
                     QDir().mkdir(folder);
                     ::chmod(QFile::encodeName(folder).constData(), 0777);
                 }},
                {"a link to a private folder",
                 [](const QString& folder, const QString& elsewhere) {
                     QDir().mkdir(elsewhere);
                     ::chmod(QFile::encodeName(elsewhere).constData(), 0700);
                     QFile::link(elsewhere, folder);
                 }},
                {"a file", [](const QString& folder, const QString&) {
                     QFile file(folder);
                     file.open(QIODevice::WriteOnly);
                 }}};
    for (const auto& row : rows) {
        row.plant(folder, elsewhere);
        QString error;
        EXPECT_FALSE(sendCommand(QStringLiteral("pause"), 1000, &error)) << row.name;
        EXPECT_TRUE(error.contains(QLatin1String("not a private folder"))) << row.name;
        CommandServer server(
            [](const QString&, CommandAnswer answer) { answer(QStringLiteral("ok")); });
        EXPECT_FALSE(server.listen(&error)) << row.name;
        EXPECT_TRUE(error.contains(QLatin1String("not a private folder"))) << row.name;
        QDir(folder).removeRecursively();
        QFile::remove(folder);
        QDir(elsewhere).removeRecursively();
    }
}

// A socket that another user listens on gets nothing (needs root, to listen as another user).
TEST_F(CommandSocket, ASocketOfAnotherUserGetsNothing) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can listen as another user";
    const QString folder = QFileInfo(commandSocketPath()).path();
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0700), 0);
    const sockaddr_un address = socketAddress();
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const pid_t other = ::fork();
    if (other == 0) {
        // The listening socket carries the user that listens on it.
        if (::setresuid(65534, 65534, 65534) != 0 || ::listen(listening, 4) != 0)
            ::_exit(1);
        const int client = ::accept(listening, nullptr, nullptr);
        [[maybe_unused]] const ssize_t written = ::write(client, "read\n", 5);
        ::pause();
        ::_exit(0);
    }
    ::close(listening);
    QThread::msleep(200);
    QString error;
    EXPECT_FALSE(sendCommand(QStringLiteral("read-selection"), 2000, &error));
    EXPECT_TRUE(error.contains(QLatin1String("another user"))) << error.toStdString();
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
}

// A window that read-selection starts keeps none of the caller's streams, so a caller that reads
// the command's output gets its end when the command ends.
TEST_F(CommandSocket, AWindowStartedForACommandLetsTheCallerGo) {
    QProcess caller;
    caller.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("out=$(\"$0\" read-selection 2>&1); echo \"$out\""),
                  QStringLiteral(TELLWICK_BINARY)});
    EXPECT_TRUE(caller.waitForFinished(20000));
    EXPECT_EQ(caller.readAllStandardOutput(),
              "tellwick: nothing is highlighted (the primary selection is empty)\n");
    // The started window is ended by its id, which the socket tells.
    const int descriptor = connectToWindow();
    ASSERT_GE(descriptor, 0);
    ucred peer{};
    socklen_t size = sizeof peer;
    ASSERT_EQ(::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &peer, &size), 0);
    ::close(descriptor);
    ::kill(peer.pid, SIGTERM);
    caller.kill();
    caller.waitForFinished(5000);
}

} // namespace
} // namespace tellwick
