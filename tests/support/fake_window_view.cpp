#include "support/fake_window_view.h"

namespace tellwick {

void FakeWindowView::setInputText(const QString& newText) {
    text = newText;
    calls << QStringLiteral("text ") + newText;
}

void FakeWindowView::setPauseCaption(const QString& caption) {
    pauseCaption = caption;
    calls << QStringLiteral("pause ") + caption;
}

} // namespace tellwick
