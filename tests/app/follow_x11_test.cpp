// The highlight of the sentence being heard, as a real X server shows it: after ">" and the voice's
// report of the next sentence, the band leaves the first line of the box for the second.
#include "support/x_session.h"
#include "window_fixture.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTextBlock>

namespace tellwick {
namespace {

// The box's viewport as the X server shows it, once the window has painted.
QImage shownBox(const MainWindow& window, const QWidget& viewport) {
    QTest::qWait(300);
    const QPoint at = viewport.mapTo(&window, QPoint(0, 0));
    return window.screen()
        ->grabWindow(window.winId(), at.x(), at.y(), viewport.width(), viewport.height())
        .toImage();
}

// Reports, for each of the box's lines, whether its pixel rows changed, and whether any other row
// did: "1100 0" when only the first two lines changed.
[[noreturn]] void runFollowHighlight() {
    helperApplication();
    QApplication::setCursorFlashTime(0); // a blinking caret would change pixels by itself
    FakeVoiceFactory voices;
    WindowServices platform;
    platform.voices = voices.namedFactory();
    platform.clipboard = std::make_unique<FakeClipboard>();
    MainWindow window(std::move(platform));
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    window.setInputText(
        QStringLiteral("The first line is heard first.\r\nThe second comes next.\r\n"
                       "A third line.\r\nA fourth line."));
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtInput"));
    window.findChild<QPushButton*>(QStringLiteral("cmdRead"))->click();
    voices.log().newest->hear(0, 0);
    const QImage before = shownBox(window, *box->viewport());
    window.findChild<QPushButton*>(QStringLiteral("cmdSkipF"))->click();
    const QString spoken = voices.log().calls.filter(QStringLiteral("speak ")).last();
    voices.log().newest->hear(1, spoken.indexOf(QStringLiteral("The second")) - 6);
    const QImage after = shownBox(window, *box->viewport());

    // A line's rows run from its top to the next line's.
    std::vector<int> tops;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        tops.push_back(box->cursorRect(QTextCursor(block)).top());
    tops.push_back(box->cursorRect(QTextCursor(box->document()->lastBlock())).bottom() + 1);
    QByteArray lines;
    std::vector<bool> onALine(static_cast<std::size_t>(after.height()), false);
    for (std::size_t line = 0; line + 1 < tops.size(); ++line) {
        bool changed = false;
        for (int y = std::max(tops[line], 0); y < tops[line + 1] && y < after.height(); ++y) {
            onALine[static_cast<std::size_t>(y)] = true;
            for (int x = 0; x < after.width() && !changed; ++x)
                changed = before.pixel(x, y) != after.pixel(x, y);
        }
        lines += changed ? '1' : '0';
    }
    bool elsewhere = false;
    for (int y = 0; y < after.height() && !elsewhere; ++y) {
        for (int x = 0; x < after.width() && !onALine[static_cast<std::size_t>(y)]; ++x)
            elsewhere = elsewhere || before.pixel(x, y) != after.pixel(x, y);
    }
    say(lines + (elsewhere ? " 1\n" : " 0\n"));
    std::_Exit(0);
}

const bool followHighlightRan = [] {
    if (helperRole() == "follow-highlight")
        runFollowHighlight();
    return false;
}();

using FollowX11 = XSessionTest;

TEST_F(FollowX11, TheBandMovesFromTheFirstLineToTheSecondAfterTheNextSentenceIsHeard) {
    QProcess helper;
    session->startHelper(helper, "follow-highlight");
    ASSERT_TRUE(helper.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(helper.readAllStandardOutput()), QStringLiteral("1100 0\n"))
        << helper.readAllStandardError().toStdString();
}

} // namespace
} // namespace tellwick
