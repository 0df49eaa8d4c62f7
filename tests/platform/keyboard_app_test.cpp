#include "platform/app_keyboard.h"

#include "support/test_application.h"

#include <gtest/gtest.h>

#include <QTest>

namespace tellwick {
namespace {

// The widgets of a test need the application before they are made.
struct ApplicationFirst {
    ApplicationFirst() { testApplication(); }
};

// Records the key events it receives as "press 16777232 ctrl". Qt reports a modifier key's own
// event with the modifier state from before it, as X11 does.
class KeyRecorder : public QWidget {
public:
    KeyRecorder() { setFocusPolicy(Qt::StrongFocus); }
    QStringList received;

protected:
    void keyPressEvent(QKeyEvent* event) override { record(QStringLiteral("press"), event); }
    void keyReleaseEvent(QKeyEvent* event) override { record(QStringLiteral("release"), event); }

private:
    void record(const QString& kind, const QKeyEvent* event) {
        QStringList parts = {kind, QString::number(event->key())};
        if (event->modifiers() & Qt::ShiftModifier)
            parts << QStringLiteral("shift");
        if (event->modifiers() & Qt::ControlModifier)
            parts << QStringLiteral("ctrl");
        if (event->modifiers() & Qt::AltModifier)
            parts << QStringLiteral("alt");
        received << parts.join(u' ');
    }
};

class AppKeyboardTest : public testing::Test, private ApplicationFirst {
protected:
    void SetUp() override {
        window.resize(200, 100);
        first.setParent(&window);
        second.setParent(&window);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        first.setFocus();
    }
    void deliver() { QCoreApplication::processEvents(); }

    QWidget window;
    KeyRecorder first;
    KeyRecorder second;
    AppKeyboard keyboard;
};

const QString home = QString::number(Qt::Key_Home);
const QString ctrl = QString::number(Qt::Key_Control);
const QString shift = QString::number(Qt::Key_Shift);
const QString down = QString::number(Qt::Key_Down);

TEST_F(AppKeyboardTest, HeldModifierChangesLaterKeysUntilReleased) {
    keyboard.keyEvent(VK_CONTROL, KEYEVENTF_KEYDOWN);
    keyboard.keyEvent(VK_HOME, KEYEVENTF_KEYDOWN);
    keyboard.keyEvent(VK_HOME, KEYEVENTF_KEYUP);
    keyboard.keyEvent(VK_CONTROL, KEYEVENTF_KEYUP);
    keyboard.keyEvent(VK_HOME, KEYEVENTF_KEYDOWN);
    deliver();
    EXPECT_EQ(first.received,
              QStringList({"press " + ctrl, "press " + home + " ctrl", "release " + home + " ctrl",
                           "release " + ctrl + " ctrl", "press " + home}));
    EXPECT_EQ(keyboard.heldModifiers(), Qt::NoModifier);
}

TEST_F(AppKeyboardTest, KeysAreQueuedAndReachTheWidgetFocusedAtDelivery) {
    keyboard.keyEvent(VK_HOME, KEYEVENTF_KEYDOWN);
    EXPECT_TRUE(first.received.isEmpty()) << "nothing arrives before the event loop runs";
    second.setFocus();
    deliver();
    EXPECT_TRUE(first.received.isEmpty());
    EXPECT_EQ(second.received, QStringList{"press " + home});
}

TEST_F(AppKeyboardTest, HeldShiftAppliesToTheUsersOwnKeys) {
    keyboard.keyEvent(VK_SHIFT, KEYEVENTF_KEYDOWN);
    deliver();
    QTest::keyClick(&first, Qt::Key_Down);
    keyboard.keyEvent(VK_SHIFT, KEYEVENTF_KEYUP);
    deliver();
    QTest::keyClick(&first, Qt::Key_Down);
    EXPECT_EQ(
        first.received,
        QStringList({"press " + shift, "press " + down + " shift", "release " + down + " shift",
                     "release " + shift + " shift", "press " + down, "release " + down}));
}

TEST_F(AppKeyboardTest, UnknownKeysAreDropped) {
    keyboard.keyEvent(0, KEYEVENTF_KEYDOWN);
    keyboard.keyEvent(255, KEYEVENTF_KEYUP);
    deliver();
    EXPECT_TRUE(first.received.isEmpty());
}

} // namespace
} // namespace tellwick
