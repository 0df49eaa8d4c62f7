// Following the reading in the box: the highlight the window shows as the voice reports each
// sentence heard.
#include "app/input_box.h"
#include "reader/box_reading.h"

#include "support/x_session.h"
#include "window_fixture.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <optional>

namespace tellwick {

void PrintTo(const BoxRange& range, std::ostream* out) {
    *out << '[' << range.start << ", " << range.end << ')';
}

namespace {

const QChar paragraph = QChar::ParagraphSeparator;

const QString threeSentences = QStringLiteral("One. Two three.\r\nFour!");
const QString threeSpoken = QStringLiteral("One. Two three.  Four!");
constexpr BoxRange one{0, 4};
constexpr BoxRange two{5, 15};
constexpr BoxRange four{16, 21};

class Following : public WindowFixture {
protected:
    QPlainTextEdit* box() const { return control<QPlainTextEdit>("txtInput"); }
    // The voice reports the sentence that starts at needle in what it was last given.
    void hear(const char* needle) const {
        const QString spoken = voices.log().calls.filter(QStringLiteral("speak")).last();
        const qsizetype at = spoken.indexOf(QLatin1String(needle)) - spoken.indexOf(u' ') - 1;
        voices.log().newest->hear(0, at);
    }
    std::optional<BoxRange> shown() const { return window->followedSentence(); }
    // The highlight as painted: the box's extra selections.
    std::optional<BoxRange> painted() const {
        const auto selections = box()->extraSelections();
        if (selections.isEmpty())
            return std::nullopt;
        return BoxRange{selections.first().cursor.selectionStart(),
                        selections.first().cursor.selectionEnd()};
    }
};

TEST_F(Following, TheHighlightFollowsTheSentencesHeardUntilTheReadingEndsOrTheTextChanges) {
    using Steps = std::function<void()>;
    const struct {
        const char* what;
        QString box;
        Steps steps;
        std::optional<BoxRange> shown;
    } rows[] = {
        {"nothing heard yet", threeSentences, [] {}, std::nullopt},
        {"the first sentence", threeSentences, [this] { hear("One"); }, one},
        {"the next sentence", threeSentences,
         [this] {
             hear("One");
             hear("Two");
         },
         two},
        {"pause keeps it", threeSentences,
         [this] {
             hear("Two");
             click("cmdPause");
         },
         two},
        {"a skip moves it once the voice reports", threeSentences,
         [this] {
             hear("Two");
             click("cmdSkipF");
             EXPECT_EQ(shown(), two);
             hear("Four");
         },
         four},
        {"a skip back", threeSentences,
         [this] {
             hear("Four");
             click("cmdHere");
             hear("Two");
         },
         two},
        {"finished", threeSentences,
         [this] {
             hear("Four");
             voices.log().newest->finish();
         },
         std::nullopt},
        {"cleared", threeSentences,
         [this] {
             hear("Two");
             click("cmdClear");
         },
         std::nullopt},
        {"pasted over", threeSentences,
         [this] {
             hear("Two");
             clipboard->content = threeSentences;
             click("cmdPaste");
         },
         std::nullopt},
        {"edited, and heard after the edit", threeSentences,
         [this] {
             hear("One");
             QTest::keyClicks(box(), QStringLiteral("x"));
             hear("Two");
         },
         std::nullopt},
        {"read again", threeSentences,
         [this] {
             hear("Two");
             voices.log().calls.clear();
             click("cmdRead");
         },
         std::nullopt},
        {"a clipboard reading", QString(),
         [this] {
             hear("Two");
             hear("Four");
         },
         std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        clipboard->content = threeSentences;
        window->setInputText(row.box);
        click("cmdRead");
        ASSERT_EQ(voices.log().calls.last(), QStringLiteral("speak ") + threeSpoken);
        row.steps();
        EXPECT_EQ(shown(), row.shown);
        // An edit's highlight goes once the edit is done, before the box is painted again.
        QCoreApplication::processEvents();
        EXPECT_EQ(painted(), row.shown);
        EXPECT_TRUE(reported.isEmpty());
    }
}

TEST_F(Following, TheUsersSelectionStaysAndTheHighlightIsNotTheSelectionColour) {
    window->setInputText(threeSentences);
    QTextCursor selection(box()->document());
    selection.setPosition(2);
    selection.setPosition(9, QTextCursor::KeepAnchor);
    box()->setTextCursor(selection);
    click("cmdRead");
    hear("Two");
    EXPECT_EQ(box()->textCursor().anchor(), 2);
    EXPECT_EQ(box()->textCursor().position(), 9);
    const QColor background = box()->extraSelections().first().format.background().color();
    EXPECT_NE(background, box()->palette().color(QPalette::Highlight));
    EXPECT_NE(background, box()->palette().color(QPalette::Base));
}

TEST_F(Following, ReadFromHereReadsFromTheSentenceAtTheCaretOrThePointer) {
    using Ask = std::function<void(int position)>;
    const Ask ctrlEnter = [this](int position) {
        QTextCursor caret = box()->textCursor();
        caret.setPosition(position);
        box()->setTextCursor(caret);
        QTest::keyClick(box(), Qt::Key_Return, Qt::ControlModifier);
    };
    const Ask menu = [this](int position) {
        QTextCursor at(box()->document());
        at.setPosition(position);
        QMenu* shown = static_cast<InputBox*>(box())->createContextMenu(
            box()->cursorRect(at).center() + QPoint(1, 0));
        shown->findChild<QAction*>(QStringLiteral("read-from-here"))->trigger();
        delete shown;
    };
    const struct {
        const char* what;
        Ask ask;
        int position;
        QString spoken;
        const char* heard;
        BoxRange range;
    } rows[] = {
        {"Ctrl+Enter in the second sentence", ctrlEnter, 8, QStringLiteral("Two three.  Four!"),
         "Two", two},
        {"Ctrl+Enter, then the next sentence", ctrlEnter, 8, QStringLiteral("Two three.  Four!"),
         "Four", four},
        {"Ctrl+Enter at the start", ctrlEnter, 0, threeSpoken, "Two", two},
        {"the menu on the last sentence", menu, 18, QStringLiteral("Four!"), "Four", four},
        {"the menu in the first", menu, 2, threeSpoken, "One", one},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        window->show();
        window->setInputText(threeSentences);
        window->reader().setSpeed(4);
        window->reader().setPaused(true);
        row.ask(row.position);
        EXPECT_EQ(voices.log().calls, QStringList({QStringLiteral("setRate 4"),
                                                   QStringLiteral("speak ") + row.spoken}));
        EXPECT_EQ(pauseCaption(), QStringLiteral("P&ause"));
        hear(row.heard);
        EXPECT_EQ(shown(), row.range);
        EXPECT_EQ(window->inputText(), threeSentences);
    }
}

TEST_F(Following, TheBoxScrollsOnlyWhenTheSentenceHeardIsOutOfView) {
    const struct {
        const char* what;
        int scrolledTo; // the top line the user scrolled to
        const char* heard;
        int top;
    } rows[] = {
        {"below the view", 0, "Line sixty ", 59},
        {"in view", 0, "Line three ", 0},
        {"in view where the user scrolled", 40, "Line forty-five ", 40},
        {"above the view", 50, "Line ten ", 9},
    };
    window->show();
    QStringList lines;
    for (int line = 0; line < 100; ++line)
        lines << QStringLiteral("Line %1 is here.").arg(line);
    window->setInputText(lines.join(QStringLiteral("\r\n")));
    click("cmdRead");
    for (const auto& row : rows) {
        box()->verticalScrollBar()->setValue(row.scrolledTo);
        hear(row.heard);
        EXPECT_EQ(box()->cursorForPosition(QPoint(0, 0)).blockNumber(), row.top) << row.what;
    }
}

// A book in the box is read in two steps; the whole's map takes over from the beginning's, unless
// the box was edited meanwhile.
TEST_F(Following, ALargeTextIsFollowedIntoItsWholeUnlessEditedMeanwhile) {
    const QString paragraph =
        QStringLiteral("It was the best of times; he will resume it at 10:30 today.\r\n");
    const struct {
        const char* what;
        bool edit;
        std::optional<BoxRange> shown;
    } rows[] = {
        {"the 1501st paragraph", false, BoxRange{90000, 90059}},
        {"edited before the whole was ready", true, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        window->setInputText(paragraph.repeated(2000));
        click("cmdRead");
        hear("It was");
        EXPECT_EQ(shown(), (BoxRange{0, 59}));
        if (row.edit)
            QTest::keyClicks(box(), QStringLiteral("x"));
        ASSERT_TRUE(waitFor(
            [&] { return voices.log().calls.last().startsWith(QStringLiteral("completeText")); },
            10000));
        const QString whole = voices.log().calls.last().mid(QStringLiteral("completeText ").size());
        qsizetype at = -1;
        for (int paragraphs = 0; paragraphs <= 1500; ++paragraphs)
            at = whole.indexOf(QStringLiteral("It was"), at + 1);
        voices.log().newest->hear(1500, at);
        EXPECT_EQ(shown(), row.shown);
    }
}

} // namespace
} // namespace tellwick
