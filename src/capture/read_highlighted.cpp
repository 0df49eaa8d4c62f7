#include "capture/read_highlighted.h"

namespace tellwick {

namespace {

// One step of the macro: a key event, or a wait in milliseconds when vk is waitStep.
struct MacroStep {
    std::uint8_t vk;
    int flagsOrMs;
};

constexpr std::uint8_t waitStep = 0;

// Alt+Tab makes the application that was active before active again; Ctrl+C copies its
// selection; the 600 ms give it time to put the copy on the clipboard; the Left arrow drops the
// highlight there.
constexpr MacroStep macro[] = {
    {waitStep, 100},
    {VK_MENU, KEYEVENTF_KEYDOWN},
    {waitStep, 100},
    {VK_TAB, KEYEVENTF_KEYDOWN},
    {VK_TAB, KEYEVENTF_KEYUP},
    {waitStep, 100},
    {VK_MENU, KEYEVENTF_KEYUP},
    {waitStep, 50},
    {VK_CONTROL, KEYEVENTF_KEYDOWN},
    {waitStep, 50},
    {VK_C, KEYEVENTF_KEYDOWN},
    {VK_C, KEYEVENTF_KEYUP},
    {waitStep, 50},
    {VK_CONTROL, KEYEVENTF_KEYUP},
    {waitStep, 600},
    {VK_LEFT, KEYEVENTF_KEYDOWN},
    {VK_LEFT, KEYEVENTF_KEYUP},
    {waitStep, 100},
};

void playMacro(Keyboard& keyboard) {
    for (const MacroStep& step : macro) {
        if (step.vk == waitStep)
            keyboard.sleep(step.flagsOrMs);
        else
            keyboard.keyEvent(step.vk, step.flagsOrMs);
    }
}

// Without synthetic system input no other application can be made to copy, but what the user
// highlighted there is still the primary selection. When there is none, the clipboard stays as it
// was, as it does when the copy finds nothing highlighted.
void copySelection(Clipboard& clipboard) {
    const std::optional<QString> selection = clipboard.selectionText();
    if (selection && !selection->isEmpty())
        (void)clipboard.setText(*selection);
}

} // namespace

void readHighlighted(WindowView& view, Keyboard* systemKeyboard, Clipboard& clipboard,
                     const std::function<void()>& paste, const std::function<void()>& read) {
    view.focusInput();
    if (systemKeyboard)
        playMacro(*systemKeyboard);
    else
        copySelection(clipboard);
    paste();
    read();
}

} // namespace tellwick
