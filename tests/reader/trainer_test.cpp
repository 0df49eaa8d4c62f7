#include "reader/trainer.h"

#include "support/fake_clipboard.h"

#include <gtest/gtest.h>

#include <limits>

namespace tellwick {
namespace {

struct PageCase {
    const char* name;
    int screenLines;
    int releases;
    int expectedPages;
    int expectedCount;
};

void PrintTo(const PageCase& c, std::ostream* out) {
    *out << c.name;
}

class TrainerPageTest : public testing::TestWithParam<PageCase> {};

TEST_P(TrainerPageTest, TurnsThePageOnTheScreenLinesthLine) {
    const PageCase& c = GetParam();
    Trainer trainer;
    trainer.switchOn();
    int pages = 0;
    for (int i = 0; i < c.releases; ++i)
        pages += trainer.lineRead(c.screenLines) ? 1 : 0;
    EXPECT_EQ(pages, c.expectedPages);
    EXPECT_EQ(trainer.lineCount(), c.expectedCount);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrainerPageTest,
                         testing::Values(PageCase{"TwentyNinthTurnsNothing", 30, 29, 0, 29},
                                         PageCase{"ThirtiethTurnsThePage", 30, 30, 1, 0},
                                         PageCase{"CountRestartsAfterPage", 30, 61, 2, 1},
                                         PageCase{"OneLineScreen", 1, 3, 3, 0},
                                         PageCase{"ZeroLinesNeverTurns", 0, 100, 0, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TrainerTest, SwitchingOnRestartsTheCount) {
    Trainer trainer;
    trainer.switchOn();
    for (int i = 0; i < 7; ++i)
        trainer.lineRead(30);
    trainer.switchOff();
    EXPECT_FALSE(trainer.isOn());
    trainer.switchOn();
    EXPECT_TRUE(trainer.isOn());
    EXPECT_EQ(trainer.lineCount(), 0);
}

TEST(TrainerTest, AScreenShrunkBelowTheCountTurnsNoPageUntilRestarted) {
    Trainer trainer;
    trainer.switchOn();
    for (int i = 0; i < 20; ++i)
        trainer.lineRead(30);
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(trainer.lineRead(10));
    EXPECT_EQ(trainer.lineCount(), 60);
}

TEST(TrainerTest, CountStopsAtItsMaximumInsteadOfWrapping) {
    Trainer trainer;
    trainer.switchOn();
    for (int i = 0; i < std::numeric_limits<std::int16_t>::max() + 2; ++i)
        trainer.lineRead(0);
    EXPECT_EQ(trainer.lineCount(), std::numeric_limits<std::int16_t>::max());
}

struct CopyCase {
    const char* name;
    QString box;
    QString expectedClipboard;
};

void PrintTo(const CopyCase& c, std::ostream* out) {
    *out << c.name;
}

class F2CopyTest : public testing::TestWithParam<CopyCase> {};

TEST_P(F2CopyTest, CopiesTheBoxWithoutTrailingLineBreaks) {
    const CopyCase& c = GetParam();
    FakeClipboard clipboard(QStringLiteral("before"));
    copyBoxText(c.box, clipboard);
    EXPECT_EQ(clipboard.content, c.expectedClipboard);
    EXPECT_EQ(clipboard.clearCount, 1);
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

struct FailureCase {
    const char* name;
    bool failClear;
    bool failSet;
    QString expectedClipboard;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class F2FailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(F2FailureTest, EachStepIsTriedWhateverFailedBefore) {
    const FailureCase& c = GetParam();
    FakeClipboard clipboard(QStringLiteral("before"));
    clipboard.failClear = c.failClear;
    clipboard.failSet = c.failSet;
    copyBoxText(QStringLiteral("box\r\n"), clipboard);
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
