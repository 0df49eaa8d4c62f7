#include "support/fake_keyboard.h"

namespace tellwick {

void FakeKeyboard::keyEvent(std::uint8_t vk, int flags) {
    const bool up = (flags & KEYEVENTF_KEYUP) != 0;
    events << QStringLiteral("%1 %2").arg(up ? u"up" : u"down").arg(vk);
    if (onKeyEvent)
        onKeyEvent(vk, flags);
}

void FakeKeyboard::sleep(int ms) {
    events << QStringLiteral("sleep %1").arg(ms);
}

QStringList FakeKeyboard::keyEvents() const {
    QStringList keys;
    for (const QString& event : events)
        if (!event.startsWith(u"sleep "))
            keys << event;
    return keys;
}

QList<int> FakeKeyboard::sleeps() const {
    QList<int> waits;
    for (const QString& event : events)
        if (event.startsWith(u"sleep "))
            waits << event.mid(6).toInt();
    return waits;
}

} // namespace tellwick
