#pragma once

#include <QString>

namespace tellwick {

// What the handlers outside the window's own code see of it. The text box's text uses CR LF line
// breaks both ways, whatever the widget holds inside.
class WindowView {
public:
    virtual ~WindowView() = default;
    virtual QString inputText() const = 0;
    virtual void setInputText(const QString& text) = 0;
    virtual void focusInput() = 0;
    // The Pause button shows what its next press does: resume while paused, pause otherwise.
    virtual void showPaused(bool paused) = 0;
};

} // namespace tellwick
