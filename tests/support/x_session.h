#pragma once

// A real X server for tests that need one: Xvfb with openbox as the window manager. The test
// program itself stays on the offscreen platform; the parts that must live on the X server run in
// helper processes, which are this test program started again with a role in its environment.

#include "support/test_application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>

namespace tellwick {

inline constexpr const char* helperRoleVariable = "TELLWICK_X11_TEST_ROLE";

// The role this run of the test program was started in; empty for the test run itself.
inline QByteArray helperRole() {
    return qgetenv(helperRoleVariable);
}

// One application for a helper run, on the X server its environment names. Every test file that
// has a helper role shares it, since only one application may exist.
inline QApplication& helperApplication() {
    static int argc = 1;
    static char name[] = "tellwick_x11_helper";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

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

// A helper's report to the test that started it: a line on standard output.
inline void say(const QByteArray& line) {
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fflush(stdout);
}

inline bool xvfbInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty();
}

// An X server with a window manager, for one test; both end with it.
class XSession {
public:
    bool start(QString* why);
    ~XSession();

    // The display's name, as DISPLAY gives it.
    QByteArray displayName() const { return display; }
    // Starts this test program again in a helper role on this display.
    void startHelper(QProcess& helper, const char* role) const;
    // Starts another program on this display, with the variables given added to its environment.
    void startProgram(QProcess& process, const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& added = {}) const;
    // Runs a tool (xdotool, say) on this display to its end; its standard output, or nothing
    // when it failed.
    std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments) const;
    // Starts xterm showing line above a running program and highlights the line with three
    // clicks (the primary selection); the terminal's window id, or nothing when it never showed.
    std::optional<QString> highlightInTerminal(QProcess& terminal, const QString& line,
                                               const QString& program) const;
    // How many keys the X server holds down now.
    int heldKeys() const;

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
    bool waitForWindowManager() const;

    QProcess server;
    QProcess windowManager;
    QTemporaryDir runtime;
    QByteArray display;
    QProcessEnvironment environment;
};

// A test with its own X server, skipped where Xvfb is not installed.
class XSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        if (!xvfbInstalled())
            GTEST_SKIP() << "Xvfb is not installed";
        session = std::make_unique<XSession>();
        QString why;
        ASSERT_TRUE(session->start(&why)) << why.toStdString();
    }

    std::unique_ptr<XSession> session;
};

} // namespace tellwick
