// Commands from other processes: what the window does for each, and the socket they come through.
#include "app/window_commands.h"
#include "platform/command_channel.h"

#include "window_fixture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

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
        EXPECT_EQ(runWindowCommand(*window, QString::fromLatin1(row.command)),
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
    CommandServer server([&](const QString& command) {
        received << command;
        return runWindowCommand(*window, command);
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
