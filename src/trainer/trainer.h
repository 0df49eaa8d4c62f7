#pragma once

#include "capture/window_state.h"
#include "capture/window_view.h"
#include "platform/clipboard.h"
#include "platform/keyboard.h"

#include <functional>

namespace tellwick {

// The trainer button's caption shows what the next press does.
inline const QString trainerOffCaption = QStringLiteral("&SR");
inline const QString trainerOnCaption = QStringLiteral("&X");

// Switches the trainer on (caret to the start of the text, Shift held so that each down arrow
// extends the highlight) or off (Shift released, highlight dropped). The keyboard is the one of
// our own window: a Shift held for the whole system would reach other applications.
void toggleTrainer(WindowState& state, Keyboard& keyboard, WindowView& view,
                   const std::function<void(const QString&)>& setCaption);

// A key released in the text box: counts the trainer's lines and turns the page after a
// screenful; F2 copies the box's text without its trailing line breaks, with LF line breaks.
void trainerKeyUp(int KeyCode, WindowState& state, Keyboard& keyboard, const WindowView& view,
                  Clipboard& clipboard);

// Removes every CR LF pair from the end of text; a lone CR or LF there stops the removal.
QString StripTrailingCrLf(QString text);

} // namespace tellwick
