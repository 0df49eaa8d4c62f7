#include "reader/highlighted_text.h"

namespace tellwick {

std::optional<QString> keepHighlighted(std::optional<QString> selection, Clipboard& clipboard) {
    if (!selection || selection->isEmpty())
        return std::nullopt;
    (void)clipboard.setText(*selection);
    return selection;
}

} // namespace tellwick
