#pragma once

#include <array>
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
    std::string_view control;
    LayoutProperty property;
    LayoutBase base;
    double offset;
};

// The steps in the order they run; ScreenLines follows them.
extern const std::array<LayoutStep, 17> layoutSteps;

// What the resize handler works on. set() returns false when the control refuses the value (a
// negative width or height).
class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;
    virtual bool set(std::string_view control, LayoutProperty property, double twips) = 0;
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
