#include "app/window_layout.h"

#include <cfenv>
#include <cmath>

namespace tellwick {

namespace {

constexpr double lineHeightTwips = 244.0;

using P = LayoutProperty;
using B = LayoutBase;

} // namespace

// The text box fills the window; the bottom row keeps its distance from the bottom edge, and the
// three right-hand buttons keep theirs from the right edge.
const std::array<LayoutStep, 17> layoutSteps = {{
    {"txtInput", P::Height, B::ClientHeight, 680},
    {"txtInput", P::Width, B::OuterWidth, 220},
    {"cmdPaste", P::Top, B::ClientHeight, 720},
    {"cmdPaste", P::Left, B::OuterWidth, 1875},
    {"cmdClear", P::Top, B::ClientHeight, 720},
    {"cmdClear", P::Left, B::OuterWidth, 1270},
    {"cmdRead", P::Top, B::ClientHeight, 720},
    {"cmdPause", P::Top, B::ClientHeight, 720},
    {"cmdHere", P::Top, B::ClientHeight, 720},
    {"cmdSkipF", P::Top, B::ClientHeight, 720},
    {"cmdRH", P::Top, B::ClientHeight, 720},
    {"chkSqBr", P::Top, B::ClientHeight, 530},
    {"chkCrPause", P::Top, B::ClientHeight, 710},
    {"cmdSR", P::Top, B::ClientHeight, 720},
    {"cmdSR", P::Left, B::OuterWidth, 655},
    {"lblSpeed", P::Top, B::ClientHeight, 270},
    {"cmdVisit", P::Top, B::ClientHeight, 300},
}};

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
