#pragma once

#include <QPushButton>

namespace tellwick {

// A push button whose caption wraps onto further lines when the button is too narrow for it, as
// the window's tall "Read Hilighted" button needs. The caption keeps its access key.
class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tellwick
