#pragma once

#include "capture/window_view.h"

#include <QStringList>

namespace tellwick {

// A window reduced to what the handlers outside it see. Every call is recorded in order:
// "text <text>", "focus", "paused" or "not paused".
class FakeWindowView : public WindowView {
public:
    QString inputText() const override { return text; }
    void setInputText(const QString& newText) override;
    void focusInput() override { calls << QStringLiteral("focus"); }
    void showPaused(bool shown) override;

    QString text;
    bool paused = false;
    QStringList calls;
};

} // namespace tellwick
