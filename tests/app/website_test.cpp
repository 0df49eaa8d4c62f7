#include "app/top_level_handler.h"
#include "app/website.h"
#include "platform/process_launcher.h"

#include "support/fake_launcher.h"
#include "window_fixture.h"

#include <QTest>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace tellwick {
namespace {

const QString address = QStringLiteral("file:///usr/share/tellwick/help page.html");

struct OpenCase {
    const char* name;
    QStringList existing;
    QStringList expectedAttempts;
    bool expectedFailure;
};

void PrintTo(const OpenCase& c, std::ostream* out) {
    *out << c.name;
}

class OpenWebPageTest : public testing::TestWithParam<OpenCase> {};

TEST_P(OpenWebPageTest, TriesTheTwoPathsInOrderWithTheAddressAsOneArgument) {
    const OpenCase& c = GetParam();
    FakeLauncher launcher;
    launcher.existing = QSet<QString>(c.existing.begin(), c.existing.end());

    bool failed = false;
    try {
        openWebPage(launcher, address);
    } catch (const UncaughtFailure& failure) {
        failed = true;
        EXPECT_TRUE(failure.message.contains(browserPaths.at(1))) << failure.message.toStdString();
    }

    EXPECT_EQ(failed, c.expectedFailure);
    QStringList attempted;
    for (const FakeLauncher::Start& start : launcher.attempts) {
        attempted << start.program;
        EXPECT_EQ(start.arguments, QStringList{address});
    }
    EXPECT_EQ(attempted, c.expectedAttempts);
}

const QString first = QStringLiteral("/usr/bin/xdg-open");
const QString second = QStringLiteral("/usr/bin/x-www-browser");

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenWebPageTest,
    testing::Values(OpenCase{"FirstOnly", {first}, {first}, false},
                    OpenCase{"BothStartOnlyFirst", {first, second}, {first}, false},
                    OpenCase{"SecondAfterSilentFirst", {second}, {first, second}, false},
                    OpenCase{"NeitherReachesTopLevel", {}, {first, second}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VisitWebsiteTest, HelpPageAddressIsAnExistingLocalFile) {
    const QUrl url(helpPageAddress());
    EXPECT_EQ(url.scheme(), QStringLiteral("file"));
    EXPECT_TRUE(QFile::exists(url.toLocalFile())) << url.toLocalFile().toStdString();
}

using WebsiteWindow = WindowFixture;

TEST_F(WebsiteWindow, TheFocusMovesToTheBoxBeforeTheBrowserStarts) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    button("cmdRead")->setFocus();
    bool boxHadTheFocus = false;
    launcher->onStart = [&] { boxHadTheFocus = control("txtInput")->hasFocus(); };
    click("cmdVisit");
    EXPECT_TRUE(boxHadTheFocus);
}

TEST_F(WebsiteWindow, NoBrowserIsReportedAndTheWindowGoesOn) {
    click("cmdVisit");
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(launcher->attempts.size(), 2);
    EXPECT_TRUE(reported.first().contains(QStringLiteral("x-www-browser")));
}

struct LaunchCase {
    const char* name;
    QString program; // relative to a temporary folder unless absolute
    bool executable;
    bool expectedStart;
};

void PrintTo(const LaunchCase& c, std::ostream* out) {
    *out << c.name;
}

class ProcessLauncherTest : public testing::TestWithParam<LaunchCase> {};

TEST_P(ProcessLauncherTest, StartsOnlyExistingPrograms) {
    const LaunchCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString program = c.program;
    if (!program.startsWith(u'/')) {
        program = folder.filePath(program);
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nexit 0\n");
        file.close();
        if (c.executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
    ProcessLauncher launcher;
    QString error;
    EXPECT_EQ(launcher.start(program, {QStringLiteral("a b; rm -rf /tmp/x")}, &error),
              c.expectedStart);
    EXPECT_EQ(error.isEmpty(), c.expectedStart) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessLauncherTest,
    testing::Values(LaunchCase{"Missing", QStringLiteral("/nonexistent/browser"), false, false},
                    LaunchCase{"Folder", QStringLiteral("/tmp"), false, false},
                    LaunchCase{"NotExecutable", QStringLiteral("script"), false, false},
                    LaunchCase{"Script", QStringLiteral("script"), true, true},
                    LaunchCase{"PathWithSpaces", QStringLiteral("my browser"), true, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tellwick
