#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace tellwick {

enum class ControlKind { TextBox, Button, CheckBox, Label };

// The window's controls, in tab order.
enum class Control {
    textBox,
    readButton,
    pauseButton,
    skipBackButton,
    pasteButton,
    clearButton,
    trainerButton,
    skipBracketedBox,
    linesAsSpacesBox,
    skipForwardButton,
    readHighlightedButton,
    visitButton,
    speedLabel,
};

// One control of the window as it is designed: its place is in twips, the unit of every position
// and size of the window.
struct ControlSpec {
    Control id;
    std::string_view name; // the widget's object name
    ControlKind kind;
    std::string_view caption; // '&' marks the access key
    int left;
    int top;
    int width;
    int height;
    std::string_view toolTip;
};

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

// Every control of the window, in tab order: the row of each control stands at its place in
// Control, so that looking a control up cannot fail. The tips are shown as they stand, odd spaces
// and all: users of the program know them so.
inline constexpr ControlSpec controlTable[] = {
    {Control::textBox, "txtInput", ControlKind::TextBox, "", 0, 0, 5055, 7335, ""},
    {Control::readButton, "cmdRead", ControlKind::Button, "&Read", 720, 7320, 615, 375,
     "Click to read what is already pasted into the above window."},
    {Control::pauseButton, "cmdPause", ControlKind::Button, pauseCaption, 1360, 7320, 735, 375, ""},
    {Control::skipBackButton, "cmdHere", ControlKind::Button, "<", 2095, 7320, 250, 375,
     "Skip back one sentence while reading. Before reading a passage or after pressing Pause, "
     "clicking this button lowers the reading speed."},
    {Control::pasteButton, "cmdPaste", ControlKind::Button, "&Paste", 2760, 7320, 615, 375,
     "Always click this button to paste text to read into the above text window. To copy all the "
     "text in the window  to the clipboard, press the F2 key."},
    {Control::clearButton, "cmdClear", ControlKind::Button, "&Clear", 3360, 7320, 615, 375,
     "Clears the above window of text. When thus cleared, clicking 'Read' reads the clipboard."},
    {Control::trainerButton, "cmdSR", ControlKind::Button, "&SR", 3960, 7320, 435, 375,
     "Speed reading trainer - Click here then down arrow through the text on screen as you read "
     "it. "},
    {Control::skipBracketedBox, "chkSqBr", ControlKind::CheckBox, "", 2580, 7500, 195, 195,
     "Check this box to exclude text within square brackets from the reading."},
    {Control::linesAsSpacesBox, "chkCrPause", ControlKind::CheckBox, "", 2580, 7320, 195, 195,
     "Check this box to not pause at carriage returns. Use when reading pdf files"},
    {Control::skipForwardButton, "cmdSkipF", ControlKind::Button, ">", 2350, 7320, 255, 375,
     "Skip forward one sentence while reading. Before reading a passage or after pressing Pause, "
     "clicking this button raises the reading speed."},
    {Control::readHighlightedButton, "cmdRH", ControlKind::Button, "Read &Hilighted", 0, 7320, 760,
     735, "Copies, pastes and reads text highlighted in another application."},
    {Control::visitButton, "cmdVisit", ControlKind::Button, "&Visit website of ap author", 1605,
     7760, 2295, 255, ""},
    {Control::speedLabel, "lblSpeed", ControlKind::Label, "Speed:", 840, 7800, 1695, 255,
     "\"N\" is the normal reading speed, but +1, the default is a better speed in most cases."},
};

inline constexpr std::size_t controlCount = std::size(controlTable);

constexpr bool rowsStandAtTheirControls() {
    for (std::size_t i = 0; i < controlCount; ++i)
        if (static_cast<std::size_t>(controlTable[i].id) != i)
            return false;
    return true;
}
static_assert(rowsStandAtTheirControls());

constexpr const ControlSpec& specOf(Control control) {
    return controlTable[static_cast<std::size_t>(control)];
}

} // namespace tellwick
