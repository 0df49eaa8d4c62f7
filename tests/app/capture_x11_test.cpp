// Read Highlighted end to end under a real X server: a second program holds highlighted text, our
// window is in front, and the text must land in our box: from the primary selection when there is
// one, else through real XTest keys, the window manager's Alt+Tab and the real clipboard. The two
// programs are this test program itself, started again in a helper role; the X server is Xvfb with
// openbox as the window manager.

#include "capture/paste_clear.h"
#include "capture/read_highlighted.h"
#include "platform/platform.h"
#include "trainer/trainer.h"

#include "support/x_session.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>

#include <csignal>
#include <cstdlib>

namespace tellwick {
namespace {

const QString sourceText = QStringLiteral("Highlighted in the other window \u2713");
const QByteArray readyLine = "ready\n";
const QByteArray boxMarker = "box:";

// The other application: its text is highlighted, and its text box copies it on Ctrl+C. It lets
// go of the primary selection, so that only the keys can fetch the text.
[[noreturn]] void runSource(QApplication& application) {
    QPlainTextEdit source;
    source.setWindowTitle(QStringLiteral("source"));
    source.setPlainText(sourceText);
    source.selectAll();
    QGuiApplication::clipboard()->clear(QClipboard::Selection);
    source.show();
    source.activateWindow();
    QTimer announce;
    QObject::connect(&announce, &QTimer::timeout, [&] {
        if (source.isActiveWindow()) {
            say(readyLine);
            announce.stop();
        }
    });
    announce.start(50);
    application.exec();
    std::_Exit(0);
}

// Tellwick's side: a box behind the window view, the real platform, then Read Highlighted.
class ReaderWindow : public QWidget, public WindowView {
public:
    ReaderWindow() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(box);
        setWindowTitle(QStringLiteral("reader"));
    }
    QString inputText() const override {
        return box->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    }
    void setInputText(const QString& text) override {
        box->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    void focusInput() override { box->setFocus(); }
    void showPaused(bool) override {}

private:
    QPlainTextEdit* box = new QPlainTextEdit;
};

[[noreturn]] void runReader() {
    ReaderWindow window;
    window.resize(300, 200);
    window.show();
    window.activateWindow();
    if (!waitFor([&] { return window.isActiveWindow(); }, 10000))
        std::_Exit(3);
    Platform platform = makePlatform();
    if (!platform.systemKeyboard || !platform.clipboard)
        std::_Exit(4);
    WindowState state;
    readHighlighted(
        window, platform.systemKeyboard.get(), *platform.clipboard,
        [&] { pasteClipboard(window, state, *platform.clipboard); }, [] {});
    say(boxMarker + StripTrailingCrLf(window.inputText()).toUtf8() + "\n");
    std::_Exit(0);
}

// Runs before the tests when this program was started in one of these helper roles.
const bool helperRoleRan = [] {
    const QByteArray role = helperRole();
    if (role == "source")
        runSource(helperApplication());
    if (role == "reader") {
        helperApplication();
        runReader();
    }
    return false;
}();

// Our window reads highlighted; the box's text, or why it failed.
QString runReaderHelper(const XSession& session, bool* ok) {
    *ok = false;
    QProcess reader;
    session.startHelper(reader, "reader");
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

// One try of the whole scene with the source program; the box's text, or why it failed.
QString readHighlightedOnce(const XSession& session, bool* ok) {
    *ok = false;
    QProcess source;
    session.startHelper(source, "source");
    if (!XSession::waitForOutput(source, [](const QByteArray& out) { return out == readyLine; }))
        return QStringLiteral("the source window never became active");
    const QString box = runReaderHelper(session, ok);
    source.kill();
    source.waitForFinished(5000);
    return box;
}

using ReadHighlightedX11 = XSessionTest;

TEST_F(ReadHighlightedX11, HighlightedTextOfAnotherWindowLandsInTheBox) {
    // The scene hangs on fixed waits and on two other processes; a busy machine may miss one, so
    // it gets three tries before it counts as failed.
    QString box;
    bool ok = false;
    for (int attempt = 0; attempt < 3 && !(ok && box == sourceText); ++attempt)
        box = readHighlightedOnce(*session, &ok);
    ASSERT_TRUE(ok) << box.toStdString();
    EXPECT_EQ(box, sourceText);
}

// A terminal that runs a program, with a line highlighted by the mouse: Ctrl+C there would
// interrupt the program. The highlighted line must be read and the program must live on.
TEST_F(ReadHighlightedX11, TextHighlightedInATerminalIsReadAndItsProgramLivesOn) {
    if (QStandardPaths::findExecutable(QStringLiteral("xterm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xterm and xdotool are needed";
    const QString line = QStringLiteral("Words highlighted in a terminal");
    const QString program = QStringLiteral("sleep 86397");
    QProcess terminal;
    ASSERT_TRUE(session->highlightInTerminal(terminal, line, program))
        << "the terminal never showed";

    bool ok = false;
    const QString box = runReaderHelper(*session, &ok);
    ASSERT_TRUE(ok) << box.toStdString();
    EXPECT_EQ(box.trimmed(), line);
    EXPECT_TRUE(session->runTool(QStringLiteral("pgrep"), {"-x", "-f", program}))
        << "the program in the terminal was interrupted";
    terminal.kill();
    terminal.waitForFinished(5000);
}

} // namespace
} // namespace tellwick

namespace tellwick {
namespace {

// A signal that ends the program while the key macro holds Alt or Ctrl: the key must not stay held
// for the rest of the X session, and the program must end as a closed window does.
TEST_F(ReadHighlightedX11, ASignalDuringTheKeyMacroReleasesEveryKeyAndEndsTheProgram) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is needed";
    const struct {
        const char* name;
        int signal;
        int afterMs; // from the key press that starts Read Highlighted
    } rows[] = {
        {"terminate while Alt is held", SIGTERM, 250},
        {"interrupt while Ctrl is held", SIGINT, 420},
        {"hang up while Alt is held", SIGHUP, 250},
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
