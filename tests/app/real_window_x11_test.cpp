// The real program under a real X server with real sound: a long random session of clicks and
// keys, with a program owning the clipboard for the first half and none for the second, after which
// the window must still answer and read aloud and no key may be held; and reading what is
// highlighted in another program without leaving it.
#include "support/pulse_server.h"

#include "support/x_session.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <random>

namespace tellwick {
namespace {

const QByteArray ownedTextVariable = "TELLWICK_TEST_OWNED_TEXT";

// Another program that owns the clipboard and the primary selection until it is ended.
[[noreturn]] void runClipboardOwner(QApplication& application) {
    const QString text = QString::fromUtf8(qgetenv(ownedTextVariable));
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
    QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
    say("owning\n");
    application.exec();
    std::_Exit(0);
}

// Another program that prints what the clipboard holds.
[[noreturn]] void runClipboardReader() {
    helperApplication();
    say(QGuiApplication::clipboard()->text().toUtf8());
    std::_Exit(0);
}

const bool clipboardHelperRan = [] {
    if (helperRole() == "clipboard-owner")
        runClipboardOwner(helperApplication());
    if (helperRole() == "clipboard-reader")
        runClipboardReader();
    return false;
}();

// What a user does, and how often, out of 100. Every button but the website one (it starts a
// browser) is reached by its access key or by Tab and Space; "<" and ">" by clicks.
const struct {
    int weight;
    const char* action;
} actions[] = {
    {8, "key alt+r"},      {6, "key alt+a"},        {4, "key alt+e"},       {4, "key alt+p"},
    {3, "key alt+c"},      {3, "key alt+s"},        {2, "key alt+x"},       {1, "key alt+h"},
    {12, "key Down"},      {4, "key Up"},           {6, "key Tab"},         {3, "key shift+Tab"},
    {4, "key space"},      {3, "key F2"},           {3, "key ctrl+v"},      {2, "key shift+Insert"},
    {5, "type Read me. "}, {2, "key Return"},       {4, "key Escape"},      {6, "click back"},
    {6, "click forward"},  {3, "middle-click box"}, {2, "right-click box"}, {4, "click box"},
};

// One xdotool command line: events paced so that the whole session takes a minute or so.
QStringList xdotoolEvents(std::mt19937& random, int count, const QString& window,
                          const QRect& area) {
    int total = 0;
    for (const auto& row : actions)
        total += row.weight;
    std::uniform_int_distribution<int> pick(0, total - 1);
    // The skip buttons stand near the bottom, left of the middle; the box fills the top.
    const QPoint back(area.width() * 2220 / 5275, area.height() * 7500 / 8040);
    const QPoint forward(area.width() * 2475 / 5275, area.height() * 7500 / 8040);
    std::uniform_int_distribution<int> boxX(10, area.width() - 30);
    std::uniform_int_distribution<int> boxY(10, area.height() * 6000 / 8040);
    QStringList arguments;
    for (int event = 0; event < count; ++event) {
        int chosen = pick(random);
        const char* action = actions[0].action;
        for (const auto& row : actions) {
            if ((chosen -= row.weight) < 0) {
                action = row.action;
                break;
            }
        }
        const QStringList words = QString::fromLatin1(action).split(u' ');
        const auto at = [&](QPoint point, const char* button) {
            arguments << "mousemove"
                      << "--window" << window << QString::number(point.x())
                      << QString::number(point.y()) << "click" << button;
        };
        const QPoint inBox(boxX(random), boxY(random));
        if (words[0] == "key")
            arguments << "key" << words[1];
        else if (words[0] == "type")
            arguments << "type"
                      << "--delay"
                      << "4" << QString::fromLatin1(action).mid(5);
        else if (words[1] == "back")
            at(back, "1");
        else if (words[1] == "forward")
            at(forward, "1");
        else if (words[0] == "middle-click")
            at(inBox, "2");
        else if (words[0] == "right-click") {
            at(inBox, "3");
            arguments << "sleep"
                      << "0.05"
                      << "key"
                      << "Escape";
        } else
            at(inBox, "1");
        arguments << "sleep"
                  << "0.05";
    }
    return arguments;
}

// Whether the process still runs, once its state has caught up with what it did meanwhile.
bool stillRunning(QProcess& process) {
    process.waitForFinished(10);
    return process.state() == QProcess::Running;
}

// The real program under a real X server with real sound.
class RealWindowX11 : public XSessionTest {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(pulse.start(&error)) << error.toStdString();
        XSessionTest::SetUp();
    }

