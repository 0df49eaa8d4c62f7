#pragma once

#include <QObject>
#include <QString>

#include <sys/types.h>

#include <functional>
#include <optional>

class QSocketNotifier;

namespace tellwick {

// One local socket per user, through which other Tellwick processes ask the running window to do
// something. A command is a single word on a line; the answer is a single word on a line.
// The socket lives in a folder of its own that Tellwick makes, and uses only while it belongs to
// the user and nobody else may enter it; a client also checks that the process listening runs as
// the same user before it sends anything.

// Where the socket lives.
QString commandSocketPath();

class CommandServer : public QObject {
    Q_OBJECT

public:
    // Does what command asks and hands answer its one-word answer, at once or later.
    using Handler =
        std::function<void(const QString& command, std::function<void(const QString&)> answer)>;
    explicit CommandServer(Handler handler, QObject* parent = nullptr);
    // Removes the socket only while it is still the one this server made.
    ~CommandServer() override;

    // Listens on the socket, replacing one that a window which ended left behind. False, with a
    // message, when another window listens there already or no safe folder can be had.
    bool listen(QString* error);

private:
    void acceptWaiting();
    void serve(int descriptor);

    Handler handler_;
    int listening_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    // The socket file this server made, to tell it from one that replaced it since.
    dev_t device_ = 0;
    ino_t inode_ = 0;
    int lastAcceptError_ = 0;
};

// Sends a command to the running window and returns its answer; nothing, with a message, when no
// window listens, the socket is not the user's own, or the window does not answer within the time.
std::optional<QString> sendCommand(const QString& command, int timeoutMs, QString* error);

} // namespace tellwick
