#include "app/controls.h"

namespace tellwick {

// The tips are shown as they stand, odd spaces and all: users of the program know them so.
const std::array<ControlSpec, 13> controlTable = {{
    {"txtInput", ControlKind::TextBox, "", 0, 0, 5055, 7335, ""},
    {"cmdRead", ControlKind::Button, "&Read", 720, 7320, 615, 375,
     "Click to read what is already pasted into the above window."},
    {"cmdPause", ControlKind::Button, pauseCaption, 1360, 7320, 735, 375, ""},
    {"cmdHere", ControlKind::Button, "<", 2095, 7320, 250, 375,
     "Skip back one sentence while reading. Before reading a passage or after pressing Pause, "
     "clicking this button lowers the reading speed."},
    {"cmdPaste", ControlKind::Button, "&Paste", 2760, 7320, 615, 375,
     "Always click this button to paste text to read into the above text window. To copy all the "
     "text in the window  to the clipboard, press the F2 key."},
    {"cmdClear", ControlKind::Button, "&Clear", 3360, 7320, 615, 375,
     "Clears the above window of text. When thus cleared, clicking 'Read' reads the clipboard."},
    {"cmdSR", ControlKind::Button, "&SR", 3960, 7320, 435, 375,
     "Speed reading trainer - Click here then down arrow through the text on screen as you read "
     "it. "},
    {"chkSqBr", ControlKind::CheckBox, "", 2580, 7500, 195, 195,
     "Check this box to exclude text within square brackets from the reading."},
    {"chkCrPause", ControlKind::CheckBox, "", 2580, 7320, 195, 195,
     "Check this box to not pause at carriage returns. Use when reading pdf files"},
    {"cmdSkipF", ControlKind::Button, ">", 2350, 7320, 255, 375,
     "Skip forward one sentence while reading. Before reading a passage or after pressing Pause, "
     "clicking this button raises the reading speed."},
    {"cmdRH", ControlKind::Button, "Read &Hilighted", 0, 7320, 760, 735,
     "Copies, pastes and reads text highlighted in another application."},
    {"cmdVisit", ControlKind::Button, "&Visit website of ap author", 1605, 7760, 2295, 255, ""},
    {"lblSpeed", ControlKind::Label, "Speed:", 840, 7800, 1695, 255,
     "\"N\" is the normal reading speed, but +1, the default is a better speed in most cases."},
}};

} // namespace tellwick
