#pragma once

#include "platform/clipboard.h"

#include <optional>

namespace tellwick {

// Puts what the user highlighted in any program, the primary selection as read already, on the
// clipboard as it stands, so that Paste finds it there. Returns it; nothing when nothing is
// highlighted (or the selection could not be read), and then the clipboard stays as it was. No
// key is ever pressed in another program: a Ctrl+C sent to a terminal would interrupt the program
// running in it.
std::optional<QString> keepHighlighted(std::optional<QString> selection, Clipboard& clipboard);

} // namespace tellwick
