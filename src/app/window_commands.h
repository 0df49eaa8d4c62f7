#pragma once

#include <QString>

#include <functional>

namespace tellwick {

class MainWindow;

// What the window does for a command sent by another Tellwick process (tellwick read-selection,
// tellwick pause, the global shortcuts), and the answer it sends back:
// - "read-selection": reads what is highlighted anywhere (the primary selection) exactly as Read
//   Highlighted does when a text is highlighted; "read", or "empty" when nothing is highlighted.
// - "pause": presses Pause; "ok".
// - "show": brings the window to the front (another "tellwick" was started); "ok".
// Anything else is ignored, and said once on standard error; "unknown".
// Only "show" raises or activates the window: for the others the user stays where they are.
// answer may run later, once the selection has been read.
using CommandAnswer = std::function<void(const QString& answer)>;
void runWindowCommand(MainWindow& window, const QString& command, CommandAnswer answer);

} // namespace tellwick
