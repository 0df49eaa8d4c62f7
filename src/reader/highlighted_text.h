#pragma once

#include "platform/clipboard.h"

#include <optional>

namespace tellwick {

// Takes what the user highlighted in any program, the primary selection, and puts it on the
// clipboard as it stands, so that Paste finds it there. Returns it; nothing when nothing is
// highlighted, and then the clipboard stays as it was. No key is ever pressed in another program:
// a Ctrl+C sent to a terminal would interrupt the program running in it.
std::optional<QString> captureHighlighted(Clipboard& clipboard);
// The same for a selection read already (nothing when it could not be read).
std::optional<QString> keepHighlighted(std::optional<QString> selection, Clipboard& clipboard);

} // namespace tellwick
