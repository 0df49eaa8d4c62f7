#pragma once

namespace tellwick {

// Whether the X server that DISPLAY names answers. Qt would abort the program when it does not.
bool canOpenX11Display();

} // namespace tellwick
