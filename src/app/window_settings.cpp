#include "app/window_settings.h"

#include <algorithm>

namespace tellwick {

namespace {

// Enough of the title bar to grab and drag the window back with.
constexpr int grabbableWidth = 48;
constexpr int grabbableHeight = 16;

int keptWithin(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

QPoint placeOnScreens(const QRect& frame, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return frame.topLeft();
    const QRect titleBar(frame.left(), frame.top(), frame.width(), grabbableHeight);
    for (const QRect& screen : screens) {
        const QRect seen = screen.intersected(titleBar);
        if (seen.width() >= grabbableWidth && seen.height() >= grabbableHeight)
            return frame.topLeft();
    }
    const QRect& primary = screens.front();
    return {keptWithin(frame.left(), frame.width(), primary.left(), primary.width()),
            keptWithin(frame.top(), frame.height(), primary.top(), primary.height())};
}

} // namespace tellwick
