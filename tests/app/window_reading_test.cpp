#include "window_fixture.h"

#include "reader/box_text.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <functional>

namespace tellwick {
namespace {

const QString pause = QStringLiteral("P&ause");
const QString resume = QStringLiteral("R&esume");

class Reading : public WindowFixture {
protected:
    // Starts a reading of the given box text and forgets the calls it made.
    void startReading(const QString& text = QStringLiteral("One. Two. Three.")) {
        window->setInputText(text);
        click("cmdRead");
        voices.log().calls.clear();
    }
    QStringList calls() const { return voices.log().calls; }
};

TEST_F(Reading, ReadSpeaksTheBoxRewrittenWithCrLfAtTheCurrentSpeed) {
    const struct {
        QString box;
        std::int16_t speed;
    } rows[] = {
        {QStringLiteral("Page 12\r\n12\r\nmore text"), 1},
        {QStringLiteral("Slow."), -9},
        {QStringLiteral("I live in a [note] house."), 0},
        {QStringLiteral("Fast."), 9},
    };
    for (const auto& row : rows) {
        voices.log().calls.clear();
        window->setInputText(row.box);
        window->reader().setSpeed(row.speed);
        window->reader().setPaused(true);
        click("cmdRead");
        EXPECT_EQ(calls(), QStringList({QStringLiteral("setRate %1").arg(row.speed),
                                        QStringLiteral("speak ") + respelled(row.box)}))
            << row.box.toStdString();
        EXPECT_EQ(pauseCaption(), pause);
        EXPECT_EQ(window->reader().voice(), voices.log().newest);
    }
    EXPECT_TRUE(reported.isEmpty());
}

TEST_F(Reading, ReadPassesTheCheckBoxesToTheRewriter) {
    const QString box = QStringLiteral("Hear [this] line\r\nand the next.");
    const RespellOptions unticked{false, false};
    ASSERT_NE(respelled(box), respelled(box, unticked));
    control<QCheckBox>("chkCrPause")->setChecked(false);
    control<QCheckBox>("chkSqBr")->setChecked(false);
    startReading(box);
    window->setInputText(box);
    click("cmdRead");
    EXPECT_EQ(calls().last(), QStringLiteral("speak ") + respelled(box, unticked));
}

TEST_F(Reading, EachReadReleasesThePreviousVoice) {
    startReading();
    startReading();
    EXPECT_EQ(voices.log().created, 2);
    EXPECT_EQ(voices.log().destroyed, 1);
    EXPECT_EQ(window->inputText(), QStringLiteral("One. Two. Three."));
}

TEST_F(Reading, AnEmptyBoxReadsTheClipboardSkippingFailures) {
    const QStringList copiedSpoken = {QStringLiteral("setRate 1"),
                                      QStringLiteral("speak ") +
                                          respelled(QStringLiteral("Copied."))};
    const struct {
        const char* what;
        QString clipboard;
        bool failRead;
        bool failCreation;
        bool priorVoice;
        int created;
        QStringList calls;
        QString caption;
        QString box = {};
    } rows[] = {
        // Paste of an empty clipboard leaves line breaks, which say nothing.
        {"a box of white space only", QStringLiteral("Copied."), false, false, false, 1,
         copiedSpoken, pause, QStringLiteral(" \t\r\n\r\n\u00a0\r\n")},
        {"clipboard text", QStringLiteral("Copied."), false, false, false, 1, copiedSpoken, pause},
        {"empty clipboard", QString(), false, false, true, 1, {}, resume},
        // A read that fails is a skipped step, not an empty clipboard: the steps after it run.
        {"unreadable clipboard",
         QStringLiteral("Copied."),
         true,
         false,
         true,
         2,
         {QStringLiteral("setRate 1")},
         pause},
        {"no voice, none before", QStringLiteral("Copied."), false, true, false, 0, {}, pause},
        {"no voice, the old one speaks", QStringLiteral("Copied."), false, true, true, 1,
         copiedSpoken, pause},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        if (row.priorVoice)
            startReading();
        window->setInputText(row.box);
        window->reader().setPaused(true);
        clipboard->content = row.clipboard;
        clipboard->failRead = row.failRead;
        voices.log().failCreation = row.failCreation;
        click("cmdRead");
        EXPECT_EQ(voices.log().created, row.created);
        EXPECT_EQ(calls(), row.calls);
        EXPECT_EQ(pauseCaption(), row.caption);
        EXPECT_EQ(window->inputText(), row.box);
        EXPECT_TRUE(reported.isEmpty());
        EXPECT_EQ(clipboard->setCount + clipboard->clearCount, 0);
    }
}

TEST_F(Reading, PauseFollowsItsStateTable) {
    enum Voice { None, Speaking, Refusing };
    const struct {
        const char* what;
        bool emptyBox;
        QString before;
        Voice voice;
        QString after;
        QStringList calls;
        int reports;
    } rows[] = {
        {"empty box, pausing", true, pause, Speaking, pause, {}, 0},
        {"empty box, resuming", true, resume, Speaking, resume, {}, 0},
        {"no reading yet", false, pause, None, pause, {}, 0},
        {"pause succeeds", false, pause, Speaking, resume, {QStringLiteral("pause")}, 0},
        {"pause refused", false, pause, Refusing, pause, {QStringLiteral("pause")}, 0},
        {"resume succeeds", false, resume, Speaking, pause, {QStringLiteral("resume")}, 0},
        {"resume fails", false, resume, Refusing, resume, {QStringLiteral("resume")}, 1},
        {"resume without a voice", false, resume, None, resume, {}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        if (row.voice != None)
            startReading();
        if (row.voice == Refusing)
            voices.log().failing = {QStringLiteral("pause"), QStringLiteral("resume")};
        if (row.emptyBox)
            window->setInputText(QString());
        window->reader().setPaused(row.before == resume);
        click("cmdPause");
        EXPECT_EQ(pauseCaption(), row.after);
        EXPECT_EQ(calls(), row.calls);
        EXPECT_EQ(reported.size(), row.reports);
    }
}

TEST_F(Reading, SkipsThatFailChangeTheSpeedWithinItsLimits) {
    enum Voice { None, Speaking, Paused, Finished };
    const struct {
        const char* what;
        Voice voice;
        std::int16_t start;
        const char* presses;
        QStringList labels; // after each press
        std::int16_t end;
    } rows[] = {
        {"faster before reading",
         None,
         1,
         ">>>",
         {QStringLiteral("Speed: +2"), QStringLiteral("Speed: +3"), QStringLiteral("Speed: +4")},
         4},
        {"slower before reading",
         None,
         1,
         "<<",
         {QStringLiteral("Speed: N"), QStringLiteral("Speed: -1")},
         -1},
        {"at the top", None, 9, ">", {QStringLiteral("Speed: +9")}, 9},
        {"at the bottom",
         None,
         -9,
         "<<",
         {QStringLiteral("Speed: -9"), QStringLiteral("Speed: -9")},
         -9},
        {"while speaking", Speaking, 3, "<>", {QStringLiteral("x"), QStringLiteral("x")}, 3},
        {"while paused", Paused, 3, ">", {QStringLiteral("Speed: +4")}, 4},
        {"after the end", Finished, -2, "<", {QStringLiteral("Speed: -3")}, -3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        if (row.voice != None)
            startReading();
        if (row.voice == Paused)
            click("cmdPause");
        if (row.voice == Finished)
            voices.log().newest->finish();
        window->reader().setSpeed(row.start);
        QStringList labels;
        for (const char* press = row.presses; *press; ++press) {
            control<QLabel>("lblSpeed")->setText(QStringLiteral("x"));
            click(*press == '<' ? "cmdHere" : "cmdSkipF");
            labels << speedCaption();
        }
        EXPECT_EQ(labels, row.labels);
        EXPECT_EQ(window->reader().speed(), row.end);
    }
}

TEST_F(Reading, SkipsMoveTheVoiceBySentences) {
    startReading();
    click("cmdHere");
    click("cmdSkipF");
    EXPECT_EQ(calls(), QStringList({QStringLiteral("skip -1"), QStringLiteral("skip 1")}));
}

// A failure no handler catches is reported, and the window keeps its text and state.
TEST_F(Reading, UncaughtReadFailuresAreReportedAndTheWindowGoesOn) {
    const struct {
        const char* what;
        bool failCreation;
        QString failing;
        bool voiceReplaced;
    } rows[] = {
        {"no voice can be made", true, QString(), false},
        {"rate refused", false, QStringLiteral("setRate"), true},
        {"speak refused", false, QStringLiteral("speak"), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        window->show();
        startReading();
        Voice* before = window->reader().voice();
        window->setInputText(QStringLiteral("Second text."));
        window->reader().setPaused(true);
        window->reader().setSpeed(-4);
        voices.log().failCreation = row.failCreation;
        if (!row.failing.isEmpty())
            voices.log().failing = {row.failing};
        click("cmdRead");
        ASSERT_EQ(reported.size(), 1);
        EXPECT_FALSE(reported.first().isEmpty());
        EXPECT_EQ(window->reader().voice() != before, row.voiceReplaced);
        EXPECT_EQ(window->inputText(), QStringLiteral("Second text."));
        EXPECT_EQ(pauseCaption(), resume);
        EXPECT_EQ(window->reader().speed(), -4);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(calls().filter(QStringLiteral("speak ")).size(),
                  row.failing == QStringLiteral("speak") ? 1 : 0);
    }
}

TEST_F(Reading, AReadingThatStopsByItselfIsReportedAtOnce) {
    const struct {
        const char* what;
        QString box;
    } rows[] = {{"reading the box", QStringLiteral("One. Two.")}, {"reading the clipboard", {}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        clipboard->content = QStringLiteral("Copied.");
        startReading(row.box);
        voices.log().newest->failFromOutput(QStringLiteral("the sound server went away"));
        EXPECT_EQ(reported,
                  QStringList{QStringLiteral("The reading stopped: the sound server went away.")});
        EXPECT_EQ(window->inputText(), row.box);
        EXPECT_EQ(pauseCaption(), pause);
    }
}

TEST_F(Reading, ButtonsLeaveTheFocusInTheBox) {
    window->show();
    window->activateWindow();
    startReading();
    for (const char* name : {"cmdRead", "cmdPause", "cmdPause", "cmdHere", "cmdSkipF"}) {
        button(name)->setFocus();
        click(name);
        EXPECT_EQ(window->focusWidget(), control("txtInput")) << name;
    }
    window->setInputText(QString());
    button("cmdPause")->setFocus();
    click("cmdPause");
    EXPECT_EQ(window->focusWidget(), control("txtInput"));
}

TEST_F(Reading, TheNoVoiceMessageNamesTheCause) {
    window->setInputText(QStringLiteral("Text."));
    voices.log().failCreation = true;
    voices.log().creationError = QStringLiteral("espeak-ng data not found");
    click("cmdRead");
    EXPECT_EQ(reported, QStringList{QStringLiteral("espeak-ng data not found")});
}

// Read takes the box's text from a copy that follows every edit, not from the box itself.
TEST_F(Reading, ReadSpeaksTheBoxAsEditedLast) {
    const struct {
        const char* name;
        QString box;
        std::function<void(QWidget*)> edit;
        QString spoken;
    } rows[] = {
        {"typed at the end", QStringLiteral("One.\r\nTwo"),
         [](QWidget* box) {
             QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClicks(box, QStringLiteral(" three"));
         },
         QStringLiteral("One.\r\nTwo three")},
        {"a line break typed", QStringLiteral("One two"),
         [](QWidget* box) {
             QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClick(box, Qt::Key_Return);
             QTest::keyClicks(box, QStringLiteral("x"));
         },
         QStringLiteral("One two\r\nx")},
        {"a line break taken out", QStringLiteral("One\r\ntwo"),
         [](QWidget* box) {
             QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClick(box, Qt::Key_Home);
             QTest::keyClick(box, Qt::Key_Backspace);
         },
         QStringLiteral("Onetwo")},
        {"everything replaced", QStringLiteral("One\r\ntwo"),
         [](QWidget* box) {
             QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClicks(box, QStringLiteral("z"));
         },
         QStringLiteral("z")},
        {"an edit undone", QStringLiteral("One"),
         [](QWidget* box) {
             QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClicks(box, QStringLiteral("x"));
             QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
         },
         QStringLiteral("One")},
        {"frame marks given", QStringLiteral("a") + QChar(0xFDD0) + QStringLiteral("b"),
         [](QWidget*) {}, QStringLiteral("a\r\nb")},
    };
    for (const auto& row : rows) {
        window->setInputText(row.box);
        row.edit(control("txtInput"));
        ASSERT_EQ(window->inputText(), row.spoken) << row.name;
        click("cmdRead");
        EXPECT_EQ(calls().last(), QStringLiteral("speak ") + respelled(row.spoken)) << row.name;
    }
}

// A book in the box: paragraphs as a book has them, beyond the size that is read in two steps.
QString book(const QString& opening = {}) {
    const QString paragraph =
        QStringLiteral("It was the best of times; he will resume it at 10:30 today.\r\n");
    return opening + paragraph.repeated(2000);
}

// Runs the event loop until the voices were told count whole texts; false after rounds of it.
bool waitForCompletions(const FakeVoiceLog& log, int count, int rounds = 2000) {
    for (int i = 0; i < rounds; ++i) {
        if (log.calls.filter(QRegularExpression(QStringLiteral("^completeText "))).size() >= count)
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
    return false;
}

TEST_F(Reading, ALargeTextIsSpokenFromItsBeginningThenCompletedWithTheWholeRewrite) {
    const struct {
        const char* name;
        QString text;
        bool onClipboard;
        bool beginningStartsTheWhole;
    } rows[] = {
        {"plain paragraphs", book(), false, true},
        {"a bracket closed only far on", book(QStringLiteral("Hear [this ")) + QStringLiteral("]."),
         false, false},
        {"on the clipboard, the box empty", book(), true, true},
    };
    for (const auto& row : rows) {
        startOver();
        window->setInputText(row.onClipboard ? QString() : row.text);
        clipboard->content = row.onClipboard ? row.text : QString();
        click("cmdRead");
        ASSERT_TRUE(waitForCompletions(voices.log(), 1)) << row.name;
        const QStringList made = calls();
        ASSERT_EQ(made.size(), 3) << row.name;
        EXPECT_EQ(made[0], QStringLiteral("setRate 1")) << row.name;
        const QString whole = respelled(row.text);
        EXPECT_EQ(made[2], QStringLiteral("completeText ") + whole) << row.name;
        const QString beginning = made[1].mid(QStringLiteral("speakBeginning ").size());
        ASSERT_TRUE(made[1].startsWith(QStringLiteral("speakBeginning "))) << row.name;
        EXPECT_NE(beginning, whole) << row.name;
        EXPECT_EQ(whole.startsWith(beginning), row.beginningStartsTheWhole) << row.name;
        EXPECT_TRUE(reported.isEmpty()) << row.name;
    }
}

TEST_F(Reading, AReadOverAPendingCompletionDropsIt) {
    window->setInputText(book(QStringLiteral("First. ")));
    click("cmdRead");
    const QString second = book(QStringLiteral("Second. "));
    window->setInputText(second);
    click("cmdRead");
    ASSERT_TRUE(waitForCompletions(voices.log(), 1));
    waitForCompletions(voices.log(), 2, 40); // a stale one would come about now
    EXPECT_EQ(calls().filter(QRegularExpression(QStringLiteral("^completeText "))),
              QStringList({QStringLiteral("completeText ") + respelled(second)}));
    EXPECT_TRUE(reported.isEmpty());
}

} // namespace
} // namespace tellwick
