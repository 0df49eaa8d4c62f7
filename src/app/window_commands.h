#pragma once

#include <QString>

#include <functional>

namespace tellwick {

class MainWindow;

// What the window does for a command sent by another Tellwick process (tellwick read-selection,
// tellwick pause, the global shortcuts), and the answer it sends back:
// - "read-selection": reads what is highlighted anywhere (the primary selection) exactly as Read
//   Highlighted does when a text is highlighted; "read", or "empty" when nothing is highlighted,
//   or "unanswered" when the program holding it did not answer (the window also says so). The
//   answer comes once the selection has been read, before the reading starts, so that a failure
//   of the reading is shown in the window without holding up the caller.
// - "pause": presses Pause; "ok".
// - "show": brings the window to the front (another "tellwick" was started); "ok".
// Anything else is ignored, and said once on standard error; "unknown".
// Only "show" raises or activates the window: for the others the user stays where they are.
// The answer may come after this returns; the window goes on meanwhile.
void runWindowCommand(MainWindow& window, const QString& command,
                      const std::function<void(const QString& answer)>& answer);

} // namespace tellwick
