#include "capture/paste_clear.h"

namespace tellwick {

QString emptyLineRun(int screenLines) {
    return screenLines > 0 ? QStringLiteral("\r\n").repeated(screenLines) : QString();
}

void pasteClipboard(WindowView& view, const WindowState& state, Clipboard& clipboard) {
    const QString run = emptyLineRun(state.ScreenLines);
    view.setInputText(QString());
    view.focusInput();
    if (const std::optional<QString> text = clipboard.text())
        view.setInputText(*text + run);
    view.showPaused(false);
}

void clearInput(WindowView& view, WindowState& state) {
    if (state.CurVoice)
        (void)state.CurVoice->pause();
    view.setInputText(QString());
    view.showPaused(false);
    view.focusInput();
}

} // namespace tellwick
