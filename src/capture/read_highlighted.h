#pragma once

#include "capture/clipboard.h"
#include "capture/keyboard.h"
#include "capture/window_view.h"

#include <functional>

namespace tellwick {

// Reads aloud what the user highlighted in another application: Alt+Tab back to it, Ctrl+C, one
// Left arrow, with fixed waits between, then paste and read, as if both buttons were pressed in
// turn. Without a system keyboard (Wayland, no display) the primary selection is put on the
// clipboard instead. Nothing is caught: a failure of read reaches the caller.
void readHighlighted(WindowView& view, Keyboard* systemKeyboard, Clipboard& clipboard,
                     const std::function<void()>& paste, const std::function<void()>& read);

} // namespace tellwick
