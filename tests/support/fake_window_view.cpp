#include "support/fake_window_view.h"

namespace tellwick {

void FakeWindowView::setInputText(const QString& newText) {
    text = newText;
    calls << QStringLiteral("text ") + newText;
}

void FakeWindowView::showPaused(bool shown) {
    paused = shown;
    calls << (shown ? QStringLiteral("paused") : QStringLiteral("not paused"));
}

} // namespace tellwick
