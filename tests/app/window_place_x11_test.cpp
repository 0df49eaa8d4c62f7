// Where the window comes back at the next start, under a real X server and window manager:
// maximised when it was left maximised, going back to the place and size it had before, and from a
// remembered place that no screen shows any more, back on the screen.
#include "app/window_main.h"
#include "support/x_session.h"
#include "window_fixture.h"

#include <QScreen>
#include <QSettings>
#include <QTest>

#include <cstdlib>

namespace tellwick {
namespace {

constexpr char stepVariable[] = "TELLWICK_TEST_PLACE_STEP";

QByteArray normalLine(const MainWindow& window) {
    return QStringLiteral("normal %1 %2 %3 %4\n")
        .arg(window.x())
        .arg(window.y())
        .arg(window.width())
        .arg(window.height())
        .toUtf8();
}

// Step "maximise": "settings <file>", the normal place and size, then maximises the window and
// closes it. Step "report": "maximised <0 or 1>", "on screen <0 or 1>", then the place and size
// the window goes back to from maximised.
[[noreturn]] void runRememberingWindow() {
    helperApplication();
    WindowServices services = makeWindowServices();
    services.voices = {};
    services.prepareVoices = {};
    const QString settingsFile = services.settingsFile;
    const bool maximise = qgetenv(stepVariable) == "maximise";
    {
        MainWindow window(std::move(services));
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        waitFor([&] { return window.frameGeometry().size() != window.size(); }, 5000);
        QTest::qWait(300);
        if (maximise) {
            say("settings " + settingsFile.toUtf8() + '\n' + normalLine(window));
            const QSize normal = window.size();
            window.showMaximized();
            waitFor([&] { return window.isMaximized() && window.size() != normal; }, 5000);
            QTest::qWait(300);
        } else {
            const QRect screen = window.screen()->availableGeometry();
            say(QByteArray("maximised ") + (window.isMaximized() ? '1' : '0') + '\n' +
                QByteArray("on screen ") +
                (screen.contains(window.frameGeometry().topLeft()) ? '1' : '0') + '\n');
            window.showNormal();
            waitFor([&] { return !window.isMaximized(); }, 5000);
            QTest::qWait(300);
            say(normalLine(window));
        }
    }
    std::_Exit(0);
}

const bool rememberingWindowRan = [] {
    if (helperRole() == "remembering-window")
        runRememberingWindow();
    return false;
}();

using WindowPlaceX11 = XSessionTest;

TEST_F(WindowPlaceX11, ComesBackMaximisedAndOnTheScreen) {
    const auto run = [this](const char* step) {
        QProcess helper;
        QProcessEnvironment added;
        added.insert(QString::fromLatin1(helperRoleVariable), QStringLiteral("remembering-window"));
        added.insert(QString::fromLatin1(stepVariable), QString::fromLatin1(step));
        session->startProgram(helper, QCoreApplication::applicationFilePath(), {}, added);
        EXPECT_TRUE(helper.waitForFinished(30000)) << step;
        return QString::fromUtf8(helper.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };
    const QStringList left = run("maximise");
    ASSERT_EQ(left.size(), 2) << left.join(u'|').toStdString();
    const QString settingsFile = left[0].mid(QStringLiteral("settings ").size());
    EXPECT_EQ(run("report"), QStringList({"maximised 1", "on screen 1", left[1]}));

    // A monitor the window stood on was unplugged.
    {
        QSettings settings(settingsFile, QSettings::IniFormat);
        settings.setValue("window/place", QPoint(3000, 2500));
        settings.setValue("window/maximised", false);
    }
    const QStringList report = run("report");
    ASSERT_EQ(report.size(), 3) << report.join(u'|').toStdString();
    EXPECT_EQ(report.mid(0, 2), QStringList({"maximised 0", "on screen 1"}));
}

} // namespace
} // namespace tellwick
