#pragma once

#include <QIcon>

namespace tellwick {

// The window's own 32 by 32 icon (data/tellwick.png, built into the program).
QIcon tellwickIcon();

} // namespace tellwick
