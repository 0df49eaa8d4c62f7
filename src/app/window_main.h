#pragma once

#include "app/window_services.h"

namespace tellwick {

// The real services: the system clipboard, the program launcher and the system's voices. Needs a
// QApplication.
WindowServices makeWindowServices();

// Opens the window and runs it until it closes; argc and argv are the program's own, for
// QApplication. With a document, the window opens it (a window already running opens it
// instead). Returns the exit status.
int runWindow(int argc, char** argv, const char* document = nullptr);

} // namespace tellwick
