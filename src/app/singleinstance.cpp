#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

const QByteArray activateRequest = "activate\n";
const QByteArray activateReply = "ok\n";

QString baseName(const QString &key)
{
    const QString canonical = QFileInfo(key).canonicalFilePath();
    const QByteArray id = (canonical.isEmpty() ? key : canonical).toUtf8();
    return QStringLiteral("orvane-handbook-")
           + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
}

} // namespace

SingleInstance::SingleInstance(const QString &key, const QString &runtimeDir, QObject *parent)
    : QObject(parent)
    , m_serverName(QDir(runtimeDir).filePath(baseName(key) + QStringLiteral(".socket")))
    , m_lock(QDir(runtimeDir).filePath(baseName(key) + QStringLiteral(".lock")))
{
    // Only a lock whose process has ended is stale, however long the handbook has been running.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryLock()
{
    QDir().mkpath(QFileInfo(m_serverName).absolutePath());
    return m_lock.tryLock(0);
}

bool SingleInstance::activateRunning(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(int(std::min<qint64>(500, deadline.remainingTime())))) {
            socket.write(activateRequest);
            socket.waitForBytesWritten(int(deadline.remainingTime()));
            while (socket.bytesAvailable() < activateReply.size()
                   && socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())))) {
            }
            if (socket.readAll().startsWith(activateReply))
                return true;
        }
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return false;
}

bool SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a run that ended without closing it; holding the lock, it is ours to remove.
    QLocalServer::removeServer(m_serverName);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::answer);
    return m_server->listen(m_serverName);
}

void SingleInstance::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == activateRequest) {
                emit activationRequested();
                socket->write(activateReply);
            }
            socket->disconnectFromServer();
        });
    }
}
