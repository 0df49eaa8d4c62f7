#include "window_fixture.h"

#include "app/box_text.h"

#include <QPlainTextEdit>
#include <QTest>

namespace tellwick {
namespace {

// The capture and trainer handlers as the window's buttons and keys run them.
using CaptureWindow = WindowFixture;

// What is highlighted anywhere goes to the clipboard, then Paste and Read; with nothing
// highlighted, Paste and Read take the clipboard as it is.
TEST_F(CaptureWindow, ReadHighlightedPastesAndReadsTheSelectionOrElseTheClipboard) {
    const struct {
        const char* name;
        std::optional<QString> selection;
        QString read;
    } rows[] = {
        {"highlighted", QStringLiteral("highlighted words"), QStringLiteral("highlighted words")},
        {"nothing highlighted", QString(), QStringLiteral("copied before")},
        {"no selection at all", std::nullopt, QStringLiteral("copied before")},
    };
    for (const auto& row : rows) {
        startOver();
        clipboard->content = QStringLiteral("copied before");
        clipboard->selection = row.selection;
        click("cmdRH");
        EXPECT_EQ(clipboard->content, row.read) << row.name;
        EXPECT_EQ(window->inputText(), row.read + QStringLiteral("\r\n").repeated(30)) << row.name;
        ASSERT_FALSE(voices.log().calls.isEmpty()) << row.name;
        EXPECT_TRUE(
            voices.log().calls.last().startsWith(QStringLiteral("speak ") + respelled(row.read)))
            << row.name;
        EXPECT_TRUE(reported.isEmpty()) << row.name;
    }
}

TEST_F(CaptureWindow, ReadHighlightedFailureOfReadIsReported) {
    voices.log().failCreation = true;
    clipboard->content = QStringLiteral("text");
    click("cmdRH");
    EXPECT_EQ(reported.size(), 1);
    EXPECT_TRUE(window->inputText().startsWith(QStringLiteral("text\r\n")));
}

TEST_F(CaptureWindow, PasteThenF2GivesBackTheClipboardTextWithLfLineBreaks) {
    clipboard->content = QStringLiteral("First line\r\nSecond — line ✓");
    click("cmdPaste");
    clipboard->content.clear();
    auto* box = control<QPlainTextEdit>("txtInput");
    QTest::keyClick(box, Qt::Key_F2);
    EXPECT_EQ(clipboard->content, QStringLiteral("First line\nSecond — line ✓"));
}

TEST_F(CaptureWindow, ClearDuringReadingPausesAndEmpties) {
    click("cmdRead");
    click("cmdClear");
    ASSERT_NE(voices.log().newest, nullptr);
    EXPECT_TRUE(voices.log().newest->isPaused());
    EXPECT_EQ(window->inputText(), QString());
    EXPECT_EQ(pauseCaption(), QStringLiteral("P&ause"));
}

TEST_F(CaptureWindow, TrainerButtonShowsItsNextAction) {
    click("cmdSR");
    EXPECT_EQ(button("cmdSR")->text(), QStringLiteral("&X"));
    EXPECT_TRUE(window->trainer().isOn());
    click("cmdSR");
    EXPECT_EQ(button("cmdSR")->text(), QStringLiteral("&SR"));
    EXPECT_FALSE(window->trainer().isOn());
}

} // namespace
} // namespace tellwick
