#include "platform/global_shortcuts.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

#include <vector>

// X11's headers come after every Qt header: their macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

namespace tellwick {

namespace {

// The lock keys change a key's modifier state; a grab must hold in each of their states.
constexpr std::uint16_t lockStates[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                        XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t lockMask = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2;

struct ModifierMask {
    Qt::KeyboardModifier qt;
    std::uint16_t x;
};
constexpr ModifierMask modifierMasks[] = {
    {Qt::ShiftModifier, XCB_MOD_MASK_SHIFT},
    {Qt::ControlModifier, XCB_MOD_MASK_CONTROL},
    {Qt::AltModifier, XCB_MOD_MASK_1},
    {Qt::MetaModifier, XCB_MOD_MASK_4},
};

class X11GlobalShortcuts : public GlobalShortcuts, public QAbstractNativeEventFilter {
public:
    X11GlobalShortcuts(Display* display, xcb_connection_t* connection)
        : display_(display), connection_(connection),
          root_(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~X11GlobalShortcuts() override {
        for (const Grab& grab : grabs_)
            for (const std::uint16_t locks : lockStates)
                xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers | locks);
        xcb_flush(connection_);
    }

    bool add(QKeyCombination keys, std::function<void()> handler) override {
        // Letters and digits are their own keysyms in both Qt and X11.
        const KeySym keysym = static_cast<KeySym>(QChar(keys.key()).toLower().unicode());
        const xcb_keycode_t keycode = XKeysymToKeycode(display_, keysym);
        if (keycode == 0)
            return false;
        std::uint16_t modifiers = 0;
        for (const ModifierMask& mask : modifierMasks)
            if (keys.keyboardModifiers().testFlag(mask.qt))
                modifiers |= mask.x;
        bool refused = false;
        for (const std::uint16_t locks : lockStates) {
            const xcb_void_cookie_t cookie =
                xcb_grab_key_checked(connection_, 1, root_, modifiers | locks, keycode,
                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
                refused = true;
                free(error);
            }
        }
        if (refused) {
            for (const std::uint16_t locks : lockStates)
                xcb_ungrab_key(connection_, keycode, root_, modifiers | locks);
            xcb_flush(connection_);
            return false;
        }
        grabs_.push_back({keycode, modifiers, std::move(handler)});
        return true;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        const auto* press = static_cast<const xcb_key_press_event_t*>(message);
        if (press->event != root_)
            return false;
        for (const Grab& grab : grabs_) {
            if (press->detail == grab.keycode && (press->state & ~lockMask) == grab.modifiers) {
                grab.handler();
                return true;
            }
        }
        return false;
    }

private:
    struct Grab {
        xcb_keycode_t keycode;
        std::uint16_t modifiers;
        std::function<void()> handler;
    };

    Display* display_;
    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::vector<Grab> grabs_;
};

} // namespace

std::unique_ptr<GlobalShortcuts> makeGlobalShortcuts() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display() || !x11->connection())
        return nullptr;
    return std::make_unique<X11GlobalShortcuts>(x11->display(), x11->connection());
}

} // namespace tellwick