    void startOwner(QProcess& owner, const QString& text) {
        QProcessEnvironment added;
        added.insert(QString::fromLatin1(ownedTextVariable), text);
        session->startProgram(owner, QCoreApplication::applicationFilePath(), {}, [&] {
            added.insert(QString::fromLatin1(helperRoleVariable),
                         QStringLiteral("clipboard-owner"));
            return added;
        }());
        ASSERT_TRUE(XSession::waitForOutput(
            owner, [](const QByteArray& out) { return out.contains("owning"); }));
    }

    // Starts the program and waits for its window; the window's id.
    QString startWindow(QProcess& window) {
        QProcessEnvironment sound;
        sound.insert(QStringLiteral("PULSE_SERVER"), pulse.address());
        session->startProgram(window, QStringLiteral(TELLWICK_BINARY), {}, sound);
        const auto found =
            session->runTool(QStringLiteral("xdotool"),
                             {"search", "--sync", "--onlyvisible", "--name", "^Tellwick$"});
        return found ? QString::fromLatin1(found->trimmed().split('\n').first()) : QString();
    }

    // Seconds of speech heard while the action runs and a few seconds after.
    template <typename Action> double speechHeardAfter(Action action) {
        if (!pulse.startRecording())
            return -1;
        action();
        QThread::msleep(4000);
        return speechSeconds(pulse.stopRecording().profile());
    }

    QString activeWindow() const {
        return QString::fromLatin1(session->runTool(QStringLiteral("xdotool"), {"getactivewindow"})
                                       .value_or("")
                                       .trimmed());
    }

