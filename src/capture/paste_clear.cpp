#include "capture/paste_clear.h"

namespace tellwick {

namespace {

// The caption of the Pause button while the next press pauses.
const QString pauseCaption = QStringLiteral("P&ause");

} // namespace

QString emptyLineRun(int screenLines) {
    return screenLines > 0 ? QStringLiteral("\r\n").repeated(screenLines) : QString();
}

void pasteClipboard(WindowView& view, const WindowState& state, Clipboard& clipboard) {
    const QString run = emptyLineRun(state.ScreenLines);
    view.setInputText(QString());
    view.focusInput();
    if (const std::optional<QString> text = clipboard.text())
        view.setInputText(*text + run);
    view.setPauseCaption(pauseCaption);
}

void clearInput(WindowView& view, WindowState& state) {
    if (state.CurVoice)
        (void)state.CurVoice->pause();
    view.setInputText(QString());
    view.setPauseCaption(pauseCaption);
    view.focusInput();
}

} // namespace tellwick
