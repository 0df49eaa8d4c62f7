#include "platform/virtual_keys.h"

#include <array>

namespace tellwick {

namespace {

struct KeyPair {
    int qtKey;
    int virtualKey;
};

// Keys whose codes do not follow from a range (letters, digits and function keys do).
constexpr std::array<KeyPair, 20> namedKeys = {{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},    {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Escape, 27},   {Qt::Key_Space, 32}, {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},      {Qt::Key_Home, 36},  {Qt::Key_Left, 37},    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},    {Qt::Key_Down, 40},  {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46},
}};

struct KeyRange {
    int firstQtKey;
    int lastQtKey;
    int firstVirtualKey;
};

constexpr std::array<KeyRange, 3> keyRanges = {{
    {Qt::Key_0, Qt::Key_9, 48},
    {Qt::Key_A, Qt::Key_Z, 65},
    {Qt::Key_F1, Qt::Key_F24, 112},
}};

} // namespace

int virtualKeyFromQtKey(int qtKey) {
    for (const KeyPair& pair : namedKeys)
        if (pair.qtKey == qtKey)
            return pair.virtualKey;
    for (const KeyRange& range : keyRanges)
        if (qtKey >= range.firstQtKey && qtKey <= range.lastQtKey)
            return range.firstVirtualKey + (qtKey - range.firstQtKey);
    return 0;
}

int qtKeyFromVirtualKey(int virtualKey) {
    for (const KeyPair& pair : namedKeys)
        if (pair.virtualKey == virtualKey)
            return pair.qtKey;
    for (const KeyRange& range : keyRanges) {
        const int last = range.firstVirtualKey + (range.lastQtKey - range.firstQtKey);
        if (virtualKey >= range.firstVirtualKey && virtualKey <= last)
            return range.firstQtKey + (virtualKey - range.firstVirtualKey);
    }
    return 0;
}

int shiftStateFromModifiers(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace tellwick
