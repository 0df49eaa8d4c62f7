#pragma once

#include <QString>

namespace tellwick {

// The text the box holds at start-up, followed by a run of screenLines empty lines (CR LF each).
QString welcomeText(int screenLines);

} // namespace tellwick
