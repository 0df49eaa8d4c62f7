#include "platform/command_channel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <cstdio>

#include <unistd.h>

namespace tellwick {

namespace {

// A command is a short word; anything longer is not one of ours.
constexpr qint64 longestLine = 64;

QString firstLine(QLocalSocket& socket) {
    return QString::fromUtf8(socket.readLine(longestLine)).trimmed();
}

} // namespace

QString commandSocketPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("tellwick-%1.socket").arg(::getuid()));
}

CommandServer::CommandServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine() && socket->bytesAvailable() < longestLine)
                    return;
                const QString command = firstLine(*socket);
                QString answer = handler_(command);
                socket->write(answer.toUtf8() + '\n');
                socket->flush();
                socket->disconnectFromServer();
            });
        }
    });
}

CommandServer::~CommandServer() {
    // Closing removes the socket file, so that the next command starts a window of its own.
    server_->close();
}

bool CommandServer::listen(QString* error) {
    const QString path = commandSocketPath();
    QLocalServer::removeServer(path);
    if (server_->listen(path))
        return true;
    *error =
        QStringLiteral("cannot listen for commands at %1: %2").arg(path, server_->errorString());
    return false;
}

std::optional<QString> sendCommand(const QString& command, int timeoutMs, QString* error) {
    QLocalSocket socket;
    socket.connectToServer(commandSocketPath());
    if (!socket.waitForConnected(timeoutMs)) {
        *error = QStringLiteral("no Tellwick window is running");
        return std::nullopt;
    }
    socket.write(command.toUtf8() + '\n');
    socket.flush();
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            *error = QStringLiteral("the Tellwick window did not answer");
            return std::nullopt;
        }
    }
    return firstLine(socket);
}

} // namespace tellwick
