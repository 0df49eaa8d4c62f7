#include "platform/x11_display.h"

#include <cstdlib>

#include <X11/Xlib.h>

namespace tellwick {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

bool canOpenX11Display() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

const char* missingDisplay() {
    if (isSet("QT_QPA_PLATFORM") || isSet("WAYLAND_DISPLAY"))
        return nullptr;
    if (!isSet("DISPLAY"))
        return "no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    if (!canOpenX11Display())
        return "cannot connect to the X display that DISPLAY names";
    return nullptr;
}

} // namespace tellwick
