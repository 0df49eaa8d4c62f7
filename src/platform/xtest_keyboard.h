#pragma once

#include "platform/keyboard.h"

#include <QByteArray>

#include <memory>
#include <set>

namespace tellwick {

// Keys for whatever application is in front, through the X server's XTest extension: they enter
// the shared keyboard input exactly as typed keys would. A key held down here is held for the
// whole X session until released, so when a closing signal comes (see CloseSignals) the keyboard
// releases every key it holds and stops the caller with ClosingSignalled.
class XTestKeyboard : public Keyboard {
public:
    // Null when there is no X display or it lacks the XTest extension. displayName empty means the
    // one in DISPLAY.
    static std::unique_ptr<XTestKeyboard> open(const QByteArray& displayName = {});
    ~XTestKeyboard() override;

    void keyEvent(std::uint8_t vk, int flags) override;
    // Blocks; the server goes on handling the keys sent so far, because each one is flushed. A
    // closing signal ends the wait at once.
    void sleep(int ms) override;

private:
    struct Connection;
    explicit XTestKeyboard(std::unique_ptr<Connection> connection);
    void stopIfSignalled();
    std::unique_ptr<Connection> connection;
    std::set<unsigned> held_;
};

} // namespace tellwick
