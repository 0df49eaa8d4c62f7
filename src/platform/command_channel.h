#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLocalServer;

namespace tellwick {

// One local socket per user session, in the user's runtime folder, through which other Tellwick
// processes ask the running window to do something. A command is a single word on a line; the
// answer is a single word on a line. Only the user's own processes may connect.

// Where the socket lives.
QString commandSocketPath();

class CommandServer : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<QString(const QString& command)>;
    explicit CommandServer(Handler handler, QObject* parent = nullptr);
    ~CommandServer() override;

    // Takes the socket over from any window started before, which then gets no more commands.
    // False, with a message, when it cannot listen.
    bool listen(QString* error);

private:
    Handler handler_;
    QLocalServer* server_;
};

// Sends a command to the running window and returns its answer; nothing, with a message, when no
// window listens or it does not answer within the time.
std::optional<QString> sendCommand(const QString& command, int timeoutMs, QString* error);

} // namespace tellwick
