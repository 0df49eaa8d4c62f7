#include "platform/app_keyboard.h"

#include "platform/virtual_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QThread>
#include <QWindow>

namespace tellwick {

namespace {

struct ModifierKey {
    std::uint8_t vk;
    Qt::KeyboardModifier modifier;
};

constexpr ModifierKey modifierKeys[] = {
    {VK_SHIFT, Qt::ShiftModifier},
    {VK_CONTROL, Qt::ControlModifier},
    {VK_MENU, Qt::AltModifier},
};

Qt::KeyboardModifier modifierOf(std::uint8_t vk) {
    for (const ModifierKey& key : modifierKeys)
        if (key.vk == vk)
            return key.modifier;
    return Qt::NoModifier;
}

// A queued key event, delivered to this keyboard object in the order it was sent.
class QueuedKeyEvent : public QEvent {
public:
    static QEvent::Type eventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    QueuedKeyEvent(std::uint8_t vk, bool up) : QEvent(eventType()), vk(vk), up(up) {}
    std::uint8_t vk;
    bool up;
};

// The control with the keyboard focus in our active window, as a typed key finds it.
QObject* keyboardTarget() {
    if (QObject* focus = QGuiApplication::focusObject())
        return focus;
    return QGuiApplication::focusWindow();
}

} // namespace

AppKeyboard::AppKeyboard() {
    qApp->installEventFilter(this);
}

AppKeyboard::~AppKeyboard() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void AppKeyboard::keyEvent(std::uint8_t vk, int flags) {
    QCoreApplication::postEvent(this, new QueuedKeyEvent(vk, (flags & KEYEVENTF_KEYUP) != 0));
}

void AppKeyboard::sleep(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

bool AppKeyboard::event(QEvent* event) {
    if (event->type() != QueuedKeyEvent::eventType())
        return QObject::event(event);
    const auto* queued = static_cast<QueuedKeyEvent*>(event);
    deliver(queued->vk, queued->up);
    return true;
}

void AppKeyboard::deliver(std::uint8_t vk, bool up) {
    const int qtKey = qtKeyFromVirtualKey(vk);
    if (qtKey == 0)
        return;
    // A modifier's own press already carries it, as with a typed key; its release no longer does.
    if (const Qt::KeyboardModifier modifier = modifierOf(vk); modifier != Qt::NoModifier)
        held.setFlag(modifier, !up);
    QObject* target = keyboardTarget();
    if (!target)
        return;
    QKeyEvent key(up ? QEvent::KeyRelease : QEvent::KeyPress, qtKey, held);
    delivering = true;
    QCoreApplication::sendEvent(target, &key);
    delivering = false;
}

bool AppKeyboard::eventFilter(QObject* watched, QEvent* event) {
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
                       event->type() == QEvent::ShortcutOverride;
    if (isKey && !delivering && held != Qt::NoModifier) {
        auto* key = static_cast<QKeyEvent*>(event);
        key->setModifiers(key->modifiers() | held);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tellwick
