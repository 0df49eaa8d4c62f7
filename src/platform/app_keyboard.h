#pragma once

#include "platform/keyboard.h"

#include <QObject>

namespace tellwick {

// Keys for our own window only. Each event is queued and, when the event loop delivers it, goes to
// the widget that has the focus at that moment, as a typed key would. Modifiers held down here
// also apply to the user's own keys reaching the application, so that a held Shift extends the
// selection of a real down arrow; nothing outside the program ever sees them, and they vanish with
// the program.
class AppKeyboard : public QObject, public Keyboard {
    Q_OBJECT
public:
    // Installs an application event filter; needs a QApplication.
    AppKeyboard();
    ~AppKeyboard() override;

    void keyEvent(std::uint8_t vk, int flags) override;
    void sleep(int ms) override;

    Qt::KeyboardModifiers heldModifiers() const { return held; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void deliver(std::uint8_t vk, bool up);

    Qt::KeyboardModifiers held = Qt::NoModifier;
    bool delivering = false;
};

} // namespace tellwick
