#pragma once

#include "app/controls.h"

#include <cstdint>
#include <string_view>

namespace tellwick {

// Converts between the twips the layout is written in and the pixels of the screen.
struct TwipScale {
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
    static TwipScale fromLogicalDpi(double dpiX, double dpiY) {
        return {1440.0 / dpiX, 1440.0 / dpiY};
    }
};

enum class LayoutProperty { Left, Top, Width, Height };
enum class LayoutBase { ClientHeight, OuterWidth };

// One step of the resize handler: the property of the control becomes the base less the offset.
struct LayoutStep {
    Control control;
    LayoutProperty property;
    LayoutBase base;
    double offset;
};

// The steps in the order they run; the screen lines follow them.
// The text box fills the window; the bottom row keeps its distance from the bottom edge, and the
// three right-hand buttons keep theirs from the right edge.
inline constexpr LayoutStep layoutSteps[] = {
    {Control::textBox, LayoutProperty::Height, LayoutBase::ClientHeight, 680},
    {Control::textBox, LayoutProperty::Width, LayoutBase::OuterWidth, 220},
    {Control::pasteButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::pasteButton, LayoutProperty::Left, LayoutBase::OuterWidth, 1875},
    {Control::clearButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::clearButton, LayoutProperty::Left, LayoutBase::OuterWidth, 1270},
    {Control::readButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::pauseButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::skipBackButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::skipForwardButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::readHighlightedButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::skipBracketedBox, LayoutProperty::Top, LayoutBase::ClientHeight, 530},
    {Control::linesAsSpacesBox, LayoutProperty::Top, LayoutBase::ClientHeight, 710},
    {Control::trainerButton, LayoutProperty::Top, LayoutBase::ClientHeight, 720},
    {Control::trainerButton, LayoutProperty::Left, LayoutBase::OuterWidth, 655},
    {Control::speedLabel, LayoutProperty::Top, LayoutBase::ClientHeight, 270},
    {Control::visitButton, LayoutProperty::Top, LayoutBase::ClientHeight, 300},
};

// The smallest client area, in twips, at which the layout keeps every control whole and apart.
// Paste follows the right edge (step 4) and must stay clear of the check boxes, which stand where
// they were designed; Clear and the trainer button follow it at their own distances. The text box
// keeps one line (244 twips) above the bottom row (step 1).
inline constexpr double smallestClientWidth = 2580 + 195 + 1875;
inline constexpr double smallestClientHeight = 680 + 244;

// What the resize handler works on. set() returns false when the control refuses the value (a
// negative width or height).
class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;
    virtual bool set(Control control, LayoutProperty property, double twips) = 0;
    // The text box's height as the box reports it after being sized, in twips.
    virtual double reportedInputHeight() const = 0;
};

// Lines in one screenful of a text box of the given height: whole twips (halves to even) divided
// by the line height, the remainder dropped.
std::int16_t screenLinesForHeight(double heightTwips);

// Runs the steps against a client area H high and a window W wide (twips). A refused step ends the
// layout there, leaving screenLines alone; returns whether every step ran.
bool layOut(LayoutTarget& target, double clientHeight, double outerWidth,
            std::int16_t& screenLines);

} // namespace tellwick
