#include "platform/virtual_keys.h"

#include "platform/keyboard.h"

namespace tellwick {

namespace {

struct KeyPair {
    int qtKey;
    int virtualKey;
};

// Keys whose codes do not follow from a range (letters, digits and function keys do).
constexpr KeyPair namedKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},      {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},
};

struct KeyRange {
    int firstQtKey;
    int lastQtKey;
    int firstVirtualKey;
};

constexpr KeyRange keyRanges[] = {
    {Qt::Key_0, Qt::Key_9, VK_0},
    {Qt::Key_A, Qt::Key_Z, VK_A},
    {Qt::Key_F1, Qt::Key_F24, VK_F1},
};

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
