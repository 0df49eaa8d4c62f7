#pragma once

#include <cstdint>

namespace tellwick {

// Virtual-key codes of the keys the program presses or tests, and of the others a key release in
// the box may report.
enum VirtualKey : std::uint8_t {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_0 = 48,
    VK_A = 65,
    VK_C = 67,
    VK_F1 = 112,
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
