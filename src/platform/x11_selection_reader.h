#pragma once

#include "platform/clipboard.h"

#include <QByteArray>

#include <chrono>

namespace tellwick {

// Asks the program that holds the clipboard or the primary selection on an X display for its text
// (UTF-8, else Latin-1), through a connection and a window of its own, so that it can run on any
// thread. A holder that does not answer, or that stops sending a long text, for longer than
// patience is given up with a failure; no holder at all reads as an empty text. An empty display
// name means the one DISPLAY names.
ClipboardRead readX11Selection(const QByteArray& display, ClipboardSource source,
                               std::chrono::milliseconds patience);

} // namespace tellwick
