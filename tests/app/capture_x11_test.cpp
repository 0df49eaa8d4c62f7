// Read Highlighted end to end under a real X server, with the real window and the real clipboard:
// a terminal runs a program, and the text highlighted there, if any, must land in our box without
// a key reaching the terminal (Ctrl+C there would interrupt its program). Our side is this test
// program itself, started again in a helper role; the X server is Xvfb with openbox as the window
// manager.

#include "app/window_main.h"
#include "support/x_session.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QProcess>

#include <csignal>
#include <cstdlib>

namespace tellwick {
namespace {

const QByteArray boxMarker = "box:";

// Tellwick's window, with no voice (only the box's text counts), reads highlighted; with
// unhighlight, the highlight anywhere is dropped first.
[[noreturn]] void runReader(bool unhighlight) {
    setUncaughtSink([](QWidget*, const QString&) {});
    WindowServices platform = makeWindowServices();
    platform.voices = {};
    MainWindow window(std::move(platform));
    window.show();
    window.activateWindow();
    if (!waitFor([&] { return window.isActiveWindow(); }, 10000))
        std::_Exit(3);
    if (unhighlight)
        QGuiApplication::clipboard()->clear(QClipboard::Selection);
    const QString welcome = window.inputText();
    runHandler(&window, [&] { window.onReadHighlightedClicked(); });
    // The highlight is asked from the terminal while the window goes on.
    waitFor([&] { return window.inputText() != welcome; }, 3000);
    say(boxMarker + withoutTrailingLineBreaks(window.inputText()).toUtf8() + "\n");
    std::_Exit(0);
}

// Runs before the tests when this program was started in one of these helper roles.
const bool helperRoleRan = [] {
    const QByteArray role = helperRole();
    if (role == "reader" || role == "reader-unhighlighted") {
        helperApplication();
        runReader(role == "reader-unhighlighted");
    }
    return false;
}();

// Our window reads highlighted; the box's text, or why it failed.
QString runReaderHelper(const XSession& session, const char* role, bool* ok) {
    *ok = false;
    QProcess reader;
    session.startHelper(reader, role);
    if (!reader.waitForFinished(30000))
        return QStringLiteral("the reader did not finish");
    const QByteArray out = reader.readAllStandardOutput();
    if (reader.exitCode() != 0 || !out.startsWith(boxMarker))
        return QStringLiteral("the reader failed with %1: %2")
            .arg(reader.exitCode())
            .arg(QString::fromUtf8(reader.readAllStandardError()));
    *ok = true;
    return QString::fromUtf8(out.mid(boxMarker.size()).chopped(1));
}

using ReadHighlightedX11 = XSessionTest;

TEST_F(ReadHighlightedX11, ATerminalsHighlightIsReadOrElseTheClipboardAndItsProgramLivesOn) {
    if (QStandardPaths::findExecutable(QStringLiteral("xterm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xterm and xdotool are needed";
    const QString line = QStringLiteral("Words highlighted in a terminal");
    const struct {
        const char* role;
        const char* program;
        QString box; // the clipboard is empty
    } rows[] = {
        {"reader", "sleep 86397", line},
        {"reader-unhighlighted", "sleep 86393", QString()},
    };
    for (const auto& row : rows) {
        const QString program = QString::fromLatin1(row.program);
        QProcess terminal;
        ASSERT_TRUE(session->highlightInTerminal(terminal, line, program))
            << row.role << ": the terminal never showed";
        bool ok = false;
        const QString box = runReaderHelper(*session, row.role, &ok);
        ASSERT_TRUE(ok) << row.role << ": " << box.toStdString();
        EXPECT_EQ(box.trimmed(), row.box) << row.role;
        EXPECT_TRUE(session->runTool(QStringLiteral("pgrep"), {"-x", "-f", program}))
            << row.role << ": the program in the terminal was interrupted";
        EXPECT_EQ(session->heldKeys(), 0) << row.role;
        terminal.kill();
        terminal.waitForFinished(5000);
    }
}

// A signal that comes amid Read Highlighted ends the program as a closed window does, with no key
// held in the X session.
TEST_F(ReadHighlightedX11, ASignalDuringReadHighlightedEndsTheProgramWithNoKeyHeld) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is needed";
    const struct {
        const char* name;
        int signal;
        int afterMs; // from the key press that starts Read Highlighted
    } rows[] = {
        {"terminate", SIGTERM, 250},
        {"interrupt", SIGINT, 420},
        {"hang up", SIGHUP, 250},
    };
    for (const auto& row : rows) {
        QProcess window;
        session->startProgram(window, QStringLiteral(TELLWICK_BINARY), {});
        const auto found =
            session->runTool(QStringLiteral("xdotool"),
                             {"search", "--sync", "--onlyvisible", "--name", "^Tellwick$"});
        ASSERT_TRUE(found) << row.name << ": the window never showed";
        const QString id = QString::fromLatin1(found->trimmed().split('\n').first());
        ASSERT_TRUE(session->runTool(QStringLiteral("xdotool"),
                                     {"windowactivate", "--sync", id, "key", "alt+h"}));
        QThread::msleep(row.afterMs);
        ::kill(static_cast<pid_t>(window.processId()), row.signal);
        EXPECT_TRUE(window.waitForFinished(10000)) << row.name << ": the program did not end";
        EXPECT_EQ(window.exitStatus(), QProcess::NormalExit) << row.name;
        EXPECT_EQ(session->heldKeys(), 0) << row.name;
        window.kill();
        window.waitForFinished(5000);
    }
}

} // namespace
} // namespace tellwick
