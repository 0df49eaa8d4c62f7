#pragma once

#include "platform/keyboard.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tellwick {

// Records every key event and wait in order, as "down 18", "up 18" and "sleep 100", and returns at
// once: tests compare the list instead of waiting.
class FakeKeyboard : public Keyboard {
public:
    void keyEvent(std::uint8_t vk, int flags) override;
    void sleep(int ms) override;

    QStringList events;
    // Runs after each key event is recorded, so a test can play the other application's part (for
    // example, put text on a clipboard when Ctrl+C is released).
    std::function<void(std::uint8_t vk, int flags)> onKeyEvent;

    // The recorded key events alone, without the waits.
    QStringList keyEvents() const;
    // The recorded waits alone, in milliseconds.
    QList<int> sleeps() const;
};

} // namespace tellwick
