#include "window_fixture.h"

#include "reader/box_text.h"

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

// A holder of the clipboard or the selection that never answers is reported once, and what was
// asked for stops there: nothing is read aloud.
TEST_F(CaptureWindow, AHolderThatNeverAnswersIsReportedAndNothingIsRead) {
    for (const char* button : {"cmdPaste", "cmdRH", "cmdRead"}) {
        startOver();
        clipboard->holderFailure = QStringLiteral("no answer");
        window->setInputText(QString());
        click(button);
        EXPECT_EQ(reported, QStringList{QStringLiteral("no answer")}) << button;
        EXPECT_EQ(window->inputText(), QString()) << button;
        EXPECT_TRUE(voices.log().calls.filter(QStringLiteral("speak")).isEmpty()) << button;
    }
}

TEST_F(CaptureWindow, PasteThenF2GivesBackTheClipboardTextWithLfLineBreaks) {
    clipboard->content = QStringLiteral("First line\r\nSecond — line ✓");
    click("cmdPaste");
    clipboard->content.clear();
    auto* box = control<QPlainTextEdit>("txtInput");
    QTest::keyClick(box, Qt::Key_F2);
    EXPECT_EQ(clipboard->content, QStringLiteral("First line\nSecond — line ✓"));
}

// Paste empties the box first and skips a clipboard it cannot read; a paused reading stays paused
// and untouched, and Pause is offered again.
TEST_F(CaptureWindow, PasteTakesTheClipboardAndTheEmptyLineRun) {
    const QString thirtyLines = QStringLiteral("\r\n").repeated(30);
    const struct {
        const char* name;
        std::optional<QString> clipboard; // nothing: the clipboard cannot be read
        QString box;
    } rows[] = {
        {"text", QStringLiteral("Hello\r\nworld"), QStringLiteral("Hello\r\nworld") + thirtyLines},
        {"empty clipboard", QString(), thirtyLines},
        {"text taken unchanged", QStringLiteral(" a\n\tb\r ü "),
         QStringLiteral(" a\r\n\tb\r\n ü ") + thirtyLines},
        {"unreadable clipboard", std::nullopt, QString()},
    };
    for (const auto& row : rows) {
        startOver();
        click("cmdRead");
        click("cmdPause");
        ASSERT_EQ(pauseCaption(), QStringLiteral("R&esume")) << row.name;
        clipboard->content = row.clipboard.value_or(QString());
        clipboard->failRead = !row.clipboard;
        click("cmdPaste");
        EXPECT_EQ(window->inputText(), row.box) << row.name;
        EXPECT_EQ(pauseCaption(), QStringLiteral("P&ause")) << row.name;
        EXPECT_TRUE(voices.log().newest->isPaused()) << row.name;
        EXPECT_EQ(clipboard->setCount + clipboard->clearCount, 0)
            << row.name << ": paste never writes";
    }
}

// Clear pauses the reading, if any, whether or not the voice manages to, and empties the box.
TEST_F(CaptureWindow, ClearPausesAnyReadingAndEmptiesTheBox) {
    const struct {
        const char* name;
        bool reading;
        bool pauseFails;
        QStringList calls;
    } rows[] = {
        {"before any reading", false, false, {}},
        {"during a reading", true, false, {QStringLiteral("pause")}},
        {"the pause fails", true, true, {QStringLiteral("pause")}},
    };
    for (const auto& row : rows) {
        startOver();
        if (row.reading)
            click("cmdRead");
        voices.log().calls.clear();
        if (row.pauseFails)
            voices.log().failing.insert(QStringLiteral("pause"));
        click("cmdClear");
        EXPECT_EQ(voices.log().calls, row.calls) << row.name;
        EXPECT_EQ(window->inputText(), QString()) << row.name;
        EXPECT_EQ(pauseCaption(), QStringLiteral("P&ause")) << row.name;
        EXPECT_TRUE(reported.isEmpty()) << row.name;
    }
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
