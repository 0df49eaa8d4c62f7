#include "trainer/trainer.h"

#include "speech/qt_text.h"

#include <limits>

namespace tellwick {

namespace {

void pressKey(Keyboard& keyboard, std::uint8_t vk) {
    keyboard.keyEvent(vk, KEYEVENTF_KEYDOWN);
    keyboard.keyEvent(vk, KEYEVENTF_KEYUP);
}

void startTrainer(WindowState& state, Keyboard& keyboard) {
    state.TrainerOn = true;
    state.LineCount = 0;
    keyboard.keyEvent(VK_CONTROL, KEYEVENTF_KEYDOWN);
    keyboard.sleep(50);
    pressKey(keyboard, VK_HOME);
    keyboard.sleep(50);
    keyboard.keyEvent(VK_CONTROL, KEYEVENTF_KEYUP);
    keyboard.sleep(50);
    keyboard.keyEvent(VK_SHIFT, KEYEVENTF_KEYDOWN);
}

// Page Down scrolls a screenful on with Shift still held; the up arrows bring the caret back by
// as many lines, so the end of the highlight stands at the top of the new screenful.
void turnPage(WindowState& state, Keyboard& keyboard) {
    pressKey(keyboard, VK_NEXT);
    for (int line = 0; line < state.ScreenLines; ++line)
        pressKey(keyboard, VK_UP);
    state.LineCount = 0;
}

void countLine(WindowState& state, Keyboard& keyboard) {
    // With a box lower than one line ScreenLines is 0 or less and never met: the count stops at
    // its maximum instead of wrapping round to negative numbers.
    if (state.LineCount < std::numeric_limits<std::int16_t>::max())
        ++state.LineCount;
    if (state.LineCount == state.ScreenLines)
        turnPage(state, keyboard);
}

// Every step may fail (a busy clipboard); each is tried regardless. The text goes as Unicode so
// that no character is lost, and with LF line breaks, which is what the programs it is pasted into
// here expect; the box itself hands out CR LF, as the rewriter needs.
void copyAll(const WindowView& view, Clipboard& clipboard) {
    (void)clipboard.clear();
    (void)clipboard.setText(withLfLineBreaks(StripTrailingCrLf(view.inputText())));
}

} // namespace

void toggleTrainer(WindowState& state, Keyboard& keyboard, WindowView& view,
                   const std::function<void(const QString&)>& setCaption) {
    if (!state.TrainerOn) {
        startTrainer(state, keyboard);
        setCaption(trainerOnCaption);
    } else {
        state.TrainerOn = false;
        setCaption(trainerOffCaption);
        keyboard.keyEvent(VK_SHIFT, KEYEVENTF_KEYUP);
        keyboard.sleep(50);
        pressKey(keyboard, VK_HOME);
    }
    view.focusInput();
}

void trainerKeyUp(int KeyCode, WindowState& state, Keyboard& keyboard, const WindowView& view,
                  Clipboard& clipboard) {
    if (state.TrainerOn && KeyCode == VK_DOWN)
        countLine(state, keyboard);
    if (KeyCode == VK_F2)
        copyAll(view, clipboard);
}

QString StripTrailingCrLf(QString text) {
    while (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text;
}

} // namespace tellwick
