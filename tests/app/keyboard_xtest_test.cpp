// The XTest keyboard driving the real window's text box under a real X server: the keys travel
// through the server, the window manager's focus and Qt's X11 input, as typed keys do. The window
// lives in a helper run of this test program on Xvfb; it reports where the caret and selection
// ended, and the test judges that.

#include "platform/xtest_keyboard.h"

#include "window_fixture.h"

#include "support/x_session.h"
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QProcess>
#include <QTextCursor>

#include <cstdlib>
#include <span>

namespace tellwick {
namespace {

const char* const keyTargetRole = "xtest-keys";
const QString boxText = QStringLiteral("First line\nSecond line\nThird line\nFourth line");
// Where the caret starts: inside the third line, so that neither key sequence is a no-op.
const int startPosition = static_cast<int>(boxText.indexOf(QStringLiteral("Third"))) + 3;
const int firstTwoLinesLength = static_cast<int>(boxText.indexOf(QStringLiteral("Third")));

struct KeyStroke {
    std::uint8_t vk;
    int flags;
};

constexpr KeyStroke ctrlHome[] = {
    {VK_CONTROL, KEYEVENTF_KEYDOWN},
    {VK_HOME, KEYEVENTF_KEYDOWN},
    {VK_HOME, KEYEVENTF_KEYUP},
    {VK_CONTROL, KEYEVENTF_KEYUP},
};

constexpr KeyStroke shiftDownTwice[] = {
    {VK_SHIFT, KEYEVENTF_KEYDOWN}, {VK_DOWN, KEYEVENTF_KEYDOWN}, {VK_DOWN, KEYEVENTF_KEYUP},
    {VK_DOWN, KEYEVENTF_KEYDOWN},  {VK_DOWN, KEYEVENTF_KEYUP},   {VK_SHIFT, KEYEVENTF_KEYUP},
};

// "anchor position" of a text cursor, the form the helper reports in.
QByteArray cursorLine(const char* marker, int anchor, int position) {
    return QByteArray(marker) + ' ' + QByteArray::number(anchor) + ' ' +
           QByteArray::number(position) + '\n';
}

// Helper exits that tell the test the scene could not be set up, as opposed to a wrong result.
enum HelperExit { windowNeverActive = 3, noXTest = 4 };

// The helper: the window with the box focused, then the keys, each sequence followed by a report
// of the box's cursor once the expected state came or the wait ran out.
[[noreturn]] void runKeyTarget() {
    frmTextToSpeech window{Platform{}};
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtInput"));
    box->setPlainText(boxText);
    QTextCursor start = box->textCursor();
    start.setPosition(startPosition);
    box->setTextCursor(start);
    window.show();
    window.activateWindow();
    window.focusInput();
    if (!waitFor([&] { return window.isActiveWindow() && box->hasFocus(); }, 10000))
        std::_Exit(windowNeverActive);
    const std::unique_ptr<XTestKeyboard> keyboard = XTestKeyboard::open();
    if (!keyboard)
        std::_Exit(noXTest);

    const auto typeAndReport = [&](const char* marker, std::span<const KeyStroke> keys,
                                   int expectedPosition) {
        for (const KeyStroke& key : keys)
            keyboard->keyEvent(key.vk, key.flags);
        keyboard->sleep(0);
        waitFor([&] { return box->textCursor().position() == expectedPosition; }, 10000);
        // Keys still on their way would move the cursor further; let them arrive before judging.
        waitFor([] { return false; }, 300);
        const QTextCursor cursor = box->textCursor();
        say(cursorLine(marker, cursor.anchor(), cursor.position()));
    };
    typeAndReport("caret", ctrlHome, 0);
    typeAndReport("selection", shiftDownTwice, firstTwoLinesLength);
    std::_Exit(0);
}

const bool keyTargetRan = [] {
    if (helperRole() == keyTargetRole) {
        helperApplication();
        runKeyTarget();
    }
    return false;
}();

using XTestKeyboardInWindow = XSessionTest;

TEST_F(XTestKeyboardInWindow, CtrlHomeThenShiftDownTwiceSelectsTheFirstTwoLines) {
    // A busy machine may keep the window from coming to the front in time; that is retried, a
    // wrong caret or selection is not.
    QProcess helper;
    for (int attempt = 0; attempt < 3; ++attempt) {
        session->startHelper(helper, keyTargetRole);
        ASSERT_TRUE(helper.waitForFinished(60000)) << "the window's program did not finish";
        if (helper.exitCode() != windowNeverActive)
            break;
    }
    ASSERT_EQ(helper.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(helper.exitCode(), 0) << helper.readAllStandardError().toStdString();
    EXPECT_EQ(helper.readAllStandardOutput().toStdString(),
              (cursorLine("caret", 0, 0) + cursorLine("selection", 0, firstTwoLinesLength))
                  .toStdString());
}

} // namespace
} // namespace tellwick
