#include "capture/read_highlighted.h"

#include "support/fake_clipboard.h"
#include "support/fake_keyboard.h"
#include "support/fake_window_view.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace tellwick {
namespace {

struct Recorder {
    QStringList steps;
    FakeWindowView view;
    std::function<void()> paste = [this] { steps << QStringLiteral("paste"); };
    std::function<void()> read = [this] { steps << QStringLiteral("read"); };
};

TEST(ReadHighlightedTest, PlaysTheMacroInOrderThenPastesAndReads) {
    Recorder recorder;
    FakeKeyboard keyboard;
    FakeClipboard clipboard;
    // Focus, keys and the two handlers share one list so that their order shows.
    keyboard.onKeyEvent = [&](std::uint8_t, int) {
        if (recorder.steps.isEmpty())
            recorder.steps << recorder.view.calls;
    };
    recorder.paste = [&] { keyboard.events << QStringLiteral("paste"); };
    recorder.read = [&] { keyboard.events << QStringLiteral("read"); };

    readHighlighted(recorder.view, &keyboard, clipboard, recorder.paste, recorder.read);

    EXPECT_EQ(recorder.steps, QStringList({"focus"})) << "the focus moves before the first key";
    EXPECT_EQ(keyboard.events,
              QStringList({"sleep 100", "down 18", "sleep 100", "down 9",  "up 9",
                           "sleep 100", "up 18",   "sleep 50",  "down 17", "sleep 50",
                           "down 67",   "up 67",   "sleep 50",  "up 17",   "sleep 600",
                           "down 37",   "up 37",   "sleep 100", "paste",   "read"}));
    // Five presses and five releases, one for each key step of the macro.
    EXPECT_EQ(keyboard.keyEvents().filter(QRegularExpression("^(down|up) ")).size(), 10);
    EXPECT_EQ(keyboard.sleeps(), QList<int>({100, 100, 100, 50, 50, 50, 600, 100}));
    EXPECT_EQ(clipboard.setCount, 0) << "the other application does the copying";
}

struct SelectionCase {
    const char* name;
    bool systemKeyboard;
    std::optional<QString> selection;
    QString expectedClipboard;
    bool macroPlayed;
};

void PrintTo(const SelectionCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadHighlightedSelectionTest : public testing::TestWithParam<SelectionCase> {};

// A highlighted text goes to the clipboard without a key pressed in the other program; only
// without one does the system keyboard copy.
TEST_P(ReadHighlightedSelectionTest, TakesThePrimarySelectionBeforeAnyKey) {
    const SelectionCase& c = GetParam();
    Recorder recorder;
    FakeKeyboard keyboard;
    FakeClipboard clipboard(QStringLiteral("earlier"));
    clipboard.selection = c.selection;
    QString clipboardAtPaste;
    recorder.paste = [&] {
        clipboardAtPaste = clipboard.content;
        recorder.steps << QStringLiteral("paste");
    };

    readHighlighted(recorder.view, c.systemKeyboard ? &keyboard : nullptr, clipboard,
                    recorder.paste, recorder.read);

    EXPECT_EQ(recorder.view.calls, QStringList({"focus"}));
    EXPECT_EQ(recorder.steps, QStringList({"paste", "read"}));
    EXPECT_EQ(clipboardAtPaste, c.expectedClipboard);
    EXPECT_EQ(keyboard.events.size(), c.macroPlayed ? 18 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadHighlightedSelectionTest,
    testing::Values(
        SelectionCase{"SelectionWithKeyboard", true, QStringLiteral("highlighted"),
                      QStringLiteral("highlighted"), false},
        SelectionCase{"SelectionWithoutKeyboard", false, QStringLiteral("highlighted"),
                      QStringLiteral("highlighted"), false},
        SelectionCase{"EmptySelectionPlaysMacro", true, QString(), QStringLiteral("earlier"), true},
        SelectionCase{"NoSelectionPlaysMacro", true, std::nullopt, QStringLiteral("earlier"), true},
        SelectionCase{"EmptySelectionWithoutKeyboard", false, QString(), QStringLiteral("earlier"),
                      false},
        SelectionCase{"NoSelectionWithoutKeyboard", false, std::nullopt, QStringLiteral("earlier"),
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadHighlightedTest, FailureOfReadReachesTheCaller) {
    Recorder recorder;
    FakeKeyboard keyboard;
    FakeClipboard clipboard;
    recorder.read = [] { throw std::runtime_error("no voice"); };
    EXPECT_THROW(
        readHighlighted(recorder.view, &keyboard, clipboard, recorder.paste, recorder.read),
        std::runtime_error);
    EXPECT_EQ(recorder.steps, QStringList({"paste"}));
}

} // namespace
} // namespace tellwick
