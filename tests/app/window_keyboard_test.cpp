// A keyboard user's window: Tab reaches every control in order, and a screen reader can name them.
#include "window_fixture.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QTest>

namespace tellwick {
namespace {

class WindowKeyboard : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        control("txtInput")->setFocus(Qt::OtherFocusReason);
    }

    // The controls that hold the focus after each of count presses of the key, from the box.
    QStringList focusAfterPresses(Qt::KeyboardModifiers modifiers, int count) {
        QStringList visited;
        for (int press = 0; press < count; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            visited << QApplication::focusWidget()->objectName();
        }
        return visited;
    }
};

const QStringList tabOrder = {"cmdRead",  "cmdPause", "cmdHere",    "cmdPaste", "cmdClear",
                              "cmdSR",    "chkSqBr",  "chkCrPause", "cmdSkipF", "cmdRH",
                              "cmdVisit", "lblSpeed", "txtInput"};

TEST_F(WindowKeyboard, TabVisitsEveryControlInOrderAndLeavesTheTextAlone) {
    const QString before = control<QPlainTextEdit>("txtInput")->toPlainText();
    EXPECT_EQ(focusAfterPresses(Qt::NoModifier, 13), tabOrder);
    QStringList backwards(tabOrder.rbegin() + 1, tabOrder.rend());
    backwards << "txtInput";
    EXPECT_EQ(focusAfterPresses(Qt::ShiftModifier, 13), backwards);
    EXPECT_EQ(control<QPlainTextEdit>("txtInput")->toPlainText(), before);
}

TEST_F(WindowKeyboard, EveryControlHasAnAccessibleNameAndDescription) {
    const struct {
        const char* control;
        const char* name;
        const char* description;
    } expected[] = {
        {"txtInput", "Text to read", "The text that Read reads aloud"},
        {"cmdRead", "Read", "Click to read what is already pasted into the above window."},
        {"cmdPause", "Pause", "Pauses the reading, or resumes it"},
        {"cmdHere", "<",
         "Skip back one sentence while reading. Before reading a passage or after pressing Pause, "
         "clicking this button lowers the reading speed."},
        {"cmdSR", "SR",
         "Speed reading trainer - Click here then down arrow through the text on screen as you "
         "read it. "},
        {"chkSqBr", "Leave out text in square brackets",
         "Check this box to exclude text within square brackets from the reading."},
        {"chkCrPause", "Do not pause at line breaks", nullptr},
        {"cmdRH", "Read Hilighted",
         "Copies, pastes and reads text highlighted in another application."},
        {"cmdVisit", "Visit website of ap author", "Opens the help page of Tellwick"},
        {"lblSpeed", "Speed: +1",
         "\"N\" is the normal reading speed, but +1, the default is a better speed in most cases."},
    };
    for (const auto& row : expected) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control(row.control));
        ASSERT_NE(spoken, nullptr) << row.control;
        EXPECT_EQ(spoken->text(QAccessible::Name), QString::fromLatin1(row.name)) << row.control;
        if (row.description)
            EXPECT_EQ(spoken->text(QAccessible::Description), QString::fromLatin1(row.description))
                << row.control;
        else
            EXPECT_FALSE(spoken->text(QAccessible::Description).isEmpty()) << row.control;
    }
    // A caption that changes is what a screen reader names.
    button("cmdPause")->setText(QStringLiteral("R&esume"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(button("cmdPause"))->text(QAccessible::Name),
              QStringLiteral("Resume"));
}

} // namespace
} // namespace tellwick
