#include "trainer/trainer.h"

#include "support/fake_clipboard.h"
#include "support/fake_keyboard.h"
#include "support/fake_window_view.h"

#include <gtest/gtest.h>

#include <limits>

namespace tellwick {
namespace {

class TrainerTest : public testing::Test {
protected:
    void toggle() {
        toggleTrainer(state, keyboard, view, [this](const QString& caption) {
            keyboard.events << QStringLiteral("caption ") + caption;
        });
    }
    void releaseDown(int times = 1) {
        for (int i = 0; i < times; ++i)
            trainerKeyUp(VK_DOWN, state, keyboard, view, clipboard);
    }
    static QStringList pageStep(int lines) {
        QStringList keys = {"down 34", "up 34"};
        for (int i = 0; i < lines; ++i)
            keys << "down 38"
                 << "up 38";
        return keys;
    }

    WindowState state;
    FakeKeyboard keyboard;
    FakeWindowView view;
    FakeClipboard clipboard;
};

TEST_F(TrainerTest, SwitchingOnGoesHomeAndHoldsShift) {
    state.LineCount = 12;
    toggle();
    EXPECT_TRUE(state.TrainerOn);
    EXPECT_EQ(state.LineCount, 0);
    EXPECT_EQ(keyboard.events, QStringList({"down 17", "sleep 50", "down 36", "up 36", "sleep 50",
                                            "up 17", "sleep 50", "down 16", "caption &X"}));
    EXPECT_EQ(view.calls, QStringList({"focus"}));
}

TEST_F(TrainerTest, SwitchingTwiceReleasesShiftAndDropsTheHighlight) {
    toggle();
    keyboard.events.clear();
    toggle();
    EXPECT_FALSE(state.TrainerOn);
    EXPECT_EQ(keyboard.events,
              QStringList({"caption &SR", "up 16", "sleep 50", "down 36", "up 36"}));
    EXPECT_EQ(view.calls, QStringList({"focus", "focus"}));
}

struct PageCase {
    const char* name;
    int screenLines;
    int releases;
    int expectedPageSteps;
    int expectedCount;
};

void PrintTo(const PageCase& c, std::ostream* out) {
    *out << c.name;
}

class TrainerPageTest : public TrainerTest, public testing::WithParamInterface<PageCase> {};

TEST_P(TrainerPageTest, TurnsThePageOnTheScreenLinesthRelease) {
    const PageCase& c = GetParam();
    state.ScreenLines = static_cast<std::int16_t>(c.screenLines);
    toggle();
    keyboard.events.clear();

    releaseDown(c.releases);

    QStringList expected;
    for (int i = 0; i < c.expectedPageSteps; ++i)
        expected << pageStep(c.screenLines);
    EXPECT_EQ(keyboard.events, expected);
    EXPECT_EQ(state.LineCount, c.expectedCount);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrainerPageTest,
                         testing::Values(PageCase{"TwentyNinthSendsNothing", 30, 29, 0, 29},
                                         PageCase{"ThirtiethTurnsThePage", 30, 30, 1, 0},
                                         PageCase{"CountRestartsAfterPage", 30, 61, 2, 1},
                                         PageCase{"OneLineScreen", 1, 3, 3, 0},
                                         PageCase{"ZeroLinesNeverTurns", 0, 100, 0, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrainerTest, OtherKeysAndKeysWhileOffAreNotCounted) {
    for (int key :
         std::initializer_list<int>{VK_UP, VK_SHIFT, VK_NEXT, VK_HOME, VK_CONTROL, 0, 255})
        trainerKeyUp(key, state, keyboard, view, clipboard);
    releaseDown(5);
    EXPECT_EQ(state.LineCount, 0);
    toggle();
    trainerKeyUp(VK_UP, state, keyboard, view, clipboard);
    EXPECT_EQ(state.LineCount, 0);
}

TEST_F(TrainerTest, SwitchingOnRestartsTheCount) {
    toggle();
    releaseDown(7);
    toggle();
    toggle();
    EXPECT_EQ(state.LineCount, 0);
    releaseDown();
    EXPECT_EQ(state.LineCount, 1);
}

TEST_F(TrainerTest, ShrunkenScreenStopsPageStepsUntilRestarted) {
    toggle();
    releaseDown(20);
    state.ScreenLines = 10;
    keyboard.events.clear();
    releaseDown(40);
    EXPECT_TRUE(keyboard.events.isEmpty());
    EXPECT_EQ(state.LineCount, 60);
}

TEST_F(TrainerTest, CountStopsAtItsMaximumInsteadOfWrapping) {
    state.ScreenLines = 0;
    toggle();
    state.LineCount = std::numeric_limits<std::int16_t>::max() - 1;
    releaseDown(3);
    EXPECT_EQ(state.LineCount, std::numeric_limits<std::int16_t>::max());
}

struct CopyCase {
    const char* name;
    QString box;
    QString expectedClipboard;
};

void PrintTo(const CopyCase& c, std::ostream* out) {
    *out << c.name;
}

class F2CopyTest : public TrainerTest, public testing::WithParamInterface<CopyCase> {};

TEST_P(F2CopyTest, CopiesTheBoxWithoutTrailingLineBreaks) {
    const CopyCase& c = GetParam();
    view.text = c.box;
    clipboard.content = QStringLiteral("before");
    trainerKeyUp(VK_F2, state, keyboard, view, clipboard);
    EXPECT_EQ(clipboard.content, c.expectedClipboard);
    EXPECT_EQ(clipboard.clearCount, 1);
    EXPECT_EQ(view.text, c.box) << "the box keeps its text";
    EXPECT_TRUE(keyboard.events.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, F2CopyTest,
    testing::Values(CopyCase{"ThirtyEmptyLinesStripped",
                             "Text\r\nmore" + QStringLiteral("\r\n").repeated(30), "Text\nmore"},
                    CopyCase{"LoneLfStops", "a\r\n\n", "a\n\n"},
                    // A lone CR ends the stripping; pasted, it is a line break like any other.
                    CopyCase{"LoneCrStops", "a\r\n\r", "a\n\n"},
                    CopyCase{"InnerBreaksBecomeLf", "1\r\n\r\n2\r\n3", "1\n\n2\n3"},
                    CopyCase{"LfCrLfLosesOnlyLastPair", "a\n\r\n", "a\n"},
                    CopyCase{"OnlyLineBreaks", "\r\n\r\n", ""}, CopyCase{"EmptyBox", "", ""},
                    CopyCase{"UnicodeKept", QStringLiteral("Ünïcødé — “quotes” 日本\r\n"),
                             QStringLiteral("Ünïcødé — “quotes” 日本")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrainerTest, F2WorksWithTheTrainerOnAndCountsNoLine) {
    toggle();
    view.text = QStringLiteral("x\r\n");
    trainerKeyUp(VK_F2, state, keyboard, view, clipboard);
    EXPECT_EQ(clipboard.content, QStringLiteral("x"));
    EXPECT_EQ(state.LineCount, 0);
}

struct FailureCase {
    const char* name;
    bool failClear;
    bool failSet;
    QString expectedClipboard;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class F2FailureTest : public TrainerTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(F2FailureTest, EachStepIsTriedWhateverFailedBefore) {
    const FailureCase& c = GetParam();
    clipboard.content = QStringLiteral("before");
    clipboard.failClear = c.failClear;
    clipboard.failSet = c.failSet;
    view.text = QStringLiteral("box\r\n");
    trainerKeyUp(VK_F2, state, keyboard, view, clipboard);
    EXPECT_EQ(clipboard.clearCount, 1);
    EXPECT_EQ(clipboard.setCount, 1);
    EXPECT_EQ(clipboard.content, c.expectedClipboard);
}

INSTANTIATE_TEST_SUITE_P(Cases, F2FailureTest,
                         testing::Values(FailureCase{"ClearFails", true, false, "box"},
                                         FailureCase{"SetFailsLeavingItCleared", false, true, ""},
                                         FailureCase{"BothFail", true, true, "before"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tellwick
