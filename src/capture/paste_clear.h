#pragma once

#include "capture/window_state.h"
#include "capture/window_view.h"
#include "platform/clipboard.h"

namespace tellwick {

// ScreenLines copies of CR LF; empty when ScreenLines is 0 or less. It follows pasted text and the
// welcome text so that the trainer can bring the last lines of a text to the top of the box.
QString emptyLineRun(int screenLines);

// Replaces the box's text with the clipboard's text and the empty-line run. Every failing step is
// skipped: a clipboard that cannot be read leaves the box empty.
void pasteClipboard(WindowView& view, const WindowState& state, Clipboard& clipboard);

// Pauses the current reading, if any, and empties the box; Read then speaks the clipboard.
void clearInput(WindowView& view, WindowState& state);

} // namespace tellwick
