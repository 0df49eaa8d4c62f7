#include "platform/command_channel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tellwick {

namespace {

// A command is a short word, or "open" and a file's path; anything longer is not one of ours.
constexpr qint64 longestLine = 4200;
// A client that has not sent its line by then is dropped, so that idle connections cannot use up
// the window's descriptors.
constexpr int clientIdleMs = 3000;
// After a failed accept (out of descriptors, most likely) the server rests this long instead of
// being woken again at once for the same waiting connection.
constexpr int acceptRestMs = 200;

QString causeOf(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString commandFolder() {
    // Qt's runtime location falls back to a folder another user may have made first; Tellwick
    // makes its own folder and checks it instead.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QString base = runtime.isEmpty() ? QDir::tempPath() : QFile::decodeName(runtime);
    return QDir(base).filePath(QStringLiteral("tellwick-%1").arg(::geteuid()));
}

// Whether folder is one that only this user may enter: a real folder (not a link), owned by the
// user, closed to everybody else. With create, makes it first where it is missing.
bool isPrivateFolder(const QString& folder, bool create, QString* error) {
    const QByteArray path = QFile::encodeName(folder);
    if (create && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        *error = QStringLiteral("cannot make the folder %1 for the command socket: %2")
                     .arg(folder, causeOf(errno));
        return false;
    }
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) {
        *error = QStringLiteral("no Tellwick window is running");
        return false;
    }
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() || (status.st_mode & 077) != 0) {
        *error = QStringLiteral("the folder %1 is not a private folder of yours (it must be owned "
                                "by you, with mode 0700), so the command socket is not used")
                     .arg(folder);
        return false;
    }
    return true;
}

bool socketAddress(const QString& path, sockaddr_un* address, QString* error) {
    const QByteArray bytes = QFile::encodeName(path);
    *address = {};
    address->sun_family = AF_UNIX;
    if (std::size_t(bytes.size()) >= sizeof address->sun_path) {
        *error = QStringLiteral("the command socket's path %1 is too long").arg(path);
        return false;
    }
    std::memcpy(address->sun_path, bytes.constData(), std::size_t(bytes.size()));
    return true;
}

bool peerIsThisUser(int descriptor) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

// Connects to the socket at path within timeoutMs; the descriptor, or -1 with errno set.
int connectTo(const sockaddr_un& address, int timeoutMs) {
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (descriptor < 0)
        return -1;
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return descriptor;
    // A full backlog: the window is busy accepting, so wait for room.
    if (errno == EAGAIN) {
        pollfd waiting{descriptor, POLLOUT, 0};
        int failure = 0;
        socklen_t size = sizeof failure;
        if (::poll(&waiting, 1, timeoutMs) == 1 &&
            ::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &failure, &size) == 0 && failure == 0)
            return descriptor;
        errno = failure != 0 ? failure : ETIMEDOUT;
    }
    const int cause = errno;
    ::close(descriptor);
    errno = cause;
    return -1;
}

// Sends line and reads the answer's line from descriptor, each within what is left of timeoutMs.
std::optional<QByteArray> exchange(int descriptor, const QByteArray& line, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    const auto wait = [&](short events) {
        pollfd waiting{descriptor, events, 0};
        const qint64 left = timeoutMs - timer.elapsed();
        return left > 0 && ::poll(&waiting, 1, int(left)) == 1;
    };
    for (qsizetype sent = 0; sent < line.size();) {
        const ssize_t count = ::send(descriptor, line.constData() + sent,
                                     std::size_t(line.size() - sent), MSG_NOSIGNAL);
        if (count > 0)
            sent += count;
        else if (!(count < 0 && (errno == EAGAIN || errno == EINTR) && wait(POLLOUT)))
            return std::nullopt;
    }
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < longestLine) {
        char bytes[longestLine];
        const ssize_t count = ::recv(descriptor, bytes, sizeof bytes, 0);
        if (count > 0)
            answer.append(bytes, count);
        else if (!(count < 0 && (errno == EAGAIN || errno == EINTR) && wait(POLLIN)))
            return std::nullopt;
    }
    return answer.left(answer.indexOf('\n'));
}

// Holds an exclusive lock on a file beside the socket while a window decides whether it may
// listen, so that two windows started at once cannot both take the socket.
class ListenLock {
public:
    explicit ListenLock(const QString& folder)
        : descriptor_(::open(QFile::encodeName(QDir(folder).filePath(QStringLiteral("lock"))),
                             O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (descriptor_ >= 0)
            ::flock(descriptor_, LOCK_EX);
    }
    ~ListenLock() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    ListenLock(const ListenLock&) = delete;
    ListenLock& operator=(const ListenLock&) = delete;

private:
    int descriptor_;
};

} // namespace

