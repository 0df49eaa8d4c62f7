// Read Highlighted end to end under a real X server: a second program holds highlighted text, our
// window is in front, and the text must land in our box through real XTest keys, the window
// manager's Alt+Tab and the real clipboard. The two programs are this test program itself, started
// again in a helper role; the X server is Xvfb with openbox as the window manager.

#include "app/platform.h"
#include "capture/paste_clear.h"
#include "capture/read_highlighted.h"
#include "trainer/trainer.h"

#include "window_fixture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

// X11's headers come after every Qt header: their macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tellwick {
namespace {

const char* const roleVariable = "TELLWICK_X11_TEST_ROLE";
const QString sourceText = QStringLiteral("Highlighted in the other window \u2713");
const QByteArray readyLine = "ready\n";
const QByteArray boxMarker = "box:";

// Waits for a condition while the event loop runs; false when the time is up.
template <typename Condition> bool waitFor(Condition condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return true;
}

void say(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fflush(stdout);
}

// The other application: its text is highlighted, and its text box copies it on Ctrl+C.
[[noreturn]] void runSource(QApplication& application) {
    QPlainTextEdit source;
    source.setWindowTitle(QStringLiteral("source"));
    source.setPlainText(sourceText);
    source.selectAll();
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
    void setPauseCaption(const QString&) override {}

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

// Runs before the tests when this program was started in a helper role.
const bool helperRoleRan = [] {
    const QByteArray role = qgetenv(roleVariable);
    if (role.isEmpty())
        return false;
    static int argc = 1;
    static char name[] = "tellwick_x11_helper";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    if (role == "source")
        runSource(application);
    runReader();
}();

// An X server with a window manager, for one test; both end with it.
class XSession {
public:
    bool start(QString* why) {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        // Xvfb picks a free display itself and writes its number to the descriptor given.
        server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!server.waitForStarted(5000) ||
            !waitForOutput(server, [](const QByteArray& out) { return out.endsWith('\n'); })) {
            *why = QStringLiteral("Xvfb did not start");
            return false;
        }
        display = ":" + server.readAllStandardOutput().trimmed();
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        windowManager.setProcessEnvironment(environment);
        windowManager.start(openbox, {QStringLiteral("--sm-disable")});
        if (!windowManager.waitForStarted(5000) || !waitForWindowManager()) {
            *why = QStringLiteral("openbox did not take over the display");
            return false;
        }
        return true;
    }

    ~XSession() {
        for (QProcess* process : {&windowManager, &server}) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    // Starts this test program again in a helper role on this display.
    void startHelper(QProcess& helper, const char* role) const {
        QProcessEnvironment helperEnvironment = environment;
        helperEnvironment.insert(QString::fromLatin1(roleVariable), QString::fromLatin1(role));
        helper.setProcessEnvironment(helperEnvironment);
        helper.start(QCoreApplication::applicationFilePath(), {});
    }

    template <typename Check> static bool waitForOutput(QProcess& process, Check check) {
        QByteArray seen;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000) {
            process.waitForReadyRead(200);
            seen = process.peek(1 << 16);
            if (check(seen))
                return true;
            if (process.state() == QProcess::NotRunning)
                return check(process.readAllStandardOutput());
        }
        return false;
    }

private:
    // openbox announces itself on the root window once it manages the display.
    bool waitForWindowManager() const {
        Display* x = XOpenDisplay(display.constData());
        if (!x)
            return false;
        const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
        const bool ready = waitFor(
            [&] {
                Atom type = 0;
                int format = 0;
                unsigned long items = 0, after = 0;
                unsigned char* data = nullptr;
                const bool found =
                    XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, XA_WINDOW,
                                       &type, &format, &items, &after, &data) == Success &&
                    items == 1;
                if (data)
                    XFree(data);
                return found;
            },
            10000);
        XCloseDisplay(x);
        return ready;
    }

    QProcess server;
    QProcess windowManager;
    QTemporaryDir runtime;
    QByteArray display;
    QProcessEnvironment environment;
};

// One try of the whole scene; the box's text, or why it failed.
QString readHighlightedOnce(const XSession& session, bool* ok) {
    *ok = false;
    QProcess source;
    session.startHelper(source, "source");
    if (!XSession::waitForOutput(source, [](const QByteArray& out) { return out == readyLine; }))
        return QStringLiteral("the source window never became active");
    QProcess reader;
    session.startHelper(reader, "reader");
    if (!reader.waitForFinished(30000))
        return QStringLiteral("the reader did not finish");
    const QByteArray out = reader.readAllStandardOutput();
    source.kill();
    source.waitForFinished(5000);
    if (reader.exitCode() != 0 || !out.startsWith(boxMarker))
        return QStringLiteral("the reader failed with %1: %2")
            .arg(reader.exitCode())
            .arg(QString::fromUtf8(reader.readAllStandardError()));
    *ok = true;
    return QString::fromUtf8(out.mid(boxMarker.size()).chopped(1));
}

TEST(ReadHighlightedX11, HighlightedTextOfAnotherWindowLandsInTheBox) {
    testApplication();
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    XSession session;
    QString why;
    ASSERT_TRUE(session.start(&why)) << why.toStdString();
    // The scene hangs on fixed waits and on two other processes; a busy machine may miss one, so
    // it gets three tries before it counts as failed.
    QString box;
    bool ok = false;
    for (int attempt = 0; attempt < 3 && !(ok && box == sourceText); ++attempt)
        box = readHighlightedOnce(session, &ok);
    ASSERT_TRUE(ok) << box.toStdString();
    EXPECT_EQ(box, sourceText);
}

} // namespace
} // namespace tellwick
