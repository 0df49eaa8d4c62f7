#include "platform/xtest_keyboard.h"

#include "platform/close_signals.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <poll.h>

// X11's headers define macros (None, KeyPress, Bool) that clash with Qt's names, so they come
// after every Qt header.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tellwick {

namespace {

struct KeysymMapping {
    std::uint8_t vk;
    KeySym keysym;
};

constexpr KeysymMapping keysymMappings[] = {
    {VK_TAB, XK_Tab},    {VK_SHIFT, XK_Shift_L}, {VK_CONTROL, XK_Control_L},
    {VK_MENU, XK_Alt_L}, {VK_NEXT, XK_Next},     {VK_HOME, XK_Home},
    {VK_LEFT, XK_Left},  {VK_UP, XK_Up},         {VK_DOWN, XK_Down},
    {VK_C, XK_c},        {VK_F2, XK_F2},
};

KeySym keysymOf(std::uint8_t vk) {
    for (const KeysymMapping& mapping : keysymMappings)
        if (mapping.vk == vk)
            return mapping.keysym;
    return NoSymbol;
}

} // namespace

struct XTestKeyboard::Connection {
    Display* display = nullptr;
    ~Connection() {
        if (display)
            XCloseDisplay(display);
    }
};

std::unique_ptr<XTestKeyboard> XTestKeyboard::open(const QByteArray& displayName) {
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!connection->display)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(connection->display, &eventBase, &errorBase, &major, &minor))
        return nullptr;
    return std::unique_ptr<XTestKeyboard>(new XTestKeyboard(std::move(connection)));
}

XTestKeyboard::XTestKeyboard(std::unique_ptr<Connection> connection)
    : connection(std::move(connection)) {}

XTestKeyboard::~XTestKeyboard() = default;

void XTestKeyboard::stopIfSignalled() {
    if (!CloseSignals::received())
        return;
    for (const unsigned keycode : held_)
        XTestFakeKeyEvent(connection->display, keycode, False, CurrentTime);
    held_.clear();
    XSync(connection->display, False);
    throw ClosingSignalled{};
}

void XTestKeyboard::keyEvent(std::uint8_t vk, int flags) {
    stopIfSignalled();
    const KeySym keysym = keysymOf(vk);
    if (keysym == NoSymbol)
        return;
    const KeyCode keycode = XKeysymToKeycode(connection->display, keysym);
    if (keycode == 0)
        return;
    const Bool press = (flags & KEYEVENTF_KEYUP) ? False : True;
    XTestFakeKeyEvent(connection->display, keycode, press, CurrentTime);
    XFlush(connection->display);
    if (press)
        held_.insert(keycode);
    else
        held_.erase(keycode);
}

void XTestKeyboard::sleep(int ms) {
    XSync(connection->display, False);
    QElapsedTimer timer;
    timer.start();
    for (qint64 left = ms; left > 0; left = ms - timer.elapsed()) {
        stopIfSignalled();
        pollfd wake{CloseSignals::wakeDescriptor(), POLLIN, 0};
        ::poll(&wake, wake.fd < 0 ? 0 : 1, static_cast<int>(left));
    }
    stopIfSignalled();
}

} // namespace tellwick
