#include "window_fixture.h"

#include <QPlainTextEdit>
#include <QTest>

namespace tellwick {
namespace {

// The capture and trainer handlers as the window's buttons and keys run them.
using CaptureWindow = WindowFixture;

TEST_F(CaptureWindow, ReadHighlightedPlaysTheMacroThenPastesAndReadsTheCopy) {
    // The other application answers Ctrl+C by putting its selection on the clipboard.
    systemKeyboard->onKeyEvent = [this](std::uint8_t vk, int flags) {
        if (vk == VK_C && flags == KEYEVENTF_KEYUP)
            clipboard->content = QStringLiteral("highlighted words");
    };
    click("cmdRH");
    EXPECT_EQ(systemKeyboard->keyEvents(),
              QStringList({"down 18", "down 9", "up 9", "up 18", "down 17", "down 67", "up 67",
                           "up 17", "down 37", "up 37"}));
    EXPECT_EQ(appKeyboard->events, QStringList()) << "no key of the macro goes to our own window";
    EXPECT_EQ(window->inputText(),
              QStringLiteral("highlighted words") +
                  QStringLiteral("\r\n").repeated(window->state().ScreenLines));
    ASSERT_FALSE(voices.log().calls.isEmpty());
    EXPECT_TRUE(voices.log().calls.last().startsWith(QStringLiteral("speak highlighted words")));
    EXPECT_TRUE(reported.isEmpty());
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
    EXPECT_EQ(appKeyboard->events.last(), QStringLiteral("down 16"));
    click("cmdSR");
    EXPECT_EQ(button("cmdSR")->text(), QStringLiteral("&SR"));
    EXPECT_FALSE(window->state().TrainerOn);
}

} // namespace
} // namespace tellwick
