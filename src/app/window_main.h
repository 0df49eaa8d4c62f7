#pragma once

namespace tellwick {

// Opens the window and runs it until it closes; argc and argv are the program's own, for
// QApplication. Returns the exit status.
int runWindow(int argc, char** argv);

} // namespace tellwick
