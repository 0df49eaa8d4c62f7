#pragma once

#include <Qt>

namespace tellwick {

// The virtual-key code of a Qt key, or 0 for a key that has none here.
int virtualKeyFromQtKey(int qtKey);

// The Qt key of a virtual-key code, or 0 for a code that has none here.
int qtKeyFromVirtualKey(int virtualKey);

// The modifier state as a key handler's Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
int shiftStateFromModifiers(Qt::KeyboardModifiers modifiers);

} // namespace tellwick
