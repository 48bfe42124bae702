#include "window/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace quantrel::gui {

namespace {

// A connection that sends nothing useful is dropped after this long.
constexpr int kConnectionMs = 2000;
// A later copy waits this long for the first to take its request.
constexpr int kRequestMs = 1000;
// The request is a few bytes; a sender of more is not one of ours.
constexpr qint64 kMaxRequestBytes = 16;

QString runtimeFolder(const QString& folder) {
    if (!folder.isEmpty())
        return folder;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime;
}

} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent) : QObject(parent) {
    const QDir dir(runtimeFolder(folder));
    m_lockPath = dir.filePath(QStringLiteral("quantrel.lock"));
    m_socketPath = dir.filePath(QStringLiteral("quantrel.socket"));
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::BecomeFirst() {
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Only a lock whose process is gone counts as stale, however old it is.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            return false;
        return true; // no lock to be had: run without the rule
    }
    // A socket file left by a crashed first copy would stop the listening.
    QLocalServer::removeServer(m_socketPath);
    m_server.listen(m_socketPath);
    return true;
}

bool SingleInstance::RequestShow() const {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kRequestMs))
        return false;
    socket.write(kRequest);
    const bool sent = socket.waitForBytesWritten(kRequestMs);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        QTimer::singleShot(kConnectionMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray request = socket->read(kMaxRequestBytes);
            if (request == kRequest)
                emit ShowRequested();
            socket->abort();
        });
    }
}

} // namespace quantrel::gui
