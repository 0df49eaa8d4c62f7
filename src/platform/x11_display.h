#pragma once

namespace tellwick {

// Whether the X server that DISPLAY names answers. Qt would abort the program when it does not.
bool canOpenX11Display();

// Why no window can be opened here (no display named, or the X server named does not answer), or
// null when one can: Qt aborts the program instead of saying so.
const char* missingDisplay();

} // namespace tellwick
