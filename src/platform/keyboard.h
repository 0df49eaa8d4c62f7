#pragma once

#include <cstdint>

namespace tellwick {

// Virtual-key codes of the keys the program presses or tests.
enum VirtualKey : std::uint8_t {
    VK_TAB = 9,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_NEXT = 34,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_DOWN = 40,
    VK_C = 67,
    VK_F2 = 113,
};

enum KeyEventFlags : int { KEYEVENTF_KEYDOWN = 0, KEYEVENTF_KEYUP = 2 };

// Presses keys on the user's behalf and waits. A key press is a down event then an up event; a
// held modifier changes every later key until its up event.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual void keyEvent(std::uint8_t vk, int flags) = 0;
    // Blocks the calling thread for ms milliseconds.
    virtual void sleep(int ms) = 0;
};

} // namespace tellwick
