#pragma once

#include <array>
#include <string_view>

namespace tellwick {

enum class ControlKind { TextBox, Button, CheckBox, Label };

// One control of the window as it is designed: its place is in twips, the unit of every position
// and size of the window.
struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view caption; // '&' marks the access key
    int left;
    int top;
    int width;
    int height;
    std::string_view toolTip;
};

// Every control of the window, in tab order.
extern const std::array<ControlSpec, 13> controlTable;

// The client area the window is designed for, in twips.
inline constexpr int designClientWidth = 3885;
inline constexpr int designClientHeight = 8040;
// The window opens wider than its design: at the design width the bottom row's right-hand buttons
// cover "<", the check boxes and the speed. This is the text box's design width and the margin the
// layout keeps beside it.
inline constexpr int startClientWidth = 5055 + 220;

inline constexpr std::string_view windowTitle = "Tellwick";

// The Pause button's caption is its state: the action the next press takes.
inline constexpr std::string_view pauseCaption = "P&ause";
inline constexpr std::string_view resumeCaption = "R&esume";

} // namespace tellwick
