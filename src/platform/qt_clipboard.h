#pragma once

#include "platform/clipboard.h"

namespace tellwick {

// The system clipboard through QClipboard (its Clipboard mode). Every operation fails when there
// is no QGuiApplication, and so no clipboard, in this process.
class QtClipboard : public Clipboard {
public:
    std::optional<QString> text() override;
    bool clear() override;
    bool setText(const QString& text) override;
    std::optional<QString> selectionText() override;
};

} // namespace tellwick
