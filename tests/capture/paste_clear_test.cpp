#include "capture/paste_clear.h"

#include "support/fake_clipboard.h"
#include "support/fake_voice.h"
#include "support/fake_window_view.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

struct PasteCase {
    const char* name;
    std::optional<QString> clipboard; // nothing: the clipboard cannot be read
    int screenLines;
    QString expectedBox;
};

void PrintTo(const PasteCase& c, std::ostream* out) {
    *out << c.name;
}

class PasteTest : public testing::TestWithParam<PasteCase> {};

TEST_P(PasteTest, BoxHoldsClipboardTextAndEmptyLineRun) {
    const PasteCase& c = GetParam();
    FakeClipboard clipboard(c.clipboard.value_or(QString()));
    clipboard.failRead = !c.clipboard;
    FakeWindowView view;
    view.text = QStringLiteral("old text");
    view.paused = true;
    WindowState state;
    state.ScreenLines = static_cast<std::int16_t>(c.screenLines);

    pasteClipboard(view, state, clipboard);

    EXPECT_EQ(view.text, c.expectedBox);
    EXPECT_FALSE(view.paused);
    EXPECT_EQ(view.calls.first(), QStringLiteral("text ")) << "the box is emptied first";
    EXPECT_EQ(clipboard.content, c.clipboard.value_or(QString())) << "paste never writes";
    EXPECT_EQ(clipboard.setCount + clipboard.clearCount, 0);
}

const QString thirtyLines = QStringLiteral("\r\n").repeated(30);

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteTest,
    testing::Values(PasteCase{"TextWithThirtyLines", QStringLiteral("Hello\r\nworld"), 30,
                              QStringLiteral("Hello\r\nworld") + thirtyLines},
                    PasteCase{"EmptyClipboardLeavesOnlyTheRun", QString(), 30, thirtyLines},
                    PasteCase{"RunFollowsResizedScreen", QStringLiteral("x"), 7,
                              QStringLiteral("x") + QStringLiteral("\r\n").repeated(7)},
                    PasteCase{"NoRunBelowOneLine", QStringLiteral("x"), 0, QStringLiteral("x")},
                    PasteCase{"NegativeLinesGiveNoRun", QStringLiteral("x"), -3,
                              QStringLiteral("x")},
                    PasteCase{"TextTakenUnchanged", QStringLiteral(" a\n\tb\r ü "), 1,
                              QStringLiteral(" a\n\tb\r ü \r\n")},
                    PasteCase{"UnreadableClipboardLeavesBoxEmpty", std::nullopt, 30, QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PasteTest, PausedReadingStaysPausedAndUntouched) {
    FakeVoiceFactory voices;
    WindowState state;
    state.CurVoice = voices.factory()(nullptr);
    state.CurVoice->speak(QStringLiteral("reading"));
    state.CurVoice->pause();
    FakeClipboard clipboard(QStringLiteral("new"));
    FakeWindowView view;

    pasteClipboard(view, state, clipboard);

    EXPECT_EQ(voices.log().calls, QStringList({"speak reading", "pause"}));
    EXPECT_FALSE(view.paused);
}

TEST(ClearTest, BeforeAnyReadingOnlyEmptiesTheBox) {
    FakeWindowView view;
    view.text = QStringLiteral("text");
    WindowState state;

    clearInput(view, state);

    EXPECT_EQ(view.calls, QStringList({"text ", "not paused", "focus"}));
}

TEST(ClearTest, DuringReadingPausesTheVoiceThenEmptiesTheBox) {
    FakeVoiceFactory voices;
    WindowState state;
    state.CurVoice = voices.factory()(nullptr);
    state.CurVoice->speak(QStringLiteral("reading"));
    FakeWindowView view;
    view.text = QStringLiteral("reading");
    view.paused = true;

    clearInput(view, state);

    EXPECT_EQ(voices.log().calls.last(), QStringLiteral("pause"));
    ASSERT_TRUE(state.CurVoice) << "the paused voice stays until the next Read";
    EXPECT_TRUE(voices.log().newest->isPaused());
    EXPECT_EQ(view.text, QString());
    EXPECT_FALSE(view.paused);
}

TEST(ClearTest, FailingPauseIsIgnored) {
    FakeVoiceFactory voices;
    voices.log().failing.insert(QStringLiteral("pause"));
    WindowState state;
    state.CurVoice = voices.factory()(nullptr);
    FakeWindowView view;
    view.text = QStringLiteral("text");

    clearInput(view, state);

    EXPECT_EQ(view.calls, QStringList({"text ", "not paused", "focus"}));
}

} // namespace
} // namespace tellwick
