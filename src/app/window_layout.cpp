#include "app/window_layout.h"

#include <cfenv>
#include <cmath>

namespace tellwick {

namespace {

constexpr double lineHeightTwips = 244.0;

} // namespace

std::int16_t screenLinesForHeight(double heightTwips) {
    // nearbyint follows the rounding mode, which is to-nearest-even unless someone changed it.
    const int previousMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double whole = std::nearbyint(heightTwips);
    std::fesetround(previousMode);
    return static_cast<std::int16_t>(static_cast<long long>(whole) /
                                     static_cast<long long>(lineHeightTwips));
}

bool layOut(LayoutTarget& target, double clientHeight, double outerWidth,
            std::int16_t& screenLines) {
    for (const LayoutStep& step : layoutSteps) {
        const double base = step.base == LayoutBase::ClientHeight ? clientHeight : outerWidth;
        if (!target.set(step.control, step.property, base - step.offset))
            return false;
    }
    screenLines = screenLinesForHeight(target.reportedInputHeight());
    return true;
}

} // namespace tellwick
