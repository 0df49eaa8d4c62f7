#pragma once

#include <QKeyCombination>

#include <functional>
#include <memory>

namespace tellwick {

// Key combinations that act from any program while the window runs.
class GlobalShortcuts {
public:
    virtual ~GlobalShortcuts() = default;
    // Calls handler, on this thread, whenever the keys are pressed anywhere, whatever the state of
    // Num Lock and Caps Lock. False when the window system refuses (another program holds the
    // keys, or the session has no global keys, as Wayland).
    virtual bool add(QKeyCombination keys, std::function<void()> handler) = 0;
};

// The X server's key grabs on an X11 session; null elsewhere. Needs a QGuiApplication.
std::unique_ptr<GlobalShortcuts> makeGlobalShortcuts();

} // namespace tellwick
