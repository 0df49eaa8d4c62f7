#include "window_fixture.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace tellwick {
namespace {

// The trainer through the real window and its real text box: it must move the caret, extend the
// highlight and scroll as the user expects.
class TrainerWindowTest : public testing::Test {
protected:
    void SetUp() override {
        testApplication();
        WindowServices platform;
        platform.clipboard = std::make_unique<FakeClipboard>();
        platform.launcher = std::make_unique<FakeLauncher>();
        platform.voices = voices.namedFactory();
        window = std::make_unique<MainWindow>(std::move(platform));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        box = window->findChild<QPlainTextEdit*>(QStringLiteral("txtInput"));
        ASSERT_NE(box, nullptr);
        screenLines = window->screenLines();
        ASSERT_GT(screenLines, 1);
        QStringList lines;
        for (int i = 0; i < screenLines * 4; ++i)
            lines << QStringLiteral("Line %1 of the text").arg(i);
        window->setInputText(lines.join(QStringLiteral("\r\n")));
        box->moveCursor(QTextCursor::End);
    }

    void clickTrainer() {
        window->findChild<QPushButton*>(QStringLiteral("cmdSR"))->click();
        QCoreApplication::processEvents();
    }
    void pressDown(int times) {
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(box, Qt::Key_Down);
            QCoreApplication::processEvents();
        }
    }
    int caretLine() const { return box->textCursor().blockNumber(); }
    int anchorLine() const {
        return box->document()->findBlock(box->textCursor().anchor()).blockNumber();
    }
    int topLine() const { return box->cursorForPosition(QPoint(0, 0)).blockNumber(); }

    FakeVoiceFactory voices;
    std::unique_ptr<MainWindow> window;
    QPlainTextEdit* box = nullptr;
    int screenLines = 0;
};

TEST_F(TrainerWindowTest, SelectionGrowsALinePerDownArrowFromTheStart) {
    clickTrainer();
    EXPECT_EQ(box->textCursor().position(), 0) << "Ctrl+Home";
    EXPECT_EQ(topLine(), 0);
    for (int line = 1; line < screenLines; ++line) {
        pressDown(1);
        ASSERT_EQ(caretLine(), line);
        ASSERT_EQ(anchorLine(), 0) << "the lines read stay highlighted";
        ASSERT_EQ(window->trainer().lineCount(), line);
    }
}

TEST_F(TrainerWindowTest, ViewMovesOnAPageAfterScreenLinesLines) {
    clickTrainer();
    pressDown(screenLines - 1);
    const int topBefore = topLine();
    pressDown(1);
    EXPECT_EQ(window->trainer().lineCount(), 0);
    EXPECT_GT(topLine(), topBefore + screenLines / 2) << "the view turned a page";
    EXPECT_EQ(anchorLine(), 0);
    EXPECT_GE(caretLine(), topLine()) << "the caret stands at the top of the new screenful";
    EXPECT_LE(caretLine(), topLine() + 1);
    EXPECT_EQ(caretLine(), screenLines) << "the up arrows brought it back a page";
    pressDown(1);
    EXPECT_EQ(caretLine(), screenLines + 1);
    EXPECT_EQ(anchorLine(), 0);
}

TEST_F(TrainerWindowTest, SwitchingOffReleasesShiftAndDropsTheHighlight) {
    clickTrainer();
    pressDown(3);
    clickTrainer();
    EXPECT_FALSE(box->textCursor().hasSelection());
    EXPECT_EQ(caretLine(), 3);
    EXPECT_EQ(box->textCursor().positionInBlock(), 0) << "Home goes to the start of its line";
    pressDown(1);
    EXPECT_FALSE(box->textCursor().hasSelection()) << "no Shift is left held";
}

// The sentence being heard is shown beside the trainer's selection, which it leaves as it is.
TEST_F(TrainerWindowTest, FollowingAReadingLeavesTheSelectionAndTheCounting) {
    clickTrainer();
    pressDown(3);
    // Line breaks kept, so that each line is a sentence.
    window->findChild<QCheckBox*>(QStringLiteral("chkCrPause"))->setChecked(false);
    window->findChild<QPushButton*>(QStringLiteral("cmdRead"))->click();
    voices.log().newest->hear(0, 0);
    // The voice hears "Line zero of the text" and a line break before line 1.
    voices.log().newest->hear(1, 23);
    pressDown(1);
    EXPECT_EQ(anchorLine(), 0);
    EXPECT_EQ(caretLine(), 4);
    EXPECT_EQ(window->trainer().lineCount(), 4);
    EXPECT_EQ(window->followedSentence(), (BoxRange{19, 37})) << "Line 1 of the text";
}

} // namespace
} // namespace tellwick
