#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace tellwick {

enum class ClipboardSource {
    Clipboard,
    // What the user last highlighted anywhere (X11's primary selection).
    Selection,
};

// What a read of the clipboard brought: its text (nothing when it cannot be had at all), or a
// one-line failure to show the user when the program holding it did not answer.
struct ClipboardRead {
    std::optional<QString> text;
    QString failure;
};
using ClipboardAnswer = std::function<void(const ClipboardRead& read)>;

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
    // Reads without holding up the caller, whose thread the answer runs on, later or at once. The
    // answer never runs once context is gone. Backends whose reads cannot hang answer at once.
    virtual void requestText(ClipboardSource source, QObject* context, ClipboardAnswer answer) {
        (void)context;
        answer({source == ClipboardSource::Selection ? selectionText() : text(), QString()});
    }
};

} // namespace tellwick
