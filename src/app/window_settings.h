#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace tellwick {

// Where a window whose frame was remembered at frame goes on the screens there are now (their
// available areas, the primary first): where it was while the user can still grab its title
// bar there, else the nearest place wholly on the primary screen (its top-left corner when the
// window is larger). No screens: where it was.
QPoint placeOnScreens(const QRect& frame, const QList<QRect>& screens);

} // namespace tellwick
