#include "window_fixture.h"

#include "app/controls.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include <cmath>

namespace tellwick {
namespace {

using WindowStartup = WindowFixture;

struct ExpectedControl {
    const char* name;
    const char* className;
    const char* caption;
};

// Written out again from the window's description, so that a slip in either copy shows.
const ExpectedControl expectedControls[] = {
    {"txtInput", "QPlainTextEdit", ""},
    {"cmdRead", "QPushButton", "&Read"},
    {"cmdPause", "QPushButton", "P&ause"},
    {"cmdHere", "QPushButton", "<"},
    {"cmdPaste", "QPushButton", "&Paste"},
    {"cmdClear", "QPushButton", "&Clear"},
    {"cmdSR", "QPushButton", "&SR"},
    {"chkSqBr", "QCheckBox", ""},
    {"chkCrPause", "QCheckBox", ""},
    {"cmdSkipF", "QPushButton", ">"},
    {"cmdRH", "QPushButton", "Read &Hilighted"},
    {"cmdVisit", "QPushButton", "&Visit website of ap author"},
    {"lblSpeed", "QLabel", "Speed: +1"},
};

QString captionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return {};
}

TEST_F(WindowStartup, ControlsHaveTheirKindsAndCaptionsInTabOrder) {
    QStringList expectedChain;
    for (const ExpectedControl& expected : expectedControls) {
        expectedChain << QString::fromLatin1(expected.name);
        QWidget* found = control(expected.name);
        ASSERT_NE(found, nullptr) << expected.name;
        EXPECT_TRUE(found->inherits(expected.className)) << expected.name;
        EXPECT_EQ(captionOf(found), QString::fromLatin1(expected.caption)) << expected.name;
    }
    // The focus chain also holds the inner parts of the controls (scroll bars, viewport).
    QStringList chain;
    QWidget* widget = control("txtInput");
    do {
        if (expectedChain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control("txtInput"));
    EXPECT_EQ(chain.join(u' ').toStdString(), expectedChain.join(u' ').toStdString());
}

TEST_F(WindowStartup, ToolTipsKeepTheirExactSpacing) {
    const struct {
        const char* name;
        const char* tip;
    } tips[] = {
        {"cmdSR",
         "Speed reading trainer - Click here then down arrow through the text on screen as "
         "you read it. "},
        {"cmdPaste",
         "Always click this button to paste text to read into the above text window. To "
         "copy all the text in the window  to the clipboard, press the F2 key."},
        {"lblSpeed",
         "\"N\" is the normal reading speed, but +1, the default is a better speed in most cases."},
        {"chkCrPause",
         "Check this box to not pause at carriage returns. Use when reading pdf files"},
        {"cmdClear", "Clears the above window of text. When thus cleared, clicking 'Read' reads "
                     "the clipboard."},
        {"cmdPause", ""},
        {"cmdVisit", ""},
        {"txtInput", ""},
    };
    for (const auto& row : tips)
        EXPECT_EQ(control(row.name)->toolTip(), QString::fromLatin1(row.tip)) << row.name;
}

TEST_F(WindowStartup, ControlsStandAtTheirDesignPlaceUntilLaidOut) {
    // Left, top, width and height in twips, as the window was designed.
    const struct {
        const char* name;
        Control id;
        QRectF twips;
    } design[] = {
        {"txtInput", Control::textBox, {0, 0, 5055, 7335}},
        {"cmdRead", Control::readButton, {720, 7320, 615, 375}},
        {"cmdPause", Control::pauseButton, {1360, 7320, 735, 375}},
        {"cmdHere", Control::skipBackButton, {2095, 7320, 250, 375}},
        {"cmdPaste", Control::pasteButton, {2760, 7320, 615, 375}},
        {"cmdClear", Control::clearButton, {3360, 7320, 615, 375}},
        {"cmdSR", Control::trainerButton, {3960, 7320, 435, 375}},
        {"chkSqBr", Control::skipBracketedBox, {2580, 7500, 195, 195}},
        {"chkCrPause", Control::linesAsSpacesBox, {2580, 7320, 195, 195}},
        {"cmdSkipF", Control::skipForwardButton, {2350, 7320, 255, 375}},
        {"cmdRH", Control::readHighlightedButton, {0, 7320, 760, 735}},
        {"cmdVisit", Control::visitButton, {1605, 7760, 2295, 255}},
        {"lblSpeed", Control::speedLabel, {840, 7800, 1695, 255}},
    };
    const TwipScale scale = window->twipScale();
    for (const auto& control : design) {
        const QRectF& t = control.twips;
        const QRect expected(std::lround(t.left() / scale.twipsPerPixelX),
                             std::lround(t.top() / scale.twipsPerPixelY),
                             std::lround(t.width() / scale.twipsPerPixelX),
                             std::lround(t.height() / scale.twipsPerPixelY));
        EXPECT_EQ(this->control(control.name)->geometry(), expected) << control.name;
        EXPECT_EQ(window->controlTwips(control.id), t) << control.name;
    }
}

TEST_F(WindowStartup, LoadSetsStateTextAndCheckBoxes) {
    EXPECT_EQ(window->reader().speed(), 1);
    EXPECT_EQ(window->screenLines(), 30);
    EXPECT_EQ(window->trainer().lineCount(), 0);
    EXPECT_FALSE(window->trainer().isOn());
    EXPECT_EQ(window->reader().voice(), nullptr);
    EXPECT_EQ(voices.log().created, 0);
    EXPECT_EQ(speedCaption(), QStringLiteral("Speed: +1"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tellwick"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_TRUE(control<QCheckBox>("chkSqBr")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("chkCrPause")->isChecked());

    const QString text = window->inputText();
    const QString opening = QStringLiteral(
        "        Welcome to Tellwick!\r\n"
        "This program reads aloud text that you highlight in another application or paste into "
        "this window. It does this with a front end to the espeak-ng voice that improves its "
        "pronunciation, especially of heteronyms, words that are spelled the same but pronounced "
        "differently. So it is an 'educated espeak' if you like. Just highlight text in another "
        "application, such as a web page, then click the Read Highlighted button below. You can "
        "also copy text using Ctrl + C and paste it into this window, then click 'Read'. If you "
        "click Read when there is no text in this window, the contents of the clipboard will be "
        "read.\r\n"
        "     Tellwick includes a Speed Reading Trainer");
    EXPECT_EQ(text.left(opening.size()).toStdString(), opening.toStdString());
    EXPECT_TRUE(text.contains(QStringLiteral(" top of the next one.\r\n\r\nV1.50  ")));
    const QString run = QStringLiteral("\r\n").repeated(30);
    ASSERT_TRUE(text.endsWith(run));
    EXPECT_FALSE(text.chopped(run.size()).endsWith(QLatin1Char('\n')));
}

TEST_F(WindowStartup, WindowStandsPastTheRightEdgeAndAboveTheMiddle) {
    const TwipScale scale = window->twipScale();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QSize outer = window->frameGeometry().size();
    const double left = (screen.width() - outer.width()) * scale.twipsPerPixelX + 100;
    const double top = (screen.height() - outer.height()) * scale.twipsPerPixelY / 2.3;
    EXPECT_EQ(window->pos().x(), screen.left() + std::lround(left / scale.twipsPerPixelX));
    EXPECT_EQ(window->pos().y(), screen.top() + std::lround(top / scale.twipsPerPixelY));
    EXPECT_GT(window->frameGeometry().right(), screen.right());
}

TEST_F(WindowStartup, TextBoxUsesVerdanaOrTheNearestSans) {
    const QFont font = control("txtInput")->font();
    EXPECT_EQ(font.family(), QStringLiteral("Verdana"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(control<QPlainTextEdit>("txtInput")->verticalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOn);
}

TEST_F(WindowStartup, ClosingAsksNothingOfTheVoice) {
    window->show();
    window->close();
    EXPECT_EQ(voices.log().calls, QStringList());
}

TEST_F(WindowStartup, TextGoesInWithCrLfAndComesOutWithCrLf) {
    const struct {
        QString given;
        QString read;
    } rows[] = {
        {QStringLiteral("a\r\nb"), QStringLiteral("a\r\nb")},
        {QStringLiteral("a\nb\rc"), QStringLiteral("a\r\nb\r\nc")},
        {QStringLiteral("12\r\n\r\n"), QStringLiteral("12\r\n\r\n")},
        {QStringLiteral("no\u00a0break"), QStringLiteral("no\u00a0break")},
        {QString(), QString()},
    };
    for (const auto& row : rows) {
        window->setInputText(row.given);
        EXPECT_EQ(window->inputText(), row.read) << row.given.toStdString();
    }
}

// A held key repeats; only its real release may reach the key handler, so it steps the trainer
// once.
TEST_F(WindowStartup, OnlyRealKeyReleasesReachTheKeyHandler) {
    click("cmdSR");
    const struct {
        int key;
        bool autoRepeat;
        std::int16_t lineCount;
    } rows[] = {
        {Qt::Key_Down, true, 0}, {Qt::Key_Down, false, 1}, {Qt::Key_Up, false, 1},
        {Qt::Key_Down, true, 1}, {Qt::Key_Down, false, 2},
    };
    for (const auto& row : rows) {
        QKeyEvent release(QEvent::KeyRelease, row.key, Qt::ShiftModifier, QString(),
                          row.autoRepeat);
        QCoreApplication::sendEvent(control("txtInput"), &release);
        EXPECT_EQ(window->trainer().lineCount(), row.lineCount) << row.key << " " << row.autoRepeat;
    }
}

// The window, and read-selection that would start one, say so at once.
TEST(WindowWithoutDisplay, SaysSoAndSuggestsTheSayCommand) {
    const struct {
        const char* display; // null: not set
        const char* reason;
        QStringList arguments;
    } cases[] = {
        {nullptr, "no display", {}},
        {":987", "cannot connect to the X display", {}}, // no server answers there
        {nullptr, "no display", {"read-selection"}},
    };
    QTemporaryDir runtime;
    for (const auto& c : cases) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        if (c.display)
            environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(c.display));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TELLWICK_BINARY), c.arguments);
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 1);
        const QString message = QString::fromUtf8(program.readAllStandardError());
        EXPECT_TRUE(message.contains(QLatin1String(c.reason))) << message.toStdString();
        // Not after waiting in vain for the window it would start.
        EXPECT_FALSE(message.contains(QStringLiteral("no Tellwick window is running")))
            << message.toStdString();
        if (c.arguments.isEmpty()) {
            EXPECT_TRUE(message.contains(QStringLiteral("tellwick say"))) << message.toStdString();
        }
    }
}

} // namespace
} // namespace tellwick
