#pragma once

#include "capture/window_view.h"
#include "platform/clipboard.h"
#include "platform/keyboard.h"

#include <functional>

namespace tellwick {

// Reads aloud what the user highlighted in another application, then pastes and reads as if both
// buttons were pressed in turn. The highlighted text is the primary selection, put on the
// clipboard as it stands. Only when there is none does it ask the previous application to copy:
// Alt+Tab back to it, Ctrl+C, one Left arrow, with fixed waits between, through the system
// keyboard where there is one. Nothing is caught: a failure of read reaches the caller.
void readHighlighted(WindowView& view, Keyboard* systemKeyboard, Clipboard& clipboard,
                     const std::function<void()>& paste, const std::function<void()>& read);

// Read Highlighted for a text highlighted anywhere, asked from outside the window: the same steps
// when the primary selection holds text; false, and nothing done, when it does not.
bool readHighlightedSelection(WindowView& view, Clipboard& clipboard,
                              const std::function<void()>& paste,
                              const std::function<void()>& read);

} // namespace tellwick