QString commandSocketPath() {
    return QDir(commandFolder()).filePath(QStringLiteral("commands"));
}

CommandServer::CommandServer(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

CommandServer::~CommandServer() {
    if (listening_ < 0)
        return;
    delete notifier_;
    ::close(listening_);
    // The next command then starts a window of its own; a socket some other window made since
    // stays its own.
    const QByteArray path = QFile::encodeName(commandSocketPath());
    struct stat status {};
    if (::lstat(path.constData(), &status) == 0 && status.st_dev == device_ &&
        status.st_ino == inode_)
        ::unlink(path.constData());
}

bool CommandServer::listen(QString* error) {
    const QString folder = commandFolder();
    const QString path = commandSocketPath();
    const QByteArray pathBytes = QFile::encodeName(path);
    sockaddr_un address{};
    if (!isPrivateFolder(folder, true, error) || !socketAddress(path, &address, error))
        return false;
    const ListenLock lock(folder);
    if (const int other = connectTo(address, 1000); other >= 0) {
        ::close(other);
        *error = QStringLiteral("another Tellwick window listens at %1").arg(path);
        return false;
    }
    // Nothing listens: what is there was left by a window that ended.
    ::unlink(pathBytes.constData());
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    struct stat status {};
    if (descriptor < 0 ||
        ::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(pathBytes.constData(), 0600) != 0 || ::listen(descriptor, SOMAXCONN) != 0 ||
        ::lstat(pathBytes.constData(), &status) != 0) {
        *error = QStringLiteral("cannot listen for commands at %1: %2").arg(path, causeOf(errno));
        if (descriptor >= 0)
            ::close(descriptor);
        return false;
    }
    listening_ = descriptor;
    device_ = status.st_dev;
    inode_ = status.st_ino;
    // Enabled by a call of its own, so that the undefined-behaviour checker of the sanitizer build
    // learns the notifier's type now: when the window runs out of descriptors, it has none left to
    // check it with, and stops the program.
    notifier_ = new QSocketNotifier(QSocketNotifier::Read, this);
    notifier_->setSocket(descriptor);
    connect(notifier_, &QSocketNotifier::activated, this, &CommandServer::acceptWaiting);
    notifier_->setEnabled(true);
    return true;
}

void CommandServer::acceptWaiting() {
    for (;;) {
        const int client = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client >= 0) {
            lastAcceptError_ = 0;
            serve(client);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return;
        // The socket stays: the failure is said once while it lasts, and the server rests a
        // moment so that the waiting connection does not wake it again at once.
        if (std::exchange(lastAcceptError_, errno) != errno)
            std::fprintf(stderr, "tellwick: cannot take a command connection: %s\n",
                         std::strerror(errno));
        notifier_->setEnabled(false);
        QTimer::singleShot(acceptRestMs, this, [this] { notifier_->setEnabled(true); });
        return;
    }
}

void CommandServer::serve(int descriptor) {
    if (!peerIsThisUser(descriptor)) {
        ::close(descriptor);
        return;
    }
    auto* socket = new QLocalSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        ::close(descriptor);
        delete socket;
        return;
    }
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(clientIdleMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (!socket->canReadLine() && socket->bytesAvailable() < longestLine)
            return;
        const QString command = QString::fromUtf8(socket->readLine(longestLine)).trimmed();
        // The client may have gone, or been dropped as idle, before a late answer.
        handler_(command, [socket = QPointer<QLocalSocket>(socket)](const QString& answer) {
            if (!socket)
                return;
            socket->write(answer.toUtf8() + '\n');
            socket->flush();
            socket->disconnectFromServer();
        });
    });
}

std::optional<QString> sendCommand(const QString& command, int timeoutMs, QString* error) {
    sockaddr_un address{};
    if (!isPrivateFolder(commandFolder(), false, error) ||
        !socketAddress(commandSocketPath(), &address, error))
        return std::nullopt;
    const int descriptor = connectTo(address, timeoutMs);
    if (descriptor < 0) {
        *error = QStringLiteral("no Tellwick window is running");
        return std::nullopt;
    }
    std::optional<QByteArray> answer;
    if (!peerIsThisUser(descriptor))
        *error = QStringLiteral("the command socket %1 is held by another user; nothing was sent")
                     .arg(commandSocketPath());
    else if (!(answer = exchange(descriptor, command.toUtf8() + '\n', timeoutMs)))
        *error = QStringLiteral("the Tellwick window did not answer");
    ::close(descriptor);
    if (!answer)
        return std::nullopt;
    return QString::fromUtf8(*answer).trimmed();
}

} // namespace tellwick
