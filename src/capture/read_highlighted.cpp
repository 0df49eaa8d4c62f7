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

// What the user highlighted in any program is the primary selection (X11, Wayland). Taking it
// from there presses no keys in that program: a Ctrl+C sent to a terminal would interrupt the
// program running in it.
std::optional<QString> primarySelection(Clipboard& clipboard) {
    std::optional<QString> selection = clipboard.selectionText();
    if (selection && selection->isEmpty())
        return std::nullopt;
    return selection;
}

} // namespace

void readHighlighted(WindowView& view, Keyboard* systemKeyboard, Clipboard& clipboard,
                     const std::function<void()>& paste, const std::function<void()>& read) {
    view.focusInput();
    // With nothing highlighted anywhere, the key macro asks the previous program to copy; where
    // no program may press keys for another, the clipboard stays as it was.
    if (const std::optional<QString> selection = primarySelection(clipboard))
        (void)clipboard.setText(*selection);
    else if (systemKeyboard)
        playMacro(*systemKeyboard);
    paste();
    read();
}

bool readHighlightedSelection(WindowView& view, Clipboard& clipboard,
                              const std::function<void()>& paste,
                              const std::function<void()>& read) {
    // The selection is read once: a highlighted book is megabytes asked from another program.
    const std::optional<QString> selection = primarySelection(clipboard);
    if (!selection)
        return false;
    view.focusInput();
    (void)clipboard.setText(*selection);
    paste();
    read();
    return true;
}

} // namespace tellwick
