#include "platform/x11_display.h"

#include <X11/Xlib.h>

namespace tellwick {

bool canOpenX11Display() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

} // namespace tellwick
