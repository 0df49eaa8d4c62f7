#pragma once

#include "capture/window_view.h"

#include <QStringList>

namespace tellwick {

// A window reduced to what the handlers outside it see. Every call is recorded in order:
// "text <text>", "focus", "pause <caption>".
class FakeWindowView : public WindowView {
public:
    QString inputText() const override { return text; }
    void setInputText(const QString& newText) override;
    void focusInput() override { calls << QStringLiteral("focus"); }
    void setPauseCaption(const QString& caption) override;

    QString text;
    QString pauseCaption = QStringLiteral("P&ause");
    QStringList calls;
};

} // namespace tellwick
