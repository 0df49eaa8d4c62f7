#include "reader/highlighted_text.h"

namespace tellwick {

std::optional<QString> captureHighlighted(Clipboard& clipboard) {
    // The selection is read once: a highlighted book is megabytes asked from another program.
    return keepHighlighted(clipboard.selectionText(), clipboard);
}

std::optional<QString> keepHighlighted(std::optional<QString> selection, Clipboard& clipboard) {
    if (!selection || selection->isEmpty())
        return std::nullopt;
    (void)clipboard.setText(*selection);
    return selection;
}

} // namespace tellwick
