#pragma once

#include <QString>

#include <optional>

namespace tellwick {

// The system clipboard, plain text only. Each operation can fail (no display, clipboard owned
// elsewhere); callers choose how to treat a failure.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text, or nothing when it cannot be read.
    virtual std::optional<QString> text() = 0;
    virtual bool clear() = 0;
    virtual bool setText(const QString& text) = 0;
    // The text the user last highlighted anywhere (X11's primary selection), where the session
    // offers one; nothing otherwise.
    virtual std::optional<QString> selectionText() { return std::nullopt; }
};

} // namespace tellwick