    PulseServer pulse;
};

using RandomSessionX11 = RealWindowX11;
using ReadSelectionX11 = RealWindowX11;

// From a terminal that keeps the focus, the command and the global key read what is highlighted
// there, and the pause command silences the reading.
TEST_F(ReadSelectionX11, TheCommandAndTheKeyReadTheHighlightedTextWhereverTheUserIs) {
    for (const char* tool : {"xdotool", "parec", "xterm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is needed";
    ASSERT_TRUE(pulse.keepSinkAwake());
    QProcessEnvironment sound;
    sound.insert(QStringLiteral("PULSE_SERVER"), pulse.address());
    const auto runCommand = [&](const char* command) {
        QProcess client;
        session->startProgram(client, QStringLiteral(TELLWICK_BINARY), {command}, sound);
        client.waitForFinished(20000);
        return client.exitCode();
    };

    // No window runs yet: the command starts one, which reads.
    QProcess first;
    ASSERT_TRUE(session->highlightInTerminal(
        first,
        QStringLiteral("The first highlighted line is long enough to be heard for a good while, "
                       "so that it can be paused in its middle and then resumed from there, "
                       "with more words after that."),
        QStringLiteral("sleep 86396")));
    EXPECT_GT(speechHeardAfter([&] { EXPECT_EQ(runCommand("read-selection"), 0); }), 1.0);
    EXPECT_LT(speechHeardAfter([&] { EXPECT_EQ(runCommand("pause"), 0); }), 0.3);
    EXPECT_GT(speechHeardAfter([&] { EXPECT_EQ(runCommand("pause"), 0); }), 0.5);

    // The running window reads a new highlight, from the command and from the key, and the
    // terminal the user is in keeps the focus.
    QProcess second;
    const auto terminal = session->highlightInTerminal(
        second, QStringLiteral("A second line is read from wherever the user is."),
        QStringLiteral("sleep 86395"));
    ASSERT_TRUE(terminal);
    EXPECT_GT(speechHeardAfter([&] { EXPECT_EQ(runCommand("read-selection"), 0); }), 1.0);
    EXPECT_EQ(activeWindow(), *terminal);
    QProcess third;
    const auto keyed = session->highlightInTerminal(
        third, QStringLiteral("A third line is read with one key."), QStringLiteral("sleep 86394"));
    ASSERT_TRUE(keyed);
    EXPECT_GT(speechHeardAfter([&] {
                  session->runTool(QStringLiteral("xdotool"), {"key", "ctrl+alt+r"});
              }),
              1.0);
    EXPECT_EQ(activeWindow(), *keyed);

    // The box holds the line: F2 in the window copies the box's text over what another program
    // put on the clipboard since.
    QProcess owner;
    startOwner(owner, QStringLiteral("Something else entirely."));
    ASSERT_TRUE(session->runTool(QStringLiteral("xdotool"),
                                 {"search", "--onlyvisible", "--name", "^Tellwick$",
                                  "windowactivate", "--sync", "key", "F2"}));
    QProcess reader;
    session->startHelper(reader, "clipboard-reader");
    ASSERT_TRUE(reader.waitForFinished(10000));
    EXPECT_EQ(reader.readAllStandardOutput().trimmed(), "A third line is read with one key.");

    // The window was started by the first command, apart from this test: it is the one window of
    // that title on this test's own X server, ended by its process id alone.
    const auto windowPid =
        session->runTool(QStringLiteral("xdotool"),
                         {"search", "--onlyvisible", "--name", "^Tellwick$", "getwindowpid"});
    ASSERT_TRUE(windowPid);
    const auto pid = static_cast<pid_t>(windowPid->trimmed().toInt());
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::kill(pid, SIGTERM), 0);
    EXPECT_TRUE(waitFor([pid] { return ::kill(pid, 0) != 0; }, 10000));
    for (QProcess* process : {&first, &second, &third, &owner}) {
        process->kill();
        process->waitForFinished(5000);
    }
}

TEST_F(RandomSessionX11, AThousandRandomEventsLeaveTheWindowReadingAndNoKeyHeld) {
    for (const char* tool : {"xdotool", "parec"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is needed";
    QProcess owner;
    startOwner(owner, QStringLiteral("Copied by another program. It has two sentences."));

    QProcess window;
    const QString id = startWindow(window);
    ASSERT_FALSE(id.isEmpty()) << "the window never showed";
    const auto geometry =
        session->runTool(QStringLiteral("xdotool"), {"getwindowgeometry", "--shell", id});
    ASSERT_TRUE(geometry);
    QRect area;
    for (const QByteArray& line : geometry->split('\n')) {
        if (line.startsWith("WIDTH="))
            area.setWidth(line.mid(6).toInt());
        if (line.startsWith("HEIGHT="))
            area.setHeight(line.mid(7).toInt());
    }
    ASSERT_TRUE(session->runTool(QStringLiteral("xdotool"), {"windowactivate", "--sync", id}));

    std::mt19937 random(20261208);
    for (int half = 0; half < 2; ++half) {
        for (int batch = 0; batch < 10; ++batch) {
            const auto ran =
                session->runTool(QStringLiteral("xdotool"), xdotoolEvents(random, 50, id, area));
            ASSERT_TRUE(stillRunning(window))
                << "the window ended after batch " << batch << " of half " << half << ": "
                << window.readAllStandardError().toStdString();
            EXPECT_TRUE(ran) << "xdotool failed";
        }
        if (half == 0) {
            owner.kill();
            owner.waitForFinished(5000);
        }
    }

    // The window still answers: the Escapes close any message box, Clear empties the box, and
    // Read reads what the clipboard holds now, aloud.
    startOwner(owner, QStringLiteral("The window still reads aloud after all that."));
    ASSERT_TRUE(pulse.startRecording());
    ASSERT_TRUE(
        session->runTool(QStringLiteral("xdotool"), {"windowactivate", "--sync", id, "key",
                                                     "Escape", "Escape", "alt+c", "alt+r"}));
    QThread::msleep(5000);
    const QString heard = pulse.stopRecording().profile();
    EXPECT_GT(speechSeconds(heard), 1.0) << heard.toStdString();
    EXPECT_TRUE(stillRunning(window));
    EXPECT_EQ(session->heldKeys(), 0);
    window.terminate();
    EXPECT_TRUE(window.waitForFinished(10000));
    EXPECT_EQ(window.exitStatus(), QProcess::NormalExit);
    owner.kill();
    owner.waitForFinished(5000);
}

} // namespace
} // namespace tellwick
